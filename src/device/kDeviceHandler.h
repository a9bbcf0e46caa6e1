#pragma once
// The device section of a request: which driver, which device handle, how to
// reach the printer and the free list of named parameters.
//
//   <Request>
//     <Driver>QNRP_REZIDAZE_10</Driver> <Handle>1</Handle> <LogId>till1</LogId>
//     <Connection><Type>tcp</Type><Address>10.0.0.5</Address><Port>9100</Port></Connection>
//     <Parameters><HexLog>true</HexLog></Parameters>
//   </Request>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "transport/kConnection.h"

class kIOHandler;

class kDeviceHandler {
public:
  kDeviceHandler();
  virtual ~kDeviceHandler();
  kDeviceHandler(const kDeviceHandler&) = delete;
  kDeviceHandler& operator=(const kDeviceHandler&) = delete;

  // Parses the request and fills the fields from its root element; returns the
  // parsed document so that the documents of the request are read from the same
  // tree. Throws std::runtime_error with the parser's or the conversion's message.
  pugi::xml_document Deserialize(std::string_view aXml);

  // The value of the parameter aName (any letter case); empty when absent.
  std::string GetParameter(std::string_view aName) const;
  // Whether the request has the parameter aName (any letter case), even empty.
  bool ParameterExists(std::string_view aName) const;

  // The connection handler of the connection settings, named <Driver>_<LogId>,
  // logging into aLogDir. Throws std::runtime_error for a connection type that
  // this platform does not have ("Connection type OPOS is not supported on this
  // platform") and for settings the transport refuses.
  std::unique_ptr<kIOHandler> CreateIOHandler(const std::string& aLogDir) const;

  std::string fDriver;
  std::string fMethod;  // kept, consulted by no operation
  kConnection fConnection;
  int32_t fDeviceHandle = 0;
  // Name (lower case) and value, in request order.
  std::vector<std::pair<std::string, std::string>> fParameters;
  std::string fLogId;

private:
  void ReadConnection(const pugi::xml_node& aConnection);
  void ReadParameters(const pugi::xml_node& aParameters);
  void ApplyParameterOverrides();
  const std::pair<std::string, std::string>* FindParameter(std::string_view aName) const;
};
