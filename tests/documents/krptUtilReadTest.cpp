// Typed reads of child elements: defaults, the node-value rule and the wrapped messages.

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "documents/ErrorText.h"
#include "documents/XmlDocument.h"
#include "documents/krptUtil.h"

namespace {

// A request root holding the given children.
struct Request {
  explicit Request(const std::string& children) { ParseRequestXml("<Root xmlns:q=\"urn:q\">" + children + "</Root>", doc); }
  pugi::xml_node root() const { return doc.document_element(); }
  pugi::xml_document doc;
};

// The expected message of a failing read.
struct Error {
  std::string text;
};

Error Wrapped(const char* name, const char* kind, const std::string& cause) {
  return {std::string("Error in processing node ") + name + " as " + kind + ".\r\n" + cause};
}

std::string NotSingleText(const char* element) {
  return std::string("Element \"") + element + "\" does not contain a single text node";
}

// Each case is the children of the root and either the value read or the error text.
template <typename T>
struct ReadCase {
  std::string children;
  std::variant<T, Error> expected;
};

template <typename T, typename Read>
void CheckReads(const std::vector<ReadCase<T>>& cases, Read read) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.children);
    Request request(c.children);
    if (std::holds_alternative<T>(c.expected))
      EXPECT_EQ(read(request.root()), std::get<T>(c.expected));
    else
      EXPECT_EQ(ErrorText([&] { read(request.root()); }), std::get<Error>(c.expected).text);
  }
}

TEST(krptUtilRead, Currency) {
  const std::vector<ReadCase<Currency>> cases = {
      {"<Price>12.50</Price>", Currency::FromRaw(125000)},
      {"<Price>-0.0001</Price>", Currency::FromRaw(-1)},
      {"<Price><![CDATA[3.25]]></Price>", Currency::FromRaw(32500)},
      {"<Price></Price>", Currency()},
      {"<Price/>", Currency()},
      {"<Price>   </Price>", Currency()},
      {"", Currency()},
      {"<Item><Price>5</Price></Item>", Currency()},
      {"<Price>1</Price><Price>2</Price>", Currency::FromUnits(1)},
      {"<q:Price>7</q:Price>", Currency::FromUnits(7)},
      {"<Price>12,50</Price>", Wrapped("Price", "currency", "'12,50' is not a valid floating point value")},
      {"<Price>abc</Price>", Wrapped("Price", "currency", "'abc' is not a valid floating point value")},
      {"<Price>99999999999999999999</Price>",
       Wrapped("Price", "currency", "'99999999999999999999' is not a valid floating point value")},
      {"<Price><Amount>1</Amount></Price>", Wrapped("Price", "currency", NotSingleText("Price"))},
      {"<Price>1<!-- one --></Price>", Wrapped("Price", "currency", NotSingleText("Price"))},
      {"<q:Price>1<?pi x?></q:Price>", Wrapped("Price", "currency", NotSingleText("q:Price"))},
  };
  CheckReads(cases, [](pugi::xml_node root) { return krptUtil::GetNodeValueAsCurrency(root, "Price"); });
}

TEST(krptUtilRead, Boolean) {
  const std::vector<ReadCase<bool>> cases = {
      {"<Flag>1</Flag>", true},
      {"<Flag>TRUE</Flag>", true},
      {"<Flag>-3</Flag>", true},
      {"<Flag>0</Flag>", false},
      {"<Flag>False</Flag>", false},
      {"", false},
      {"<Flag/>", Wrapped("Flag", "boolean", "'' is not a valid boolean value")},
      {"<Flag>yes</Flag>", Wrapped("Flag", "boolean", "'yes' is not a valid boolean value")},
      {"<Flag>1<b/></Flag>", Wrapped("Flag", "boolean", NotSingleText("Flag"))},
  };
  CheckReads(cases, [](pugi::xml_node root) { return krptUtil::GetNodeValueAsBoolean(root, "Flag"); });
}

TEST(krptUtilRead, Integer) {
  const std::vector<ReadCase<int32_t>> cases = {
      {"<N>42</N>", 42},
      {"<N>-2147483648</N>", INT32_MIN},
      {"<N>2147483647</N>", INT32_MAX},
      {"<N/>", 0},
      {"", 0},
      {"<N>2147483648</N>", Wrapped("N", "integer", "'2147483648' is not a valid integer value")},
      {"<N>1.5</N>", Wrapped("N", "integer", "'1.5' is not a valid integer value")},
      {"<N>x</N>", Wrapped("N", "integer", "'x' is not a valid integer value")},
      {"<N><!-- none --></N>", Wrapped("N", "integer", NotSingleText("N"))},
  };
  CheckReads(cases, [](pugi::xml_node root) { return krptUtil::GetNodeValueAsInteger(root, "N"); });
}

TEST(krptUtilRead, String) {
  const std::vector<ReadCase<std::string>> cases = {
      {"<Name> a  b </Name>", std::string(" a  b ")},
      {"<Name>a &amp; b</Name>", std::string("a & b")},
      {"<Name>Caff\xC3\xA8</Name>", std::string("Caff\xC3\xA8")},
      {"<Name/>", std::string()},
      {"<Name>\n  \n</Name>", std::string()},
      {"", std::string()},
      {"<Name><First>A</First></Name>", Wrapped("Name", "string", NotSingleText("Name"))},
      {"<Name>A<b/>B</Name>", Wrapped("Name", "string", NotSingleText("Name"))},
      {"<Name><![CDATA[A]]>B</Name>", Wrapped("Name", "string", NotSingleText("Name"))},
  };
  CheckReads(cases, [](pugi::xml_node root) { return krptUtil::GetNodeValueAsString(root, "Name"); });
}

TEST(krptUtilRead, DateTime) {
  const std::vector<ReadCase<DateTime>> cases = {
      {"<D>2021-06-30</D>", DateTime::Encode(2021, 6, 30)},
      {"<D>2021-06-30T23:30:00-01:00</D>", DateTime::Encode(2021, 7, 1, 0, 30)},
      {"<D>2021-06-15T10:00+02:00</D>", DateTime::Encode(2021, 6, 15, 8, 0)},
      {"<D>2021-06-15T10:20:30.5Z</D>", DateTime::Encode(2021, 6, 15, 10, 20, 30, 500)},
      {"", DateTime()},
      {"<D/>", Wrapped("D", "datetime", "Invalid date string: ")},
      {"<D>30/06/2021</D>", Wrapped("D", "datetime", "Invalid date string: 30/06/2021")},
      {"<D><Y>2021</Y></D>", Wrapped("D", "datetime", NotSingleText("D"))},
  };
  CheckReads(cases, [](pugi::xml_node root) { return krptUtil::GetNodeValueAsDateTime(root, "D"); });
}

TEST(krptUtilRead, TryDateTimeGivesZeroInsteadOfAnError) {
  const std::vector<ReadCase<DateTime>> cases = {
      {"<D>2021-06-30T12:00:00Z</D>", DateTime::Encode(2021, 6, 30, 12)},
      {"<D/>", DateTime()},
      {"<D>tomorrow</D>", DateTime()},
      {"<D>2021<x/></D>", DateTime()},
  };
  CheckReads(cases, [](pugi::xml_node root) { return krptUtil::TryGetNodeValueAsDateTime(root, "D"); });
}

TEST(krptUtilNodes, FindsOnlyDirectChildrenByNameOrLocalName) {
  Request request("<q:Lines/><Outer><Deep/></Outer><lines/>");
  EXPECT_TRUE(krptUtil::HasNode(request.root(), "Lines"));
  EXPECT_TRUE(krptUtil::HasNode(request.root(), "q:Lines"));
  EXPECT_FALSE(krptUtil::HasNode(request.root(), "Deep"));
  EXPECT_FALSE(krptUtil::HasNode(request.root(), "LINES"));
  EXPECT_FALSE(krptUtil::HasNode(request.root(), "q"));
  EXPECT_FALSE(krptUtil::HasNode(pugi::xml_node(), "Lines"));
  EXPECT_EQ(std::string(krptUtil::FindNode(request.root(), "lines").name()), "lines");
}

TEST(krptUtilNodes, AttributesAndAddedNodes) {
  Request request("<Line id=\"7\"/>");
  pugi::xml_node line = krptUtil::FindNode(request.root(), "Line");
  EXPECT_EQ(krptUtil::GetAttributeValueAsString(line, "id"), "7");
  EXPECT_EQ(krptUtil::GetAttributeValueAsString(line, "ID"), "");

  pugi::xml_node added = krptUtil::AddNode(line, "Amount", "1.25");
  krptUtil::AddNode(line, "Empty", "");
  EXPECT_EQ(added, line.first_child());
  EXPECT_EQ(std::string(line.last_child().name()), "Empty");
  EXPECT_EQ(krptUtil::GetNodeValueAsCurrency(line, "Amount"), Currency::FromRaw(12500));
  EXPECT_EQ(krptUtil::GetNodeValue(line.last_child()), std::nullopt);
}

}  // namespace
