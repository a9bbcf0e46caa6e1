#include "WebServer.h"

#include "runtime/Convert.h"
#include "runtime/Text.h"

#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr const char* kFixedFolders[] = {"demo", "da-inviare", "rifiutati"};
constexpr unsigned kNonceTimeoutSeconds = 300;

bool IsSafeName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\\') == std::string::npos;
}

std::string ListingPage(const std::string& path, const std::vector<std::string>& targets) {
  std::string html = "<html><head><title>Index of " + EscapeXml(path) + "</title></head><body>\n<h1>Index of " +
                     EscapeXml(path) + "</h1>\n<pre>\n<a href=\"../\">../</a>\n";
  for (const std::string& target : targets)
    html += "<a href=\"" + EscapeXml(target) + "\">" + EscapeXml(target) + "</a>\n";
  return html + "</pre>\n</body></html>\n";
}

std::string ContentTypeOf(const std::string& name) {
  const std::string lower = ToLowerAscii(name);
  if (lower.ends_with(".xml")) return "application/xml";
  if (lower.ends_with(".txt")) return "text/plain; charset=ISO-8859-1";
  return "application/octet-stream";
}

std::string RandomSeed() {
  std::random_device device;
  std::string seed;
  for (int i = 0; i < 32; ++i) seed += static_cast<char>(device() & 0xFF);
  return seed;
}

sockaddr_in ResolveIpv4(const std::string& host, uint16_t port) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
    throw std::runtime_error("Web server: cannot resolve the host " + host);
  sockaddr_in address{};
  std::memcpy(&address, found->ai_addr, sizeof address);
  freeaddrinfo(found);
  address.sin_port = htons(port);
  return address;
}

}  // namespace

struct WebServerCallbacks {
  static MHD_Result Access(void* self, MHD_Connection* connection, const char* url, const char* method,
                           const char*, const char*, std::size_t* uploadSize, void** state) {
    // The first call for a request only announces it; answer on the second, once
    // any (unexpected) upload has been drained.
    if (*state == nullptr) {
      *state = self;
      return MHD_YES;
    }
    if (*uploadSize != 0) {
      *uploadSize = 0;
      return MHD_YES;
    }
    return static_cast<const WebServer*>(self)->Answer(connection, url, method) ? MHD_YES : MHD_NO;
  }
};

void WebServer::DaemonStop::operator()(MHD_Daemon* daemon) const { MHD_stop_daemon(daemon); }

WebServerSettings ParseHttpAddress(const std::string& text) {
  const std::size_t colon = text.rfind(':');
  int32_t port = -1;
  if (colon == std::string::npos || !TryStrToInt32(text.substr(colon + 1), port) || port < 0 || port > 65535)
    throw std::runtime_error("HTTP address must be HOST:PORT with a port from 0 to 65535: " + text);
  WebServerSettings settings;
  if (colon > 0) settings.host = text.substr(0, colon);
  settings.port = static_cast<uint16_t>(port);
  return settings;
}

WebServer::WebServer(const WebServerSettings& settings) : fSettings(settings), fNonceSeed(RandomSeed()) {
  for (const char* folder : kFixedFolders) fFolders[folder];
  sockaddr_in address = ResolveIpv4(settings.host, settings.port);
  MHD_Daemon* daemon = MHD_start_daemon(
      MHD_USE_AUTO_INTERNAL_THREAD, settings.port, nullptr, nullptr, &WebServerCallbacks::Access, this,
      MHD_OPTION_SOCK_ADDR, reinterpret_cast<sockaddr*>(&address),
      MHD_OPTION_DIGEST_AUTH_RANDOM, fNonceSeed.size(), fNonceSeed.data(),
      MHD_OPTION_NONCE_NC_SIZE, 300u,
      MHD_OPTION_END);
  if (daemon == nullptr)
    throw std::runtime_error("Web server: cannot listen on " + settings.host + ":" + std::to_string(settings.port));
  fDaemon.reset(daemon);
  const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon, MHD_DAEMON_INFO_BIND_PORT);
  fPort = info != nullptr ? info->port : settings.port;
}

WebServer::~WebServer() = default;

void WebServer::Publish(const std::string& folder, const std::string& name, std::string content) {
  if (!IsSafeName(folder) || !IsSafeName(name))
    throw std::runtime_error("Web server: invalid file path " + folder + "/" + name);
  std::lock_guard lock(fMutex);
  fFolders[folder][name] = std::move(content);
}

std::string WebServer::ListingOfFolders() const {
  std::vector<std::string> targets;
  for (const auto& [folder, files] : fFolders) targets.push_back(folder + "/");
  return ListingPage(kRoot, targets);
}

std::string WebServer::ListingOfFolder(const std::string& folder) const {
  std::vector<std::string> targets;
  for (const auto& [name, content] : fFolders.at(folder)) targets.push_back(name);
  return ListingPage(std::string(kRoot) + folder + "/", targets);
}

WebServer::Page WebServer::Get(const std::string& path) const {
  Page page;
  const std::string root = kRoot;
  const std::string rootNoSlash = root.substr(0, root.size() - 1);
  std::lock_guard lock(fMutex);
  if (path == "/" || path == rootNoSlash) {
    page.status = 301;
    page.location = root;
    return page;
  }
  if (path == root) {
    page.status = 200;
    page.body = ListingOfFolders();
    return page;
  }
  if (!path.starts_with(root)) return page;
  const std::string rest = path.substr(root.size());
  const std::size_t slash = rest.find('/');
  const std::string folder = rest.substr(0, slash);
  const auto found = fFolders.find(folder);
  if (found == fFolders.end()) return page;
  if (slash == std::string::npos) {
    page.status = 301;
    page.location = root + folder + "/";
    return page;
  }
  const std::string name = rest.substr(slash + 1);
  if (name.empty()) {
    page.status = 200;
    page.body = ListingOfFolder(folder);
    return page;
  }
  const auto file = found->second.find(name);
  if (file == found->second.end()) return page;
  page.status = 200;
  page.contentType = ContentTypeOf(name);
  page.body = file->second;
  return page;
}

bool WebServer::Authorised(MHD_Connection* connection, bool& staleNonce) const {
  staleNonce = false;
  switch (fSettings.auth) {
    case HttpAuth::None:
      return true;
    case HttpAuth::Basic: {
      char* password = nullptr;
      char* user = MHD_basic_auth_get_username_password(connection, &password);
      const bool ok = user != nullptr && password != nullptr && fSettings.user == user &&
                      fSettings.password == password;
      MHD_free(user);
      MHD_free(password);
      return ok;
    }
    case HttpAuth::Digest: {
      const int result = MHD_digest_auth_check2(connection, kRealm, fSettings.user.c_str(),
                                                fSettings.password.c_str(), kNonceTimeoutSeconds,
                                                MHD_DIGEST_ALG_MD5);
      staleNonce = result == MHD_INVALID_NONCE;
      return result == MHD_YES;
    }
  }
  return false;
}

bool WebServer::Refuse(MHD_Connection* connection, bool staleNonce) const {
  static const char kDenied[] = "<html><body>401 Unauthorized</body></html>\n";
  MHD_Response* response =
      MHD_create_response_from_buffer(sizeof kDenied - 1, const_cast<char*>(kDenied), MHD_RESPMEM_PERSISTENT);
  const MHD_Result result =
      fSettings.auth == HttpAuth::Basic
          ? MHD_queue_basic_auth_fail_response(connection, kRealm, response)
          : MHD_queue_auth_fail_response2(connection, kRealm, "fpsim", response, staleNonce ? MHD_YES : MHD_NO,
                                          MHD_DIGEST_ALG_MD5);
  MHD_destroy_response(response);
  return result == MHD_YES;
}

bool WebServer::Answer(MHD_Connection* connection, const std::string& url, const std::string& method) const {
  bool staleNonce = false;
  if (!Authorised(connection, staleNonce)) return Refuse(connection, staleNonce);
  Page page;
  if (method == "GET" || method == "HEAD") {
    page = Get(url);
  } else {
    page.status = 405;
  }
  if (page.status == 404) page.body = "<html><body>404 Not Found</body></html>\n";
  if (page.status == 405) page.body = "<html><body>405 Method Not Allowed</body></html>\n";
  MHD_Response* response =
      MHD_create_response_from_buffer(page.body.size(), page.body.data(), MHD_RESPMEM_MUST_COPY);
  MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, page.contentType.c_str());
  if (!page.location.empty()) MHD_add_response_header(response, MHD_HTTP_HEADER_LOCATION, page.location.c_str());
  const MHD_Result result = MHD_queue_response(connection, page.status, response);
  MHD_destroy_response(response);
  return result == MHD_YES;
}
