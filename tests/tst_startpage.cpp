// The start page: opening a test, creating one through the file-name dialog,
// and showing the tests folder.

#include "MainWindow.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "app/TForm1.h"
#include "dialogs/TForm4.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include "ui/QuestionList.h"
#include <QTemporaryDir>
#include <QtTest>

class tst_StartPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void isValidFileName_data();
    void isValidFileName();
    void proposesTheFirstFreeName();
    void refusesNamesWhileTyping_data();
    void refusesNamesWhileTyping();
    void newTestIsWrittenAtOnce();
    void cancellingEitherDialogChangesNothing();
    void newTestInAMissingFolderLeavesNothingHalfMade();
    void opensATest();
    void openingReportsTheBadLineAndKeepsWhatWasRead();
    void openingAppendsTheMissingExtension();
    void unreadableFileLeavesTheStartPage();
    void unreadableThresholdStillOpens();
    void showsTheTestsFolder();

private:
    QWidget* child(QWidget* root, const char* name) const;
    // Runs "Utwórz nowy test"; `answer` acts on Form4 once it is shown.
    void createTest(const std::function<void(QDialog*)>& answer);
    void openTest(const QString& path);

    std::unique_ptr<MainWindow> m_window;
};

void tst_StartPage::init()
{
    m_window = std::make_unique<MainWindow>();
}

void tst_StartPage::cleanup()
{
    m_window.reset();
}

QWidget* tst_StartPage::child(QWidget* root, const char* name) const
{
    auto* widget = root->findChild<QWidget*>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

void tst_StartPage::createTest(const std::function<void(QDialog*)>& answer)
{
    WhenModalShown(answer);
    QTest::mouseClick(child(m_window->form.get(), "img2"), Qt::LeftButton);
}

void tst_StartPage::openTest(const QString& path)
{
    m_window->prompts.openAnswers << path;
    QTest::mouseClick(child(m_window->form.get(), "img1"), Qt::LeftButton);
}

void tst_StartPage::isValidFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");

    QTest::newRow("plain") << "Nowy test.test" << true;
    QTest::newRow("polish letters and blanks") << "Sprawdzian z fizyki – klasa 2.test" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("hidden") << ".test" << false;
    for (const char c : QByteArray("\"*/:<>?\\|"))
        QTest::newRow(qPrintable(QStringLiteral("with %1").arg(QLatin1Char(c))))
            << QStringLiteral("a%1b.test").arg(QLatin1Char(c)) << false;
}

void tst_StartPage::isValidFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IsValidFileName(name), valid);
}

void tst_StartPage::proposesTheFirstFreeName()
{
    WriteBytes(m_window->dir.filePath(QStringLiteral("Nowy test.test")), DefaultTestFile);
    WriteBytes(m_window->dir.filePath(QStringLiteral("Nowy test 1.test")), DefaultTestFile);
    QString proposal;
    bool errorShown = true, okShown = false;
    createTest([&](QDialog* dialog) {
        proposal = static_cast<QLineEdit*>(child(dialog, "edt1"))->text();
        errorShown = child(dialog, "jvlbl1")->isVisible();
        okShown = child(dialog, "img2")->isVisible();
        dialog->reject();
    });
    QCOMPARE(proposal, QStringLiteral("Nowy test 2"));
    QVERIFY(!errorShown);
    QVERIFY(okShown);
}

void tst_StartPage::refusesNamesWhileTyping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");

    QTest::newRow("question mark") << "Test?" << "Nieprawidłowa nazwa pliku";
    QTest::newRow("slash") << "a/b" << "Nieprawidłowa nazwa pliku";
    QTest::newRow("empty") << "" << "Nieprawidłowa nazwa pliku";
    QTest::newRow("leading dot") << ".ukryty" << "Nieprawidłowa nazwa pliku";
    QTest::newRow("existing") << "Istniejący" << "Plik o takiej nazwie już istnieje";
    QTest::newRow("free") << "Wolna nazwa" << "";
}

void tst_StartPage::refusesNamesWhileTyping()
{
    QFETCH(QString, typed);
    QFETCH(QString, reason);

    WriteBytes(m_window->dir.filePath(QStringLiteral("Istniejący.test")), DefaultTestFile);
    QString shownReason;
    bool okShown = false, greyShown = false;
    createTest([&](QDialog* dialog) {
        auto* edit = static_cast<QLineEdit*>(child(dialog, "edt1"));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        TypeText(edit, typed);
        const QWidget* error = child(dialog, "jvlbl1");
        shownReason = error->isVisible() ? static_cast<const QLabel*>(error)->text() : QString();
        okShown = child(dialog, "img2")->isVisible();
        greyShown = child(dialog, "imgOK_szary")->isVisible();
        // Enter does not accept a refused name.
        QTest::keyClick(edit, Qt::Key_Return);
        if (dialog->isVisible())
            dialog->reject();
    });
    QCOMPARE(shownReason, reason);
    QCOMPARE(okShown, reason.isEmpty());
    QCOMPARE(greyShown, !reason.isEmpty());
    QCOMPARE(bool(m_window->form->CurrentTest), reason.isEmpty());
}

void tst_StartPage::newTestIsWrittenAtOnce()
{
    createTest([this](QDialog* dialog) { QTest::mouseClick(child(dialog, "img2"), Qt::LeftButton); });

    const QString path = m_window->dir.filePath(QStringLiteral("Nowy test.test"));
    QCOMPARE(ReadBytes(path), DefaultTestFile);
    QCOMPARE(QFileInfo(m_window->form->CurrentTestPath), QFileInfo(path));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::PropertiesPage));
    QVERIFY(child(m_window->form.get(), "imgNext")->isVisible());
    QVERIFY(child(m_window->form.get(), "imgPrev")->isVisible());
    QVERIFY(!child(m_window->form.get(), "imgExit")->isVisible());
    QCOMPARE(static_cast<QLineEdit*>(child(m_window->form.get(), "edtTestTitle"))->text(),
             QStringLiteral("Tytuł testu"));
    auto* list = static_cast<QuestionList*>(child(m_window->form.get(), "lstQuestions"));
    QCOMPARE(list->count(), 1);
    QVERIFY(list->model()->index(0, 0).data().toString().startsWith(QStringLiteral("Pytanie nr 1")));
}

void tst_StartPage::cancellingEitherDialogChangesNothing()
{
    createTest([](QDialog* dialog) { dialog->reject(); });
    openTest(QString());

    QVERIFY(!m_window->form->CurrentTest);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    QVERIFY(QDir(m_window->dir.path()).isEmpty());
    QVERIFY(m_window->prompts.errors.isEmpty());
    QCOMPARE(QDir::cleanPath(m_window->prompts.openFolder), QDir::cleanPath(m_window->dir.path()));
}

void tst_StartPage::newTestInAMissingFolderLeavesNothingHalfMade()
{
    m_window->form->TestsFolder = m_window->dir.filePath(QStringLiteral("Brak")) + QLatin1Char('/');
    createTest([this](QDialog* dialog) { QTest::mouseClick(child(dialog, "img2"), Qt::LeftButton); });

    QCOMPARE(m_window->prompts.errors.size(), 1);
    QVERIFY(m_window->prompts.errors.first().startsWith(QStringLiteral("Cannot create file ")));
    QVERIFY(!m_window->form->CurrentTest);
    QVERIFY(m_window->form->CurrentTestPath.isEmpty());
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    for (const char* name : {"imgPrev", "imgNext", "imgExit"})
        QVERIFY2(!child(m_window->form.get(), name)->isVisible(), name);
}

void tst_StartPage::opensATest()
{
    const QString path = m_window->dir.filePath(QStringLiteral("Otwierany.test"));
    WriteBytes(path, DefaultTestFile);
    openTest(path);

    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
    QCOMPARE(QFileInfo(m_window->form->CurrentTestPath), QFileInfo(path));
    QVERIFY(child(m_window->form.get(), "imgPrev")->isVisible());
    QVERIFY(!child(m_window->form.get(), "imgNext")->isVisible());
    QVERIFY(child(m_window->form.get(), "imgExit")->isVisible());
    QCOMPARE(static_cast<QLabel*>(child(m_window->form.get(), "lbl4"))->text(), QStringLiteral("1"));
    QCOMPARE(static_cast<QLineEdit*>(child(m_window->form.get(), "edtTestTitle"))->text(),
             QStringLiteral("Tytuł testu"));
    // The open dialog proposes the last chosen name next time.
    QTest::mouseClick(child(m_window->form.get(), "imgExit"), Qt::LeftButton);
    openTest(QString());
    QCOMPARE(m_window->prompts.openProposal, QStringLiteral("Otwierany.test"));
}

void tst_StartPage::openingReportsTheBadLineAndKeepsWhatWasRead()
{
    const QString path = m_window->dir.filePath(QStringLiteral("Uszkodzony.test"));
    QByteArray broken = DefaultTestFile;
    broken.replace("[PUNKTACJA_ODPOWIEDZI]0", "[PUNKTACJA_ODPOWIEDZI]zero");
    WriteBytes(path, broken);
    openTest(path);

    QCOMPARE(m_window->prompts.messages, QStringList{QStringLiteral("Błąd w linii 27")});
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 1);
    QCOMPARE(m_window->form->CurrentTest->Questions[0]->AnswerCount, 2);
    QCOMPARE(static_cast<QLineEdit*>(child(m_window->form.get(), "edtTestTitle"))->text(),
             QStringLiteral("Tytuł testu"));
}

void tst_StartPage::openingAppendsTheMissingExtension()
{
    WriteBytes(m_window->dir.filePath(QStringLiteral("Bez rozszerzenia.test")), DefaultTestFile);
    openTest(m_window->dir.filePath(QStringLiteral("Bez rozszerzenia")));

    QVERIFY(m_window->prompts.errors.isEmpty());
    QVERIFY(m_window->form->CurrentTestPath.endsWith(QStringLiteral("Bez rozszerzenia.test")));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
}

void tst_StartPage::unreadableFileLeavesTheStartPage()
{
    openTest(m_window->dir.filePath(QStringLiteral("Nie ma.test")));

    QCOMPARE(m_window->prompts.errors.size(), 1);
    QVERIFY(m_window->prompts.errors.first().startsWith(QStringLiteral("Cannot open file ")));
    QVERIFY(m_window->prompts.errors.first().endsWith(QStringLiteral("Nie ma.test.")));
    QVERIFY(!m_window->form->CurrentTest);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    QVERIFY(!child(m_window->form.get(), "imgPrev")->isVisible());
}

void tst_StartPage::unreadableThresholdStillOpens()
{
    const QString path = m_window->dir.filePath(QStringLiteral("Próg.test"));
    QByteArray file = DefaultTestFile;
    file.replace("[ZAKRES_OD]60", "[ZAKRES_OD]sze\x9C\xE6" "dziesi\xB9t");
    WriteBytes(path, file);
    openTest(path);

    QCOMPARE(m_window->prompts.errors.size(), 1);
    QCOMPARE(m_window->prompts.errors.first(),
             QStringLiteral("'sześćdziesiąt' is not a valid integer value."));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
    QCOMPARE(static_cast<QLabel*>(child(m_window->form.get(), "lbl4"))->text(), QStringLiteral("1"));
    // The ranges stay as read.
    QCOMPARE(m_window->form->CurrentTest->Ranges[0]->UpperBound, std::string("59"));
}

void tst_StartPage::showsTheTestsFolder()
{
    QTest::mouseClick(child(m_window->form.get(), "imgOpenFolder"), Qt::LeftButton);
    QCOMPARE(m_window->prompts.openedUrls.size(), 1);
    QVERIFY(m_window->prompts.openedUrls.first().isLocalFile());
    QCOMPARE(QDir::cleanPath(m_window->prompts.openedUrls.first().toLocalFile()),
             QDir::cleanPath(m_window->dir.path()));
}

QTEST_MAIN(tst_StartPage)
#include "tst_startpage.moc"
