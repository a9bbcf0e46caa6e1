// libFuzzer target: parses arbitrary bytes as a request and runs every typed read,
// decoder and NormalizeText over the elements below the root. Bad input may throw
// std::runtime_error; anything else (a crash, a sanitizer report, another exception
// type, a hang) is a finding. Build and run: see CMakeLists.txt in this folder.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "documents/XmlDocument.h"
#include "documents/krptUtil.h"

namespace {

template <typename Action>
void IgnoringRuntimeErrors(Action action) {
  try {
    action();
  } catch (const std::runtime_error&) {
  }
}

void Decode(const std::string& text) {
  IgnoringRuntimeErrors([&] { krptUtil::DecodeReceiptType(text); });
  IgnoringRuntimeErrors([&] { krptUtil::DecodeLineType(text); });
  IgnoringRuntimeErrors([&] { krptUtil::DecodePaymentType(text); });
  IgnoringRuntimeErrors([&] { krptUtil::DecodeTaxType(text); });
  IgnoringRuntimeErrors([&] { krptUtil::DecodeAlignment(text); });
  IgnoringRuntimeErrors([&] { krptUtil::DecodeBarcodeType(text); });
  IgnoringRuntimeErrors([&] { krptUtil::EncodeEffects(krptUtil::DecodeEffects(text)); });
  IgnoringRuntimeErrors([&] { krptUtil::DecodeEJReportType(text); });
  IgnoringRuntimeErrors([&] { krptUtil::DecodeEJReportDestination(text); });
  IgnoringRuntimeErrors([&] { krptUtil::DecodeEJRequestType(text); });
  krptUtil::EncodeReferenceType(krptUtil::DecodeReferenceType(text));
  krptUtil::DecodeLineAttribute(text);
}

// Every read of one child, looked up by its own name and by its local name.
void ReadChild(pugi::xml_node parent, pugi::xml_node child) {
  const std::string name = child.name();
  const std::string localName = name.substr(name.find(':') + 1);
  for (const std::string& key : {name, localName}) {
    IgnoringRuntimeErrors([&] {
      const std::string text = krptUtil::GetNodeValueAsString(parent, key);
      krptUtil::NormalizeText(text);
      Decode(text);
    });
    IgnoringRuntimeErrors([&] { krptUtil::GetNodeValueAsBoolean(parent, key); });
    IgnoringRuntimeErrors([&] { krptUtil::GetNodeValueAsCurrency(parent, key); });
    IgnoringRuntimeErrors([&] { krptUtil::GetNodeValueAsInteger(parent, key); });
    IgnoringRuntimeErrors([&] { krptUtil::GetNodeValueAsDateTime(parent, key); });
    krptUtil::TryGetNodeValueAsDateTime(parent, key);
    krptUtil::HasNode(parent, key);
  }
  for (pugi::xml_attribute attribute : child.attributes())
    krptUtil::GetAttributeValueAsString(child, attribute.name());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  krptUtil::NormalizeText(text);
  pugi::xml_document doc;
  try {
    ParseRequestXml(text, doc);
  } catch (const std::runtime_error&) {
    return 0;
  }
  // The root's children and grandchildren: the depth at which request documents live.
  const pugi::xml_node root = doc.document_element();
  for (pugi::xml_node child : root.children()) {
    ReadChild(root, child);
    for (pugi::xml_node grandchild : child.children()) ReadChild(child, grandchild);
  }
  krptUtil::AddNode(root, "Added", text);
  return 0;
}
