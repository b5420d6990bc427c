// Replacing a file on disk: what may be replaced, how links are followed,
// the flushes around the rename, failures the disk reports, leftovers of
// interrupted writes, backups, and what is refused before reading.
#include "FileBytes.h"
#include "model/Baza.h"
#include "model/FileSystemCalls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The message of the error a call throws, or "no error".
QString ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    return QStringLiteral("no error");
}

// Puts test functions in place of the real system calls while it lives.
class TInjectedCalls
{
public:
    TInjectedCalls() = default;
    ~TInjectedCalls() { FileSystemCalls() = RealFileSystemCalls(); }
};

// What the injected calls do and saw; the calls are plain functions.
struct TFaults
{
    size_t WriteBudget = 0;  // bytes written before a write fails
    int WriteError = 0;
    int SyncError = 0;
    QStringList Events;
    QString Watched;         // the target whose content each sync notes
};
TFaults g_faults;

int FailingWrite(int fd, const char* data, size_t size)
{
    if (size > g_faults.WriteBudget) {
        RealFileSystemCalls().Write(fd, data, g_faults.WriteBudget);
        g_faults.WriteBudget = 0;
        return g_faults.WriteError;
    }
    g_faults.WriteBudget -= size;
    return RealFileSystemCalls().Write(fd, data, size);
}

int NotingSync(int fd)
{
    struct stat status {};
    fstat(fd, &status);
    g_faults.Events << (S_ISDIR(status.st_mode) ? QStringLiteral("sync folder, target: ")
                                                : QStringLiteral("sync file, target: "))
                           + QString::fromLatin1(ReadFileBytes(g_faults.Watched));
    return g_faults.SyncError ? g_faults.SyncError : RealFileSystemCalls().Sync(fd);
}

TTest OneQuestionTest(const char* title)
{
    TTest test;
    test.Title = title;
    test.AddQuestion();
    return test;
}

} // namespace

class tst_ReplacingFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void syncsTheFileBeforeTheRenameAndTheFolderAfter();
    void failuresOfTheDiskNameTheirReason_data();
    void failuresOfTheDiskNameTheirReason();
    void writesThroughSymbolicLinks_data();
    void writesThroughSymbolicLinks();
    void refusesTargetsItMayNotReplace_data();
    void refusesTargetsItMayNotReplace();
    void removesOnlyItsOwnStaleTemporaryFiles();
    void backUpNeverReplacesAFile();
    void readsOnlyRegularFiles_data();
    void readsOnlyRegularFiles();

private:
    // A fresh folder for each test function.
    std::unique_ptr<QTemporaryDir> m_folderOwner;
    const QTemporaryDir& folder() const { return *m_folderOwner; }
    QString path(const char* name) const { return folder().filePath(QLatin1String(name)); }
};

void tst_ReplacingFile::init()
{
    m_folderOwner = std::make_unique<QTemporaryDir>();
    QVERIFY(folder().isValid());
    g_faults = TFaults();
}

void tst_ReplacingFile::syncsTheFileBeforeTheRenameAndTheFolderAfter()
{
    const QString target = path("a.test");
    QVERIFY(WriteFileBytes(target, "old"));
    g_faults.Watched = target;
    TInjectedCalls injected;
    FileSystemCalls().Sync = &NotingSync;

    SaveLinesToFile(target.toStdString(), {"new"});

    QCOMPARE(g_faults.Events, (QStringList{QStringLiteral("sync file, target: old"),
                                           QStringLiteral("sync folder, target: new\r\n")}));
}

void tst_ReplacingFile::failuresOfTheDiskNameTheirReason_data()
{
    QTest::addColumn<int>("writeBudget");
    QTest::addColumn<int>("writeError");
    QTest::addColumn<int>("syncError");
    QTest::addColumn<QString>("reason");

    QTest::newRow("disk full at once") << 0 << ENOSPC << 0 << QStringLiteral("No space left on device");
    QTest::newRow("disk full half-way") << 100000 << ENOSPC << 0 << QStringLiteral("No space left on device");
    QTest::newRow("quota") << 70000 << EDQUOT << 0 << QStringLiteral("Disk quota exceeded");
    QTest::newRow("flush fails") << 1 << 0 << EIO << QStringLiteral("Input/output error");
}

void tst_ReplacingFile::failuresOfTheDiskNameTheirReason()
{
    QFETCH(int, writeBudget);
    QFETCH(int, writeError);
    QFETCH(int, syncError);
    QFETCH(QString, reason);

    const QString target = path("a.test");
    TTest before = OneQuestionTest("przed");
    SaveTestToFile(target.toStdString(), before);
    const QByteArray old = ReadFileBytes(target);
    TTest big = OneQuestionTest("po");
    for (int i = 0; i < 5000; ++i)
        big.AddQuestion();

    g_faults.WriteBudget = writeError ? size_t(writeBudget) : size_t(-1);
    g_faults.WriteError = writeError;
    g_faults.SyncError = syncError;
    g_faults.Watched = target;
    TInjectedCalls injected;
    FileSystemCalls().Write = &FailingWrite;
    FileSystemCalls().Sync = &NotingSync;

    for (const auto& save : std::vector<std::function<void()>>{
             [&] { SaveTestToFile(target.toStdString(), big); },
             [&] { SaveLinesToFile(target.toStdString(), TLines(5000, std::string(100, 'x'))); }}) {
        g_faults.WriteBudget = writeError ? size_t(writeBudget) : size_t(-1);
        QCOMPARE(ErrorOf(save), QStringLiteral("Cannot create file ") + target + QStringLiteral(": ") + reason);
        QCOMPARE(ReadFileBytes(target), old);
        QCOMPARE(EntriesOf(folder().path()), QStringList{"a.test"});
    }
}

void tst_ReplacingFile::writesThroughSymbolicLinks_data()
{
    QTest::addColumn<QStringList>("links");  // "name>target" in the order made
    QTest::addColumn<QString>("file");       // where the text must land

    QTest::newRow("absolute") << QStringList{"link.test>@/real/a.test"} << "real/a.test";
    QTest::newRow("relative") << QStringList{"link.test>real/a.test"} << "real/a.test";
    QTest::newRow("relative from inside a folder")
        << QStringList{"real/b.test>a.test", "link.test>real/b.test"} << "real/a.test";
    QTest::newRow("to nothing yet") << QStringList{"link.test>real/new.test"} << "real/new.test";
}

void tst_ReplacingFile::writesThroughSymbolicLinks()
{
    QFETCH(QStringList, links);
    QFETCH(QString, file);

    QVERIFY(QDir(folder().path()).mkdir("real"));
    QVERIFY(WriteFileBytes(path("real/a.test"), "old"));
    for (const QString& link : links) {
        const QStringList parts = link.split(QLatin1Char('>'));
        QString target = parts[1];
        target.replace(QLatin1Char('@'), folder().path());
        QCOMPARE(symlink(target.toLocal8Bit().constData(), folder().filePath(parts[0]).toLocal8Bit().constData()), 0);
    }

    SaveLinesToFile(path("link.test").toStdString(), {"new"});

    QCOMPARE(ReadFileBytes(folder().filePath(file)), QByteArray("new\r\n"));
    for (const QString& link : links)
        QVERIFY(QFileInfo(folder().filePath(link.split(QLatin1Char('>'))[0])).isSymLink());
    QCOMPARE(EntriesOf(folder().path()), (QStringList{"link.test", "real"}));
}

void tst_ReplacingFile::refusesTargetsItMayNotReplace_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");

    QTest::newRow("read-only file") << "read-only" << QStringLiteral("Permission denied");
    QTest::newRow("read-only through a link") << "read-only link" << QStringLiteral("Permission denied");
    QTest::newRow("named pipe") << "fifo" << QStringLiteral("not a regular file");
    QTest::newRow("device") << "device" << QStringLiteral("not a regular file");
    QTest::newRow("folder") << "folder" << QStringLiteral("not a regular file");
}

void tst_ReplacingFile::refusesTargetsItMayNotReplace()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    const QString target = path("a.test");
    if (kind.startsWith(QLatin1String("read-only"))) {
        const QString file = kind == QLatin1String("read-only") ? target : path("real.test");
        QVERIFY(WriteFileBytes(file, "old"));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        if (file != target)
            QCOMPARE(symlink("real.test", target.toLocal8Bit().constData()), 0);
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(target.toLocal8Bit().constData(), 0644), 0);
    } else if (kind == QLatin1String("device")) {
        QCOMPARE(symlink("/dev/zero", target.toLocal8Bit().constData()), 0);
    } else {
        QVERIFY(QDir(folder().path()).mkdir("a.test"));
    }
    const QStringList before = EntriesOf(folder().path());

    QCOMPARE(ErrorOf([&] { SaveLinesToFile(target.toStdString(), {"new"}); }),
             QStringLiteral("Cannot create file ") + target + QStringLiteral(": ") + reason);
    QCOMPARE(ErrorOf([&] { SaveTestToFile(target.toStdString(), OneQuestionTest("t")); }),
             QStringLiteral("Cannot create file ") + target + QStringLiteral(": ") + reason);
    QCOMPARE(EntriesOf(folder().path()), before);
    if (kind.startsWith(QLatin1String("read-only")))
        QCOMPARE(ReadFileBytes(target), QByteArray("old"));
}

void tst_ReplacingFile::removesOnlyItsOwnStaleTemporaryFiles()
{
    const QStringList kept{".testarion-0123456789abcdef.tmp.keep", ".testarion-12.tmp",
                           "notes.txt", "a.test", ".testarion-fedcba9876543210.tmp"};
    for (const QString& name : QStringList{".testarion-0123456789abcdef.tmp",
                                           ".testarion-00000000000000FF.tmp"} + kept)
        QVERIFY(WriteFileBytes(folder().filePath(name), "x"));
    // A write still going on in another program holds the lock on its file.
    const int busy = ::open(path(".testarion-fedcba9876543210.tmp").toLocal8Bit().constData(), O_RDONLY);
    QVERIFY(busy >= 0);
    QCOMPARE(flock(busy, LOCK_EX), 0);

    SaveLinesToFile(path("a.test").toStdString(), {"new"});
    ::close(busy);

    QStringList expected = kept;
    expected.sort();
    QCOMPARE(EntriesOf(folder().path()), expected);
    QCOMPARE(ReadFileBytes(path("a.test")), QByteArray("new\r\n"));
}

void tst_ReplacingFile::backUpNeverReplacesAFile()
{
    const QString original = path("a.test");
    const QByteArray bytes("[TEST]\r\n\0tail", 14);
    QVERIFY(WriteFileBytes(original, bytes));
    QVERIFY(WriteFileBytes(path("a.test.1.bak"), "older backup"));

    QCOMPARE(QString::fromStdString(BackUpFile(original.toStdString())), path("a.test.bak"));
    QCOMPARE(QString::fromStdString(BackUpFile(original.toStdString())), path("a.test.2.bak"));

    QCOMPARE(ReadFileBytes(path("a.test.bak")), bytes);
    QCOMPARE(ReadFileBytes(path("a.test.1.bak")), QByteArray("older backup"));
    QCOMPARE(ReadFileBytes(path("a.test.2.bak")), bytes);
    QCOMPARE(ReadFileBytes(original), bytes);
}

void tst_ReplacingFile::readsOnlyRegularFiles_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("endless device") << "device";
    QTest::newRow("folder") << "folder";
}

void tst_ReplacingFile::readsOnlyRegularFiles()
{
    QFETCH(QString, kind);

    const QString target = path("x.test");
    if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(target.toLocal8Bit().constData(), 0644), 0);
    else if (kind == QLatin1String("device"))
        QCOMPARE(symlink("/dev/zero", target.toLocal8Bit().constData()), 0);
    else
        QVERIFY(QDir(folder().path()).mkdir("x.test"));
    const std::string name = target.toStdString();

    // A pipe with no writer would block the open, and the device would be
    // read until memory ran out: both end at once with the error.
    for (const auto& read : std::vector<std::function<void()>>{[&] { LoadBytesFromFile(name); },
                                                                [&] { LoadLinesFromFile(name); }}) {
        try {
            read();
            QFAIL("no exception");
        } catch (const TNotRegularFileError& error) {
            QCOMPARE(std::string(error.what()), "Cannot open file " + name);
        }
    }
    TFileStamp stamp;
    QCOMPARE(CompareFileWithStamp(name, stamp), TFileState::Changed);
}

QTEST_GUILESS_MAIN(tst_ReplacingFile)
#include "tst_replacingfile.moc"
