#include "TestFiles.h"

#include "ui/Cp1250.h"

#include <QFile>

std::unique_ptr<TTest> NewTestWithDefaults()
{
    auto test = std::make_unique<TTest>();
    test->Title = ToCp1250(QStringLiteral("Tytuł testu"));
    test->FontSize = 14;
    test->Percentage = true;
    TScoreRange* failed = test->AddRange();
    failed->LowerBound = "0";
    failed->UpperBound = std::to_string(kNewTestThreshold - 1);
    failed->Description = "Test niezaliczony";
    TScoreRange* passed = test->AddRange();
    passed->LowerBound = std::to_string(kNewTestThreshold);
    passed->UpperBound = "100";
    passed->Description = "Test zaliczony";
    test->AddQuestion();
    return test;
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
