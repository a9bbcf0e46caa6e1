#pragma once
// Parsing of request text into an XML tree.

#include <cstddef>
#include <string_view>

#include <pugixml.hpp>

// Deepest element nesting a request may have. Requests nest a handful of levels;
// the limit keeps every consumer of the tree safe from hostile depth.
inline constexpr std::size_t kMaxXmlDepth = 256;

// Parses UTF-8 text into the document, replacing its content. Comments and processing
// instructions are kept as nodes (they make an element's text unreadable, as in any
// DOM), whitespace-only text is dropped, a DOCTYPE is skipped without expanding or
// fetching anything. Text that is not one well-formed document with a single root
// element, holds a control character or nests deeper than kMaxXmlDepth throws
// std::runtime_error("Malformed XML: <reason>"); the document is then left empty.
void ParseRequestXml(std::string_view text, pugi::xml_document& doc);
