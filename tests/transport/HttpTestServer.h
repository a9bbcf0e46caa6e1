#pragma once
// A small HTTP server on 127.0.0.1 (libmicrohttpd) for the HTTP client tests: it
// can demand basic or digest authentication, answers with any status and body,
// records the requests it accepted and can hold them to provoke time-outs.

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct MHD_Daemon;
struct MHD_Connection;

class HttpTestServer {
public:
  enum class Auth { None, Basic, Digest };
  struct Request {
    std::string method;
    std::string url;
    std::string body;
    std::map<std::string, std::string> headers;  // names in lower case
  };

  explicit HttpTestServer(Auth aAuth = Auth::None, std::string aUser = "", std::string aPassword = "");
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  int Port() const { return fPort; }
  std::string Url(const std::string& aPath = "/") const;
  // What every accepted request is answered with (default 200, empty body).
  void Answer(int aStatus, std::string aBody, std::string aContentType = "text/plain",
              std::map<std::string, std::string> aHeaders = {});
  // Accepted requests wait until Release (or the server's end) before they are answered.
  void Hold();
  void Release();
  // The requests that passed authentication, in order.
  std::vector<Request> Requests() const;

  // libmicrohttpd callbacks.
  int Handle(MHD_Connection* aConnection, const char* aUrl, const char* aMethod, const char* aUploadData,
             size_t* aUploadSize, void** aContext);

private:
  bool Authenticated(MHD_Connection* aConnection, int& aQueued);

  Auth fAuth;
  std::string fUser;
  std::string fPassword;
  MHD_Daemon* fDaemon = nullptr;
  int fPort = 0;
  char fNonceSeed[32] = "qnrp transport test nonce seed";

  mutable std::mutex fMutex;
  std::condition_variable fReleased;
  bool fHolding = false;
  int fStatus = 200;
  std::string fBody;
  std::string fContentType = "text/plain";
  std::map<std::string, std::string> fHeaders;
  std::vector<Request> fRequests;
};
