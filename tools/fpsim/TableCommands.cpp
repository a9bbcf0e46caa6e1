#include "CoreCommands.h"
#include "Printer.h"

namespace {

constexpr size_t kDepartmentLayout = 69;  // the length of a department record

// 4001 ddmmyyhhnn "00": sets the clock. Going back before the last Z report is
// refused, and so is moving to another day while the day has fiscal documents.
Reply SetClock(Printer& printer, const std::string& data) {
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  if (data.size() != 12 || !IsDigits(data) || !data.ends_with("00")) return Reply::Error(PrinterError::kBadDate);
  CivilDateTime civil;
  civil.day = static_cast<int>(ReadNumber(data, 0, 2));
  civil.month = static_cast<int>(ReadNumber(data, 2, 2));
  civil.year = 2000 + static_cast<int>(ReadNumber(data, 4, 2));
  civil.hour = static_cast<int>(ReadNumber(data, 6, 2));
  civil.minute = static_cast<int>(ReadNumber(data, 8, 2));
  if (!DateTime::IsValidCivil(civil)) return Reply::Error(PrinterError::kBadDate);
  const DateTime target = DateTime::FromCivil(civil);
  const PrinterState& state = printer.state;
  if (target < state.lastZReport.DatePart()) return Reply::Error(PrinterError::kEarlierDate);
  if (state.day.fiscalDocuments > 0 && target.DatePart() != printer.Now().DatePart())
    return Reply::Error(PrinterError::kNotNow);
  printer.SetClock(target);
  return Reply::Data("4001");
}

bool IsSwitch(int number) {
  return number == Param::kTraining || number == Param::kNonFiscalHeader || number == Param::kAutoDrawer ||
         number == Param::kHostAck || number == Param::kExplicitEnd || number == Param::kColumns;
}

// 4014 N(2) value: writes a parameter; the known ones take "0" or "1", the others a digit.
Reply WriteParameter(Printer& printer, const std::string& data) {
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  const int64_t number = data.size() == 3 ? ReadNumber(data, 0, 2) : -1;
  const char value = data.size() == 3 ? data[2] : ' ';
  if (number < 1 || value < '0' || value > '9') return Reply::Error(PrinterError::kBadValue);
  if (IsSwitch(static_cast<int>(number)) && value != '0' && value != '1') return Reply::Error(PrinterError::kBadValue);
  printer.state.parameters[static_cast<size_t>(number)] = value;
  return Reply::Data("4014");
}

// 4005 N(2) slot, N(4,2) rate, "00": programs a VAT slot, only while the day has no
// fiscal documents.
Reply WriteVat(Printer& printer, const std::string& data) {
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  const int64_t slot = data.size() == 8 ? ReadNumber(data, 0, 2) : -1;
  const int64_t rate = data.size() == 8 ? ReadNumber(data, 2, 4) : -1;
  if (slot < 1 || slot > 9 || rate < 0 || !data.ends_with("00")) return Reply::Error(PrinterError::kBadValue);
  if (printer.state.day.fiscalDocuments > 0) return Reply::Error(PrinterError::kNotNow);
  printer.state.vatRates[static_cast<size_t>(slot)] = static_cast<int>(rate);
  return Reply::Data("4005");
}

// 4205 N(2): the slot and its rate as N(4,2), "0000" when the slot is free.
Reply ReadVat(Printer& printer, const std::string& data) {
  const int64_t slot = data.size() == 2 ? ReadNumber(data, 0, 2) : -1;
  if (slot < 1 || slot > 9) return Reply::Error(PrinterError::kBadValue);
  return Reply::Data("4205", data + Digits(printer.state.vatRates[static_cast<size_t>(slot)], 4));
}

// The department record, as written by 4002 and read by 4202: number (2),
// description (20), three prices (9 each), flag (1), VAT slot (2), limit (9), tail (8).
std::string DepartmentRecord(int number, const Department& department) {
  std::string record = Digits(number, 2) + Fit(department.description, 20);
  for (Cents price : department.prices) record += Digits(price, 9);
  return record + department.flag + Digits(department.vatSlot, 2) + Digits(department.limit, 9) +
         Fit(department.tail, 8);
}

Reply WriteDepartment(Printer& printer, const std::string& data) {
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  if (data.size() != kDepartmentLayout) return Reply::Error(PrinterError::kBadValue);
  const int64_t number = ReadNumber(data, 0, 2);
  const int64_t vatSlot = ReadNumber(data, 50, 2);
  const int64_t limit = ReadNumber(data, 52, 9);
  if (number < 1 || number > 20 || vatSlot < 0 || vatSlot > 14 || limit < 0) return Reply::Error(PrinterError::kBadValue);
  Department department;
  for (size_t i = 0; i < department.prices.size(); ++i) {
    department.prices[i] = ReadNumber(data, 22 + 9 * i, 9);
    if (department.prices[i] < 0) return Reply::Error(PrinterError::kBadValue);
  }
  if (vatSlot >= 1 && vatSlot <= 9 && printer.state.vatRates[static_cast<size_t>(vatSlot)] == 0)
    return Reply::Error(PrinterError::kNotProgrammed);
  department.description = data.substr(2, 20);
  department.flag = data[49];
  department.vatSlot = static_cast<int>(vatSlot);
  department.limit = limit;
  department.tail = data.substr(61);
  printer.state.departments[static_cast<size_t>(number)] = department;
  return Reply::Data("4002");
}

Reply ReadDepartment(Printer& printer, const std::string& data) {
  const int64_t number = data.size() == 2 ? ReadNumber(data, 0, 2) : -1;
  if (number < 1 || number > 20) return Reply::Error(PrinterError::kBadValue);
  const auto index = static_cast<size_t>(number);
  return Reply::Data("4202", DepartmentRecord(static_cast<int>(number), printer.state.departments[index]));
}

}  // namespace

void RegisterTableCommands(Printer& printer) {
  printer.Register("4001", SetClock);
  printer.Register("4014", WriteParameter);
  printer.Register("4005", WriteVat);
  printer.Register("4205", ReadVat);
  printer.Register("4002", WriteDepartment);
  printer.Register("4202", ReadDepartment);
}
