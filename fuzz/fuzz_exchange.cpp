// Feeds arbitrary bytes to one reader of the platforms' question formats
// (chosen when building: EXCHANGE_FORMAT is MoodleXml, Gift or Aiken) and
// aborts on anything the program could not live with: a question that is
// not a single-choice question of the program's own, or one that does not
// come back the same after being written in that format and read again.
#include "model/Exchange.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr TExchangeFormat kFormat = TExchangeFormat::EXCHANGE_FORMAT;

void Require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "Invariant broken: %s\n", what);
    std::abort();
}

// Model texts break lines with CR LF only and hold no other control byte
// but the tab.
bool WellFormedText(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n')
                return false;
            ++i;
        } else if (c < 0x20 && c != '\t') {
            return false;
        }
    }
    return true;
}

void RequireImportedQuestions(const TTest& test)
{
    Require(test.QuestionCount >= 0 && static_cast<size_t>(test.QuestionCount) == test.Questions.size(),
            "QuestionCount equals the questions held");
    Require(WellFormedText(test.Title), "the title is a well-formed model text");
    for (const auto& question : test.Questions) {
        Require(question != nullptr, "every question exists");
        Require(question->Kind == "Jednokrotnego wyboru" && question->FontSize == 0,
                "an imported question has a new question's defaults");
        Require(question->AnswerCount >= 3 && static_cast<size_t>(question->AnswerCount) == question->Answers.size(),
                "three or more answers, counted");
        Require(WellFormedText(question->Text), "question texts are well-formed model texts");
        int correct = 0;
        for (const auto& answer : question->Answers) {
            Require(answer != nullptr, "every answer exists");
            Require(answer->Score == 0 || answer->Score == 1, "answers score 0 or 1");
            Require(WellFormedText(answer->Text), "answer texts are well-formed model texts");
            correct += answer->Score;
        }
        Require(correct == 1, "exactly one correct answer");
    }
}

// Aiken writes every text on one line, so texts compare with line breaks
// as spaces there.
std::string Comparable(const std::string& text)
{
    if (kFormat != TExchangeFormat::Aiken)
        return text;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line += ' ';
            ++i;
        } else {
            line += text[i];
        }
    }
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TTest test;
    std::vector<std::string> notes;
    try {
        ImportTest(bytes, kFormat, test, notes);
    } catch (const std::runtime_error&) {
        // Not a file of that format: the user is told so.
        return 0;
    }
    RequireImportedQuestions(test);

    std::vector<int32_t> skipped;
    const std::string written = ExportTest(test, kFormat, skipped);
    for (const int32_t number : skipped) {
        Require(number >= 1 && number <= test.QuestionCount, "skipped numbers are question numbers");
        Require(!ExportSkipReason(*test.Questions[size_t(number - 1)], kFormat).empty(),
                "a question is skipped for a reason");
    }
    TTest again;
    std::vector<std::string> notesAgain;
    try {
        ImportTest(written, kFormat, again, notesAgain);
    } catch (const std::runtime_error&) {
        Require(test.QuestionCount == static_cast<int32_t>(skipped.size()),
                "what was written reads again");
    }
    Require(notesAgain.empty(), "nothing written is left out when read again");
    Require(static_cast<size_t>(again.QuestionCount) + skipped.size() == test.Questions.size(),
            "every question written reads again");
    size_t next = 0;
    for (size_t i = 0; i < test.Questions.size(); ++i) {
        if (std::find(skipped.begin(), skipped.end(), static_cast<int32_t>(i + 1)) != skipped.end())
            continue;
        const TQuestion& original = *test.Questions[i];
        const TQuestion& copy = *again.Questions[next++];
        Require(Comparable(copy.Text) == Comparable(original.Text), "question texts survive");
        Require(copy.Answers.size() == original.Answers.size(), "answers survive");
        for (size_t a = 0; a < copy.Answers.size(); ++a) {
            Require(Comparable(copy.Answers[a]->Text) == Comparable(original.Answers[a]->Text),
                    "answer texts survive");
            Require(copy.Answers[a]->Score == original.Answers[a]->Score, "the correct answer survives");
        }
    }
    return 0;
}
