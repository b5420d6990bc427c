// The test model and the .test file format: model operations, the writer,
// the reader's line, flag and integer rules, its error reports, and the
// whole-file reading and writing.
#include "FileBytes.h"
#include "Fixtures.h"

#include "model/Baza.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace QTest {
template<>
inline char* toString(const std::string& text)
{
    return toString(QByteArray::fromStdString(text));
}
} // namespace QTest

namespace {

// A byte literal with every byte kept, zero bytes included.
template<size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// What the reader shows when it stops at a line: "Błąd w linii N".
QByteArrayList LineError(int line)
{
    return {"B\xB3\xB9" "d w linii " + QByteArray::number(line)};
}

void FillDefaultTest(TTest& test)
{
    test.Title = "Tytu\xB3 testu";
    test.FontSize = 14;
    test.Percentage = true;
    const char* const bounds[][3] = {{"0", "59", "Test niezaliczony"},
                                     {"60", "100", "Test zaliczony"}};
    for (const auto& bound : bounds) {
        TScoreRange* range = test.AddRange();
        range->LowerBound = bound[0];
        range->UpperBound = bound[1];
        range->Description = bound[2];
    }
    test.AddQuestion();
}

QByteArrayList ToList(const TLines& lines)
{
    QByteArrayList list;
    for (const std::string& line : lines)
        list.append(QByteArray::fromStdString(line));
    return list;
}

// Loads lines the way the program does and returns the messages shown.
QByteArrayList LoadLines(TTest& test, const TLines& lines)
{
    QByteArrayList messages;
    test.LoadFromLines(lines, [&messages](const std::string& message) {
        messages.append(QByteArray::fromStdString(message));
    });
    return messages;
}

QByteArrayList LoadBytes(TTest& test, const QByteArray& bytes)
{
    return LoadLines(test, SplitLines(bytes.toStdString()));
}

QByteArrayList SavedLines(const TTest& test)
{
    TLines lines;
    test.SaveToLines(lines);
    return ToList(lines);
}

// Lets no file written by this process grow past a few bytes while it lives,
// so that a write fails even for root.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        // Past the limit the kernel sends SIGXFSZ, which would end the process.
        savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
    }
    bool active = false;

private:
    rlimit saved {};
    void (*savedHandler)(int) = nullptr;
};

} // namespace

class TestBaza : public QObject
{
    Q_OBJECT

private slots:
    void addQuestionAppendsNumberedDefaultQuestion();
    void deleteQuestion_data();
    void deleteQuestion();
    void getQuestionAndAnswerStayWithinBounds();
    void copyFromCopiesEveryFieldAndAnswer();

    void writerGivesDefaultTestByteForByte();
    void roundTripGivesEqualTest();
    void writerKeepsValueOnOneLine_data();
    void writerKeepsValueOnOneLine();
    void writerStopsAtRecordsHeld();

    void trim_data();
    void trim();
    void extractKeyAndValue_data();
    void extractKeyAndValue();
    void readTaggedLineTrimsAndAdvances();
    void readerKeys_data();
    void readerKeys();
    void readerIgnoresLayout();
    void parseFlag_data();
    void parseFlag();
    void tryParseInt_data();
    void tryParseInt();

    void readErrors_data();
    void readErrors();
    void hugeDeclaredCountsAllocateNothing();
    void recordsBeyondDeclaredCountAreKept();
    void fieldLinesWithoutOpenRecordAreSkipped();
    void newCountBlockStartsAfresh();
    void countsMatchRecordsAfterError();

    void splitLines_data();
    void splitLines();
    void loadLinesReadsWholeFile();
    void loadLinesFailsOnUnreadablePath();
    void saveLinesWritesCrLfAndReplaces();
    void saveLinesKeepsPermissions();
    void saveIntoMissingFolderFails();
    void failedRenameLeavesNoTemporaryFile();
    void failedWriteLeavesPreviousFileIntact();
};

void TestBaza::addQuestionAppendsNumberedDefaultQuestion()
{
    TTest test;
    for (int i = 0; i < 4; ++i)
        test.AddQuestion()->Text = "inne";

    TQuestion* question = test.AddQuestion();

    QCOMPARE(test.QuestionCount, 5);
    QCOMPARE(test.Questions.size(), size_t(5));
    QCOMPARE(test.GetQuestion(4), question);
    QCOMPARE(question->Text, std::string("Pytanie nr 5"));
    QCOMPARE(question->Kind, std::string("Jednokrotnego wyboru"));
    QCOMPARE(question->FontSize, 0);
    QCOMPARE(question->AnswerCount, 3);
    QCOMPARE(question->Answers.size(), size_t(3));
    const char* const texts[] = {"Odpowied\x9F A", "Odpowied\x9F B", "Odpowied\x9F C"};
    const int32_t scores[] = {1, 0, 0};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(question->GetAnswer(i)->Text, std::string(texts[i]));
        QCOMPARE(question->GetAnswer(i)->Score, scores[i]);
    }
}

void TestBaza::deleteQuestion_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("remaining");

    QTest::newRow("middle") << 1 << QList<int>{0, 2, 3, 4};
    QTest::newRow("first") << 0 << QList<int>{1, 2, 3, 4};
    QTest::newRow("last") << 4 << QList<int>{0, 1, 2, 3};
    QTest::newRow("equal to count") << 5 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("negative") << -1 << QList<int>{0, 1, 2, 3, 4};
}

void TestBaza::deleteQuestion()
{
    QFETCH(int, index);
    QFETCH(QList<int>, remaining);
    TTest test;
    std::vector<TQuestion*> before;
    for (int i = 0; i < 5; ++i)
        before.push_back(test.AddQuestion());

    test.DeleteQuestion(index);

    QCOMPARE(test.QuestionCount, int(remaining.size()));
    QCOMPARE(test.Questions.size(), size_t(remaining.size()));
    // The questions left keep their order and their addresses.
    for (int i = 0; i < remaining.size(); ++i)
        QCOMPARE(test.GetQuestion(i), before[size_t(remaining[i])]);
}

void TestBaza::getQuestionAndAnswerStayWithinBounds()
{
    TTest test;
    QCOMPARE(test.GetQuestion(0), nullptr);
    test.AddQuestion();
    test.AddQuestion();
    QVERIFY(test.GetQuestion(0));
    QCOMPARE(test.GetQuestion(1)->Text, std::string("Pytanie nr 2"));
    QCOMPARE(test.GetQuestion(2), nullptr);
    QCOMPARE(test.GetQuestion(-1), nullptr);

    TQuestion* question = test.GetQuestion(0);
    QCOMPARE(question->GetAnswer(2), question->Answers[2].get());
    QCOMPARE(question->GetAnswer(3), nullptr);
    QCOMPARE(question->GetAnswer(-1), nullptr);

    TAnswer* added = question->AddAnswer();
    QCOMPARE(question->AnswerCount, 4);
    QCOMPARE(question->GetAnswer(3), added);
    QCOMPARE(added->Score, 0);

    const TScoreRange* range = test.AddRange();
    QCOMPARE(test.RangeCount, 1);
    QCOMPARE(test.Ranges.front().get(), range);
}

void TestBaza::copyFromCopiesEveryFieldAndAnswer()
{
    TQuestion source;
    source.Text = "Tre\x9C\xE6";
    source.Kind = "Wielokrotnego";
    source.FontSize = 11;
    for (int i = 0; i < 4; ++i) {
        TAnswer* answer = source.AddAnswer();
        answer->Text = std::string(1, char('a' + i));
        answer->Score = i;
    }
    TQuestion copy;
    copy.AddAnswer()->Text = "old";

    copy.CopyFrom(source);
    source.Answers[0]->Text = "changed later";

    QCOMPARE(copy.Text, std::string("Tre\x9C\xE6"));
    QCOMPARE(copy.Kind, std::string("Wielokrotnego"));
    QCOMPARE(copy.FontSize, 11);
    QCOMPARE(copy.AnswerCount, 4);
    QCOMPARE(copy.Answers.size(), size_t(4));
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(copy.GetAnswer(i)->Text, std::string(1, char('a' + i)));
        QCOMPARE(copy.GetAnswer(i)->Score, i);
    }

    copy.CopyFrom(copy);
    QCOMPARE(copy.Answers.size(), size_t(4));
    QCOMPARE(copy.GetAnswer(3)->Text, std::string("d"));
}

void TestBaza::writerGivesDefaultTestByteForByte()
{
    TTest test;
    FillDefaultTest(test);
    TLines lines;
    lines.push_back("left over");
    test.SaveToLines(lines);
    QCOMPARE(lines.size(), size_t(33));

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath("Nowy test.test");
    SaveLinesToFile(path.toStdString(), lines);

    QCOMPARE(ReadFileBytes(path), DefaultTestFile);
}

void TestBaza::roundTripGivesEqualTest()
{
    TTest original;
    original.Title = "  Zestaw \xA3\xF3" "d\x9F  \t";
    original.Description = "Opis [z] nawiasami]";
    original.FontSize = -3;
    original.Percentage = false;
    for (int i = 0; i < 3; ++i) {
        TScoreRange* range = original.AddRange();
        range->LowerBound = std::to_string(i * 30);
        range->UpperBound = "";
        range->Description = "Ocena " + std::to_string(i);
    }
    for (int i = 0; i < 4; ++i) {
        TQuestion* question = original.AddQuestion();
        question->FontSize = 2147483647 - i;
        question->GetAnswer(1)->Score = -2147483647 - 1;
    }
    original.Questions[2]->Answers.clear();
    original.Questions[2]->AnswerCount = 0;
    original.Questions[3]->AddAnswer()->Text = "[TEST_KONIEC]";

    TLines lines;
    original.SaveToLines(lines);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string path = folder.filePath("a.test").toStdString();
    SaveLinesToFile(path, lines);

    TTest reread;
    QVERIFY(LoadLines(reread, LoadLinesFromFile(path)).isEmpty());

    // Trailing blanks of a value are lost, leading ones stay.
    QCOMPARE(reread.Title, std::string("  Zestaw \xA3\xF3" "d\x9F"));
    reread.Title = original.Title;
    QCOMPARE(SavedLines(reread), ToList(lines));
}

void TestBaza::writerKeepsValueOnOneLine_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("CR LF") << Bytes("a\r\nb") << Bytes("a b");
    QTest::newRow("lone CR") << Bytes("a\rb") << Bytes("a b");
    QTest::newRow("lone LF") << Bytes("a\nb") << Bytes("a b");
    QTest::newRow("LF CR") << Bytes("a\n\rb") << Bytes("a  b");
    QTest::newRow("CR CR LF") << Bytes("a\r\r\nb") << Bytes("a  b");
    QTest::newRow("zero byte") << Bytes("a\0b") << Bytes("a b");
    QTest::newRow("break at the end") << Bytes("a\r\n") << Bytes("a ");
}

void TestBaza::writerKeepsValueOnOneLine()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, written);
    TTest test;
    FillDefaultTest(test);
    test.Description = value.toStdString();
    test.Questions[0]->Text = value.toStdString();
    test.Questions[0]->Answers[2]->Text = value.toStdString();

    TLines lines;
    test.SaveToLines(lines);

    QCOMPARE(lines.size(), size_t(33));
    QCOMPARE(QByteArray::fromStdString(lines[2]), "[OPIS]" + written);
    QCOMPARE(QByteArray::fromStdString(lines[17]), "    [TRE\x8C\xC6_PYTANIA]" + written);
    QCOMPARE(QByteArray::fromStdString(lines[28]), "        [TRE\x8C\xC6_ODPOWIEDZI]" + written);
}

void TestBaza::writerStopsAtRecordsHeld()
{
    TTest test;
    FillDefaultTest(test);
    test.RangeCount = 7;
    test.QuestionCount = 1000;
    test.Questions[0]->AnswerCount = 2147483647;
    TTest consistent;
    FillDefaultTest(consistent);

    QCOMPARE(SavedLines(test), SavedLines(consistent));

    test.RangeCount = 1;
    test.Questions[0]->AnswerCount = -1;
    const QByteArrayList fewer = SavedLines(test);
    QCOMPARE(fewer.size(), 33 - 4 - 9);
    QCOMPARE(fewer[5], QByteArray("[ILE_ZAKRES\xD3W]1"));
    QCOMPARE(fewer[16], QByteArray("    [ILE_ODPOWIEDZI]0"));
}

void TestBaza::trim_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("trimmed");

    QTest::newRow("empty") << Bytes("") << Bytes("");
    QTest::newRow("only blanks") << Bytes(" \t\r\n\x01\x1F ") << Bytes("");
    QTest::newRow("control bytes both ends") << Bytes("\x01 \ta b\x1F\r\n") << Bytes("a b");
    QTest::newRow("inner blanks stay") << Bytes("a \t b") << Bytes("a \t b");
    QTest::newRow("code 33 stays") << Bytes("!x!") << Bytes("!x!");
    QTest::newRow("Polish letters stay") << Bytes("\xB9z\xB9") << Bytes("\xB9z\xB9");
    QTest::newRow("high bytes stay") << Bytes("\xA0x\xFF") << Bytes("\xA0x\xFF");
    QTest::newRow("DEL stays") << Bytes("\x7F") << Bytes("\x7F");
}

void TestBaza::trim()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, trimmed);
    QCOMPARE(Trim(text.toStdString()), trimmed.toStdString());
}

void TestBaza::extractKeyAndValue_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("plain") << Bytes("[OPIS]x") << Bytes("OPIS") << Bytes("x");
    QTest::newRow("ASCII upper-cased") << Bytes("[oPis]x") << Bytes("OPIS") << Bytes("x");
    QTest::newRow("Polish letter keeps case")
        << Bytes("[tytu\xB3]x") << Bytes("TYTU\xB3") << Bytes("x");
    QTest::newRow("blanks inside kept") << Bytes("[ opis ]  x ") << Bytes(" OPIS ") << Bytes("  x ");
    QTest::newRow("value after first bracket") << Bytes("[a]b]c") << Bytes("A") << Bytes("b]c");
    QTest::newRow("empty key") << Bytes("[]x") << Bytes("") << Bytes("x");
    QTest::newRow("empty value") << Bytes("[TEST]") << Bytes("TEST") << Bytes("");
    QTest::newRow("no closing bracket") << Bytes("[OPIS x") << Bytes("") << Bytes("");
    QTest::newRow("indented line") << Bytes("  [OPIS]x") << Bytes("") << Bytes("");
    QTest::newRow("untagged") << Bytes("OPIS]x") << Bytes("") << Bytes("");
    QTest::newRow("empty line") << Bytes("") << Bytes("") << Bytes("");
}

void TestBaza::extractKeyAndValue()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QCOMPARE(ExtractKey(line.toStdString()), key.toStdString());
    QCOMPARE(ExtractValue(line.toStdString()), value.toStdString());
}

void TestBaza::readTaggedLineTrimsAndAdvances()
{
    const TLines lines = {"\t  [ opis ]  x \r", "no key"};
    int32_t counter = 0;

    const TTaggedLine first = ReadTaggedLine(lines, counter);
    QCOMPARE(first.Key, std::string("OPIS"));
    QCOMPARE(first.Value, std::string("  x"));
    QCOMPARE(counter, 1);

    const TTaggedLine second = ReadTaggedLine(lines, counter);
    QCOMPARE(second.Key, std::string());
    QCOMPARE(second.Value, std::string());
    QCOMPARE(counter, 2);

    QVERIFY_THROWS_EXCEPTION(TReadError, ReadTaggedLine(lines, counter));
    QCOMPARE(counter, 2);
}

void TestBaza::readerKeys_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("description");

    QTest::newRow("title") << Bytes("[TYTU\xA3]x") << Bytes("x") << Bytes("");
    QTest::newRow("lower-case ASCII key") << Bytes("[opis]x") << Bytes("") << Bytes("x");
    QTest::newRow("lower-case Polish key") << Bytes("[tytu\xB3]x") << Bytes("") << Bytes("");
    QTest::newRow("mixed case Polish key") << Bytes("[Tytu\xA3]x") << Bytes("x") << Bytes("");
    QTest::newRow("blanks inside brackets") << Bytes("[ OPIS ]x") << Bytes("") << Bytes("x");
    QTest::newRow("indented") << Bytes("\t  [OPIS]x") << Bytes("") << Bytes("x");
    QTest::newRow("leading blanks of value kept") << Bytes("[OPIS]  x") << Bytes("") << Bytes("  x");
    QTest::newRow("trailing blanks of value lost") << Bytes("[OPIS]x \t ") << Bytes("") << Bytes("x");
    QTest::newRow("value holds a bracket") << Bytes("[OPIS]a]b") << Bytes("") << Bytes("a]b");
    QTest::newRow("untagged") << Bytes("OPIS x") << Bytes("") << Bytes("");
    QTest::newRow("key not at start") << Bytes("x[OPIS]y") << Bytes("") << Bytes("");
    QTest::newRow("no closing bracket") << Bytes("[OPIS x") << Bytes("") << Bytes("");
    QTest::newRow("unknown key") << Bytes("[OPISY]x") << Bytes("") << Bytes("");
    QTest::newRow("UTF-8 key") << Bytes("[TYTU\xC5\x81]x") << Bytes("") << Bytes("");
}

void TestBaza::readerKeys()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, description);
    TTest test;

    const auto messages = LoadBytes(test, line + "\r\n[TEST_KONIEC]\r\n");

    QVERIFY(messages.isEmpty());
    QCOMPARE(test.Title, title.toStdString());
    QCOMPARE(test.Description, description.toStdString());
}

void TestBaza::readerIgnoresLayout()
{
    // Every line indented differently, with a blank and an untagged line
    // after it; the lines end in LF, CR LF and CR by turns.
    const QByteArrayList lines = DefaultTestFile.split('\n');
    const char* const ends[] = {"\n", "\r\n", "\r"};
    QByteArray reshaped;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        reshaped += QByteArray(i % 5, i % 2 ? ' ' : '\t') + lines[i].chopped(1) + ends[i % 3];
        reshaped += QByteArray(" \t ") + ends[(i + 1) % 3];
        reshaped += QByteArray("komentarz ") + ends[(i + 2) % 3];
    }
    TTest expected;
    FillDefaultTest(expected);
    TTest test;

    QVERIFY(LoadBytes(test, reshaped).isEmpty());
    QCOMPARE(SavedLines(test), SavedLines(expected));
}

void TestBaza::parseFlag_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("flag");

    QTest::newRow("TAK") << Bytes("TAK") << true;
    QTest::newRow("tak") << Bytes("tak") << true;
    QTest::newRow("Yes with blanks") << Bytes("\t Yes ") << true;
    QTest::newRow("ON") << Bytes("ON") << true;
    QTest::newRow("WLACZONY with Polish letters") << Bytes("W\xA3\xA5" "CZONY") << true;
    QTest::newRow("odtworz with a lower-case Polish letter") << Bytes("odtw\xF3rz") << false;
    QTest::newRow("ODTWORZ with Polish letter") << Bytes("ODTW\xD3RZ") << true;
    QTest::newRow("lone letter") << Bytes("a") << true;
    QTest::newRow("lone comma") << Bytes(",") << true;
    QTest::newRow("plus") << Bytes("+") << true;
    QTest::newRow("two words") << Bytes("tak,yes") << true;
    QTest::newRow("nie") << Bytes("nie") << false;
    QTest::newRow("NIE") << Bytes("NIE") << false;
    QTest::newRow("zero") << Bytes("0") << false;
    QTest::newRow("one") << Bytes("1") << false;
    QTest::newRow("TAKK") << Bytes("TAKK") << false;
    QTest::newRow("empty") << Bytes("") << false;
    QTest::newRow("blanks only") << Bytes(" \t ") << false;
}

void TestBaza::parseFlag()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, flag);
    QCOMPARE(ParseFlag(text.toStdString()), flag);

    TTest test;
    test.Percentage = !flag;
    QVERIFY(LoadBytes(test, "[PROCENTOWO]" + text + "\r\n[TEST_KONIEC]").isEmpty());
    QCOMPARE(test.Percentage, flag);
}

void TestBaza::tryParseInt_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("digits") << Bytes("5") << true << 5;
    QTest::newRow("leading space") << Bytes(" 5") << true << 5;
    QTest::newRow("leading spaces") << Bytes("   12") << true << 12;
    QTest::newRow("leading tab") << Bytes("\t5") << false << 0;
    QTest::newRow("trailing space") << Bytes("5 ") << false << 0;
    QTest::newRow("empty") << Bytes("") << false << 0;
    QTest::newRow("spaces only") << Bytes("  ") << false << 0;
    QTest::newRow("plus") << Bytes("+7") << true << 7;
    QTest::newRow("minus") << Bytes("-7") << true << -7;
    QTest::newRow("minus zero") << Bytes("-0") << true << 0;
    QTest::newRow("leading zeros") << Bytes("0007") << true << 7;
    QTest::newRow("largest") << Bytes("2147483647") << true << 2147483647;
    QTest::newRow("smallest") << Bytes("-2147483648") << true << (-2147483647 - 1);
    QTest::newRow("above largest") << Bytes("2147483648") << false << 0;
    QTest::newRow("below smallest") << Bytes("-2147483649") << false << 0;
    QTest::newRow("very long") << Bytes("99999999999999999999999") << false << 0;
    QTest::newRow("sign only") << Bytes("-") << false << 0;
    QTest::newRow("two signs") << Bytes("+-5") << false << 0;
    QTest::newRow("space after sign") << Bytes("- 5") << false << 0;
    QTest::newRow("letter after digits") << Bytes("12a") << false << 0;
    QTest::newRow("exponent") << Bytes("1e3") << false << 0;
    QTest::newRow("dollar hex") << Bytes("$10") << true << 16;
    QTest::newRow("space before hex") << Bytes(" $10") << true << 16;
    QTest::newRow("all bits") << Bytes("$FFFFFFFF") << true << -1;
    QTest::newRow("sign bit") << Bytes("$80000000") << true << (-2147483647 - 1);
    QTest::newRow("lower-case hex") << Bytes("$7fffffff") << true << 2147483647;
    QTest::newRow("hex leading zeros") << Bytes("$0000000010") << true << 16;
    QTest::newRow("more than 32 bits") << Bytes("$100000000") << false << 0;
    QTest::newRow("0x") << Bytes("0x1F") << true << 31;
    QTest::newRow("0X") << Bytes("0X1f") << true << 31;
    QTest::newRow("x") << Bytes("x1f") << true << 31;
    QTest::newRow("X") << Bytes("X1f") << true << 31;
    QTest::newRow("minus before hex") << Bytes("-$1") << false << 0;
    QTest::newRow("plus before hex") << Bytes("+0x1") << false << 0;
    QTest::newRow("prefix only") << Bytes("$") << false << 0;
    QTest::newRow("0x only") << Bytes("0x") << false << 0;
    QTest::newRow("space after prefix") << Bytes("$ 1") << false << 0;
    QTest::newRow("not a hex digit") << Bytes("$1G") << false << 0;
    QTest::newRow("zero") << Bytes("0") << true << 0;
}

void TestBaza::tryParseInt()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    int32_t parsed = 12345;
    QCOMPARE(TryParseInt(text.toStdString(), parsed), valid);
    if (valid)
        QCOMPARE(parsed, value);
}

void TestBaza::readErrors_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("ranges");
    QTest::addColumn<int>("questions");

    QTest::newRow("empty file") << Bytes("") << 0 << 0 << 0;
    QTest::newRow("blank lines only") << Bytes("\r\n\r\n") << 2 << 0 << 0;
    QTest::newRow("ends after the questions")
        << DefaultTestFile.chopped(int(strlen("[TEST_KONIEC]\r\n"))) << 32 << 2 << 1;
    QTest::newRow("question count not a number")
        << Bytes("[TEST]\r\n[ILE_PYTA\xD1]dwa\r\n  [PYTANIE]\r\n  [PYTANIA_KONIEC]\r\n[TEST_KONIEC]\r\n")
        << 2 << 0 << 0;
    QTest::newRow("tab before a count")
        << Bytes("[ILE_ZAKRES\xD3W]\t2\r\n[ZAKRESY_KONIEC]\r\n[TEST_KONIEC]\r\n") << 1 << 0 << 0;
    QTest::newRow("unclosed ranges")
        << Bytes("[TEST]\r\n[ILE_ZAKRES\xD3W]1\r\n  [ZAKRES]\r\n[TEST_KONIEC]\r\n") << 4 << 1 << 0;
    QTest::newRow("score not a number")
        << Bytes("[ILE_PYTA\xD1]1\r\n[PYTANIE]\r\n[ILE_ODPOWIEDZI]1\r\n[ODPOWIED\x8F]\r\n"
                 "[PUNKTACJA_ODPOWIEDZI]1.5\r\n[ODPOWIEDZI_KONIEC]\r\n")
        << 5 << 0 << 1;
    QTest::newRow("negative range count")
        << Bytes("[ILE_ZAKRES\xD3W]-1\r\n[ZAKRES]\r\n[ZAKRESY_KONIEC]\r\n[TEST_KONIEC]\r\n") << 1 << 0 << 0;
    QTest::newRow("negative question count")
        << Bytes("[TEST]\r\n[ILE_PYTA\xD1]-2\r\n[PYTANIE]\r\n[PYTANIA_KONIEC]\r\n[TEST_KONIEC]\r\n")
        << 2 << 0 << 0;
    QTest::newRow("negative answer count")
        << Bytes("[ILE_PYTA\xD1]1\r\n[PYTANIE]\r\n[ILE_ODPOWIEDZI]$FFFFFFFF\r\n[ODPOWIED\x8F]\r\n")
        << 3 << 0 << 1;
}

void TestBaza::readErrors()
{
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(int, ranges);
    QFETCH(int, questions);
    TTest test;

    const auto messages = LoadBytes(test, file);

    QCOMPARE(messages, LineError(line));
    QCOMPARE(test.RangeCount, ranges);
    QCOMPARE(test.Ranges.size(), size_t(ranges));
    QCOMPARE(test.QuestionCount, questions);
    QCOMPARE(test.Questions.size(), size_t(questions));
    for (const auto& question : test.Questions)
        QCOMPARE(size_t(question->AnswerCount), question->Answers.size());
}

void TestBaza::hugeDeclaredCountsAllocateNothing()
{
    const QByteArray file =
        "[ILE_ZAKRES\xD3W]2147483647\r\n[ZAKRES]\r\n[ZAKRESY_KONIEC]\r\n"
        "[ILE_PYTA\xD1]$7FFFFFFF\r\n"
        "[PYTANIE]\r\n[ILE_ODPOWIEDZI]2147483647\r\n[ODPOWIED\x8F]\r\n[ODPOWIEDZI_KONIEC]\r\n"
        "[PYTANIE]\r\n"
        "[PYTANIA_KONIEC]\r\n[TEST_KONIEC]\r\n";
    TTest test;

    QVERIFY(LoadBytes(test, file).isEmpty());

    QCOMPARE(test.RangeCount, 1);
    QCOMPARE(test.Ranges.size(), size_t(1));
    QCOMPARE(test.QuestionCount, 2);
    QCOMPARE(test.Questions.size(), size_t(2));
    QCOMPARE(test.Questions[0]->AnswerCount, 1);
    QCOMPARE(test.Questions[0]->Answers.size(), size_t(1));
    QCOMPARE(test.Questions[1]->AnswerCount, 0);
}

void TestBaza::recordsBeyondDeclaredCountAreKept()
{
    const QByteArray file =
        "[ILE_ZAKRES\xD3W]0\r\n[ZAKRES]\r\n[ZAKRES_OD]1\r\n[ZAKRES]\r\n[ZAKRES_OD]2\r\n"
        "[ZAKRESY_KONIEC]\r\n"
        "[ILE_PYTA\xD1] 1\r\n"
        "[PYTANIE]\r\n[TRE\x8C\xC6_PYTANIA]p1\r\n[ROZMIAR_CZCIONKI]$10\r\n"
        "[ILE_ODPOWIEDZI]1\r\n"
        "[ODPOWIED\x8F]\r\n[TRE\x8C\xC6_ODPOWIEDZI]a1\r\n"
        "[ODPOWIED\x8F]\r\n[TRE\x8C\xC6_ODPOWIEDZI]a2\r\n[PUNKTACJA_ODPOWIEDZI]1\r\n"
        "[ODPOWIEDZI_KONIEC]\r\n"
        "[PYTANIE]\r\n[TRE\x8C\xC6_PYTANIA]p2\r\n"
        "[PYTANIA_KONIEC]\r\n[TEST_KONIEC]\r\n";
    TTest test;

    QVERIFY(LoadBytes(test, file).isEmpty());

    QCOMPARE(test.RangeCount, 2);
    QCOMPARE(test.Ranges[1]->LowerBound, std::string("2"));
    QCOMPARE(test.QuestionCount, 2);
    QCOMPARE(test.Questions[1]->Text, std::string("p2"));
    const TQuestion& first = *test.Questions[0];
    QCOMPARE(first.FontSize, 16);
    QCOMPARE(first.AnswerCount, 2);
    QCOMPARE(first.Answers[1]->Text, std::string("a2"));
    QCOMPARE(first.Answers[1]->Score, 1);
}

void TestBaza::fieldLinesWithoutOpenRecordAreSkipped()
{
    const QByteArray file =
        "[ILE_ZAKRES\xD3W]1\r\n[ZAKRES_OD]lost\r\n[ZAKRES]\r\n[ZAKRES_DO]kept\r\n[ZAKRESY_KONIEC]\r\n"
        "[ILE_PYTA\xD1]1\r\n"
        "[TRE\x8C\xC6_PYTANIA]lost\r\n[ROZMIAR_CZCIONKI]not a number\r\n"
        "[ILE_ODPOWIEDZI]not a number\r\n"
        "[PYTANIE]\r\n[TRE\x8C\xC6_PYTANIA]kept\r\n"
        "[ILE_ODPOWIEDZI]1\r\n"
        "[TRE\x8C\xC6_ODPOWIEDZI]lost\r\n[PUNKTACJA_ODPOWIEDZI]not a number\r\n"
        "[ODPOWIED\x8F]\r\n[TRE\x8C\xC6_ODPOWIEDZI]kept\r\n"
        "[ODPOWIEDZI_KONIEC]\r\n"
        "[PYTANIA_KONIEC]\r\n[TEST_KONIEC]\r\n";
    TTest test;

    QVERIFY(LoadBytes(test, file).isEmpty());

    QCOMPARE(test.RangeCount, 1);
    QCOMPARE(test.Ranges[0]->LowerBound, std::string());
    QCOMPARE(test.Ranges[0]->UpperBound, std::string("kept"));
    QCOMPARE(test.QuestionCount, 1);
    QCOMPARE(test.Questions[0]->Text, std::string("kept"));
    QCOMPARE(test.Questions[0]->FontSize, 0);
    QCOMPARE(test.Questions[0]->AnswerCount, 1);
    QCOMPARE(test.Questions[0]->Answers[0]->Text, std::string("kept"));
}

void TestBaza::newCountBlockStartsAfresh()
{
    const QByteArray file =
        "[ILE_PYTA\xD1]2\r\n[PYTANIE]\r\n[TRE\x8C\xC6_PYTANIA]old\r\n[PYTANIE]\r\n[PYTANIA_KONIEC]\r\n"
        "[ILE_PYTA\xD1]1\r\n[PYTANIE]\r\n[TRE\x8C\xC6_PYTANIA]new\r\n"
        "[ILE_ODPOWIEDZI]1\r\n[ODPOWIED\x8F]\r\n[ODPOWIEDZI_KONIEC]\r\n"
        "[ILE_ODPOWIEDZI]0\r\n[ODPOWIEDZI_KONIEC]\r\n"
        "[PYTANIA_KONIEC]\r\n"
        "[ILE_ZAKRES\xD3W]1\r\n[ZAKRES]\r\n[ZAKRESY_KONIEC]\r\n"
        "[ILE_ZAKRES\xD3W]0\r\n[ZAKRESY_KONIEC]\r\n"
        "[TEST_KONIEC]\r\n";
    TTest test;

    QVERIFY(LoadBytes(test, file).isEmpty());

    QCOMPARE(test.QuestionCount, 1);
    QCOMPARE(test.Questions[0]->Text, std::string("new"));
    QCOMPARE(test.Questions[0]->AnswerCount, 0);
    QCOMPARE(test.Questions[0]->Answers.size(), size_t(0));
    QCOMPARE(test.RangeCount, 0);
    QCOMPARE(test.Ranges.size(), size_t(0));
}

void TestBaza::countsMatchRecordsAfterError()
{
    // Five questions declared, the file breaks off inside the answers of the
    // second one.
    const QByteArray file =
        "[TYTU\xA3]kept\r\n"
        "[ILE_PYTA\xD1]5\r\n"
        "[PYTANIE]\r\n[ILE_ODPOWIEDZI]3\r\n[ODPOWIED\x8F]\r\n[ODPOWIEDZI_KONIEC]\r\n"
        "[PYTANIE]\r\n[ILE_ODPOWIEDZI]3\r\n[ODPOWIED\x8F]\r\n[ODPOWIED\x8F]\r\n";
    TTest test;

    QCOMPARE(LoadBytes(test, file), LineError(10));

    QCOMPARE(test.Title, std::string("kept"));
    QCOMPARE(test.QuestionCount, 2);
    QCOMPARE(test.Questions[0]->AnswerCount, 1);
    QCOMPARE(test.Questions[1]->AnswerCount, 2);
    QCOMPARE(test.Questions[1]->Answers.size(), size_t(2));
}

void TestBaza::splitLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("lines");

    QTest::newRow("CR LF") << Bytes("a\r\nb\r\n") << QByteArrayList{"a", "b"};
    QTest::newRow("LF") << Bytes("a\nb\n") << QByteArrayList{"a", "b"};
    QTest::newRow("CR") << Bytes("a\rb\r") << QByteArrayList{"a", "b"};
    QTest::newRow("LF LF is two ends") << Bytes("a\n\nb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("LF CR is two ends") << Bytes("a\n\rb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("CR CR LF") << Bytes("a\r\r\nb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("no end on last line") << Bytes("a\r\nb") << QByteArrayList{"a", "b"};
    QTest::newRow("blank lines") << Bytes("\r\n\n\r") << QByteArrayList{"", "", ""};
    QTest::newRow("zero byte ends text") << Bytes("a\r\nb\0c\r\nd") << QByteArrayList{"a", "b"};
    QTest::newRow("zero byte first") << Bytes("\0a\r\n") << QByteArrayList{};
    QTest::newRow("empty") << Bytes("") << QByteArrayList{};
    QTest::newRow("bytes kept") << Bytes("\xA3\xB9\t \r\n") << QByteArrayList{"\xA3\xB9\t "};
}

void TestBaza::splitLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, lines);
    QCOMPARE(ToList(SplitLines(bytes.toStdString())), lines);
}

void TestBaza::loadLinesReadsWholeFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath("big.test");
    // Far longer than any read buffer, with every kind of line end.
    QByteArray bytes;
    QByteArrayList expected;
    const char* const ends[] = {"\r\n", "\n", "\r"};
    for (int i = 0; i < 30000; ++i) {
        expected.append("line " + QByteArray::number(i) + " \xB9");
        bytes += expected.last() + ends[i % 3];
    }
    bytes += Bytes("last\0ignored");
    expected.append("last");
    QVERIFY(WriteFileBytes(path, bytes));

    QCOMPARE(ToList(LoadLinesFromFile(path.toStdString())), expected);
}

void TestBaza::loadLinesFailsOnUnreadablePath()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const QString& path : {folder.filePath("missing.test"), folder.path()}) {
        const std::string target = path.toStdString();
        try {
            LoadLinesFromFile(target);
            QFAIL("no exception");
        } catch (const std::runtime_error& error) {
            QCOMPARE(std::string(error.what()), "Cannot open file " + target);
        }
    }
}

void TestBaza::saveLinesWritesCrLfAndReplaces()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath("a.test");
    QVERIFY(WriteFileBytes(path, QByteArray(1000, 'x')));

    SaveLinesToFile(path.toStdString(), {"", "\xA3 b", "c"});
    QCOMPARE(ReadFileBytes(path), Bytes("\r\n\xA3 b\r\nc\r\n"));

    SaveLinesToFile(path.toStdString(), {});
    QCOMPARE(ReadFileBytes(path), QByteArray());
    QCOMPARE(EntriesOf(folder.path()), QStringList{"a.test"});
}

void TestBaza::saveLinesKeepsPermissions()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath("private.test");
    QVERIFY(WriteFileBytes(path, "old"));
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
    QVERIFY(QFile::setPermissions(path, owner));

    SaveLinesToFile(path.toStdString(), {"new"});

    QCOMPARE(ReadFileBytes(path), QByteArray("new\r\n"));
    QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser), owner);
}

void TestBaza::saveIntoMissingFolderFails()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string path = folder.filePath("Testy/Nowy test.test").toStdString();
    try {
        SaveLinesToFile(path, {"a"});
        QFAIL("no exception");
    } catch (const std::runtime_error& error) {
        QCOMPARE(std::string(error.what()), "Cannot create file " + path + ": No such file or directory");
    }
    QVERIFY(EntriesOf(folder.path()).isEmpty());
}

void TestBaza::failedRenameLeavesNoTemporaryFile()
{
    // A non-empty folder stands where the file should go, so the last step,
    // the rename, fails after the temporary file has been written.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkdir("a.test"));
    const QString inner = folder.filePath("a.test/inside");
    QVERIFY(WriteFileBytes(inner, "keep"));
    const std::string path = folder.filePath("a.test").toStdString();

    QVERIFY_THROWS_EXCEPTION(std::runtime_error, SaveLinesToFile(path, {"a"}));

    QCOMPARE(EntriesOf(folder.path()), QStringList{"a.test"});
    QCOMPARE(ReadFileBytes(inner), QByteArray("keep"));
}

void TestBaza::failedWriteLeavesPreviousFileIntact()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath("a.test");
    QVERIFY(WriteFileBytes(path, DefaultTestFile));
    const TLines lines(1000, std::string(100, 'x'));
    std::string message;
    {
        TFileSizeLimit limit(4096);
        QVERIFY(limit.active);
        try {
            SaveLinesToFile(path.toStdString(), lines);
        } catch (const std::runtime_error& error) {
            message = error.what();
        }
    }

    QCOMPARE(message, "Cannot create file " + path.toStdString() + ": File too large");
    QCOMPARE(ReadFileBytes(path), DefaultTestFile);
    QCOMPARE(EntriesOf(folder.path()), QStringList{"a.test"});
}

QTEST_GUILESS_MAIN(TestBaza)
#include "tst_baza.moc"
