// Text wrapped at a given width, laid out once and then measured or drawn.
// The question list and the answer labels share it, so that what they
// measure is exactly what they draw.
#pragma once

#include <QSize>
#include <QTextLayout>
#include <QTextOption>

#include <climits>

class QFont;
class QPainter;
class QPoint;

class WrappedText
{
public:
    // Lines break at word boundaries (inside a word only when it is wider
    // than the line) and at each "\n". A "\n" at the very end closes the
    // last line and starts no empty one. Empty text is one empty line.
    // Lines starting at or below `maxHeight` are left out, so that a long
    // text costs only what can be seen of it.
    WrappedText(QString text, const QFont& font, int wrapWidth, int maxHeight = INT_MAX);

    // The height of all lines and the width of the longest one.
    QSize size() const { return m_size; }
    // Draws in the painter's pen with the first line's top left at `topLeft`.
    void draw(QPainter* painter, const QPoint& topLeft) const;

private:
    QTextLayout m_layout;
    QSize m_size;
};

// How a text is wrapped: at word boundaries, and anywhere inside a word wider
// than the line. Qt lays out such a word anew for each line it fills, so a
// text holding an immensely long one (from a damaged file, say) would take
// minutes; that text is wrapped anywhere, at a cost linear in its length.
QTextOption::WrapMode WrapModeFor(const QString& text);
