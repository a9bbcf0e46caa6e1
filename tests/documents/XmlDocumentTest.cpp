// Parsing of request text, malformed and hostile requests included.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/ErrorText.h"
#include "documents/XmlDocument.h"
#include "documents/krptUtil.h"

namespace {

std::string Nested(std::size_t depth, bool closed = true) {
  std::string text;
  for (std::size_t i = 0; i < depth; ++i) text += "<a>";
  text += "x";
  for (std::size_t i = 0; closed && i < depth; ++i) text += "</a>";
  return text;
}

TEST(XmlDocument, MalformedTextFailsWithTheReason) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "Malformed XML: No document element found"},
      {"   <!-- only a comment -->", "Malformed XML: No document element found"},
      {"<a><b></a>", "Malformed XML: Start-end tags mismatch at offset 8"},
      {"<a>", "Malformed XML: Start-end tags mismatch at offset 2"},
      {"<a/><b/>", "Malformed XML: Only one top level element is allowed"},
      {"<a/>tail", "Malformed XML: Text is not allowed outside the document element"},
      {"<a>\x01</a>", "Malformed XML: Invalid character 0x01 at offset 3"},
      {std::string("<a>x</a>\0<b>", 12), "Malformed XML: Invalid character 0x00 at offset 8"},
      {Nested(kMaxXmlDepth + 1), "Malformed XML: Elements are nested deeper than 256 levels"},
      {Nested(100000), "Malformed XML: Elements are nested deeper than 256 levels"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text.substr(0, 40));
    pugi::xml_document doc;
    doc.append_child("Stale");
    EXPECT_EQ(ErrorText([&] { ParseRequestXml(text, doc); }), message);
    EXPECT_FALSE(doc.first_child()) << "a failed parse leaves the document empty";
  }
  pugi::xml_document doc;
  EXPECT_NE(ErrorText([&] { ParseRequestXml(Nested(100000, false), doc); }).find("Malformed XML: "),
            std::string::npos);
}

TEST(XmlDocument, KeepsCommentsAndInstructionsDropsBlankTextAndExpandsNoEntity) {
  pugi::xml_document doc;
  ParseRequestXml(
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
      "<!DOCTYPE Root [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>\n"
      "<!-- request -->\n"
      "<Root>\n"
      "  <Blank>  \r\n  </Blank>\n"
      "  <Commented>5<!-- five --></Commented>\n"
      "  <Instructed><?pi 5?></Instructed>\n"
      "  <Entity>&secret;</Entity>\n"
      "</Root>",
      doc);
  const pugi::xml_node root = doc.document_element();
  EXPECT_EQ(std::string(root.name()), "Root");
  EXPECT_EQ(krptUtil::GetNodeValue(krptUtil::FindNode(root, "Blank")), std::nullopt);
  EXPECT_NE(ErrorText([&] { krptUtil::GetNodeValueAsInteger(root, "Commented"); }), "<no error>");
  EXPECT_NE(ErrorText([&] { krptUtil::GetNodeValueAsString(root, "Instructed"); }), "<no error>");
  EXPECT_EQ(krptUtil::GetNodeValueAsString(root, "Entity"), "&secret;");
}

TEST(XmlDocument, HandlesLargeAndDeepRequestsWithinTheLimit) {
  pugi::xml_document doc;
  const std::string big(10 * 1024 * 1024, '7');
  ParseRequestXml("<Root><Text>" + big + "</Text><N>" + big + "</N></Root>", doc);
  EXPECT_EQ(krptUtil::GetNodeValueAsString(doc.document_element(), "Text").size(), big.size());
  EXPECT_EQ(ErrorText([&] { krptUtil::GetNodeValueAsInteger(doc.document_element(), "N"); })
                .rfind("Error in processing node N as integer.\r\n'7777", 0),
            0u);

  ParseRequestXml(Nested(kMaxXmlDepth), doc);
  pugi::xml_node node = doc.document_element();
  for (std::size_t level = 1; level < kMaxXmlDepth; ++level) node = krptUtil::FindNode(node, "a");
  EXPECT_EQ(krptUtil::GetNodeValueAsString(node.parent(), "a"), "x");
}

}  // namespace
