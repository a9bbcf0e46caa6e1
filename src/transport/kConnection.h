#pragma once
// The settings from which a transport is built: which transport, where it connects
// to, its line parameters, credentials and time-outs.

#include <cstdint>
#include <string>
#include <string_view>

enum class tkConnectionType : uint8_t { OPOS = 0, TCP = 1, HTTP = 2, Serial = 3, DLL = 4, Com = 5, Spool = 6 };
enum class tkParity : uint8_t { None = 0, Even = 1, Odd = 2 };
enum class tkSpoolOutputType : uint8_t { Raw = 0, Normal = 1 };
enum tkHTTPAuthType : uint8_t { at_None = 0, at_Basic = 1, at_Digest = 2 };

class kConnection {
public:
  static constexpr int32_t kDefaultTimeout = 1000;

  std::string fAddress;        // TCP host; HTTP host when no URL is given
  int32_t fPort = 0;           // TCP port; HTTP port appended to the address
  std::string fURL;            // HTTP endpoint
  tkHTTPAuthType fAuthType = at_None;
  std::string fUser;
  std::string fPassword;
  std::string fSerialPort;     // "COMn", or a device path starting with "/"
  int32_t fSpeed = 0;          // baud rate
  int32_t fDataBits = 0;
  tkParity fParity = tkParity::None;
  int32_t fStopBits = 0;       // 1 or 2
  std::string fDeviceName;     // OPOS logical device name
  std::string fLibraryName;    // library opened by the DLL transport
  std::string fPrinterName;    // printer of the spool transport
  tkConnectionType fConnectionType = tkConnectionType::OPOS;

  // Milliseconds. The setters ignore values of 0 or less, so an absent or zero
  // setting keeps the default.
  int32_t ConnectTimeOut() const { return fConnectTimeout; }
  void ConnectTimeOut(int32_t aValue);
  int32_t ReadTimeOut() const { return fReadTimeout; }
  void ReadTimeOut(int32_t aValue);

  // Case-insensitive; throw std::runtime_error naming the input as received.
  static tkConnectionType ConvertConnectionType(std::string_view aString);
  static tkParity ConvertParity(std::string_view aString);
  // Anything unknown means no authentication.
  static tkHTTPAuthType ConvertAuthType(std::string_view aString);

private:
  int32_t fConnectTimeout = kDefaultTimeout;
  int32_t fReadTimeout = kDefaultTimeout;
};
