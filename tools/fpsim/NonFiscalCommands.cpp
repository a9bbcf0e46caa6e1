#include "CoreCommands.h"
#include "Printer.h"

#include <map>

namespace {

constexpr size_t kMaxLine = 46;

// 1063 "01": opens a non-fiscal document, with the shop header when parameter 11 says so.
Reply OpenNonFiscal(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  PrinterState& state = printer.state;
  if (state.document == DocumentState::NonFiscal) return Reply::Error(PrinterError::kWrongSequence);
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  state.document = DocumentState::NonFiscal;
  state.nonFiscalNumber += 1;
  printer.BeginDocument(DocumentType::NonFiscal, state.nonFiscalNumber);
  if (state.Parameter(Param::kNonFiscalHeader) == '1') printer.PrintHeader();
  return Reply::Data("1063");
}

// 1064 "01", size code (1-4), the text (up to 46 characters; 0x7F is an empty line).
Reply PrintNonFiscalLine(Printer& printer, const std::string& data) {
  if (printer.state.document != DocumentState::NonFiscal) return Reply::Error(PrinterError::kWrongSequence);
  if (data.size() < 3 || !data.starts_with("01") || data[2] < '1' || data[2] > '4')
    return Reply::Error(PrinterError::kBadValue);
  if (data.size() - 3 > kMaxLine) return Reply::Error(PrinterError::kInvalidText);
  printer.PrintLine(std::string_view(data).substr(3), data[2] - '0');
  return Reply::Data("1064");
}

// Checks a barcode value against its symbology: a digit count for the EAN/UPC
// families, the code set prefix for CODE128.
bool ValidBarcode(const std::string& type, const std::string& value) {
  static const std::map<std::string, std::pair<size_t, size_t>> digitCounts = {
      {"67", {12, 13}}, {"68", {7, 8}}, {"65", {11, 12}}, {"66", {6, 8}}};
  if (value.empty()) return false;
  if (const auto found = digitCounts.find(type); found != digitCounts.end())
    return IsDigits(value) && value.size() >= found->second.first && value.size() <= found->second.second;
  if (type == "73") return value.starts_with("{") && value.size() > 2;
  return type == "92" || type == "69";
}

// 1075 "01", thirteen layout characters ending in the symbology, the value.
Reply PrintBarcode(Printer& printer, const std::string& data) {
  if (printer.state.document == DocumentState::None) return Reply::Error(PrinterError::kWrongSequence);
  if (data.size() < 16 || !data.starts_with("01") || !IsDigits(std::string_view(data).substr(2, 13)))
    return Reply::Error(PrinterError::kBadValue);
  const std::string type = data.substr(13, 2);
  const std::string value = data.substr(15);
  if (!ValidBarcode(type, value)) return Reply::Error(PrinterError::kBadValue);
  printer.PrintLine((type == "92" ? "[QR CODE " : "[BARCODE ") + value + "]");
  return Reply::Data("1075");
}

// 1078 "0180001": prints the card terminal's slip of the last card payment.
Reply PrintTerminalSlip(Printer& printer, const std::string&) {
  if (printer.state.document != DocumentState::NonFiscal) return Reply::Error(PrinterError::kWrongSequence);
  if (printer.state.terminalReceipt.empty()) return Reply::Error(PrinterError::kNoData);
  for (const std::string& line : printer.state.terminalReceipt) printer.PrintLine(line);
  return Reply::Data("1078");
}

// 1065 "01": closes the non-fiscal document.
Reply CloseNonFiscal(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  if (printer.state.document != DocumentState::NonFiscal) return Reply::Error(PrinterError::kWrongSequence);
  CloseNonFiscalDocument(printer);
  return Reply::Data("1065");
}

}  // namespace

void CloseNonFiscalDocument(Printer& printer) {
  PrinterState& state = printer.state;
  printer.PrintLine("");
  printer.PrintLine(printer.Now().Format("dd-mm-yyyy hh:nn") + "   DOC.N." + Digits(state.nonFiscalNumber, 4));
  printer.PrintLine("NON FISCALE");
  printer.EndDocument();
  state.document = DocumentState::None;
}

void RegisterNonFiscalCommands(Printer& printer) {
  const CommandTraits printing{.slow = false, .prints = true, .accepts = {}};
  printer.Register("1063", OpenNonFiscal, printing);
  printer.Register("1064", PrintNonFiscalLine, printing);
  printer.Register("1075", PrintBarcode, printing);
  printer.Register("1078", PrintTerminalSlip,
                   CommandTraits{.slow = false, .prints = true, .accepts = [](const std::string& data) { return data == "0180001"; }});
  printer.Register("1065", CloseNonFiscal, CommandTraits{.slow = true, .prints = true, .accepts = {}});
}
