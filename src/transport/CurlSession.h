#pragma once
// One libcurl easy handle with the options both HTTP clients need: time-outs,
// credentials (basic or digest), request headers, no redirects. A session keeps
// its options and its connection between requests.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "transport/kConnection.h"

struct curl_slist;

class CurlSession {
public:
  struct Result {
    bool transferred = false;  // a complete response was received
    int32_t statusCode = 0;    // 0 when no response came back
    std::string statusLine;    // "HTTP/1.1 404 Not Found"
    std::string statusText;    // "Not Found"
    std::string body;
    std::string contentType;
    std::string error;         // why the transfer failed
  };
  using Headers = std::vector<std::pair<std::string, std::string>>;

  // Responses longer than this are refused, so a hostile server cannot exhaust memory.
  static constexpr size_t kMaxBodyBytes = 64 * 1024 * 1024;

  CurlSession();
  ~CurlSession();
  CurlSession(const CurlSession&) = delete;
  CurlSession& operator=(const CurlSession&) = delete;

  // Time-outs of 0 or less leave the library's default (none for the transfer).
  void SetConnectTimeoutMs(int64_t aMs);
  void SetTransferTimeoutMs(int64_t aMs);
  // The transfer fails when nothing arrives for aSeconds.
  void SetIdleTimeoutSeconds(int64_t aSeconds);
  void SetCredentials(tkHTTPAuthType aAuthType, const std::string& aUser, const std::string& aPassword);
  // Replaces the extra request headers; an empty value suppresses a header the
  // library would send by itself.
  void SetHeaders(const Headers& aHeaders);
  void SetUserAgent(const std::string& aUserAgent);
  void SetVerifyCertificates(bool aVerify);

  Result Post(const std::string& aURL, const std::string& aBody);
  Result Get(const std::string& aURL);
  // Drops the connection and every option.
  void Reset();

private:
  Result Perform(const std::string& aURL);
  void ApplyFixedOptions();

  struct HandleDeleter {
    void operator()(void* aHandle) const;
  };
  struct ListDeleter {
    void operator()(curl_slist* aList) const;
  };
  std::unique_ptr<void, HandleDeleter> fHandle;
  std::unique_ptr<curl_slist, ListDeleter> fHeaders;
  Result fResult;  // filled by the callbacks of the running request
  char fErrorBuffer[256] = {};
};
