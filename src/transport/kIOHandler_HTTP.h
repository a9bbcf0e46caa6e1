#pragma once
// The transport of connection type HTTP: every Write posts the text to the URL
// and keeps the response. Failures never escape Write: they are recorded in the
// error slot (the status code, or 999 when there is none) and Write returns false.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "transport/CurlSession.h"
#include "transport/kIOHandler.h"

class kIOHandler_HTTP : public kIOHandler {
public:
  // Status code recorded when a post fails without an HTTP error status.
  static constexpr int32_t kNoStatus = 999;

  // With a connection: URL := its URL, or its address (+ ":" + port when the port
  // is greater than 0) when the URL is empty; credentials from it. Without one the
  // transport only carries time-outs and credentials set by the caller.
  kIOHandler_HTTP(const kConnection* aConnection, const std::string& aDirectory, const std::string& aFileName);
  ~kIOHandler_HTTP() override;

  bool Connect() override;
  bool Disconnect() override;
  void ClearBuffers() override;
  // Posts aMessage (UTF-8 text); true when the status is 200 to 299.
  bool Write(const std::string& aMessage) override;
  // The reply of a post is in fResponse: these read nothing.
  std::string ReadUpTo(std::string_view aChars) override;
  std::string ReadChars(int32_t aCharsNum) override;
  std::string ReadAll() override;
  // The status text of an HTTP status code; "Unknown" for others.
  std::string DecodeError(int32_t aErrorCode) override;
  // Sets request header aName (compared without regard to case) for every later post.
  void SetParameter(const std::string& aName, const std::string& aValue) override;

  std::string fContentType;   // Content-Type of posted bodies
  std::string fURL;           // endpoint of every post
  tkHTTPAuthType fAuthType = at_None;
  std::string fUser;
  std::string fPassword;
  std::string fResponse;      // body of the last response
  int32_t fResponseCode = 0;  // status of the last post, or kNoStatus

protected:
  const char* ClassName() const override { return "kIOHandler_HTTP"; }

private:
  void PrepareRequest();
  void RecordFailure(const CurlSession::Result& aResult);

  CurlSession fHttpClient;
  CurlSession::Headers fCustomHeaders;
};
