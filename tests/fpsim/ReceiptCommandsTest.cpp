// Fiscal documents driven through the command registry: replies at the positions the
// driver reads, sequence and value errors, totals by VAT slot, refunds and voids
// checked against the journal, invoices, programmed lines.

#include "FiscalPrinterFixture.h"

#include <gtest/gtest.h>

using namespace fiscal_test;

namespace {

void TwoVatDepartments(PrinterState& state) { state.departments[2].vatSlot = 2; }  // 22 % and 10 %

TEST(ReceiptCommands, SaleRepliesAtTheDriverPositionsAndCounts) {
  FiscalPrinter fp(TwoVatDepartments);
  fp.Ok("1085", "01");
  fp.Ok("1080", Item("ACQUA", 2000, 125, "01"));
  fp.Ok("1080", Item("PANE", 1000, 1000, "02"));
  const Reply payment = fp.Ok("1084", Payment("CONTANTI", 2000, "000"));
  EXPECT_EQ(payment.code, "1084");
  EXPECT_EQ(Rd(payment, 3, 3), "1");
  EXPECT_EQ(Rd(payment, 4, 12), "000000750");  // change
  EXPECT_EQ(Rd(payment, 13, 18), fp.Today("ddmmyy"));
  EXPECT_EQ(Rd(payment, 23, 26), "0001");
  EXPECT_EQ(fp.printer.state.document, DocumentState::PaymentStarted) << "parameter 29 asks for the end command";

  fp.Ok("1087", "01");
  EXPECT_EQ(fp.printer.state.document, DocumentState::None);
  EXPECT_EQ(Rd(fp.Ok("1070", "01"), 3, 6), "0002");
  const Reply grand = fp.Ok("2052");
  EXPECT_EQ(Rd(grand, 3, 14), "000000001250");
  EXPECT_EQ(Rd(grand, 15, 18), "0000");

  const Totals& day = fp.printer.state.day;
  EXPECT_EQ(day.sales, 1250);
  EXPECT_EQ(day.receipts, 1);
  EXPECT_EQ(day.fiscalDocuments, 1);
  EXPECT_EQ(day.vat[1].sales, 250);
  EXPECT_EQ(day.vat[1].tax, 45);   // 250 - 204.92
  EXPECT_EQ(day.vat[2].sales, 1000);
  EXPECT_EQ(day.vat[2].tax, 91);   // 1000 - 909.09
  EXPECT_EQ(fp.printer.state.grand.sales, 1250);

  const JournalDocument& filed = fp.printer.state.journal.Documents().back();
  EXPECT_EQ(filed.type, DocumentType::Sale);
  EXPECT_EQ(filed.number, 1);
  EXPECT_EQ(filed.closing, 1);
  ASSERT_GE(filed.vatAmounts.size(), 3u);
  EXPECT_EQ(filed.vatAmounts[1], 250);
  EXPECT_EQ(filed.vatAmounts[2], 1000);
  for (const std::string& line : filed.lines) EXPECT_EQ(line.size(), 46u);
  EXPECT_TRUE(fp.paper.Shows("DOC.N. 0001-0001"));
  EXPECT_TRUE(fp.paper.Shows("2 x 1,25"));
  EXPECT_TRUE(fp.paper.Shows("RESTO"));
  EXPECT_EQ(fp.paper.cuts, 1);
}

TEST(ReceiptCommands, PaidReceiptClosesAtOnceWithoutTheEndCommand) {
  FiscalPrinter fp([](PrinterState& s) { s.parameters[Param::kExplicitEnd] = '0'; });
  fp.Ok("1085", "01");
  fp.Ok("1080", Item("CAFFE", 1000, 1250));
  const Reply partial = fp.Ok("1084", Payment("CARTA", 500, "201"));
  EXPECT_EQ(Rd(partial, 3, 3), "0");
  EXPECT_EQ(Rd(partial, 4, 12), "000000750");  // still due
  const Reply rest = fp.Ok("1084", Payment("", 0, "000"));
  EXPECT_EQ(Rd(rest, 3, 3), "1");
  EXPECT_EQ(Rd(rest, 4, 12), "000000000");
  EXPECT_EQ(Rd(rest, 23, 26), "0001");
  EXPECT_EQ(fp.printer.state.document, DocumentState::None);
  EXPECT_EQ(fp.printer.state.day.sales, 1250);
}

TEST(ReceiptCommands, RefusesWhatAPrinterRefuses) {
  using Steps = std::vector<std::pair<std::string, std::string>>;
  const Steps open = {{"1085", "01"}, {"1080", Item("X", 1000, 1000)}};
  Steps paying = open;
  paying.push_back({"1084", Payment("CONTANTI", 100, "000")});
  Steps paid = open;
  paid.push_back({"1084", Payment("CONTANTI", 0, "000")});
  const struct {
    const char* name;
    std::function<void(PrinterState&)> setup;
    Steps before;
    std::string code, data;
    int error;
  } cases[] = {
      {"payment without document", {}, {}, "1084", Payment("C", 100, "000"), 11},
      {"close without document", {}, {}, "1087", "01", 11},
      {"payment of an empty receipt", {}, {{"1085", "01"}}, "1084", Payment("C", 100, "000"), 11},
      {"item in a non-fiscal document", [](PrinterState& s) { s.document = DocumentState::NonFiscal; }, {},
       "1080", Item("X", 1000, 100), 11},
      {"second opening", {}, {{"1085", "01"}}, "1085", "01", 23},
      {"item after payment started", {}, paying, "1080", Item("Y", 1000, 100), 24},
      {"payment after the receipt is paid", {}, paid, "1084", Payment("C", 100, "000"), 11},
      {"46-column item on 40 columns", {}, {}, "1080", Item("X", 1000, 100, "01", 46), 13},
      {"department 21", {}, {}, "1080", Item("X", 1000, 100, "21"), 13},
      {"department on a free VAT slot", [](PrinterState& s) { s.departments[1].vatSlot = 7; }, {}, "1080",
       Item("X", 1000, 100), 22},
      {"zero quantity", {}, {}, "1080", Item("X", 0, 100), 13},
      {"item discount above the item", {}, open, "1083", Adjustment("SCONTO", 1001, '0'), 20},
      {"subtotal discount above the total", {}, open, "1083", Adjustment("SCONTO", 1001, '1'), 20},
      {"item discount without item", {}, {{"1085", "01"}}, "1083", Adjustment("SCONTO", 1, '0'), 11},
      {"unknown adjustment kind", {}, open, "1083", Adjustment("SCONTO", 1, '3'), 13},
      {"card above what is due", {}, open, "1084", Payment("CARTA", 1001, "201"), 20},
      {"unknown tender", {}, open, "1084", Payment("X", 100, "401"), 13},
      {"lottery code of seven characters", {}, open, "1135", "01" + T("ABCDEFG", 16) + "    ", 13},
      {"lottery code in MF mode", [](PrinterState& s) { s.fiscalMode = "MF"; }, open, "1135",
       "01" + T("ABCDEFGH", 16) + "    ", 16},
      {"refund check in MF mode", [](PrinterState& s) { s.fiscalMode = "MF"; }, {}, "9205",
       "1" + T("99MEX012345", 11) + "15032021" + "0001" + "0001", 16},
      {"refund of an unknown receipt of this printer", {}, {}, "1078",
       "0140001REFUND 0001 0009 15032021 99MEX012345", 12},
      {"refund with a bad reference", {}, {}, "1078", "0140001REFUND 1 0009 15032021 99MEX012345", 13},
      {"customer line with a document open", {}, open, "1078", "0160101" + T("ROSSI", 40), 11},
      {"invoice number zero", {}, {}, "4025", "0000" "99" "00" "1" + std::string(14, ' ') + "00", 13},
  };
  for (const auto& c : cases) {
    FiscalPrinter fp(c.setup);
    for (const auto& [code, data] : c.before) fp.Ok(code, data);
    const Reply reply = fp.Run(c.code, c.data);
    EXPECT_EQ(reply.error, c.error) << c.name;
  }
}

TEST(ReceiptCommands, AdjustmentsAndSubtotalAdjustmentsSplitOverVatSlots) {
  FiscalPrinter fp(TwoVatDepartments);
  fp.Ok("1085", "01");
  fp.Ok("1080", Item("A", 1000, 1000, "01"));
  fp.Ok("1080", Item("B", 1000, 1000, "02"));
  fp.Ok("1083", Adjustment("SCONTO", 100, '0'));    // on B
  fp.Ok("1083", Adjustment("MAGGIORAZIONE", 200, '6'));
  fp.Ok("1083", Adjustment("SCONTO", 300, '1'));
  fp.Ok("1086", "01000");
  EXPECT_TRUE(fp.paper.Shows("SUBTOTALE"));
  const Reply payment = fp.Ok("1084", Payment("CONTANTI", 1800, "000"));
  EXPECT_EQ(Rd(payment, 3, 12), "1000000000");
  fp.Ok("1087", "01");
  const Totals& day = fp.printer.state.day;
  EXPECT_EQ(day.sales, 1800);
  EXPECT_EQ(day.discounts, 400);
  // 1000 and 900 before the subtotal lines; +200 spread 105/94 (+1 rest to the
  // larger slot), then -300 spread over 1106 and 994.
  EXPECT_EQ(day.vat[1].sales, 948);
  EXPECT_EQ(day.vat[2].sales, 852);
}

TEST(ReceiptCommands, ReturnsDeductionsAndNegativeReceipts) {
  FiscalPrinter fp;
  fp.Ok("1085", "01");
  fp.Ok("1080", Item("MERCE", 1000, 500));
  fp.Ok("1081", Item("MERCE", 1000, 800));   // a return in a sale
  fp.Ok("1082", Item("BUONO", 1000, 200));   // a voucher redeemed
  const Reply payment = fp.Ok("1084", Payment("CONTANTI", 0, "000"));
  EXPECT_EQ(Rd(payment, 3, 3), "1");
  EXPECT_EQ(Rd(payment, 4, 12), "000000500") << "the customer gets 5.00 back";
  fp.Ok("1087", "01");
  EXPECT_EQ(fp.printer.state.day.sales, -500);
  EXPECT_EQ(fp.printer.state.day.returns, 800);
  EXPECT_TRUE(fp.paper.Shows("RESO MERCE"));
}

// Two sales (1, 2), a refund of 2 (3), a void of 1 from the journal (4), a sale (5).
FiscalPrinter& WithRefundAndVoid(FiscalPrinter& fp) {
  const std::string today = fp.Today();
  fp.Sale({Item("UNO", 1000, 1000)});
  fp.Sale({Item("DUE", 1000, 2000)});
  fp.Ok("9205", "1" + T("99MEX012345", 11) + today + "0002" + "0001");
  fp.Ok("1078", "0140001REFUND 0001 0002 " + today + " 99MEX012345");
  EXPECT_EQ(fp.printer.state.documentType, DocumentType::Refund);
  fp.Ok("1081", Item("DUE", 1000, 2000));
  fp.Ok("1084", Payment("CONTANTI", 0, "000"));
  fp.Ok("1087", "01");
  fp.Ok("1078", "0140001VOID 0001 0001 " + today + " 99MEX012345");
  EXPECT_EQ(fp.printer.state.document, DocumentState::None) << "a void from the journal closes at once";
  fp.Sale({Item("CINQUE", 1000, 500)});
  return fp;
}

TEST(ReceiptCommands, RefundAndVoidCheckAnswersFromTheJournal) {
  FiscalPrinter fp;
  WithRefundAndVoid(fp);
  const std::string today = fp.Today();
  const struct {
    const char* name;
    char kind;
    std::string serial, date, number, closing;
    const char* answer;
  } cases[] = {
      {"fresh sale", '2', "99MEX012345", today, "0005", "0001", "0"},
      {"voided sale", '1', "99MEX012345", today, "0001", "0001", "4"},
      {"refunded sale", '2', "99MEX012345", today, "0002", "0001", "3"},
      {"a refund", '1', "99MEX012345", today, "0003", "0001", "5"},
      {"a void", '2', "99MEX012345", today, "0004", "0001", "6"},
      {"no such number", '1', "99MEX012345", today, "0009", "0001", "2"},
      {"other closing", '1', "99MEX012345", today, "0001", "0002", "2"},
      {"other day", '1', "99MEX012345", "01012020", "0001", "0001", "2"},
      {"check skipped (lower case)", '2', "99mex012345", today, "0001", "0001", "1"},
      {"another printer", '2', "11ABC000001", today, "0001", "0001", "1"},
  };
  for (const auto& c : cases) {
    const Reply reply = fp.Ok("9205", std::string(1, c.kind) + T(c.serial, 11) + c.date + c.number + c.closing);
    EXPECT_EQ(Rd(reply, 1, 1), c.answer) << c.name;
  }
  const Totals& day = fp.printer.state.day;
  EXPECT_EQ(day.sales, 3500);
  EXPECT_EQ(day.refunds, 2000);
  EXPECT_EQ(day.voids, 1000);
  EXPECT_EQ(day.refundDocuments, 1);
  EXPECT_EQ(day.voidDocuments, 1);
  EXPECT_EQ(day.vat[1].sales - day.vat[1].refunds - day.vat[1].voids, 500);
  EXPECT_EQ(Rd(fp.Ok("1070", "01"), 3, 6), "0006");
  EXPECT_TRUE(fp.paper.Shows("emesso per ANNULLAMENTO"));
  EXPECT_TRUE(fp.paper.Shows("N. 0001-0001 del "));
  // A refund or void of a receipt already voided is refused.
  EXPECT_EQ(fp.Run("1078", "0140001REFUND 0001 0001 " + today + " 99MEX012345").error, 18);
  EXPECT_EQ(fp.Run("1078", "0140001VOID 0001 0002 " + today + " 99MEX012345").error, 18);
}

TEST(ReceiptCommands, VoidOfAnotherPrintersReceiptTakesTheGivenLines) {
  FiscalPrinter fp;
  fp.Ok("1078", "0140001VOID 0003 0007 15032021 11ABC000001");
  EXPECT_EQ(fp.printer.state.document, DocumentState::FiscalReceipt);
  EXPECT_EQ(fp.Run("1080", Item("X", 1000, 100)).error, 11) << "a void takes no sale lines";
  fp.Ok("1081", Item("ARTICOLO", 1000, 700));
  fp.Ok("1084", Payment("CONTANTI", 0, "000"));
  fp.Ok("1087", "01");
  EXPECT_EQ(fp.printer.state.day.voids, 700);
  EXPECT_EQ(fp.printer.state.journal.Documents().back().type, DocumentType::Void);
  EXPECT_TRUE(fp.paper.Shows("11ABC000001"));
}

TEST(ReceiptCommands, MfRefundTextOpensACreditNote) {
  FiscalPrinter fp([](PrinterState& s) { s.fiscalMode = "MF"; });
  fp.Ok("1078", "0140001" + T("PRATICA DI RESO 12", 40));
  EXPECT_EQ(fp.printer.state.documentType, DocumentType::Refund);
  fp.Ok("1081", Item("MERCE", 1000, 300));
  fp.Ok("1084", Payment("CONTANTI", 0, "000"));
  fp.Ok("1087", "01");
  EXPECT_EQ(fp.printer.state.day.refunds, 300);
  EXPECT_EQ(fp.printer.state.day.refundDocuments, 1);
  EXPECT_EQ(fp.printer.state.journal.Read('4', fp.printer.Now(), fp.printer.Now()).empty(), false);
  // Any other text opens a sale, "REFUND" included: MF printers know no such document.
  fp.Ok("1078", "0140001REFUND 0001 0001 15032021 99MEX012345");
  EXPECT_EQ(fp.printer.state.documentType, DocumentType::Sale);
}

TEST(ReceiptCommands, InvoiceTakesTheProgrammedNumberAndCustomer) {
  FiscalPrinter fp;
  fp.Ok("4025", "0042" "99" "00" "1" + std::string(14, ' ') + "00");
  fp.Ok("1078", "0160101" + T("MARIO ROSSI SRL", 40));
  fp.Ok("1078", "0160401" + T("P.Iva:01234567890", 40));
  fp.Ok("1089", "0100042");
  fp.Ok("1080", Item("CONSULENZA", 1000, 12200));
  fp.Ok("1084", Payment("BONIFICO", 0, "301"));
  fp.Ok("1087", "01");
  EXPECT_TRUE(fp.paper.Shows("FATTURA N. 0042"));
  EXPECT_TRUE(fp.paper.Shows("MARIO ROSSI SRL"));
  EXPECT_TRUE(fp.paper.Shows("P.Iva:01234567890"));
  EXPECT_EQ(fp.printer.state.journal.Documents().back().type, DocumentType::Invoice);
  EXPECT_EQ(fp.printer.state.day.sales, 12200);
  EXPECT_EQ(fp.printer.state.day.invoices, 1);
  EXPECT_TRUE(fp.printer.state.customer.empty()) << "customer lines serve one invoice";

  fp.Ok("1052", "0100003");  // an invoice for receipt 3: no new sales
  fp.Ok("1080", Item("CONSULENZA", 1000, 500));
  fp.Ok("1087", "01");
  EXPECT_EQ(fp.printer.state.day.sales, 12200);
  EXPECT_EQ(fp.printer.state.day.invoices, 2);
  EXPECT_EQ(fp.printer.state.journal.Documents().back().number, 43);
}

TEST(ReceiptCommands, HeadingAndTrailerLinesServeOneReceipt) {
  FiscalPrinter fp;
  fp.Ok("1078", "0110102" + std::string("DOCUMENTO DEL SERVER"));
  fp.Ok("1085", "01");
  fp.Ok("1080", Item("A", 1000, 100));
  fp.Ok("1078", "0120101" + std::string("GRAZIE E ARRIVEDERCI"));
  fp.Ok("1078", "0140001" + T("RIGA DESCRITTIVA", 40));
  fp.Ok("1084", Payment("CONTANTI", 0, "000"));
  fp.Ok("1087", "01");
  EXPECT_TRUE(fp.paper.Shows("DOCUMENTO DEL SERVER"));
  EXPECT_FALSE(fp.paper.Shows("di vendita o prestazione")) << "the programmed heading replaces the standard one";
  EXPECT_TRUE(fp.paper.Shows("GRAZIE E ARRIVEDERCI"));
  EXPECT_TRUE(fp.paper.Shows("RIGA DESCRITTIVA"));

  fp.paper.lines.clear();
  fp.Ok("1078", "0110102" + std::string("LASCIATA DA UN RESET"));
  fp.Ok("1085", "01");
  fp.Ok("1078", "0120101" + std::string("ANCHE QUESTA"));
  fp.Ok("1088", "01");
  fp.Sale({Item("B", 1000, 100)});
  EXPECT_TRUE(fp.paper.Shows("di vendita o prestazione"));
  EXPECT_FALSE(fp.paper.Shows("GRAZIE E ARRIVEDERCI"));
  EXPECT_FALSE(fp.paper.Shows("ANCHE QUESTA")) << "a reset drops what was programmed";
}

TEST(ReceiptCommands, TrainingReceiptsLeaveTheTotalsAlone) {
  FiscalPrinter fp([](PrinterState& s) { s.parameters[Param::kTraining] = '1'; });
  fp.Sale({Item("PROVA", 1000, 100)});
  EXPECT_EQ(fp.printer.state.day.sales, 0);
  EXPECT_EQ(fp.printer.state.day.fiscalDocuments, 0);
  EXPECT_TRUE(fp.paper.Shows("TRAINING"));
}

TEST(ReceiptCommands, ItemDescriptionFieldFollowsTheColumns) {
  FiscalPrinter fp([](PrinterState& s) { s.parameters[Param::kColumns] = '0'; });
  const std::string description(38, 'D');
  fp.Ok("1085", "01");
  EXPECT_EQ(fp.Run("1080", Item("X", 1000, 100)).error, 13) << "a 32-character field on 46 columns";
  fp.Ok("1080", Item(description, 1000, 100, "01", 46));
  EXPECT_EQ(fp.printer.state.lines.back().description, description);
  fp.Ok("1087", "01");
  for (const std::string& line : fp.paper.lines) EXPECT_LE(line.size(), 46u) << line;
  EXPECT_TRUE(fp.paper.Shows(std::string(34, 'D') + "22%"));
}

}  // namespace
