// The printed forms of a test: the sheet the students fill in and the
// teacher's answer key. Each is an HTML document, printed page by page with
// the page number at the foot of every page.
#pragma once

#include "PrintedVersion.h"
#include "model/Baza.h"

#include <QString>
#include <QStringList>

class QPrinter;

// Title (and the group, for one of several), description, lines for the
// name, the points, class and date, then every question of `version` with
// its answers lettered A, B, C in the version's order, each with a box to
// tick. Nothing shows which answer is correct.
QString StudentSheetHtml(const TTest& test, const PrintedVersion& version);

// Title (and the group), the pass threshold in plain words (when the test
// has a readable one) and the key text of every question of `version`, in
// columns.
QString AnswerKeySheetHtml(const TTest& test, const PrintedVersion& version);

// Lays each document out on pages of its own and prints them one after
// another, with "Strona N z M" of that document at the foot of each page.
void PrintHtml(const QStringList& documents, QPrinter* printer);
