// Feeds arbitrary file bytes through the reader the way the program reads a
// .test file, and aborts on anything the rest of the program could not live
// with: counts that do not match the records held, a missing record, a test
// that does not survive being written and read back unchanged, or a fast
// reader that reads another test than the line reader.
#include "model/Baza.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "Invariant broken: %s\n", what);
    std::abort();
}

// The pages index records up to the counts, so every count must be exact.
void RequireCountsMatchRecords(const TTest& test)
{
    Require(test.RangeCount >= 0 && static_cast<size_t>(test.RangeCount) == test.Ranges.size(),
            "RangeCount equals the ranges held");
    Require(test.QuestionCount >= 0 && static_cast<size_t>(test.QuestionCount) == test.Questions.size(),
            "QuestionCount equals the questions held");
    for (const auto& range : test.Ranges)
        Require(range != nullptr, "every range exists");
    for (const auto& question : test.Questions) {
        Require(question != nullptr, "every question exists");
        Require(question->AnswerCount >= 0
                    && static_cast<size_t>(question->AnswerCount) == question->Answers.size(),
                "AnswerCount equals the answers held");
        for (const auto& answer : question->Answers)
            Require(answer != nullptr, "every answer exists");
    }
}

bool SameRange(const TScoreRange& a, const TScoreRange& b)
{
    return a.LowerBound == b.LowerBound && a.UpperBound == b.UpperBound
           && a.Description == b.Description;
}

bool SameAnswer(const TAnswer& a, const TAnswer& b)
{
    return a.Text == b.Text && a.Score == b.Score;
}

bool SameQuestion(const TQuestion& a, const TQuestion& b)
{
    if (a.Text != b.Text || a.Kind != b.Kind || a.FontSize != b.FontSize
        || a.AnswerCount != b.AnswerCount || a.Answers.size() != b.Answers.size())
        return false;
    for (size_t i = 0; i < a.Answers.size(); ++i)
        if (!SameAnswer(*a.Answers[i], *b.Answers[i]))
            return false;
    return true;
}

bool SameTest(const TTest& a, const TTest& b)
{
    if (a.Title != b.Title || a.Description != b.Description || a.FontSize != b.FontSize
        || a.Percentage != b.Percentage || a.RangeCount != b.RangeCount
        || a.Ranges.size() != b.Ranges.size() || a.QuestionCount != b.QuestionCount
        || a.Questions.size() != b.Questions.size())
        return false;
    for (size_t i = 0; i < a.Ranges.size(); ++i)
        if (!SameRange(*a.Ranges[i], *b.Ranges[i]))
            return false;
    for (size_t i = 0; i < a.Questions.size(); ++i)
        if (!SameQuestion(*a.Questions[i], *b.Questions[i]))
            return false;
    return true;
}

// The bytes SaveLinesToFile would write.
std::string JoinWithCrLf(const TLines& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The only message the reader may show is "Błąd w linii N", N at most the
// number of lines.
void RequireLineError(const std::string& message, size_t lineCount)
{
    const std::string prefix = "B\xB3\xB9" "d w linii ";
    Require(message.compare(0, prefix.size(), prefix) == 0, "the message is the reading error");
    const std::string number = message.substr(prefix.size());
    Require(!number.empty() && number.find_first_not_of("0123456789") == std::string::npos,
            "the reading error names a line number");
    Require(number.size() <= 10 && std::stoull(number) <= lineCount,
            "the reading error names a line of the file");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TLines lines = SplitLines(std::string(reinterpret_cast<const char*>(data), size));

    TTest first;
    int messageCount = 0;
    first.LoadFromLines(lines, [&](const std::string& message) {
        ++messageCount;
        RequireLineError(message, lines.size());
    });
    Require(messageCount <= 1, "at most one message per reading");
    RequireCountsMatchRecords(first);

    TLines written;
    first.SaveToLines(written);
    Require(SplitLines(JoinWithCrLf(written)) == written, "every written value stays on its line");

    TTest second;
    second.LoadFromLines(written, [](const std::string&) {
        Require(false, "what the writer wrote reads without an error");
    });
    RequireCountsMatchRecords(second);
    Require(SameTest(first, second), "the second reading gives the same test");

    TLines rewritten;
    second.SaveToLines(rewritten);
    Require(rewritten == written, "writing the second reading gives the same lines");

    TTest fast;
    fast.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size), [](const std::string&) {});
    Require(SameTest(fast, first), "the fast reader reads the same test");
    return 0;
}
