// Steps shared by the readers and writers of the exchange formats.
#pragma once

#include "model/Baza.h"

#include <string>
#include <vector>

namespace exchange {

// A model text (Windows-1250, any line ends) as UTF-8 with "\n" line breaks.
std::string ToUtf8Text(const std::string& cp1250);
// A UTF-8 text with any line ends as a model text: Windows-1250, CR LF; a
// control character other than a tab becomes "?".
std::string FromUtf8Text(const std::string& utf8);
// The same text on one line: every line break becomes a space.
std::string OnOneLine(const std::string& utf8);
// Spaces, tabs and line breaks trimmed from both ends.
std::string TrimSpace(const std::string& text);

// A question's name in a file: its first words, at most 60 characters,
// or "Pytanie N" when it has none.
std::string QuestionName(const std::string& utf8Text, int number);

// The scores of a question's answers, and which are its best.
struct TScoring
{
    int32_t Highest = 0;       // the highest score; meaningful when Answers > 0
    int BestCount = 0;         // how many answers score the highest
    int PositiveCount = 0;     // how many answers score above 0
    int BestIndex = -1;        // the first answer scoring the highest
};
TScoring ScoringOf(const TQuestion& question);
// 100 × score ÷ highest, 0 for scores at or below 0, as the shortest
// decimal text of up to five decimals ("100", "50", "33.33333").
std::string Percent(int32_t score, int32_t highest);

// The bytes of a file as UTF-8 text: a byte-order mark is dropped, and a
// file that is no valid UTF-8 is taken as Windows-1250 (older tools write that).
std::string DecodeFileText(const std::string& bytes);

// HTML as plain text: tags dropped, <br> and paragraph ends as line breaks,
// runs of white space as one space, entities decoded.
std::string HtmlToPlain(const std::string& html);
// Decodes the HTML and XML character references of a text (&amp;, &#243;,
// &oacute; …); one it does not know stays as written.
std::string DecodeEntities(const std::string& text);

// One question as read from a file: UTF-8 texts, the answers in order and
// the 0-based index of the correct one.
struct TReadQuestion
{
    std::string Text;
    std::vector<std::string> Answers;
    int Correct = -1;
};
// Appends the question to the test with the defaults of a new question:
// the correct answer scores 1, the others 0, and a question read with fewer
// than three answers gets empty ones up to three.
void AddReadQuestion(TTest& test, const TReadQuestion& read);

// "Pytanie N: why" for the list of questions left out.
std::string SkipNote(int number, const std::string& why);

// The last name of a category path such as "$course$/top/Biologia"; a
// doubled "/" is a slash inside a name.
std::string LastCategoryName(const std::string& path);

// The writers and readers of each format.
std::string ExportMoodleXml(const TTest& test, std::vector<int32_t>& skipped);
std::string ExportGift(const TTest& test, std::vector<int32_t>& skipped);
std::string ExportAiken(const TTest& test, std::vector<int32_t>& skipped);
void ImportMoodleXml(const std::string& text, TTest& test, std::vector<std::string>& notes);
void ImportGift(const std::string& text, TTest& test, std::vector<std::string>& notes);
void ImportAiken(const std::string& text, TTest& test, std::vector<std::string>& notes);

} // namespace exchange
