#pragma once
// A small GET client for the files on a printer's own web server. Its settings are
// taken once, before the first request; its log output goes to whatever callback
// the owner connects (normally a transport's WriteTextLog).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/tQN_LogWriter.h"
#include "transport/CurlSession.h"
#include "transport/kConnection.h"

// (entry type, title, UTF-8 message): the shape of kIOHandler::WriteTextLog.
using tkWriteLogEvent = std::function<void(tQN_MessageType, std::string_view, std::string_view)>;

class QN_HttpClient {
public:
  tkHTTPAuthType fAuthType = at_None;
  std::string fUser;
  std::string fPassword;
  int32_t fReadTimeout = 10;     // seconds without data before a request fails
  int32_t fConnectTimeout = 5;   // seconds
  std::string fUserAgent;
  std::string fContentType;      // sent as Content-Type when not empty
  std::string fContentCharset = "utf-8";
  tkWriteLogEvent fOnWriteLog;

  // Fetches aURL; true when the body arrived with a status of 200 to 299. Redirects
  // are not followed and certificates are not verified (printers use their own).
  bool Get(const std::string& aURL);

  int32_t LastStatusCode() const { return fLastStatusCode; }
  // The status text of the last response, or why no response came.
  const std::string& LastStatusText() const { return fLastStatusText; }
  // The body of the last successful request.
  const std::string& Response() const { return fResponse; }
  const std::string& ResponseContentType() const { return fResponseContentType; }

private:
  void ApplySettings();
  void Log(tQN_MessageType aEntryType, std::string_view aTitle, std::string_view aMessage) const;

  CurlSession fHttp;
  bool fHTTPAlreadySet = false;
  int32_t fLastStatusCode = 0;
  std::string fLastStatusText;
  std::string fResponse;
  std::string fResponseContentType;
};
