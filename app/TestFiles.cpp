#include "TestFiles.h"

#include "ui/Cp1250.h"

#include <QFile>

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

std::unique_ptr<TTest> ReadTestFile(const QString& path,
                                    const std::function<void(const std::string&)>& showMessage)
{
    const TLines lines = LoadLinesFromFile(QFile::encodeName(path).toStdString());
    auto test = std::make_unique<TTest>();
    test->LoadFromLines(lines, showMessage);
    return test;
}

void WriteTestFile(const TTest& test, const QString& path)
{
    TLines lines;
    test.SaveToLines(lines);
    SaveLinesToFile(QFile::encodeName(path).toStdString(), lines);
}

std::string NotAnIntegerMessage(const std::string& cp1250Value)
{
    return "'" + FromCp1250(cp1250Value).toStdString() + "' is not a valid integer value";
}
