#include "HttpFetch.h"
#include "fpsim/WebServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

using namespace fpsim_http;

namespace {

const std::string kXmlName = "99MEX012345-20210315T235507-0042-CORRISP.xml";

std::unique_ptr<WebServer> Server(HttpAuth auth) {
  WebServerSettings settings;
  settings.auth = auth;
  settings.user = "epson";
  settings.password = "secret";
  auto server = std::make_unique<WebServer>(settings);
  server->Publish("20210315", kXmlName, "<xml/>");
  server->Publish("20210315", "11OTHER0001-20210315T235507-0001-CORRISP.xml", "<other/>");
  server->Publish("da-inviare", "99MEX012345-20210316T000100-0043-ZREPORT.txt", "TOTALE");
  return server;
}

TEST(WebServer, ListsFoldersAndFilesWithPlainAnchorsAndServesTheFiles) {
  const auto server = Server(HttpAuth::None);
  const Fetched root = Fetch(server->Port(), "/www/dati-rt/");
  EXPECT_EQ(root.status, 200);
  for (const char* folder : {"demo/", "da-inviare/", "rifiutati/", "20210315/"})
    EXPECT_NE(root.body.find(std::string("<a href=\"") + folder + "\">"), std::string::npos) << folder;

  const Fetched day = Fetch(server->Port(), "/www/dati-rt/20210315/");
  EXPECT_EQ(day.status, 200);
  EXPECT_NE(day.body.find("<a href=\"" + kXmlName + "\">"), std::string::npos);
  EXPECT_NE(day.body.find("<a href=\"11OTHER0001-"), std::string::npos);

  const Fetched empty = Fetch(server->Port(), "/www/dati-rt/demo/");
  EXPECT_EQ(empty.status, 200);
  EXPECT_EQ(empty.body.find("99MEX"), std::string::npos);

  const Fetched file = Fetch(server->Port(), "/www/dati-rt/20210315/" + kXmlName);
  EXPECT_EQ(file.status, 200);
  EXPECT_EQ(file.body, "<xml/>");
}

TEST(WebServer, AnswersMissingPathsAndFoldersWithoutSlash) {
  const auto server = Server(HttpAuth::None);
  struct Case {
    std::string path;
    long status;
    std::string location;
  } cases[] = {
      {"/www/dati-rt/20210316/", 404, ""},
      {"/www/dati-rt/20210315/missing.xml", 404, ""},
      {"/www/dati-rt/da-inviare/" + kXmlName, 404, ""},
      {"/other", 404, ""},
      {"/www/dati-rt/20210315/../demo/", 404, ""},
      {"/www/dati-rt/demo", 301, "/www/dati-rt/demo/"},
      {"/", 301, "/www/dati-rt/"},
  };
  for (const Case& c : cases) {
    const Fetched fetched = Fetch(server->Port(), c.path);
    EXPECT_EQ(fetched.status, c.status) << c.path;
    if (!c.location.empty()) {
      EXPECT_NE(fetched.location.find(c.location), std::string::npos) << c.path;
    }
  }
}

TEST(WebServer, DigestAndBasicCredentialsAreChecked) {
  struct Case {
    HttpAuth serverAuth;
    long clientAuth;
    std::string password;
    long status;
  } cases[] = {
      {HttpAuth::Digest, CURLAUTH_DIGEST, "secret", 200},
      {HttpAuth::Digest, CURLAUTH_DIGEST, "wrong", 401},
      {HttpAuth::Digest, CURLAUTH_NONE, "", 401},
      {HttpAuth::Digest, CURLAUTH_BASIC, "secret", 401},
      {HttpAuth::Basic, CURLAUTH_BASIC, "secret", 200},
      {HttpAuth::Basic, CURLAUTH_BASIC, "wrong", 401},
      {HttpAuth::Basic, CURLAUTH_NONE, "", 401},
  };
  for (const Case& c : cases) {
    const auto server = Server(c.serverAuth);
    const Fetched fetched = Fetch(server->Port(), "/www/dati-rt/20210315/" + kXmlName, c.clientAuth, "epson", c.password);
    EXPECT_EQ(fetched.status, c.status) << static_cast<int>(c.serverAuth) << " " << c.clientAuth << " " << c.password;
    if (c.status == 200) {
      EXPECT_EQ(fetched.body, "<xml/>");
    }
  }
}

TEST(WebServer, PublishRefusesPathsOutsideItsFolders) {
  const auto server = Server(HttpAuth::None);
  for (const auto& [folder, name] : {std::pair<std::string, std::string>{"..", "x.xml"}, {"20210315", "../x.xml"},
                                     {"", "x.xml"}, {"20210315", ""}, {"a/b", "x.xml"}})
    EXPECT_THROW(server->Publish(folder, name, "x"), std::runtime_error) << folder << "/" << name;
}

TEST(WebServer, ParsesTheListeningAddress) {
  EXPECT_EQ(ParseHttpAddress("0.0.0.0:8080").host, "0.0.0.0");
  EXPECT_EQ(ParseHttpAddress("0.0.0.0:8080").port, 8080);
  EXPECT_EQ(ParseHttpAddress(":0").host, "127.0.0.1");
  for (const char* bad : {"8080", "host:", "host:70000", "host:-1", "host:80x"})
    EXPECT_THROW(ParseHttpAddress(bad), std::runtime_error) << bad;
}

}  // namespace
