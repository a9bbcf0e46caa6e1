#include "device/kReceiptPrinterHandler.h"

void kReceiptPrinterHandler::Deserialize(std::string_view aXml, tkReceiptHandlerDocumentTypes aDocumentTypes) {
  kDeviceHandler::Deserialize(aXml);
  fDocumentTypes = aDocumentTypes;
}
