// Small builders shared by the runner's screens.
#pragma once

#include "ui/PictureButton.h"

#include <QLabel>

// A picture button of the runner, named for tests and tools.
PictureButton* MakeButton(QWidget* parent, const char* name, const char* picture,
                          const QString& caption, QSize size);
// A label in the program's typeface, word-wrapped when `wrap`.
QLabel* MakeLabel(QWidget* parent, const char* name, int pixelSize, bool bold, bool wrap);
