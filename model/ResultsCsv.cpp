#include "model/ResultsCsv.h"

#include <initializer_list>

namespace {

const char kSeparator = ';';
const char* const kLineEnd = "\r\n";

// A field with a separator, a quote or a line break in it is quoted, quotes
// doubled. A typed text starting like a formula would be run as one by a
// spreadsheet; the apostrophe in front makes it plain text.
std::string Field(const std::string& text, bool typed)
{
    std::string value = text;
    if (typed && !value.empty() && std::string("=+-@\t\r").find(value[0]) != std::string::npos)
        value.insert(value.begin(), '\'');
    if (value.find_first_of(";\"\r\n") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string Line(std::initializer_list<std::string> fields)
{
    std::string line;
    bool first = true;
    for (const std::string& field : fields) {
        if (!first)
            line += kSeparator;
        line += field;
        first = false;
    }
    return line + kLineEnd;
}

} // namespace

std::string ResultsFileName(const std::string& testName)
{
    return testName + " \xE2\x80\x93 wyniki.csv";
}

std::string ResultsCsvHeader()
{
    return "\xEF\xBB\xBF"
         + Line({"Data i godzina", "Imi\xC4\x99 i nazwisko", "Klasa", "Punkty", "Maksimum",
                 "Procent", "Ocena", "Odpowiedzi"});
}

std::string ResultsCsvLine(const TResultRecord& record)
{
    return Line({Field(record.Time, false), Field(record.Name, true),
                 Field(record.ClassName, true), std::to_string(record.Points),
                 std::to_string(record.Maximum), std::to_string(record.Percent),
                 Field(record.Verdict, true), Field(record.Choices, false)});
}

std::string ChoiceLetters(const TChoices& choices)
{
    std::string letters;
    for (size_t i = 0; i < choices.size(); ++i) {
        if (i > 0)
            letters += ',';
        letters += choices[i] < 0 ? std::string("-") : AnswerLetter(choices[i]);
    }
    return letters;
}
