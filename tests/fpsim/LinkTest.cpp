// The simulator's link layer over TCP and a pseudo-terminal: handshake, refused
// frames, repeated frames after a lost reply, and the faults injected on request.

#include "SimulatorHarness.h"

#include <gtest/gtest.h>

using namespace fpsim_test;

namespace {

class LinkTest : public ::testing::Test {
protected:
  RunningSimulator simulator{Options{}};
  HostLine host = HostLine::Tcp(simulator.Sim().TcpPort());
  ControlLine control{simulator.Sim().ControlPort()};
};

TEST_F(LinkTest, AcknowledgesAndRepliesWithTheRequestCounterAndAValidChecksum) {
  host.Write(Frame(37, "4214", "27"));
  std::string handshake;
  const ReplyFrame reply = host.ReadReply(&handshake);
  EXPECT_EQ(handshake, std::string(1, ACK));
  EXPECT_EQ(reply.payload.substr(0, 2), "37");
  EXPECT_EQ(reply.Code(), "4214");
  EXPECT_EQ(reply.Data(), "271");
  EXPECT_TRUE(reply.ChecksumOk()) << reply.payload;
}

TEST_F(LinkTest, RefusesMalformedFramesWithNakAndRunsNothing) {
  const std::string good = Frame(1, "1050", "01");
  std::string badChecksum = good;
  badChecksum[badChecksum.size() - 2] = badChecksum[badChecksum.size() - 2] == '0' ? '1' : '0';
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"checksum", badChecksum},
      {"too short", std::string(1, STX) + "01E10" + ETX},
      {"no E", std::string(1, STX) + "01X105001" + "00" + ETX},
      {"letters in code", Frame(1, "10A0", "01")},
      {"letters in counter", std::string(1, STX) + "0xE105001" + "00" + ETX},
      {"overlong", Frame(1, "1064", "011" + std::string(5000, 'A'))},
  };
  for (const auto& c : cases) {
    host.Write(c.bytes);
    EXPECT_EQ(host.ReadByte(), NAK) << c.name;
  }
  EXPECT_NE(control.Run("status").find("drawer=closed"), std::string::npos);
  // The line is still in step: a good frame after the refused ones is answered.
  EXPECT_EQ(host.Exchange(2, "1050", "01").Code(), "1050");
}

TEST_F(LinkTest, ARepeatedFrameAfterALostReplyGetsTheFirstReplyWithoutRunningAgain) {
  ASSERT_EQ(control.Run("lose 1"), "OK");
  const std::string open = Frame(5, "1063", "01");  // opening a non-fiscal document twice would fail
  host.Write(open);
  EXPECT_EQ(host.ReadByte(), ACK);  // the command ran, its reply is lost
  host.Write(open);                 // the host retries with the same counter
  std::string handshake;
  const ReplyFrame retried = host.ReadReply(&handshake);
  EXPECT_EQ(handshake, std::string(1, ACK));
  EXPECT_FALSE(retried.IsError()) << retried.payload;
  EXPECT_EQ(retried.Code(), "1063");
  // The same command with a new counter is a new command: now out of sequence.
  EXPECT_EQ(host.Exchange(6, "1063", "01").Error(), 11);
  EXPECT_EQ(host.Exchange(7, "1065", "01").Code(), "1065");
}

TEST_F(LinkTest, NakAndSilenceFaultsDropTheFrameWithoutRunningIt) {
  ASSERT_EQ(control.Run("nak 1"), "OK");
  host.Write(Frame(1, "1050", "01"));
  EXPECT_EQ(host.ReadByte(), NAK);
  ASSERT_EQ(control.Run("silence 1"), "OK");
  host.Write(Frame(2, "1050", "01"));
  // Silence: the next thing on the line is the answer to the following frame.
  const ReplyFrame status = host.Exchange(3, "1074", "01");
  EXPECT_EQ(status.Rd(15, 15), "1") << "the drawer must still be closed";
}

TEST_F(LinkTest, InjectedWaitsGarbageAndReplyCodesShapeTheNextReplies) {
  ASSERT_EQ(control.Run("wait 3"), "OK");
  host.Write(Frame(1, "4214", "51"));
  std::string handshake;
  host.ReadReply(&handshake);
  EXPECT_EQ(handshake, std::string(1, ACK) + std::string(3, WAIT));
  host.Write(std::string(1, ACK));

  ASSERT_EQ(control.Run("garbage 12"), "OK");
  host.Write(Frame(2, "4214", "51"));
  host.ReadReply(&handshake);
  ASSERT_EQ(handshake.size(), 13u);
  EXPECT_EQ(handshake.back(), ACK);
  for (char c : handshake.substr(0, 12))
    EXPECT_TRUE(c != STX && c != ETX && c != ACK && c != NAK && c != WAIT) << HostLine::Printable(handshake);
  host.Write(std::string(1, ACK));

  ASSERT_EQ(control.Run("code 2050 1074 2"), "OK");
  EXPECT_EQ(host.Exchange(3, "2050", "2400").Code(), "1074");
  EXPECT_EQ(host.Exchange(4, "4214", "27").Code(), "4214");  // only 2050 is affected
  EXPECT_EQ(host.Exchange(5, "2050", "2400").Code(), "1074");
  EXPECT_EQ(host.Exchange(6, "2050", "2400").Code(), "2050");
}

TEST_F(LinkTest, InjectedErrorAnswersTheChosenCommandInsteadOfRunningIt) {
  ASSERT_EQ(control.Run("error 1050 38 1"), "OK");
  EXPECT_EQ(host.Exchange(1, "4214", "27").Error(), 0);
  EXPECT_EQ(host.Exchange(2, "1050", "01").Error(), 38);
  EXPECT_EQ(host.Exchange(3, "1074", "01").Rd(15, 15), "1");
  EXPECT_EQ(host.Exchange(4, "1050", "01").Error(), 0);
  EXPECT_EQ(host.Exchange(5, "1074", "01").Rd(15, 15), "0");
}

TEST_F(LinkTest, ControlChannelRejectsBadCommandsWithAReason) {
  const char* bad[] = {"nak", "nak -1", "bogus", "error 12 5", "code 2050 12", "card 123", "chaos 2", "paper wet"};
  for (const char* command : bad) EXPECT_TRUE(control.Run(command).starts_with("ERR ")) << command;
}

TEST(LinkSeedTest, GarbageBytesDependOnlyOnTheSeed) {
  const auto garbageWithSeed = [](uint32_t seed) {
    Options options;
    options.seed = seed;
    options.faults = {"garbage 16"};
    RunningSimulator simulator(options);
    HostLine host = HostLine::Tcp(simulator.Sim().TcpPort());
    host.Write(Frame(1, "4214", "27"));
    std::string handshake;
    host.ReadReply(&handshake);
    return handshake;
  };
  EXPECT_EQ(garbageWithSeed(7), garbageWithSeed(7));
  EXPECT_NE(garbageWithSeed(7), garbageWithSeed(8));
}

TEST(LinkSlowCommandTest, SlowCommandIsPrecededByWait) {
  RunningSimulator simulator(Options{});
  HostLine host = HostLine::Tcp(simulator.Sim().TcpPort());
  host.Write(Frame(1, "1088", "01"));
  std::string handshake;
  const ReplyFrame reply = host.ReadReply(&handshake);
  EXPECT_EQ(handshake, std::string(1, ACK) + WAIT);
  EXPECT_EQ(reply.Code(), "1088");
}

TEST(LinkConnectionTest, ANewTcpClientIsServedAfterThePreviousOneWentAway) {
  Options options;
  options.faults = {"lose 1"};
  RunningSimulator simulator(options);
  {
    HostLine first = HostLine::Tcp(simulator.Sim().TcpPort());
    first.Write(Frame(1, "1063", "01"));
    EXPECT_EQ(first.ReadByte(), ACK);
  }
  // The new client starts its counters again; its frame 01 is a new command, not a
  // repeat of the last client's frame 01.
  HostLine second = HostLine::Tcp(simulator.Sim().TcpPort());
  EXPECT_EQ(second.Exchange(1, "1063", "01").Error(), 11);
  EXPECT_EQ(second.Exchange(2, "1065", "01").Error(), 0);
}

TEST(LinkPtyTest, ServesOverAPseudoTerminalAcrossReopens) {
  const std::string link = ::testing::TempDir() + "fpsim-link-test-pty";
  Options options;
  options.pty = true;
  options.ptyLink = link;
  RunningSimulator simulator(options);
  {
    HostLine first = HostLine::Pty(link);
    EXPECT_EQ(first.Exchange(1, "3217", "01").Data(), "01012345EX99");
  }
  HostLine second = HostLine::Pty(simulator.Sim().PtyPath());
  const ReplyFrame reply = second.Exchange(2, "1074", "01");
  EXPECT_EQ(reply.Rd(3, 7), "5.01 ");
  EXPECT_TRUE(reply.ChecksumOk());
}

}  // namespace
