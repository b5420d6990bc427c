// The teacher's results file: the bytes of its header and lines, and
// appending to it: header once, earlier lines kept, concurrent runners, and
// failed writes.
#include "model/ResultsCsv.h"
#include "runner/ResultsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>
#include <vector>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

TResultRecord Record(const std::string& name)
{
    TResultRecord record;
    record.Time = "2026-05-04T10:15:00";
    record.Name = name;
    record.ClassName = "3b";
    record.Points = 2;
    record.Maximum = 3;
    record.Percent = 66;
    record.Verdict = "Test zaliczony";
    record.Choices = "B,A,-";
    return record;
}

} // namespace

class tst_ResultsFile : public QObject
{
    Q_OBJECT

private slots:
    void headerIsUtf8WithBomAndSemicolons();
    void lineFields_data();
    void lineFields();
    void choiceLetters_data();
    void choiceLetters();
    void fileNameSitsBesideTheTest();

    void headerOnceThenLinesAppended();
    void earlierLinesAreNeverRewritten();
    void lastLineWithoutEndIsNotJoined();
    void concurrentWritersLoseNoLine();
    void failedWritesGiveTheReason_data();
    void failedWritesGiveTheReason();

private:
    QTemporaryDir m_dir;
};

void tst_ResultsFile::headerIsUtf8WithBomAndSemicolons()
{
    const QByteArray header = QByteArray::fromStdString(ResultsCsvHeader());
    QVERIFY(header.startsWith(kBom));
    QCOMPARE(header.mid(3), QByteArray("Data i godzina;Imię i nazwisko;Klasa;Punkty;Maksimum;"
                                       "Procent;Ocena;Odpowiedzi\r\n"));
}

void tst_ResultsFile::lineFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("plain, Polish letters")
        << "Zażółć Gęś" << "Test zaliczony"
        << QByteArray("2026-05-04T10:15:00;Zażółć Gęś;3b;2;3;66;Test zaliczony;B,A,-\r\n");
    QTest::newRow("separator and quotes are quoted")
        << "Jan \"Kowal\"; syn" << "Dobrze"
        << QByteArray("2026-05-04T10:15:00;\"Jan \"\"Kowal\"\"; syn\";3b;2;3;66;Dobrze;B,A,-\r\n");
    QTest::newRow("line break in a verdict is quoted")
        << "Ala" << "Zaliczony\r\nGratulacje"
        << QByteArray("2026-05-04T10:15:00;Ala;3b;2;3;66;\"Zaliczony\r\nGratulacje\";B,A,-\r\n");
    QTest::newRow("formula-like name stays text")
        << "=SUMA(A1)" << "Dobrze"
        << QByteArray("2026-05-04T10:15:00;'=SUMA(A1);3b;2;3;66;Dobrze;B,A,-\r\n");
    QTest::newRow("no verdict") << "Ola" << ""
                                << QByteArray("2026-05-04T10:15:00;Ola;3b;2;3;66;;B,A,-\r\n");
}

void tst_ResultsFile::lineFields()
{
    QFETCH(QString, name);
    QFETCH(QString, verdict);
    QFETCH(QByteArray, line);
    TResultRecord record = Record(name.toStdString());
    record.Verdict = verdict.toStdString();
    QCOMPARE(QByteArray::fromStdString(ResultsCsvLine(record)), line);
}

void tst_ResultsFile::choiceLetters_data()
{
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<QString>("letters");

    QTest::newRow("mixed") << QList<int>{1, 0, -1, 2} << "B,A,-,C";
    QTest::newRow("none answered") << QList<int>{-1, -1} << "-,-";
    QTest::newRow("one") << QList<int>{4} << "E";
    QTest::newRow("no questions") << QList<int>{} << "";
}

void tst_ResultsFile::choiceLetters()
{
    QFETCH(QList<int>, choices);
    QFETCH(QString, letters);
    QCOMPARE(QString::fromStdString(ChoiceLetters(TChoices(choices.begin(), choices.end()))),
             letters);
}

void tst_ResultsFile::fileNameSitsBesideTheTest()
{
    QCOMPARE(QString::fromStdString(ResultsFileName("Historia Polski")),
             QStringLiteral("Historia Polski – wyniki.csv"));
}

void tst_ResultsFile::headerOnceThenLinesAppended()
{
    const QString path = m_dir.filePath(QStringLiteral("nowy – wyniki.csv"));
    const std::string first = ResultsCsvLine(Record("Ala"));
    const std::string second = ResultsCsvLine(Record("Ola"));
    QString error;
    QVERIFY2(AppendResultLine(path, ResultsCsvHeader(), first, error), qPrintable(error));
    QVERIFY2(AppendResultLine(path, ResultsCsvHeader(), second, error), qPrintable(error));
    QCOMPARE(ReadAll(path), QByteArray::fromStdString(ResultsCsvHeader() + first + second));
}

void tst_ResultsFile::earlierLinesAreNeverRewritten()
{
    // Whatever the teacher keeps in the file stays, byte for byte.
    const QString path = m_dir.filePath(QStringLiteral("stary.csv"));
    const QByteArray before("dawne;wyniki\r\nz r\xC4\x99ki;1\r\n");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
    }
    const std::string line = ResultsCsvLine(Record("Ala"));
    QString error;
    QVERIFY2(AppendResultLine(path, ResultsCsvHeader(), line, error), qPrintable(error));
    QCOMPARE(ReadAll(path), before + QByteArray::fromStdString(line));
}

void tst_ResultsFile::lastLineWithoutEndIsNotJoined()
{
    const QString path = m_dir.filePath(QStringLiteral("bez końca.csv"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("naglowek;bez konca");
    }
    const std::string line = ResultsCsvLine(Record("Ala"));
    QString error;
    QVERIFY2(AppendResultLine(path, ResultsCsvHeader(), line, error), qPrintable(error));
    QCOMPARE(ReadAll(path), "naglowek;bez konca\r\n" + QByteArray::fromStdString(line));
}

void tst_ResultsFile::concurrentWritersLoseNoLine()
{
    // Each writer opens the file on its own, as two runners would.
    const QString path = m_dir.filePath(QStringLiteral("klasa – wyniki.csv"));
    constexpr int kWriters = 8;
    constexpr int kLinesEach = 50;
    std::vector<std::thread> writers;
    std::vector<int> failures(kWriters, 0);
    for (int w = 0; w < kWriters; ++w)
        writers.emplace_back([&, w] {
            for (int i = 0; i < kLinesEach; ++i) {
                QString error;
                const std::string name = "Uczeń " + std::to_string(w) + "-" + std::to_string(i);
                if (!AppendResultLine(path, ResultsCsvHeader(), ResultsCsvLine(Record(name)), error))
                    ++failures[w];
            }
        });
    for (std::thread& writer : writers)
        writer.join();
    QCOMPARE(failures, std::vector<int>(kWriters, 0));

    const QByteArray bytes = ReadAll(path);
    QVERIFY(bytes.startsWith(QByteArray::fromStdString(ResultsCsvHeader())));
    QCOMPARE(bytes.count(kBom), 1);
    QList<QByteArray> lines = bytes.mid(QByteArray::fromStdString(ResultsCsvHeader()).size())
                                  .split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(lines.size(), kWriters * kLinesEach);
    QSet<QByteArray> seen;
    for (const QByteArray& line : lines) {
        QVERIFY2(line.endsWith('\r'), line.constData());
        QCOMPARE(line.count(';'), 7);
        seen.insert(line);
    }
    QCOMPARE(seen.size(), kWriters * kLinesEach);
}

void tst_ResultsFile::failedWritesGiveTheReason_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");

    QTest::newRow("no such folder") << QStringLiteral("brak/wyniki.csv") << "folder nie istnieje";
    QTest::newRow("a folder in the way") << QStringLiteral("folder.csv") << "to jest folder";
    QTest::newRow("full disk") << QStringLiteral("/dev/full") << "brak miejsca na dysku";
}

void tst_ResultsFile::failedWritesGiveTheReason()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    if (path == QLatin1String("/dev/full") && !QFile::exists(path))
        QSKIP("this system has no /dev/full");
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.csv")));
    const QString target = QDir(m_dir.path()).absoluteFilePath(path);
    QString error;
    QVERIFY(!AppendResultLine(target, ResultsCsvHeader(), ResultsCsvLine(Record("Ala")), error));
    QVERIFY2(error.contains(target), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

QTEST_GUILESS_MAIN(tst_ResultsFile)
#include "tst_resultsfile.moc"
