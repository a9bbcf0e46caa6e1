// The HTTP transport (posts) and the GET client against a server on 127.0.0.1.

#include <functional>
#include <stdexcept>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "HttpTestServer.h"
#include "TransportTestSupport.h"
#include "transport/QN_HttpClient.h"
#include "transport/kIOHandler_HTTP.h"

using namespace transport_test;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

kConnection HttpSettings(const std::string& aURL, tkHTTPAuthType aAuth = at_None, const std::string& aUser = "",
                         const std::string& aPassword = "") {
  kConnection connection;
  connection.fConnectionType = tkConnectionType::HTTP;
  connection.fURL = aURL;
  connection.fAuthType = aAuth;
  connection.fUser = aUser;
  connection.fPassword = aPassword;
  connection.ConnectTimeOut(500);
  connection.ReadTimeOut(500);
  return connection;
}

// A port on which nothing listens.
std::string ClosedUrl() {
  int port;
  {
    HttpTestServer server;
    port = server.Port();
  }
  return "http://127.0.0.1:" + std::to_string(port) + "/";
}

struct LoggedLine {
  tQN_MessageType type;
  std::string title;
  std::string message;
  bool operator==(const LoggedLine&) const = default;
};

std::ostream& operator<<(std::ostream& aOut, const LoggedLine& aLine) {
  return aOut << (aLine.type == let_error ? "ERROR " : "") << aLine.title << ":" << aLine.message;
}

// A GET client whose log lines are collected.
struct LoggingClient {
  LoggingClient() {
    client.fOnWriteLog = [this](tQN_MessageType aType, std::string_view aTitle, std::string_view aMessage) {
      lines.push_back({aType, std::string(aTitle), std::string(aMessage)});
    };
  }
  QN_HttpClient client;
  std::vector<LoggedLine> lines;
};

}  // namespace

TEST(HttpTransportTest, UrlComesFromTheConnection) {
  struct Case {
    std::string url;
    std::string address;
    int32_t port;
    std::string expected;
  };
  const Case cases[] = {
      {"", "192.168.1.10", 8080, "192.168.1.10:8080"},
      {"", "192.168.1.10", 0, "192.168.1.10"},
      {"http://printer/rt", "192.168.1.10", 8080, "http://printer/rt"},
  };
  for (const Case& c : cases) {
    kConnection connection = HttpSettings(c.url, at_Digest, "u", "p");
    connection.fAddress = c.address;
    connection.fPort = c.port;
    kIOHandler_HTTP handler(&connection, "", "");
    EXPECT_EQ(handler.fURL, c.expected);
    EXPECT_EQ(handler.fAuthType, at_Digest);
    EXPECT_EQ(handler.fUser, "u");
    EXPECT_EQ(handler.fPassword, "p");
  }
  kIOHandler_HTTP carrier(nullptr, "", "");
  EXPECT_EQ(carrier.fURL, "");
  EXPECT_EQ(carrier.fReadTimeout, 0);
  EXPECT_EQ(carrier.fConnectTimeout, 0);
}

TEST(HttpTransportTest, ConnectLogsTheUrl) {
  kConnection connection = HttpSettings("http://127.0.0.1:1/post");
  kIOHandler_HTTP handler(&connection, FreshLogFolder().string(), "Http");
  handler.fVersion = "2.0";
  EXPECT_TRUE(handler.Connect());
  EXPECT_TRUE(handler.Disconnect());
  EXPECT_THAT(LogMessages(handler),
              ElementsAre("*************************** START ***************************",
                          "*************************************************************", "kIOHandler_HTTP", "2.0",
                          "ConnectTimeout=500", "ReadTimeout=500", "URL=http://127.0.0.1:1/post"));
}

TEST(HttpTransportTest, WritePostsTheTextAndKeepsTheResponse) {
  HttpTestServer server;
  server.Answer(200, "<ok>\u00E8</ok>");
  kConnection connection = HttpSettings(server.Url("/rt"));
  kIOHandler_HTTP handler(&connection, FreshLogFolder().string(), "Post");
  handler.fContentType = "application/xml";
  const std::string message = "<r>\u00E8</r>";
  EXPECT_TRUE(handler.Write(message));
  EXPECT_EQ(handler.fResponseCode, 200);
  EXPECT_EQ(handler.fResponse, "<ok>\u00E8</ok>");
  EXPECT_FALSE(handler.ErrorFound());
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].url, "/rt");
  EXPECT_EQ(requests[0].body, message);
  EXPECT_EQ(requests[0].headers.at("content-type"), "application/xml");
  const std::string log = LogFileText(handler);
  EXPECT_THAT(log, HasSubstr(" - Write [9]:<r>\u00E8</r>\r\n"));
  EXPECT_THAT(log, HasSubstr(" - Read:ResponseCode:200\r\n<ok>\u00E8</ok>\r\n"));
}

TEST(HttpTransportTest, ErrorStatusIsRecordedWithItsText) {
  struct Case {
    int status;
    std::string text;
  };
  const Case cases[] = {{401, "Unauthorized"}, {404, "Not Found"}, {500, "Internal Server Error"}, {302, "Found"}};
  for (const Case& c : cases) {
    HttpTestServer server;
    server.Answer(c.status, "why", "text/plain", {{"Location", "/elsewhere"}});
    kConnection connection = HttpSettings(server.Url());
    kIOHandler_HTTP handler(&connection, FreshLogFolder().string(), "Status" + std::to_string(c.status));
    EXPECT_FALSE(handler.Write("x"));
    const std::string statusLine = "HTTP/1.1 " + std::to_string(c.status) + " " + c.text;
    EXPECT_EQ(handler.fResponseCode, c.status);
    EXPECT_EQ(handler.fResponse, "why");
    EXPECT_TRUE(handler.ErrorFound());
    EXPECT_EQ(handler.ErrorCode(), c.status);
    EXPECT_EQ(handler.ErrorMessage(), statusLine + " " + c.text);
    EXPECT_EQ(server.Requests().size(), 1u) << "redirects are not followed";
    const auto messages = LogMessages(handler);
    EXPECT_THAT(messages, ::testing::Contains("ERROR - Post Error:" + statusLine));
    EXPECT_THAT(messages, ::testing::Contains("ERROR - Post Error:" + std::to_string(c.status) + " " + c.text));
  }
}

TEST(HttpTransportTest, FailureWithoutStatusIsRecordedAs999) {
  {
    kConnection connection = HttpSettings(ClosedUrl());
    kIOHandler_HTTP handler(&connection, "", "");
    EXPECT_FALSE(handler.Write("x"));
    EXPECT_EQ(handler.fResponseCode, 999);
    EXPECT_EQ(handler.ErrorCode(), 999);
    EXPECT_THAT(handler.ErrorMessage(), HasSubstr("127.0.0.1"));
  }
  {
    HttpTestServer server;
    server.Hold();
    kConnection connection = HttpSettings(server.Url());
    connection.ReadTimeOut(200);
    kIOHandler_HTTP handler(&connection, "", "");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(handler.Write("x"));
    EXPECT_LT(ElapsedMs(start), 3000) << "a server that does not answer must not hold the post";
    EXPECT_EQ(handler.fResponseCode, 999);
    EXPECT_THAT(handler.ErrorMessage(), HasSubstr("timed out"));
  }
  {
    kConnection connection = HttpSettings("file:///etc/hostname");
    kIOHandler_HTTP handler(&connection, "", "");
    EXPECT_FALSE(handler.Write("x"));
    EXPECT_EQ(handler.fResponseCode, 999);
    EXPECT_EQ(handler.fResponse, "") << "a local file must not be read";
    EXPECT_THAT(handler.ErrorMessage(), HasSubstr("file"));
  }
}

TEST(HttpTransportTest, CredentialsAnswerBasicAndDigestChallenges) {
  using Auth = HttpTestServer::Auth;
  struct Case {
    Auth server;
    tkHTTPAuthType client;
    std::string password;
    int32_t status;
    const char* scheme;
  };
  const Case cases[] = {
      {Auth::Basic, at_Basic, "secret", 200, "Basic "},   {Auth::Basic, at_Basic, "wrong", 401, nullptr},
      {Auth::Basic, at_None, "secret", 401, nullptr},     {Auth::Digest, at_Digest, "secret", 200, "Digest "},
      {Auth::Digest, at_Digest, "wrong", 401, nullptr},   {Auth::Digest, at_Basic, "secret", 401, nullptr},
  };
  for (const Case& c : cases) {
    HttpTestServer server(c.server, "cashier", "secret");
    kConnection connection = HttpSettings(server.Url(), c.client, "cashier", c.password);
    kIOHandler_HTTP handler(&connection, "", "");
    EXPECT_EQ(handler.Write("<a/>"), c.status == 200) << c.password << " " << int(c.client);
    EXPECT_EQ(handler.fResponseCode, c.status) << c.password << " " << int(c.client);
    if (c.scheme) {
      ASSERT_EQ(server.Requests().size(), 1u);
      EXPECT_THAT(server.Requests()[0].headers.at("authorization"), StartsWith(c.scheme));
      EXPECT_EQ(server.Requests()[0].body, "<a/>");
    }
  }
}

TEST(HttpTransportTest, ParametersBecomeHeadersOfEveryLaterPost) {
  HttpTestServer server;
  kConnection connection = HttpSettings(server.Url());
  kIOHandler_HTTP handler(&connection, "", "");
  handler.SetParameter("X-Till", "1");
  handler.SetParameter("X-Shop", "A");
  handler.SetParameter("x-till", "2");
  EXPECT_TRUE(handler.Write("one"));
  EXPECT_TRUE(handler.Write("two"));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  for (const auto& request : requests) {
    EXPECT_EQ(request.headers.at("x-till"), "2");
    EXPECT_EQ(request.headers.at("x-shop"), "A");
  }
}

TEST(HttpTransportTest, ReadsGiveNothingAndReadAllIsUnsupported) {
  kIOHandler_HTTP handler(nullptr, "", "");
  EXPECT_EQ(handler.ReadUpTo("\x03"), "");
  EXPECT_EQ(handler.ReadChars(5), "");
  EXPECT_THROW(
      {
        try {
          handler.ReadAll();
        } catch (const std::runtime_error& e) {
          EXPECT_STREQ(e.what(), "ReadAll Unsupported");
          throw;
        }
      },
      std::runtime_error);
}

TEST(HttpTransportTest, DecodeErrorGivesTheStatusText) {
  kIOHandler_HTTP handler(nullptr, "", "");
  const std::pair<int32_t, const char*> cases[] = {
      {100, "Continue"}, {200, "OK"}, {208, "Already Reported (WebDAV)"}, {299, "Unknown"},
      {305, "Use Proxy "}, {418, "I'm a teapot"}, {511, "Network Authentication Required"}, {999, "Unknown"}};
  for (const auto& [code, text] : cases) EXPECT_EQ(handler.DecodeError(code), text) << code;
}

TEST(HttpClientTest, GetReturnsTheBodyAndLogsIt) {
  HttpTestServer server;
  server.Answer(200, "<Z>\u00E8</Z>", "text/xml");
  LoggingClient logging;
  logging.client.fUserAgent = "QNRP test";
  EXPECT_TRUE(logging.client.Get(server.Url("/www/dati-rt/")));
  EXPECT_EQ(logging.client.LastStatusCode(), 200);
  EXPECT_EQ(logging.client.LastStatusText(), "OK");
  EXPECT_EQ(logging.client.Response(), "<Z>\u00E8</Z>");
  EXPECT_EQ(logging.client.ResponseContentType(), "text/xml");
  EXPECT_THAT(logging.lines, ElementsAre(LoggedLine{let_info, "GET", server.Url("/www/dati-rt/")},
                                         LoggedLine{let_info, "Read [8]", "<Z>\u00E8</Z>"}));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].headers.at("user-agent"), "QNRP test");
  EXPECT_EQ(requests[0].headers.count("content-type"), 0u);
  EXPECT_EQ(requests[0].headers.count("accept-encoding"), 0u);
}

TEST(HttpClientTest, GetFailsOnAnyStatusOutside2xx) {
  const std::pair<int, std::string> cases[] = {{404, "Not Found"}, {500, "Internal Server Error"}, {302, "Found"}};
  for (const auto& [status, text] : cases) {
    HttpTestServer server;
    server.Answer(status, "page", "text/html", {{"Location", "/elsewhere"}});
    LoggingClient logging;
    EXPECT_FALSE(logging.client.Get(server.Url("/missing")));
    EXPECT_EQ(logging.client.LastStatusCode(), status);
    EXPECT_EQ(logging.client.Response(), "");
    EXPECT_EQ(server.Requests().size(), 1u) << "redirects are not followed";
    EXPECT_EQ(logging.lines.back(), (LoggedLine{let_error, "HTTP Error", std::to_string(status) + " - " + text}));
  }
}

TEST(HttpClientTest, GetWithoutAnswerFailsWithTheReason) {
  LoggingClient logging;
  EXPECT_FALSE(logging.client.Get(ClosedUrl()));
  EXPECT_EQ(logging.client.LastStatusCode(), 0);
  EXPECT_FALSE(logging.client.LastStatusText().empty());
  EXPECT_EQ(logging.lines.back().title, "HTTP Error");
  EXPECT_THAT(logging.lines.back().message, StartsWith("0 - "));

  LoggingClient local;
  EXPECT_FALSE(local.client.Get("file:///etc/hostname"));
  EXPECT_EQ(local.lines.back().title, "HTTP Error");
  EXPECT_THAT(local.lines.back().message, HasSubstr("file")) << "the reason, not an empty text";

  HttpTestServer server;
  server.Hold();
  LoggingClient waiting;
  waiting.client.fReadTimeout = 1;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(waiting.client.Get(server.Url()));
  EXPECT_LT(ElapsedMs(start), 5000) << "the read time-out must end a request the server does not answer";
}

TEST(HttpClientTest, CredentialsAnswerTheChallenge) {
  using Auth = HttpTestServer::Auth;
  const std::tuple<Auth, tkHTTPAuthType, bool> cases[] = {
      {Auth::Digest, at_Digest, true}, {Auth::Digest, at_Basic, false}, {Auth::Basic, at_Basic, true},
      {Auth::Basic, at_None, false}};
  for (const auto& [serverAuth, clientAuth, expected] : cases) {
    HttpTestServer server(serverAuth, "admin", "pw");
    QN_HttpClient client;
    client.fAuthType = clientAuth;
    client.fUser = "admin";
    client.fPassword = "pw";
    EXPECT_EQ(client.Get(server.Url()), expected) << int(clientAuth);
    EXPECT_EQ(client.LastStatusCode(), expected ? 200 : 401) << int(clientAuth);
  }
}

TEST(HttpClientTest, SettingsAreTakenOnceBeforeTheFirstRequest) {
  HttpTestServer server;
  QN_HttpClient client;
  client.fUserAgent = "first";
  EXPECT_TRUE(client.Get(server.Url()));
  client.fUserAgent = "second";
  EXPECT_TRUE(client.Get(server.Url()));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].headers.at("user-agent"), "first");
}
