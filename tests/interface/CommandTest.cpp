// The command objects: device lookup and creation, handle numbering, the steps
// after OPEN and CLOSE, and the result of every failure.

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "TestDevice.h"
#include "documents/XmlDocument.h"
#include "interface/kDeviceMap.h"
#include "interface/kDriverRegistry.h"
#include "interface/kFiscalPrinterCommands.h"

namespace {

std::string Request(const std::string& aBody) { return "<Request>" + aBody + "</Request>"; }

// A loopback port that nobody listens on: bound, then released.
int ClosedPort() {
  const int socketFd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length);
  close(socketFd);
  return ntohs(address.sin_port);
}

std::string OpenTcpRequest(const std::string& aLogId, int aPort) {
  return Request("<Driver>QNRP_REZIDAZE_10</Driver><LogId>" + aLogId +
                 "</LogId><Connection><Type>TCP</Type><Address>127.0.0.1</Address><Port>" + std::to_string(aPort) +
                 "</Port></Connection>");
}
std::string TestRequest(int aHandle, const std::string& aMore = "") {
  return Request("<Driver>TEST_DRIVER</Driver><Handle>" + std::to_string(aHandle) + "</Handle>" + aMore);
}

class CommandTest : public ::testing::Test {
public:
  void SetUp() override { fDrivers.Register("TEST_DRIVER", TestDriverClass(fPrinter)); }

  template <class TCommand>
  typename TCommand::Result Run(const std::string& aXml, FormattedResult* aFormatted = nullptr) {
    TCommand command(fDrivers, fDevices);
    command.Process(std::string_view(aXml));
    if (aFormatted) *aFormatted = command.Format();
    return command.fResult;
  }
  template <class TCommand>
  tkReceiptHandlerDocumentTypes DocumentsOf() {
    TCommand command(fDrivers, fDevices);
    command.Process(std::string_view("<Request/>"));
    return command.fHandler.fDocumentTypes;
  }
  int32_t Open(const std::string& aMore = "") { return Run<kFiscalPrinterWrapper_OPEN>(TestRequest(0, aMore)).Handle; }

  TestPrinter fPrinter;
  kDriverRegistry fDrivers = kDriverRegistry::WithBuiltInDrivers(TestInfo());
  kDeviceMap fDevices;
};

TEST_F(CommandTest, DeviceLookupFailures) {
  struct Case {
    std::string Name;
    std::function<FormattedResult(CommandTest&, const std::string&)> Run;
    std::string Xml;
    std::string Message;
  };
  const auto getStatus = [](CommandTest& t, const std::string& x) {
    FormattedResult f;
    t.Run<kFiscalPrinterWrapper_GETSTATUS>(x, &f);
    return f;
  };
  const auto open = [](CommandTest& t, const std::string& x) {
    FormattedResult f;
    t.Run<kFiscalPrinterWrapper_OPEN>(x, &f);
    return f;
  };
  const auto pay = [](CommandTest& t, const std::string& x) {
    FormattedResult f;
    t.Run<kFiscalPrinterWrapper_PAY>(x, &f);
    return f;
  };
  const Case cases[] = {
      {"no handle", getStatus, Request("<Driver>QNRP_REZIDAZE_10</Driver>"), "Fiscal Printer has not previously opened"},
      {"negative handle", getStatus, TestRequest(-3), "Fiscal Printer has not previously opened"},
      {"unknown handle", getStatus, TestRequest(99), "Printer Handle not found"},
      {"unknown handle on OPEN", open, TestRequest(99), "Printer Handle not found"},
      {"driver in lower case", open, Request("<Driver>qnrp_rezidaze_10</Driver>"),
       "Fiscal Printer Driver [qnrp_rezidaze_10] not registered."},
      {"unknown driver on PAY", pay, Request("<Driver>OTHER</Driver>"), "Fiscal Printer Driver [OTHER] not registered."},
      {"OPOS has no transport here", open, Request("<Driver>QNRP_REZIDAZE_10</Driver>"),
       "Connection type OPOS is not supported on this platform"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const FormattedResult result = c.Run(*this, c.Xml);
    EXPECT_EQ(result.Result, -1);
    EXPECT_EQ(result.ErrorMessage, c.Message);
    EXPECT_NE(result.Output.find("<Error>True</Error>\r\n<ErrorText>" + c.Message + "</ErrorText>"), std::string::npos)
        << result.Output;
  }
  EXPECT_EQ(fDevices.Find(1), nullptr);
}

TEST_F(CommandTest, FailedGetStatusShowsEveryElementAtItsDefault) {
  FormattedResult result;
  Run<kFiscalPrinterWrapper_GETSTATUS>(Request(""), &result);
  EXPECT_EQ(result.Output,
            "<DayOpened>False</DayOpened>\r\n<DateTime>1899-12-30T00:00:00.000Z</DateTime>\r\n"
            "<PaperEnd>False</PaperEnd>\r\n<PaperNearEnd>False</PaperNearEnd>\r\n<CoverOpen>False</CoverOpen>\r\n"
            "<FiscalReceiptOpen>False</FiscalReceiptOpen>\r\n<ReceiptOpen>False</ReceiptOpen>\r\n"
            "<TrainingMode>False</TrainingMode>\r\n<FirmwareVersion></FirmwareVersion>\r\n"
            "<SerialNumber></SerialNumber>\r\n<FiscalMode></FiscalMode>\r\n<Error>True</Error>\r\n"
            "<ErrorText>Fiscal Printer has not previously opened</ErrorText>\r\n<LogFileName></LogFileName>");
}

TEST_F(CommandTest, ErrorMessageIsTheUnescapedErrorText) {
  FormattedResult result;
  Run<kFiscalPrinterWrapper_OPEN>(Request("<Driver>a&amp;b&lt;\"c</Driver>"), &result);
  EXPECT_EQ(result.ErrorMessage, "Fiscal Printer Driver [a&b<\"c] not registered.");
  EXPECT_NE(result.Output.find("<ErrorText>Fiscal Printer Driver [a&amp;b&lt;&quot;c] not registered.</ErrorText>"),
            std::string::npos);
}

TEST_F(CommandTest, HandlesCountUpAndAreNeverReused) {
  EXPECT_EQ(Open(), 1);
  EXPECT_EQ(Open(), 2);
  EXPECT_FALSE(Run<kFiscalPrinterWrapper_CLOSE>(TestRequest(1)).Error);
  EXPECT_EQ(Open(), 3);
  EXPECT_EQ(Run<kFiscalPrinterWrapper_GETSTATUS>(TestRequest(1)).ErrorText, "Printer Handle not found");
  const auto status = Run<kFiscalPrinterWrapper_GETSTATUS>(TestRequest(3));
  EXPECT_FALSE(status.Error) << status.ErrorText;
  EXPECT_EQ(status.SerialNumber, "99MEX000042");
  EXPECT_EQ(fDevices.Find(3)->fSerialNumber, "99MEX000042");
}

TEST_F(CommandTest, OpenLoadsStatusAndVatTableIntoTheDevice) {
  FormattedResult formatted;
  const auto result = Run<kFiscalPrinterWrapper_OPEN>(TestRequest(0), &formatted);
  EXPECT_EQ(formatted.Result, 0) << formatted.ErrorMessage;
  EXPECT_EQ(formatted.Output, "<Handle>1</Handle>\r\n<Error>False</Error>\r\n<ErrorText></ErrorText>\r\n<LogFileName></LogFileName>");
  const kFiscalPrinterDevice& device = *fDevices.Find(result.Handle);
  EXPECT_EQ(device.fSerialNumber, "99MEX000042");
  EXPECT_EQ(device.fFiscalMode, "RT");
  ASSERT_EQ(device.fVatTable.Items().size(), 2u);

  const auto vat = Run<kFiscalPrinterWrapper_GETVATTABLE>(TestRequest(1));
  EXPECT_FALSE(vat.Error);
  ASSERT_EQ(vat.VATTable.size(), 2u);
  EXPECT_EQ(vat.VATTable[1].Code, "B");
  EXPECT_EQ(vat.VATTable[1].Rate, Currency::FromRaw(55000));
}

TEST_F(CommandTest, OpenOnAnOpenHandleReusesTheDevice) {
  ASSERT_EQ(Open(), 1);
  const kFiscalPrinterDevice* device = fDevices.Find(1);
  EXPECT_EQ(Run<kFiscalPrinterWrapper_OPEN>(TestRequest(1)).Handle, 1);
  EXPECT_EQ(fDevices.Find(1), device);
  EXPECT_EQ(fDevices.Find(2), nullptr);
}

TEST_F(CommandTest, DeviceThatCannotBeBuiltTakesNoHandle) {
  const auto refused = Run<kFiscalPrinterWrapper_OPEN>(TestRequest(0, "<Parameters><RTServer>TRUE</RTServer></Parameters>"));
  EXPECT_TRUE(refused.Error);
  EXPECT_EQ(refused.ErrorText, "RTServer is not available in this build");
  EXPECT_EQ(Open("<Parameters><RTServer>yes</RTServer></Parameters>"), 1);
}

TEST_F(CommandTest, FailedConnectionFailsOpenAndKeepsTheUnreachableDevice) {
  fPrinter.ConnectFails = true;
  const auto result = Run<kFiscalPrinterWrapper_OPEN>(TestRequest(0));
  EXPECT_TRUE(result.Error);
  EXPECT_EQ(result.ErrorText, "Connection to the printer failed");
  EXPECT_EQ(result.Handle, 0);
  EXPECT_NE(fDevices.Find(1), nullptr);
  fPrinter.ConnectFails = false;
  EXPECT_EQ(Open(), 2);
}

TEST_F(CommandTest, EpsonDeviceOverTcpLogsAndReportsARefusedConnection) {
  const auto result = Run<kFiscalPrinterWrapper_OPEN>(OpenTcpRequest("closedport", ClosedPort()));
  EXPECT_TRUE(result.Error);
  EXPECT_EQ(result.ErrorText, "Connection to the printer failed");
  EXPECT_EQ(result.Handle, 0);
  const std::filesystem::path log(result.LogFileName);
  EXPECT_EQ(log.parent_path(), std::filesystem::path(kFiscalPrinterDevice::LogDirectory()));
  EXPECT_EQ(log.filename().string().rfind("QNRP_REZIDAZE_10_closedport_", 0), 0u) << log;
  EXPECT_TRUE(fDevices.Find(1)->IOHandler().WaitLogWritten(std::chrono::seconds(10)));
  EXPECT_TRUE(std::filesystem::exists(log));
}

TEST_F(CommandTest, LogFolderThatCannotBeCreatedFailsTheOpenClearly) {
  const char* saved = std::getenv("QNRP_LOG_ROOT");
  const std::string previous = saved ? saved : "";
  setenv("QNRP_LOG_ROOT", "/proc/no-such-folder", 1);
  const auto result = Run<kFiscalPrinterWrapper_OPEN>(OpenTcpRequest("nolog", ClosedPort()));
  if (saved) setenv("QNRP_LOG_ROOT", previous.c_str(), 1); else unsetenv("QNRP_LOG_ROOT");
  EXPECT_TRUE(result.Error);
  EXPECT_EQ(result.ErrorText.rfind("Cannot create the log folder /proc/no-such-folder/LogFiles/FiscalPrinter", 0), 0u)
      << result.ErrorText;
  EXPECT_EQ(fDevices.Find(1), nullptr);
}

TEST_F(CommandTest, FailureAfterASuccessfulConnectionFailsOpenButReportsTheHandle) {
  fPrinter.InitFailure = "Printer refused the initialisation";
  FormattedResult formatted;
  const auto result = Run<kFiscalPrinterWrapper_OPEN>(TestRequest(0), &formatted);
  EXPECT_TRUE(result.Error);
  EXPECT_EQ(result.ErrorText, "Printer refused the initialisation");
  EXPECT_EQ(result.Handle, 1);
  EXPECT_EQ(formatted.Result, -1);
  EXPECT_FALSE(Run<kFiscalPrinterWrapper_GETSTATUS>(TestRequest(1)).Error);
}

TEST_F(CommandTest, CloseRemovesTheDeviceEvenWhenTheDisconnectFails) {
  ASSERT_EQ(Open(), 1);
  fPrinter.DisconnectError = "Port lost";
  FormattedResult formatted;
  const auto closed = Run<kFiscalPrinterWrapper_CLOSE>(TestRequest(1), &formatted);
  EXPECT_TRUE(closed.Error);
  EXPECT_EQ(formatted.ErrorMessage, "Port lost");
  EXPECT_EQ(formatted.Result, -1);
  EXPECT_EQ(Run<kFiscalPrinterWrapper_GETSTATUS>(TestRequest(1)).ErrorText, "Printer Handle not found");
}

TEST_F(CommandTest, EachCommandStartsWithAClearedErrorState) {
  ASSERT_EQ(Open(), 1);
  fPrinter.StatusError = "Carta esaurita";
  const auto failed = Run<kFiscalPrinterWrapper_GETSTATUS>(TestRequest(1));
  EXPECT_TRUE(failed.Error);
  EXPECT_EQ(failed.ErrorText, "Carta esaurita");
  fPrinter.StatusError.clear();
  const auto next = Run<kFiscalPrinterWrapper_GETSTATUS>(TestRequest(1));
  EXPECT_FALSE(next.Error);
  EXPECT_EQ(next.ErrorText, "");
}

TEST_F(CommandTest, EachCommandParsesItsDocuments) {
  using T = tkReceiptHandlerDocumentTypes;
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_PRINTFR>(), T{dt_Receipt});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_PRINTXR>(), T{});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_PRINTZR>(), T{});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_PRINTNFR>(), T{dt_NFReceipt});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_DISPLAY>(), T{dt_Display});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_OPENDR>(), T{dt_Drawer});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_GETSTATUS>(), T{});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_SETDATETIME>(), T{});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_OPEN>(), T{});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_CLOSE>(), T{});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_GETDRSTATUS>(), T{dt_Drawer});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_SET>(), T{});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_EJREPORT>(), T{dt_EJReport});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_GETVATTABLE>(), T{});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_SETVATTABLE>(), T{dt_VatTable});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_GETDEPTTABLE>(), T{});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_SETDEPTTABLE>(), T{dt_DeptTable});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_PAY>(), T{dt_Pay});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_REPRINTFR>(), T{dt_ReceiptReference});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_GETLOTTERYRCPTSTATUS>(), T{dt_ReceiptReference});
  EXPECT_EQ(DocumentsOf<kFiscalPrinterWrapper_GETEJFILES>(), T{dt_EJFilesRequest});
}

// Operations whose printer side is not part of this build fail with a clear
// text; none of them reports a success.
TEST_F(CommandTest, OperationsNotInThisBuildFailClearly) {
  ASSERT_EQ(Open(), 1);
  const std::string request = TestRequest(1);
  const auto check = [](auto aResult, const char* aOperation) {
    SCOPED_TRACE(aOperation);
    EXPECT_TRUE(aResult.Error);
    EXPECT_EQ(aResult.ErrorText, std::string(aOperation) + " is not available in this build");
  };
  check(Run<kFiscalPrinterWrapper_PRINTFR>(request), "PrintReceipt");
  check(Run<kFiscalPrinterWrapper_REPRINTFR>(request), "ReprintReceipt");
  check(Run<kFiscalPrinterWrapper_PRINTNFR>(request), "PrintNFReceipt");
  check(Run<kFiscalPrinterWrapper_PRINTXR>(request), "PrintXReport");
  check(Run<kFiscalPrinterWrapper_PRINTZR>(request), "PrintZReport");
  check(Run<kFiscalPrinterWrapper_DISPLAY>(request), "WriteDisplay");
  check(Run<kFiscalPrinterWrapper_OPENDR>(request), "OpenDrawer");
  check(Run<kFiscalPrinterWrapper_GETDRSTATUS>(request), "GetDrawerStatus");
  check(Run<kFiscalPrinterWrapper_SET>(request), "Set");
  check(Run<kFiscalPrinterWrapper_SETDATETIME>(request), "SetDateTime");
  check(Run<kFiscalPrinterWrapper_EJREPORT>(request), "EJReport");
  check(Run<kFiscalPrinterWrapper_GETEJFILES>(request), "GetEJFiles");
  check(Run<kFiscalPrinterWrapper_SETVATTABLE>(request), "SetVATTable");
  check(Run<kFiscalPrinterWrapper_GETDEPTTABLE>(request), "GetDeptTable");
  check(Run<kFiscalPrinterWrapper_SETDEPTTABLE>(request), "SetDeptTable");
  check(Run<kFiscalPrinterWrapper_PAY>(request), "Pay");
  check(Run<kFiscalPrinterWrapper_GETLOTTERYRCPTSTATUS>(request), "GetLotteryRcptStatus");
}

// Every command: a request that is not XML fails with the parser's message and
// answers its fragment with every element at its default and Error True.
template <class TCommand>
class EveryCommandTest : public CommandTest {};
using AllCommands = ::testing::Types<
    kFiscalPrinterWrapper_PRINTFR, kFiscalPrinterWrapper_PRINTXR, kFiscalPrinterWrapper_PRINTZR,
    kFiscalPrinterWrapper_PRINTNFR, kFiscalPrinterWrapper_DISPLAY, kFiscalPrinterWrapper_OPENDR,
    kFiscalPrinterWrapper_GETSTATUS, kFiscalPrinterWrapper_SETDATETIME, kFiscalPrinterWrapper_OPEN,
    kFiscalPrinterWrapper_CLOSE, kFiscalPrinterWrapper_GETDRSTATUS, kFiscalPrinterWrapper_SET,
    kFiscalPrinterWrapper_EJREPORT, kFiscalPrinterWrapper_GETVATTABLE, kFiscalPrinterWrapper_SETVATTABLE,
    kFiscalPrinterWrapper_GETDEPTTABLE, kFiscalPrinterWrapper_SETDEPTTABLE, kFiscalPrinterWrapper_PAY,
    kFiscalPrinterWrapper_REPRINTFR, kFiscalPrinterWrapper_GETLOTTERYRCPTSTATUS, kFiscalPrinterWrapper_GETEJFILES>;
TYPED_TEST_SUITE(EveryCommandTest, AllCommands);

TYPED_TEST(EveryCommandTest, RequestThatIsNotXmlGivesTheParserMessageAndTheDefaults) {
  const std::string notXml = "this is <not xml";
  std::string parserMessage;
  try {
    pugi::xml_document document;
    ParseRequestXml(notXml, document);
  } catch (const std::exception& e) {
    parserMessage = e.what();
  }
  ASSERT_FALSE(parserMessage.empty());

  FormattedResult formatted;
  const auto result = this->template Run<TypeParam>(notXml, &formatted);
  typename TypeParam::Result expected;
  InitResultRecord(expected);
  expected.ErrorText = parserMessage;
  EXPECT_EQ(formatted.Output, FormatFragment(expected));
  EXPECT_EQ(formatted.ErrorMessage, parserMessage);
  EXPECT_EQ(formatted.Result, -1);
  EXPECT_TRUE(result.Error);
}

}  // namespace
