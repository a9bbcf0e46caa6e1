#pragma once
// The printer's built-in web server: serves the daily-closing files under
// "/www/dati-rt/" (one folder per day "yyyymmdd", and the folders "demo",
// "da-inviare" and "rifiutati"), with listing pages of plain anchor links, behind
// optional basic or digest authentication.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

struct MHD_Daemon;
struct MHD_Connection;

enum class HttpAuth { None, Basic, Digest };

struct WebServerSettings {
  std::string host = "127.0.0.1";
  uint16_t port = 0;  // 0: any free port, see WebServer::Port
  HttpAuth auth = HttpAuth::None;
  std::string user;
  std::string password;
};

class WebServer {
public:
  static constexpr const char* kRoot = "/www/dati-rt/";
  static constexpr const char* kRealm = "fpsim";

  // Starts serving at once; throws std::runtime_error when the address cannot be
  // resolved or bound.
  explicit WebServer(const WebServerSettings& settings);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  uint16_t Port() const { return fPort; }

  // Makes a file available as kRoot + folder + "/" + name, replacing one of the same name.
  // Throws std::runtime_error for a folder or name that is empty or holds "/" or "..".
  void Publish(const std::string& folder, const std::string& name, std::string content);

  // The answer for one GET: status code, content type and body. Public so that the
  // page layout can be checked without a socket.
  struct Page {
    unsigned status = 404;
    std::string contentType = "text/html";
    std::string body;
    std::string location;  // for a redirect
  };
  Page Get(const std::string& path) const;

private:
  friend struct WebServerCallbacks;
  bool Answer(MHD_Connection* connection, const std::string& url, const std::string& method) const;
  bool Authorised(MHD_Connection* connection, bool& staleNonce) const;
  bool Refuse(MHD_Connection* connection, bool staleNonce) const;

  std::string ListingOfFolders() const;
  std::string ListingOfFolder(const std::string& folder) const;

  WebServerSettings fSettings;
  std::string fNonceSeed;
  mutable std::mutex fMutex;
  std::map<std::string, std::map<std::string, std::string>> fFolders;
  struct DaemonStop {
    void operator()(MHD_Daemon* daemon) const;
  };
  std::unique_ptr<MHD_Daemon, DaemonStop> fDaemon;
  uint16_t fPort = 0;
};

// Parses "HOST:PORT" (the host may be empty for 127.0.0.1). Throws std::runtime_error.
WebServerSettings ParseHttpAddress(const std::string& text);
