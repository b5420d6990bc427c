#include "TestFiles.h"

#include "ui/Cp1250.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

std::unique_ptr<TTest> NewTestWithDefaults()
{
    auto test = std::make_unique<TTest>();
    test->Title = ToCp1250(QStringLiteral("Tytuł testu"));
    test->FontSize = 14;
    test->Percentage = true;
    WritePassThreshold(*test, kNewTestThreshold);
    test->AddQuestion();
    return test;
}

bool ReadPassThreshold(const TTest& test, int32_t& threshold)
{
    return test.Ranges.size() >= 2 && TryParseInt(test.Ranges[1]->LowerBound, threshold);
}

void WritePassThreshold(TTest& test, int threshold)
{
    if (test.Ranges.empty()) {
        TScoreRange* failed = test.AddRange();
        failed->LowerBound = "0";
        failed->Description = "Test niezaliczony";
    }
    if (test.Ranges.size() < 2) {
        TScoreRange* passed = test.AddRange();
        passed->UpperBound = "100";
        passed->Description = "Test zaliczony";
    }
    // A typed value may lie outside 1..100, so one below it is taken in 64 bits.
    test.Ranges[0]->UpperBound = std::to_string(int64_t(threshold) - 1);
    test.Ranges[1]->LowerBound = std::to_string(threshold);
}

namespace {

const QString kNotRegularFile = QStringLiteral("„%1” nie jest zwykłym plikiem");

[[noreturn]] void Refuse(const QString& text, const QString& path)
{
    // Error messages carry UTF-8, like the paths in them.
    throw std::runtime_error(text.arg(QDir::toNativeSeparators(path)).toStdString());
}

} // namespace

TFileBytes ReadRegularFile(const QString& path)
{
    try {
        return LoadBytesFromFile(QFile::encodeName(path).toStdString());
    } catch (const TNotRegularFileError&) {
        Refuse(kNotRegularFile, path);
    }
}

std::unique_ptr<TTest> ReadTestFile(const QString& path,
                                    const std::function<void(const std::string&)>& showMessage,
                                    TestFileRecord* record)
{
    auto test = std::make_unique<TTest>();
    // The reading error waits until the file is known to be a test at all.
    std::string readingError;
    TFileStamp stamp;
    TReadOutcome outcome;
    try {
        outcome = LoadTestFromFile(QFile::encodeName(path).toStdString(), *test, stamp,
                                   [&readingError](const std::string& message) { readingError = message; });
    } catch (const TNotRegularFileError&) {
        Refuse(kNotRegularFile, path);
    }
    // An empty file is an empty test, but a file of other text is no test:
    // opened, it would be replaced by one on the next save.
    const bool empty = stamp.Size == 0;
    if (!empty && !outcome.KeyFound)
        Refuse(QStringLiteral("Plik „%1” nie jest plikiem testu"), path);
    if (outcome.Failed)
        showMessage(readingError);
    if (record) {
        record->Stamp = stamp;
        record->Content = test->ContentHash();
        // Nothing of an empty file can be lost by writing over it.
        record->StoppedAtLine = outcome.Failed && !empty ? outcome.StoppedAtLine : -1;
    }
    return test;
}

TFileStamp WriteTestFile(const TTest& test, const QString& path)
{
    return SaveTestToFile(QFile::encodeName(path).toStdString(), test);
}

std::string NotAnIntegerMessage(const std::string& cp1250Value)
{
    return "'" + FromCp1250(cp1250Value).toStdString() + "' is not a valid integer value";
}
