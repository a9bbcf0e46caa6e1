// The device section of a request: fields, connection settings, parameters and
// the connection handler built from them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "device/kReceiptPrinterHandler.h"
#include "transport/kIOHandler.h"

namespace {

std::unique_ptr<kReceiptPrinterHandler> Parse(const std::string& aBody) {
  auto handler = std::make_unique<kReceiptPrinterHandler>();
  handler->Deserialize("<Request>" + aBody + "</Request>", {});
  return handler;
}

std::string ParseError(const std::string& aBody) {
  try {
    Parse(aBody);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

std::string LogDir() {
  const char* root = std::getenv("QNRP_LOG_ROOT");
  const auto dir = std::filesystem::path(root ? root : std::filesystem::temp_directory_path().string()) / "handler";
  std::filesystem::create_directories(dir);
  return dir.string();
}

TEST(DeviceHandlerTest, ReadsTheDeviceSection) {
  const auto h = Parse(
      "<Driver>QNRP_REZIDAZE_10</Driver><Method>Print</Method><Handle>7</Handle><LogId>till1</LogId>"
      "<Connection><Type>tcp</Type><Address>10.0.0.5</Address><Port>9100</Port><ReadTimeout>3000</ReadTimeout>"
      "<SerialPort>COM3</SerialPort></Connection>");
  EXPECT_EQ(h->fDriver, "QNRP_REZIDAZE_10");
  EXPECT_EQ(h->fMethod, "Print");
  EXPECT_EQ(h->fDeviceHandle, 7);
  EXPECT_EQ(h->fLogId, "till1");
  EXPECT_EQ(h->fConnection.fConnectionType, tkConnectionType::TCP);
  EXPECT_EQ(h->fConnection.fAddress, "10.0.0.5");
  EXPECT_EQ(h->fConnection.fPort, 9100);
  EXPECT_EQ(h->fConnection.ReadTimeOut(), 3000);
  EXPECT_EQ(h->fConnection.fSerialPort, "") << "a TCP connection reads no serial settings";
}

TEST(DeviceHandlerTest, WithoutConnectionTheDefaultsStayAndOposHasNoTransportHere) {
  const auto h = Parse("<Driver>D</Driver>");
  EXPECT_EQ(h->fDeviceHandle, 0);
  EXPECT_EQ(h->fConnection.fConnectionType, tkConnectionType::OPOS);
  EXPECT_EQ(h->fConnection.ConnectTimeOut(), 1000);
  EXPECT_EQ(h->fConnection.ReadTimeOut(), 1000);
  try {
    h->CreateIOHandler(LogDir());
    FAIL() << "an OPOS connection was built";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Connection type OPOS is not supported on this platform");
  }
}

TEST(DeviceHandlerTest, SerialTypeInAnyCaseReadsTheLineSettings) {
  const auto h = Parse(
      "<Connection><Type>SeRiAl</Type><SerialPort>COM2</SerialPort><Speed>9600</Speed><DataBits>8</DataBits>"
      "<Parity>Even</Parity><StopBits>1</StopBits><Address>ignored</Address></Connection>");
  EXPECT_EQ(h->fConnection.fConnectionType, tkConnectionType::Serial);
  EXPECT_EQ(h->fConnection.fSerialPort, "COM2");
  EXPECT_EQ(h->fConnection.fSpeed, 9600);
  EXPECT_EQ(h->fConnection.fDataBits, 8);
  EXPECT_EQ(h->fConnection.fParity, tkParity::Even);
  EXPECT_EQ(h->fConnection.fStopBits, 1);
  EXPECT_EQ(h->fConnection.fAddress, "");
}

TEST(DeviceHandlerTest, ConnectTimeoutFromElementAndParameter) {
  struct Case {
    std::string Element, Parameter;
    int32_t Expected;
  };
  const Case cases[] = {
      {"0", "", 1000}, {"-5", "", 1000}, {"5000", "", 5000}, {"5000", "2500", 2500}, {"5000", "0", 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Element + " / " + c.Parameter);
    std::string body = "<Connection><Type>tcp</Type><ConnectTimeout>" + c.Element + "</ConnectTimeout></Connection>";
    if (!c.Parameter.empty()) body += "<Parameters><ConnectTimeout>" + c.Parameter + "</ConnectTimeout></Parameters>";
    EXPECT_EQ(Parse(body)->fConnection.ConnectTimeOut(), c.Expected);
  }
}

TEST(DeviceHandlerTest, ParametersAreCaseInsensitiveAndRepeatTheFirstValue) {
  const auto h = Parse(
      "<Parameters><HEXLOG>TRUE</HEXLOG><DeviceName>FP1</DeviceName><A>1</A><Empty/><A>2</A><!-- note --></Parameters>");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"hexlog", "TRUE"}, {"devicename", "FP1"}, {"a", "1"}, {"empty", ""}, {"a", "1"}};
  EXPECT_EQ(h->fParameters, expected);
  EXPECT_EQ(h->GetParameter("HexLog"), "TRUE");
  EXPECT_EQ(h->GetParameter("hexlog"), "TRUE");
  EXPECT_TRUE(h->ParameterExists("EMPTY"));
  EXPECT_FALSE(h->ParameterExists("missing"));
  EXPECT_EQ(h->GetParameter("missing"), "");
  EXPECT_EQ(h->fConnection.fDeviceName, "FP1") << "the DeviceName parameter replaces the connection's";

  // A name matches a child by its full or its local name, so x:B counts as the first B.
  const auto prefixed = Parse("<Parameters><x:B>1</x:B><B>2</B><x:B>3</x:B><C>4</C><y:C>5</y:C></Parameters>");
  const std::vector<std::pair<std::string, std::string>> expectedPrefixed = {
      {"x:b", "1"}, {"b", "1"}, {"x:b", "1"}, {"c", "4"}, {"y:c", "5"}};
  EXPECT_EQ(prefixed->fParameters, expectedPrefixed);
}

TEST(DeviceHandlerTest, HexLogParameterSwitchesTheHandlersDump) {
  struct Case {
    std::string Parameter;
    bool HexLog;
  };
  const Case cases[] = {{"<HEXLOG>TRUE</HEXLOG>", true}, {"<HexLog>true</HexLog>", true},
                        {"<HexLog>yes</HexLog>", false}, {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Parameter);
    const auto h = Parse("<Driver>D</Driver><LogId>hex</LogId><Connection><Type>tcp</Type><Address>127.0.0.1</Address>"
                         "<Port>9</Port></Connection><Parameters>" + c.Parameter + "</Parameters>");
    const auto io = h->CreateIOHandler(LogDir());
    EXPECT_EQ(io->fHexLog, c.HexLog);
    EXPECT_NE(io->GetLogFileName().find("D_hex_"), std::string::npos) << io->GetLogFileName();
  }
}

TEST(DeviceHandlerTest, BadValuesFailWithTheirMessages) {
  struct Case {
    std::string Body, Message;
  };
  const Case cases[] = {
      {"<Connection><Type>usb</Type></Connection>", "Connection Type usb is not valid"},
      {"<Connection><Port>1</Port></Connection>", "Connection Type  is not valid"},
      {"<Connection><Type>serial</Type><Parity>mark</Parity></Connection>", "Connection Parity mark is not valid"},
      {"<Parameters><ConnectTimeout>fast</ConnectTimeout></Parameters>", "'fast' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Body);
    EXPECT_EQ(ParseError(c.Body), c.Message);
  }
  EXPECT_NE(ParseError("<Handle>abc</Handle>"), "(no error)");
  EXPECT_NE(ParseError("<Connection><Type>tcp</Type><Port>x</Port></Connection>"), "(no error)");
}

}  // namespace
