// Text wrapped at a given width, laid out once and then measured or drawn.
// The question list and the answer labels share it, so that what they
// measure is exactly what they draw.
#pragma once

#include <QSize>
#include <QTextLayout>

class QFont;
class QPainter;
class QPoint;

class WrappedText
{
public:
    // Lines break at word boundaries (inside a word only when it is wider
    // than the line) and at each "\n". A "\n" at the very end closes the
    // last line and starts no empty one. Empty text is one empty line.
    WrappedText(QString text, const QFont& font, int wrapWidth);

    // The height of all lines and the width of the longest one.
    QSize size() const { return m_size; }
    // Draws in the painter's pen with the first line's top left at `topLeft`.
    void draw(QPainter* painter, const QPoint& topLeft) const;

private:
    QTextLayout m_layout;
    QSize m_size;
};
