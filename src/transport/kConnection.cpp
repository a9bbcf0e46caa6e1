#include "transport/kConnection.h"

#include <stdexcept>

#include "runtime/Text.h"

void kConnection::ConnectTimeOut(int32_t aValue) {
  if (aValue > 0) fConnectTimeout = aValue;
}

void kConnection::ReadTimeOut(int32_t aValue) {
  if (aValue > 0) fReadTimeout = aValue;
}

tkConnectionType kConnection::ConvertConnectionType(std::string_view aString) {
  const std::string value = ToLowerAscii(aString);
  if (value == "serial") return tkConnectionType::Serial;
  if (value == "http") return tkConnectionType::HTTP;
  if (value == "tcp") return tkConnectionType::TCP;
  if (value == "opos") return tkConnectionType::OPOS;
  if (value == "dll") return tkConnectionType::DLL;
  if (value == "com") return tkConnectionType::Com;
  if (value == "spool") return tkConnectionType::Spool;
  throw std::runtime_error("Connection Type " + std::string(aString) + " is not valid");
}

tkParity kConnection::ConvertParity(std::string_view aString) {
  const std::string value = ToLowerAscii(aString);
  if (value == "none") return tkParity::None;
  if (value == "odd") return tkParity::Odd;
  if (value == "even") return tkParity::Even;
  throw std::runtime_error("Connection Parity " + std::string(aString) + " is not valid");
}

tkHTTPAuthType kConnection::ConvertAuthType(std::string_view aString) {
  const std::string value = ToLowerAscii(aString);
  if (value == "basic") return at_Basic;
  if (value == "digest") return at_Digest;
  return at_None;
}
