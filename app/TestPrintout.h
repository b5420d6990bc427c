// The printed forms of a test: the sheet the students fill in and the
// teacher's answer key. Each is an HTML document, printed page by page with
// the page number at the foot of every page.
#pragma once

#include "model/Baza.h"

#include <QString>

class QPrinter;

// Title, description, lines for the name, class and date, then every
// question with its answers A, B, C, each with a box to tick. Nothing shows
// which answer is correct.
QString StudentSheetHtml(const TTest& test);

// Title, the pass threshold in plain words (when the test has a readable
// one) and the key text of every question, in columns.
QString AnswerKeySheetHtml(const TTest& test);

// Lays the document out on the printer's pages and prints them, with
// "Strona N z M" at the foot of each.
void PrintHtml(const QString& html, QPrinter* printer);
