// The framed exchange of one native command, against a scripted printer.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "ScriptedIOHandler.h"
#include "TraceLines.h"
#include "epson/kEpsonExchange.h"

using namespace scripted;
using Events = std::vector<std::string>;

namespace {

const std::string kAck(1, ACK);
const std::string kNak(1, NAK);
const std::string kWait(1, WAIT);
// Command 1085 "01" as the first frame of a device: the message 01E108501 sums to
// 48+49+69+49+48+56+53+48+49 = 469, so the checksum is 69.
const std::string kFrame = "<STX>01E10850169<ETX>";
const std::string kReply = "<STX>01E1085OK" + Checksum("01E1085OK") + "<ETX>";

struct ExchangeTest : ::testing::Test {
  ScriptedIOHandler io;
  kEpsonExchange exchange{io};

  bool Run() { return exchange.ExecuteCommand("1085", "01", "BeginFiscalReceipt[Sale]"); }
};

}  // namespace

TEST(EpsonFrameTest, CounterDigitsAndChecksum) {
  struct Case {
    int32_t counterBefore;
    const char* frame;
  };
  const Case cases[] = {
      {0, "<STX>01E10850169<ETX>"},
      {98, "<STX>99E10850186<ETX>"},
      {99, "<STX>00E10850168<ETX>"},   // the hundredth frame carries "00"
      {100, "<STX>01E10850169<ETX>"},
  };
  for (const auto& c : cases) {
    ScriptedIOHandler io;
    kEpsonExchange exchange{io};
    exchange.fFrameCounter = c.counterBefore;
    io.Answer(AckReply("1085", ""));
    EXPECT_TRUE(exchange.ExecuteCommand("1085", "01", "x"));
    EXPECT_EQ(exchange.fFrameCounter, c.counterBefore + 1);
    EXPECT_EQ(io.Writes().front(), c.frame) << "counter before " << c.counterBefore;
  }
}

TEST_F(ExchangeTest, AckThenReplyIsAcknowledgedAndDecoded) {
  io.Answer(AckReply("4201", "1506211030"));
  ASSERT_TRUE(exchange.ExecuteCommand("4201", "", "GetDateTime"));
  const std::string reply = "<STX>01E42011506211030" + Checksum("01E42011506211030") + "<ETX>";
  EXPECT_EQ(io.fEvents, (Events{"clear", "write <STX>01E4201" + Checksum("01E4201") + "<ETX>", "read <ACK>",
                                "read " + reply, "write <ACK>"}));
  EXPECT_EQ(exchange.fFullResponseData, "42011506211030");
  EXPECT_EQ(exchange.fResponseData, "1506211030");
  EXPECT_EQ(exchange.RD(5, 6), "21");
  EXPECT_EQ(exchange.FRD(1, 4), "4201");
  EXPECT_EQ(exchange.RD(9, 40), "30");   // a short reply reads as what it has
  EXPECT_FALSE(io.ErrorFound());
}

TEST_F(ExchangeTest, SuccessiveCommandsUseSuccessiveCountersAndForgetTheLastReply) {
  io.Answer(AckReply("1085", "AB")).Answer("");
  EXPECT_TRUE(Run());
  EXPECT_FALSE(exchange.ExecuteCommand("1087", "01", "EndFiscalReceipt"));
  EXPECT_EQ(exchange.fResponseData, "");
  EXPECT_EQ(io.Writes()[2], "<STX>02E108701" + Checksum("02E108701") + "<ETX>");
}

TEST_F(ExchangeTest, WaitKeepsReadingWithoutResendOrAttempts) {
  io.Answer(kWait + kWait + kWait + kWait + kWait + kAck + Reply("1085", "OK"));
  EXPECT_TRUE(Run());
  EXPECT_EQ(io.Writes(), (Events{kFrame, "<ACK>"}));
  EXPECT_FALSE(io.ErrorFound());
}

TEST_F(ExchangeTest, LoneAckIsFollowedByReadingAgain) {
  io.Answer(kAck).Answer(kAck + Reply("1085", "OK"));
  EXPECT_TRUE(Run());
  // ACK, then silence: the attempt times out and the same frame goes out again.
  EXPECT_EQ(io.fEvents, (Events{"clear", "write " + kFrame, "read <ACK>", "read ", "clear", "write " + kFrame,
                                "read <ACK>", "read " + kReply, "write <ACK>"}));
}

TEST_F(ExchangeTest, NakResendsAtOnceThenClearsAndResends) {
  io.Answer(kNak).Answer("dropped by the clear").Answer(kAck + Reply("1085", "OK"));
  EXPECT_TRUE(Run());
  EXPECT_EQ(io.fEvents, (Events{"clear", "write " + kFrame, "read <NAK>", "write " + kFrame, "clear",
                                "write " + kFrame, "read <ACK>", "read " + kReply, "write <ACK>"}));
}

TEST_F(ExchangeTest, SilenceGivesThreeAttemptsThenTimeoutError) {
  EXPECT_FALSE(Run());
  const Events attempt{"clear", "write " + kFrame, "read "};
  Events expected;
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), attempt.begin(), attempt.end());
  EXPECT_EQ(io.fEvents, expected);
  EXPECT_TRUE(io.ErrorFound());
  EXPECT_EQ(io.ErrorCode(), -99);
  EXPECT_EQ(io.ErrorMessage(), "Timeout Error");
  EXPECT_EQ(exchange.fFullResponseData, "");
}

TEST_F(ExchangeTest, EndlessWaitEndsAsTimeout) {
  io.fReadTimeout = 2;
  io.fIdleAnswer = kWait;
  EXPECT_FALSE(Run());
  EXPECT_EQ(io.Writes(), Events{kFrame});
  EXPECT_EQ(io.ErrorCode(), -99);
}

TEST_F(ExchangeTest, ErrorReplies) {
  struct Case {
    const char* code;
    int32_t errorCode;
    const char* text;
  };
  const Case cases[] = {{"23", 23, "CHIUDI SCONTRINO"},
                        {"02", 2, "CARTA SCONTRINO"},
                        {"38", 38, "EFT-POS in ERRORE"},
                        {"99", 99, "ERRORE SCONOSCIUTO"}};
  for (const auto& c : cases) {
    ScriptedIOHandler io;
    kEpsonExchange exchange{io};
    io.Answer(kAck + ErrorReply(c.code));
    EXPECT_FALSE(exchange.ExecuteCommand("1087", "01", "EndFiscalReceipt"));
    EXPECT_EQ(io.ErrorCode(), c.errorCode);
    EXPECT_EQ(io.ErrorMessage(), c.text);
    EXPECT_EQ(io.Writes().back(), "<ACK>") << "an error reply is acknowledged too";
    EXPECT_EQ(exchange.FRD(1, 3), "ERR");
  }
}

TEST_F(ExchangeTest, ErrorReplyWithoutNumericCodeThrowsAfterAcknowledging) {
  io.Answer(kAck + ErrorReply("X1"));
  EXPECT_THROW(Run(), std::runtime_error);
  EXPECT_EQ(io.Writes().back(), "<ACK>");
}

TEST_F(ExchangeTest, NoAcknowledgementWhenDisabled) {
  exchange.fAckEnabled = false;
  io.Answer(kAck + Reply("1085", "OK")).Answer(kAck + ErrorReply("23"));
  EXPECT_TRUE(Run());
  EXPECT_FALSE(Run());
  EXPECT_EQ(io.Writes().size(), 2u);
}

TEST(ExchangeTraceTest, SampleExchangeTrace) {
  const std::string dir = TestLogDir("epson-exchange-trace");
  std::filesystem::remove_all(dir);
  auto io = std::make_unique<ScriptedIOHandler>(5, dir, "Trace");
  kEpsonExchange exchange{*io};
  io->Answer("").Answer(kAck + Reply("4201", "1506211030"));
  ASSERT_TRUE(exchange.ExecuteCommand("4201", "", "GetDateTime"));
  const std::string path = io->GetLogFileName();
  io.reset();   // the STOP line, and every line in the file

  const std::string frame = "\x02" "01E4201" + Checksum("01E4201") + "\x03";
  const std::string reply = "\x02" "01E42011506211030" + Checksum("01E42011506211030") + "\x03";
  EXPECT_EQ(TraceMessages(path), (Events{
                                      "*************************** START ***************************",
                                      "*GetDateTime*",
                                      "Write:" + frame,
                                      "ERROR - Read Timeout:",
                                      "ERROR - Timeout: #1",
                                      "Write:" + frame,
                                      "Read:\x06",
                                      "Read:" + reply,
                                      "Write:\x06",
                                      "*************************** STOP ****************************",
                                  }));
}

TEST(ExchangeTraceTest, SilentPrinterLogsEachAttempt) {
  const std::string dir = TestLogDir("epson-exchange-silent");
  std::filesystem::remove_all(dir);
  auto io = std::make_unique<ScriptedIOHandler>(5, dir, "Silent");
  kEpsonExchange exchange{*io};
  EXPECT_FALSE(exchange.ExecuteCommand("4201", "", "GetDateTime"));
  const std::string path = io->GetLogFileName();
  io.reset();

  Events attempts;
  for (const auto& line : TraceMessages(path))
    if (line.find("Timeout: #") != std::string::npos) attempts.push_back(line);
  EXPECT_EQ(attempts, (Events{"ERROR - Timeout: #1", "ERROR - Timeout: #2", "ERROR - Timeout: #3"}));
}
