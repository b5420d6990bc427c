// Where the program keeps its tests.
#pragma once

#include <QString>

#include <functional>

// The folder of tests, with a separator at its end. "Testy" beside the
// program while the user may write there (a portable copy, or a build); else
// "Testy" in the user's documents folder, created on first use with the
// program's example tests copied in. Should that fail too, the folder beside
// the program, so that errors name the place the program really uses.
// `mayWrite` tells whether the user may create files in a folder.
QString ChooseTestsFolder(const QString& programFolder, const QString& documentsFolder,
                          const std::function<bool(const QString& folder)>& mayWrite);

// Whether the user may create files in `folder` (which must exist).
bool UserMayWriteFolder(const QString& folder);
