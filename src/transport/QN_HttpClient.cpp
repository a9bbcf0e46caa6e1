#include "transport/QN_HttpClient.h"

#include "runtime/Text.h"

void QN_HttpClient::ApplySettings() {
  fHttp.SetConnectTimeoutMs(int64_t{fConnectTimeout} * 1000);
  fHttp.SetIdleTimeoutSeconds(fReadTimeout);
  fHttp.SetUserAgent(fUserAgent);
  fHttp.SetVerifyCertificates(false);
  CurlSession::Headers headers;
  if (!fContentType.empty()) headers.emplace_back("Content-Type", fContentType);
  fHttp.SetHeaders(headers);
  fHttp.SetCredentials(fAuthType, fUser, fPassword);
  fHTTPAlreadySet = true;
}

void QN_HttpClient::Log(tQN_MessageType aEntryType, std::string_view aTitle, std::string_view aMessage) const {
  if (fOnWriteLog) fOnWriteLog(aEntryType, aTitle, aMessage);
}

bool QN_HttpClient::Get(const std::string& aURL) {
  if (!fHTTPAlreadySet) ApplySettings();
  Log(let_info, "GET", aURL);
  const CurlSession::Result result = fHttp.Get(aURL);
  fLastStatusCode = result.statusCode;
  fLastStatusText = result.transferred ? result.statusText : result.error;
  const bool success = result.transferred && fLastStatusCode >= 200 && fLastStatusCode < 300;
  if (success) {
    fResponse = result.body;
    fResponseContentType = result.contentType;
    Log(let_info, "Read [" + std::to_string(Utf8ToUtf16(fResponse).size()) + "]", fResponse);
  } else {
    fResponse.clear();
    Log(let_error, "HTTP Error", std::to_string(fLastStatusCode) + " - " + fLastStatusText);
  }
  return success;
}
