#pragma once
// The carrier of one call's request: the device section (kDeviceHandler) and the
// documents of the request that the command asks for.

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "device/kDeviceHandler.h"

// The documents a request may carry, in the order they are parsed.
enum tkReceiptHandlerDocumentType : uint8_t {
  dt_Receipt,
  dt_NFReceipt,
  dt_Display,
  dt_Drawer,
  dt_EJReport,
  dt_VatTable,
  dt_DeptTable,
  dt_Pay,
  dt_ReceiptReference,
  dt_EJFilesRequest
};

// A set of document types, one bit per type (bit 0 = dt_Receipt).
class tkReceiptHandlerDocumentTypes {
public:
  constexpr tkReceiptHandlerDocumentTypes() = default;
  constexpr tkReceiptHandlerDocumentTypes(std::initializer_list<tkReceiptHandlerDocumentType> aTypes) {
    for (const auto type : aTypes) fBits = static_cast<uint16_t>(fBits | (1u << type));
  }
  constexpr bool Contains(tkReceiptHandlerDocumentType aType) const { return (fBits >> aType) & 1u; }
  constexpr bool Empty() const { return fBits == 0; }
  constexpr uint16_t Bits() const { return fBits; }
  constexpr bool operator==(const tkReceiptHandlerDocumentTypes&) const = default;

private:
  uint16_t fBits = 0;
};

// Each request document class (receipt, non-fiscal receipt, display, drawer,
// journal report, tables, payment, receipt reference, journal files request)
// joins this handler as one field, created empty with the handler, and one parse
// step in Deserialize, which runs the steps of the requested types in the order of
// tkReceiptHandlerDocumentType. A document whose type is not requested stays empty.
class kReceiptPrinterHandler : public kDeviceHandler {
public:
  // Parses the device section and the documents of aDocumentTypes. Throws
  // std::runtime_error with the parser's or the document's message.
  void Deserialize(std::string_view aXml, tkReceiptHandlerDocumentTypes aDocumentTypes);

  // The document types that the last Deserialize was asked for.
  tkReceiptHandlerDocumentTypes fDocumentTypes;
};
