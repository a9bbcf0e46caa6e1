#pragma once
// A GET with libcurl against a server of the test process, with optional credentials.

#include <curl/curl.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace fpsim_http {

struct Fetched {
  long status = 0;
  std::string body;
  std::string location;
};

inline std::size_t Collect(char* data, std::size_t size, std::size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

inline Fetched Fetch(uint16_t port, const std::string& path, long auth = CURLAUTH_NONE, const std::string& user = {},
              const std::string& password = {}) {
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
  Fetched fetched;
  const std::string url = "http://127.0.0.1:" + std::to_string(port) + path;
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &Collect);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &fetched.body);
  curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 10L);
  curl_easy_setopt(curl.get(), CURLOPT_PATH_AS_IS, 1L);
  if (auth != CURLAUTH_NONE) {
    curl_easy_setopt(curl.get(), CURLOPT_HTTPAUTH, auth);
    curl_easy_setopt(curl.get(), CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PASSWORD, password.c_str());
  }
  const CURLcode result = curl_easy_perform(curl.get());
  if (result != CURLE_OK) throw std::runtime_error(curl_easy_strerror(result));
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &fetched.status);
  char* location = nullptr;
  curl_easy_getinfo(curl.get(), CURLINFO_REDIRECT_URL, &location);
  if (location) fetched.location = location;
  return fetched;
}

}  // namespace fpsim_http
