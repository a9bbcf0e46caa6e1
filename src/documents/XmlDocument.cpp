#include "documents/XmlDocument.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi |
                                   pugi::parse_fragment;  // lets the root checks below see stray text

[[noreturn]] void ThrowMalformed(std::string_view reason) {
  throw std::runtime_error("Malformed XML: " + std::string(reason));
}

std::string AtOffset(std::string_view reason, std::size_t offset) {
  return std::string(reason) + " at offset " + std::to_string(offset);
}

// XML allows no C0 control character except tab, line feed and carriage return.
void CheckCharacters(std::string_view text) {
  for (std::size_t offset = 0; offset < text.size(); ++offset) {
    const auto byte = static_cast<unsigned char>(text[offset]);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') {
      char reason[48];
      std::snprintf(reason, sizeof reason, "Invalid character 0x%02X", byte);
      ThrowMalformed(AtOffset(reason, offset));
    }
  }
}

// Exactly one element at the top, with nothing but comments, processing instructions
// and the DOCTYPE beside it.
void CheckSingleRoot(const pugi::xml_document& doc) {
  bool haveRoot = false;
  for (pugi::xml_node node : doc.children()) {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
      ThrowMalformed("Text is not allowed outside the document element");
    if (node.type() != pugi::node_element) continue;
    if (haveRoot) ThrowMalformed("Only one top level element is allowed");
    haveRoot = true;
  }
  if (!haveRoot) ThrowMalformed("No document element found");
}

class DepthCheck : public pugi::xml_tree_walker {
public:
  bool tooDeep = false;
  bool for_each(pugi::xml_node& node) override {
    // depth() counts from 0 for the root element.
    tooDeep = node.type() == pugi::node_element && static_cast<std::size_t>(depth()) >= kMaxXmlDepth;
    return !tooDeep;
  }
};

void CheckDepth(pugi::xml_document& doc) {
  DepthCheck check;
  doc.traverse(check);
  if (check.tooDeep)
    ThrowMalformed("Elements are nested deeper than " + std::to_string(kMaxXmlDepth) + " levels");
}

}  // namespace

void ParseRequestXml(std::string_view text, pugi::xml_document& doc) {
  try {
    CheckCharacters(text);
    const pugi::xml_parse_result result =
        doc.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
    if (!result) ThrowMalformed(AtOffset(result.description(), static_cast<std::size_t>(result.offset)));
    CheckSingleRoot(doc);
    CheckDepth(doc);
  } catch (const std::runtime_error&) {
    doc.reset();
    throw;
  }
}
