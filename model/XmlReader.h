// A small XML reader for files of other programs: elements, attributes,
// text and CDATA, and nothing a file could turn against the reader. The
// document type is skipped unread, so no entity a file defines is ever
// expanded and no external file is ever fetched; only the five predefined
// entities and character references are decoded, and nesting is limited.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace exchange {

struct TXmlElement
{
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Attributes;
    std::string Text;  // the character data directly inside, decoded
    std::vector<std::unique_ptr<TXmlElement>> Children;

    // The value of an attribute, or `fallback` when it is absent.
    std::string Attribute(const std::string& name, const std::string& fallback = {}) const;
    // The first child of that name, or nullptr.
    const TXmlElement* Child(const std::string& name) const;
};

// Elements deeper than this make the document unreadable.
constexpr int kXmlMaxDepth = 64;

// The root element of a document; throws std::runtime_error with a Polish
// message naming the line of the first fault of a document that is not
// well-formed, nested too deep or uses an entity it would have to define.
std::unique_ptr<TXmlElement> ReadXml(const std::string& text);

} // namespace exchange
