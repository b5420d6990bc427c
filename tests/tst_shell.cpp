// The main window's shell: start-up, page navigation, the bottom strip and
// when the current test reaches the disk.

#include "MainWindow.h"
#include "TestSupport.h"

#include "app/TForm1.h"
#include "app/TestFiles.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

class tst_Shell : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsOnTheStartPage();
    void startPageStaysCentredOnResize();
    void pagesMadeAfterAResizeFitTheWindow();
    void stepsBackWritingTheTestEachTime();
    void bottomStripFollowsThePage_data();
    void bottomStripFollowsThePage();
    void closingTheWindowWritesTheOpenTest();
    void typedCharactersTheFileCannotHoldBecomeQuestionMarks();
    void closingTheWindowOnTheStartPageWritesNothing();
    void failedWriteOnAStepBackKeepsThePage();
    void failedWriteOnClosingAsksBeforeDiscarding_data();
    void failedWriteOnClosingAsksBeforeDiscarding();

private:
    // Opens a fresh copy of the default test through "Otwórz test".
    void openTest();
    QWidget* button(const char* name) const { return m_window->child(name); }
    void click(const char* name) const { m_window->click(name); }

    std::unique_ptr<MainWindow> m_window;
    QString m_testPath;
};

void tst_Shell::init()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(QDir(m_window->dir.path()).mkdir(QStringLiteral("Testy")));
    m_window->form->TestsFolder = m_window->dir.filePath(QStringLiteral("Testy")) + QLatin1Char('/');
    m_testPath = m_window->form->TestsFolder + QStringLiteral("Próba.test");
}

void tst_Shell::cleanup()
{
    m_window.reset();
}

void tst_Shell::openTest()
{
    WriteTestFile(*NewTestWithDefaults(), m_testPath);
    m_window->prompts.openAnswers << m_testPath;
    click("img1");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
    QVERIFY(m_window->form->CurrentTest);
}

void tst_Shell::startsOnTheStartPage()
{
    QCOMPARE(m_window->form->windowTitle(), QStringLiteral("Testarion"));
    QCOMPARE(m_window->form->size(), QSize(908, 616));
    QCOMPARE(m_window->form->minimumSize(), QSize(800, 600));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    QVERIFY(!m_window->form->CurrentTest);
    for (const char* name : {"imgPrev", "imgNext", "imgExit"})
        QVERIFY2(!button(name)->isVisible(), name);
    for (const char* name : {"img1", "img2", "imgOpenFolder"})
        QVERIFY2(button(name)->isVisible(), name);

    // The tests folder is "Testy" beside the executable.
    TForm1 fresh;
    QCOMPARE(QDir::cleanPath(fresh.TestsFolder),
             QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/Testy")));
    QVERIFY(fresh.TestsFolder.endsWith(QLatin1Char('/')));
}

void tst_Shell::startPageStaysCentredOnResize()
{
    const auto* pages = m_window->form->findChild<QStackedWidget*>(QStringLiteral("pcPages"));
    const int bottomGap = pages->height() - button("imgOpenFolder")->y();
    for (const QSize size : {QSize(1200, 700), QSize(800, 600), QSize(908, 616)}) {
        m_window->form->resize(size);
        QTRY_COMPARE(m_window->form->size(), size);
        const int pageWidth = pages->contentsRect().width();
        for (const char* name : {"lblHeading", "img1", "img2", "imgOpenFolder"}) {
            const QWidget* control = button(name);
            QCOMPARE(control->x(), (pageWidth - control->width()) / 2);
        }
        // The buttons keep their distance to the bottom edge.
        QCOMPARE(pages->height() - button("imgOpenFolder")->y(), bottomGap);
    }
}

void tst_Shell::pagesMadeAfterAResizeFitTheWindow()
{
    // The pages of a test are made when the first one is opened: in a
    // window resized before that, they sit as if resized with it.
    const QSize size(1200, 700);
    m_window->form->resize(size);
    QTRY_COMPARE(m_window->form->size(), size);
    openTest();
    const char* const summary[] = {"jvpnl6", "jvpnl5", "sgKlucz", "lbl2", "img4", "imgKluczDrukuj"};
    const char* const properties[] = {"edtTestTitle", "mmoTestDescription", "se1"};
    const auto places = [this](const auto& names) {
        QList<QRect> rects;
        for (const char* name : names)
            rects << button(name)->geometry();
        return rects;
    };
    const QList<QRect> summaryAsMade = places(summary);
    click("imgEdytujTest");
    const QList<QRect> propertiesAsMade = places(properties);

    m_window->form->resize(908, 616);
    QTRY_COMPARE(m_window->form->size(), QSize(908, 616));
    m_window->form->resize(size);
    QTRY_COMPARE(m_window->form->size(), size);
    QCOMPARE(places(properties), propertiesAsMade);
    click("imgPrev");
    QCOMPARE(places(summary), summaryAsMade);
    QVERIFY(summaryAsMade.first().width() > 857);
}

void tst_Shell::stepsBackWritingTheTestEachTime()
{
    openTest();
    click("imgNext");
    click("imgNext");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));

    const auto expectWritten = [this](const char* title) {
        const QByteArray bytes = ReadBytes(m_testPath);
        QVERIFY2(bytes.contains(QByteArray("[TYTU\xA3]") + title + "\r\n"), bytes.constData());
    };

    m_window->form->CurrentTest->Title = "Pierwszy";
    click("imgPrev");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::PropertiesPage));
    expectWritten("Pierwszy");

    m_window->form->CurrentTest->Title = "Drugi";
    click("imgPrev");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
    expectWritten("Drugi");

    m_window->form->CurrentTest->Title = "Trzeci";
    click("imgPrev");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    expectWritten("Trzeci");
    QVERIFY(!m_window->form->CurrentTest);
    QVERIFY(m_window->form->CurrentTestPath.isEmpty());
    for (const char* name : {"imgPrev", "imgNext", "imgExit"})
        QVERIFY2(!button(name)->isVisible(), name);
}

void tst_Shell::bottomStripFollowsThePage_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("prev");
    QTest::addColumn<bool>("next");
    QTest::addColumn<bool>("exit");

    QTest::newRow("opened") << QStringList() << 1 << true << false << true;
    QTest::newRow("dalej") << QStringList{"imgNext"} << 2 << true << true << true;
    QTest::newRow("dalej twice") << QStringList{"imgNext", "imgNext"} << 3 << true << false << true;
    QTest::newRow("back from questions") << QStringList{"imgNext", "imgNext", "imgPrev"}
                                         << 2 << true << true << true;
    QTest::newRow("zamknij test") << QStringList{"imgNext", "imgExit"} << 0 << false << false << false;
}

void tst_Shell::bottomStripFollowsThePage()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, page);
    QFETCH(bool, prev);
    QFETCH(bool, next);
    QFETCH(bool, exit);

    openTest();
    for (const QString& name : clicks)
        click(name.toLatin1().constData());
    QCOMPARE(m_window->form->PageIndex(), page);
    QCOMPARE(button("imgPrev")->isVisible(), prev);
    QCOMPARE(button("imgNext")->isVisible(), next);
    QCOMPARE(button("imgExit")->isVisible(), exit);
    QCOMPARE(bool(m_window->form->CurrentTest), page != 0);
}

void tst_Shell::closingTheWindowWritesTheOpenTest()
{
    openTest();
    m_window->form->CurrentTest->Title = "Przy zamykaniu";
    QVERIFY(m_window->form->close());
    QVERIFY(ReadBytes(m_testPath).contains("[TYTU\xA3]Przy zamykaniu\r\n"));
    QVERIFY(m_window->prompts.errors.isEmpty());
}

void tst_Shell::typedCharactersTheFileCannotHoldBecomeQuestionMarks()
{
    openTest();
    click("imgNext");
    auto* title = m_window->form->findChild<QLineEdit*>(QStringLiteral("edtTestTitle"));
    title->selectAll();
    TypeText(title, QStringLiteral("Żuk ж 漢 € koniec"));
    click("imgPrev");
    QVERIFY(ReadBytes(m_testPath).contains("[TYTU\xA3]\xAFuk ? ? \x80 koniec\r\n"));
}

void tst_Shell::closingTheWindowOnTheStartPageWritesNothing()
{
    openTest();
    click("imgExit");
    QVERIFY(QFile::remove(m_testPath));
    QVERIFY(m_window->form->close());
    QVERIFY(QDir(m_window->form->TestsFolder).isEmpty());
}

void tst_Shell::failedWriteOnAStepBackKeepsThePage()
{
    openTest();
    click("imgNext");
    const QByteArray before = ReadBytes(m_testPath);
    // The folder disappears while the test is open (a removed USB stick).
    const QString moved = m_window->dir.filePath(QStringLiteral("Gdzie indziej"));
    QVERIFY(QDir().rename(QDir::cleanPath(m_window->form->TestsFolder), moved));
    m_window->form->CurrentTest->Title = "Zmieniony";

    click("imgPrev");
    QCOMPARE(m_window->prompts.errors.size(), 1);
    QVERIFY(m_window->prompts.errors.first().startsWith(QStringLiteral("Cannot create file ")));
    QVERIFY(m_window->prompts.errors.first().endsWith(QLatin1Char('.')));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::PropertiesPage));
    QVERIFY(m_window->form->CurrentTest);
    QCOMPARE(ReadBytes(moved + QStringLiteral("/Próba.test")), before);
}

void tst_Shell::failedWriteOnClosingAsksBeforeDiscarding_data()
{
    QTest::addColumn<bool>("closeWindow");
    QTest::addColumn<bool>("discard");

    QTest::newRow("window, keep") << true << false;
    QTest::newRow("window, discard") << true << true;
    QTest::newRow("zamknij test, keep") << false << false;
    QTest::newRow("zamknij test, discard") << false << true;
}

void tst_Shell::failedWriteOnClosingAsksBeforeDiscarding()
{
    QFETCH(bool, closeWindow);
    QFETCH(bool, discard);

    openTest();
    QVERIFY(QDir(m_window->form->TestsFolder).removeRecursively());
    m_window->prompts.confirmAnswers << discard;

    const bool closed = closeWindow ? m_window->form->close() : (click("imgExit"), !m_window->form->CurrentTest);
    QCOMPARE(m_window->prompts.errors.size(), 1);
    QVERIFY(m_window->prompts.errors.first().startsWith(QStringLiteral("Cannot create file ")));
    QCOMPARE(m_window->prompts.questions.size(), 1);
    QCOMPARE(closed, discard);
    if (!closeWindow)
        QCOMPARE(m_window->form->PageIndex(), discard ? int(TForm1::StartPage) : int(TForm1::SummaryPage));
    QVERIFY(!QFile::exists(m_testPath));
}

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
