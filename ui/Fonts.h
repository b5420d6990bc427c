// The program's typeface. The design asks for "Trebuchet MS", which free
// desktops lack; it is mapped to Open Sans, a humanist sans of the same
// spirit that holds every Polish letter.
#pragma once

#include <QColor>
#include <QFont>

QFont DesignFont(int pixelSize, bool bold = false);

// The design's colours.
inline QColor WindowColor() { return QColor(166, 202, 240); }
inline QColor HighlightColor() { return QColor(255, 251, 240); }
inline QColor TextColor() { return QColor(0, 0, 128); }
