#include "device/kDeviceHandler.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

#include "documents/XmlDocument.h"
#include "documents/krptUtil.h"
#include "runtime/Convert.h"
#include "runtime/Text.h"
#include "transport/kIOHandler_HTTP.h"
#include "transport/kIOHandler_Serial.h"
#include "transport/kIOHandler_TCP.h"

namespace {

const char* ConnectionTypeName(tkConnectionType aType) {
  switch (aType) {
    case tkConnectionType::OPOS: return "OPOS";
    case tkConnectionType::TCP: return "TCP";
    case tkConnectionType::HTTP: return "HTTP";
    case tkConnectionType::Serial: return "Serial";
    case tkConnectionType::DLL: return "DLL";
    case tkConnectionType::Com: return "Com";
    case tkConnectionType::Spool: return "Spool";
  }
  return "unknown";
}

bool IsOneOf(tkConnectionType aType, std::initializer_list<tkConnectionType> aTypes) {
  return std::find(aTypes.begin(), aTypes.end(), aType) != aTypes.end();
}

}  // namespace

kDeviceHandler::kDeviceHandler() = default;
kDeviceHandler::~kDeviceHandler() = default;

pugi::xml_document kDeviceHandler::Deserialize(std::string_view aXml) {
  pugi::xml_document document;
  ParseRequestXml(aXml, document);
  const pugi::xml_node root = document.document_element();
  fDriver = krptUtil::GetNodeValueAsString(root, "Driver");
  fMethod = krptUtil::GetNodeValueAsString(root, "Method");
  fDeviceHandle = krptUtil::GetNodeValueAsInteger(root, "Handle");
  fLogId = krptUtil::GetNodeValueAsString(root, "LogId");
  if (const pugi::xml_node connection = krptUtil::FindNode(root, "Connection")) ReadConnection(connection);
  if (const pugi::xml_node parameters = krptUtil::FindNode(root, "Parameters")) ReadParameters(parameters);
  ApplyParameterOverrides();
  return document;
}

void kDeviceHandler::ReadConnection(const pugi::xml_node& aConnection) {
  using enum tkConnectionType;
  kConnection& c = fConnection;
  c.fConnectionType = kConnection::ConvertConnectionType(krptUtil::GetNodeValueAsString(aConnection, "Type"));
  c.ConnectTimeOut(krptUtil::GetNodeValueAsInteger(aConnection, "ConnectTimeout"));
  c.ReadTimeOut(krptUtil::GetNodeValueAsInteger(aConnection, "ReadTimeout"));
  const tkConnectionType type = c.fConnectionType;
  if (type == OPOS) c.fDeviceName = krptUtil::GetNodeValueAsString(aConnection, "DeviceName");
  if (IsOneOf(type, {TCP, HTTP})) {
    c.fAddress = krptUtil::GetNodeValueAsString(aConnection, "Address");
    c.fPort = krptUtil::GetNodeValueAsInteger(aConnection, "Port");
  }
  if (IsOneOf(type, {TCP, HTTP, Serial})) {
    c.fURL = krptUtil::GetNodeValueAsString(aConnection, "URL");
    c.fAuthType = kConnection::ConvertAuthType(krptUtil::GetNodeValueAsString(aConnection, "AuthType"));
    c.fUser = krptUtil::GetNodeValueAsString(aConnection, "User");
    c.fPassword = krptUtil::GetNodeValueAsString(aConnection, "Password");
  }
  if (type == Serial) {
    c.fSerialPort = krptUtil::GetNodeValueAsString(aConnection, "SerialPort");
    c.fSpeed = krptUtil::GetNodeValueAsInteger(aConnection, "Speed");
    c.fDataBits = krptUtil::GetNodeValueAsInteger(aConnection, "DataBits");
    c.fParity = kConnection::ConvertParity(krptUtil::GetNodeValueAsString(aConnection, "Parity"));
    c.fStopBits = krptUtil::GetNodeValueAsInteger(aConnection, "StopBits");
  }
  if (type == DLL) c.fLibraryName = krptUtil::GetNodeValueAsString(aConnection, "LibraryName");
  if (type == Spool) c.fPrinterName = krptUtil::GetNodeValueAsString(aConnection, "PrinterName");
}

// Every child element is one parameter; its value is that of the first child of
// the same name (matched by full or local name, as every read matches), so a
// repeated name gives entries that all carry the first value. The first child of
// each name is remembered on the way, so that a request with many parameters is
// read in one pass rather than one search per parameter.
void kDeviceHandler::ReadParameters(const pugi::xml_node& aParameters) {
  std::unordered_map<std::string_view, pugi::xml_node> firstOfName;
  for (const pugi::xml_node& child : aParameters.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = child.name();
    firstOfName.emplace(name, child);
    firstOfName.emplace(krptUtil::LocalName(name), child);
    fParameters.emplace_back(ToLowerAscii(name), krptUtil::NodeValueAsString(firstOfName.at(name), name));
  }
}

void kDeviceHandler::ApplyParameterOverrides() {
  if (ParameterExists("DeviceName")) fConnection.fDeviceName = GetParameter("DeviceName");
  if (ParameterExists("ConnectTimeout")) fConnection.ConnectTimeOut(StrToInt32(GetParameter("ConnectTimeout")));
}

const std::pair<std::string, std::string>* kDeviceHandler::FindParameter(std::string_view aName) const {
  const std::string name = ToLowerAscii(aName);
  const auto found = std::find_if(fParameters.begin(), fParameters.end(),
                                  [&](const auto& aEntry) { return aEntry.first == name; });
  return found == fParameters.end() ? nullptr : &*found;
}

std::string kDeviceHandler::GetParameter(std::string_view aName) const {
  const auto* entry = FindParameter(aName);
  return entry ? entry->second : std::string();
}

bool kDeviceHandler::ParameterExists(std::string_view aName) const { return FindParameter(aName) != nullptr; }

std::unique_ptr<kIOHandler> kDeviceHandler::CreateIOHandler(const std::string& aLogDir) const {
  const std::string name = fDriver + "_" + fLogId;
  std::unique_ptr<kIOHandler> handler;
  switch (fConnection.fConnectionType) {
    case tkConnectionType::Serial:
      handler = std::make_unique<kIOHandler_Serial>(fConnection, aLogDir, name);
      break;
    case tkConnectionType::TCP:
      handler = std::make_unique<kIOHandler_TCP>(fConnection, aLogDir, name);
      break;
    case tkConnectionType::HTTP:
      handler = std::make_unique<kIOHandler_HTTP>(&fConnection, aLogDir, name);
      break;
    default:
      throw std::runtime_error(std::string("Connection type ") + ConnectionTypeName(fConnection.fConnectionType) +
                               " is not supported on this platform");
  }
  handler->fHexLog = EqualsIgnoreCaseAscii(GetParameter("HexLog"), "true");
  return handler;
}
