#include "Printer.h"

#include <algorithm>
#include <cstdio>
#include <exception>

Printer::Printer() = default;

void Printer::Register(const std::string& code, CommandHandler handler, CommandTraits traits) {
  fCommands[code].push_back(Command{std::move(handler), std::move(traits)});
}

const Printer::Command* Printer::Choose(const std::string& code, const std::string& data) const {
  const auto found = fCommands.find(code);
  if (found == fCommands.end()) return nullptr;
  const Command* fallback = nullptr;
  for (const Command& command : found->second) {
    if (!command.traits.accepts) {
      if (!fallback) fallback = &command;
    } else if (command.traits.accepts(data)) {
      return &command;
    }
  }
  return fallback;
}

const CommandTraits* Printer::Find(const std::string& code, const std::string& data) const {
  const Command* command = Choose(code, data);
  return command ? &command->traits : nullptr;
}

Reply Printer::Execute(const std::string& code, const std::string& data) {
  if (!fCommands.contains(code)) return Reply::Error(PrinterError::kNotProvided);
  const Command* chosen = Choose(code, data);
  if (!chosen) return Reply::Error(PrinterError::kBadValue);
  if (chosen->traits.prints) {
    if (state.coverOpen) return Reply::Error(PrinterError::kOffline);
    if (state.paper == PaperLevel::End) return Reply::Error(PrinterError::kPaperEnd);
  }
  try {
    return chosen->handler(*this, data);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "fpsim: command %s failed: %s\n", code.c_str(), error.what());
    return Reply::Error(PrinterError::kNotPossible);
  }
}

DateTime Printer::Now() const { return DateTime::Now().AddMilliseconds(state.clockOffsetMs); }

void Printer::SetClock(DateTime printerTime) {
  state.clockOffsetMs = printerTime.Milliseconds() - DateTime::Now().Milliseconds();
}

int Printer::NoDocumentError() const {
  switch (state.document) {
    case DocumentState::None: return 0;
    case DocumentState::PaymentStarted: return PrinterError::kClosePayment;
    case DocumentState::FiscalReceipt:
    case DocumentState::NonFiscal: return PrinterError::kCloseReceipt;
  }
  return 0;
}

void Printer::BeginDocument(DocumentType type, int number) {
  state.printingType = type;
  state.printingNumber = number;
  state.printedLines.clear();
}

void Printer::PrintLine(std::string_view text, int size) {
  state.printedLines.emplace_back(text);
  if (fPaper) fPaper->PrintLine(text, size);
}

void Printer::PrintHeader() {
  const size_t width = static_cast<size_t>(state.Columns());
  for (const std::string& line : state.header) {
    const size_t margin = line.size() < width ? (width - line.size()) / 2 : 0;
    PrintLine(std::string(margin, ' ') + line.substr(0, width));
  }
}

void Printer::EndDocument() {
  state.journal.Append(state.printingType, Now(), state.printingNumber, state.zReportNumber + 1,
                       state.printedLines);
  state.printedLines.clear();
  if (fPaper) fPaper->Cut();
}

void Printer::AbandonDocument() {
  state.printedLines.clear();
  if (fPaper) fPaper->Cut();
}

void Printer::NotifyZReport(const ZReportEvent& event) const {
  for (const ZReportListener& listener : fZReportListeners) listener(*this, event);
}

std::string Digits(int64_t value, size_t width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (digits.size() > width) return digits.substr(digits.size() - width);
  return std::string(width - digits.size(), '0') + digits;
}

std::string Fit(std::string_view text, size_t width) {
  std::string fitted(text.substr(0, width));
  fitted.resize(width, ' ');
  return fitted;
}

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int64_t ReadNumber(const std::string& text, size_t pos, size_t length) {
  if (pos + length > text.size()) return -1;
  const std::string_view field = std::string_view(text).substr(pos, length);
  if (!IsDigits(field)) return -1;
  int64_t value = 0;
  for (char c : field) value = value * 10 + (c - '0');
  return value;
}
