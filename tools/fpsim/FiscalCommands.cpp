#include "FiscalCommands.h"

#include "FieldReaders.h"
#include "Printer.h"
#include "ReceiptAmounts.h"
#include "ReceiptLayout.h"
#include "runtime/Text.h"

#include <algorithm>
#include <optional>
#include <sstream>

namespace {

const std::string kSaleItem = "1080";
const std::string kReturnItem = "1081";
const std::string kDeductedItem = "1082";
const std::string kAdjustment = "1083";

size_t Width(const PrinterState& state) { return static_cast<size_t>(state.Columns()); }
bool IsRt(const PrinterState& state) { return state.fiscalMode == "RT"; }
bool IsItem(const ReceiptLine& line) {
  return line.command == kSaleItem || line.command == kReturnItem || line.command == kDeductedItem;
}
bool IsRefundOrVoid(DocumentType type) { return type == DocumentType::Refund || type == DocumentType::Void; }

// The receipt that a refund or a void names: "cccc nnnn ddmmyyyy serial".
struct Reference {
  int closing = 0;
  int number = 0;
  DateTime day;
  std::string serial;
};

std::optional<Reference> ParseReference(const std::string& text) {
  std::istringstream words(text);
  std::string closing, number, date, serial, extra;
  if (!(words >> closing >> number >> date >> serial) || (words >> extra)) return std::nullopt;
  const auto day = ReadDate(date, 0, 4);
  if (closing.size() != 4 || number.size() != 4 || date.size() != 8 || !IsDigits(closing) || !IsDigits(number) || !day)
    return std::nullopt;
  return Reference{std::stoi(closing), std::stoi(number), *day, serial};
}

// The referenced document when the reference names this printer exactly (a serial
// number in lower case asks the printer to skip its journal check).
JournalDocument* OwnDocument(PrinterState& state, const Reference& reference) {
  if (reference.serial != state.serialNumber) return nullptr;
  return state.journal.FindFiscal(reference.day, reference.number, reference.closing);
}

// ---- opening and heading ----

void PrintReferenceLines(Printer& printer) {
  PrinterState& state = printer.state;
  const auto reference = ParseReference(state.reference);
  if (!reference) return;
  const size_t width = Width(state);
  printer.PrintLine(Centred("Documento di riferimento:", width));
  printer.PrintLine(Centred("N. " + Digits(reference->closing, 4) + "-" + Digits(reference->number, 4) + " del " +
                                reference->day.Format("dd-mm-yyyy"),
                            width));
  if (reference->serial != state.serialNumber) printer.PrintLine(Centred(reference->serial, width));
}

void PrintHeading(Printer& printer) {
  PrinterState& state = printer.state;
  const size_t width = Width(state);
  if (!state.headerLines.empty()) {
    for (const ProgrammedLine& line : state.headerLines) printer.PrintLine(line.text, line.size);
    return;
  }
  switch (state.documentType) {
    case DocumentType::Sale:
      if (IsRt(state)) {
        printer.PrintLine(Centred("DOCUMENTO COMMERCIALE", width));
        printer.PrintLine(Centred("di vendita o prestazione", width));
      }
      break;
    case DocumentType::Refund:
      printer.PrintLine(Centred(IsRt(state) ? "DOCUMENTO COMMERCIALE" : "NOTA DI CREDITO", width));
      printer.PrintLine(Centred("emesso per RESO MERCE", width));
      PrintReferenceLines(printer);
      break;
    case DocumentType::Void:
      printer.PrintLine(Centred("DOCUMENTO COMMERCIALE", width));
      printer.PrintLine(Centred("emesso per ANNULLAMENTO", width));
      PrintReferenceLines(printer);
      break;
    case DocumentType::Invoice:
      printer.PrintLine(Centred("FATTURA N. " + Digits(state.documentNumber, 4), width));
      for (const std::string& line : state.customer)
        if (!Trim(line).empty()) printer.PrintLine(Trim(line));
      if (state.invoiceFromReceipt) printer.PrintLine("RIF. SCONTRINO N. " + state.reference);
      break;
    default:
      break;
  }
  if (IsRt(state)) {
    printer.PrintLine(Fit("DESCRIZIONE", width - 12) + "IVA   Prezzo");
  } else {
    printer.PrintLine(LabelValueLine("", "EURO", width));
  }
}

void OpenDocument(Printer& printer, DocumentType type, int number) {
  PrinterState& state = printer.state;
  state.document = DocumentState::FiscalReceipt;
  state.documentType = type;
  state.documentNumber = number;
  state.lines.clear();
  state.payments.clear();
  state.lotteryCode.clear();
  state.trailerLines.clear();
  printer.BeginDocument(type, number);
  printer.PrintHeader();
  PrintHeading(printer);
}

void OpenSale(Printer& printer) { OpenDocument(printer, DocumentType::Sale, printer.state.receiptNumber + 1); }

// The error a line of a fiscal document gets in the current state (0: none; with no
// document open the line opens a sale).
int LineError(const PrinterState& state) {
  switch (state.document) {
    case DocumentState::None:
    case DocumentState::FiscalReceipt: return 0;
    case DocumentState::PaymentStarted: return PrinterError::kClosePayment;
    case DocumentState::NonFiscal: return PrinterError::kWrongSequence;
  }
  return PrinterError::kWrongSequence;
}

// ---- totals and closing ----

void PrintTotals(Printer& printer) {
  PrinterState& state = printer.state;
  const size_t width = Width(state);
  printer.PrintLine(AmountLine("TOTALE COMPLESSIVO", DocumentTotal(state.lines), width), 2);
  if (!IsRt(state)) return;
  Cents vat = 0;
  const SlotAmounts amounts = AmountsBySlot(state.lines);
  for (size_t slot = 0; slot < amounts.size(); ++slot) vat += VatOf(amounts[slot], RateOfSlot(state, static_cast<int>(slot)));
  printer.PrintLine(AmountLine("di cui IVA", vat, width));
}

// The first payment prints the total and starts the payment phase.
void StartPayment(Printer& printer) {
  if (printer.state.document != DocumentState::FiscalReceipt) return;
  PrintTotals(printer);
  printer.state.document = DocumentState::PaymentStarted;
}

void AddToTotals(Totals& totals, const PrinterState& state, const SlotAmounts& amounts) {
  const Cents total = DocumentTotal(state.lines);
  totals.fiscalDocuments += 1;
  const auto addSlots = [&](Cents VatTotals::*field, int sign) {
    for (size_t slot = 0; slot < amounts.size(); ++slot) {
      totals.vat[slot].*field += amounts[slot];
      totals.vat[slot].tax += sign * VatOf(amounts[slot], RateOfSlot(state, static_cast<int>(slot)));
    }
  };
  switch (state.documentType) {
    case DocumentType::Refund:
      totals.refundDocuments += 1;
      totals.refunds += total;
      addSlots(&VatTotals::refunds, -1);
      return;
    case DocumentType::Void:
      totals.voidDocuments += 1;
      totals.voids += total;
      addSlots(&VatTotals::voids, -1);
      return;
    case DocumentType::Invoice:
      totals.invoices += 1;
      if (state.invoiceFromReceipt) return;
      break;
    default:
      totals.receipts += 1;
      break;
  }
  totals.sales += total;
  for (const ReceiptLine& line : state.lines) {
    if (line.command == kAdjustment && (line.kind == '0' || line.kind == '1')) totals.discounts -= line.amount;
    if (line.command == kReturnItem) totals.returns -= line.amount;
  }
  addSlots(&VatTotals::sales, 1);
}

void PrintClosingLines(Printer& printer) {
  PrinterState& state = printer.state;
  const size_t width = Width(state);
  const Cents total = DocumentTotal(state.lines);
  const Cents paid = PaidTotal(state.payments);
  if (!state.payments.empty() && paid > total) printer.PrintLine(AmountLine("RESTO", paid - total, width));
  for (const ProgrammedLine& line : state.trailerLines) printer.PrintLine(line.text, line.size);
  if (!state.lotteryCode.empty()) printer.PrintLine("Codice Lotteria: " + state.lotteryCode);
  if (state.Training()) printer.PrintLine(Centred("*** TRAINING - NON FISCALE ***", width));
  std::string number;
  if (state.documentType == DocumentType::Invoice) {
    number = "FATTURA N. " + Digits(state.documentNumber, 4);
  } else if (IsRt(state)) {
    number = "DOC.N. " + Digits(state.zReportNumber + 1, 4) + "-" + Digits(state.documentNumber, 4);
  } else {
    number = "SCONTRINO N. " + Digits(state.documentNumber, 4);
  }
  printer.PrintLine(LabelValueLine(printer.Now().Format("dd-mm-yyyy hh:nn"), number, width));
  printer.PrintLine(Centred((IsRt(state) ? "RT " : "MF ") + state.serialNumber, width));
}

void CloseDocument(Printer& printer) {
  PrinterState& state = printer.state;
  StartPayment(printer);
  PrintClosingLines(printer);
  const SlotAmounts amounts = AmountsBySlot(state.lines);
  const DateTime now = printer.Now();
  printer.EndDocument();
  if (JournalDocument* filed = state.journal.FindFiscal(now, state.documentNumber, state.zReportNumber + 1)) {
    filed->vatAmounts.assign(amounts.begin(), amounts.end());
    filed->lotteryCode = state.lotteryCode;
  }
  if (!state.Training()) {
    AddToTotals(state.day, state, amounts);
    AddToTotals(state.grand, state, amounts);
  }
  if (state.documentType == DocumentType::Invoice) {
    state.invoiceNumber = state.documentNumber;
    state.nextInvoiceNumber = 0;
  } else {
    state.receiptNumber = state.documentNumber;
  }
  if (IsRefundOrVoid(state.documentType)) {
    if (const auto reference = ParseReference(state.reference)) {
      if (JournalDocument* original = OwnDocument(state, *reference)) {
        (state.documentType == DocumentType::Refund ? original->refunded : original->voided) = true;
      }
    }
  }
  for (const ReceiptPayment& payment : state.payments)
    if (payment.tender.starts_with("0") && state.Parameter(Param::kAutoDrawer) == '1') state.drawerOpen = true;
  ClearFiscalDocument(printer);
}

// ---- opening commands ----

// A void of a receipt in this printer's journal: the printer voids every VAT amount
// of the original and closes the document at once.
void VoidFromJournal(Printer& printer, const JournalDocument& original) {
  PrinterState& state = printer.state;
  OpenDocument(printer, DocumentType::Void, state.receiptNumber + 1);
  for (size_t slot = 0; slot < original.vatAmounts.size(); ++slot) {
    const Cents amount = original.vatAmounts[slot];
    if (amount == 0) continue;
    state.lines.push_back(ReceiptLine{kReturnItem, "ANNULLAMENTO", 1000, amount, amount, 0, static_cast<int>(slot), ' '});
    printer.PrintLine(ItemLine("ANNULLAMENTO", VatLabel(state, static_cast<int>(slot)), amount, Width(state)));
  }
  CloseDocument(printer);
}

// A descriptive line with no document open opens one: in RT mode "REFUND" and "VOID"
// followed by the reference open a refund or a void, in MF mode "PRATICA DI RESO" a
// refund (credit note); any other text opens a sale.
Reply OpenWithText(Printer& printer, const std::string& text, int size) {
  PrinterState& state = printer.state;
  const bool refund = IsRt(state) && text.starts_with("REFUND ");
  const bool voiding = IsRt(state) && text.starts_with("VOID ");
  if (refund || voiding) {
    const std::string referenceText = Trim(text.substr(refund ? 7 : 5));
    const auto reference = ParseReference(referenceText);
    if (!reference) return Reply::Error(PrinterError::kBadValue);
    const bool own = reference->serial == state.serialNumber;
    const JournalDocument* original = OwnDocument(state, *reference);
    if (own && !original) return Reply::Error(PrinterError::kNoData);
    if (original && (original->type != DocumentType::Sale || original->refunded || original->voided))
      return Reply::Error(PrinterError::kNotPossible);
    state.reference = referenceText;
    if (voiding && original) {
      VoidFromJournal(printer, *original);
    } else {
      OpenDocument(printer, refund ? DocumentType::Refund : DocumentType::Void, state.receiptNumber + 1);
    }
    return Reply::Data("1078");
  }
  if (!IsRt(state) && text.starts_with("PRATICA DI RESO")) {
    state.reference.clear();
    OpenDocument(printer, DocumentType::Refund, state.receiptNumber + 1);
  } else {
    OpenSale(printer);
  }
  printer.PrintLine(text, size);
  return Reply::Data("1078");
}

// 1085 "01": opens a sale.
Reply OpenSaleCommand(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  OpenSale(printer);
  return Reply::Data("1085");
}

// 1089 "01" + N(5) invoice number, and 1052 "01" + N(5) receipt number: open an
// invoice, or an invoice that bills that receipt. The invoice takes the number set
// with 4025, else the number 1089 gives, else the one after the last invoice.
Reply OpenInvoice(Printer& printer, const std::string& data, bool fromReceipt) {
  if (data.size() != 7 || !data.starts_with("01") || !IsDigits(data.substr(2)))
    return Reply::Error(PrinterError::kBadValue);
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  PrinterState& state = printer.state;
  const int given = fromReceipt ? 0 : static_cast<int>(ReadNumber(data, 2, 5));
  const int number = state.nextInvoiceNumber > 0 ? state.nextInvoiceNumber : given > 0 ? given : state.invoiceNumber + 1;
  state.invoiceFromReceipt = fromReceipt;
  state.reference = fromReceipt ? data.substr(2) : std::string();
  OpenDocument(printer, DocumentType::Invoice, number);
  return Reply::Data(fromReceipt ? "1052" : "1089");
}

// 4025 N(4) invoice number, "99", "00", "1", 14 blanks, "00": the number of the next invoice.
Reply SetInvoiceNumber(Printer& printer, const std::string& data) {
  if (data.size() != 25 || !IsDigits(data.substr(0, 4)) || data.substr(4) != "99001" + std::string(14, ' ') + "00")
    return Reply::Error(PrinterError::kBadValue);
  if (const int error = printer.NoDocumentError()) return Reply::Error(error);
  const int number = static_cast<int>(ReadNumber(data, 0, 4));
  if (number == 0) return Reply::Error(PrinterError::kBadValue);
  printer.state.nextInvoiceNumber = number;
  return Reply::Data("4025");
}

// ---- 1078: text lines ----

void Program(std::vector<ProgrammedLine>& lines, size_t number, const std::string& text, int size) {
  if (lines.size() < number) lines.resize(number);
  lines[number - 1] = ProgrammedLine{text, size};
}

// 1078 "01", kind, N(2) line number, "0", size code, text. Kinds: "4" a descriptive
// line of the open document (or the line that opens one), "2" a trailer line of the
// open document, "1" a heading line of the next document, "6" a customer line (1-4)
// of the next invoice.
Reply TextLine(Printer& printer, const std::string& data) {
  const int64_t number = ReadNumber(data, 3, 2);
  const int size = data.size() > 6 ? data[6] - '0' : 0;
  if (data.size() < 7 || !data.starts_with("01") || number < 0 || data[5] != '0' || size < 1 || size > 4)
    return Reply::Error(PrinterError::kBadValue);
  PrinterState& state = printer.state;
  const std::string text = data.substr(7);
  switch (data[2]) {
    case '4':
      if (state.document == DocumentState::NonFiscal) return Reply::Error(PrinterError::kWrongSequence);
      if (state.document == DocumentState::None) return OpenWithText(printer, text, size);
      printer.PrintLine(text, size);
      return Reply::Data("1078");
    case '2':
      if (number < 1) return Reply::Error(PrinterError::kBadValue);
      if (state.document == DocumentState::NonFiscal) return Reply::Error(PrinterError::kWrongSequence);
      Program(state.trailerLines, static_cast<size_t>(number), text, size);
      return Reply::Data("1078");
    case '1':
      if (number < 1) return Reply::Error(PrinterError::kBadValue);
      if (state.document != DocumentState::None) return Reply::Error(PrinterError::kWrongSequence);
      Program(state.headerLines, static_cast<size_t>(number), text, size);
      return Reply::Data("1078");
    case '6':
      if (number < 1 || number > 4) return Reply::Error(PrinterError::kBadValue);
      if (state.document != DocumentState::None) return Reply::Error(PrinterError::kWrongSequence);
      if (state.customer.size() < 4) state.customer.resize(4);
      state.customer[static_cast<size_t>(number - 1)] = text;
      return Reply::Data("1078");
    default:
      return Reply::Error(PrinterError::kBadValue);
  }
}

// ---- item lines ----

struct Item {
  std::string description;
  int64_t quantity = 0;  // thousandths
  Cents price = 0;
  int department = 0;
};

// "01", T(columns - 8) description, N(7,3) quantity, N(9,2) price, department, "1".
std::optional<Item> ParseItem(const std::string& data, size_t columns) {
  const size_t descriptionWidth = columns - 8;
  const size_t tail = 2 + descriptionWidth + 16;
  if (data.size() < tail + 2 || !data.starts_with("01") || data.back() != '1') return std::nullopt;
  Item item;
  item.description = Trim(std::string_view(data).substr(2, descriptionWidth));
  item.quantity = ReadNumber(data, 2 + descriptionWidth, 7);
  item.price = ReadNumber(data, 2 + descriptionWidth + 7, 9);
  const std::string department = data.substr(tail, data.size() - tail - 1);
  if (item.quantity <= 0 || item.price < 0 || !IsDigits(department) || department.size() > 2) return std::nullopt;
  item.department = std::stoi(department);
  if (item.department < 1 || item.department > 20) return std::nullopt;
  return item;
}

// 1080 sale, 1081 return (a refund line in a refund or a void), 1082 deduction.
Reply ItemLineCommand(Printer& printer, const std::string& data, const std::string& code) {
  PrinterState& state = printer.state;
  if (const int error = LineError(state)) return Reply::Error(error);
  const auto item = ParseItem(data, Width(state));
  if (!item) return Reply::Error(PrinterError::kBadValue);
  const Department& department = state.departments[static_cast<size_t>(item->department)];
  const int slot = department.vatSlot;
  if (slot < 0 || slot > 14 || (slot >= 1 && slot <= 9 && RateOfSlot(state, slot) == 0))
    return Reply::Error(PrinterError::kNotProgrammed);
  const Cents value = (item->quantity * item->price + 500) / 1000;
  if (department.limit > 0 && value > department.limit) return Reply::Error(PrinterError::kOverLimit);
  const bool refundDocument = state.document != DocumentState::None && IsRefundOrVoid(state.documentType);
  if (code == kSaleItem && refundDocument) return Reply::Error(PrinterError::kWrongSequence);
  if (state.document == DocumentState::None) OpenSale(printer);

  const Cents amount = code == kSaleItem || (code == kReturnItem && refundDocument) ? value : -value;
  state.lines.push_back(
      ReceiptLine{code, item->description, item->quantity, item->price, amount, item->department, slot, ' '});
  if (item->quantity != 1000) printer.PrintLine("  " + QuantityText(item->quantity) + " x " + MoneyText(item->price));
  const std::string shown = code == kReturnItem && !refundDocument ? "RESO " + item->description : item->description;
  printer.PrintLine(ItemLine(shown, VatLabel(state, slot), amount, Width(state)));
  return Reply::Data(code);
}

// 1083 "01", T(32) description, N(9,2) amount, kind, "00", "1". Kinds: "0" discount and
// "5" mark-up on the last item, "1" discount and "6" mark-up on the subtotal. A discount
// larger than what it reduces is refused.
Reply AdjustmentCommand(Printer& printer, const std::string& data) {
  PrinterState& state = printer.state;
  if (const int error = LineError(state)) return Reply::Error(error);
  const char kind = data.size() == 47 ? data[43] : ' ';
  const Cents value = ReadNumber(data, 34, 9);
  if (data.size() != 47 || !data.starts_with("01") || data.substr(44) != "001" || value < 0 ||
      std::string_view("0156").find(kind) == std::string_view::npos)
    return Reply::Error(PrinterError::kBadValue);
  if (state.document == DocumentState::None) return Reply::Error(PrinterError::kWrongSequence);
  const bool discount = kind == '0' || kind == '1';
  const bool onItem = kind == '0' || kind == '5';
  Cents amount = discount ? -value : value;
  int slot = kWholeDocument;
  if (onItem) {
    size_t last = state.lines.size();
    for (size_t i = 0; i < state.lines.size(); ++i)
      if (IsItem(state.lines[i])) last = i;
    if (last == state.lines.size()) return Reply::Error(PrinterError::kWrongSequence);
    Cents net = 0;
    for (size_t i = last; i < state.lines.size(); ++i) net += state.lines[i].amount;
    if (discount && value > (net < 0 ? -net : net)) return Reply::Error(PrinterError::kOverValue);
    if (net < 0) amount = -amount;
    slot = state.lines[last].vatSlot;
  } else if (discount && value > DocumentTotal(state.lines)) {
    return Reply::Error(PrinterError::kOverValue);
  }
  const std::string description = Trim(std::string_view(data).substr(2, 32));
  state.lines.push_back(ReceiptLine{kAdjustment, description, 0, value, amount, 0, slot, kind});
  printer.PrintLine(ItemLine(description, onItem ? VatLabel(state, slot) : "", amount, Width(state)));
  return Reply::Data(kAdjustment);
}

// 1086 "01000": prints the subtotal.
Reply SubtotalCommand(Printer& printer, const std::string& data) {
  if (!data.starts_with("01")) return Reply::Error(PrinterError::kBadValue);
  PrinterState& state = printer.state;
  if (state.document != DocumentState::FiscalReceipt && state.document != DocumentState::PaymentStarted)
    return Reply::Error(PrinterError::kWrongSequence);
  printer.PrintLine(AmountLine("SUBTOTALE", DocumentTotal(state.lines), Width(state)));
  return Reply::Data("1086");
}

// ---- payments and closing ----

std::string TenderName(const std::string& tender) {
  switch (tender[0]) {
    case '0': return "CONTANTI";
    case '1': return "ASSEGNI";
    case '2': return "PAGAMENTO ELETTRONICO";
    default: return "NON RISCOSSO";
  }
}

bool InPaymentDocument(const PrinterState& state) {
  return (state.document == DocumentState::FiscalReceipt || state.document == DocumentState::PaymentStarted) &&
         !state.lines.empty();
}

// 1084 "01", T(32) description, N(9,2) amount (0: the rest), tender code, "1". Tender
// codes: "0xx" cash, "1xx" cheque, "2xx" electronic, "3xx" not paid or ticket; only cash
// may exceed the rest. The reply: "01", "1" when the document is paid ("0" otherwise),
// N(9,2) the change (or the rest still due), ddmmyyhhnn, N(4) the document number.
// A paid document closes at once unless parameter 29 asks for the end command 1087.
Reply PaymentCommand(Printer& printer, const std::string& data) {
  const std::string tender = data.size() == 47 ? data.substr(43, 3) : std::string();
  const Cents given = ReadNumber(data, 34, 9);
  if (data.size() != 47 || !data.starts_with("01") || data.back() != '1' || !IsDigits(tender) || tender[0] > '3' ||
      given < 0)
    return Reply::Error(PrinterError::kBadValue);
  PrinterState& state = printer.state;
  if (!InPaymentDocument(state)) return Reply::Error(PrinterError::kWrongSequence);
  const Cents total = DocumentTotal(state.lines);
  const Cents due = total - PaidTotal(state.payments);
  if (state.document == DocumentState::PaymentStarted && due <= 0) return Reply::Error(PrinterError::kWrongSequence);
  const Cents amount = given == 0 ? std::max<Cents>(due, 0) : given;
  if (tender[0] != '0' && amount > std::max<Cents>(due, 0)) return Reply::Error(PrinterError::kOverValue);

  StartPayment(printer);
  const std::string description = Trim(std::string_view(data).substr(2, 32));
  state.payments.push_back(ReceiptPayment{description, amount, tender});
  printer.PrintLine(AmountLine(description.empty() ? TenderName(tender) : description, amount, Width(state)));
  const Cents rest = due - amount;
  const bool paid = rest <= 0;
  const std::string reply = std::string("01") + (paid ? "1" : "0") + Digits(paid ? -rest : rest, 9) +
                            printer.Now().Format("ddmmyyhhnn") + Digits(state.documentNumber, 4);
  if (paid && state.Parameter(Param::kExplicitEnd) != '1') CloseDocument(printer);
  return Reply::Data("1084", reply);
}

// 1087 "01": closes the fiscal document; what is still due is paid in cash.
Reply CloseCommand(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  PrinterState& state = printer.state;
  if (!InPaymentDocument(state)) return Reply::Error(PrinterError::kWrongSequence);
  const Cents due = DocumentTotal(state.lines) - PaidTotal(state.payments);
  if (due > 0) {
    StartPayment(printer);
    state.payments.push_back(ReceiptPayment{"CONTANTI", due, "000"});
    printer.PrintLine(AmountLine("CONTANTI", due, Width(state)));
  }
  CloseDocument(printer);
  return Reply::Data("1087");
}

// 1135 "01", T(16) lottery code, four blanks: the customer's lottery code (eight
// letters or digits) for the open sale, RT mode only.
Reply LotteryCodeCommand(Printer& printer, const std::string& data) {
  PrinterState& state = printer.state;
  if (!IsRt(state)) return Reply::Error(PrinterError::kNotProvided);
  const std::string code = data.size() == 22 ? Trim(data.substr(2, 16)) : std::string();
  const bool alphanumeric = std::all_of(code.begin(), code.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
  });
  if (!data.starts_with("01") || data.size() != 22 || data.substr(18) != "    " || code.size() != 8 || !alphanumeric)
    return Reply::Error(PrinterError::kBadValue);
  if (state.document != DocumentState::FiscalReceipt || state.documentType != DocumentType::Sale)
    return Reply::Error(PrinterError::kWrongSequence);
  state.lotteryCode = code;
  return Reply::Data("1135");
}

// 9205 kind ("1" refund, "2" void), T(11) serial number, ddmmyyyy, N(4) number,
// N(4) closing: may that receipt be refunded or voided? The answer (reply data
// character 1): "0" yes, the receipt is in this printer's journal (a void then needs
// no lines); "1" yes, the printer does not check it (another printer's receipt, or
// this printer's serial number in lower case) and the lines follow; "2" not found;
// "3" already refunded; "4" already voided; "5" it is a refund; "6" it is a void.
Reply RefundVoidCheck(Printer& printer, const std::string& data) {
  PrinterState& state = printer.state;
  if (!IsRt(state)) return Reply::Error(PrinterError::kNotProvided);
  const auto day = ReadDate(data, 12, 4);
  const int64_t number = ReadNumber(data, 20, 4), closing = ReadNumber(data, 24, 4);
  if (data.size() != 28 || (data[0] != '1' && data[0] != '2') || !day || number < 0 || closing < 0)
    return Reply::Error(PrinterError::kBadValue);
  const std::string serial = Trim(data.substr(1, 11));
  if (serial != state.serialNumber) return Reply::Data("9205", "1");
  const JournalDocument* original = state.journal.FindFiscal(*day, static_cast<int>(number), static_cast<int>(closing));
  char answer = '0';
  if (!original) answer = '2';
  else if (original->type == DocumentType::Refund) answer = '5';
  else if (original->type == DocumentType::Void) answer = '6';
  else if (original->voided) answer = '4';
  else if (original->refunded) answer = '3';
  return Reply::Data("9205", std::string(1, answer));
}

// 1070 "01": "01" and N(4) the number the next fiscal document will carry.
Reply NextNumberCommand(Printer& printer, const std::string& data) {
  if (data != "01") return Reply::Error(PrinterError::kBadValue);
  return Reply::Data("1070", "01" + Digits(printer.state.receiptNumber + 1, 4));
}

// 2052 (no data): "01", N(12,2) the grand total (sales less refunds and voids), N(4)
// the number of the last Z report.
Reply GrandTotalCommand(Printer& printer, const std::string& data) {
  if (!data.empty()) return Reply::Error(PrinterError::kBadValue);
  const Totals& grand = printer.state.grand;
  return Reply::Data("2052", "01" + Digits(grand.sales - grand.refunds - grand.voids, 12) +
                                 Digits(printer.state.zReportNumber, 4));
}

}  // namespace

void ClearFiscalDocument(Printer& printer) {
  PrinterState& state = printer.state;
  state.document = DocumentState::None;
  state.lines.clear();
  state.payments.clear();
  state.lotteryCode.clear();
  state.reference.clear();
  state.invoiceFromReceipt = false;
  state.customer.clear();
  state.headerLines.clear();
  state.trailerLines.clear();
}

void RegisterFiscalCommands(Printer& printer) {
  const CommandTraits printing{.slow = false, .prints = true, .accepts = {}};
  const CommandTraits slowPrinting{.slow = true, .prints = true, .accepts = {}};
  const CommandTraits query{.slow = false, .prints = false, .accepts = {}};
  const auto item = [](const std::string& code) {
    return [code](Printer& p, const std::string& data) { return ItemLineCommand(p, data, code); };
  };
  printer.Register("1085", OpenSaleCommand, printing);
  printer.Register("1089", [](Printer& p, const std::string& d) { return OpenInvoice(p, d, false); }, printing);
  printer.Register("1052", [](Printer& p, const std::string& d) { return OpenInvoice(p, d, true); }, printing);
  printer.Register("4025", SetInvoiceNumber, query);
  printer.Register("1078", TextLine, printing);
  printer.Register(kSaleItem, item(kSaleItem), printing);
  printer.Register(kReturnItem, item(kReturnItem), printing);
  printer.Register(kDeductedItem, item(kDeductedItem), printing);
  printer.Register(kAdjustment, AdjustmentCommand, printing);
  printer.Register("1086", SubtotalCommand, printing);
  printer.Register("1084", PaymentCommand, slowPrinting);
  printer.Register("1087", CloseCommand, slowPrinting);
  printer.Register("1135", LotteryCodeCommand, query);
  printer.Register("9205", RefundVoidCheck, query);
  printer.Register("1070", NextNumberCommand, query);
  printer.Register("2052", GrandTotalCommand, query);
}
