#pragma once
// The simulated printer: its state, the table of the commands it understands, and
// the services that command handlers share (clock, paper, journal, sequence checks).
//
// A command handler receives the command data (everything between the command code
// and the checksum) and answers with a Reply: reply data under a reply code, or a
// printer error code. Handlers are registered by code; a code whose data layouts
// mean different commands (1078, 1084) registers one handler per layout with a
// predicate that recognises it, and at most one handler without a predicate that
// takes the rest.

#include "PrinterState.h"
#include "runtime/DateTime.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The printer's error codes.
namespace PrinterError {
constexpr int kPaperEnd = 2;          // "CARTA SCONTRINO"
constexpr int kOffline = 3;           // "OFFLINE"
constexpr int kEarlierDate = 9;       // "DATA INFERIORE"
constexpr int kBadDate = 10;          // "DATA ERRATA"
constexpr int kWrongSequence = 11;    // "SEQUENZA ERRATA"
constexpr int kNoData = 12;           // "DATI INESISTENTI"
constexpr int kBadValue = 13;         // "VALORE ERRATO"
constexpr int kNotProvided = 16;      // "NON PREVISTO"
constexpr int kNotNow = 17;           // "IMPOSSIBILE ORA"
constexpr int kNotPossible = 18;      // "NON POSSIBILE"
constexpr int kInvalidText = 19;      // "SCRITTA INVALIDA"
constexpr int kOverValue = 20;        // "SUPERA VALORE"
constexpr int kOverLimit = 21;        // "SUPERA LIMITE"
constexpr int kNotProgrammed = 22;    // "NON PROGRAMMATO"
constexpr int kCloseReceipt = 23;     // "CHIUDI SCONTRINO"
constexpr int kClosePayment = 24;     // "CHIUDI PAGAMENTO"
constexpr int kCardTerminal = 38;     // "EFT-POS in ERRORE"
}  // namespace PrinterError

struct Reply {
  std::string code;  // four-digit reply code; the command code for an ordinary reply
  std::string data;
  int error = 0;     // a printer error code; non-zero makes this an error reply

  static Reply Data(std::string code, std::string data = {}) { return Reply{std::move(code), std::move(data), 0}; }
  static Reply Error(int error) { return Reply{{}, {}, error}; }
  bool IsError() const { return error != 0; }
};

class Printer;
using CommandHandler = std::function<Reply(Printer&, const std::string& data)>;
using DataPredicate = std::function<bool(const std::string& data)>;

struct CommandTraits {
  bool slow = false;     // runs long enough for the printer to send WAIT first
  bool prints = false;   // needs paper and a closed cover
  DataPredicate accepts; // empty: takes every data layout not claimed by another handler
};

// Where the printed lines go (the paper roll of the program, or nothing).
class PaperSink {
public:
  virtual ~PaperSink() = default;
  // One printed line as the printer received it (protocol bytes); size code 1-4.
  virtual void PrintLine(std::string_view text, int size) = 0;
  // The end of a document: the paper is cut.
  virtual void Cut() = 0;
};

// What a finished Z report leaves behind for those who publish the day's closing.
struct ZReportEvent {
  int number = 0;     // the number of this Z report
  DateTime when;      // the printer's clock when it ran
  Totals day;         // the day's totals it closed
  std::vector<std::string> text;  // the report text filed with the closing (journal width)
};
using ZReportListener = std::function<void(const Printer&, const ZReportEvent&)>;

class Printer {
public:
  PrinterState state;

  Printer();

  void Register(const std::string& code, CommandHandler handler, CommandTraits traits = {});
  // The traits of the handler that would run for this command, or null when none would.
  const CommandTraits* Find(const std::string& code, const std::string& data) const;
  // Runs a command: the printer errors of paper and cover for printing commands, the
  // error "NON PREVISTO" for a code it does not know, "VALORE ERRATO" for a data layout
  // no handler takes, otherwise the handler's reply. A handler that throws (a state
  // file edited into something impossible) gives "NON POSSIBILE".
  Reply Execute(const std::string& code, const std::string& data);

  // The printer's clock: the host clock plus the offset that setting the clock left.
  DateTime Now() const;
  void SetClock(DateTime printerTime);

  // The error a command that needs no open document gets, or 0 when none is open.
  int NoDocumentError() const;

  // Printing: every line goes to the paper and into the journal under the document
  // opened with BeginDocument; EndDocument files the document in the journal and cuts.
  void SetPaper(PaperSink* paper) { fPaper = paper; }
  void BeginDocument(DocumentType type, int number);
  void PrintLine(std::string_view text, int size = 1);
  // The shop header, centred to the print width.
  void PrintHeader();
  void EndDocument();
  // The lines of the document being printed, so far.
  const std::vector<std::string>& PrintedLines() const { return state.printedLines; }
  // Cuts the paper without filing the document (a cancelled receipt).
  void AbandonDocument();

  void OnZReport(ZReportListener listener) { fZReportListeners.push_back(std::move(listener)); }
  void NotifyZReport(const ZReportEvent& event) const;

private:
  struct Command {
    CommandHandler handler;
    CommandTraits traits;
  };

  const Command* Choose(const std::string& code, const std::string& data) const;

  PaperSink* fPaper = nullptr;
  std::map<std::string, std::vector<Command>> fCommands;
  std::vector<ZReportListener> fZReportListeners;
};

// Field helpers shared by the command handlers.
// N(width) of a non-negative value: zero-padded on the left, only the last digits kept.
std::string Digits(int64_t value, size_t width);
// Pads with blanks or cuts to the width.
std::string Fit(std::string_view text, size_t width);
// True when the text is made of decimal digits only (and is not empty).
bool IsDigits(std::string_view text);
// The decimal number in text[pos, pos + length); -1 when the characters are not all digits
// or the text is too short.
int64_t ReadNumber(const std::string& text, size_t pos, size_t length);
