// Moodle XML: <quiz> with a category named after the test and one
// single-answer multiple-choice <question> per question.
#include "model/Exchange.h"
#include "model/ExchangeText.h"
#include "model/XmlReader.h"

#include <cstdlib>

namespace exchange {

namespace {

// Text as XML character data or attribute value. Control characters other
// than tab and line feed cannot stand in XML 1.0 at all, not even as
// references, so they are written as "?".
std::string EscapeXml(const std::string& utf8)
{
    std::string escaped;
    escaped.reserve(utf8.size() + utf8.size() / 8);
    for (const char c : utf8) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
                escaped += '?';
            else
                escaped += c;
        }
    }
    return escaped;
}

void AppendText(std::string& out, const std::string& indent, const std::string& utf8)
{
    out += indent + "<text>" + EscapeXml(utf8) + "</text>\n";
}

void AppendQuestion(std::string& out, const TQuestion& question, int number)
{
    const std::string text = ToUtf8Text(question.Text);
    out += "  <question type=\"multichoice\">\n    <name>\n";
    AppendText(out, "      ", QuestionName(text, number));
    out += "    </name>\n    <questiontext format=\"plain_text\">\n";
    AppendText(out, "      ", text);
    out += "    </questiontext>\n"
           "    <defaultgrade>1</defaultgrade>\n"
           "    <single>true</single>\n"
           "    <shuffleanswers>0</shuffleanswers>\n"
           "    <answernumbering>ABCD</answernumbering>\n";
    const int32_t highest = ScoringOf(question).Highest;
    for (const auto& answer : question.Answers) {
        out += "    <answer fraction=\"" + Percent(answer->Score, highest) + "\" format=\"plain_text\">\n";
        AppendText(out, "      ", ToUtf8Text(answer->Text));
        out += "    </answer>\n";
    }
    out += "  </question>\n";
}

// The text of a <questiontext>, <answer> or <name> as plain text, by the
// markup its "format" attribute names.
std::string PlainText(const TXmlElement* element)
{
    if (!element)
        return {};
    const TXmlElement* text = element->Child("text");
    const std::string raw = text ? text->Text : std::string();
    const std::string format = element->Attribute("format", "html");
    if (format == "html")
        return HtmlToPlain(raw);
    // The platform's own automatic format keeps line breaks and allows tags.
    if (format == "moodle_auto_format") {
        std::string withBreaks;
        for (const char c : raw)
            withBreaks += c == '\n' ? std::string("<br>") : std::string(1, c);
        return HtmlToPlain(withBreaks);
    }
    return TrimSpace(raw);
}

std::string KindName(const std::string& type)
{
    static const std::pair<const char*, const char*> kKinds[] = {
        {"truefalse", "pytanie prawda/fałsz"},
        {"shortanswer", "pytanie z krótką odpowiedzią"},
        {"essay", "pytanie otwarte (esej)"},
        {"matching", "pytanie na dopasowanie"},
        {"numerical", "pytanie numeryczne"},
        {"description", "opis bez odpowiedzi"},
        {"cloze", "pytanie z lukami"},
        {"calculated", "pytanie obliczeniowe"},
    };
    for (const auto& kind : kKinds) {
        if (type == kind.first)
            return kind.second;
    }
    return "pytanie typu „" + type + "”";
}

bool IsFalse(const std::string& text)
{
    const std::string value = TrimSpace(text);
    return value == "false" || value == "0";
}

// Why a multiple-choice question cannot be taken, or empty after adding it.
std::string ReadMultichoice(const TXmlElement& question, TTest& test)
{
    const TXmlElement* single = question.Child("single");
    if (single && IsFalse(single->Text))
        return "pytanie z kilkoma poprawnymi odpowiedziami";
    TReadQuestion read;
    read.Text = PlainText(question.Child("questiontext"));
    double highest = 0;
    int best = 0;
    for (const auto& child : question.Children) {
        if (child->Name != "answer")
            continue;
        const double fraction = std::strtod(child->Attribute("fraction", "0").c_str(), nullptr);
        if (fraction > highest + 1e-9) {
            highest = fraction;
            best = 1;
            read.Correct = static_cast<int>(read.Answers.size());
        } else if (fraction > 0 && fraction > highest - 1e-9) {
            ++best;
        }
        read.Answers.push_back(PlainText(child.get()));
    }
    if (read.Answers.size() < 2)
        return "mniej niż dwie odpowiedzi";
    if (best == 0)
        return "brak poprawnej odpowiedzi";
    if (best > 1)
        return "pytanie z kilkoma poprawnymi odpowiedziami";
    AddReadQuestion(test, read);
    return {};
}

} // namespace

std::string ExportMoodleXml(const TTest& test, std::vector<int32_t>& skipped)
{
    std::string category;
    for (const char c : OnOneLine(ToUtf8Text(test.Title)))
        category += c == '/' ? std::string("//") : std::string(1, c);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n"
                      "  <question type=\"category\">\n    <category>\n";
    AppendText(out, "      ", "$course$/top/" + category);
    out += "    </category>\n  </question>\n";
    for (size_t i = 0; i < test.Questions.size(); ++i) {
        if (!ExportSkipReason(*test.Questions[i], TExchangeFormat::MoodleXml).empty()) {
            skipped.push_back(static_cast<int32_t>(i + 1));
            continue;
        }
        AppendQuestion(out, *test.Questions[i], static_cast<int>(i + 1));
    }
    return out + "</quiz>\n";
}

void ImportMoodleXml(const std::string& text, TTest& test, std::vector<std::string>& notes)
{
    const std::unique_ptr<TXmlElement> quiz = ReadXml(text);
    if (quiz->Name != "quiz")
        throw std::runtime_error("Plik nie jest w formacie Moodle XML: brak elementu <quiz>.");
    int number = 0;
    for (const auto& question : quiz->Children) {
        if (question->Name != "question")
            continue;
        const std::string type = question->Attribute("type");
        if (type == "category") {
            const TXmlElement* category = question->Child("category");
            const TXmlElement* name = category ? category->Child("text") : nullptr;
            if (name && test.Title.empty())
                test.Title = FromUtf8Text(LastCategoryName(name->Text));
            continue;
        }
        ++number;
        const std::string why = type == "multichoice" ? ReadMultichoice(*question, test) : KindName(type);
        if (!why.empty())
            notes.push_back(SkipNote(number, why));
    }
}

} // namespace exchange
