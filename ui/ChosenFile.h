// Runs a file dialog and gives the file chosen, or an empty path when the
// user cancelled or chose nothing.
#pragma once

#include <QString>

class QFileDialog;

QString ChosenFile(QFileDialog& dialog);
