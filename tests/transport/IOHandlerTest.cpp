// The transport base: connection settings, trace log, error slot and the
// temporary read time-out. A serial transport that is never connected serves as
// the concrete handler.

#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TransportTestSupport.h"
#include "runtime/DateTime.h"
#include "transport/kIOHandler_Serial.h"

using namespace transport_test;
using ::testing::ElementsAre;

namespace {

kConnection SerialSettings() {
  kConnection connection;
  connection.fSerialPort = "COM1";
  connection.fSpeed = 9600;
  connection.fDataBits = 8;
  connection.fStopBits = 1;
  return connection;
}

}  // namespace

TEST(ConnectionTest, TimeOutsDefaultTo1000AndIgnoreNonPositiveValues) {
  kConnection connection;
  EXPECT_EQ(connection.ConnectTimeOut(), 1000);
  EXPECT_EQ(connection.ReadTimeOut(), 1000);
  connection.ConnectTimeOut(0);
  connection.ReadTimeOut(-5);
  EXPECT_EQ(connection.ConnectTimeOut(), 1000);
  EXPECT_EQ(connection.ReadTimeOut(), 1000);
  connection.ConnectTimeOut(250);
  connection.ReadTimeOut(3000);
  EXPECT_EQ(connection.ConnectTimeOut(), 250);
  EXPECT_EQ(connection.ReadTimeOut(), 3000);
}

TEST(ConnectionTest, ConvertersAcceptAnyLetterCase) {
  const std::pair<const char*, tkConnectionType> types[] = {
      {"SERIAL", tkConnectionType::Serial}, {"Http", tkConnectionType::HTTP}, {"tcp", tkConnectionType::TCP},
      {"OPOS", tkConnectionType::OPOS},     {"dll", tkConnectionType::DLL},   {"Com", tkConnectionType::Com},
      {"spool", tkConnectionType::Spool}};
  for (const auto& [text, type] : types) EXPECT_EQ(kConnection::ConvertConnectionType(text), type) << text;

  const std::pair<const char*, tkParity> parities[] = {
      {"None", tkParity::None}, {"ODD", tkParity::Odd}, {"even", tkParity::Even}};
  for (const auto& [text, parity] : parities) EXPECT_EQ(kConnection::ConvertParity(text), parity) << text;

  const std::pair<const char*, tkHTTPAuthType> auths[] = {
      {"none", at_None}, {"Basic", at_Basic}, {"DIGEST", at_Digest}, {"ntlm", at_None}, {"", at_None}};
  for (const auto& [text, auth] : auths) EXPECT_EQ(kConnection::ConvertAuthType(text), auth) << text;
}

TEST(ConnectionTest, UnknownTypeOrParityNamesTheInputAsReceived) {
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[] { kConnection::ConvertConnectionType("usb"); }, "Connection Type usb is not valid"},
      {[] { kConnection::ConvertConnectionType("USB"); }, "Connection Type USB is not valid"},
      {[] { kConnection::ConvertConnectionType(""); }, "Connection Type  is not valid"},
      {[] { kConnection::ConvertParity("Mark"); }, "Connection Parity Mark is not valid"},
      {[] { kConnection::ConvertParity(""); }, "Connection Parity  is not valid"}};
  for (const auto& [convert, message] : cases) {
    try {
      convert();
      ADD_FAILURE() << "no error for " << message;
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
}

TEST(IOHandlerTest, WithoutFolderOrFileNameThereIsNoLog) {
  const auto folder = FreshLogFolder();
  const std::pair<std::string, std::string> places[] = {{"", "Device_1"}, {folder.string(), ""}};
  for (const auto& [directory, fileName] : places) {
    kIOHandler_Serial handler(SerialSettings(), directory, fileName);
    handler.fHexLog = true;
    handler.Debug(let_info, "nothing");
    handler.WriteLog(let_error, "Write", "\x02");
    handler.SetTemporaryReadTimeout(5000);
    handler.ResetTemporaryReadTimeout();
    EXPECT_EQ(handler.GetLogFileName(), "");
    EXPECT_EQ(handler.fReadTimeout, 1000);
  }
  EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(IOHandlerTest, TraceFileIsNamedAfterTheDeviceAndTheDayAndIsFramedByStartAndStop) {
  const auto folder = FreshLogFolder();
  std::string fileName;
  {
    kIOHandler_Serial handler(SerialSettings(), folder.string(), "Driver_7");
    fileName = handler.GetLogFileName();
    handler.Debug(let_error, "something failed");
  }
  EXPECT_EQ(fileName, (folder / ("Driver_7_" + DateTime::Now().Format("yyyymmdd") + ".log")).string());
  EXPECT_THAT(LogMessagesOfFile(fileName),
              ElementsAre("*************************** START ***************************", "ERROR - something failed",
                          "*************************** STOP ****************************"));
}

TEST(IOHandlerTest, TransferLinesShowBytesAsCharactersAndOptionallyTheirDump) {
  struct Case {
    bool hexLog;
    std::string data;
    std::string expected;
  };
  const Case cases[] = {
      {false, "\x02" "1\x03", "Write:\x02" "1\x03"},
      {true, "\x02" "1\x03", "Write:\x02" "1\x03 [02 31 03]"},
      {true, "", "Write: []"},
      {true, std::string("A\0B", 3), std::string("Write:A\0B [41 00 42]", 20)},
      {true, "\xE9\xFF", "Write:\u00E9\u00FF [e9 ff]"},
  };
  const auto folder = FreshLogFolder();
  kIOHandler_Serial handler(SerialSettings(), folder.string(), "Hex");
  for (const Case& c : cases) {
    handler.fHexLog = c.hexLog;
    handler.WriteLog(let_info, "Write", c.data);
  }
  const auto messages = LogMessages(handler);
  ASSERT_EQ(messages.size(), std::size(cases) + 1);
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(messages[i + 1], cases[i].expected);
}

TEST(IOHandlerTest, TextLinesKeepUtf8AndDumpCodeUnits) {
  const auto folder = FreshLogFolder();
  kIOHandler_Serial handler(SerialSettings(), folder.string(), "Text");
  handler.fHexLog = true;
  handler.WriteTextLog(let_error, "Read", "\u00E8 \u20AC");
  EXPECT_EQ(LogMessages(handler).back(), "ERROR - Read:\u00E8 \u20AC [e8 20 20ac]");
}

TEST(IOHandlerTest, HexStringSeparatesLowerCaseBytesBySingleBlanks) {
  EXPECT_EQ(kIOHandler::HexString("ABC"), "41 42 43");
  EXPECT_EQ(kIOHandler::HexString("\x05"), "05");
  EXPECT_EQ(kIOHandler::HexString("\x0A\xAB"), "0a ab");
  EXPECT_EQ(kIOHandler::HexString(""), "");
}

TEST(IOHandlerTest, CustomErrorIsKeptUntilReset) {
  kIOHandler_Serial handler(SerialSettings(), "", "");
  EXPECT_FALSE(handler.ErrorFound());
  handler.SetCustomError(-99, "Timeout Error");
  EXPECT_TRUE(handler.ErrorFound());
  EXPECT_EQ(handler.ErrorCode(), -99);
  EXPECT_EQ(handler.ErrorMessage(), "Timeout Error");
  handler.ResetCustomError();
  EXPECT_FALSE(handler.ErrorFound());
  EXPECT_EQ(handler.ErrorCode(), 0);
  EXPECT_EQ(handler.ErrorMessage(), "");
}

TEST(IOHandlerTest, TemporaryReadTimeoutHasOneSavedSlot) {
  struct Step {
    int32_t set;  // the value given to SetTemporaryReadTimeout, unless the step is a reset
    bool reset;
    int32_t readTimeoutAfter;
    const char* line;
  };
  struct Case {
    int32_t initial;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {2000,
       {{30000, false, 30000, "Set Read Timeout to 30000ms from 2000 ms"},
        {0, true, 2000, "Reset Timeout to 2000 ms"}}},
      {2000,
       {{0, false, 2000, "Set Read Timeout to 0ms from 2000 ms"},
        {0, true, 2000, "Reset Timeout to 0 ms"}}},
      {1000,
       {{5000, false, 5000, "Set Read Timeout to 5000ms from 1000 ms"},
        {9000, false, 9000, "Set Read Timeout to 9000ms from 5000 ms"},
        {0, true, 5000, "Reset Timeout to 5000 ms"},
        {-1, false, 5000, "Set Read Timeout to -1ms from 5000 ms"},
        {0, true, 5000, "Reset Timeout to 5000 ms"}}},
  };
  const auto folder = FreshLogFolder();
  int index = 0;
  for (const Case& c : cases) {
    kConnection connection = SerialSettings();
    connection.ReadTimeOut(c.initial);
    kIOHandler_Serial handler(connection, folder.string(), "Case" + std::to_string(index++));
    std::vector<std::string> expectedLines{"*************************** START ***************************"};
    for (const Step& step : c.steps) {
      if (step.reset) {
        handler.ResetTemporaryReadTimeout();
      } else {
        handler.SetTemporaryReadTimeout(step.set);
      }
      EXPECT_EQ(handler.fReadTimeout, step.readTimeoutAfter) << step.line;
      expectedLines.push_back(step.line);
    }
    EXPECT_EQ(LogMessages(handler), expectedLines);
  }
}
