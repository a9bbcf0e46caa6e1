#include "interface/ResultFormat.h"

#include <gtest/gtest.h>

#include <string>

#include "documents/kPaymentDefs.h"

namespace {

struct FragmentCase {
  const char* name;
  std::string fragment;
  std::string expected;
};

void ExpectFragments(std::initializer_list<FragmentCase> cases) {
  for (const FragmentCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.fragment, c.expected);
  }
}

// The record of a command that failed before its device operation ran.
template <class TResult>
TResult Failed(const std::string& errorText = "") {
  TResult result;
  InitResultRecord(result);
  result.ErrorText = errorText;
  return result;
}

const DateTime kJune15 = DateTime::Encode(2021, 6, 15, 10, 20, 30, 7);
const std::string kFailedEnd = "<Error>True</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName></LogFileName>";

TEST(ResultFormatTest, RecordsWithOnlyTheClosingElements) {
  const std::string log = "/var/log/FiscalPrinter/QNRP_REZIDAZE_10_Till1_20210615.log";
  ExpectFragments({
      {"successful CLOSE", FormatFragment(_int_CLOSE_result{.Error = false, .LogFileName = log}),
       "<Error>False</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName>" + log + "</LogFileName>"},
      {"failed CLOSE", FormatFragment(Failed<_int_CLOSE_result>()), kFailedEnd},
      {"REPRINTFR", FormatFragment(Failed<_int_REPRINTFR_result>()), kFailedEnd},
      {"DISPLAY", FormatFragment(Failed<_int_DISPLAY_result>()), kFailedEnd},
      {"OPENDR", FormatFragment(Failed<_int_OPENDR_result>()), kFailedEnd},
      {"SET", FormatFragment(Failed<_int_SET_result>()), kFailedEnd},
      {"SETVATTABLE", FormatFragment(Failed<_int_SETVATTABLE_result>()), kFailedEnd},
      {"SETDEPTTABLE", FormatFragment(Failed<_int_SETDEPTTABLE_result>()), kFailedEnd},
      {"error text and log name escaped",
       FormatFragment(_int_SET_result{.Error = true,
                                      .ErrorText = "Value <1> & \"2\" isn't valid",
                                      .LogFileName = "/logs/A&B's.log"}),
       "<Error>True</Error>\r\n"
       "<ErrorText>Value &lt;1&gt; &amp; &quot;2&quot; isn&apos;t valid</ErrorText>\r\n"
       "<LogFileName>/logs/A&amp;B&apos;s.log</LogFileName>"},
  });
}

TEST(ResultFormatTest, ResultCarriesTheErrorTextUnescapedAndTheCode) {
  const FormattedResult failed =
      FormatResult(Failed<_int_OPEN_result>("Tag <Handle> & \"Driver\" missing"));
  EXPECT_EQ(failed.ErrorMessage, "Tag <Handle> & \"Driver\" missing");
  EXPECT_EQ(failed.Result, -1);
  EXPECT_EQ(failed.Output,
            "<Handle>0</Handle>\r\n<Error>True</Error>\r\n"
            "<ErrorText>Tag &lt;Handle&gt; &amp; &quot;Driver&quot; missing</ErrorText>\r\n"
            "<LogFileName></LogFileName>");

  const FormattedResult done = FormatResult(_int_CLOSE_result{.Error = false, .LogFileName = "c.log"});
  EXPECT_EQ(done.ErrorMessage, "");
  EXPECT_EQ(done.Result, 0);
}

TEST(ResultFormatTest, StatusAndSimpleValueRecords) {
  ExpectFragments({
      {"GETSTATUS before any device",
       FormatFragment(Failed<_int_GETSTATUS_result>("Fiscal Printer has not previously opened")),
       "<DayOpened>False</DayOpened>\r\n<DateTime>1899-12-30T00:00:00.000Z</DateTime>\r\n"
       "<PaperEnd>False</PaperEnd>\r\n<PaperNearEnd>False</PaperNearEnd>\r\n<CoverOpen>False</CoverOpen>\r\n"
       "<FiscalReceiptOpen>False</FiscalReceiptOpen>\r\n<ReceiptOpen>False</ReceiptOpen>\r\n"
       "<TrainingMode>False</TrainingMode>\r\n<FirmwareVersion></FirmwareVersion>\r\n"
       "<SerialNumber></SerialNumber>\r\n<FiscalMode></FiscalMode>\r\n<Error>True</Error>\r\n"
       "<ErrorText>Fiscal Printer has not previously opened</ErrorText>\r\n<LogFileName></LogFileName>"},
      {"GETSTATUS filled",
       FormatFragment(_int_GETSTATUS_result{.DayOpened = true, .DateTime = kJune15, .PaperEnd = true,
                                            .PaperNearEnd = true, .CoverOpen = true, .FiscalReceiptOpen = true,
                                            .ReceiptOpen = true, .TrainingMode = true,
                                            .FirmwareVersion = "5.0'1", .SerialNumber = "99MEY<1>",
                                            .FiscalMode = "RT", .Error = false, .LogFileName = "s.log"}),
       "<DayOpened>True</DayOpened>\r\n<DateTime>2021-06-15T10:20:30.007Z</DateTime>\r\n"
       "<PaperEnd>True</PaperEnd>\r\n<PaperNearEnd>True</PaperNearEnd>\r\n<CoverOpen>True</CoverOpen>\r\n"
       "<FiscalReceiptOpen>True</FiscalReceiptOpen>\r\n<ReceiptOpen>True</ReceiptOpen>\r\n"
       "<TrainingMode>True</TrainingMode>\r\n<FirmwareVersion>5.0&apos;1</FirmwareVersion>\r\n"
       "<SerialNumber>99MEY&lt;1&gt;</SerialNumber>\r\n<FiscalMode>RT</FiscalMode>\r\n<Error>False</Error>\r\n"
       "<ErrorText></ErrorText>\r\n<LogFileName>s.log</LogFileName>"},
      {"SETDATETIME default", FormatFragment(Failed<_int_SETDATETIME_result>()),
       "<DateTime>1899-12-30T00:00:00.000Z</DateTime>\r\n" + kFailedEnd},
      {"SETDATETIME filled", FormatFragment(_int_SETDATETIME_result{.DateTime = kJune15, .Error = true}),
       "<DateTime>2021-06-15T10:20:30.007Z</DateTime>\r\n" + kFailedEnd},
      {"OPEN default", FormatFragment(Failed<_int_OPEN_result>()), "<Handle>0</Handle>\r\n" + kFailedEnd},
      {"OPEN first handle", FormatFragment(_int_OPEN_result{.Handle = 1, .Error = false, .LogFileName = "o.log"}),
       "<Handle>1</Handle>\r\n<Error>False</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName>o.log</LogFileName>"},
      {"GETDRSTATUS default", FormatFragment(Failed<_int_GETDRSTATUS_result>()),
       "<IsOpen>False</IsOpen>\r\n" + kFailedEnd},
      {"GETDRSTATUS open", FormatFragment(_int_GETDRSTATUS_result{.IsOpen = true, .Error = true}),
       "<IsOpen>True</IsOpen>\r\n" + kFailedEnd},
      {"GETEJFILES default", FormatFragment(Failed<_int_GETEJFILES_result>()),
       "<FilesCount>0</FilesCount>\r\n" + kFailedEnd},
      {"GETEJFILES filled", FormatFragment(_int_GETEJFILES_result{.FilesCount = 12, .Error = true}),
       "<FilesCount>12</FilesCount>\r\n" + kFailedEnd},
      {"GETLOTTERYRCPTSTATUS default", FormatFragment(Failed<_int_GETLOTTERYRCPTSTATUS_result>()),
       "<CorrectlySent>False</CorrectlySent>\r\n<StatusCode></StatusCode>\r\n"
       "<StatusDescription></StatusDescription>\r\n<ReferenceId></ReferenceId>\r\n" + kFailedEnd},
      {"GETLOTTERYRCPTSTATUS texts as they stand",
       FormatFragment(_int_GETLOTTERYRCPTSTATUS_result{.CorrectlySent = true, .StatusCode = "00'1\"",
                                                       .StatusDescription = "Respinto: codice d'errore \"7\"",
                                                       .ReferenceId = "ID'X", .Error = true}),
       "<CorrectlySent>True</CorrectlySent>\r\n<StatusCode>00'1\"</StatusCode>\r\n"
       "<StatusDescription>Respinto: codice d'errore \"7\"</StatusDescription>\r\n"
       "<ReferenceId>ID'X</ReferenceId>\r\n" + kFailedEnd},
      {"verbatim text keeps the markup intact",
       FormatFragment(_int_GETLOTTERYRCPTSTATUS_result{.StatusDescription = "a<b & c>d", .Error = true}),
       "<CorrectlySent>False</CorrectlySent>\r\n<StatusCode></StatusCode>\r\n"
       "<StatusDescription>a&lt;b &amp; c&gt;d</StatusDescription>\r\n<ReferenceId></ReferenceId>\r\n" +
           kFailedEnd},
  });
}

TEST(ResultFormatTest, ReceiptAndReportRecords) {
  ExpectFragments({
      {"PRINTFR default", FormatFragment(Failed<_int_PRINTFR_result>()),
       "<ReceiptDateTime>1899-12-30T00:00:00.000Z</ReceiptDateTime>\r\n<ReceiptNumber></ReceiptNumber>\r\n"
       "<DeviceSerialNumber></DeviceSerialNumber>\r\n<EJNumber></EJNumber>\r\n"
       "<EJClosingNumber></EJClosingNumber>\r\n<ServerSerialNumber></ServerSerialNumber>\r\n"
       "<ReceiptText></ReceiptText>\r\n<ReceiptImage></ReceiptImage>\r\n<MessageText></MessageText>\r\n" +
           kFailedEnd},
      {"PRINTFR filled",
       FormatFragment(_int_PRINTFR_result{.ReceiptDateTime = kJune15, .ReceiptNumber = "0012'",
                                          .EJNumber = "\"0001\"", .EJClosingNumber = "0034'",
                                          .DeviceSerialNumber = "99MEY'012345", .ServerSerialNumber = "S'<1>",
                                          .ReceiptText = "TOTALE 'EURO' 1,00\r\nA & B",
                                          .ReceiptImage = "/9j/4AAQ+w==", .Error = false,
                                          .MessageText = "Carta \"X\" rifiutata",
                                          .LogFileName = "r.log"}),
       "<ReceiptDateTime>2021-06-15T10:20:30.007Z</ReceiptDateTime>\r\n<ReceiptNumber>0012'</ReceiptNumber>\r\n"
       "<DeviceSerialNumber>99MEY'012345</DeviceSerialNumber>\r\n<EJNumber>\"0001\"</EJNumber>\r\n"
       "<EJClosingNumber>0034'</EJClosingNumber>\r\n<ServerSerialNumber>S&apos;&lt;1&gt;</ServerSerialNumber>\r\n"
       "<ReceiptText>TOTALE &apos;EURO&apos; 1,00\r\nA &amp; B</ReceiptText>\r\n"
       "<ReceiptImage>/9j/4AAQ+w==</ReceiptImage>\r\n<MessageText>Carta &quot;X&quot; rifiutata</MessageText>\r\n"
       "<Error>False</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName>r.log</LogFileName>"},
      {"PRINTNFR default", FormatFragment(Failed<_int_PRINTNFR_result>()),
       "<NFReceiptDateTime>1899-12-30T00:00:00.000Z</NFReceiptDateTime>\r\n"
       "<NFReceiptNumber></NFReceiptNumber>\r\n" + kFailedEnd},
      {"PRINTNFR filled",
       FormatFragment(_int_PRINTNFR_result{.NFReceiptDateTime = kJune15, .NFReceiptNumber = "0007", .Error = true}),
       "<NFReceiptDateTime>2021-06-15T10:20:30.007Z</NFReceiptDateTime>\r\n"
       "<NFReceiptNumber>0007</NFReceiptNumber>\r\n" + kFailedEnd},
      {"PRINTXR default", FormatFragment(Failed<_int_PRINTXR_result>()),
       "<XReportDateTime>1899-12-30T00:00:00.000Z</XReportDateTime>\r\n<XReportNumber></XReportNumber>\r\n"
       "<DeviceSerialNumber></DeviceSerialNumber>\r\n<ServerSerialNumber></ServerSerialNumber>\r\n"
       "<EJNumber></EJNumber>\r\n<EJClosingNumber></EJClosingNumber>\r\n" + kFailedEnd},
      {"PRINTXR filled",
       FormatFragment(_int_PRINTXR_result{.XReportNumber = "0003'", .XReportDateTime = kJune15,
                                          .EJNumber = "0001", .EJClosingNumber = "\"42\"",
                                          .DeviceSerialNumber = "99MEY'1", .ServerSerialNumber = "SRV'9",
                                          .Error = true}),
       "<XReportDateTime>2021-06-15T10:20:30.007Z</XReportDateTime>\r\n<XReportNumber>0003'</XReportNumber>\r\n"
       "<DeviceSerialNumber>99MEY'1</DeviceSerialNumber>\r\n<ServerSerialNumber>SRV'9</ServerSerialNumber>\r\n"
       "<EJNumber>0001</EJNumber>\r\n<EJClosingNumber>\"42\"</EJClosingNumber>\r\n" + kFailedEnd},
      {"PRINTZR default", FormatFragment(Failed<_int_PRINTZR_result>()),
       "<ZReportDateTime>1899-12-30T00:00:00.000Z</ZReportDateTime>\r\n<ZReportNumber></ZReportNumber>\r\n"
       "<DeviceSerialNumber></DeviceSerialNumber>\r\n<ServerSerialNumber></ServerSerialNumber>\r\n"
       "<EJNumber></EJNumber>\r\n<EJClosingNumber></EJClosingNumber>\r\n"
       "<GrandTotalAmount>0</GrandTotalAmount><GrandTotalRefundsAmount>0</GrandTotalRefundsAmount>"
       "<GrandTotalVoidsAmount>0</GrandTotalVoidsAmount><DayTotalAmount>0</DayTotalAmount>"
       "<DayDiscountsAmount>0</DayDiscountsAmount><DayReturnsAmount>0</DayReturnsAmount>"
       "<DayRefundsAmount>0</DayRefundsAmount><DayVoidsAmount>0</DayVoidsAmount>"
       "<DayReceiptsNumber>0</DayReceiptsNumber><DayRefundsNumber>0</DayRefundsNumber>"
       "<Text></Text><Error>True</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName></LogFileName>"},
      {"PRINTZR filled, three-line text",
       FormatFragment(_int_PRINTZR_result{
           .ZReportNumber = "0042'", .ZReportDateTime = DateTime::Encode(2021, 6, 15, 23, 59, 58, 123),
           .EJNumber = "0001", .EJClosingNumber = "0042", .DeviceSerialNumber = "99MEY\"012345",
           .ServerSerialNumber = "SRV'1",
           .GrandTotalAmount = Currency::FromRaw(1234567891), .GrandTotalRefundsAmount = Currency::FromUnits(10),
           .GrandTotalVoidsAmount = Currency::FromRaw(0), .DayTotalAmount = Currency::FromRaw(12505000),
           .DayDiscountsAmount = Currency::FromRaw(-32500), .DayReturnsAmount = Currency::FromRaw(100),
           .DayRefundsAmount = Currency::FromRaw(55000), .DayVoidsAmount = Currency::FromUnits(22),
           .DayReceiptsNumber = 57, .DayRefundsNumber = -2,
           .Text = "AZZERAMENTO\r\nTOTALE 'A' & <B>\nFINE\r\n",
           .Error = false, .LogFileName = "z.log"}),
       "<ZReportDateTime>2021-06-15T23:59:58.123Z</ZReportDateTime>\r\n<ZReportNumber>0042'</ZReportNumber>\r\n"
       "<DeviceSerialNumber>99MEY\"012345</DeviceSerialNumber>\r\n<ServerSerialNumber>SRV'1</ServerSerialNumber>\r\n"
       "<EJNumber>0001</EJNumber>\r\n<EJClosingNumber>0042</EJClosingNumber>\r\n"
       "<GrandTotalAmount>123456.7891</GrandTotalAmount><GrandTotalRefundsAmount>10</GrandTotalRefundsAmount>"
       "<GrandTotalVoidsAmount>0</GrandTotalVoidsAmount><DayTotalAmount>1250.5</DayTotalAmount>"
       "<DayDiscountsAmount>-3.25</DayDiscountsAmount><DayReturnsAmount>0.01</DayReturnsAmount>"
       "<DayRefundsAmount>5.5</DayRefundsAmount><DayVoidsAmount>22</DayVoidsAmount>"
       "<DayReceiptsNumber>57</DayReceiptsNumber><DayRefundsNumber>-2</DayRefundsNumber>"
       "<Text><Line>AZZERAMENTO</Line><Line>TOTALE &apos;A&apos; &amp; &lt;B&gt;</Line><Line>FINE</Line></Text>"
       "<Error>False</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName>z.log</LogFileName>"},
      {"EJREPORT empty text", FormatFragment(Failed<_int_EJREPORT_result>()), "<Text></Text>\r\n" + kFailedEnd},
      {"EJREPORT lines",
       FormatFragment(_int_EJREPORT_result{.Text = "DOCUMENTO 'A'\rRIGA <2>\n\nFINE & C", .Error = false}),
       "<Text><Line>DOCUMENTO &apos;A&apos;</Line>\r\n<Line>RIGA &lt;2&gt;</Line>\r\n<Line></Line>\r\n"
       "<Line>FINE &amp; C</Line>\r\n</Text>\r\n"
       "<Error>False</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName></LogFileName>"},
  });
}

TEST(ResultFormatTest, TableRecords) {
  const _int_GETVATTABLE_result vat{
      .VATTable = {{.Index = 1, .Code = "1", .Description = "IVA 22%", .Rate = Currency::FromUnits(22)},
                   {.Index = 2, .Code = "<2>", .Description = "Ridotta 'B' & C", .Rate = Currency::FromRaw(55000)}},
      .Error = false};
  const _int_GETDEPTTABLE_result depts{
      .DeptTable = {{.Index = 1, .Code = "01'", .Description = "Reparto 'A' & B", .VatCode = "1'",
                     .SalesType = "Service", .EACode = "<EA1>", .EADescription = "Attività \"x\"",
                     .EAVATMode = "1"},
                    {.Index = 2, .Code = "02", .Description = "Pane", .VatCode = "2", .SalesType = "Product"}},
      .Error = false};
  ExpectFragments({
      {"GETVATTABLE empty", FormatFragment(Failed<_int_GETVATTABLE_result>()),
       "<VATTable>\r\n</VATTable>\r\n" + kFailedEnd},
      {"GETVATTABLE rates 22 and 5.5", FormatFragment(vat),
       "<VATTable>\r\n"
       "<VAT>\r\n<Index>1</Index>\r\n<Code>1</Code>\r\n<Description>IVA 22%</Description>\r\n<Rate>22</Rate>\r\n</VAT>\r\n"
       "<VAT>\r\n<Index>2</Index>\r\n<Code>&lt;2&gt;</Code>\r\n"
       "<Description>Ridotta &apos;B&apos; &amp; C</Description>\r\n<Rate>5.5</Rate>\r\n</VAT>\r\n"
       "</VATTable>\r\n<Error>False</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName></LogFileName>"},
      {"GETDEPTTABLE empty", FormatFragment(Failed<_int_GETDEPTTABLE_result>()),
       "<DeptTable>\r\n</DeptTable>\r\n" + kFailedEnd},
      {"GETDEPTTABLE filled", FormatFragment(depts),
       "<DeptTable>\r\n"
       "<Department>\r\n<Index>1</Index>\r\n<Code>01&apos;</Code>\r\n"
       "<Description>Reparto &apos;A&apos; &amp; B</Description>\r\n<VATCode>1'</VATCode>\r\n"
       "<SalesType>Service</SalesType>\r\n<EACode>&lt;EA1&gt;</EACode>\r\n"
       "<EADescription>Attività &quot;x&quot;</EADescription>\r\n<EAVATMode>1</EAVATMode>\r\n</Department>\r\n"
       "<Department>\r\n<Index>2</Index>\r\n<Code>02</Code>\r\n<Description>Pane</Description>\r\n"
       "<VATCode>2</VATCode>\r\n<SalesType>Product</SalesType>\r\n<EACode></EACode>\r\n"
       "<EADescription></EADescription>\r\n<EAVATMode></EAVATMode>\r\n</Department>\r\n"
       "</DeptTable>\r\n<Error>False</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName></LogFileName>"},
  });
}

std::string PayFragment(const std::string& network, const std::string& type, const std::string& raw,
                        const std::string& text, const std::string& end) {
  return "<DeviceId></DeviceId>\r\n<PaymentDateTime>1899-12-30T00:00:00.000Z</PaymentDateTime>\r\n"
         "<PaymentNumber></PaymentNumber>\r\n<PaymentAmount>0</PaymentAmount>\r\n"
         "<PaymentCurrency></PaymentCurrency>\r\n<ExchangeRate>0</ExchangeRate>\r\n"
         "<PaymentAmountCurrency>0</PaymentAmountCurrency>\r\n<MaskedPAN></MaskedPAN>\r\n"
         "<PaymentNetwork>" + network + "</PaymentNetwork>\r\n<TransactionType>" + type + "</TransactionType>\r\n"
         "<AuthCode></AuthCode>\r\n<TraceAuditId></TraceAuditId>\r\n<RawResponse>" + raw + "</RawResponse>\r\n"
         "<ReceiptText>" + text + "</ReceiptText>\r\n" + end;
}

TEST(ResultFormatTest, PaymentRecords) {
  ExpectFragments({
      {"PAY before the operation", FormatFragment(Failed<_int_PAY_result>()),
       PayFragment("other", "OTHER", "", "", kFailedEnd)},
      {"PAY as the payment operation fills it",
       FormatFragment(_int_PAY_result{.TransactionType = tkPaymentTransactionType::ptt_Manual,
                                      .PaymentNetwork = tkPaymentNetwork::Other,
                                      .ReceiptText = "CARTA 'VISA'\r\n", .RawResponse = "00<OK>&",
                                      .Error = false, .LogFileName = "p.log"}),
       PayFragment("other", "MANUAL", "00&lt;OK&gt;&amp;", "CARTA &apos;VISA&apos;\r\n",
                   "<Error>False</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName>p.log</LogFileName>")},
      {"PAY without words",
       FormatFragment(_int_PAY_result{.TransactionType = tkPaymentTransactionType::ptt_RFID,
                                      .PaymentNetwork = tkPaymentNetwork::AliPay, .Error = true}),
       PayFragment("", "", "", "", kFailedEnd)},
      {"PAY filled",
       FormatFragment(_int_PAY_result{.DeviceId = "T'1", .PaymentDateTime = kJune15, .PaymentNumber = "<7>",
                                      .PaymentAmount = Currency::FromRaw(123400), .PaymentCurrency = "EUR&",
                                      .MaskedPAN = "****\"1234",
                                      .TransactionType = tkPaymentTransactionType::ptt_ClessChip,
                                      .PaymentNetwork = tkPaymentNetwork::NHS, .AuthCode = "A'1",
                                      .TraceAuditId = "<T>", .ExchangeRate = Currency::FromRaw(10825),
                                      .PaymentAmountCurrency = Currency::FromRaw(-5000), .Error = true}),
       "<DeviceId>T&apos;1</DeviceId>\r\n<PaymentDateTime>2021-06-15T10:20:30.007Z</PaymentDateTime>\r\n"
       "<PaymentNumber>&lt;7&gt;</PaymentNumber>\r\n<PaymentAmount>12.34</PaymentAmount>\r\n"
       "<PaymentCurrency>EUR&amp;</PaymentCurrency>\r\n<ExchangeRate>1.0825</ExchangeRate>\r\n"
       "<PaymentAmountCurrency>-0.5</PaymentAmountCurrency>\r\n<MaskedPAN>****&quot;1234</MaskedPAN>\r\n"
       "<PaymentNetwork>NHS</PaymentNetwork>\r\n<TransactionType>CLESSCHIP</TransactionType>\r\n"
       "<AuthCode>A&apos;1</AuthCode>\r\n<TraceAuditId>&lt;T&gt;</TraceAuditId>\r\n<RawResponse></RawResponse>\r\n"
       "<ReceiptText></ReceiptText>\r\n" + kFailedEnd},
  });
}

}  // namespace
