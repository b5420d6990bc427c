// The summary page: title and question count, the answer-key grid, the key
// file, running the test and the printed sheets.

#include "MainWindow.h"
#include "TestSupport.h"

#include "app/TForm1.h"
#include "app/TestFiles.h"
#include "ui/Cp1250.h"
#include "ui/Fonts.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

#include <array>

namespace {

using Scores = std::array<int, 3>;

const QString kDash = QStringLiteral(" \u2013 ");

// Whether `phrase` stands in `text` with a line end or a space, or nothing,
// on either side: "1 – A" is not found in "11 – A".
bool ContainsPhrase(const QString& text, const QString& phrase)
{
    const QRegularExpression standing(QStringLiteral("(^|\\s)") + QRegularExpression::escape(phrase)
                                      + QStringLiteral("($|\\s)"));
    return standing.match(text).hasMatch();
}

} // namespace

class tst_Summary : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTitleAndQuestionCount();
    void longTitleStaysClearOfTheCount_data();
    void longTitleStaysClearOfTheCount();
    void keyFileHoldsTitleAndKeyLines();
    void keyTextNamesTheFirstAnswerScoringOne_data();
    void keyTextNamesTheFirstAnswerScoringOne();
    void gridFillsColumnByColumn_data();
    void gridFillsColumnByColumn();
    void resizeRefillsTheGrid();
    void showingThePageAgainRefillsTheKey();
    void panelTakesTheHighlightUnderThePointer();
    void proposalSkipsNamesTakenBesideTheTest();
    void proposalReplacesCharactersNotAllowedInNames_data();
    void proposalReplacesCharactersNotAllowedInNames();
    void cancelledSaveWritesNothing();
    void failedKeySaveShowsTheErrorAndKeepsTheOldFile();
    void runAndEditButtons();
    void runWithoutADesktopProgramStartsTheRunner_data();
    void runWithoutADesktopProgramStartsTheRunner();
    void studentSheetHoldsEveryQuestionButNoKey();
    void keySheetHoldsEveryKeyLine_data();
    void keySheetHoldsEveryKeyLine();
    void longSheetsBreakIntoNumberedPages();
    void studentSheetTakesAboutTenQuestionsAPage();

private:
    // Writes a test with one question per entry of `scores` (answer texts
    // "Odpowiedź <n><letter>") and opens it through "Otwórz test".
    void openTest(const QString& title, const QList<Scores>& scores,
                  const std::string& thresholdBound = "60", bool percentage = true);
    QList<Scores> uniform(int count) const { return QList<Scores>(count, Scores{1, 0, 0}); }
    // Resizes the window so that the grid shows exactly `rows` × `columns`
    // whole cells when it has no scroll bar.
    void setGridRoom(int rows, int columns);
    QString cell(int row, int column) const;
    int gridRows() const;
    int gridColumns() const;
    // The text of what `render` prints, through a PDF file and pdftotext.
    QString printedText(const std::function<void(QPrinter*)>& render);
    template <typename T = QWidget>
    T* child(const char* name) const
    {
        return m_window->child<T>(name);
    }

    std::unique_ptr<MainWindow> m_window;
    QString m_testPath;
};

void tst_Summary::init()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(QDir(m_window->dir.path()).mkdir(QStringLiteral("Testy")));
    m_window->form->TestsFolder = m_window->dir.filePath(QStringLiteral("Testy")) + QLatin1Char('/');
    m_testPath = m_window->form->TestsFolder + QStringLiteral("Próba.test");
}

void tst_Summary::cleanup()
{
    m_window.reset();
}

void tst_Summary::openTest(const QString& title, const QList<Scores>& scores,
                           const std::string& thresholdBound, bool percentage)
{
    auto test = NewTestWithDefaults();
    test->Title = ToCp1250(title);
    test->Percentage = percentage;
    test->Ranges[1]->LowerBound = thresholdBound;
    test->DeleteQuestion(0);
    for (const Scores& score : scores) {
        TQuestion* question = test->AddQuestion();
        for (int i = 0; i < 3; ++i) {
            TAnswer* answer = question->GetAnswer(i);
            answer->Score = score[i];
            answer->Text = ToCp1250(QStringLiteral("Odpowiedź %1%2")
                                        .arg(test->QuestionCount)
                                        .arg(QChar('A' + i)));
        }
    }
    WriteTestFile(*test, m_testPath);
    m_window->prompts.openAnswers << m_testPath;
    ClickChild(m_window->form.get(), "img1");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
}

void tst_Summary::setGridRoom(int rows, int columns)
{
    const QWidget* grid = child("sgKlucz");
    // Five pixels more than the whole cells need: part of one more shows.
    const QSize wanted(columns * 70 + 5, rows * 20 + 5);
    m_window->form->resize(m_window->form->size() + wanted - grid->size());
    QTRY_COMPARE(grid->size(), wanted);
}

QString tst_Summary::cell(int row, int column) const
{
    const QAbstractItemModel* model = child<QTableView>("sgKlucz")->model();
    return model->index(row, column).data().toString();
}

int tst_Summary::gridRows() const
{
    return child<QTableView>("sgKlucz")->model()->rowCount();
}

int tst_Summary::gridColumns() const
{
    return child<QTableView>("sgKlucz")->model()->columnCount();
}

QString tst_Summary::printedText(const std::function<void(QPrinter*)>& render)
{
    return PrintedText(render, m_window->dir.path());
}

void tst_Summary::showsTitleAndQuestionCount()
{
    openTest(QStringLiteral("Żółw błotny"), uniform(12));
    const auto* title = child<QLabel>("lbl2");
    QCOMPARE(title->text(), QStringLiteral("Żółw błotny"));
    QCOMPARE(child<QLabel>("lbl4")->text(), QStringLiteral("12"));
    const auto* pages = child<QStackedWidget>("pcPages");
    QVERIFY(title->width() <= pages->contentsRect().width() - 130);
    QVERIFY(title->toolTip().isEmpty());
    QVERIFY(child("imgExit")->isVisible());
}

void tst_Summary::longTitleStaysClearOfTheCount_data()
{
    QTest::addColumn<QSize>("windowSize");

    QTest::newRow("design size") << QSize(908, 616);
    QTest::newRow("smallest") << QSize(800, 600);
    QTest::newRow("wide") << QSize(1600, 700);
}

void tst_Summary::longTitleStaysClearOfTheCount()
{
    QFETCH(QSize, windowSize);

    const QString longTitle = QStringLiteral(
        "Sprawdzian z historii Polski dla klas ósmych: od chrztu Mieszka I do rozbiorów, "
        "z uwzględnieniem przemian społecznych, gospodarczych i kultury epoki");
    openTest(longTitle, uniform(30));
    const auto* title = child<QLabel>("lbl2");
    const auto* count = child<QLabel>("lbl4");
    const QWidget* panel = child("jvpnl6");
    const QString atDesign = title->text();

    m_window->form->resize(windowSize);
    QTRY_COMPARE(m_window->form->size(), windowSize);
    QCOMPARE(count->text(), QStringLiteral("30"));
    QVERIFY(!title->geometry().intersects(count->geometry()));
    QVERIFY(panel->contentsRect().contains(title->geometry()));
    // The whole title either shows, or ends in an ellipsis and is read in
    // the tooltip.
    if (title->text() == longTitle) {
        QVERIFY(title->toolTip().isEmpty());
    } else {
        QVERIFY(title->text().endsWith(QChar(0x2026)));
        QVERIFY(longTitle.startsWith(title->text().chopped(1)));
        QCOMPARE(title->toolTip(), longTitle);
    }
    QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width());
    // Each size lays the title out anew.
    const int wider = windowSize.width() - 908;
    if (wider > 0)
        QVERIFY(title->text().size() > atDesign.size());
    else if (wider < 0)
        QVERIFY(title->text().size() < atDesign.size());
    QCOMPARE(title->accessibleName(), longTitle);
}

void tst_Summary::keyFileHoldsTitleAndKeyLines()
{
    openTest(QStringLiteral("Próba"), {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}});
    const QString target = m_window->dir.filePath(QStringLiteral("klucz.txt"));
    m_window->prompts.saveAnswers << target;
    ClickChild(m_window->form.get(), "img4");
    QVERIFY(m_window->prompts.errors.isEmpty());
    QCOMPARE(ReadBytes(target), QByteArray("Pr\xF3" "ba\r\n"
                                           "1 \x96 B\r\n"
                                           "2 \x96 A\r\n"
                                           "3 \x96 C\r\n"));
}

void tst_Summary::keyTextNamesTheFirstAnswerScoringOne_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<QString>("letter");

    QTest::newRow("B") << 0 << 1 << 0 << "B";
    QTest::newRow("C") << 0 << 0 << 1 << "C";
    QTest::newRow("two scoring one: the first") << 0 << 1 << 1 << "B";
    QTest::newRow("2 is not 1") << 0 << 2 << 0 << "";
    QTest::newRow("none") << 0 << 0 << 0 << "";
    QTest::newRow("negative and 2 before the one") << -1 << 2 << 1 << "C";
}

void tst_Summary::keyTextNamesTheFirstAnswerScoringOne()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(QString, letter);

    openTest(QStringLiteral("T"), {Scores{1, 0, 0}, Scores{a, b, c}});
    QCOMPARE(cell(1, 0), QStringLiteral("2") + kDash + letter);

    const QString target = m_window->dir.filePath(QStringLiteral("klucz.txt"));
    m_window->prompts.saveAnswers << target;
    ClickChild(m_window->form.get(), "img4");
    QCOMPARE(ReadBytes(target), "T\r\n1 \x96 A\r\n2 \x96 " + letter.toLatin1() + "\r\n");
}

void tst_Summary::gridFillsColumnByColumn_data()
{
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");

    // Room for 20 rows and 10 columns throughout.
    QTest::newRow("45: three columns") << 45 << 20 << 3;
    QTest::newRow("fewer than the rows: one column") << 7 << 20 << 1;
    QTest::newRow("none: one empty column") << 0 << 20 << 1;
    QTest::newRow("exactly full") << 200 << 20 << 10;
    // One more needs a 21st row; its scroll bar covers the tenth column, so
    // nine columns of 23 rows hold them.
    QTest::newRow("scroll bar takes a column") << 201 << 23 << 9;
}

void tst_Summary::gridFillsColumnByColumn()
{
    QFETCH(int, questions);
    QFETCH(int, rows);
    QFETCH(int, columns);

    openTest(QStringLiteral("Siatka"), uniform(questions));
    setGridRoom(20, 10);
    QCOMPARE(gridRows(), rows);
    QCOMPARE(gridColumns(), columns);
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            const int number = column * rows + row + 1;
            const QString expected = number <= questions
                                         ? QString::number(number) + kDash + QStringLiteral("A")
                                         : QString();
            QCOMPARE(cell(row, column), expected);
        }
    }
}

void tst_Summary::resizeRefillsTheGrid()
{
    openTest(QStringLiteral("Siatka"), uniform(45));
    setGridRoom(20, 10);
    QCOMPARE(cell(0, 1), QStringLiteral("21") + kDash + QStringLiteral("A"));

    setGridRoom(17, 8);
    QCOMPARE(gridRows(), 17);
    QCOMPARE(gridColumns(), 3);
    QCOMPARE(cell(0, 1), QStringLiteral("18") + kDash + QStringLiteral("A"));
    QCOMPARE(cell(10, 2), QStringLiteral("45") + kDash + QStringLiteral("A"));
    QCOMPARE(cell(11, 2), QString());
}

void tst_Summary::showingThePageAgainRefillsTheKey()
{
    openTest(QStringLiteral("Zmiany"), uniform(45));
    setGridRoom(20, 10);
    QCOMPARE(gridColumns(), 3);
    ClickChild(m_window->form.get(), "imgEdytujTest");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::PropertiesPage));

    // Changed behind the summary's back, as the question pages do.
    for (int i = 0; i < 20; ++i)
        m_window->form->CurrentTest->AddQuestion();
    m_window->form->CurrentTest->GetQuestion(0)->GetAnswer(0)->Score = 0;
    m_window->form->CurrentTest->GetQuestion(0)->GetAnswer(2)->Score = 1;
    // Resized while the summary is hidden: it is measured when shown.
    const QSize smaller = m_window->form->size() - QSize(0, 3 * 20);
    m_window->form->resize(smaller);
    QTRY_COMPARE(m_window->form->size(), smaller);

    ClickChild(m_window->form.get(), "imgPrev");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
    QCOMPARE(child<QLabel>("lbl4")->text(), QStringLiteral("65"));
    QCOMPARE(gridRows(), 17);
    QCOMPARE(gridColumns(), 4);
    QCOMPARE(cell(0, 0), QStringLiteral("1") + kDash + QStringLiteral("C"));
    QCOMPARE(cell(13, 3), QStringLiteral("65") + kDash + QStringLiteral("A"));
}

void tst_Summary::panelTakesTheHighlightUnderThePointer()
{
    openTest(QStringLiteral("Panel"), uniform(3));
    for (const char* name : {"jvpnl6", "jvpnl5"}) {
        QWidget* panel = child(name);
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(Qt::white));
        QTest::mouseMove(panel, QPoint(5, 5));
        QTRY_COMPARE(panel->palette().color(QPalette::Window), HighlightColor());
        // Over the grid the pointer is still over the panel, and the grid
        // shows the panel's colour.
        QTest::mouseMove(child("sgKlucz"), QPoint(5, 5));
        QCOMPARE(child("jvpnl5")->palette().color(QPalette::Window), HighlightColor());
        QVERIFY(!child<QTableView>("sgKlucz")->viewport()->autoFillBackground());
        QTest::mouseMove(child("pcPages"), QPoint(2, 2));
        QTRY_COMPARE(panel->palette().color(QPalette::Window), QColor(Qt::white));
    }
}

void tst_Summary::proposalSkipsNamesTakenBesideTheTest()
{
    openTest(QStringLiteral("Próba"), uniform(2));
    const QString folder = QFileInfo(m_testPath).absolutePath();
    for (const QString& taken : {QStringLiteral("Klucz odpowiedzi do testu Próba.txt"),
                                 QStringLiteral("Klucz odpowiedzi do testu Próba 1.txt")})
        WriteBytes(QDir(folder).filePath(taken), "x");
    // A name taken only in the working directory does not count.
    const QString workingDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_window->dir.path()));
    WriteBytes(m_window->dir.filePath(QStringLiteral("Klucz odpowiedzi do testu Próba 2.txt")), "x");

    ClickChild(m_window->form.get(), "img4");
    QDir::setCurrent(workingDirectory);
    QCOMPARE(m_window->prompts.saveProposal, QStringLiteral("Klucz odpowiedzi do testu Próba 2.txt"));
    QCOMPARE(QDir(m_window->prompts.saveFolder), QDir(folder));
}

void tst_Summary::proposalReplacesCharactersNotAllowedInNames_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("proposal");

    QTest::newRow("slash") << "Klasa 3/4" << "Klucz odpowiedzi do testu Klasa 3_4.txt";
    QTest::newRow("backslash and colon") << "A\\B: C" << "Klucz odpowiedzi do testu A_B_ C.txt";
    QTest::newRow("the rest") << "*?\"<>|" << "Klucz odpowiedzi do testu ______.txt";
}

void tst_Summary::proposalReplacesCharactersNotAllowedInNames()
{
    QFETCH(QString, title);
    QFETCH(QString, proposal);

    openTest(title, uniform(2));
    ClickChild(m_window->form.get(), "img4");
    QCOMPARE(m_window->prompts.saveProposal, proposal);

    // The proposal is a name that can be written as it stands.
    const QString target = QDir(m_window->prompts.saveFolder).filePath(proposal);
    m_window->prompts.saveAnswers << target;
    ClickChild(m_window->form.get(), "img4");
    QVERIFY(m_window->prompts.errors.isEmpty());
    QVERIFY(ReadBytes(target).startsWith(QByteArray(ToCp1250(title).c_str()) + "\r\n"));
}

void tst_Summary::failedKeySaveShowsTheErrorAndKeepsTheOldFile()
{
    openTest(QStringLiteral("Próba"), uniform(2));
    // A folder that is gone (a removed USB stick) ...
    m_window->prompts.saveAnswers << m_window->form->TestsFolder + QStringLiteral("Brak/Klucz.txt");
    ClickChild(m_window->form.get(), "img4");
    QCOMPARE(m_window->prompts.errors.size(), 1);
    QVERIFY(m_window->prompts.errors.first().startsWith(QStringLiteral("Cannot create file ")));

    // ... and a key whose write fails half-way: the key written before stays.
    const QString keyPath = m_window->form->TestsFolder + QStringLiteral("Klucz.txt");
    m_window->prompts.saveAnswers << keyPath;
    ClickChild(m_window->form.get(), "img4");
    const QByteArray before = ReadBytes(keyPath);
    QVERIFY(!before.isEmpty());
    m_window->form->CurrentTest->Title = std::string(4096, 'x');
    const rlimit previous = [] {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        return limit;
    }();
    const rlimit small{16, previous.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    m_window->prompts.saveAnswers << keyPath;
    ClickChild(m_window->form.get(), "img4");
    setrlimit(RLIMIT_FSIZE, &previous);
    QCOMPARE(m_window->prompts.errors.size(), 2);
    QCOMPARE(ReadBytes(keyPath), before);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
}

void tst_Summary::cancelledSaveWritesNothing()
{
    openTest(QStringLiteral("Próba"), uniform(2));
    const QStringList before = QDir(m_window->form->TestsFolder).entryList(QDir::Files);
    ClickChild(m_window->form.get(), "img4");
    QVERIFY(!m_window->prompts.saveProposal.isEmpty());
    QCOMPARE(QDir(m_window->form->TestsFolder).entryList(QDir::Files), before);
    QVERIFY(m_window->prompts.errors.isEmpty());
}

void tst_Summary::runAndEditButtons()
{
    openTest(QStringLiteral("Próba"), uniform(2));
    ClickChild(m_window->form.get(), "imgUruchomTest");
    QCOMPARE(m_window->prompts.desktopTests, QStringList{m_testPath});
    QVERIFY(m_window->prompts.startedPrograms.isEmpty());
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));

    ClickChild(m_window->form.get(), "imgEdytujTest");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::PropertiesPage));
    QVERIFY(child("imgNext")->isVisible());
    QVERIFY(child("imgExit")->isVisible());
}

void tst_Summary::runWithoutADesktopProgramStartsTheRunner_data()
{
    QTest::addColumn<bool>("runnerStarts");
    QTest::newRow("the runner beside the editor") << true;
    QTest::newRow("no runner either") << false;
}

void tst_Summary::runWithoutADesktopProgramStartsTheRunner()
{
    QFETCH(bool, runnerStarts);
    openTest(QStringLiteral("Próba"), uniform(2));
    m_window->prompts.desktopOpensTests = false;
    m_window->prompts.programsStart = runnerStarts;
    ClickChild(m_window->form.get(), "imgUruchomTest");

    QCOMPARE(m_window->prompts.desktopTests, QStringList{m_testPath});
    const QString runner = QCoreApplication::applicationDirPath() + QStringLiteral("/testarion-runner");
    QCOMPARE(m_window->prompts.startedPrograms, (QList<QStringList>{{runner, m_testPath}}));
    // Something visible always happens: the runner's window or a message.
    QCOMPARE(m_window->prompts.messages.size(), runnerStarts ? 0 : 1);
    if (!runnerStarts)
        QVERIFY(m_window->prompts.messages[0].contains(QStringLiteral("testarion-runner")));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
}

void tst_Summary::studentSheetHoldsEveryQuestionButNoKey()
{
    openTest(QStringLiteral("Sprawdzian <ważny> & trudny"), {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}});
    m_window->form->CurrentTest->Description = ToCp1250(QStringLiteral("Czas: 45 minut."));
    ClickChild(m_window->form.get(), "imgDrukujTest");
    QVERIFY(m_window->prompts.printRender);
    QCOMPARE(m_window->prompts.printTitle, QStringLiteral("Sprawdzian <ważny> & trudny"));

    const QString text = printedText(m_window->prompts.printRender);
    for (const QString& expected :
         {QStringLiteral("Sprawdzian <ważny> & trudny"), QStringLiteral("Czas: 45 minut."),
          QStringLiteral("Imię i nazwisko"), QStringLiteral("Klasa"), QStringLiteral("Data"),
          QStringLiteral("Strona 1 z 1")})
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in:\n") + text));
    for (int question = 1; question <= 3; ++question) {
        QVERIFY(ContainsPhrase(text, QStringLiteral("%1. Pytanie nr %1").arg(question)));
        for (const QChar letter : {u'A', u'B', u'C'}) {
            // Every answer looks alike: a box, its letter and its text.
            const QString answer = QStringLiteral("\u2610 %1. Odpowiedź %2%1").arg(letter).arg(question);
            QVERIFY2(text.simplified().contains(answer), qPrintable(answer + QStringLiteral(" in:\n") + text));
        }
    }
    QVERIFY(!text.contains(QStringLiteral("Klucz")));
    QVERIFY(!text.contains(kDash));
}

void tst_Summary::keySheetHoldsEveryKeyLine_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<bool>("percentage");
    QTest::addColumn<QString>("threshold");

    QTest::newRow("60% of 12")
        << "60" << true << "Próg zaliczenia: 60% – co najmniej 8 z 12 poprawnych odpowiedzi";
    QTest::newRow("exact percentage")
        << "75" << true << "Próg zaliczenia: 75% – co najmniej 9 z 12 poprawnych odpowiedzi";
    QTest::newRow("in points") << "10" << false
                               << "Próg zaliczenia: co najmniej 10 z 12 poprawnych odpowiedzi";
    QTest::newRow("not readable") << "sześćdziesiąt" << true << "";
}

void tst_Summary::keySheetHoldsEveryKeyLine()
{
    QFETCH(QString, bound);
    QFETCH(bool, percentage);
    QFETCH(QString, threshold);

    QList<Scores> scores;
    for (int i = 0; i < 12; ++i)
        scores << (i % 3 == 0 ? Scores{1, 0, 0} : i % 3 == 1 ? Scores{0, 1, 0} : Scores{0, 0, 1});
    scores[11] = Scores{0, 0, 0};
    openTest(QStringLiteral("Chemia"), scores, ToCp1250(bound), percentage);
    ClickChild(m_window->form.get(), "imgKluczDrukuj");
    QVERIFY(m_window->prompts.printRender);
    QCOMPARE(m_window->prompts.printTitle, QStringLiteral("Klucz odpowiedzi do testu Chemia"));

    const QString text = printedText(m_window->prompts.printRender).simplified();
    QVERIFY2(text.contains(QStringLiteral("Chemia")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Klucz odpowiedzi")));
    for (int i = 0; i < 11; ++i) {
        // pdftotext may drop the narrow spaces around the dash.
        const QRegularExpression line(QStringLiteral("(^|\\s)%1 ?\u2013 ?%2(\\s|$)")
                                          .arg(i + 1)
                                          .arg(QChar(u'A' + i % 3)));
        QVERIFY2(line.match(text).hasMatch(), qPrintable(line.pattern() + QStringLiteral(" in: ") + text));
    }
    // The last question has no answer scoring one: its dash ends the line.
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("(^|\\s)12 ?\u2013"))));
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("(^|\\s)12 ?\u2013 ?[ABC]($|\\s)"))));
    if (threshold.isEmpty())
        QVERIFY2(!text.contains(QStringLiteral("Próg")), qPrintable(text));
    else
        QVERIFY2(text.contains(threshold), qPrintable(text));
    // Nothing of the questions themselves.
    QVERIFY(!text.contains(QStringLiteral("Odpowiedź")));
}

void tst_Summary::longSheetsBreakIntoNumberedPages()
{
    openTest(QStringLiteral("Długi"), uniform(60));
    ClickChild(m_window->form.get(), "imgDrukujTest");
    const QString text = printedText(m_window->prompts.printRender);
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 3, qPrintable(text));
    for (int page = 1; page <= pages.size(); ++page) {
        const QString footer = QStringLiteral("Strona %1 z %2").arg(page).arg(pages.size());
        QVERIFY2(pages[page - 1].contains(footer), qPrintable(footer));
    }
    // No question is lost or cut at a page break: each one stands whole on
    // one page, its answers with it.
    for (int question = 1; question <= 60; ++question) {
        const QString first = QStringLiteral("%1. Pytanie nr %1").arg(question);
        const QString last = QStringLiteral("Odpowiedź %1C").arg(question);
        int holding = 0;
        for (const QString& page : pages)
            holding += ContainsPhrase(page, first) && ContainsPhrase(page, last);
        QVERIFY2(holding == 1, qPrintable(first));
    }
}

void tst_Summary::studentSheetTakesAboutTenQuestionsAPage()
{
    // Forty typical questions: two lines of text, three one-line answers.
    openTest(QStringLiteral("Przyroda"), uniform(40));
    for (int i = 0; i < 40; ++i) {
        m_window->form->CurrentTest->GetQuestion(i)->Text = ToCp1250(
            QStringLiteral("Pytanie %1: które z podanych zjawisk przyrodniczych zachodzi w lesie "
                           "liściastym jesienią, gdy dni stają się krótsze, a noce coraz chłodniejsze?")
                .arg(i + 1));
    }
    ClickChild(m_window->form.get(), "imgDrukujTest");
    const QString text = printedText(m_window->prompts.printRender);
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    // The heading and forty tenths of a page.
    QVERIFY2(pages.size() <= 5, qPrintable(QString::number(pages.size())));
    QVERIFY2(pages.size() >= 4, qPrintable(QString::number(pages.size())));
    QVERIFY2(pages.first().contains(QStringLiteral("Punkty: ____ / 40")), qPrintable(pages.first()));
    for (int question = 1; question <= 40; ++question) {
        const QString first = QStringLiteral("Pytanie %1:").arg(question);
        const QString last = QStringLiteral("Odpowiedź %1C").arg(question);
        int holding = 0;
        for (const QString& page : pages)
            holding += page.contains(first) && ContainsPhrase(page, last);
        QVERIFY2(holding == 1, qPrintable(first));
    }
}

QTEST_MAIN(tst_Summary)
#include "tst_summary.moc"
