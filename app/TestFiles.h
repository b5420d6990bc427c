// Reading and writing whole tests, shared by the commands that open, create,
// save and import them.
#pragma once

#include "model/Baza.h"

#include <QString>

#include <functional>
#include <cstdint>
#include <memory>

// The pass threshold of a new test, in percent; its ranges say the same.
constexpr int kNewTestThreshold = 60;

// A new test: "Tytuł testu", font size 14, percentages, the two ranges
// 0–59 "Test niezaliczony" and 60–100 "Test zaliczony", and one question.
std::unique_ptr<TTest> NewTestWithDefaults();

// The pass threshold as the test's ranges hold it: the lower bound of the
// second range. False when there is no second range or its bound is no number.
bool ReadPassThreshold(const TTest& test, int32_t& threshold);

// The pass threshold is no field of its own: range 0 ends just below it and
// range 1 starts at it. Missing ranges (a file may lack them) are made as a
// new test has them, texts included; nothing else is touched.
void WritePassThreshold(TTest& test, int threshold);

// What the program knows of the file of a test it holds, so that it writes
// only what needs writing and never replaces what it did not read whole or
// what someone else changed meanwhile.
struct TestFileRecord
{
    TFileStamp Stamp;        // the file as last read or written
    uint64_t Content = 0;    // TTest::ContentHash of the test at that moment
    int StoppedAtLine = -1;  // reading stopped at an error in this line, and
                             // the file has not been replaced since; else -1
};

// Reads a test file; a reading error goes to `showMessage` and what was read
// stays. Throws "Cannot open file <path>" when the file cannot be read, and
// an error with a Polish message for a path that is no regular file or a
// non-empty file without a single key of the format; nothing is shown then.
// `record`, when given, describes the file and the test as read.
std::unique_ptr<TTest> ReadTestFile(const QString& path,
                                    const std::function<void(const std::string&)>& showMessage,
                                    TestFileRecord* record = nullptr);

// A whole file's bytes; throws "Cannot open file <path>" when it cannot be
// read, and an error with a Polish message for a path that is no regular file.
TFileBytes ReadRegularFile(const QString& path);

// Writes a test file atomically and returns the stamp of the file written;
// throws "Cannot create file <path>: <reason>".
TFileStamp WriteTestFile(const TTest& test, const QString& path);

// The conversion error for a number that is not one (UTF-8).
std::string NotAnIntegerMessage(const std::string& cp1250Value);
