// The tagged-line format of .test files: the line rules, the writer and the
// reader of TTest.
#include "Baza.h"
#include "FastHash.h"

#include <algorithm>
#include <cstring>
#include <memory>
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

bool TryParseIntView(std::string_view rest, int32_t& value)
{
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    if (!rest.empty() && (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X'))
        return TryParseHex(rest.substr(1), value);
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        return TryParseHex(rest.substr(2), value);
    return TryParseDecimal(rest, value);
}

int32_t ReadInteger(std::string_view text)
{
    int32_t value = 0;
    if (!TryParseIntView(text, value))
        throw TReadError("not an integer: " + std::string(text));
    return value;
}

// A declared count must be a valid one, but records are counted as their
// opening lines are read: a huge count costs nothing and a short one loses
// nothing.
int32_t CheckCount(std::string_view text)
{
    const int32_t count = ReadInteger(text);
    if (count < 0)
        throw TReadError("negative count: " + std::string(text));
    return count;
}

// A key as written (trimmed, any case of a to z) against one of the keys.
bool IsKey(std::string_view written, std::string_view key)
{
    if (written.size() != key.size())
        return false;
    // As the program writes them, the keys are upper case.
    if (std::memcmp(written.data(), key.data(), key.size()) == 0)
        return true;
    for (size_t i = 0; i < key.size(); ++i) {
        char c = written[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != key[i])
            return false;
    }
    return true;
}

bool IsAnyKey(std::string_view written)
{
    for (std::string_view key : {KeyTest, KeyTitle, KeyDescription, KeyFontSize, KeyPercentage,
                                 KeyRangeCount, KeyRange, KeyLowerBound, KeyUpperBound,
                                 KeyRangeDescription, KeyRangesEnd, KeyQuestionCount, KeyQuestion,
                                 KeyQuestionText, KeyKind, KeyAnswerCount, KeyAnswer, KeyAnswerText,
                                 KeyScore, KeyAnswersEnd, KeyQuestionsEnd, KeyTestEnd})
        if (IsKey(written, key))
            return true;
    return false;
}

// One tagged line as the reader sees it: the key trimmed but in its own
// case, and the value; both point into the line.
struct TLineView
{
    std::string_view Key;
    std::string_view Value;
    bool Is(std::string_view key) const { return IsKey(Key, key); }
};

TLineView TagOf(std::string_view line)
{
    line = TrimView(line);
    const size_t end = KeyEnd(line);
    if (end == std::string_view::npos)
        return {};
    return {TrimView(line.substr(1, end - 1)), line.substr(end + 1)};
}

// The lines of an already split file.
class TLinesSource
{
public:
    explicit TLinesSource(const TLines& lines) : Lines(lines) {}
    bool AtEnd() const { return size_t(Counter) >= Lines.size(); }
    std::string_view NextLine() { return Lines[size_t(Counter++)]; }
    int32_t Counter = 0;

private:
    const TLines& Lines;
};

// The first byte from `at` on for which `isStop` holds, or `end`; `isStop`
// holds for no byte above CR (13). Eight bytes are looked at a time: the
// lowest byte below 14 in a word is found exactly by the borrow trick, and
// only such bytes (tabs, CR, LF and the other controls) need a closer look,
// so the long lines of question texts go by quickly.
template<typename IsStop>
const char* FindControl(const char* at, const char* end, IsStop isStop)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr uint64_t ones = 0x0101010101010101ull;
    constexpr uint64_t highBits = 0x8080808080808080ull;
    while (end - at >= 8) {
        uint64_t word;
        std::memcpy(&word, at, sizeof word);
        const uint64_t below = (word - ones * 14) & ~word & highBits;
        if (below == 0) {
            at += 8;
            continue;
        }
        at += __builtin_ctzll(below) / 8;
        if (isStop(*at))
            return at;
        ++at;
    }
#endif
    while (at != end && !isStop(*at))
        ++at;
    return at;
}

// The first CR, LF or zero byte from `at` on, or `end`: where a line ends,
// or the text.
const char* FindLineBreak(const char* at, const char* end)
{
    return FindControl(at, end, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

// Where the next line starts after the line break at `at`, which is before
// `end`: CR LF is one line end; LF CR is two.
const char* PastLineBreak(const char* at, const char* end)
{
    if (*at == '\r' && at + 1 != end && at[1] == '\n')
        ++at;
    return at + 1;
}

// The lines of a file's bytes, found as they are read, by the rules of
// SplitLines.
class TBytesSource
{
public:
    explicit TBytesSource(std::string_view bytes) : At(bytes.data()), End(bytes.data() + bytes.size()) {}
    bool AtEnd()
    {
        EndAtZero(At);
        return At == End;
    }
    std::string_view NextLine()
    {
        const char* const start = At;
        const char* const end = FindLineBreak(start, End);
        EndAtZero(end);
        At = end == End ? End : PastLineBreak(end, End);
        ++Counter;
        return {start, size_t(end - start)};
    }
    int32_t Counter = 0;

private:
    // The first zero byte ends the text; it is found with the line breaks.
    void EndAtZero(const char* at)
    {
        if (at != End && *at == '\0')
            End = at;
    }

    const char* At;
    const char* End;
};

// The lines of bytes taken from a TByteSource a piece at a time, by the
// rules of SplitLines. A line stays valid until the next is asked for.
class TStreamSource
{
public:
    static constexpr size_t kPiece = 64 * 1024;
    explicit TStreamSource(TByteSource& source)
        : Source(source), Capacity(16 * kPiece), Buffer(new char[Capacity]), At(Buffer.get()), End(At)
    {}
    bool AtEnd()
    {
        while (At == End && !Finished)
            Refill();
        EndAtZero(At);
        return At == End;
    }
    std::string_view NextLine()
    {
        for (;;) {
            const char* const end = FindLineBreak(At, End);
            EndAtZero(end);
            // A line is complete at its break, but a CR at the end of what
            // is held may yet be the first half of a CR LF.
            const bool complete = end != End && (*end == '\n' || end + 1 != End);
            if (!complete && !Finished) {
                Refill();
                continue;
            }
            const std::string_view line(At, size_t(end - At));
            At = end == End ? End : PastLineBreak(end, End);
            ++Counter;
            return line;
        }
    }
    int32_t Counter = 0;

private:
    // Keeps what is left of the bytes held and appends whole pieces after
    // it; the buffer grows only for a line longer than it.
    void Refill()
    {
        const size_t kept = size_t(End - At);
        if (Capacity - kept < kPiece) {
            Capacity *= 2;
            std::unique_ptr<char[]> larger(new char[Capacity]);
            std::memcpy(larger.get(), At, kept);
            Buffer = std::move(larger);
        } else {
            std::memmove(Buffer.get(), At, kept);
        }
        At = Buffer.get();
        End = At + kept;
        const size_t wanted = (Capacity - kept) / kPiece * kPiece;
        const size_t got = Source.Read(Buffer.get() + kept, wanted);
        End += got;
        Finished = got < wanted;
    }

    // The first zero byte ends the text; it is found with the line breaks.
    void EndAtZero(const char* at)
    {
        if (at != End && *at == '\0') {
            End = at;
            Finished = true;
        }
    }

    TByteSource& Source;
    size_t Capacity;
    std::unique_ptr<char[]> Buffer;
    const char* At;
    const char* End;
    bool Finished = false;
};

template<typename Source>
class TReader
{
public:
    explicit TReader(Source& source) : Lines(source) {}

    TLineView Next()
    {
        if (Lines.AtEnd())
            throw TReadError("unexpected end of the file");
        const TLineView line = TagOf(Lines.NextLine());
        if (!KeyFound)
            KeyFound = IsAnyKey(line.Key);
        return line;
    }

    void ReadTest(TTest& test)
    {
        for (;;) {
            const TLineView line = Next();
            if (line.Is(KeyTitle))
                test.Title = line.Value;
            else if (line.Is(KeyDescription))
                test.Description = line.Value;
            else if (line.Is(KeyFontSize))
                test.FontSize = ReadInteger(line.Value);
            else if (line.Is(KeyPercentage))
                test.Percentage = ParseFlag(std::string(line.Value));
            else if (line.Is(KeyRangeCount))
                ReadRanges(test, line.Value);
            else if (line.Is(KeyQuestionCount))
                ReadQuestions(test, line.Value);
            else if (line.Is(KeyTestEnd))
                return;
        }
    }

    Source& Lines;
    bool KeyFound = false;

private:
    void ReadRanges(TTest& test, std::string_view countText)
    {
        test.Ranges.clear();
        CheckCount(countText);
        TScoreRange* range = nullptr;
        for (;;) {
            const TLineView line = Next();
            if (line.Is(KeyRange))
                range = test.AddRange();
            else if (line.Is(KeyRangesEnd))
                return;
            else if (!range)
                continue; // a field before the first opening line has no record to go to
            else if (line.Is(KeyLowerBound))
                range->LowerBound = line.Value;
            else if (line.Is(KeyUpperBound))
                range->UpperBound = line.Value;
            else if (line.Is(KeyRangeDescription))
                range->Description = line.Value;
        }
    }

    void ReadAnswers(TQuestion& question, std::string_view countText)
    {
        question.Answers.clear();
        // Room for the answers declared, within reason: a count is not
        // trusted with memory.
        question.Answers.reserve(size_t(std::min(CheckCount(countText), 16)));
        TAnswer* answer = nullptr;
        for (;;) {
            const TLineView line = Next();
            if (line.Is(KeyAnswer))
                answer = question.AddAnswer();
            else if (line.Is(KeyAnswersEnd))
                return;
            else if (!answer)
                continue;
            else if (line.Is(KeyAnswerText))
                answer->Text = line.Value;
            else if (line.Is(KeyScore))
                answer->Score = ReadInteger(line.Value);
        }
    }

    void ReadQuestions(TTest& test, std::string_view countText)
    {
        test.Questions.clear();
        CheckCount(countText);
        TQuestion* question = nullptr;
        for (;;) {
            const TLineView line = Next();
            if (line.Is(KeyQuestion)) {
                test.Questions.push_back(std::make_unique<TQuestion>());
                question = test.Questions.back().get();
            } else if (line.Is(KeyQuestionsEnd)) {
                return;
            } else if (!question) {
                continue;
            } else if (line.Is(KeyQuestionText)) {
                question->Text = line.Value;
            } else if (line.Is(KeyKind)) {
                question->Kind = line.Value;
            } else if (line.Is(KeyFontSize)) {
                question->FontSize = ReadInteger(line.Value);
            } else if (line.Is(KeyAnswerCount)) {
                ReadAnswers(*question, line.Value);
            }
        }
    }
};

// Whatever the file declared and wherever reading stopped, the counts must
// describe the records held: the pages and the writer rely on it.
void MatchCountsToRecords(TTest& test)
{
    test.RangeCount = static_cast<int32_t>(test.Ranges.size());
    test.QuestionCount = static_cast<int32_t>(test.Questions.size());
    for (const auto& question : test.Questions)
        question->AnswerCount = static_cast<int32_t>(question->Answers.size());
}

template<typename Source>
TReadOutcome Load(TTest& test, Source& source,
                  const std::function<void(const std::string& message)>& showMessage)
{
    TReader<Source> reader(source);
    TReadOutcome outcome;
    try {
        reader.ReadTest(test);
    } catch (const TReadError&) {
        outcome.Failed = true;
    }
    outcome.StoppedAtLine = source.Counter;
    outcome.KeyFound = reader.KeyFound;
    MatchCountsToRecords(test);
    if (outcome.Failed)
        showMessage("B\xB3\xB9" "d w linii " + std::to_string(source.Counter)); // "Błąd w linii "
    return outcome;
}

// A value must stay on its line: a line break would cut it in two on
// reading, and a zero byte would end the whole file. Each becomes a space,
// and CR LF one space.
bool IsBreakInValue(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

// Hands `put` the value in runs between its breaks, and a space for each.
template<typename Put>
void PutOnOneLine(std::string_view value, Put put)
{
    const char* at = value.data();
    const char* const end = at + value.size();
    for (;;) {
        const char* const stop = FindControl(at, end, IsBreakInValue);
        put(at, size_t(stop - at));
        if (stop == end)
            return;
        put(" ", 1);
        at = stop + 1;
        if (*stop == '\r' && at != end && *at == '\n')
            ++at;
    }
}

void AppendOnOneLine(std::string& line, std::string_view value)
{
    PutOnOneLine(value, [&line](const char* run, size_t size) { line.append(run, size); });
}

void AppendTaggedLine(std::string& line, size_t indent, std::string_view key, std::string_view value)
{
    line.append(indent, ' ');
    line += '[';
    line.append(key.data(), key.size());
    line += ']';
    AppendOnOneLine(line, value);
}

// Collects the lines in a vector, for SaveToLines.
class TLinesOut
{
public:
    explicit TLinesOut(TLines& lines) : Lines(lines) {}
    void Line(size_t indent, std::string_view key, std::string_view value = {})
    {
        std::string line;
        line.reserve(indent + key.size() + 2 + value.size());
        AppendTaggedLine(line, indent, key, value);
        Lines.push_back(std::move(line));
    }

private:
    TLines& Lines;
};

// Gathers the lines with their CR LF in a buffer handed to a sink in
// pieces of exactly 64 KiB, the last one shorter, for SaveToSink. The
// bytes are copied into the buffer once, in runs between the line breaks
// of a value.
class TSinkOut
{
public:
    static constexpr size_t kPiece = 64 * 1024;
    explicit TSinkOut(TByteSink& sink) : Sink(sink), Buffer(new char[kPiece]) {}
    void Line(size_t indent, std::string_view key, std::string_view value = {})
    {
        // Indent and key are short: they go together.
        char head[64];
        if (indent + key.size() + 2 <= sizeof head) {
            std::memset(head, ' ', indent);
            head[indent] = '[';
            std::memcpy(head + indent + 1, key.data(), key.size());
            head[indent + 1 + key.size()] = ']';
            Put(head, indent + key.size() + 2);
        } else {
            for (size_t i = 0; i < indent; ++i)
                Put(" ", 1);
            Put("[", 1);
            Put(key.data(), key.size());
            Put("]", 1);
        }
        PutOnOneLine(value, [this](const char* run, size_t size) { Put(run, size); });
        Put("\r\n", 2);
    }
    void Flush()
    {
        if (Used > 0)
            Sink.Write({Buffer.get(), Used});
        Used = 0;
    }

private:
    void Put(const char* bytes, size_t size)
    {
        while (size > 0) {
            const size_t taken = std::min(size, kPiece - Used);
            std::memcpy(Buffer.get() + Used, bytes, taken);
            Used += taken;
            bytes += taken;
            size -= taken;
            if (Used == kPiece)
                Flush();
        }
    }
    TByteSink& Sink;
    std::unique_ptr<char[]> Buffer;
    size_t Used = 0;
};

// Hashes the values of the lines as the reader takes them, without the
// blanks at their ends, for ContentHash. The keys need no hashing: the
// counts, which are hashed, fix which line holds which value. A value is
// taken as it is held, before a line break in it becomes a space: two tests
// that differ only there hash apart although they read back the same, which
// costs no more than a write that was not needed.
class THashOut
{
public:
    void Line(size_t, std::string_view, std::string_view value = {})
    {
        size_t end = value.size();
        while (end > 0 && static_cast<unsigned char>(value[end - 1]) <= 32)
            --end;
        Hash.Add(value.substr(0, end));
    }
    uint64_t Result() const { return Hash.Result(); }

private:
    TFieldHash Hash;
};

// How many records to write: never more than are held, whatever the count says.
size_t RecordsToWrite(int32_t count, size_t held)
{
    return std::min(static_cast<size_t>(std::max<int32_t>(count, 0)), held);
}

// A number as text without a heap allocation.
class TNumber
{
public:
    explicit TNumber(int64_t value)
    {
        uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
        char* at = Text + sizeof Text;
        do {
            *--at = char('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0)
            *--at = '-';
        Begin = at;
    }
    operator std::string_view() const { return {Begin, size_t(Text + sizeof Text - Begin)}; }

private:
    char Text[24];
    const char* Begin;
};

template<typename Out>
void WriteTest(const TTest& test, Out& out)
{
    const size_t rangesWritten = RecordsToWrite(test.RangeCount, test.Ranges.size());
    const size_t questionsWritten = RecordsToWrite(test.QuestionCount, test.Questions.size());

    out.Line(0, KeyTest);
    out.Line(0, KeyTitle, test.Title);
    out.Line(0, KeyDescription, test.Description);
    out.Line(0, KeyFontSize, TNumber(test.FontSize));
    out.Line(0, KeyPercentage, test.Percentage ? "TAK" : "NIE");
    // The counts written are those of the blocks that follow, so that the
    // file never declares records it does not hold.
    out.Line(0, KeyRangeCount, TNumber(int64_t(rangesWritten)));
    for (size_t r = 0; r < rangesWritten; ++r) {
        const TScoreRange& range = *test.Ranges[r];
        out.Line(2, KeyRange);
        out.Line(4, KeyLowerBound, range.LowerBound);
        out.Line(4, KeyUpperBound, range.UpperBound);
        out.Line(4, KeyRangeDescription, range.Description);
    }
    out.Line(0, KeyRangesEnd);

    out.Line(0, KeyQuestionCount, TNumber(int64_t(questionsWritten)));
    for (size_t q = 0; q < questionsWritten; ++q) {
        const TQuestion& question = *test.Questions[q];
        const size_t answersWritten = RecordsToWrite(question.AnswerCount, question.Answers.size());
        out.Line(2, KeyQuestion);
        out.Line(4, KeyQuestionText, question.Text);
        out.Line(4, KeyKind, question.Kind);
        out.Line(4, KeyFontSize, TNumber(question.FontSize));
        out.Line(4, KeyAnswerCount, TNumber(int64_t(answersWritten)));
        for (size_t a = 0; a < answersWritten; ++a) {
            const TAnswer& answer = *question.Answers[a];
            out.Line(6, KeyAnswer);
            out.Line(8, KeyAnswerText, answer.Text);
            out.Line(8, KeyScore, TNumber(answer.Score));
        }
        out.Line(4, KeyAnswersEnd);
    }
    out.Line(2, KeyQuestionsEnd);
    out.Line(0, KeyTestEnd);
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
    const TLineView line = TagOf(lines[static_cast<size_t>(counter)]);
    ++counter;
    return {UpperCaseAscii(line.Key), std::string(line.Value)};
}

bool ParseFlag(const std::string& text)
{
    const std::string upper = UpperCaseAscii(text);
    const std::string_view word = TrimView(upper);
    return !word.empty() && FlagWords.find(word) != std::string_view::npos;
}

bool TryParseInt(const std::string& text, int32_t& value)
{
    return TryParseIntView(text, value);
}

void TTest::SaveToLines(TLines& lines) const
{
    lines.clear();
    // Ten fixed lines, four per range, six per question and, as a rule, three
    // answers of three lines each.
    lines.reserve(10 + 4 * Ranges.size() + (6 + 3 * 3) * Questions.size());
    TLinesOut out(lines);
    WriteTest(*this, out);
}

void TTest::SaveToSink(TByteSink& sink) const
{
    TSinkOut out(sink);
    WriteTest(*this, out);
    out.Flush();
}

uint64_t TTest::ContentHash() const
{
    THashOut out;
    WriteTest(*this, out);
    return out.Result();
}

void TTest::LoadFromLines(const TLines& lines,
                          const std::function<void(const std::string& message)>& showMessage)
{
    TLinesSource source(lines);
    Load(*this, source, showMessage);
}

TReadOutcome TTest::LoadFromBytes(std::string_view bytes,
                                  const std::function<void(const std::string& message)>& showMessage)
{
    TBytesSource source(bytes);
    return Load(*this, source, showMessage);
}

TReadOutcome TTest::LoadFromSource(TByteSource& bytes,
                                   const std::function<void(const std::string& message)>& showMessage)
{
    TStreamSource source(bytes);
    return Load(*this, source, showMessage);
}
