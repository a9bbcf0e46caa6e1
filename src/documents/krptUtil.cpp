#include "documents/krptUtil.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "documents/WordTable.h"
#include "runtime/Convert.h"
#include "runtime/Text.h"

namespace {

constexpr std::array<std::string_view, rt_InvoiceSaleFromReceipt + 1> kReceiptTypeWords = {
    "Sale", "Refund", "Void", "InvoiceSale", "InvoiceSaleFromReceipt"};

constexpr std::array<std::string_view, rlt_CollectAmount + 1> kLineTypeWords = {
    "productsale",         "productreturn",
    "weightedproductsale", "vouchersale",
    "voucherredeem",       "giftcardsale",
    "giftcardredeem",      "subtotal",
    "text",                "discountamount",
    "discountpercentage",  "discountamountonsubtotal",
    "discountpercentageonsubtotal", "markupamount",
    "markuppercentage",    "markupamountonsubtotal",
    "markuppercentageonsubtotal",   "collectamount"};

constexpr std::array<std::string_view, Rpt_Change + 1> kPaymentTypeWords = {
    "cash",    "cheque",  "creditcard",  "debitcard", "credit",  "creditonproducts",
    "creditonservices", "giftcard", "voucher", "mealvoucher", "nhscard", "change"};

constexpr std::array<std::string_view, tt_SalesTax + 1> kTaxTypeWords = {"vat", "salestax"};

constexpr std::array<std::string_view, rrt_Empties + 1> kReferenceTypeWords = {
    "OriginalReceipt", "EFTReceipt", "NotAvailable", "Empties"};

// la_none has no word: nothing decodes to it and it encodes as empty text.
constexpr std::array<std::string_view, la_left + 1> kAlignmentWords = {"", "right", "center", "left"};

constexpr std::array<std::string_view, bt_Interleaved2Of5 + 1> kBarcodeTypeWords = {
    "ean13", "ean8", "code39", "code128", "qrcode", "upca", "upce", "interleaved2of5"};

constexpr std::array<std::string_view, le_condensed + 1> kEffectWords = {
    "bold",       "italic",     "underline",    "doubleheight",
    "doublewidth", "doublesize", "invertcolors", "condensed"};

constexpr std::array<std::string_view, ejrt_Invoice + 1> kEJReportTypeWords = {
    "zreport", "fiscalreceipt", "nonfiscalreceipt", "creditnote", "invoice"};

constexpr std::array<std::string_view, rd_Memory + 1> kEJReportDestinationWords = {"printer", "memory"};

constexpr std::array<std::string_view, ej_xml + 1> kEJRequestTypeWords = {"xml"};

// Decodes a word of the table, or throws "<kind> <lower-cased text> is invalid".
template <typename Enum, std::size_t N>
Enum DecodeWord(std::string_view text, const std::array<std::string_view, N>& words,
                std::string_view kind) {
  if (auto ordinal = FindWordIgnoreCase(text, words)) return static_cast<Enum>(*ordinal);
  throw std::runtime_error(std::string(kind) + " " + ToLowerAscii(text) + " is invalid");
}

// Runs a typed read and wraps a conversion failure in the message that names the node.
template <typename Read>
auto ReadWrapped(std::string_view name, std::string_view kind, Read read) -> decltype(read()) {
  try {
    return read();
  } catch (const std::runtime_error& cause) {
    throw std::runtime_error("Error in processing node " + std::string(name) + " as " +
                             std::string(kind) + ".\r\n" + cause.what());
  }
}

}  // namespace

std::string_view krptUtil::LocalName(std::string_view qualifiedName) {
  const auto colon = qualifiedName.find(':');
  return colon == std::string_view::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

pugi::xml_node krptUtil::FindNode(pugi::xml_node parent, std::string_view name) {
  for (pugi::xml_node child : parent.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view childName = child.name();
    if (childName == name || LocalName(childName) == name) return child;
  }
  return {};
}

std::optional<std::string> krptUtil::GetNodeValue(pugi::xml_node element) {
  const pugi::xml_node first = element.first_child();
  if (!first) return std::nullopt;
  const bool isText = first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata;
  if (!isText || first.next_sibling())
    throw std::runtime_error("Element \"" + std::string(element.name()) +
                             "\" does not contain a single text node");
  std::string text = first.value();
  if (text.empty()) return std::nullopt;
  return text;
}

std::string krptUtil::GetNodeValueAsString(pugi::xml_node parent, std::string_view name) {
  return NodeValueAsString(FindNode(parent, name), name);
}

std::string krptUtil::NodeValueAsString(pugi::xml_node element, std::string_view name) {
  if (!element) return {};
  return ReadWrapped(name, "string", [&] { return GetNodeValue(element).value_or(""); });
}

bool krptUtil::GetNodeValueAsBoolean(pugi::xml_node parent, std::string_view name) {
  const pugi::xml_node node = FindNode(parent, name);
  if (!node) return false;
  return ReadWrapped(name, "boolean", [&] { return StrToBool(GetNodeValue(node).value_or("")); });
}

Currency krptUtil::GetNodeValueAsCurrency(pugi::xml_node parent, std::string_view name) {
  const pugi::xml_node node = FindNode(parent, name);
  if (!node) return {};
  return ReadWrapped(name, "currency", [&] {
    const auto value = GetNodeValue(node);
    return value ? Currency::Parse(*value) : Currency();
  });
}

int32_t krptUtil::GetNodeValueAsInteger(pugi::xml_node parent, std::string_view name) {
  const pugi::xml_node node = FindNode(parent, name);
  if (!node) return 0;
  return ReadWrapped(name, "integer", [&] {
    const auto value = GetNodeValue(node);
    return value ? StrToInt32(*value) : 0;
  });
}

DateTime krptUtil::GetNodeValueAsDateTime(pugi::xml_node parent, std::string_view name) {
  const pugi::xml_node node = FindNode(parent, name);
  if (!node) return {};
  return ReadWrapped(name, "datetime",
                     [&] { return DateTime::ParseIso8601(GetNodeValue(node).value_or("")); });
}

DateTime krptUtil::TryGetNodeValueAsDateTime(pugi::xml_node parent, std::string_view name) {
  try {
    return GetNodeValueAsDateTime(parent, name);
  } catch (const std::runtime_error&) {
    return {};
  }
}

std::string krptUtil::GetAttributeValueAsString(pugi::xml_node node, std::string_view name) {
  return node.attribute(std::string(name).c_str()).value();
}

bool krptUtil::HasNode(pugi::xml_node parent, std::string_view name) {
  return static_cast<bool>(FindNode(parent, name));
}

pugi::xml_node krptUtil::AddNode(pugi::xml_node parent, std::string_view name, std::string_view value) {
  pugi::xml_node node = parent.append_child(std::string(name).c_str());
  if (node && !value.empty()) node.append_child(pugi::node_pcdata).set_value(std::string(value).c_str());
  return node;
}

std::string krptUtil::NormalizeText(std::string_view text) {
  static constexpr std::pair<char16_t, char16_t> kPlainLetters[] = {
      {u'\u00C0', u'A'}, {u'\u00D9', u'U'}, {u'\u00C8', u'E'}, {u'\u00C9', u'E'},
      {u'\u00D2', u'O'}, {u'\u00D6', u'O'}, {u'\u00C7', u'C'}, {u'\u00CF', u'I'},
      {u'\u00CC', u'I'}, {u'\u20AC', u'E'}};
  static constexpr std::u16string_view kTotal = u"TOTALE";

  std::u16string units = Utf8ToUtf16(text);
  for (char16_t& unit : units)
    for (const auto& [special, plain] : kPlainLetters)
      if (unit == special) unit = plain;

  // One pass from left to right: each TOTALE is shortened where it stands, so a
  // text of many of them costs no more than any other text of its length.
  std::string printable;
  printable.reserve(units.size());
  for (std::size_t at = 0; at < units.size();) {
    if (std::u16string_view(units).substr(at, kTotal.size()) == kTotal) {
      printable += "TOT.";
      at += kTotal.size();
      continue;
    }
    const char16_t unit = units[at++];
    printable += (unit < 0x20 || unit > 0x7F) ? ' ' : static_cast<char>(unit);
  }
  return printable;
}

tkReceiptType krptUtil::DecodeReceiptType(std::string_view text) {
  return DecodeWord<tkReceiptType>(text, kReceiptTypeWords, "ReceiptType");
}

std::string krptUtil::EncodeReceiptType(tkReceiptType value) { return WordOf(value, kReceiptTypeWords); }

tkReceiptLineType krptUtil::DecodeLineType(std::string_view text) {
  return DecodeWord<tkReceiptLineType>(text, kLineTypeWords, "LineType");
}

tkReceiptLineAttribute krptUtil::DecodeLineAttribute(std::string_view text) {
  return EqualsIgnoreCaseAscii(text, "product") ? rla_Product : rla_Service;
}

tkReceiptPaymentType krptUtil::DecodePaymentType(std::string_view text) {
  return DecodeWord<tkReceiptPaymentType>(text, kPaymentTypeWords, "PaymentType");
}

std::string krptUtil::EncodePaymentType(tkReceiptPaymentType value) { return WordOf(value, kPaymentTypeWords); }

tkReceiptTaxType krptUtil::DecodeTaxType(std::string_view text) {
  return DecodeWord<tkReceiptTaxType>(text, kTaxTypeWords, "TaxType");
}

tkReceiptReferenceType krptUtil::DecodeReferenceType(std::string_view text) {
  const auto ordinal = FindWordIgnoreCase(text, kReferenceTypeWords);
  return ordinal ? static_cast<tkReceiptReferenceType>(*ordinal) : rrt_OriginalReceipt;
}

std::string krptUtil::EncodeReferenceType(tkReceiptReferenceType value) {
  return WordOf(value, kReferenceTypeWords);
}

tkReceiptMessageLineAlignment krptUtil::DecodeAlignment(std::string_view text) {
  return DecodeWord<tkReceiptMessageLineAlignment>(text, kAlignmentWords, "Alignment");
}

std::string krptUtil::EncodeAlignment(tkReceiptMessageLineAlignment value) { return WordOf(value, kAlignmentWords); }

tkReceiptMessageBarcodeType krptUtil::DecodeBarcodeType(std::string_view text) {
  return DecodeWord<tkReceiptMessageBarcodeType>(text, kBarcodeTypeWords, "BarcodeType");
}

std::string krptUtil::EncodeBarcodeType(tkReceiptMessageBarcodeType value) {
  return WordOf(value, kBarcodeTypeWords);
}

tkReceiptMessageLineEffect krptUtil::DecodeEffect(std::string_view text) {
  return DecodeWord<tkReceiptMessageLineEffect>(text, kEffectWords, "Effect");
}

std::string krptUtil::EncodeEffect(tkReceiptMessageLineEffect value) { return WordOf(value, kEffectWords); }

tkReceiptMessageLineEffectSet krptUtil::DecodeEffects(std::string_view text) {
  tkReceiptMessageLineEffectSet effects;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const std::string_view item = text.substr(start, comma == std::string_view::npos ? comma : comma - start);
    if (item.empty()) break;
    effects.set(DecodeEffect(item));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return effects;
}

std::string krptUtil::EncodeEffects(tkReceiptMessageLineEffectSet effects) {
  std::string words;
  for (std::size_t ordinal = 0; ordinal < effects.size(); ++ordinal) {
    if (!effects.test(ordinal)) continue;
    if (!words.empty()) words += ',';
    words += kEffectWords[ordinal];
  }
  return words;
}

tkEJReportType krptUtil::DecodeEJReportType(std::string_view text) {
  return DecodeWord<tkEJReportType>(text, kEJReportTypeWords, "ReportType");
}

tkEJReportDestination krptUtil::DecodeEJReportDestination(std::string_view text) {
  return DecodeWord<tkEJReportDestination>(text, kEJReportDestinationWords, "ReportDestination");
}

tkEJFilesRequestType krptUtil::DecodeEJRequestType(std::string_view text) {
  // The files request reports an unknown type under the reference-type wording.
  return DecodeWord<tkEJFilesRequestType>(text, kEJRequestTypeWords, "ReferenceType");
}
