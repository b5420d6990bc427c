// The window never writes a test blindly: not over a file it did not read
// whole, not over one someone else changed, not when nothing changed, not
// into a file the user may not write, and it reads and writes only regular
// files, following links. The same holds for answer-key files.

#include "MainWindow.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "app/TForm1.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The default test with a score that is no number in answer B: reading
// stops there, with the question's first answer read.
QByteArray PartlyReadableFile()
{
    QByteArray file = DefaultTestFile;
    const qsizetype at = file.indexOf("[PUNKTACJA_ODPOWIEDZI]0");
    file.replace(at, qsizetype(strlen("[PUNKTACJA_ODPOWIEDZI]0")), "[PUNKTACJA_ODPOWIEDZI]abc");
    return file + QByteArray("[TYTU\xA3]never read\r\n").repeated(100);
}

int LineOf(const QByteArray& file, const QByteArray& text)
{
    return int(file.left(file.indexOf(text)).count("\r\n")) + 1;
}

// The same test as DefaultTestFile in another program's layout: LF ends,
// keys in lower case, no indentation and lines the reader skips.
QByteArray ForeignLayoutFile()
{
    QByteArray file = DefaultTestFile;
    file.replace("\r\n", "\n").replace("  ", "").replace("[TEST]", "; z innego programu\n[test]");
    return file;
}

} // namespace

class tst_FileSafety : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void partlyReadFileIsReplacedOnlyWithConsent_data();
    void partlyReadFileIsReplacedOnlyWithConsent();
    void unchangedTestIsNeverWritten();
    void vanishedFileIsWrittenAgainWithoutAsking();
    void fileChangedOnDiskIsReplacedOnlyWithConsent_data();
    void fileChangedOnDiskIsReplacedOnlyWithConsent();
    void readOnlyFileIsAnError();
    void linkedTestIsWrittenThroughTheLink();
    void specialFilesAreRefusedAtOnce_data();
    void specialFilesAreRefusedAtOnce();
    void answerKeyTargets_data();
    void answerKeyTargets();

private:
    QString testPath(const char* name) const { return m_window->form->TestsFolder + QLatin1String(name); }
    void open(const QString& path);
    // Runs one of the steps that end or leave a test.
    void step(const QString& how);
    void click(const char* name) const { m_window->click(name); }
    FakePrompts& prompts() const { return m_window->prompts; }

    std::unique_ptr<MainWindow> m_window;
};

void tst_FileSafety::init()
{
    m_window = std::make_unique<MainWindow>();
}

void tst_FileSafety::cleanup()
{
    m_window.reset();
}

void tst_FileSafety::open(const QString& path)
{
    prompts().openAnswers << path;
    click("img1");
}

void tst_FileSafety::step(const QString& how)
{
    if (how == QLatin1String("zamknij test"))
        click("imgExit");
    else if (how == QLatin1String("wstecz"))
        click("imgPrev");
    else
        QVERIFY(m_window->form->close());
}

void tst_FileSafety::partlyReadFileIsReplacedOnlyWithConsent_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("consent");
    QTest::addColumn<QString>("backup");

    for (const char* how : {"zamknij test", "wstecz", "closing the window"}) {
        QTest::addRow("%s, unedited", how) << how << false << false << "";
        QTest::addRow("%s, edited, Nie", how) << how << true << false << "";
        QTest::addRow("%s, edited, Tak", how) << how << true << true << "Ćwiczenie.test.bak";
    }
    QTest::addRow("older backup kept") << "zamknij test" << true << true << "Ćwiczenie.test.1.bak";
}

void tst_FileSafety::partlyReadFileIsReplacedOnlyWithConsent()
{
    QFETCH(QString, how);
    QFETCH(bool, edited);
    QFETCH(bool, consent);
    QFETCH(QString, backup);

    const QByteArray original = PartlyReadableFile();
    const QString path = testPath("Ćwiczenie.test");
    WriteBytes(path, original);
    const QByteArray olderBackup("an older copy");
    if (backup.contains(QLatin1String(".1.")))
        WriteBytes(path + QStringLiteral(".bak"), olderBackup);
    const QStringList entriesBefore = QDir(m_window->form->TestsFolder).entryList(QDir::Files);

    const int line = LineOf(original, "[PUNKTACJA_ODPOWIEDZI]abc");
    open(path);
    QCOMPARE(prompts().messages, QStringList{QStringLiteral("Błąd w linii %1").arg(line)});
    prompts().messages.clear();
    if (edited)
        m_window->form->CurrentTest->Title = "Zmieniony";
    prompts().confirmAnswers << consent;
    step(how);

    // Every step closes the test, whatever was answered.
    QVERIFY(!m_window->form->CurrentTest || !m_window->form->isVisible());
    QCOMPARE(prompts().questions.size(), edited ? 1 : 0);
    if (edited) {
        QVERIFY2(prompts().questions.first().contains(path), qPrintable(prompts().questions.first()));
        QVERIFY(prompts().questions.first().contains(QStringLiteral("linii %1").arg(line)));
    }
    QVERIFY(prompts().errors.isEmpty());
    if (backup.isEmpty()) {
        QCOMPARE(ReadBytes(path), original);
        QCOMPARE(QDir(m_window->form->TestsFolder).entryList(QDir::Files), entriesBefore);
        QVERIFY(prompts().messages.isEmpty());
        return;
    }
    const QString backupPath = testPath(backup.toUtf8().constData());
    QCOMPARE(ReadBytes(backupPath), original);
    QCOMPARE(prompts().messages, QStringList{QStringLiteral("Oryginalny plik zachowano jako „%1”.").arg(backupPath)});
    QVERIFY(ReadBytes(path).contains("[TYTU\xA3]Zmieniony\r\n"));
    if (backup.contains(QLatin1String(".1.")))
        QCOMPARE(ReadBytes(path + QStringLiteral(".bak")), olderBackup);
}

void tst_FileSafety::unchangedTestIsNeverWritten()
{
    const QString path = testPath("Obcy.test");
    WriteBytes(path, ForeignLayoutFile());
    const QDateTime longAgo(QDate(2020, 1, 2), QTime(3, 4, 5));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }

    // Through every page and back, twice, with every closing step.
    open(path);
    for (const char* name : {"imgNext", "imgNext", "imgPrev", "imgPrev", "imgNext", "imgPrev", "imgPrev"})
        click(name);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    open(path);
    click("imgExit");
    open(path);
    QVERIFY(m_window->form->close());

    QVERIFY(prompts().questions.isEmpty());
    QVERIFY(prompts().errors.isEmpty());
    QCOMPARE(ReadBytes(path), ForeignLayoutFile());
    QCOMPARE(QFileInfo(path).lastModified(), longAgo);
}

void tst_FileSafety::vanishedFileIsWrittenAgainWithoutAsking()
{
    const QString path = testPath("Zniknie.test");
    WriteBytes(path, DefaultTestFile);
    open(path);
    QVERIFY(QFile::remove(path));
    click("imgExit");
    QVERIFY(prompts().questions.isEmpty());
    QVERIFY(ReadBytes(path).startsWith("[TEST]\r\n[TYTU\xA3]Tytu\xB3 testu\r\n"));
}

void tst_FileSafety::fileChangedOnDiskIsReplacedOnlyWithConsent_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("consent");

    for (const char* how : {"zamknij test", "wstecz", "closing the window"}) {
        QTest::addRow("%s, Nie", how) << how << true << false;
        QTest::addRow("%s, Tak", how) << how << true << true;
    }
    QTest::addRow("unedited, Nie") << "zamknij test" << false << false;
}

void tst_FileSafety::fileChangedOnDiskIsReplacedOnlyWithConsent()
{
    QFETCH(QString, how);
    QFETCH(bool, edited);
    QFETCH(bool, consent);

    const QString path = testPath("Wspólny.test");
    WriteBytes(path, DefaultTestFile);
    open(path);
    // Saved once by the program, then replaced by another one.
    click("imgNext");
    m_window->form->CurrentTest->Title = "Nasz";
    click("imgPrev");
    QVERIFY(ReadBytes(path).contains("[TYTU\xA3]Nasz\r\n"));
    QByteArray theirs = DefaultTestFile;
    theirs.replace("Tytu\xB3 testu", "Ich");
    WriteBytes(path, theirs);

    if (edited)
        m_window->form->CurrentTest->Title = "Nasz po zmianie";
    prompts().confirmAnswers << consent;
    step(how);

    QCOMPARE(prompts().questions.size(), 1);
    QVERIFY2(prompts().questions.first().contains(path), qPrintable(prompts().questions.first()));
    QVERIFY(!m_window->form->CurrentTest || !m_window->form->isVisible());
    if (consent)
        QVERIFY(ReadBytes(path).contains("[TYTU\xA3]Nasz po zmianie\r\n"));
    else
        QCOMPARE(ReadBytes(path), theirs);
    QVERIFY(prompts().errors.isEmpty());
}

void tst_FileSafety::readOnlyFileIsAnError()
{
    const QString path = testPath("Tylko do odczytu.test");
    WriteBytes(path, DefaultTestFile);
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(path, readOnly));
    open(path);
    m_window->form->CurrentTest->Title = "Zmieniony";

    // The same way out as a failed write: the error, then whether to close
    // without saving; "Nie" keeps the test open.
    click("imgExit");
    QCOMPARE(prompts().errors,
             QStringList{QStringLiteral("Cannot create file %1: Permission denied.").arg(path)});
    QCOMPARE(prompts().questions.size(), 1);
    QVERIFY(m_window->form->CurrentTest);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
    QCOMPARE(ReadBytes(path), DefaultTestFile);
    QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser), readOnly);
}

void tst_FileSafety::linkedTestIsWrittenThroughTheLink()
{
    QVERIFY(QDir(m_window->dir.path()).mkdir(QStringLiteral("Prawdziwe")));
    const QString target = m_window->dir.filePath(QStringLiteral("Prawdziwe/Test.test"));
    WriteBytes(target, DefaultTestFile);
    const QString link = testPath("Skrót.test");
    QVERIFY(QFile::link(target, link));

    open(link);
    m_window->form->CurrentTest->Title = "Przez skr\xF3t";
    click("imgPrev");

    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QVERIFY(ReadBytes(target).contains("[TYTU\xA3]Przez skr\xF3t\r\n"));
    QVERIFY(prompts().questions.isEmpty());
}

void tst_FileSafety::specialFilesAreRefusedAtOnce_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("link to /dev/zero") << "device";
}

void tst_FileSafety::specialFilesAreRefusedAtOnce()
{
    QFETCH(QString, kind);

    const QString path = testPath("x.test");
    if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    else
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    const QString refusal = QStringLiteral("„%1” nie jest zwykłym plikiem.").arg(path);

    open(path);
    QCOMPARE(prompts().errors, QStringList{refusal});
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    QVERIFY(!m_window->form->CurrentTest);
    QVERIFY(m_window->form->CurrentTestPath.isEmpty());

    const QString own = testPath("Własny.test");
    WriteBytes(own, DefaultTestFile);
    open(own);
    click("imgNext");
    click("imgNext");
    prompts().openAnswers << path;
    click("imgImportQuestion");
    QCOMPARE(prompts().errors, (QStringList{refusal, refusal}));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    QVERIFY(!m_window->form->ImportSource);
    QVERIFY(m_window->form->close());
    QCOMPARE(ReadBytes(own), DefaultTestFile);
}

void tst_FileSafety::answerKeyTargets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");  // empty: the key is written

    QTest::newRow("read-only file") << "read-only" << "Permission denied";
    QTest::newRow("named pipe") << "fifo" << "not a regular file";
    QTest::newRow("link") << "link" << "";
}

void tst_FileSafety::answerKeyTargets()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    const QString key = testPath("Klucz.txt");
    const QString real = m_window->dir.filePath(QStringLiteral("Klucz prawdziwy.txt"));
    if (kind == QLatin1String("read-only")) {
        WriteBytes(key, "old");
        QVERIFY(QFile::setPermissions(key, QFile::ReadOwner));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(QFile::encodeName(key).constData(), 0644), 0);
    } else {
        WriteBytes(real, "old");
        QVERIFY(QFile::link(real, key));
    }
    const QString test = testPath("Test.test");
    WriteBytes(test, DefaultTestFile);
    open(test);
    prompts().saveAnswers << key;
    click("img4");

    if (reason.isEmpty()) {
        QVERIFY(prompts().errors.isEmpty());
        QVERIFY(QFileInfo(key).isSymLink());
        QCOMPARE(ReadBytes(real), QByteArray("Tytu\xB3 testu\r\n1 \x96 A\r\n"));
    } else {
        QCOMPARE(prompts().errors,
                 QStringList{QStringLiteral("Cannot create file %1: %2.").arg(key, reason)});
        if (kind == QLatin1String("read-only"))
            QCOMPARE(ReadBytes(key), QByteArray("old"));
        else
            QVERIFY(QFileInfo(key).exists() && !QFileInfo(key).isFile());
    }
    // Nothing left behind beside the key.
    QStringList entries = QDir(m_window->form->TestsFolder)
                              .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    entries.sort();
    QStringList expected{"Klucz.txt", "Test.test"};
    if (kind == QLatin1String("link"))
        expected.prepend(QStringLiteral("Klucz prawdziwy.txt"));
    QCOMPARE(entries, expected);
}

QTEST_MAIN(tst_FileSafety)
#include "tst_filesafety.moc"
