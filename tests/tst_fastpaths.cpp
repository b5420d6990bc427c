// The fast reader and writer of tests against the line-based ones they stand
// beside: for any bytes the same test, the same message and the same file.
#include "Fixtures.h"

#include "model/Baza.h"
#include "model/FastHash.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

template<size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray SavedBytes(const TTest& test)
{
    TLines lines;
    test.SaveToLines(lines);
    QByteArray bytes;
    for (const std::string& line : lines)
        bytes += QByteArray::fromStdString(line) + "\r\n";
    return bytes;
}

class TCollectingSink : public TByteSink
{
public:
    void Write(std::string_view bytes) override
    {
        pieces.append(QByteArray(bytes.data(), qsizetype(bytes.size())));
    }
    QByteArrayList pieces;
};

// Every field of a test, counts included, as one text to compare.
QByteArray Describe(const TTest& test)
{
    QByteArray text = QByteArray::fromStdString(test.Title) + "|" + QByteArray::fromStdString(test.Description)
        + "|" + QByteArray::number(test.FontSize) + "|" + QByteArray::number(test.Percentage)
        + "|" + QByteArray::number(test.RangeCount) + "|" + QByteArray::number(test.QuestionCount);
    for (const auto& range : test.Ranges)
        text += "\nR " + QByteArray::fromStdString(range->LowerBound) + "|"
            + QByteArray::fromStdString(range->UpperBound) + "|" + QByteArray::fromStdString(range->Description);
    for (const auto& question : test.Questions) {
        text += "\nQ " + QByteArray::fromStdString(question->Text) + "|" + QByteArray::fromStdString(question->Kind)
            + "|" + QByteArray::number(question->FontSize) + "|" + QByteArray::number(question->AnswerCount);
        for (const auto& answer : question->Answers)
            text += "\n  A " + QByteArray::fromStdString(answer->Text) + "|" + QByteArray::number(answer->Score);
    }
    return text;
}

// Hands out the bytes as a file would, as much as is asked for.
class TMemorySource : public TByteSource
{
public:
    explicit TMemorySource(const QByteArray& bytes) : Bytes(bytes) {}
    size_t Read(char* buffer, size_t size) override
    {
        const size_t given = std::min(size, size_t(Bytes.size()) - At);
        std::memcpy(buffer, Bytes.constData() + At, given);
        At += given;
        return given;
    }

private:
    const QByteArray& Bytes;
    size_t At = 0;
};

// The piece reader takes 1 MiB first: a question whose text starts at the
// front of `file` is padded so that byte `at` of the file is where the
// text's line ends.
QByteArray WithLineEndAt(QByteArray file, qsizetype at)
{
    const QByteArray text = "[TRE\x8C\xC6_PYTANIA]";
    const qsizetype start = file.indexOf(text) + text.size();
    qsizetype end = start;
    while (file[end] != '\r' && file[end] != '\n')
        ++end;
    file.insert(end, QByteArray(at - end, 'x'));
    return file;
}

} // namespace

class tst_FastPaths : public QObject
{
    Q_OBJECT

private slots:
    void readerMatchesLineReader_data();
    void readerMatchesLineReader();
    void writerMatchesLineWriter_data();
    void writerMatchesLineWriter();
    void contentHashFollowsWhatAReaderSees();
    void hashesSeeEveryByte_data();
    void hashesSeeEveryByte();
    void loadedBytesAndStampDescribeTheFile();
    void fileReaderStampsTheWholeFile_data();
    void fileReaderStampsTheWholeFile();
};

void tst_FastPaths::readerMatchesLineReader_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<bool>("keyFound");

    QByteArray lf = DefaultTestFile;
    lf.replace("\r\n", "\n");
    QByteArray cr = DefaultTestFile;
    cr.replace("\r\n", "\r");
    QByteArray lfCr = DefaultTestFile;
    lfCr.replace("\r\n", "\n\r");
    QByteArray mixed = DefaultTestFile;
    mixed.replace("[OPIS]\r\n", "[OPIS]\n").replace("[PROCENTOWO]TAK\r\n", "[PROCENTOWO]TAK\r");
    QByteArray zeroInQuestion = DefaultTestFile;
    zeroInQuestion.insert(zeroInQuestion.indexOf("Pytanie nr 1") + 4, '\0');
    const QByteArray badScore = QByteArray(DefaultTestFile).replace("[PUNKTACJA_ODPOWIEDZI]0", "[PUNKTACJA_ODPOWIEDZI]1.0");

    QTest::newRow("CR LF") << DefaultTestFile << false << true;
    QTest::newRow("LF") << lf << false << true;
    QTest::newRow("CR") << cr << false << true;
    QTest::newRow("LF CR, blank lines between") << lfCr << false << true;
    QTest::newRow("mixed ends") << mixed << false << true;
    QTest::newRow("no final line end") << DefaultTestFile.chopped(2) << false << true;
    QTest::newRow("empty") << QByteArray() << true << false;
    QTest::newRow("line ends only") << Bytes("\r\n\n\r\r\n") << true << false;
    QTest::newRow("zero byte ends the text") << zeroInQuestion << true << true;
    QTest::newRow("zero byte first") << Bytes("\0[TEST]\r\n[TEST_KONIEC]\r\n") << true << false;
    QTest::newRow("error in the head") << QByteArray(DefaultTestFile).replace("[ROZMIAR_CZCIONKI]14", "[ROZMIAR_CZCIONKI]x")
                                       << true << true;
    QTest::newRow("error in a range count") << QByteArray(DefaultTestFile).replace("\xD3W]2", "\xD3W]-2") << true << true;
    QTest::newRow("error in a score") << badScore << true << true;
    QTest::newRow("error in the last line") << DefaultTestFile.chopped(15) + "[ILE_PYTA\xD1]q" << true << true;
    QTest::newRow("ends early") << DefaultTestFile.left(DefaultTestFile.indexOf("  [PYTANIA_KONIEC]"))
                                << true << true;
    QTest::newRow("keys in any case, blanks in brackets")
        << Bytes("[test]\r\n[ opis ]  x  \r\n  [tytu\xB3]y\r\n[Test_Koniec]\r\n") << false << true;
    QTest::newRow("no key at all") << Bytes("notatki\r\n[zakupy]mleko\r\n") << true << false;
    QTest::newRow("lines after the end")
        << DefaultTestFile + Bytes("[TYTU\xA3]po ko\xF1""cu\r\n\0\0") << false << true;

    QTest::newRow("a second questions block replaces the first")
        << QByteArray(DefaultTestFile).replace("[TEST_KONIEC]", "[ILE_PYTA\xD1]1\r\n[PYTANIE]\r\n[TRE\x8C\xC6_PYTANIA]drugie\r\n"
                                                                "[PYTANIA_KONIEC]\r\n[TYTU\xA3]nowy\r\n[TEST_KONIEC]")
        << false << true;
    const qsizetype firstAnswersEnd = DefaultTestFile.indexOf("[ODPOWIEDZI_KONIEC]") + 19;
    QTest::newRow("a second answers block replaces the first")
        << QByteArray(DefaultTestFile).insert(firstAnswersEnd, "\r\n[ILE_ODPOWIEDZI]1\r\n[ODPOWIED\x8F]\r\n"
                                                                "[TRE\x8C\xC6_ODPOWIEDZI]x\r\n[ODPOWIEDZI_KONIEC]")
        << false << true;

    // Where the piece reader refills.
    constexpr qsizetype MiB = 1024 * 1024;
    QTest::newRow("CR LF across pieces") << WithLineEndAt(DefaultTestFile, MiB - 1) << false << true;
    QTest::newRow("CR LF after a piece") << WithLineEndAt(DefaultTestFile, MiB) << false << true;
    QTest::newRow("CR ends a piece") << WithLineEndAt(cr, MiB - 1) << false << true;
    QTest::newRow("LF CR across pieces") << WithLineEndAt(lfCr, MiB - 1) << false << true;
    QTest::newRow("a line longer than the pieces") << WithLineEndAt(DefaultTestFile, 3 * MiB + 5) << false << true;
    QByteArray lateZero = WithLineEndAt(DefaultTestFile, 2 * MiB);
    lateZero.insert(2 * MiB - 7, '\0');
    QTest::newRow("zero byte in a later piece") << lateZero << true << true;
    QTest::newRow("last line ends with the first piece") << WithLineEndAt(DefaultTestFile.chopped(2), MiB) << false << true;
}

void tst_FastPaths::readerMatchesLineReader()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, failed);
    QFETCH(bool, keyFound);

    TTest byLines;
    std::vector<std::string> lineMessages;
    byLines.LoadFromLines(SplitLines(file.toStdString()),
                          [&lineMessages](const std::string& message) { lineMessages.push_back(message); });
    TTest byBytes;
    std::vector<std::string> byteMessages;
    const TReadOutcome outcome = byBytes.LoadFromBytes(
        std::string_view(file.constData(), size_t(file.size())),
        [&byteMessages](const std::string& message) { byteMessages.push_back(message); });

    TTest byPieces;
    std::vector<std::string> pieceMessages;
    TMemorySource source(file);
    const TReadOutcome pieceOutcome = byPieces.LoadFromSource(
        source, [&pieceMessages](const std::string& message) { pieceMessages.push_back(message); });

    QCOMPARE(Describe(byBytes), Describe(byLines));
    QCOMPARE(byteMessages, lineMessages);
    QCOMPARE(Describe(byPieces), Describe(byLines));
    QCOMPARE(pieceMessages, lineMessages);
    QCOMPARE(pieceOutcome.Failed, outcome.Failed);
    QCOMPARE(pieceOutcome.StoppedAtLine, outcome.StoppedAtLine);
    QCOMPARE(pieceOutcome.KeyFound, outcome.KeyFound);
    QCOMPARE(outcome.Failed, failed);
    QCOMPARE(byteMessages.size(), size_t(failed ? 1 : 0));
    if (failed)
        QCOMPARE(byteMessages.front(), "B\xB3\xB9" "d w linii " + std::to_string(outcome.StoppedAtLine));
    QCOMPARE(outcome.KeyFound, keyFound);
}

void tst_FastPaths::writerMatchesLineWriter_data()
{
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<int>("questions");

    QTest::newRow("plain") << QByteArray("Tytu\xB3") << 1;
    QTest::newRow("line breaks in a value") << Bytes("a\r\nb\nc\rd\n\re") << 2;
    QTest::newRow("zero byte in a value") << Bytes("a\0b") << 1;
    QTest::newRow("value ending in CR") << Bytes("a\r") << 1;
    QTest::newRow("empty test") << QByteArray() << 0;
    // Many pieces, and lines far longer than one piece.
    QTest::newRow("many questions") << QByteArray(70000, 'x') << 3000;
}

void tst_FastPaths::writerMatchesLineWriter()
{
    QFETCH(QByteArray, title);
    QFETCH(int, questions);

    TTest test;
    test.Title = title.toStdString();
    test.Description = "opis\r\nw dw\xF3""ch liniach";
    TScoreRange* range = test.AddRange();
    range->LowerBound = "0";
    range->Description = std::string("\0", 1);
    for (int i = 0; i < questions; ++i)
        test.AddQuestion()->Text += " " + std::string(size_t(i % 50), 'q');
    // A count below the records held writes only what it counts.
    if (questions > 1)
        test.QuestionCount = questions - 1;

    TCollectingSink sink;
    test.SaveToSink(sink);
    QCOMPARE(sink.pieces.join(), SavedBytes(test));
    // Whole pieces of 64 KiB, as the stamp's hash takes them, the last
    // one shorter but never empty.
    for (qsizetype i = 0; i + 1 < sink.pieces.size(); ++i)
        QCOMPARE(sink.pieces[i].size(), 64 * 1024);
    if (!sink.pieces.isEmpty())
        QVERIFY(!sink.pieces.last().isEmpty() && sink.pieces.last().size() <= 64 * 1024);

    // And through a file, with the stamp of what was written.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string path = folder.filePath("a.test").toStdString();
    const TFileStamp stamp = SaveTestToFile(path, test);
    const TFileBytes written = LoadBytesFromFile(path);
    QCOMPARE(QByteArray(written.View().data(), qsizetype(written.View().size())), SavedBytes(test));
    QVERIFY(stamp == written.Stamp);
    QCOMPARE(stamp.Hash, HashOfBytes(written.View()));
}

void tst_FastPaths::contentHashFollowsWhatAReaderSees()
{
    TTest test;
    test.LoadFromBytes(std::string_view(DefaultTestFile.constData(), size_t(DefaultTestFile.size())),
                       [](const std::string&) { QFAIL("no reading error expected"); });
    const uint64_t asRead = test.ContentHash();

    // Blanks at a line's end are dropped by the reader: no difference.
    test.Description = " ";
    QCOMPARE(test.ContentHash(), asRead);
    test.Questions[0]->Answers[2]->Text += "\t ";
    QCOMPARE(test.ContentHash(), asRead);

    // Each change on a fresh copy of the test as read.
    const auto differs = [&asRead](const std::function<void(TTest&)>& change) {
        TTest changed;
        changed.LoadFromBytes(std::string_view(DefaultTestFile.constData(), size_t(DefaultTestFile.size())),
                              [](const std::string&) {});
        change(changed);
        return changed.ContentHash() != asRead;
    };
    QVERIFY(!differs([](TTest&) {}));
    QVERIFY(differs([](TTest& t) { t.Description = " x"; }));
    QVERIFY(differs([](TTest& t) { t.Title += "a"; }));
    QVERIFY(differs([](TTest& t) { t.Questions[0]->Answers[0]->Score = 0; }));
    QVERIFY(differs([](TTest& t) { t.Questions[0]->Answers[1]->Text = "\xB9"; }));
    QVERIFY(differs([](TTest& t) { t.Ranges[1]->LowerBound = "61"; }));
    QVERIFY(differs([](TTest& t) { t.AddQuestion(); }));
    QVERIFY(differs([](TTest& t) { t.DeleteQuestion(0); }));
    QVERIFY(differs([](TTest& t) { t.Percentage = false; }));
}

void tst_FastPaths::hashesSeeEveryByte_data()
{
    // Each length takes another way through the hashes.
    QTest::addColumn<int>("size");
    for (const int size : {1, 2, 3, 4, 7, 8, 15, 16, 17, 31, 32, 33, 47, 48, 49, 96, 97, 1000})
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void tst_FastPaths::hashesSeeEveryByte()
{
    QFETCH(int, size);
    std::string text(size_t(size), '\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char('a' + i % 26);
    const auto fields = [](std::initializer_list<std::string_view> texts) {
        TFieldHash hash;
        for (const std::string_view t : texts)
            hash.Add(t);
        return hash.Result();
    };
    const uint64_t whole = FastHash(text);
    const uint64_t asField = fields({text});
    for (size_t i = 0; i < text.size(); ++i) {
        std::string changed = text;
        changed[i] = char(changed[i] ^ 0x20);
        QVERIFY2(FastHash(changed) != whole, qPrintable(QString("byte %1").arg(i)));
        QVERIFY2(fields({changed}) != asField, qPrintable(QString("byte %1").arg(i)));
    }
    // A trailing zero byte counts, and where one text ends and the next begins.
    QVERIFY(FastHash(text + '\0') != whole);
    QVERIFY(fields({text + '\0'}) != asField);
    const std::string_view view(text);
    QVERIFY(fields({view.substr(0, 1), view.substr(1)}) != fields({view.substr(0, 0), view}));
    QVERIFY(fields({view, {}}) != asField);
}

void tst_FastPaths::loadedBytesAndStampDescribeTheFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath("a.test");
    // Past the first read, which is sized by the file, and past one hash piece.
    const QByteArray content = QByteArray(200000, 'a') + Bytes("\0b\r\n");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
    file.close();

    const TFileBytes bytes = LoadBytesFromFile(path.toStdString());
    QCOMPARE(QByteArray(bytes.View().data(), qsizetype(bytes.View().size())), content);
    QCOMPARE(bytes.Stamp.Size, uint64_t(content.size()));
    QCOMPARE(bytes.Stamp.Hash, HashOfBytes(bytes.View()));
    QCOMPARE(CompareFileWithStamp(path.toStdString(), bytes.Stamp), TFileState::AsStamped);

    // The same size and time with other bytes: told apart by the hash.
    const QDateTime modified = QFileInfo(path).lastModified();
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(100));
    QCOMPARE(file.write("c"), qint64(1));
    file.close();
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(QFileInfo(path).size(), content.size());
    QCOMPARE(CompareFileWithStamp(path.toStdString(), bytes.Stamp), TFileState::Changed);

    QVERIFY(QFile::remove(path));
    QCOMPARE(CompareFileWithStamp(path.toStdString(), bytes.Stamp), TFileState::Missing);
}

void tst_FastPaths::fileReaderStampsTheWholeFile_data()
{
    QTest::addColumn<QByteArray>("file");
    constexpr qsizetype MiB = 1024 * 1024;
    const QByteArray large = WithLineEndAt(DefaultTestFile, 3 * MiB);
    QByteArray zero = large;
    zero.insert(100, '\0');
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("whole pieces") << WithLineEndAt(DefaultTestFile, 2 * MiB).left(2 * MiB);
    QTest::newRow("read to the end") << large;
    QTest::newRow("error in the head, much left unread")
        << QByteArray(large).replace("[ROZMIAR_CZCIONKI]14", "[ROZMIAR_CZCIONKI]x");
    QTest::newRow("zero byte early") << zero;
    QTest::newRow("lines past the test's end") << DefaultTestFile + QByteArray(2 * MiB, 'y');
}

void tst_FastPaths::fileReaderStampsTheWholeFile()
{
    QFETCH(QByteArray, file);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string path = folder.filePath("a.test").toStdString();
    QFile out(QString::fromStdString(path));
    QVERIFY(out.open(QIODevice::WriteOnly));
    QCOMPARE(out.write(file), file.size());
    out.close();

    TTest read;
    TFileStamp stamp;
    std::vector<std::string> messages;
    const TReadOutcome outcome = LoadTestFromFile(
        path, read, stamp, [&messages](const std::string& message) { messages.push_back(message); });
    const TFileBytes whole = LoadBytesFromFile(path);
    QVERIFY(stamp == whole.Stamp);
    QCOMPARE(CompareFileWithStamp(path, stamp), TFileState::AsStamped);

    TTest fromBytes;
    std::vector<std::string> byteMessages;
    const TReadOutcome byteOutcome = fromBytes.LoadFromBytes(
        whole.View(), [&byteMessages](const std::string& message) { byteMessages.push_back(message); });
    QCOMPARE(Describe(read), Describe(fromBytes));
    QCOMPARE(messages, byteMessages);
    QCOMPARE(outcome.StoppedAtLine, byteOutcome.StoppedAtLine);

    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             LoadTestFromFile(path + "-missing", read, stamp, [](const std::string&) {}));
    QVERIFY_THROWS_EXCEPTION(TNotRegularFileError,
                             LoadTestFromFile(folder.path().toStdString(), read, stamp, [](const std::string&) {}));
}

QTEST_GUILESS_MAIN(tst_FastPaths)
#include "tst_fastpaths.moc"
