#include "model/XmlReader.h"

#include "model/Cp1250.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace exchange {

namespace {

bool IsNameCharacter(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || c == ':' || c == '-' || c == '.' || u >= 0x80;
}

bool IsXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class TReader
{
public:
    explicit TReader(const std::string& text)
        : m_text(text)
    {
    }

    std::unique_ptr<TXmlElement> Document()
    {
        std::unique_ptr<TXmlElement> root;
        // Open elements, innermost last; each is owned by its parent, the
        // root by `root`.
        std::vector<TXmlElement*> open;
        while (m_at < m_text.size()) {
            if (m_text[m_at] != '<') {
                const size_t next = std::min(m_text.find('<', m_at), m_text.size());
                if (open.empty()) {
                    if (!std::all_of(m_text.begin() + long(m_at), m_text.begin() + long(next), IsXmlSpace))
                        Fail("tekst poza elementem głównym");
                } else {
                    open.back()->Text += Decode(m_at, next);
                }
                m_at = next;
            } else if (StartsWith("<?")) {
                Skip("?>");
            } else if (StartsWith("<!--")) {
                Skip("-->");
            } else if (StartsWith("<![CDATA[")) {
                if (open.empty())
                    Fail("dane poza elementem głównym");
                const size_t end = m_text.find("]]>", m_at + 9);
                if (end == std::string::npos)
                    Fail("niezamknięta sekcja CDATA");
                open.back()->Text.append(m_text, m_at + 9, end - m_at - 9);
                m_at = end + 3;
            } else if (StartsWith("<!DOCTYPE")) {
                if (root)
                    Fail("deklaracja typu dokumentu po elemencie głównym");
                SkipDocumentType();
            } else if (StartsWith("</")) {
                m_at += 2;
                const std::string name = Name();
                SkipSpace();
                Expect('>');
                if (open.empty() || open.back()->Name != name)
                    Fail("znacznik zamykający </" + name + "> nie pasuje");
                open.pop_back();
            } else {
                ++m_at;
                auto element = std::make_unique<TXmlElement>();
                element->Name = Name();
                const bool empty = Attributes(*element);
                TXmlElement* added = element.get();
                if (open.empty()) {
                    if (root)
                        Fail("drugi element główny");
                    root = std::move(element);
                } else {
                    open.back()->Children.push_back(std::move(element));
                }
                if (!empty) {
                    if (open.size() >= static_cast<size_t>(kXmlMaxDepth))
                        Fail("zbyt głęboko zagnieżdżone elementy");
                    open.push_back(added);
                }
            }
        }
        if (!open.empty())
            Fail("niezamknięty element <" + open.back()->Name + ">");
        if (!root)
            Fail("brak elementu głównego");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& why) const
    {
        const auto line = 1 + std::count(m_text.begin(), m_text.begin() + long(std::min(m_at, m_text.size())), '\n');
        throw std::runtime_error("Plik nie jest poprawnym dokumentem XML (wiersz " + std::to_string(line)
                                 + "): " + why + ".");
    }

    bool StartsWith(const char* what) const { return m_text.compare(m_at, std::char_traits<char>::length(what), what) == 0; }

    void Skip(const char* end)
    {
        const size_t found = m_text.find(end, m_at);
        if (found == std::string::npos)
            Fail("niezamknięta deklaracja lub komentarz");
        m_at = found + std::char_traits<char>::length(end);
    }

    // Everything up to the closing ">" of the document type, its internal
    // part in brackets included, unread: what it defines is never used.
    void SkipDocumentType()
    {
        char quote = 0;
        int brackets = 0;
        for (; m_at < m_text.size(); ++m_at) {
            const char c = m_text[m_at];
            if (!quote && StartsWith("<!--")) {
                Skip("-->");
                --m_at;
            } else if (quote) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                ++m_at;
                return;
            }
        }
        Fail("niezamknięta deklaracja typu dokumentu");
    }

    void SkipSpace()
    {
        while (m_at < m_text.size() && IsXmlSpace(m_text[m_at]))
            ++m_at;
    }

    void Expect(char c)
    {
        if (m_at >= m_text.size() || m_text[m_at] != c)
            Fail(std::string("oczekiwano znaku „") + c + "”");
        ++m_at;
    }

    std::string Name()
    {
        const size_t begin = m_at;
        while (m_at < m_text.size() && IsNameCharacter(m_text[m_at]))
            ++m_at;
        if (m_at == begin)
            Fail("brak nazwy elementu lub atrybutu");
        return m_text.substr(begin, m_at - begin);
    }

    // Reads the attributes up to the end of a start tag; true for "/>".
    bool Attributes(TXmlElement& element)
    {
        for (;;) {
            SkipSpace();
            if (StartsWith("/>")) {
                m_at += 2;
                return true;
            }
            if (StartsWith(">")) {
                ++m_at;
                return false;
            }
            std::string name = Name();
            SkipSpace();
            Expect('=');
            SkipSpace();
            if (m_at >= m_text.size() || (m_text[m_at] != '"' && m_text[m_at] != '\''))
                Fail("wartość atrybutu bez cudzysłowu");
            const char quote = m_text[m_at++];
            const size_t end = m_text.find(quote, m_at);
            if (end == std::string::npos)
                Fail("niezamknięta wartość atrybutu");
            if (std::find(m_text.begin() + long(m_at), m_text.begin() + long(end), '<') != m_text.begin() + long(end))
                Fail("znak „<” w wartości atrybutu");
            std::string value = Decode(m_at, end);
            m_at = end + 1;
            element.Attributes.emplace_back(std::move(name), std::move(value));
        }
    }

    // The character data between two positions with its references decoded.
    std::string Decode(size_t begin, size_t end)
    {
        std::string text;
        text.reserve(end - begin);
        for (size_t at = begin; at < end; ++at) {
            if (m_text[at] != '&') {
                text += m_text[at];
                continue;
            }
            const size_t semicolon = m_text.find(';', at);
            if (semicolon == std::string::npos || semicolon >= end || semicolon - at > 10) {
                m_at = at;
                Fail("znak „&” bez odwołania");
            }
            const std::string name = m_text.substr(at + 1, semicolon - at - 1);
            at = semicolon;
            if (name == "amp")
                text += '&';
            else if (name == "lt")
                text += '<';
            else if (name == "gt")
                text += '>';
            else if (name == "quot")
                text += '"';
            else if (name == "apos")
                text += '\'';
            else if (!CharacterReference(name, text)) {
                m_at = at;
                Fail("nieznana encja &" + name + "; (encje z deklaracji typu nie są rozwijane)");
            }
        }
        return text;
    }

    static bool CharacterReference(const std::string& name, std::string& text)
    {
        if (name.size() < 2 || name[0] != '#')
            return false;
        const bool hex = name[1] == 'x';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (digits.empty())
            return false;
        for (const char c : digits) {
            if (!(hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c))))
                return false;
        }
        const unsigned long code = std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10);
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        AppendUtf8(text, static_cast<char32_t>(code));
        return true;
    }

    const std::string& m_text;
    size_t m_at = 0;
};

} // namespace

std::string TXmlElement::Attribute(const std::string& name, const std::string& fallback) const
{
    for (const auto& attribute : Attributes) {
        if (attribute.first == name)
            return attribute.second;
    }
    return fallback;
}

const TXmlElement* TXmlElement::Child(const std::string& name) const
{
    for (const auto& child : Children) {
        if (child->Name == name)
            return child.get();
    }
    return nullptr;
}

std::unique_ptr<TXmlElement> ReadXml(const std::string& text)
{
    return TReader(text).Document();
}

} // namespace exchange
