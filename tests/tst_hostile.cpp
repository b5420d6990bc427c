// Files from e-mail, USB sticks and other programs: whatever a file holds,
// opening it and importing from it shows what could be read, or the reader's
// message, or refuses a file that is no test at all, and the program goes on.

#include "MainWindow.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "app/TForm1.h"

#include "ui/QuestionList.h"
#include <QTemporaryDir>
#include <QtTest>

#include <random>
#include <sys/resource.h>

namespace {

template<size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray RandomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(generator() & 0xFF);
    return bytes;
}

// A test whose question block is repeated `copies` times while its count
// line says `declared`.
QByteArray WithQuestions(const QByteArray& declared, int copies)
{
    const qsizetype start = DefaultTestFile.indexOf("  [PYTANIE]");
    const qsizetype end = DefaultTestFile.indexOf("  [PYTANIA_KONIEC]");
    QByteArray file = DefaultTestFile.left(start);
    file.replace("[ILE_PYTA\xD1]1", "[ILE_PYTA\xD1]" + declared);
    for (int i = 0; i < copies; ++i)
        file += DefaultTestFile.mid(start, end - start);
    return file + DefaultTestFile.mid(end);
}

long PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

class tst_Hostile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cleanupTestCase();

    void openEditAndImport_data();
    void openEditAndImport();
    void filesWithoutAnyKeyAreRefused_data();
    void filesWithoutAnyKeyAreRefused();

private:
    QWidget* child(const char* name) const { return m_window->child(name); }
    void click(const char* name) const { m_window->click(name); }

    std::unique_ptr<MainWindow> m_window;
};

void tst_Hostile::init()
{
    m_window = std::make_unique<MainWindow>();
}

void tst_Hostile::cleanup()
{
    m_window.reset();
}

void tst_Hostile::cleanupTestCase()
{
    // Nothing is sized from what a file declares: the 50 MB file and the
    // counts of two thousand million stay far below this.
    QVERIFY2(PeakResidentMegabytes() < 1024, qPrintable(QString::number(PeakResidentMegabytes())));
}

void tst_Hostile::openEditAndImport_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("readingError");

    const QByteArray longLine(1 << 20, 'x');
    QByteArray keysInEveryCase = DefaultTestFile;
    keysInEveryCase.replace("[TEST_KONIEC]", "[test_koniec]");
    keysInEveryCase.replace("[PYTANIE]", "[Pytanie]");
    keysInEveryCase.replace("[TYTU\xA3]", "[tytu\xB3]");  // Polish letter in lower case: skipped
    QByteArray withNul = DefaultTestFile;
    withNul.insert(withNul.indexOf("Pytanie nr 1") + 4, '\0');
    QByteArray unclosed = DefaultTestFile;
    unclosed.replace("    [ODPOWIEDZI_KONIEC]\r\n", "");

    QTest::newRow("empty") << QByteArray() << 0 << true;
    QTest::newRow("two thousand million questions declared")
        << WithQuestions("2147483647", 2) << 2 << false;
    QTest::newRow("hex count") << WithQuestions("$2", 2) << 2 << false;
    QTest::newRow("signed count") << WithQuestions("+2", 2) << 2 << false;
    QTest::newRow("negative count") << WithQuestions("-5", 2) << 0 << true;
    QTest::newRow("sign before hex") << WithQuestions("-$2", 2) << 0 << true;
    QTest::newRow("records beyond the count") << WithQuestions("1", 3) << 3 << false;
    QTest::newRow("zero byte in the middle") << withNul << 1 << true;
    QTest::newRow("question of 1 MB")
        << QByteArray(DefaultTestFile).replace("Pytanie nr 1", longLine) << 1 << false;
    QTest::newRow("title of 1 MB")
        << QByteArray(DefaultTestFile).replace("Tytu\xB3 testu", longLine) << 1 << false;
    QTest::newRow("keys in every case") << keysInEveryCase << 1 << false;
    QTest::newRow("missing closing keys") << unclosed << 1 << true;
    QTest::newRow("fields before any record")
        << Bytes("[TEST]\r\n[ILE_PYTA\xD1]1\r\n[TRE\x8C\xC6_PYTANIA]bez pytania\r\n"
                 "[ILE_ODPOWIEDZI]3\r\n[TRE\x8C\xC6_ODPOWIEDZI]bez odpowiedzi\r\n"
                 "[ODPOWIEDZI_KONIEC]\r\n[PYTANIA_KONIEC]\r\n[TEST_KONIEC]\r\n")
        << 0 << false;
}

void tst_Hostile::openEditAndImport()
{
    QFETCH(QByteArray, file);
    QFETCH(int, questions);
    QFETCH(bool, readingError);

    const QString path = m_window->dir.filePath(QStringLiteral("Obcy.test"));
    WriteBytes(path, file);

    m_window->prompts.openAnswers << path;
    click("img1");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, questions);
    QCOMPARE(int(m_window->form->CurrentTest->Questions.size()), questions);
    QCOMPARE(m_window->prompts.messages.size(), readingError ? 1 : 0);

    // The editor shows whatever was read and takes a new question.
    click("imgNext");
    click("imgNext");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    click("imgAddQuestion");
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, questions + 1);

    // Importing from the same file shows what could be read of it.
    m_window->prompts.openAnswers << path;
    click("imgImportQuestion");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::ImportPage));
    auto* list = static_cast<QuestionList*>(child("lstImport"));
    QCOMPARE(list->count(), questions);
    for (int row = 0; row < list->count(); ++row)
        list->model()->setData(list->model()->index(row, 0), Qt::Checked, Qt::CheckStateRole);
    click("imgImportuj");
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 2 * questions + 1);

    // Closing writes a file that reads back without an error; a file not
    // read whole is replaced only with consent, its original kept beside it.
    const bool partlyRead = readingError && !file.isEmpty();
    if (partlyRead)
        m_window->prompts.confirmAnswers << true;
    click("imgExit");
    QCOMPARE(m_window->prompts.questions.size(), partlyRead ? 1 : 0);
    QCOMPARE(QFile::exists(path + QStringLiteral(".bak")), partlyRead);
    if (partlyRead)
        QCOMPARE(ReadBytes(path + QStringLiteral(".bak")), file);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    const qsizetype messagesBefore = m_window->prompts.messages.size();
    m_window->prompts.openAnswers << path;
    click("img1");
    QCOMPARE(m_window->prompts.messages.size(), messagesBefore);
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 2 * questions + 1);
}

void tst_Hostile::filesWithoutAnyKeyAreRefused_data()
{
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("binary") << RandomBytes(64 * 1024, 1);
    QTest::newRow("50 MB of random bytes") << RandomBytes(50 * 1024 * 1024, 2);
    QTest::newRow("notes") << QByteArray("Zakupy:\r\n[mleko]\r\nchleb\r\n").repeated(500);
    QTest::newRow("blanks only") << QByteArray(" \r\n\t\r\n");
}

void tst_Hostile::filesWithoutAnyKeyAreRefused()
{
    QFETCH(QByteArray, file);

    const QString path = m_window->dir.filePath(QStringLiteral("Obcy.test"));
    WriteBytes(path, file);
    const QString refusal = QStringLiteral("Plik „%1” nie jest plikiem testu.").arg(path);

    m_window->prompts.openAnswers << path;
    click("img1");
    QCOMPARE(m_window->prompts.errors, QStringList{refusal});
    QVERIFY(m_window->prompts.messages.isEmpty());
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    QVERIFY(!m_window->form->CurrentTest);

    // Not even as a source of questions.
    const QString testPath = m_window->dir.filePath(QStringLiteral("Własny.test"));
    WriteBytes(testPath, DefaultTestFile);
    m_window->prompts.openAnswers << testPath;
    click("img1");
    click("imgNext");
    click("imgNext");
    m_window->prompts.openAnswers << path;
    click("imgImportQuestion");
    QCOMPARE(m_window->prompts.errors, (QStringList{refusal, refusal}));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    QVERIFY(!m_window->form->ImportSource);

    QVERIFY(m_window->form->close());
    QCOMPARE(ReadBytes(path), file);
    QCOMPARE(ReadBytes(testPath), DefaultTestFile);
}

QTEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
