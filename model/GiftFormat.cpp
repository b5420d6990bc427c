// GIFT: "::name:: text {=right ~wrong ~%50%partly right}", questions parted
// by a blank line, the characters ~ = # { } : and \ written after a "\".
#include "model/Exchange.h"
#include "model/ExchangeText.h"

#include <cstdlib>

namespace exchange {

namespace {

constexpr const char* kSpecial = "~=#{}:\\";

std::string Escape(const std::string& utf8)
{
    std::string escaped;
    escaped.reserve(utf8.size() + utf8.size() / 8);
    for (const char c : utf8) {
        if (c == '\n') {
            escaped += "\\n";
            continue;
        }
        if (std::string_view(kSpecial).find(c) != std::string_view::npos)
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// The text prefixes that name the markup of a question's text.
const char* const kFormats[] = {"[html]", "[moodle]", "[plain]", "[markdown]"};

// The known markup prefix at the start of a text, or empty.
std::string FormatPrefix(const std::string& text)
{
    for (const char* format : kFormats) {
        if (text.compare(0, std::string_view(format).size(), format) == 0)
            return format;
    }
    return {};
}

std::string ExportQuestion(const TQuestion& question, int number)
{
    const std::string text = ToUtf8Text(question.Text);
    std::string line = "::" + Escape(OnOneLine(QuestionName(text, number))) + ":: ";
    // A text that happens to begin with a markup prefix keeps it as text.
    if (!FormatPrefix(text).empty())
        line += "[plain]";
    line += Escape(text) + " {";
    const TScoring scoring = ScoringOf(question);
    for (size_t i = 0; i < question.Answers.size(); ++i) {
        const int32_t score = question.Answers[i]->Score;
        const std::string answer = Escape(ToUtf8Text(question.Answers[i]->Text));
        // A text that starts with "%" would read as a weight: it gets one.
        const bool startsWithPercent = answer.compare(0, 1, "%") == 0;
        const bool weighted = score > 0 || startsWithPercent;
        if (static_cast<int>(i) == scoring.BestIndex)
            line += startsWithPercent ? "=%100%" : "=";
        else
            line += weighted ? "~%" + Percent(score, scoring.Highest) + "%" : "~";
        line += answer + (i + 1 < question.Answers.size() ? " " : "");
    }
    return line + "}\n";
}

// The position of the first of `characters` at or after `from` that no "\"
// escapes, or npos.
size_t FindUnescaped(const std::string& text, std::string_view characters, size_t from = 0)
{
    for (size_t at = from; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;
        else if (characters.find(text[at]) != std::string_view::npos)
            return at;
    }
    return std::string::npos;
}

size_t FindUnescapedText(const std::string& text, std::string_view what, size_t from = 0)
{
    for (size_t at = from; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;
        else if (text.compare(at, what.size(), what) == 0)
            return at;
    }
    return std::string::npos;
}

std::string Unescape(const std::string& text)
{
    std::string plain;
    plain.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\\' && at + 1 < text.size()) {
            const char next = text[at + 1];
            if (next == 'n') {
                plain += '\n';
                ++at;
                continue;
            }
            if (std::string_view(kSpecial).find(next) != std::string_view::npos) {
                plain += next;
                ++at;
                continue;
            }
        }
        plain += text[at];
    }
    return plain;
}

// A text of the question in the markup it names, as plain text.
std::string PlainText(const std::string& raw, const std::string& format)
{
    const std::string text = TrimSpace(Unescape(raw));
    return format == "[html]" ? HtmlToPlain(text) : text;
}

struct TGiftAnswer
{
    bool Right = false;  // "=" rather than "~"
    double Weight = 0;
    std::string Text;
};

// Why a question's answers between the braces are not single-answer
// multiple choice, or empty; the answers read go to `answers`.
std::string ReadAnswers(std::string body, std::vector<TGiftAnswer>& answers)
{
    // "####" starts the general feedback, which runs to the brace.
    const size_t general = FindUnescapedText(body, "####");
    if (general != std::string::npos)
        body.erase(general);
    body = TrimSpace(body);
    if (body.empty())
        return "pytanie otwarte (esej)";
    if (body[0] == '#')
        return "pytanie numeryczne";
    const std::string verdict = TrimSpace(body.substr(0, FindUnescaped(body, "#")));
    if (verdict == "T" || verdict == "F" || verdict == "TRUE" || verdict == "FALSE")
        return "pytanie prawda/fałsz";
    if (body[0] != '=' && body[0] != '~')
        return "nieczytelne odpowiedzi";
    bool anyWrong = false;
    for (size_t at = 0; at < body.size();) {
        const size_t next = FindUnescaped(body, "=~", at + 1);
        std::string content = body.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        TGiftAnswer answer;
        answer.Right = body[at] == '=';
        anyWrong = anyWrong || !answer.Right;
        if (FindUnescapedText(content, "->") != std::string::npos)
            return "pytanie na dopasowanie";
        content.erase(std::min(content.size(), FindUnescaped(content, "#")));
        content = TrimSpace(content);
        answer.Weight = answer.Right ? 100 : 0;
        if (!content.empty() && content[0] == '%') {
            const size_t close = content.find('%', 1);
            if (close == std::string::npos)
                return "nieczytelna waga odpowiedzi";
            answer.Weight = std::strtod(content.substr(1, close - 1).c_str(), nullptr);
            content.erase(0, close + 1);
        }
        answer.Text = content;
        answers.push_back(std::move(answer));
        at = next == std::string::npos ? body.size() : next;
    }
    if (!anyWrong)
        return "pytanie z krótką odpowiedzią";
    int full = 0;
    int positive = 0;
    for (const TGiftAnswer& answer : answers) {
        full += answer.Weight >= 99.9999;
        positive += answer.Weight > 0;
    }
    if (full == 0 && positive > 1)
        return "pytanie z kilkoma poprawnymi odpowiedziami";
    if (full == 0)
        return "brak poprawnej odpowiedzi";
    if (full > 1)
        return "pytanie z kilkoma poprawnymi odpowiedziami";
    if (answers.size() < 2)
        return "mniej niż dwie odpowiedzi";
    return {};
}

// Reads one question; why it is left out, or empty when it went to `test`.
std::string ReadQuestion(std::string block, TTest& test)
{
    block = TrimSpace(block);
    if (block.compare(0, 2, "::") == 0) {
        const size_t nameEnd = FindUnescapedText(block, "::", 2);
        if (nameEnd == std::string::npos)
            return "niezamknięta nazwa pytania";
        block = TrimSpace(block.substr(nameEnd + 2));
    }
    const std::string format = FormatPrefix(block);
    block.erase(0, format.size());
    const size_t open = FindUnescaped(block, "{");
    if (open == std::string::npos)
        return "opis bez odpowiedzi";
    const size_t close = FindUnescaped(block, "}", open + 1);
    if (close == std::string::npos)
        return "niezamknięty nawias {";
    if (FindUnescaped(block, "{", close + 1) != std::string::npos)
        return "kilka luk w jednym pytaniu";
    std::vector<TGiftAnswer> answers;
    const std::string why = ReadAnswers(block.substr(open + 1, close - open - 1), answers);
    if (!why.empty())
        return why;

    TReadQuestion read;
    read.Text = PlainText(block.substr(0, open), format);
    // Text after the braces makes the answers fill a gap in the sentence.
    const std::string after = PlainText(block.substr(close + 1), format);
    if (!after.empty())
        read.Text = TrimSpace(read.Text + " _____ " + after);
    for (const TGiftAnswer& answer : answers) {
        if (answer.Weight >= 99.9999)
            read.Correct = static_cast<int>(read.Answers.size());
        read.Answers.push_back(PlainText(answer.Text, format));
    }
    AddReadQuestion(test, read);
    return {};
}

} // namespace

std::string ExportGift(const TTest& test, std::vector<int32_t>& skipped)
{
    const std::string title = OnOneLine(ToUtf8Text(test.Title));
    std::string categoryPath;
    for (const char c : title)
        categoryPath += c == '/' ? std::string("//") : std::string(1, c);
    std::string out = "// " + title + "\n";
    // An empty category line would name no category at all.
    if (!TrimSpace(title).empty())
        out += "$CATEGORY: " + categoryPath + "\n";
    for (size_t i = 0; i < test.Questions.size(); ++i) {
        if (!ExportSkipReason(*test.Questions[i], TExchangeFormat::Gift).empty()) {
            skipped.push_back(static_cast<int32_t>(i + 1));
            continue;
        }
        out += '\n' + ExportQuestion(*test.Questions[i], static_cast<int>(i + 1));
    }
    return out;
}

void ImportGift(const std::string& text, TTest& test, std::vector<std::string>& notes)
{
    // Comment lines go first; blank lines then part the questions.
    std::vector<std::string> blocks(1);
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        size_t lineEnd = text.find_first_of("\r\n", lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = text.size();
        const std::string line = text.substr(lineStart, lineEnd - lineStart);
        const std::string trimmed = TrimSpace(line);
        if (trimmed.empty()) {
            if (!blocks.back().empty())
                blocks.emplace_back();
        } else if (trimmed.compare(0, 2, "//") != 0) {
            blocks.back() += line + '\n';
        }
        lineStart = lineEnd + (text.compare(lineEnd, 2, "\r\n") == 0 ? 2 : 1);
    }

    int number = 0;
    bool anyBraces = false;
    for (std::string& block : blocks) {
        if (TrimSpace(block).compare(0, 10, "$CATEGORY:") == 0) {
            const size_t end = block.find('\n');
            if (test.Title.empty())
                test.Title = FromUtf8Text(LastCategoryName(TrimSpace(block.substr(10, end - 10))));
            block.erase(0, end == std::string::npos ? block.size() : end + 1);
        }
        if (TrimSpace(block).empty())
            continue;
        anyBraces = anyBraces || FindUnescaped(block, "{}") != std::string::npos;
        ++number;
        const std::string why = ReadQuestion(block, test);
        if (!why.empty())
            notes.push_back(SkipNote(number, why));
    }
    if (number > 0 && !anyBraces)
        throw std::runtime_error("Plik nie jest w formacie GIFT: żadne pytanie nie ma odpowiedzi w nawiasach { }.");
}

} // namespace exchange
