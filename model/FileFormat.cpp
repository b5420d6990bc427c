// The tagged-line format of .test files: the line rules, the writer and the
// reader of TTest.
#include "Baza.h"

#include <algorithm>
#include <string_view>

namespace {

// The keys as Windows-1250 bytes, the code page of the files.
constexpr std::string_view KeyTest = "TEST";
constexpr std::string_view KeyTitle = "TYTU\xA3";
constexpr std::string_view KeyDescription = "OPIS";
constexpr std::string_view KeyFontSize = "ROZMIAR_CZCIONKI";
constexpr std::string_view KeyPercentage = "PROCENTOWO";
constexpr std::string_view KeyRangeCount = "ILE_ZAKRES\xD3W";
constexpr std::string_view KeyRange = "ZAKRES";
constexpr std::string_view KeyLowerBound = "ZAKRES_OD";
constexpr std::string_view KeyUpperBound = "ZAKRES_DO";
constexpr std::string_view KeyRangeDescription = "OPIS_ZAKRESU";
constexpr std::string_view KeyRangesEnd = "ZAKRESY_KONIEC";
constexpr std::string_view KeyQuestionCount = "ILE_PYTA\xD1";
constexpr std::string_view KeyQuestion = "PYTANIE";
constexpr std::string_view KeyQuestionText = "TRE\x8C\xC6_PYTANIA";
constexpr std::string_view KeyKind = "RODZAJ_PYTANIA";
constexpr std::string_view KeyAnswerCount = "ILE_ODPOWIEDZI";
constexpr std::string_view KeyAnswer = "ODPOWIED\x8F";
constexpr std::string_view KeyAnswerText = "TRE\x8C\xC6_ODPOWIEDZI";
constexpr std::string_view KeyScore = "PUNKTACJA_ODPOWIEDZI";
constexpr std::string_view KeyAnswersEnd = "ODPOWIEDZI_KONIEC";
constexpr std::string_view KeyQuestionsEnd = "PYTANIA_KONIEC";
constexpr std::string_view KeyTestEnd = "TEST_KONIEC";

// Every word that reads as "yes"; a flag is true when it occurs anywhere in
// here, so even a lone letter or comma counts.
constexpr std::string_view FlagWords =
    "TAK,YES,ON,WLACZONY,W\xA3\xA5""CZONY,PRAWDA,TRUE,POKAZ,POKA\xAF,POKAZUJ,GRAJ,"
    "ODTW\xD3RZ,ODTWARZAJ,+";

std::string_view TrimView(std::string_view text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Only a to z: Polish letters keep their case, so "tytuł" is no key.
std::string UpperCaseAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

// The position of the "]" that closes the key, or npos for a line without a
// key. A line that begins with "[" is never blank, so no trimming is needed
// to tell.
size_t KeyEnd(std::string_view line)
{
    if (line.empty() || line.front() != '[')
        return std::string_view::npos;
    return line.find(']');
}

std::string_view RawKey(std::string_view line)
{
    const size_t end = KeyEnd(line);
    return end == std::string_view::npos ? std::string_view() : line.substr(1, end - 1);
}

std::string_view RawValue(std::string_view line)
{
    const size_t end = KeyEnd(line);
    return end == std::string_view::npos ? std::string_view() : line.substr(end + 1);
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Up to 32 bits, taken as a two's-complement value: FFFFFFFF is -1.
bool TryParseHex(std::string_view digits, int32_t& value)
{
    if (digits.empty())
        return false;
    uint32_t bits = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0 || bits > 0x0FFFFFFFu)
            return false;
        bits = bits * 16 + static_cast<uint32_t>(digit);
    }
    value = static_cast<int32_t>(static_cast<int64_t>(bits) - (bits > 0x7FFFFFFFu ? 0x100000000LL : 0));
    return true;
}

bool TryParseDecimal(std::string_view text, int32_t& value)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty())
        return false;
    // Stops growing once past the largest magnitude, however many digits follow.
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return false;
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

int32_t ReadInteger(const std::string& text)
{
    int32_t value = 0;
    if (!TryParseInt(text, value))
        throw TReadError("not an integer: " + text);
    return value;
}

// A declared count must be a valid one, but records are counted as their
// opening lines are read: a huge count costs nothing and a short one loses
// nothing.
void CheckCount(const std::string& text)
{
    if (ReadInteger(text) < 0)
        throw TReadError("negative count: " + text);
}

// A value must stay on its line: a line break would cut it in two on
// reading, and a zero byte would end the whole file.
void AppendOnOneLine(std::string& line, std::string_view value)
{
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
            ++i;
        line += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
    }
}

void AddLine(TLines& lines, size_t indent, std::string_view key, std::string_view value = {})
{
    std::string line;
    line.reserve(indent + key.size() + 2 + value.size());
    line.append(indent, ' ');
    line += '[';
    line += key;
    line += ']';
    AppendOnOneLine(line, value);
    lines.push_back(std::move(line));
}

// How many records to write: never more than are held, whatever the count says.
size_t RecordsToWrite(int32_t count, size_t held)
{
    return std::min(static_cast<size_t>(std::max<int32_t>(count, 0)), held);
}

void ReadRanges(TTest& test, const std::string& countText, const TLines& lines, int32_t& counter)
{
    test.Ranges.clear();
    CheckCount(countText);
    TScoreRange* range = nullptr;
    for (;;) {
        TTaggedLine line = ReadTaggedLine(lines, counter);
        if (line.Key == KeyRange)
            range = test.AddRange();
        else if (line.Key == KeyRangesEnd)
            return;
        else if (!range)
            continue; // a field before the first opening line has no record to go to
        else if (line.Key == KeyLowerBound)
            range->LowerBound = std::move(line.Value);
        else if (line.Key == KeyUpperBound)
            range->UpperBound = std::move(line.Value);
        else if (line.Key == KeyRangeDescription)
            range->Description = std::move(line.Value);
    }
}

void ReadAnswers(TQuestion& question, const std::string& countText, const TLines& lines,
                 int32_t& counter)
{
    question.Answers.clear();
    CheckCount(countText);
    TAnswer* answer = nullptr;
    for (;;) {
        TTaggedLine line = ReadTaggedLine(lines, counter);
        if (line.Key == KeyAnswer)
            answer = question.AddAnswer();
        else if (line.Key == KeyAnswersEnd)
            return;
        else if (!answer)
            continue;
        else if (line.Key == KeyAnswerText)
            answer->Text = std::move(line.Value);
        else if (line.Key == KeyScore)
            answer->Score = ReadInteger(line.Value);
    }
}

void ReadQuestions(TTest& test, const std::string& countText, const TLines& lines, int32_t& counter)
{
    test.Questions.clear();
    CheckCount(countText);
    TQuestion* question = nullptr;
    for (;;) {
        TTaggedLine line = ReadTaggedLine(lines, counter);
        if (line.Key == KeyQuestion) {
            test.Questions.push_back(std::make_unique<TQuestion>());
            question = test.Questions.back().get();
        } else if (line.Key == KeyQuestionsEnd) {
            return;
        } else if (!question) {
            continue;
        } else if (line.Key == KeyQuestionText) {
            question->Text = std::move(line.Value);
        } else if (line.Key == KeyKind) {
            question->Kind = std::move(line.Value);
        } else if (line.Key == KeyFontSize) {
            question->FontSize = ReadInteger(line.Value);
        } else if (line.Key == KeyAnswerCount) {
            ReadAnswers(*question, line.Value, lines, counter);
        }
    }
}

void ReadTest(TTest& test, const TLines& lines, int32_t& counter)
{
    for (;;) {
        TTaggedLine line = ReadTaggedLine(lines, counter);
        if (line.Key == KeyTitle)
            test.Title = std::move(line.Value);
        else if (line.Key == KeyDescription)
            test.Description = std::move(line.Value);
        else if (line.Key == KeyFontSize)
            test.FontSize = ReadInteger(line.Value);
        else if (line.Key == KeyPercentage)
            test.Percentage = ParseFlag(line.Value);
        else if (line.Key == KeyRangeCount)
            ReadRanges(test, line.Value, lines, counter);
        else if (line.Key == KeyQuestionCount)
            ReadQuestions(test, line.Value, lines, counter);
        else if (line.Key == KeyTestEnd)
            return;
    }
}

// Whatever the file declared and wherever reading stopped, the counts must
// describe the records held: the pages and the writer rely on it.
void MatchCountsToRecords(TTest& test)
{
    test.RangeCount = static_cast<int32_t>(test.Ranges.size());
    test.QuestionCount = static_cast<int32_t>(test.Questions.size());
    for (const auto& question : test.Questions)
        question->AnswerCount = static_cast<int32_t>(question->Answers.size());
}

} // namespace

std::string Trim(const std::string& text)
{
    return std::string(TrimView(text));
}

std::string ExtractKey(const std::string& line)
{
    return UpperCaseAscii(RawKey(line));
}

std::string ExtractValue(const std::string& line)
{
    return std::string(RawValue(line));
}

TTaggedLine ReadTaggedLine(const TLines& lines, int32_t& counter)
{
    if (counter < 0 || static_cast<size_t>(counter) >= lines.size())
        throw TReadError("unexpected end of the file");
    const std::string_view line = TrimView(lines[static_cast<size_t>(counter)]);
    ++counter;
    // Upper-casing leaves blanks alone, so the key may be trimmed first.
    return {UpperCaseAscii(TrimView(RawKey(line))), std::string(RawValue(line))};
}

bool ParseFlag(const std::string& text)
{
    const std::string upper = UpperCaseAscii(text);
    const std::string_view word = TrimView(upper);
    return !word.empty() && FlagWords.find(word) != std::string_view::npos;
}

bool TryParseInt(const std::string& text, int32_t& value)
{
    std::string_view rest(text);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    if (!rest.empty() && (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X'))
        return TryParseHex(rest.substr(1), value);
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        return TryParseHex(rest.substr(2), value);
    return TryParseDecimal(rest, value);
}

void TTest::SaveToLines(TLines& lines) const
{
    const size_t rangesWritten = RecordsToWrite(RangeCount, Ranges.size());
    const size_t questionsWritten = RecordsToWrite(QuestionCount, Questions.size());
    lines.clear();
    // Ten fixed lines, four per range, six per question and, as a rule, three
    // answers of three lines each.
    lines.reserve(10 + 4 * rangesWritten + (6 + 3 * 3) * questionsWritten);

    AddLine(lines, 0, KeyTest);
    AddLine(lines, 0, KeyTitle, Title);
    AddLine(lines, 0, KeyDescription, Description);
    AddLine(lines, 0, KeyFontSize, std::to_string(FontSize));
    AddLine(lines, 0, KeyPercentage, Percentage ? "TAK" : "NIE");
    // The counts written are those of the blocks that follow, so that the
    // file never declares records it does not hold.
    AddLine(lines, 0, KeyRangeCount, std::to_string(rangesWritten));
    for (size_t r = 0; r < rangesWritten; ++r) {
        const TScoreRange& range = *Ranges[r];
        AddLine(lines, 2, KeyRange);
        AddLine(lines, 4, KeyLowerBound, range.LowerBound);
        AddLine(lines, 4, KeyUpperBound, range.UpperBound);
        AddLine(lines, 4, KeyRangeDescription, range.Description);
    }
    AddLine(lines, 0, KeyRangesEnd);

    AddLine(lines, 0, KeyQuestionCount, std::to_string(questionsWritten));
    for (size_t q = 0; q < questionsWritten; ++q) {
        const TQuestion& question = *Questions[q];
        const size_t answersWritten = RecordsToWrite(question.AnswerCount, question.Answers.size());
        AddLine(lines, 2, KeyQuestion);
        AddLine(lines, 4, KeyQuestionText, question.Text);
        AddLine(lines, 4, KeyKind, question.Kind);
        AddLine(lines, 4, KeyFontSize, std::to_string(question.FontSize));
        AddLine(lines, 4, KeyAnswerCount, std::to_string(answersWritten));
        for (size_t a = 0; a < answersWritten; ++a) {
            const TAnswer& answer = *question.Answers[a];
            AddLine(lines, 6, KeyAnswer);
            AddLine(lines, 8, KeyAnswerText, answer.Text);
            AddLine(lines, 8, KeyScore, std::to_string(answer.Score));
        }
        AddLine(lines, 4, KeyAnswersEnd);
    }
    AddLine(lines, 2, KeyQuestionsEnd);
    AddLine(lines, 0, KeyTestEnd);
}

void TTest::LoadFromLines(const TLines& lines,
                          const std::function<void(const std::string& message)>& showMessage)
{
    int32_t counter = 0;
    bool failed = false;
    try {
        ReadTest(*this, lines, counter);
    } catch (const TReadError&) {
        failed = true;
    }
    MatchCountsToRecords(*this);
    if (failed)
        showMessage("B\xB3\xB9" "d w linii " + std::to_string(counter)); // "Błąd w linii "
}
