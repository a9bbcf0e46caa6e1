#include "ReportCommands.h"

#include "FieldReaders.h"
#include "Printer.h"
#include "ReceiptLayout.h"

#include <cstdio>

namespace {

size_t Width(const PrinterState& state) { return static_cast<size_t>(state.Columns()); }

bool IsFiscal(const JournalDocument& document) {
  return document.type == DocumentType::Sale || document.type == DocumentType::Refund ||
         document.type == DocumentType::Void;
}

// A short fingerprint of the report (FNV-1a), printed as its seal.
std::string Seal(const std::vector<std::string>& lines) {
  uint64_t hash = 1469598103934665603ull;
  for (const std::string& line : lines)
    for (unsigned char c : line) hash = (hash ^ c) * 1099511628211ull;
  char text[17];
  std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(hash));
  return text;
}

// Prints the lines as a copy that is not filed in the journal.
void PrintCopy(Printer& printer, const std::string& title, const std::vector<std::string>& lines) {
  printer.BeginDocument(DocumentType::NonFiscal, 0);
  printer.PrintLine(Centred(title, Width(printer.state)));
  for (const std::string& line : lines) printer.PrintLine(line);
  printer.AbandonDocument();
}

// Runs the daily report: prints it and files it in the journal.
void PrintDailyReport(Printer& printer, bool zReport, int number, DateTime now) {
  printer.BeginDocument(zReport ? DocumentType::ZReport : DocumentType::XReport, number);
  printer.PrintHeader();
  for (const std::string& line : DailyReportLines(printer.state, zReport, number, now, Width(printer.state)))
    printer.PrintLine(line);
  printer.EndDocument();
}

// The Z report text kept with the day's closing files, laid out at the journal width:
// a reader takes each amount from the last 16 columns of its line, and on 40 columns
// the label "TOTALE GIORNO ANNULLAMENTI" reaches into them.
std::vector<std::string> FiledZReportText(const PrinterState& state, int number, DateTime now) {
  std::vector<std::string> text;
  for (const std::string& line : state.header) text.push_back(Centred(line, Journal::kLineWidth));
  for (std::string& line : DailyReportLines(state, true, number, now, Journal::kLineWidth))
    text.push_back(std::move(line));
  return text;
}

// 2001 "01": the X report, the day's totals so far.
Reply XReportCommand(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  PrintDailyReport(printer, false, 0, printer.Now());
  return Reply::Data("2001");
}

// 3001 "01": the Z report. It closes the day: the report is filed in the journal,
// the day's totals and document numbers start again, the Z report number grows, and
// those who publish the day's closing hear of it.
Reply ZReportCommand(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  PrinterState& state = printer.state;
  ZReportEvent event;
  event.number = state.zReportNumber + 1;
  event.when = printer.Now();
  event.day = state.day;
  event.text = FiledZReportText(state, event.number, event.when);
  PrintDailyReport(printer, true, event.number, event.when);
  state.zReportNumber = event.number;
  state.lastZReport = event.when;
  state.day = Totals{};
  state.receiptNumber = 0;
  state.nonFiscalNumber = 0;
  printer.NotifyZReport(event);
  return Reply::Data("3001");
}

// 3103 "01", destination ("0" print, "1" read), kind code, ddmmyy first day, ddmmyy
// last day, mode ("0" from the first line, "1" the next line), "00". A read answers
// one journal line per command: "01", N(6) line number, N(6) line count, "00", then
// the 46-character line; after the last line the reply code is 3102.
Reply MemoryCommand(Printer& printer, const std::string& data) {
  const auto first = ReadDate(data, 4, 2), last = ReadDate(data, 10, 2);
  if (data.size() != 19 || !data.starts_with("01") || (data[2] != '0' && data[2] != '1') || data[3] < '1' ||
      data[3] > '6' || !first || !last || (data[16] != '0' && data[16] != '1') || data.substr(17) != "00")
    return Reply::Error(PrinterError::kBadValue);
  PrinterState& state = printer.state;
  const std::string request = data.substr(0, 16);
  if (data[2] == '0') {
    if (const int error = printer.NoDocumentError()) return Reply::Error(error);
    const std::vector<std::string> lines = state.journal.Read(data[3], *first, *last);
    if (lines.empty()) return Reply::Error(PrinterError::kNoData);
    PrintCopy(printer, "COPIA GIORNALE ELETTRONICO", lines);
    return Reply::Data("3103");
  }
  if (data[16] == '0') {
    state.memoryRequest = request;
    state.memoryLines = state.journal.Read(data[3], *first, *last);
    state.memoryNext = 0;
  } else if (state.memoryRequest != request) {
    return Reply::Error(PrinterError::kWrongSequence);
  }
  if (state.memoryNext >= state.memoryLines.size()) return Reply::Data("3102", "01");
  const std::string& line = state.memoryLines[state.memoryNext++];
  return Reply::Data("3103", "01" + Digits(static_cast<int64_t>(state.memoryNext), 6) +
                                 Digits(static_cast<int64_t>(state.memoryLines.size()), 6) + "00" + line);
}

// 1047 "01": prints a copy of the last fiscal receipt.
Reply ReprintLastCommand(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  const std::vector<JournalDocument>& documents = printer.state.journal.Documents();
  for (auto document = documents.rbegin(); document != documents.rend(); ++document) {
    if (!IsFiscal(*document)) continue;
    PrintCopy(printer, "*** COPIA ***", document->lines);
    return Reply::Data("1047");
  }
  return Reply::Error(PrinterError::kNoData);
}

// 3098: "01", ddmmyy, N(4) first, N(4) last (receipts), or "0102", ddmmyy, N(4) first,
// N(4) last, "0", "00" (invoices): prints copies of the documents of that day.
Reply ReprintCommand(Printer& printer, const std::string& data) {
  const bool invoices = data.size() == 21 && data.starts_with("0102") && data.substr(18) == "000";
  const size_t at = invoices ? 4 : 2;
  const auto day = ReadDate(data, at, 2);
  const int64_t from = ReadNumber(data, at + 6, 4), to = ReadNumber(data, at + 10, 4);
  if ((!invoices && data.size() != 16) || !data.starts_with("01") || !day || from < 0 || to < from)
    return Reply::Error(PrinterError::kBadValue);
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  std::vector<std::string> lines;
  for (const JournalDocument& document : printer.state.journal.Documents()) {
    const bool kind = invoices ? document.type == DocumentType::Invoice : IsFiscal(document);
    if (kind && document.when.DatePart() == *day && document.number >= from && document.number <= to)
      lines.insert(lines.end(), document.lines.begin(), document.lines.end());
  }
  if (lines.empty()) return Reply::Error(PrinterError::kNoData);
  PrintCopy(printer, "*** COPIA ***", lines);
  return Reply::Data("3098");
}

// 9218 T(8) serial number, N(4) closing, N(4) number, ddmmyy, "00": the lottery status
// of a receipt. The reply repeats the first 22 characters of the request, then the
// status (RD 23-24: "00" sent, "01" to be sent with the day's closing, "05" no such
// receipt or no lottery code), a five-character code and a 50-character reference.
Reply LotteryStatusCommand(Printer& printer, const std::string& data) {
  PrinterState& state = printer.state;
  if (state.fiscalMode != "RT") return Reply::Error(PrinterError::kNotProvided);
  const auto day = ReadDate(data, 16, 2);
  const int64_t closing = ReadNumber(data, 8, 4), number = ReadNumber(data, 12, 4);
  if (data.size() != 24 || !day || closing < 0 || number < 0 || data.substr(22) != "00")
    return Reply::Error(PrinterError::kBadValue);
  const JournalDocument* document =
      data.substr(0, 8) == Fit(state.serialNumber, 8)
          ? state.journal.FindFiscal(*day, static_cast<int>(number), static_cast<int>(closing))
          : nullptr;
  std::string status = "05", reference;
  if (document && !document->lotteryCode.empty()) {
    status = document->closing > state.zReportNumber ? "01" : "00";
    if (status == "00")
      reference = "LOT" + state.serialNumber + document->when.Format("yyyymmdd") + Digits(document->closing, 4) +
                  Digits(document->number, 4) + document->lotteryCode;
  }
  return Reply::Data("9218", data.substr(0, 22) + status + "00000" + Fit(reference, 50));
}

}  // namespace

std::vector<std::string> DailyReportLines(const PrinterState& state, bool zReport, int number, DateTime now,
                                          size_t width) {
  const bool rt = state.fiscalMode == "RT";
  const Totals& day = state.day;
  const Totals& grand = state.grand;
  std::vector<std::string> lines;
  const auto amount = [&](const char* label, Cents value) { lines.push_back(AmountLine(label, value, width)); };
  const auto count = [&](const char* label, int64_t value) {
    lines.push_back(LabelValueLine(label, std::to_string(value), width));
  };
  lines.push_back(Centred(zReport ? "RAPPORTO   FISCALE" : "LETTURA   GIORNALIERA", width));
  lines.push_back(now.Format("dd-mm-yy  hh:nn"));
  if (zReport) lines.push_back(LabelValueLine("NUMERO AZZERAMENTI", Digits(number, 4), width));
  if (rt) {
    count("NUMERO DOCUMENTI COMMERCIALI", day.fiscalDocuments);
  } else {
    count("SCONTRINI FISCALI", day.receipts);
  }
  count("NUMERO SCONTRINI NOTE di CREDITO", day.refundDocuments);
  count("NUMERO ANNULLAMENTI", day.voidDocuments);
  count("NUMERO FATTURE", day.invoices);
  amount("TOTALE SCONTI", day.discounts);
  amount("TOTALE RESI", day.returns);
  for (size_t slot = 0; slot < day.vat.size(); ++slot) {
    const VatTotals& vat = day.vat[slot];
    if (vat.sales == 0 && vat.refunds == 0 && vat.voids == 0) continue;
    const std::string label = "IVA " + VatLabel(state, static_cast<int>(slot));
    lines.push_back(AmountLine(label + " VENDITE", vat.sales, width));
    lines.push_back(AmountLine(label + " IMPOSTA", vat.tax, width));
  }
  if (rt) {
    amount("TOTALE GIORNO VENDITE", day.sales);
    amount("TOTALE GIORNO RESO MERCE", day.refunds);
  } else {
    amount("TOTALE GIORNO NOTE di CREDITO", day.refunds);
  }
  amount("TOTALE GIORNO ANNULLAMENTI", day.voids);
  amount("TOTALE GIORNO", day.sales);
  amount("GRAN TOTALE", grand.sales);
  amount(rt ? "GRAN TOTALE RESO MERCE" : "GRAN TOTALE NOTE di CREDITO", grand.refunds);
  amount("GRAN TOTALE ANNULLAMENTI", grand.voids);
  if (zReport) lines.push_back("SIGILLO FISCALE: " + Seal(lines));
  return lines;
}

void RegisterReportCommands(Printer& printer) {
  const CommandTraits printing{.slow = false, .prints = true, .accepts = {}};
  const CommandTraits slowPrinting{.slow = true, .prints = true, .accepts = {}};
  const CommandTraits query{.slow = false, .prints = false, .accepts = {}};
  printer.Register("2001", XReportCommand, slowPrinting);
  printer.Register("3001", ZReportCommand, slowPrinting);
  // 3103 prints the journal with destination "0" and only reads it otherwise.
  const auto printsJournal = [](const std::string& data) { return data.size() > 2 && data[2] == '0'; };
  printer.Register("3103", MemoryCommand, CommandTraits{.slow = true, .prints = true, .accepts = printsJournal});
  printer.Register("3103", MemoryCommand, query);
  printer.Register("1047", ReprintLastCommand, printing);
  printer.Register("3098", ReprintCommand, printing);
  printer.Register("9218", LotteryStatusCommand, query);
}
