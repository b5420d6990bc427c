// Random tests written and read back the way a file carries them: every
// field survives, except that a line break or zero byte inside a text turns
// into a space and trailing blanks of a text are lost.
//
// The cases come from a fixed seed so that a failure repeats; set
// TESTARION_ROUNDTRIP_SEED to try other ones.
#include "model/Baza.h"

#include <QtTest>

#include <algorithm>
#include <climits>
#include <random>

namespace {

constexpr int CaseCount = 3000;
constexpr uint32_t DefaultSeed = 20240917;

// The Polish letters in Windows-1250: ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż.
constexpr char PolishLetters[] = "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// What a text reads back as, by the file format's rule: each line break
// (CR LF, a lone CR or a lone LF) and each zero byte becomes one space, then
// the blanks at the end are gone, those at the start stay.
std::string ExpectedAfterReading(const std::string& text)
{
    std::string expected;
    size_t at = 0;
    while (at < text.size()) {
        const bool crLf = text.compare(at, 2, "\r\n") == 0;
        const bool breakOrZero = text[at] == '\r' || text[at] == '\n' || text[at] == '\0';
        expected += breakOrZero ? ' ' : text[at];
        at += crLf ? 2 : 1;
    }
    while (!expected.empty() && IsBlank(expected.back()))
        expected.pop_back();
    return expected;
}

// Which awkward pieces the generated texts held, to show that the cases are
// the hard ones and not plain words only.
struct TCoverage
{
    bool crLf = false;
    bool loneCr = false;
    bool loneLf = false;
    bool zeroByte = false;
    bool controlByte = false;
    bool highByte = false;
    bool bracket = false;
    bool leadingBlank = false;
    bool trailingBlank = false;
    bool onlyBlanks = false;
};

class TRandomTests
{
public:
    explicit TRandomTests(uint32_t seed) : random(seed) {}

    std::unique_ptr<TTest> Next()
    {
        auto test = std::make_unique<TTest>();
        test->Title = Text();
        test->Description = Text();
        test->FontSize = Integer();
        test->Percentage = Below(2) == 1;
        for (int r = Below(5); r > 0; --r) {
            TScoreRange* range = test->AddRange();
            range->LowerBound = Text();
            range->UpperBound = Text();
            range->Description = Text();
        }
        for (int q = Below(31); q > 0; --q) {
            test->Questions.push_back(std::make_unique<TQuestion>());
            TQuestion& question = *test->Questions.back();
            question.Text = Text();
            question.Kind = Text();
            question.FontSize = Integer();
            for (int a = Below(7); a > 0; --a) {
                TAnswer* answer = question.AddAnswer();
                answer->Text = Text();
                answer->Score = Integer();
            }
        }
        test->QuestionCount = static_cast<int32_t>(test->Questions.size());
        return test;
    }

    TCoverage coverage;

private:
    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }

    char AnyOf(const char* bytes, size_t count) { return bytes[Below(static_cast<int>(count))]; }

    int32_t Integer()
    {
        switch (Below(4)) {
        case 0:
            return Below(2) ? INT32_MAX : INT32_MIN;
        case 1:
            return Below(201) - 100;
        default:
            return std::uniform_int_distribution<int32_t>(INT32_MIN, INT32_MAX)(random);
        }
    }

    std::string Text()
    {
        std::string text;
        if (Below(4) == 0) {
            text.append(static_cast<size_t>(Below(3) + 1), Below(2) ? ' ' : '\t');
            coverage.leadingBlank = true;
        }
        for (int pieces = Below(12); pieces > 0; --pieces)
            AppendPiece(text);
        if (Below(6) == 0) {
            text += Below(2) ? "  " : " \t\x01";
            coverage.trailingBlank = true;
        }
        if (!text.empty() && std::all_of(text.begin(), text.end(), IsBlank))
            coverage.onlyBlanks = true;
        return text;
    }

    void AppendPiece(std::string& text)
    {
        switch (Below(12)) {
        case 0:
            text += "\r\n";
            coverage.crLf = true;
            break;
        case 1:
            text += '\r';
            coverage.loneCr = true;
            break;
        case 2:
            text += '\n';
            coverage.loneLf = true;
            break;
        case 3:
            text += '\0';
            coverage.zeroByte = true;
            break;
        case 4:
            text += static_cast<char>(Below(32));
            coverage.controlByte = true;
            break;
        case 5:
            text += static_cast<char>(0x80 + Below(0x80));
            coverage.highByte = true;
            break;
        case 6:
            // A value that looks like a key must still stay a value.
            text += Below(2) ? "[" : (Below(2) ? "]" : "[TEST_KONIEC]");
            coverage.bracket = true;
            break;
        case 7:
            text += AnyOf(PolishLetters, sizeof PolishLetters - 1);
            break;
        case 8:
            text += ' ';
            break;
        default:
            text += static_cast<char>(33 + Below(94));
            break;
        }
    }

    std::mt19937 random;
};

// The file a test is written to, read back into lines as the program reads it.
TLines ThroughFile(const TLines& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return SplitLines(bytes);
}

std::unique_ptr<TTest> ExpectedAfterRoundTrip(const TTest& original)
{
    auto expected = std::make_unique<TTest>();
    expected->Title = ExpectedAfterReading(original.Title);
    expected->Description = ExpectedAfterReading(original.Description);
    expected->FontSize = original.FontSize;
    expected->Percentage = original.Percentage;
    for (const auto& range : original.Ranges) {
        TScoreRange* copy = expected->AddRange();
        copy->LowerBound = ExpectedAfterReading(range->LowerBound);
        copy->UpperBound = ExpectedAfterReading(range->UpperBound);
        copy->Description = ExpectedAfterReading(range->Description);
    }
    for (const auto& question : original.Questions) {
        expected->Questions.push_back(std::make_unique<TQuestion>());
        TQuestion& copy = *expected->Questions.back();
        copy.Text = ExpectedAfterReading(question->Text);
        copy.Kind = ExpectedAfterReading(question->Kind);
        copy.FontSize = question->FontSize;
        for (const auto& answer : question->Answers) {
            TAnswer* answerCopy = copy.AddAnswer();
            answerCopy->Text = ExpectedAfterReading(answer->Text);
            answerCopy->Score = answer->Score;
        }
    }
    expected->QuestionCount = static_cast<int32_t>(expected->Questions.size());
    return expected;
}

QString Shown(const std::string& text)
{
    return '"' + QString::fromLatin1(QByteArray::fromStdString(text).toPercentEncoding(" []")) + '"';
}

QString Shown(int64_t number)
{
    return QString::number(number);
}

// Names the first field that differs, so a failure says where to look. The
// name is put together only then: a case compares thousands of equal fields.
class TDifference
{
public:
    template<typename Value>
    void Check(const char* field, const Value& expected, const Value& actual)
    {
        if (!found.isEmpty() || expected == actual)
            return;
        QString place;
        if (range >= 0)
            place += QString("range %1 ").arg(range);
        if (question >= 0)
            place += QString("question %1 ").arg(question);
        if (answer >= 0)
            place += QString("answer %1 ").arg(answer);
        found = place + field + ": expected " + Shown(expected) + ", read " + Shown(actual);
    }

    // The record whose fields are being compared; -1 for none.
    int range = -1;
    int question = -1;
    int answer = -1;
    QString found;
};

QString FirstDifference(const TTest& expected, const TTest& actual)
{
    TDifference d;
    d.Check("Title", expected.Title, actual.Title);
    d.Check("Description", expected.Description, actual.Description);
    d.Check<int64_t>("FontSize", expected.FontSize, actual.FontSize);
    d.Check<int64_t>("Percentage", expected.Percentage, actual.Percentage);
    d.Check<int64_t>("RangeCount", expected.RangeCount, actual.RangeCount);
    d.Check<int64_t>("ranges held", expected.Ranges.size(), actual.Ranges.size());
    d.Check<int64_t>("QuestionCount", expected.QuestionCount, actual.QuestionCount);
    d.Check<int64_t>("questions held", expected.Questions.size(), actual.Questions.size());
    for (size_t r = 0; r < expected.Ranges.size() && d.found.isEmpty(); ++r) {
        d.range = int(r);
        d.Check("LowerBound", expected.Ranges[r]->LowerBound, actual.Ranges[r]->LowerBound);
        d.Check("UpperBound", expected.Ranges[r]->UpperBound, actual.Ranges[r]->UpperBound);
        d.Check("Description", expected.Ranges[r]->Description, actual.Ranges[r]->Description);
    }
    d.range = -1;
    for (size_t q = 0; q < expected.Questions.size() && d.found.isEmpty(); ++q) {
        const TQuestion& want = *expected.Questions[q];
        const TQuestion& got = *actual.Questions[q];
        d.question = int(q);
        d.answer = -1;
        d.Check("Text", want.Text, got.Text);
        d.Check("Kind", want.Kind, got.Kind);
        d.Check<int64_t>("FontSize", want.FontSize, got.FontSize);
        d.Check<int64_t>("AnswerCount", want.AnswerCount, got.AnswerCount);
        d.Check<int64_t>("answers held", want.Answers.size(), got.Answers.size());
        for (size_t a = 0; a < want.Answers.size() && d.found.isEmpty(); ++a) {
            d.answer = int(a);
            d.Check("Text", want.Answers[a]->Text, got.Answers[a]->Text);
            d.Check<int64_t>("Score", want.Answers[a]->Score, got.Answers[a]->Score);
        }
    }
    return d.found;
}

uint32_t ChosenSeed()
{
    bool valid = false;
    const uint32_t seed = qEnvironmentVariable("TESTARION_ROUNDTRIP_SEED").toUInt(&valid);
    return valid ? seed : DefaultSeed;
}

} // namespace

class TestRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void randomTestsSurviveWritingAndReading();
};

void TestRoundTrip::randomTestsSurviveWritingAndReading()
{
    const uint32_t seed = ChosenSeed();
    qInfo("seed %u (TESTARION_ROUNDTRIP_SEED overrides it)", seed);
    TRandomTests generator(seed);

    for (int index = 0; index < CaseCount; ++index) {
        const std::unique_ptr<TTest> original = generator.Next();
        TLines lines;
        original->SaveToLines(lines);

        TTest reread;
        std::string messages;
        reread.LoadFromLines(ThroughFile(lines), [&messages](const std::string& message) {
            messages += message;
        });

        const QString where = QString("case %1 of seed %2: ").arg(index).arg(seed);
        QVERIFY2(messages.empty(), qPrintable(where + "reading reported " + Shown(messages)));
        const QString difference = FirstDifference(*ExpectedAfterRoundTrip(*original), reread);
        QVERIFY2(difference.isEmpty(), qPrintable(where + difference));
    }

    // Thousands of cases prove little unless they held the awkward pieces.
    const TCoverage& seen = generator.coverage;
    QVERIFY(seen.crLf && seen.loneCr && seen.loneLf && seen.zeroByte);
    QVERIFY(seen.controlByte && seen.highByte && seen.bracket);
    QVERIFY(seen.leadingBlank && seen.trailingBlank && seen.onlyBlanks);
}

QTEST_GUILESS_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
