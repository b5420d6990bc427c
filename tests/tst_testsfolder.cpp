// Which folder the program keeps its tests in, and what a first start puts
// into the user's own folder.
#include "app/TestsFolder.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_TestsFolder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void choosesTheFolder_data();
    void choosesTheFolder();
    void firstStartCopiesTheExamples();
    void existingFolderIsUsedAsItIs();

private:
    QString choose() const;

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_program;    // the program's own folder
    QString m_documents;  // the user's documents folder
    QSet<QString> m_readOnly;
};

void tst_TestsFolder::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_program = m_root->filePath(QStringLiteral("lib/testarion"));
    m_documents = m_root->filePath(QStringLiteral("home/Dokumenty"));
    QVERIFY(QDir().mkpath(m_program + QStringLiteral("/Testy")));
    WriteBytes(m_program + QStringLiteral("/Testy/Biologia.test"), "[TEST]\r\n[TYTU\xa3]Biologia\r\n");
    WriteBytes(m_program + QStringLiteral("/Testy/Historia.test"), "[TEST]\r\n");
    QVERIFY(QFile::setPermissions(m_program + QStringLiteral("/Testy/Historia.test"),
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    m_readOnly.clear();
}

QString tst_TestsFolder::choose() const
{
    return ChooseTestsFolder(m_program, m_documents, [this](const QString& folder) {
        return !m_readOnly.contains(QDir::cleanPath(folder));
    });
}

void tst_TestsFolder::choosesTheFolder_data()
{
    QTest::addColumn<bool>("besideExists");
    QTest::addColumn<bool>("besideWritable");
    QTest::addColumn<bool>("documentsUsable");
    QTest::addColumn<QString>("expected");

    QTest::newRow("portable copy") << true << true << true << "lib/testarion/Testy/";
    QTest::newRow("portable copy, no Testy yet, folder writable")
        << false << true << true << "lib/testarion/Testy/";
    QTest::newRow("installed for everyone") << true << false << true << "home/Dokumenty/Testy/";
    QTest::newRow("installed, no Testy, folder read-only")
        << false << false << true << "home/Dokumenty/Testy/";
    // With nowhere else to go, the errors name the folder really used.
    QTest::newRow("documents cannot be made") << true << false << false << "lib/testarion/Testy/";
}

void tst_TestsFolder::choosesTheFolder()
{
    QFETCH(bool, besideExists);
    QFETCH(bool, besideWritable);
    QFETCH(bool, documentsUsable);
    QFETCH(QString, expected);

    const QString beside = m_program + QStringLiteral("/Testy");
    if (!besideExists)
        QVERIFY(QDir(beside).removeRecursively());
    if (!besideWritable)
        m_readOnly << QDir::cleanPath(beside) << QDir::cleanPath(m_program);
    if (!documentsUsable) {
        // A file where the documents folder should be: nothing can be made under it.
        QVERIFY(QDir().mkpath(m_root->filePath(QStringLiteral("home"))));
        WriteBytes(m_documents, "not a folder");
    }

    const QString chosen = choose();
    QCOMPARE(QDir::fromNativeSeparators(chosen), m_root->filePath(expected));
    QVERIFY(QFileInfo(chosen).isDir() || expected.startsWith(QStringLiteral("lib")));
}

void tst_TestsFolder::firstStartCopiesTheExamples()
{
    m_readOnly << QDir::cleanPath(m_program + QStringLiteral("/Testy"));
    const QString chosen = choose();
    QCOMPARE(QDir(chosen).entryList(QDir::Files), (QStringList{"Biologia.test", "Historia.test"}));
    QCOMPARE(ReadBytes(chosen + QStringLiteral("Biologia.test")),
             ReadBytes(m_program + QStringLiteral("/Testy/Biologia.test")));
    // Installed examples may be read-only; the user's copies are not.
    QVERIFY(QFileInfo(chosen + QStringLiteral("Historia.test")).permission(QFile::WriteOwner));
}

void tst_TestsFolder::existingFolderIsUsedAsItIs()
{
    // A teacher's own file of an example's name stays, and an example the
    // teacher deleted does not come back on the next start.
    m_readOnly << QDir::cleanPath(m_program + QStringLiteral("/Testy"));
    const QString personal = m_documents + QStringLiteral("/Testy");
    QVERIFY(QDir().mkpath(personal));
    WriteBytes(personal + QStringLiteral("/Biologia.test"), "mine");

    QCOMPARE(QDir::fromNativeSeparators(choose()), personal + QLatin1Char('/'));
    QCOMPARE(ReadBytes(personal + QStringLiteral("/Biologia.test")), QByteArray("mine"));
    QVERIFY(!QFileInfo::exists(personal + QStringLiteral("/Historia.test")));
}

QTEST_GUILESS_MAIN(tst_TestsFolder)
#include "tst_testsfolder.moc"
