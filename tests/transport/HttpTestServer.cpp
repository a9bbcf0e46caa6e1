#include "HttpTestServer.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>

#include <chrono>
#include <memory>
#include <stdexcept>

#include "runtime/Text.h"

namespace {

constexpr const char* kRealm = "printer";

struct Upload {
  std::string body;
};

MHD_Result Dispatch(void* aServer, MHD_Connection* aConnection, const char* aUrl, const char* aMethod,
                    const char*, const char* aUploadData, size_t* aUploadSize, void** aContext) {
  return static_cast<HttpTestServer*>(aServer)->Handle(aConnection, aUrl, aMethod, aUploadData, aUploadSize,
                                                       aContext) == MHD_YES
             ? MHD_YES
             : MHD_NO;
}

void Completed(void*, MHD_Connection*, void** aContext, MHD_RequestTerminationCode) {
  std::unique_ptr<Upload> upload(static_cast<Upload*>(*aContext));
  *aContext = nullptr;
}

MHD_Result CollectHeader(void* aHeaders, MHD_ValueKind, const char* aKey, const char* aValue) {
  (*static_cast<std::map<std::string, std::string>*>(aHeaders))[ToLowerAscii(aKey)] = aValue ? aValue : "";
  return MHD_YES;
}

struct ResponseDeleter {
  void operator()(MHD_Response* aResponse) const { MHD_destroy_response(aResponse); }
};
using ResponsePtr = std::unique_ptr<MHD_Response, ResponseDeleter>;

ResponsePtr TextResponse(const std::string& aBody) {
  return ResponsePtr(MHD_create_response_from_buffer(aBody.size(), const_cast<char*>(aBody.data()),
                                                     MHD_RESPMEM_MUST_COPY));
}

}  // namespace

HttpTestServer::HttpTestServer(Auth aAuth, std::string aUser, std::string aPassword)
    : fAuth(aAuth), fUser(std::move(aUser)), fPassword(std::move(aPassword)) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  fDaemon = MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD, 0, nullptr, nullptr, &Dispatch, this,
                             MHD_OPTION_SOCK_ADDR, &address, MHD_OPTION_NOTIFY_COMPLETED, &Completed, nullptr,
                             MHD_OPTION_DIGEST_AUTH_RANDOM, sizeof fNonceSeed, fNonceSeed,
                             MHD_OPTION_NONCE_NC_SIZE, 64, MHD_OPTION_END);
  if (!fDaemon) throw std::runtime_error("cannot start the HTTP test server");
  fPort = MHD_get_daemon_info(fDaemon, MHD_DAEMON_INFO_BIND_PORT)->port;
}

HttpTestServer::~HttpTestServer() {
  Release();
  MHD_stop_daemon(fDaemon);
}

std::string HttpTestServer::Url(const std::string& aPath) const {
  return "http://127.0.0.1:" + std::to_string(fPort) + aPath;
}

void HttpTestServer::Answer(int aStatus, std::string aBody, std::string aContentType,
                            std::map<std::string, std::string> aHeaders) {
  std::lock_guard lock(fMutex);
  fStatus = aStatus;
  fBody = std::move(aBody);
  fContentType = std::move(aContentType);
  fHeaders = std::move(aHeaders);
}

void HttpTestServer::Hold() {
  std::lock_guard lock(fMutex);
  fHolding = true;
}

void HttpTestServer::Release() {
  {
    std::lock_guard lock(fMutex);
    fHolding = false;
  }
  fReleased.notify_all();
}

std::vector<HttpTestServer::Request> HttpTestServer::Requests() const {
  std::lock_guard lock(fMutex);
  return fRequests;
}

bool HttpTestServer::Authenticated(MHD_Connection* aConnection, int& aQueued) {
  const ResponsePtr denied = TextResponse("denied");
  if (fAuth == Auth::Basic) {
    char* password = nullptr;
    char* user = MHD_basic_auth_get_username_password(aConnection, &password);
    const bool valid = user && password && fUser == user && fPassword == password;
    MHD_free(user);
    MHD_free(password);
    if (!valid) aQueued = MHD_queue_basic_auth_fail_response(aConnection, kRealm, denied.get());
    return valid;
  }
  if (fAuth == Auth::Digest) {
    const int checked = MHD_digest_auth_check2(aConnection, kRealm, fUser.c_str(), fPassword.c_str(), 300,
                                               MHD_DIGEST_ALG_MD5);
    if (checked == MHD_YES) return true;
    aQueued = MHD_queue_auth_fail_response2(aConnection, kRealm, "opaque-value", denied.get(),
                                            checked == MHD_INVALID_NONCE ? MHD_YES : MHD_NO, MHD_DIGEST_ALG_MD5);
    return false;
  }
  return true;
}

int HttpTestServer::Handle(MHD_Connection* aConnection, const char* aUrl, const char* aMethod,
                           const char* aUploadData, size_t* aUploadSize, void** aContext) {
  if (!*aContext) {
    *aContext = std::make_unique<Upload>().release();
    return MHD_YES;
  }
  auto& upload = *static_cast<Upload*>(*aContext);
  if (*aUploadSize > 0) {
    upload.body.append(aUploadData, *aUploadSize);
    *aUploadSize = 0;
    return MHD_YES;
  }
  int queued = MHD_NO;
  if (!Authenticated(aConnection, queued)) return queued;

  Request request{aMethod, aUrl, upload.body, {}};
  MHD_get_connection_values(aConnection, MHD_HEADER_KIND, &CollectHeader, &request.headers);
  std::unique_lock lock(fMutex);
  fRequests.push_back(std::move(request));
  fReleased.wait_for(lock, std::chrono::seconds(10), [this] { return !fHolding; });
  const ResponsePtr response = TextResponse(fBody);
  MHD_add_response_header(response.get(), MHD_HTTP_HEADER_CONTENT_TYPE, fContentType.c_str());
  for (const auto& [name, value] : fHeaders) MHD_add_response_header(response.get(), name.c_str(), value.c_str());
  return MHD_queue_response(aConnection, static_cast<unsigned>(fStatus), response.get());
}
