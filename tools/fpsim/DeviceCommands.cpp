#include "CoreCommands.h"
#include "FiscalCommands.h"
#include "Printer.h"

namespace {

constexpr size_t kDisplayLength = 40;

// 1050 "01": the drawer opens (and stays open until someone closes it).
Reply OpenDrawer(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  printer.state.drawerOpen = true;
  return Reply::Data("1050");
}

// 1062 "011", up to two lines of 20 characters, "00".
Reply WriteDisplay(Printer& printer, const std::string& data) {
  if (data.size() < 5 || data.size() > 5 + kDisplayLength || !data.starts_with("011") || !data.ends_with("00"))
    return Reply::Error(PrinterError::kBadValue);
  printer.state.display = Fit(std::string_view(data).substr(3, data.size() - 5), kDisplayLength);
  return Reply::Data("1062");
}

// The card payment layout of 1084: "01", N(9,2) amount, "2", "01", "1".
bool IsCardPayment(const std::string& data) {
  return data.size() == 15 && data.starts_with("01") && data.substr(11) == "2011";
}

std::string Euros(Cents amount) {
  return std::to_string(amount / 100) + "," + Digits(amount % 100, 2);
}

// The card terminal's slip, printed by 1078 "0180001" in a non-fiscal document.
std::vector<std::string> TerminalSlip(const PrinterState& state, Cents amount, const std::string& authorisation,
                                      DateTime when) {
  const bool approved = state.cardOutcome == "00";
  return {"PAGAMENTO CON CARTA",
          "DATA " + when.Format("dd/mm/yyyy hh:nn"),
          "TRANSAZIONE N. " + Digits(state.cardTransactions, 10),
          "IMPORTO EUR " + Euros(amount),
          approved ? "ESITO: APPROVATA   AUT. " + authorisation : "ESITO: NEGATA (" + state.cardOutcome + ")"};
}

// 1084 card payment. The reply: "01", the amount, "2", "01", ddmmyyhhnnss (to 26),
// then the terminal's answer: transaction number (10), answer code (2, "00" =
// approved), amount (9), authorisation code (6), message (20).
Reply CardPayment(Printer& printer, const std::string& data) {
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  const int64_t amount = ReadNumber(data, 2, 9);
  if (amount <= 0) return Reply::Error(PrinterError::kBadValue);
  PrinterState& state = printer.state;
  if (state.cardOutcome == "offline") return Reply::Error(PrinterError::kCardTerminal);
  state.cardTransactions += 1;
  const bool approved = state.cardOutcome == "00";
  const std::string authorisation = approved ? Digits(state.cardTransactions * 7919 % 1000000, 6) : std::string(6, ' ');
  const DateTime now = printer.Now();
  state.terminalReceipt = TerminalSlip(state, amount, authorisation, now);
  const std::string answer = Digits(state.cardTransactions, 10) + state.cardOutcome + Digits(amount, 9) +
                             authorisation + Fit(approved ? "TRANSAZIONE ESEGUITA" : "TRANSAZIONE NEGATA", 20);
  return Reply::Data("1084", data.substr(0, 14) + now.Format("ddmmyyhhnnss") + answer);
}

// 1088 "01": cancels whatever document is open. An open fiscal receipt is printed as
// cancelled and leaves no trace in the counters or the journal; no receipt lines,
// payments, lottery code or programmed lines are left in progress.
Reply ResetPrinter(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  PrinterState& state = printer.state;
  switch (state.document) {
    case DocumentState::None: break;
    case DocumentState::NonFiscal: CloseNonFiscalDocument(printer); break;
    case DocumentState::FiscalReceipt:
    case DocumentState::PaymentStarted:
      printer.PrintLine("*** DOCUMENTO ANNULLATO ***");
      printer.AbandonDocument();
      state.document = DocumentState::None;
      break;
  }
  ClearFiscalDocument(printer);
  return Reply::Data("1088");
}

}  // namespace

void RegisterDeviceCommands(Printer& printer) {
  printer.Register("1050", OpenDrawer);
  printer.Register("1062", WriteDisplay);
  printer.Register("1084", CardPayment, CommandTraits{.slow = true, .prints = false, .accepts = IsCardPayment});
  printer.Register("1088", ResetPrinter, CommandTraits{.slow = true, .prints = false, .accepts = {}});
}
