// The serial transport over real pseudo-terminals: the test plays the printer on
// the master side, the transport opens the slave by its path.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TransportTestSupport.h"
#include "transport/TermiosLine.h"
#include "transport/kIOHandler_Serial.h"

using namespace transport_test;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;

namespace {

constexpr char STX = '\x02', ETX = '\x03', ACK = '\x06', NAK = '\x15';

kConnection LineSettings(const std::string& aPort, int32_t aReadTimeout = 300) {
  kConnection connection;
  connection.fSerialPort = aPort;
  connection.fSpeed = 9600;
  connection.fDataBits = 8;
  connection.fParity = tkParity::None;
  connection.fStopBits = 1;
  connection.ReadTimeOut(aReadTimeout);
  return connection;
}

std::string ErrorOf(const std::function<void()>& aAction) {
  try {
    aAction();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "no error";
}

// A connected transport on a fresh pseudo-terminal with its own trace file.
struct SerialLine {
  explicit SerialLine(int32_t aReadTimeout = 300)
      : handler(LineSettings(pty.SlavePath(), aReadTimeout), FreshLogFolder().string(), "Serial") {
    handler.Connect();
  }
  PtyPair pty;
  kIOHandler_Serial handler;
};

}  // namespace

TEST(SerialTest, ComNumbersMapToTheTtySDevices) {
  EXPECT_EQ(TComPort::DevicePathOf(1), "/dev/ttyS0");
  EXPECT_EQ(TComPort::DevicePathOf(15), "/dev/ttyS14");
  EXPECT_EQ(TComPort::DevicePathOf(0), "");
}

TEST(SerialTest, InvalidSettingsFailBeforeAnyDeviceIsTouched) {
  struct Case {
    std::string port;
    int32_t stopBits;
    const char* message;
  };
  const Case cases[] = {
      {"COM3", 0, "Stop Bits 0 invalid"},
      {"COM3", 3, "Stop Bits 3 invalid"},
      {"COMX", 1, "'X' is not a valid integer value"},
      {"COM", 1, "'' is not a valid integer value"},
      {"COM 3", 1, "' 3' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    kConnection connection = LineSettings(c.port);
    connection.fStopBits = c.stopBits;
    EXPECT_EQ(ErrorOf([&] { kIOHandler_Serial(connection, "", ""); }), c.message) << c.port;
  }
}

TEST(SerialTest, OpenFailuresNameThePort) {
  PtyPair pty;
  struct Case {
    std::string port;
    int32_t speed;
    int32_t dataBits;
    std::string message;
  };
  const Case cases[] = {
      {"COM200", 9600, 8, "COM200 is not a valid COM port."},
      {"COM0", 9600, 8, "COM0 is not a valid COM port."},
      {"COM1234", 9600, 8, "COM1234 is not a valid COM port."},
      {"/dev/no-such-tty", 9600, 8, "/dev/no-such-tty is not a valid COM port."},
      {"/dev/null", 9600, 8, "GetCommState failed!"},
      {pty.SlavePath(), 12345, 8, "SetCommState failed!"},
      {pty.SlavePath(), 9600, 9, "SetCommState failed!"},
  };
  for (const Case& c : cases) {
    kConnection connection = LineSettings(c.port);
    connection.fSpeed = c.speed;
    connection.fDataBits = c.dataBits;
    kIOHandler_Serial handler(connection, "", "");
    EXPECT_EQ(ErrorOf([&] { handler.Connect(); }), c.message) << c.port;
  }
  // A port that failed its configuration is closed again: a valid one opens.
  kIOHandler_Serial handler(LineSettings(pty.SlavePath()), "", "");
  EXPECT_TRUE(handler.Connect());
}

TEST(SerialTest, LineParametersMapOntoTheTerminalSettings) {
  struct Case {
    uint32_t speed;
    uint8_t dataBits;
    TParity parity;
    TStopBits stopBits;
    speed_t code;
    tcflag_t size;
    tcflag_t parityFlags;
  };
  const Case cases[] = {
      {9600, 8, ptNone, sbOne, B9600, CS8, 0},
      {19200, 7, ptEven, sbTwo, B19200, CS7, PARENB},
      {115200, 8, ptOdd, sbOne, B115200, CS8, PARENB | PARODD},
      {4800, 6, ptMark, sbOne, B4800, CS6, PARENB | PARODD | CMSPAR},
      {1200, 5, ptSpace, sbTwo, B1200, CS5, PARENB | CMSPAR},
  };
  for (const Case& c : cases) {
    termios tio{};
    tio.c_cflag = CS8 | PARENB | PARODD | CSTOPB | CRTSCTS;
    tio.c_lflag = ICANON | ECHO | ISIG;
    tio.c_iflag = ICRNL | IXON;
    ASSERT_TRUE(ApplyLineParameters(tio, c.speed, c.dataBits, c.stopBits, c.parity)) << c.speed;
    EXPECT_EQ(cfgetospeed(&tio), c.code) << c.speed;
    EXPECT_EQ(cfgetispeed(&tio), c.code) << c.speed;
    EXPECT_EQ(tio.c_cflag & CSIZE, c.size) << c.speed;
    EXPECT_EQ(tio.c_cflag & (PARENB | PARODD | CMSPAR), c.parityFlags) << c.speed;
    EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.stopBits == sbTwo) << c.speed;
    EXPECT_NE(tio.c_cflag & CRTSCTS, 0u) << "hardware flow control stays as it was";
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u) << "the line must be raw";
    EXPECT_EQ(tio.c_iflag & (ICRNL | IXON), 0u) << "no translation or software flow control";
  }
  termios tio{};
  EXPECT_FALSE(ApplyLineParameters(tio, 12345, 8, sbOne, ptNone));
  EXPECT_FALSE(ApplyLineParameters(tio, 9600, 9, sbOne, ptNone));
  EXPECT_FALSE(ApplyLineParameters(tio, 9600, 8, sbOneHalf, ptNone));
}

// A pseudo-terminal keeps speed and stop bits (it forces 8 bits without parity).
TEST(SerialTest, ConnectProgramsTheLine) {
  PtyPair pty;
  kConnection connection = LineSettings(pty.SlavePath());
  connection.fSpeed = 19200;
  connection.fStopBits = 2;
  kIOHandler_Serial handler(connection, "", "");
  ASSERT_TRUE(handler.Connect());
  termios tio{};
  ASSERT_EQ(::tcgetattr(pty.Master(), &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), speed_t(B19200));
  EXPECT_NE(tio.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
}

TEST(SerialTest, ConnectLogsTheBannerAndTheLineSettings) {
  PtyPair pty;
  kConnection connection = LineSettings(pty.SlavePath());
  connection.ConnectTimeOut(1500);
  connection.ReadTimeOut(2500);
  kIOHandler_Serial handler(connection, FreshLogFolder().string(), "Banner");
  handler.fVersion = "1.2.3";
  handler.Connect();
  EXPECT_THAT(LogMessages(handler),
              ElementsAre("*************************** START ***************************",
                          "*************************************************************", "kIOHandler_Serial", "1.2.3",
                          "ConnectTimeout=1500", "ReadTimeout=2500", "Serial Driver Version: 1.0",
                          "SerialPort=" + pty.SlavePath(), "Speed=9600", "Parity=none", "DataBits=8", "StopBits=1"));
}

TEST(SerialTest, SecondOpenerIsRefusedUntilTheFirstDisconnects) {
  PtyPair pty;
  kIOHandler_Serial first(LineSettings(pty.SlavePath()), "", "");
  kIOHandler_Serial second(LineSettings(pty.SlavePath()), "", "");
  ASSERT_TRUE(first.Connect());
  EXPECT_THAT(ErrorOf([&] { second.Connect(); }), MatchesRegex("Cannot open " + pty.SlavePath() + " \\(error #[0-9]+\\)\\."));
  first.Disconnect();
  EXPECT_TRUE(second.Connect());
  EXPECT_TRUE(second.Disconnect());
  EXPECT_TRUE(first.Connect()) << "a port can be opened again after it was closed";
}

TEST(SerialTest, ClosedPortRefusesReadAndWriteAndIgnoresPurge) {
  PtyPair pty;
  kIOHandler_Serial handler(LineSettings(pty.SlavePath()), "", "");
  EXPECT_NO_THROW(handler.ClearBuffers());
  EXPECT_EQ(ErrorOf([&] { handler.ReadUpTo("\x03"); }), "Cannot read because COM port is not open.");
  EXPECT_EQ(ErrorOf([&] { handler.Write("\x05"); }), "Cannot write because COM port is not open.");
  EXPECT_EQ(ErrorOf([&] { handler.ReadAll(); }), "ReadAll Unsupported");
}

TEST(SerialTest, WriteSendsEveryByteAndLogsIt) {
  SerialLine line;
  line.handler.fHexLog = true;
  const std::string frame = std::string{STX} + "1\xFF" + std::string(1, '\0') + ETX;
  EXPECT_TRUE(line.handler.Write(frame));
  EXPECT_EQ(line.pty.Receive(frame.size(), std::chrono::seconds(5)), frame);
  EXPECT_EQ(LogMessages(line.handler).back(), std::string("Write:\x02" "1\u00FF") + '\0' + "\x03 [02 31 ff 00 03]");
}

TEST(SerialTest, ReadUpToStopsAtTheTerminatorAndLeavesTheRest) {
  SerialLine line(5000);
  line.handler.fHexLog = true;
  line.pty.Send(std::string{ACK});
  EXPECT_EQ(line.handler.ReadUpTo(std::string{ACK, NAK}), std::string{ACK});

  line.pty.Send(std::string{STX} + "0123" + ETX + "NEXT" + ETX);
  EXPECT_EQ(line.handler.ReadUpTo(std::string{ETX}), std::string{STX} + "0123" + ETX);
  EXPECT_EQ(line.handler.ReadUpTo(std::string{ETX}), std::string("NEXT") + ETX);

  const auto messages = LogMessages(line.handler);
  EXPECT_THAT(std::vector<std::string>(messages.end() - 6, messages.end()),
              ElementsAre("Waiting for:\x06,\x15 [06,15]", "Read:\x06 [06]", "Waiting for:\x03 [03]",
                          "Read:\x02" "0123\x03 [02 30 31 32 33 03]", "Waiting for:\x03 [03]",
                          "Read:NEXT\x03 [4e 45 58 54 03]"));
}

TEST(SerialTest, ReadUpToReturnsWhatArrivedWhenTheTimeOutRunsOut) {
  struct Case {
    std::string sent;
    const char* logged;
  };
  const Case cases[] = {{"", "ERROR - Read Timeout:"}, {"\x02" "AB", "ERROR - Read Timeout:\x02" "AB"}};
  for (const Case& c : cases) {
    SerialLine line(200);
    line.pty.Send(c.sent);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(line.handler.ReadUpTo(std::string{ETX}), c.sent);
    EXPECT_GE(ElapsedMs(start), 200);
    EXPECT_FALSE(line.handler.ErrorFound());
    EXPECT_EQ(LogMessages(line.handler).back(), c.logged);
  }
}

TEST(SerialTest, ReadUpToHonoursTheStretchedTimeOut) {
  SerialLine line(100);
  line.handler.SetTemporaryReadTimeout(400);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(line.handler.ReadUpTo(std::string{ETX}), "");
  EXPECT_GE(ElapsedMs(start), 400);
}

TEST(SerialTest, ReadUpToEndsOnTimeWhileTheLineKeepsSendingWithoutTerminator) {
  SerialLine line(200);
  ASSERT_EQ(::fcntl(line.pty.Master(), F_SETFL, O_NONBLOCK), 0);
  std::atomic<bool> stop{false};
  const auto start = std::chrono::steady_clock::now();
  // Stops by itself after a while, so that a reader that ignores its deadline fails
  // the test instead of hanging it.
  std::thread babbler([&] {
    while (!stop && ElapsedMs(start) < 3000) {
      if (::write(line.pty.Master(), "x", 1) < 0) {
        pollfd pfd{line.pty.Master(), POLLOUT, 0};
        ::poll(&pfd, 1, 10);
      }
    }
  });
  const std::string result = line.handler.ReadUpTo(std::string{ETX});
  const auto elapsed = ElapsedMs(start);
  stop = true;
  babbler.join();
  EXPECT_FALSE(result.empty());
  EXPECT_EQ(result.find(ETX), std::string::npos);
  EXPECT_GE(elapsed, 200);
  EXPECT_LT(elapsed, 2000) << "the deadline must end a read on a babbling line";
}

TEST(SerialTest, HungUpLineFailsEachReadWithoutSpinning) {
  SerialLine line(250);
  line.pty.CloseMaster();
  EXPECT_EQ(line.handler.ReadUpTo(std::string{ETX}), "");
  int readErrors = 0;
  for (const auto& message : LogMessages(line.handler)) {
    if (message.starts_with("ERROR - Read Error:")) ++readErrors;
  }
  EXPECT_GE(readErrors, 1);
  EXPECT_LE(readErrors, 4) << "each failed read must take its 100 ms";
}

TEST(SerialTest, ReadCharsReturnsOnTheCountOrWhatArrivedByTheTimeOut) {
  {
    SerialLine line(5000);
    line.pty.Send("12345678");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(line.handler.ReadChars(5), "12345");
    EXPECT_LT(ElapsedMs(start), 5000) << "must not wait for the time-out once the count is there";
    EXPECT_EQ(line.handler.ReadChars(0), "");
    EXPECT_EQ(line.handler.ReadChars(3), "678");
    EXPECT_EQ(LogMessages(line.handler).back(), "Read:678");
  }
  {
    SerialLine line(200);
    line.pty.Send("123");
    EXPECT_EQ(line.handler.ReadChars(5), "123");
    EXPECT_EQ(LogMessages(line.handler).back(), "ERROR - Read Timeout:123");
  }
}

TEST(SerialTest, ClearBuffersDiscardsUnreadInput) {
  PtyPair pty;
  TComPort port(pty.SlavePath(), 9600, 8, sbOne, ptNone);
  port.Open();
  pty.Send("stale");
  const auto start = std::chrono::steady_clock::now();
  while (port.GetBytesPending() < 5 && ElapsedMs(start) < 5000) {
    pollfd pfd{pty.Master(), 0, 0};
    ::poll(&pfd, 1, 5);
  }
  ASSERT_EQ(port.GetBytesPending(), 5u);
  port.ClearBuffers();
  EXPECT_EQ(port.GetBytesPending(), 0u);
  pty.Send("F");
  char byte = 0;
  uint32_t errors = 0;
  EXPECT_EQ(port.Read(&byte, 1, 1000, errors), 1);
  EXPECT_EQ(byte, 'F');
}
