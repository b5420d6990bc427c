#include "model/ExchangeText.h"

#include "model/Cp1250.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace exchange {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The number of characters (not bytes) of UTF-8 text.
size_t CharacterCount(const std::string& utf8)
{
    size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// The first `count` characters of UTF-8 text.
std::string FirstCharacters(const std::string& utf8, size_t count)
{
    size_t at = 0;
    for (size_t seen = 0; at < utf8.size(); ++at) {
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80 && seen++ == count)
            break;
    }
    return utf8.substr(0, at);
}

// The named references a platform's editor writes into question texts.
struct TNamedEntity
{
    const char* Name;
    unsigned long Code;
};
constexpr TNamedEntity kNamedEntities[] = {
    {"amp", '&'},       {"lt", '<'},         {"gt", '>'},        {"quot", '"'},
    {"apos", '\''},     {"nbsp", 0xA0},      {"ndash", 0x2013},  {"mdash", 0x2014},
    {"hellip", 0x2026}, {"laquo", 0xAB},     {"raquo", 0xBB},    {"bdquo", 0x201E},
    {"ldquo", 0x201C},  {"rdquo", 0x201D},   {"lsquo", 0x2018},  {"rsquo", 0x2019},
    {"sbquo", 0x201A},  {"euro", 0x20AC},    {"copy", 0xA9},     {"reg", 0xAE},
    {"deg", 0xB0},      {"times", 0xD7},     {"divide", 0xF7},   {"plusmn", 0xB1},
    {"middot", 0xB7},   {"sect", 0xA7},      {"oacute", 0xF3},   {"Oacute", 0xD3},
    {"shy", 0xAD},      {"bull", 0x2022},    {"minus", 0x2212},  {"le", 0x2264},
    {"ge", 0x2265},     {"ne", 0x2260},      {"sup2", 0xB2},     {"sup3", 0xB3},
    {"frac12", 0xBD},   {"micro", 0xB5},     {"alpha", 0x3B1},   {"beta", 0x3B2},
    {"pi", 0x3C0},      {"Delta", 0x394},    {"uuml", 0xFC},     {"ouml", 0xF6},
    {"auml", 0xE4},     {"eacute", 0xE9},    {"aacute", 0xE1},   {"szlig", 0xDF},
};

// The character of the reference between "&" and ";" (`name` without
// either), or false when it names none.
bool ResolveEntity(const std::string& name, unsigned long& code)
{
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8)
            return false;
        for (const char c : digits) {
            const bool digit = c >= '0' && c <= '9';
            const bool hexDigit = digit || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
            if (!(hex ? hexDigit : digit))
                return false;
        }
        code = std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10);
        return code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    }
    for (const TNamedEntity& entity : kNamedEntities) {
        if (name == entity.Name) {
            code = entity.Code;
            return true;
        }
    }
    return false;
}

// The lower-cased name of the tag starting at `text[at]` == '<', without "/".
std::string TagName(const std::string& text, size_t at, size_t end)
{
    size_t from = at + 1;
    if (from < end && text[from] == '/')
        ++from;
    std::string name;
    for (; from < end && std::isalnum(static_cast<unsigned char>(text[from])); ++from)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(text[from])));
    return name;
}

bool BreaksLine(const std::string& tag)
{
    static const char* const kBlocks[] = {"br", "p", "div", "li", "tr", "h1", "h2", "h3",
                                          "h4", "h5", "h6", "ul", "ol", "table", "blockquote"};
    for (const char* block : kBlocks) {
        if (tag == block)
            return true;
    }
    return false;
}

} // namespace

std::string ToUtf8Text(const std::string& cp1250)
{
    std::string unified;
    unified.reserve(cp1250.size());
    for (size_t i = 0; i < cp1250.size(); ++i) {
        if (cp1250[i] == '\r') {
            if (i + 1 < cp1250.size() && cp1250[i + 1] == '\n')
                ++i;
            unified += '\n';
        } else {
            unified += cp1250[i];
        }
    }
    return Cp1250ToUtf8(unified);
}

std::string FromUtf8Text(const std::string& utf8)
{
    const std::string bytes = Utf8ToCp1250(utf8);
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            text += "\r\n";
        } else if (static_cast<unsigned char>(bytes[i]) < 0x20 && bytes[i] != '\t') {
            // No format can carry a control character back out, XML not at all.
            text += '?';
        } else {
            text += bytes[i];
        }
    }
    return text;
}

std::string OnOneLine(const std::string& utf8)
{
    std::string line;
    line.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' || utf8[i] == '\n') {
            if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            line += ' ';
        } else {
            line += utf8[i];
        }
    }
    return line;
}

std::string TrimSpace(const std::string& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsSpace(text[begin]))
        ++begin;
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string QuestionName(const std::string& utf8Text, int number)
{
    constexpr size_t kLongest = 60;
    std::vector<std::string> words;
    std::string word;
    for (const char c : utf8Text + ' ') {
        if (!IsSpace(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    std::string name;
    for (const std::string& next : words) {
        const std::string longer = name.empty() ? next : name + ' ' + next;
        if (CharacterCount(longer) > kLongest)
            break;
        name = longer;
    }
    // A first word longer than a whole name is cut.
    if (name.empty() && !words.empty())
        name = FirstCharacters(words.front(), kLongest);
    return name.empty() ? "Pytanie " + std::to_string(number) : name;
}

TScoring ScoringOf(const TQuestion& question)
{
    TScoring scoring;
    for (size_t i = 0; i < question.Answers.size(); ++i) {
        const int32_t score = question.Answers[i]->Score;
        scoring.PositiveCount += score > 0;
        if (scoring.BestIndex < 0 || score > scoring.Highest) {
            scoring.Highest = score;
            scoring.BestIndex = static_cast<int>(i);
            scoring.BestCount = 1;
        } else if (score == scoring.Highest) {
            ++scoring.BestCount;
        }
    }
    return scoring;
}

std::string Percent(int32_t score, int32_t highest)
{
    if (score <= 0 || highest <= 0)
        return "0";
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", 100.0 * score / highest);
    std::string shortest = text;
    while (shortest.back() == '0')
        shortest.pop_back();
    if (shortest.back() == '.')
        shortest.pop_back();
    return shortest;
}

std::string DecodeFileText(const std::string& bytes)
{
    const bool bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    std::string text = bom ? bytes.substr(3) : bytes;
    if (!IsValidUtf8(text))
        text = Cp1250ToUtf8(text);
    return text;
}

std::string DecodeEntities(const std::string& text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '&') {
            // References are short; a far ";" belongs to other text, and
            // is not searched for at all.
            const size_t near = std::string_view(text).substr(at + 1, 12).find(';');
            const size_t semicolon = near == std::string_view::npos ? near : at + 1 + near;
            unsigned long code = 0;
            if (semicolon != std::string::npos
                && ResolveEntity(text.substr(at + 1, semicolon - at - 1), code)) {
                AppendUtf8(decoded, static_cast<char32_t>(code));
                at = semicolon;
                continue;
            }
        }
        decoded += text[at];
    }
    return decoded;
}

std::string HtmlToPlain(const std::string& html)
{
    std::string plain;
    plain.reserve(html.size());
    bool pendingSpace = false;
    // The next ">" is looked for again only once passed, so a text of many
    // "<" and no ">" is still read in one pass.
    size_t close = 0;
    for (size_t at = 0; at < html.size(); ++at) {
        const char c = html[at];
        if (c == '<') {
            // A "<" not opening a tag ("a < b") is text.
            const char next = at + 1 < html.size() ? html[at + 1] : ' ';
            if (close != std::string::npos && close <= at)
                close = html.find('>', at);
            if (close != std::string::npos
                && (std::isalpha(static_cast<unsigned char>(next)) || next == '/' || next == '!')) {
                if (BreaksLine(TagName(html, at, close))) {
                    if (!plain.empty() && plain.back() != '\n')
                        plain += '\n';
                    pendingSpace = false;
                }
                at = close;
                continue;
            }
        }
        if (IsSpace(c)) {
            pendingSpace = true;
            continue;
        }
        if (pendingSpace && !plain.empty() && plain.back() != '\n')
            plain += ' ';
        pendingSpace = false;
        plain += c;
    }
    // A non-breaking space of an editor is an ordinary one in plain text.
    std::string decoded = DecodeEntities(plain);
    for (size_t at = decoded.find("\xC2\xA0"); at != std::string::npos; at = decoded.find("\xC2\xA0", at))
        decoded.replace(at, 2, " ");
    return TrimSpace(decoded);
}

void AddReadQuestion(TTest& test, const TReadQuestion& read)
{
    TQuestion* question = test.AddQuestion();
    question->Text = FromUtf8Text(read.Text);
    question->Answers.clear();
    question->AnswerCount = 0;
    for (size_t i = 0; i < read.Answers.size() || i < 3; ++i) {
        TAnswer* answer = question->AddAnswer();
        if (i < read.Answers.size())
            answer->Text = FromUtf8Text(read.Answers[i]);
        answer->Score = static_cast<int>(i) == read.Correct ? 1 : 0;
    }
}

std::string SkipNote(int number, const std::string& why)
{
    return "Pytanie " + std::to_string(number) + ": " + why;
}

std::string LastCategoryName(const std::string& path)
{
    // Split at single slashes; "//" stands for "/" inside a name.
    std::string name;
    for (size_t at = 0; at < path.size(); ++at) {
        if (path[at] != '/') {
            name += path[at];
        } else if (at + 1 < path.size() && path[at + 1] == '/') {
            name += '/';
            ++at;
        } else {
            name.clear();
        }
    }
    return TrimSpace(name);
}

} // namespace exchange
