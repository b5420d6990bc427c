// The answer key of a test: the text that names a question's correct answer,
// shown in the key grid, written to the key file and printed on the key sheet.
#pragma once

#include "model/Baza.h"

#include <QString>

// "<number> – <letter>" (Windows-1250) for the question at 0-based `index`:
// the letter of the first of answers A, B, C that scores exactly 1. When none
// does, the text ends after the dash and its space.
std::string KeyCellText(const TQuestion& question, int index);

// The lines of the key file: the title, then the key text of every question.
TLines AnswerKeyLines(const TTest& test);

// The name proposed for the key file of a test with the title `title`: the
// first of "Klucz odpowiedzi do testu <title>.txt", "… <title> 1.txt",
// "… <title> 2.txt" … that no file in `folder` has. Characters that a file
// name cannot hold are replaced in the title.
QString AnswerKeyFileName(const QString& title, const QString& folder);

// The first of "<name>.<extension>", "<name> 1.<extension>", … that no file
// in `folder` has, with the characters a file name cannot hold replaced in
// `name`.
QString FreeFileName(const QString& name, const QString& extension, const QString& folder);
