// The note in the bottom strip after each write of the test or of its answer
// key, and Ctrl+S, which writes the test at once.

#include "MainWindow.h"
#include "TestSupport.h"

#include "app/TForm1.h"
#include "app/TestFiles.h"
#include "ui/FadingNote.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTime>
#include <QtTest>

class tst_SaveNote : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void ctrlSWritesTheTestAtOnce_data();
    void ctrlSWritesTheTestAtOnce();
    void everyWriteLeavesANote_data();
    void everyWriteLeavesANote();
    void noteFadesAfterAFewSeconds();

private:
    void openTest();
    void pressCtrlS() const;
    // The note in sight says `lead` the file `fileName` at a time between
    // `before` and now.
    void expectNote(const QString& lead, const QString& fileName, FadingNote::Kind kind,
                    const QTime& before) const;

    std::unique_ptr<MainWindow> m_window;
    QString m_testPath;
};

void tst_SaveNote::init()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(QDir(m_window->dir.path()).mkdir(QStringLiteral("Testy")));
    m_window->form->TestsFolder = m_window->dir.filePath(QStringLiteral("Testy")) + QLatin1Char('/');
    m_testPath = m_window->form->TestsFolder + QStringLiteral("Próba.test");
}

void tst_SaveNote::cleanup()
{
    m_window.reset();
}

void tst_SaveNote::openTest()
{
    WriteTestFile(*NewTestWithDefaults(), m_testPath);
    m_window->prompts.openAnswers << m_testPath;
    m_window->click("img1");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
}

void tst_SaveNote::pressCtrlS() const
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : m_window->form.get();
    QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier);
}

void tst_SaveNote::expectNote(const QString& lead, const QString& fileName, FadingNote::Kind kind,
                              const QTime& before) const
{
    const auto* note = m_window->child<FadingNote>("lblSaveNote");
    QVERIFY(note->isVisible());
    QCOMPARE(note->kind(), kind);
    const QRegularExpression pattern(QRegularExpression::escape(lead + QStringLiteral(": ") + fileName)
                                     + QStringLiteral(" \\((\\d\\d:\\d\\d)\\)"));
    const QRegularExpressionMatch match = pattern.match(note->text());
    QVERIFY2(match.hasMatch(), qPrintable(note->text()));
    const QTime shown = QTime::fromString(match.captured(1), QStringLiteral("HH:mm"));
    const QTime now = QTime::currentTime();
    QVERIFY(shown >= QTime(before.hour(), before.minute()) && shown <= now);
    // The note lies in the bottom strip, clear of its buttons.
    for (const char* button : {"imgExit", "imgPrev", "imgNext"}) {
        const QWidget* widget = m_window->child(button);
        QVERIFY(!widget->isVisible() || !widget->geometry().intersects(note->geometry()));
    }
}

void tst_SaveNote::ctrlSWritesTheTestAtOnce_data()
{
    QTest::addColumn<int>("page");

    QTest::newRow("summary") << int(TForm1::SummaryPage);
    QTest::newRow("properties") << int(TForm1::PropertiesPage);
    QTest::newRow("questions") << int(TForm1::QuestionsPage);
}

void tst_SaveNote::ctrlSWritesTheTestAtOnce()
{
    QFETCH(int, page);

    openTest();
    while (m_window->form->PageIndex() < page)
        m_window->click("imgNext");
    QCOMPARE(m_window->form->PageIndex(), page);
    m_window->form->CurrentTest->Title = "Po zmianie";
    const QTime before = QTime::currentTime();

    pressCtrlS();
    QVERIFY(ReadBytes(m_testPath).contains("[TYTU\xA3]Po zmianie\r\n"));
    expectNote(QStringLiteral("Zapisano"), QStringLiteral("Próba.test"), FadingNote::Information,
               before);
    QCOMPARE(m_window->form->PageIndex(), page);
    QVERIFY(m_window->prompts.errors.isEmpty());
}

void tst_SaveNote::everyWriteLeavesANote_data()
{
    QTest::addColumn<bool>("key");
    QTest::addColumn<bool>("fails");

    QTest::newRow("test, step back") << false << false;
    QTest::newRow("test, step back, fails") << false << true;
    QTest::newRow("key file") << true << false;
    QTest::newRow("key file, fails") << true << true;
}

void tst_SaveNote::everyWriteLeavesANote()
{
    QFETCH(bool, key);
    QFETCH(bool, fails);

    openTest();
    const QTime before = QTime::currentTime();
    QString fileName = QStringLiteral("Próba.test");
    if (key) {
        fileName = QStringLiteral("Klucz.txt");
        // A folder that is not there cannot take the key.
        const QString folder = fails ? QStringLiteral("Brak/") : QString();
        m_window->prompts.saveAnswers << m_window->form->TestsFolder + folder + fileName;
        m_window->click("img4");
    } else {
        m_window->click("imgNext");
        // An unchanged test is not written again; an edit makes the step back write.
        QTest::keyClick(m_window->child<QLineEdit>("edtTestTitle"), Qt::Key_X);
        if (fails)
            QVERIFY(QDir(m_window->form->TestsFolder).removeRecursively());
        m_window->click("imgPrev");
    }
    QCOMPARE(m_window->prompts.errors.size(), fails ? 1 : 0);
    expectNote(fails ? QStringLiteral("Nie udało się zapisać") : QStringLiteral("Zapisano"), fileName,
               fails ? FadingNote::Failure : FadingNote::Information, before);
}

void tst_SaveNote::noteFadesAfterAFewSeconds()
{
    openTest();
    pressCtrlS();
    const auto* note = m_window->child<FadingNote>("lblSaveNote");
    QVERIFY(note->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!note->isVisible(), 10000);
}

QTEST_MAIN(tst_SaveNote)
#include "tst_savenote.moc"
