#include "CoreCommands.h"
#include "Printer.h"

namespace {

// The five status characters of the printer-status reply: paper, spare, drawer,
// document, spare.
std::string StatusField(const PrinterState& state) {
  std::string field = "00000";
  if (state.paper == PaperLevel::End || state.coverOpen) field[0] = '3';
  else if (state.paper == PaperLevel::NearEnd) field[0] = '2';
  field[2] = state.drawerOpen ? '0' : '1';
  switch (state.document) {
    case DocumentState::None: field[3] = '1'; break;
    case DocumentState::FiscalReceipt: field[3] = '0'; break;
    case DocumentState::PaymentStarted: field[3] = '3'; break;
    case DocumentState::NonFiscal: field[3] = '2'; break;
  }
  return field;
}

bool IsMfFirmware(const std::string& firmware) { return firmware.starts_with("1.") || firmware.starts_with("2."); }

// 1074: "01", firmware (5), five spare digits, the status field.
Reply PrinterStatus(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  const PrinterState& state = printer.state;
  return Reply::Data("1074", "01" + Fit(state.firmware, 5) + "00000" + StatusField(state));
}

// 1138: "01", the serial number's RT letter, the main state ("02" RT, "01" MF),
// 33 sub-state digits, the training flag at 39, one spare digit.
Reply RtStatus(Printer& printer, const std::string& data) {
  const PrinterState& state = printer.state;
  if (IsMfFirmware(state.firmware)) return Reply::Error(PrinterError::kNotProvided);
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  const std::string main = state.fiscalMode == "RT" ? "02" : "01";
  return Reply::Data("1138", "01" + state.serialNumber.substr(2, 1) + main + std::string(33, '0') +
                                 (state.Training() ? "1" : "0") + "0");
}

// 2050 "24nn": the request echoed, the current closing number, seven spare digits,
// the fiscal documents of the day (9 digits, at 16-24), the day's sales in cents (9).
Reply DailyData(Printer& printer, const std::string& data) {
  if (data.size() != 4 || !data.starts_with("24") || !IsDigits(data)) return Reply::Error(PrinterError::kBadValue);
  const PrinterState& state = printer.state;
  return Reply::Data("2050", data + Digits(state.zReportNumber + 1, 4) + std::string(7, '0') +
                                 Digits(state.day.fiscalDocuments, 9) + Digits(state.day.sales, 9));
}

// 3217: "01", the six digits, the two letters and the two leading digits of the serial number.
Reply SerialNumber(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  const std::string& serial = printer.state.serialNumber;
  return Reply::Data("3217", "01" + serial.substr(5, 6) + serial.substr(3, 2) + serial.substr(0, 2));
}

// 4201: ddmmyyhhnnss of the printer's clock.
Reply ReadClock(Printer& printer, const std::string& data) {
  if (!data.empty()) return Reply::Error(PrinterError::kBadValue);
  return Reply::Data("4201", printer.Now().Format("ddmmyyhhnnss"));
}

// 4214 N(2): the parameter number and its one-character value.
Reply ReadParameter(Printer& printer, const std::string& data) {
  const int64_t number = data.size() == 2 ? ReadNumber(data, 0, 2) : -1;
  if (number < 1) return Reply::Error(PrinterError::kBadValue);
  return Reply::Data("4214", data + printer.state.Parameter(static_cast<int>(number)));
}

}  // namespace

void RegisterStatusCommands(Printer& printer) {
  printer.Register("1074", PrinterStatus);
  printer.Register("1138", RtStatus);
  printer.Register("2050", DailyData);
  printer.Register("3217", SerialNumber);
  printer.Register("4201", ReadClock);
  printer.Register("4214", ReadParameter);
}
