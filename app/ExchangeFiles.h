// Files in the formats of learning platforms (Moodle XML, GIFT, Aiken) as
// the export and import dialogs offer, write and read them.
#pragma once

#include "model/Exchange.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string_view>

// The export filters in the order offered: Moodle XML, GIFT, Aiken.
QStringList ExportFilters();
// The format of the export filter at `index` (MoodleXml outside them).
TExchangeFormat ExportFormatAt(int index);
// The names proposed for the export of a test titled `title` into `folder`,
// one per export filter: "<title>.xml", "<title>.gift", "<title>.txt", by
// the same rules as the answer-key file's name.
QStringList ExportFileNames(const QString& title, const QString& folder);

// The import filters: every supported file first, then tests, then the
// three formats.
QStringList ImportFilters();
// Whether an import source is a test file of the program's own, by the
// filter chosen or, for "every supported file", by its name.
bool IsOwnTestFile(const QString& path, const QString& chosenFilter);
// The format an import source is read in: the one of the filter chosen, or
// for "every supported file" the one its name and bytes show. Empty for a
// test file of the program's own.
std::optional<TExchangeFormat> ImportFormatOf(const QString& path, const QString& chosenFilter,
                                              std::string_view bytes);

// The message listing the questions an export left out, one line per reason:
// "Pominięto pytania: 4, 17 – format Aiken wymaga …".
QString SkippedQuestionsMessage(const TTest& test, TExchangeFormat format,
                                const std::vector<int32_t>& skipped);
// The message counting the questions an import left out, with the reasons
// of the first of them.
QString LeftOutQuestionsMessage(const std::vector<std::string>& notes);

// Writes an exported file by the safe replace of test files: a file that is
// no regular file or that the user may not write is refused; throws
// "Cannot create file <path>: <reason>".
void WriteExportFile(const QString& path, const std::string& bytes);
