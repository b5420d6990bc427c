// "drukuj test" for a class in groups: every group's sheet holds every
// question once in an order of its own, and every group's key follows that
// group's order. Printing never changes the test.

#include "MainWindow.h"
#include "TestSupport.h"

#include "app/PrintedVersion.h"
#include "app/TForm1.h"
#include "app/TestFiles.h"
#include "ui/Cp1250.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr int kQuestions = 8;

// The answer of question `n` (1-based) that scores one: A, B, C in turn.
QChar CorrectAnswer(int n)
{
    return QChar(u'A' + (n - 1) % 3);
}

// One group's sheet as printed.
struct Sheet
{
    QList<int> questions;                  // the test's question numbers, in printed order
    QMap<int, QMap<QChar, QChar>> letters; // question number: its answer's letter -> printed letter
};

Sheet ReadSheet(const QString& text)
{
    Sheet sheet;
    const QRegularExpression question(QStringLiteral("(\\d+)\\. Pytanie nr (\\d+)"));
    for (const QRegularExpressionMatch& match : question.globalMatch(text)) {
        if (match.captured(1).toInt() != sheet.questions.size() + 1)
            qFatal("question numbers out of order");
        sheet.questions << match.captured(2).toInt();
    }
    const QRegularExpression answer(QStringLiteral("\u2610 ([ABC])\\. Odpowiedź (\\d+)([ABC])"));
    for (const QRegularExpressionMatch& match : answer.globalMatch(text))
        sheet.letters[match.captured(2).toInt()][match.captured(3).at(0)] = match.captured(1).at(0);
    return sheet;
}

// A key page: printed question number -> letter.
QMap<int, QChar> ReadKey(const QString& text)
{
    QMap<int, QChar> key;
    // pdftotext may drop the narrow spaces around the dash.
    const QRegularExpression line(QStringLiteral("(?:^|\\s)(\\d+) ?\u2013 ?([ABC])(?=\\s|$)"));
    for (const QRegularExpressionMatch& match : line.globalMatch(text))
        key[match.captured(1).toInt()] = match.captured(2).at(0);
    return key;
}

QList<int> InOrder()
{
    QList<int> order;
    for (int n = 1; n <= kQuestions; ++n)
        order << n;
    return order;
}

} // namespace

class tst_PrintGroups : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyGroupGetsItsOwnOrderAndKey_data();
    void everyGroupGetsItsOwnOrderAndKey();
    void oneGroupPrintsTheTestAsItStands();
    void cancelledOptionsPrintNothing();

private:
    // Prints with `options` and returns the printed pages.
    QStringList print(const PrintOptions& options);

    std::unique_ptr<MainWindow> m_window;
    QString m_testPath;
};

void tst_PrintGroups::init()
{
    m_window = std::make_unique<MainWindow>();
    m_testPath = m_window->dir.filePath(QStringLiteral("Grupy.test"));
    auto test = NewTestWithDefaults();
    test->Title = ToCp1250(QStringLiteral("Grupy"));
    test->DeleteQuestion(0);
    for (int n = 1; n <= kQuestions; ++n) {
        TQuestion* question = test->AddQuestion();
        for (int i = 0; i < 3; ++i) {
            question->GetAnswer(i)->Text = ToCp1250(QStringLiteral("Odpowiedź %1%2").arg(n).arg(QChar(u'A' + i)));
            question->GetAnswer(i)->Score = QChar(u'A' + i) == CorrectAnswer(n) ? 1 : 0;
        }
    }
    WriteTestFile(*test, m_testPath);
    m_window->prompts.openAnswers << m_testPath;
    m_window->click("img1");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
}

void tst_PrintGroups::cleanup()
{
    m_window.reset();
}

QStringList tst_PrintGroups::print(const PrintOptions& options)
{
    m_window->prompts.printOptionsAnswers << options;
    m_window->click("imgDrukujTest");
    if (!m_window->prompts.printRender)
        return {};
    const QString text = PrintedText(m_window->prompts.printRender, m_window->dir.path());
    return text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

void tst_PrintGroups::everyGroupGetsItsOwnOrderAndKey_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<bool>("shuffleQuestions");
    QTest::addColumn<bool>("shuffleAnswers");
    QTest::addColumn<bool>("includeKey");

    QTest::newRow("three groups, both orders, keys") << 3 << true << true << true;
    QTest::newRow("two groups, questions only") << 2 << true << false << true;
    QTest::newRow("two groups, answers only") << 2 << false << true << true;
    QTest::newRow("six groups, no keys") << 6 << true << true << false;
}

void tst_PrintGroups::everyGroupGetsItsOwnOrderAndKey()
{
    QFETCH(int, groups);
    QFETCH(bool, shuffleQuestions);
    QFETCH(bool, shuffleAnswers);
    QFETCH(bool, includeKey);

    const QByteArray before = ReadBytes(m_testPath);
    const QStringList pages = print({groups, shuffleQuestions, shuffleAnswers, includeKey});
    // Each group's sheet is a page of its own here, each key too.
    QCOMPARE(pages.size(), groups * (includeKey ? 2 : 1));

    QList<Sheet> sheets;
    for (int group = 0; group < groups; ++group) {
        const QString name = QStringLiteral("Grupa %1").arg(QChar(u'A' + group));
        const QString& page = pages[group];
        QVERIFY2(page.contains(name), qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("Strona 1 z 1")));
        QVERIFY(!page.contains(QStringLiteral("Klucz")));
        const Sheet sheet = ReadSheet(page.simplified());
        // Every question once, every answer once.
        QList<int> sorted = sheet.questions;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, InOrder());
        if (!shuffleQuestions)
            QCOMPARE(sheet.questions, InOrder());
        for (int n = 1; n <= kQuestions; ++n) {
            const QMap<QChar, QChar>& letters = sheet.letters.value(n);
            QCOMPARE(letters.size(), 3);
            QList<QChar> printed = letters.values();
            std::sort(printed.begin(), printed.end());
            QCOMPARE(printed, (QList<QChar>{u'A', u'B', u'C'}));
            if (!shuffleAnswers) {
                for (const QChar letter : {u'A', u'B', u'C'})
                    QCOMPARE(letters.value(letter), letter);
            }
        }
        for (const Sheet& other : std::as_const(sheets)) {
            QVERIFY2(other.questions != sheet.questions || other.letters != sheet.letters,
                     qPrintable(name + QStringLiteral(" repeats an earlier group")));
        }
        sheets << sheet;

        if (!includeKey)
            continue;
        const QString& keyPage = pages[groups + group];
        QVERIFY2(keyPage.contains(QStringLiteral("Klucz odpowiedzi \u2013 ") + name), qPrintable(keyPage));
        const QMap<int, QChar> key = ReadKey(keyPage.simplified());
        QCOMPARE(key.size(), kQuestions);
        for (int position = 1; position <= kQuestions; ++position) {
            const int n = sheet.questions[position - 1];
            QCOMPARE(key.value(position), sheet.letters.value(n).value(CorrectAnswer(n)));
        }
    }
    // The test is as it was, in the file and in the editor.
    QCOMPARE(ReadBytes(m_testPath), before);
    for (int i = 0; i < kQuestions; ++i) {
        const TQuestion* question = m_window->form->CurrentTest->GetQuestion(i);
        QCOMPARE(FromCp1250(question->Text), QStringLiteral("Pytanie nr %1").arg(i + 1));
        QCOMPARE(FromCp1250(question->GetAnswer(0)->Text), QStringLiteral("Odpowiedź %1A").arg(i + 1));
    }
}

void tst_PrintGroups::oneGroupPrintsTheTestAsItStands()
{
    // The orders are asked for, but one group has nothing to tell apart.
    const QStringList pages = print({1, true, true, true});
    QCOMPARE(pages.size(), 2);
    QCOMPARE(m_window->prompts.printOptionsProposed.size(), 1);
    QVERIFY(!pages.join(QString()).contains(QStringLiteral("Grupa")));
    const Sheet sheet = ReadSheet(pages[0].simplified());
    QCOMPARE(sheet.questions, InOrder());
    for (int n = 1; n <= kQuestions; ++n) {
        for (const QChar letter : {u'A', u'B', u'C'})
            QCOMPARE(sheet.letters.value(n).value(letter), letter);
    }
    QVERIFY(pages[1].contains(QStringLiteral("Klucz odpowiedzi")));
    const QMap<int, QChar> key = ReadKey(pages[1].simplified());
    for (int n = 1; n <= kQuestions; ++n)
        QCOMPARE(key.value(n), CorrectAnswer(n));
}

void tst_PrintGroups::cancelledOptionsPrintNothing()
{
    m_window->prompts.printOptionsAnswers << std::nullopt;
    m_window->click("imgDrukujTest");
    QCOMPARE(m_window->prompts.printOptionsProposed.size(), 1);
    QVERIFY(!m_window->prompts.printRender);
}

QTEST_MAIN(tst_PrintGroups)
#include "tst_printgroups.moc"
