#include "ControlCommands.h"

#include "Faults.h"
#include "Printer.h"

#include <charconv>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

struct Words {
  std::vector<std::string> items;

  const std::string& At(size_t index, const char* usage) const {
    if (index >= items.size()) throw std::runtime_error(std::string("usage: ") + usage);
    return items[index];
  }
  bool Has(size_t index) const { return index < items.size(); }
};

Words Split(const std::string& line) {
  Words words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.items.push_back(word);
  return words;
}

int Number(const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    throw std::runtime_error("'" + text + "' is not a number from " + std::to_string(low) + " to " +
                             std::to_string(high));
  return value;
}

int OptionalNumber(const Words& words, size_t index, int fallback, int low, int high) {
  return words.Has(index) ? Number(words.items[index], low, high) : fallback;
}

std::string CommandCode(const std::string& text) {
  if (text != "*" && (text.size() != 4 || !IsDigits(text)))
    throw std::runtime_error("'" + text + "' is not a four-digit command code or *");
  return text;
}

// "0.25" as millionths; only 0 to 1.
uint32_t Probability(const std::string& text) {
  double value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 1)
    throw std::runtime_error("'" + text + "' is not a probability from 0 to 1");
  return static_cast<uint32_t>(value * 1000000 + 0.5);
}

bool Choice(const std::string& text, const char* yes, const char* no) {
  if (text == yes) return true;
  if (text == no) return false;
  throw std::runtime_error("'" + text + "': expected " + yes + " or " + no);
}

const char* DocumentName(DocumentState state) {
  switch (state) {
    case DocumentState::None: return "none";
    case DocumentState::FiscalReceipt: return "fiscal";
    case DocumentState::NonFiscal: return "nonfiscal";
    case DocumentState::PaymentStarted: return "payment";
  }
  return "?";
}

const char* PaperName(PaperLevel level) {
  switch (level) {
    case PaperLevel::Ok: return "ok";
    case PaperLevel::NearEnd: return "near";
    case PaperLevel::End: return "end";
  }
  return "?";
}

const char* const kHelp =
    "  nak N                    refuse the next N frames with NAK (not run)\n"
    "  silence N                answer nothing at all to the next N frames (not run)\n"
    "  lose N                   run the next N commands, send ACK, drop their replies\n"
    "  wait COUNT [N]           send COUNT WAIT bytes before each of the next N replies (N=1)\n"
    "  garbage BYTES [N]        send BYTES random bytes before each of the next N ACKs (N=1)\n"
    "  code CMD CODE [N]        the next N replies to CMD (* = any) carry reply code CODE (N=1)\n"
    "  error CMD ERR [N]        answer the next N frames of CMD (* = any) with printer error ERR (N=1)\n"
    "  chaos P                  each frame meets a random fault with probability P (0 turns it off)\n"
    "  seed N                   restart the random generator with seed N\n"
    "  baud N                   pace the bytes sent at N baud (0 = full speed)\n"
    "  clear                    disarm every fault and the pacing\n"
    "  paper ok|near|end        paper roll state (end: printing commands fail with error 2)\n"
    "  cover open|closed        cover state (open: printing commands fail with error 3)\n"
    "  drawer open|closed       cash drawer state\n"
    "  card CODE|offline        card terminal outcome: 00 approves, another two digits declines,\n"
    "                           offline fails the payment with error 38\n"
    "  status                   one line with the printer's document, mechanics, counters and faults\n"
    "  display                  the two lines of the customer display, each in brackets\n"
    "  save                     write the state file now\n"
    "  help                     this list\n";

}  // namespace

ControlCommands::ControlCommands(Printer& printer, Faults& faults, std::function<void()> saveState)
    : fPrinter(printer), fFaults(faults), fSaveState(std::move(saveState)) {}

std::string ControlCommands::HelpText() { return kHelp; }

std::string ControlCommands::Run(const std::string& line) {
  try {
    const std::string text = Execute(line);
    fSaveState();
    if (text.empty()) return "OK";
    if (text.back() == '\n') return text + "OK";
    return "OK " + text;
  } catch (const std::exception& error) {
    return std::string("ERR ") + error.what();
  }
}

void ControlCommands::RunOrThrow(const std::string& line) { Execute(line); }

std::string ControlCommands::Execute(const std::string& line) {
  const Words words = Split(line);
  if (words.items.empty()) throw std::runtime_error("empty command (try help)");
  const std::string& verb = words.items[0];
  PrinterState& state = fPrinter.state;
  if (verb == "nak") {
    fFaults.Nak(Number(words.At(1, "nak N"), 0, 1000000));
  } else if (verb == "silence") {
    fFaults.Silence(Number(words.At(1, "silence N"), 0, 1000000));
  } else if (verb == "lose") {
    fFaults.Lose(Number(words.At(1, "lose N"), 0, 1000000));
  } else if (verb == "wait") {
    const int count = Number(words.At(1, "wait COUNT [N]"), 0, 1000);
    fFaults.Wait(OptionalNumber(words, 2, 1, 0, 1000000), count);
  } else if (verb == "garbage") {
    const int bytes = Number(words.At(1, "garbage BYTES [N]"), 0, 4096);
    fFaults.Garbage(OptionalNumber(words, 2, 1, 0, 1000000), bytes);
  } else if (verb == "code") {
    const std::string command = CommandCode(words.At(1, "code CMD CODE [N]"));
    const std::string& code = words.At(2, "code CMD CODE [N]");
    if (code.size() != 4) throw std::runtime_error("a reply code has four characters");
    fFaults.ReplyCode(command, OptionalNumber(words, 3, 1, 0, 1000000), code);
  } else if (verb == "error") {
    const std::string command = CommandCode(words.At(1, "error CMD ERR [N]"));
    const int error = Number(words.At(2, "error CMD ERR [N]"), 1, 99);
    fFaults.Error(command, error, OptionalNumber(words, 3, 1, 0, 1000000));
  } else if (verb == "chaos") {
    fFaults.Chaos(Probability(words.At(1, "chaos P")));
  } else if (verb == "seed") {
    fFaults.Seed(static_cast<uint32_t>(Number(words.At(1, "seed N"), 0, 2147483647)));
  } else if (verb == "baud") {
    fFaults.Baud(Number(words.At(1, "baud N"), 0, 10000000));
  } else if (verb == "clear") {
    fFaults.Clear();
  } else if (verb == "paper") {
    const std::string& level = words.At(1, "paper ok|near|end");
    if (level == "ok") state.paper = PaperLevel::Ok;
    else if (level == "near") state.paper = PaperLevel::NearEnd;
    else if (level == "end") state.paper = PaperLevel::End;
    else throw std::runtime_error("usage: paper ok|near|end");
  } else if (verb == "cover") {
    state.coverOpen = Choice(words.At(1, "cover open|closed"), "open", "closed");
  } else if (verb == "drawer") {
    state.drawerOpen = Choice(words.At(1, "drawer open|closed"), "open", "closed");
  } else if (verb == "card") {
    const std::string& outcome = words.At(1, "card CODE|offline");
    if (outcome != "offline" && (outcome.size() != 2 || !IsDigits(outcome)))
      throw std::runtime_error("usage: card CODE|offline, CODE two digits");
    state.cardOutcome = outcome;
  } else if (verb == "status") {
    return std::string("document=") + DocumentName(state.document) + " paper=" + PaperName(state.paper) +
           " cover=" + (state.coverOpen ? "open" : "closed") + " drawer=" + (state.drawerOpen ? "open" : "closed") +
           " mode=" + state.fiscalMode + " receipt=" + std::to_string(state.receiptNumber) +
           " documents=" + std::to_string(state.day.fiscalDocuments) + " z=" + std::to_string(state.zReportNumber) +
           " card=" + state.cardOutcome + " " + fFaults.Describe();
  } else if (verb == "display") {
    return "[" + state.display.substr(0, 20) + "][" + state.display.substr(20) + "]";
  } else if (verb == "save") {
    fSaveState();
  } else if (verb == "help") {
    return "commands:\n" + HelpText();
  } else {
    throw std::runtime_error("unknown command '" + verb + "' (try help)");
  }
  return {};
}
