#include "transport/CurlSession.h"

#include <curl/curl.h>

#include <stdexcept>

namespace {

static_assert(CURL_ERROR_SIZE <= 256, "error buffer too small");

size_t CollectBody(char* aData, size_t aSize, size_t aCount, void* aResult) {
  auto& result = *static_cast<CurlSession::Result*>(aResult);
  const size_t bytes = aSize * aCount;
  if (result.body.size() + bytes > CurlSession::kMaxBodyBytes) {
    result.error = "Response larger than " + std::to_string(CurlSession::kMaxBodyBytes) + " bytes";
    return 0;
  }
  result.body.append(aData, bytes);
  return bytes;
}

std::string TrimLineEnd(std::string aLine) {
  while (!aLine.empty() && (aLine.back() == '\r' || aLine.back() == '\n' || aLine.back() == ' ')) aLine.pop_back();
  return aLine;
}

// Keeps the status line and content type of the last response (an authentication
// challenge comes before the real answer).
size_t CollectHeader(char* aData, size_t aSize, size_t aCount, void* aResult) {
  auto& result = *static_cast<CurlSession::Result*>(aResult);
  const size_t bytes = aSize * aCount;
  const std::string line = TrimLineEnd(std::string(aData, bytes));
  if (line.starts_with("HTTP/")) {
    result.statusLine = line;
    const size_t code = line.find(' ');
    const size_t text = code == std::string::npos ? code : line.find(' ', code + 1);
    result.statusText = text == std::string::npos ? std::string() : line.substr(text + 1);
    result.contentType.clear();
    result.body.clear();
  } else if (line.size() > 13 && curl_strnequal(line.c_str(), "content-type:", 13)) {
    const size_t value = line.find_first_not_of(' ', 13);
    result.contentType = value == std::string::npos ? std::string() : line.substr(value);
  }
  return bytes;
}

}  // namespace

void CurlSession::HandleDeleter::operator()(void* aHandle) const {
  curl_easy_cleanup(aHandle);
}

void CurlSession::ListDeleter::operator()(curl_slist* aList) const {
  curl_slist_free_all(aList);
}

CurlSession::CurlSession() : fHandle(curl_easy_init()) {
  if (!fHandle) throw std::runtime_error("Cannot create the HTTP client");
  ApplyFixedOptions();
}

CurlSession::~CurlSession() = default;

void CurlSession::ApplyFixedOptions() {
  CURL* curl = fHandle.get();
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  // A URL from a request must not read local files or speak other protocols.
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, fErrorBuffer);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &fResult);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, CollectHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &fResult);
}

void CurlSession::SetConnectTimeoutMs(int64_t aMs) {
  curl_easy_setopt(fHandle.get(), CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(aMs > 0 ? aMs : 0));
}

void CurlSession::SetTransferTimeoutMs(int64_t aMs) {
  curl_easy_setopt(fHandle.get(), CURLOPT_TIMEOUT_MS, static_cast<long>(aMs > 0 ? aMs : 0));
}

void CurlSession::SetIdleTimeoutSeconds(int64_t aSeconds) {
  curl_easy_setopt(fHandle.get(), CURLOPT_LOW_SPEED_LIMIT, aSeconds > 0 ? 1L : 0L);
  curl_easy_setopt(fHandle.get(), CURLOPT_LOW_SPEED_TIME, static_cast<long>(aSeconds > 0 ? aSeconds : 0));
}

void CurlSession::SetCredentials(tkHTTPAuthType aAuthType, const std::string& aUser, const std::string& aPassword) {
  CURL* curl = fHandle.get();
  if (aAuthType == at_None) {
    curl_easy_setopt(curl, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_NONE));
    curl_easy_setopt(curl, CURLOPT_USERNAME, nullptr);
    curl_easy_setopt(curl, CURLOPT_PASSWORD, nullptr);
    return;
  }
  curl_easy_setopt(curl, CURLOPT_HTTPAUTH, static_cast<long>(aAuthType == at_Digest ? CURLAUTH_DIGEST : CURLAUTH_BASIC));
  curl_easy_setopt(curl, CURLOPT_USERNAME, aUser.c_str());
  curl_easy_setopt(curl, CURLOPT_PASSWORD, aPassword.c_str());
}

void CurlSession::SetHeaders(const Headers& aHeaders) {
  curl_slist* list = nullptr;
  for (const auto& [name, value] : aHeaders) {
    // "Name:" removes a header; "Name;" would send it empty.
    const std::string line = name + ":" + (value.empty() ? "" : " " + value);
    curl_slist* longer = curl_slist_append(list, line.c_str());
    if (!longer) {
      curl_slist_free_all(list);
      throw std::bad_alloc();
    }
    list = longer;
  }
  curl_easy_setopt(fHandle.get(), CURLOPT_HTTPHEADER, list);
  fHeaders.reset(list);
}

void CurlSession::SetUserAgent(const std::string& aUserAgent) {
  curl_easy_setopt(fHandle.get(), CURLOPT_USERAGENT, aUserAgent.empty() ? nullptr : aUserAgent.c_str());
}

void CurlSession::SetVerifyCertificates(bool aVerify) {
  curl_easy_setopt(fHandle.get(), CURLOPT_SSL_VERIFYPEER, aVerify ? 1L : 0L);
  curl_easy_setopt(fHandle.get(), CURLOPT_SSL_VERIFYHOST, aVerify ? 2L : 0L);
}

CurlSession::Result CurlSession::Post(const std::string& aURL, const std::string& aBody) {
  CURL* curl = fHandle.get();
  curl_easy_setopt(curl, CURLOPT_POST, 1L);
  curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(aBody.size()));
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, aBody.data());
  return Perform(aURL);
}

CurlSession::Result CurlSession::Get(const std::string& aURL) {
  curl_easy_setopt(fHandle.get(), CURLOPT_HTTPGET, 1L);
  return Perform(aURL);
}

CurlSession::Result CurlSession::Perform(const std::string& aURL) {
  CURL* curl = fHandle.get();
  fResult = Result();
  fErrorBuffer[0] = '\0';
  curl_easy_setopt(curl, CURLOPT_URL, aURL.c_str());
  const CURLcode code = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  Result result = std::move(fResult);
  fResult = Result();
  result.statusCode = static_cast<int32_t>(status);
  result.transferred = code == CURLE_OK;
  if (!result.transferred && result.error.empty()) {
    result.error = fErrorBuffer[0] ? fErrorBuffer : curl_easy_strerror(code);
  }
  return result;
}

void CurlSession::Reset() {
  fHandle.reset(curl_easy_init());
  fHeaders.reset();
  if (!fHandle) throw std::runtime_error("Cannot create the HTTP client");
  ApplyFixedOptions();
}
