#pragma once
// Reads of request values from a parsed XML tree and the text codecs of the
// request enumerations. Every operation is a class operation; the class holds no
// state and is never instantiated.

#include <optional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "documents/DocumentEnums.h"
#include "runtime/Currency.h"
#include "runtime/DateTime.h"

class krptUtil {
public:
  krptUtil() = delete;

  // The first direct child element whose name, or whose name without its namespace
  // prefix, equals the given name exactly; a null node when there is none.
  static pugi::xml_node FindNode(pugi::xml_node parent, std::string_view name);
  // The element's text: its single text or CDATA child, null when that text is empty
  // or the element has no children. Any other content throws
  // "Element "<name>" does not contain a single text node".
  static std::optional<std::string> GetNodeValue(pugi::xml_node element);
  // The name without its namespace prefix: what follows the first colon, if any.
  static std::string_view LocalName(std::string_view qualifiedName);

  // Typed reads of a child element. A missing child gives the type's default; a bad
  // value throws "Error in processing node <name> as <kind>.\r\n" + the cause.
  static std::string GetNodeValueAsString(pugi::xml_node parent, std::string_view name);
  // The same read of an element already found (empty text for a null element); errors
  // name it aName.
  static std::string NodeValueAsString(pugi::xml_node element, std::string_view name);
  static bool GetNodeValueAsBoolean(pugi::xml_node parent, std::string_view name);
  static Currency GetNodeValueAsCurrency(pugi::xml_node parent, std::string_view name);
  static int32_t GetNodeValueAsInteger(pugi::xml_node parent, std::string_view name);
  static DateTime GetNodeValueAsDateTime(pugi::xml_node parent, std::string_view name);
  // As GetNodeValueAsDateTime, with the zero date-time instead of an error.
  static DateTime TryGetNodeValueAsDateTime(pugi::xml_node parent, std::string_view name);

  // The attribute's text, empty when the node has no such attribute.
  static std::string GetAttributeValueAsString(pugi::xml_node node, std::string_view name);
  static bool HasNode(pugi::xml_node parent, std::string_view name);
  // Appends a new element holding the text as the last child of the parent.
  static pugi::xml_node AddNode(pugi::xml_node parent, std::string_view name, std::string_view value);

  // Makes a text printable on a 7-bit printer: upper-case accented letters and the
  // euro sign become plain letters, "TOTALE" becomes "TOT.", and every other UTF-16
  // code unit outside U+0020..U+007F becomes one space.
  static std::string NormalizeText(std::string_view text);

  // Decoders ignore letter case and throw "<Kind> <lower-cased text> is invalid" for an
  // unknown word, except DecodeReferenceType and DecodeLineAttribute, which fall back to
  // a default. Encoders write the value's word, or empty text for a value without one.
  static tkReceiptType DecodeReceiptType(std::string_view text);
  static std::string EncodeReceiptType(tkReceiptType value);
  static tkReceiptLineType DecodeLineType(std::string_view text);
  static tkReceiptLineAttribute DecodeLineAttribute(std::string_view text);
  static tkReceiptPaymentType DecodePaymentType(std::string_view text);
  static std::string EncodePaymentType(tkReceiptPaymentType value);
  static tkReceiptTaxType DecodeTaxType(std::string_view text);
  static tkReceiptReferenceType DecodeReferenceType(std::string_view text);
  static std::string EncodeReferenceType(tkReceiptReferenceType value);
  static tkReceiptMessageLineAlignment DecodeAlignment(std::string_view text);
  static std::string EncodeAlignment(tkReceiptMessageLineAlignment value);
  static tkReceiptMessageBarcodeType DecodeBarcodeType(std::string_view text);
  static std::string EncodeBarcodeType(tkReceiptMessageBarcodeType value);
  static tkReceiptMessageLineEffect DecodeEffect(std::string_view text);
  static std::string EncodeEffect(tkReceiptMessageLineEffect value);
  // A comma-separated list of effects, read up to the first empty item; items are not
  // trimmed. The encoder joins the members' words in ordinal order with ",".
  static tkReceiptMessageLineEffectSet DecodeEffects(std::string_view text);
  static std::string EncodeEffects(tkReceiptMessageLineEffectSet effects);
  static tkEJReportType DecodeEJReportType(std::string_view text);
  static tkEJReportDestination DecodeEJReportDestination(std::string_view text);
  static tkEJFilesRequestType DecodeEJRequestType(std::string_view text);
};
