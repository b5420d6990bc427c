// Flat edits and memos whose background changes while the pointer is over
// them, so the user sees which field a click would land in.
#pragma once

class QColor;
class QWidget;

// Gives `edit` (a one-line edit or a memo) a flat one-pixel border and the
// background `hovered` while the pointer is over it, `normal` otherwise. The
// text keeps the colour the edit has when this is called.
void HighlightOnHover(QWidget* edit, const QColor& normal, const QColor& hovered);
