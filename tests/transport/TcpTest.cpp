// The TCP transport against a listening socket on 127.0.0.1 that the test drives
// as the printer.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TransportTestSupport.h"
#include "transport/kIOHandler_TCP.h"

using namespace transport_test;
using ::testing::ElementsAre;

namespace {

constexpr char ETX = '\x03';

class LoopbackServer {
public:
  explicit LoopbackServer(int aBacklog = 4) {
    fListener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fListener < 0 || ::bind(fListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fListener, aBacklog) != 0 ||
        ::getsockname(fListener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    fPort = ntohs(address.sin_port);
  }
  ~LoopbackServer() {
    CloseClient();
    ::close(fListener);
  }
  int Port() const { return fPort; }
  int Listener() const { return fListener; }
  // Takes the connection the transport made (it is already in the backlog).
  void Accept() {
    CloseClient();
    pollfd pfd{fListener, POLLIN, 0};
    if (::poll(&pfd, 1, 5000) != 1) throw std::runtime_error("no connection to accept");
    fClient = ::accept(fListener, nullptr, nullptr);
  }
  void Send(std::string_view aBytes) const {
    if (::send(fClient, aBytes.data(), aBytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(aBytes.size())) {
      throw std::runtime_error("send failed");
    }
  }
  std::string Receive(size_t aCount) const {
    std::string received;
    const auto start = std::chrono::steady_clock::now();
    while (received.size() < aCount && ElapsedMs(start) < 5000) {
      pollfd pfd{fClient, POLLIN, 0};
      if (::poll(&pfd, 1, 20) <= 0) continue;
      char buffer[256];
      const ssize_t got = ::recv(fClient, buffer, std::min(sizeof buffer, aCount - received.size()), 0);
      if (got <= 0) break;
      received.append(buffer, static_cast<size_t>(got));
    }
    return received;
  }
  void CloseClient() {
    if (fClient >= 0) ::close(fClient);
    fClient = -1;
  }

private:
  int fListener = -1;
  int fClient = -1;
  int fPort = 0;
};

kConnection TcpSettings(int aPort, int32_t aReadTimeout = 300) {
  kConnection connection;
  connection.fConnectionType = tkConnectionType::TCP;
  connection.fAddress = "127.0.0.1";
  connection.fPort = aPort;
  connection.ReadTimeOut(aReadTimeout);
  connection.ConnectTimeOut(500);
  return connection;
}

// A connected transport with its own trace file, and the server side of it.
struct TcpLine {
  explicit TcpLine(int32_t aReadTimeout = 300)
      : handler(TcpSettings(server.Port(), aReadTimeout), FreshLogFolder().string(), "Tcp") {
    if (!handler.Connect()) throw std::runtime_error("connect failed");
    server.Accept();
  }
  LoopbackServer server;
  kIOHandler_TCP handler;
};

// A port on which nothing listens.
int ClosedPort() {
  LoopbackServer server;
  return server.Port();
}

}  // namespace

TEST(TcpTest, ConnectLogsTheBannerHostAndPort) {
  LoopbackServer server;
  kIOHandler_TCP handler(TcpSettings(server.Port()), FreshLogFolder().string(), "Banner");
  handler.fVersion = "9.9";
  EXPECT_TRUE(handler.Connect());
  EXPECT_THAT(LogMessages(handler),
              ElementsAre("*************************** START ***************************",
                          "*************************************************************", "kIOHandler_TCP", "9.9",
                          "ConnectTimeout=500", "ReadTimeout=300", "Host=127.0.0.1",
                          "Port=" + std::to_string(server.Port())));
  EXPECT_TRUE(handler.Disconnect());
  EXPECT_TRUE(handler.Connect()) << "a transport connects again after a disconnect";
}

TEST(TcpTest, ConnectToAClosedPortFailsWithTheReason) {
  kIOHandler_TCP handler(TcpSettings(ClosedPort()), FreshLogFolder().string(), "Refused");
  EXPECT_FALSE(handler.Connect());
  EXPECT_FALSE(handler.ErrorFound());
  EXPECT_EQ(LogMessages(handler).back(), "ERROR - Connect Error:Connection refused");
}

TEST(TcpTest, ConnectGivesUpAfterTheConnectTimeOut) {
  // A listener with a full backlog leaves further connection attempts unanswered.
  LoopbackServer server(0);
  std::vector<int> fillers;
  bool full = false;
  for (int i = 0; i < 16 && !full; ++i) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(server.Port()));
    ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    pollfd pfd{fd, POLLOUT, 0};
    full = ::poll(&pfd, 1, 100) == 0;
    fillers.push_back(fd);
  }
  ASSERT_TRUE(full) << "the backlog never filled";
  kConnection connection = TcpSettings(server.Port());
  connection.ConnectTimeOut(200);
  kIOHandler_TCP handler(connection, FreshLogFolder().string(), "Timeout");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(handler.Connect());
  EXPECT_GE(ElapsedMs(start), 200);
  EXPECT_EQ(LogMessages(handler).back(), "ERROR - Connect Timeout:");
  for (const int fd : fillers) ::close(fd);
}

TEST(TcpTest, WriteSendsEveryByteAndThrowsWhenNotConnected) {
  TcpLine line;
  line.handler.fHexLog = true;
  const std::string frame = std::string("\x02" "A\xE8", 3) + '\0' + ETX;
  EXPECT_TRUE(line.handler.Write(frame));
  EXPECT_EQ(line.server.Receive(frame.size()), frame);
  EXPECT_EQ(LogMessages(line.handler).back(), std::string("Write:\x02" "A\u00E8") + '\0' + "\x03 [02 41 e8 00 03]");
  line.handler.Disconnect();
  try {
    line.handler.Write("x");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Not Connected");
  }
}

TEST(TcpTest, ReadUpToStopsAtTheTerminatorAndLeavesTheRest) {
  TcpLine line(5000);
  line.server.Send(std::string("\x02" "01") + ETX + "NEXT" + ETX);
  EXPECT_EQ(line.handler.ReadUpTo(std::string{ETX}), std::string("\x02" "01") + ETX);
  EXPECT_EQ(line.handler.ReadUpTo(std::string{ETX}), std::string("NEXT") + ETX);
  const auto messages = LogMessages(line.handler);
  EXPECT_THAT(std::vector<std::string>(messages.end() - 4, messages.end()),
              ElementsAre("Waiting for:\x03", "Read:\x02" "01\x03", "Waiting for:\x03", "Read:NEXT\x03"));
}

TEST(TcpTest, ReadUpToOnASilentOrClosedLineReturnsWhatArrived) {
  struct Case {
    std::string sent;
    bool close;
    std::string logged;
  };
  const Case cases[] = {
      {"", false, "ERROR - ReadUpTo Unexpected error:Read timed out."},
      {"AB", false, "ERROR - ReadUpTo Unexpected error:Read timed out."},
      {"AB", true, "ERROR - ReadUpTo Unexpected error:Connection Closed Gracefully."},
  };
  for (const Case& c : cases) {
    TcpLine line(200);
    line.server.Send(c.sent);
    if (c.close) line.server.CloseClient();
    EXPECT_EQ(line.handler.ReadUpTo(std::string{ETX}), c.sent);
    EXPECT_FALSE(line.handler.ErrorFound());
    EXPECT_EQ(LogMessages(line.handler).back(), c.logged);
  }
  kIOHandler_TCP unconnected(TcpSettings(ClosedPort()), FreshLogFolder().string(), "Unconnected");
  EXPECT_EQ(unconnected.ReadUpTo(std::string{ETX}), "");
  EXPECT_EQ(LogMessages(unconnected).back(), "ERROR - ReadUpTo Unexpected error:Not Connected");
}

TEST(TcpTest, TerminatorArrivingAfterTheDeadlineIsKeptButLoggedAsTimeout) {
  TcpLine line(200);
  const auto start = std::chrono::steady_clock::now();
  // Each byte comes within the read time-out of the one before; the last one after
  // the overall deadline.
  std::thread printer([&] {
    line.server.Send("A");
    std::this_thread::sleep_until(start + std::chrono::milliseconds(120));
    line.server.Send("B");
    std::this_thread::sleep_until(start + std::chrono::milliseconds(240));
    line.server.Send(std::string{ETX});
  });
  const std::string result = line.handler.ReadUpTo(std::string{ETX});
  printer.join();
  EXPECT_EQ(result, std::string("AB") + ETX);
  EXPECT_EQ(LogMessages(line.handler).back(), "ERROR - Read Timeout:AB\x03");
}

TEST(TcpTest, ReadCharsReturnsOnTheCountOrWhatArrivedByTheTimeOut) {
  TcpLine line(300);
  line.handler.fHexLog = true;
  line.server.Send("\x01\x02\x03" "45");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(line.handler.ReadChars(3), "\x01\x02\x03");
  EXPECT_LT(ElapsedMs(start), 300);
  EXPECT_EQ(LogMessages(line.handler).back(), "Read:\x01\x02\x03 [01 02 03]");
  EXPECT_EQ(line.handler.ReadChars(5), "45");
  EXPECT_EQ(LogMessages(line.handler).back(), "ERROR - Read Timeout:45 [34 35]");
  line.server.Send("6");
  line.server.CloseClient();
  EXPECT_EQ(line.handler.ReadChars(2), "6");
  EXPECT_THAT(LogMessages(line.handler).back(),
              ::testing::StartsWith("ERROR - ReadChars Unexpected error:Connection Closed Gracefully. [43 6f"));
}

TEST(TcpTest, ReadAllCollectsUntilThePeerCloses) {
  {
    TcpLine line(2000);
    line.server.Send("0123456789");
    line.server.CloseClient();
    EXPECT_EQ(line.handler.ReadAll(), "0123456789");
    EXPECT_EQ(LogMessages(line.handler).back(), "Read:0123456789");
  }
  {
    TcpLine line(200);
    line.server.Send("01");
    EXPECT_EQ(line.handler.ReadAll(), "01");
    EXPECT_EQ(LogMessages(line.handler).back(), "ERROR - ReadAll Unexpected error:Read timed out.");
  }
}

TEST(TcpTest, ClearBuffersDropsWhatWasNotRead) {
  TcpLine line(300);
  line.server.Send("stale");
  EXPECT_EQ(line.handler.ReadChars(1), "s");
  line.handler.ClearBuffers();
  line.server.Send("F");
  EXPECT_EQ(line.handler.ReadChars(1), "F");
}
