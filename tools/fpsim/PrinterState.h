#pragma once
// Everything the simulated printer remembers: identity and mode, parameters, clock,
// mechanics (paper, cover, drawer, display, card terminal), tables, the document in
// progress, counters and totals, and the electronic journal.
//
// The state is plain data, saved to and loaded from the state file by Serialize.
// To add a member: declare it in the section of the subsystem that uses it and add
// one io.Field line for it in that section's Serialize function (SerializeCore for
// the core section, SerializeDocuments for the fiscal documents and reports section).
// A member missing from an older state file keeps its default on load.

#include "Journal.h"
#include "StateIO.h"
#include "runtime/DateTime.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

// Amounts are held the way the printer counts them: whole cents.
using Cents = int64_t;

enum class PaperLevel { Ok, NearEnd, End };

// The document that the printer has open.
enum class DocumentState { None, FiscalReceipt, NonFiscal, PaymentStarted };

// Parameters that the printer keeps under a number (read with 4214, written with 4014).
namespace Param {
constexpr int kTraining = 1;          // "1": training mode, documents are not fiscal
constexpr int kNonFiscalHeader = 11;  // "1": non-fiscal documents start with the shop header
constexpr int kAutoDrawer = 13;       // "1": the drawer opens by itself when a fiscal receipt closes
constexpr int kHostAck = 27;          // "1": the host acknowledges every reply frame with ACK
constexpr int kExplicitEnd = 29;      // "1": a fiscal receipt closes only with the end command 1087
constexpr int kColumns = 51;          // "0": 46 print columns, anything else 40
constexpr int kCount = 100;           // parameter numbers 1 to 99
}  // namespace Param

struct Department {
  std::string description;             // 20 characters
  std::array<Cents, 3> prices{};       // preset prices
  char flag = '0';
  int vatSlot = 1;                     // VAT slot 1-9, or 0 and 10-14 for the exempt natures
  Cents limit = 0;                     // highest single amount, 0 = none
  std::string tail = "0000    ";       // the trailing fields as programmed

  template <class Io> void Serialize(Io& io) {
    io.Field("description", description);
    io.Field("prices", prices);
    io.Field("flag", flag);
    io.Field("vat", vatSlot);
    io.Field("limit", limit);
    io.Field("tail", tail);
  }
};

// Totals by VAT slot; index 0 and 10-14 are the exempt natures, 1-9 the rated slots.
struct VatTotals {
  Cents sales = 0, refunds = 0, voids = 0, tax = 0;

  template <class Io> void Serialize(Io& io) {
    io.Field("sales", sales);
    io.Field("refunds", refunds);
    io.Field("voids", voids);
    io.Field("tax", tax);
  }
};

struct Totals {
  Cents sales = 0, refunds = 0, voids = 0, discounts = 0, returns = 0;
  int fiscalDocuments = 0;  // every fiscal document: receipts, refunds, voids, invoices
  int receipts = 0, refundDocuments = 0, voidDocuments = 0, invoices = 0;
  std::array<VatTotals, 15> vat{};

  template <class Io> void Serialize(Io& io) {
    io.Field("sales", sales);
    io.Field("refunds", refunds);
    io.Field("voids", voids);
    io.Field("discounts", discounts);
    io.Field("returns", returns);
    io.Field("fiscalDocuments", fiscalDocuments);
    io.Field("receipts", receipts);
    io.Field("refundDocuments", refundDocuments);
    io.Field("voidDocuments", voidDocuments);
    io.Field("invoices", invoices);
    io.Field("vat", vat);
  }
};

// One line of the fiscal document in progress.
struct ReceiptLine {
  std::string command;      // the command code that registered it (1080 sale, 1083 adjustment ...)
  std::string description;
  int64_t quantity = 0;     // thousandths
  Cents price = 0;
  Cents amount = 0;         // signed effect on the receipt total
  int department = 0;
  int vatSlot = 0;
  char kind = ' ';          // adjustment kind or other sub-code

  template <class Io> void Serialize(Io& io) {
    io.Field("command", command);
    io.Field("description", description);
    io.Field("quantity", quantity);
    io.Field("price", price);
    io.Field("amount", amount);
    io.Field("department", department);
    io.Field("vat", vatSlot);
    io.Field("kind", kind);
  }
};

struct ReceiptPayment {
  std::string description;
  Cents amount = 0;
  std::string tender;       // tender code, three digits

  template <class Io> void Serialize(Io& io) {
    io.Field("description", description);
    io.Field("amount", amount);
    io.Field("tender", tender);
  }
};

// A line programmed for the header or the trailer of the next fiscal document.
struct ProgrammedLine {
  std::string text;
  int size = 1;  // size code 1-4

  template <class Io> void Serialize(Io& io) {
    io.Field("text", text);
    io.Field("size", size);
  }
};

// A file that the printer's web server serves, kept so that it survives a power cycle.
struct PublishedFile {
  std::string folder;
  std::string name;
  std::string content;

  template <class Io> void Serialize(Io& io) {
    io.Field("folder", folder);
    io.Field("name", name);
    io.Field("content", content);
  }
};

struct PrinterState {
  // ---- core: identity, mode, mechanics, tables, counters ----
  std::string serialNumber = "99MEX012345";  // two digits, RT letter, two letters, six digits
  std::string fiscalMode = "RT";              // "RT" or "MF"
  std::string firmware = "5.01";              // up to five characters
  std::string parameters = DefaultParameters();  // index = parameter number, one character each
  std::vector<std::string> header = {"NEGOZIO DI PROVA", "VIA ROMA 1", "00100 ROMA", "P.IVA 01234567890"};
  int64_t clockOffsetMs = 0;                  // printer clock minus host clock

  PaperLevel paper = PaperLevel::Ok;
  bool coverOpen = false;
  bool drawerOpen = false;
  std::string display = std::string(40, ' ');  // two lines of 20 characters
  std::string cardOutcome = "00";              // terminal answer code, or "offline"
  int cardTransactions = 0;
  std::vector<std::string> terminalReceipt;    // the card terminal's slip of the last payment

  std::array<int, 10> vatRates{0, 2200, 1000, 500, 400};  // hundredths of a percent by slot 1-9; 0 = free
  std::array<Department, 21> departments = DefaultDepartments();  // departments 1-20

  DocumentState document = DocumentState::None;
  int zReportNumber = 0;                       // Z reports done so far
  DateTime lastZReport;
  int receiptNumber = 0;                       // last fiscal document number of the day
  int nonFiscalNumber = 0;                     // last non-fiscal document number of the day
  Totals day, grand;

  // The document being printed: what it will be filed under in the journal, and
  // the lines printed so far.
  DocumentType printingType = DocumentType::NonFiscal;
  int printingNumber = 0;
  std::vector<std::string> printedLines;

  char Parameter(int number) const { return parameters[static_cast<size_t>(number)]; }
  bool Training() const { return Parameter(Param::kTraining) == '1'; }
  int Columns() const { return Parameter(Param::kColumns) == '0' ? 46 : 40; }

  template <class Io> void SerializeCore(Io& io) {
    io.Field("serialNumber", serialNumber);
    io.Field("fiscalMode", fiscalMode);
    io.Field("firmware", firmware);
    io.Field("parameters", parameters);
    io.Field("header", header);
    io.Field("clockOffsetMs", clockOffsetMs);
    io.Field("paper", paper);
    io.Field("coverOpen", coverOpen);
    io.Field("drawerOpen", drawerOpen);
    io.Field("display", display);
    io.Field("cardOutcome", cardOutcome);
    io.Field("cardTransactions", cardTransactions);
    io.Field("terminalReceipt", terminalReceipt);
    io.Field("vatRates", vatRates);
    io.Field("departments", departments);
    io.Field("document", document);
    io.Field("zReportNumber", zReportNumber);
    io.Field("lastZReport", lastZReport);
    io.Field("receiptNumber", receiptNumber);
    io.Field("nonFiscalNumber", nonFiscalNumber);
    io.Field("day", day);
    io.Field("grand", grand);
    io.Field("printingType", printingType);
    io.Field("printingNumber", printingNumber);
    io.Field("printedLines", printedLines);
  }

  // ---- fiscal documents and reports: the receipt in progress, lottery, journal ----
  DocumentType documentType = DocumentType::Sale;  // kind of the open fiscal document
  std::vector<ReceiptLine> lines;
  std::vector<ReceiptPayment> payments;
  std::string lotteryCode;
  Journal journal;
  int documentNumber = 0;                    // number the open fiscal document carries
  std::string reference;                     // refund or void: "zzzz nnnn ddmmyyyy serial" it names
  bool invoiceFromReceipt = false;           // the open invoice bills an earlier receipt (no new sales)
  std::vector<std::string> customer;         // invoice customer lines 1-4, programmed before the invoice
  std::vector<ProgrammedLine> headerLines;   // heading of the next fiscal document (replaces the standard one)
  std::vector<ProgrammedLine> trailerLines;  // trailer of the open fiscal document, by line number
  int invoiceNumber = 0;                     // last invoice issued
  int nextInvoiceNumber = 0;                 // number set for the next invoice; 0: the one after invoiceNumber
  std::vector<PublishedFile> publishedFiles; // daily-closing files of the RT Z reports
  // The journal read in progress; not saved, a read starts again after a power cycle.
  std::string memoryRequest;
  std::vector<std::string> memoryLines;
  size_t memoryNext = 0;

  template <class Io> void SerializeDocuments(Io& io) {
    io.Field("documentType", documentType);
    io.Field("lines", lines);
    io.Field("payments", payments);
    io.Field("lotteryCode", lotteryCode);
    io.Field("documentNumber", documentNumber);
    io.Field("reference", reference);
    io.Field("invoiceFromReceipt", invoiceFromReceipt);
    io.Field("customer", customer);
    io.Field("headerLines", headerLines);
    io.Field("trailerLines", trailerLines);
    io.Field("invoiceNumber", invoiceNumber);
    io.Field("nextInvoiceNumber", nextInvoiceNumber);
    io.Field("publishedFiles", publishedFiles);
    std::ostringstream journalText;
    journal.Save(journalText);
    std::string text = journalText.str();
    io.Field("journal", text);
    if (io.Loading()) {
      std::istringstream in(text);
      journal.Load(in);
    }
  }

  template <class Io> void Serialize(Io& io) {
    SerializeCore(io);
    SerializeDocuments(io);
  }

  static std::array<Department, 21> DefaultDepartments() {
    std::array<Department, 21> departments{};
    for (size_t number = 1; number < departments.size(); ++number) {
      char name[24];
      std::snprintf(name, sizeof name, "REPARTO %02zu", number);
      departments[number].description = name;
      departments[number].description.resize(20, ' ');
    }
    return departments;
  }

  static std::string DefaultParameters() {
    std::string values(Param::kCount, '0');
    values[Param::kNonFiscalHeader] = '1';
    values[Param::kHostAck] = '1';
    values[Param::kExplicitEnd] = '1';
    values[Param::kColumns] = '1';
    return values;
  }
};
