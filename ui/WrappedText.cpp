#include "WrappedText.h"

#include <QPainter>
#include <QtMath>

WrappedText::WrappedText(QString text, const QFont& font, int wrapWidth, int maxHeight)
{
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);

    QTextOption option;
    option.setWrapMode(WrapModeFor(text));
    m_layout.setText(text);
    m_layout.setFont(font);
    m_layout.setTextOption(option);

    qreal top = 0;
    qreal widest = 0;
    m_layout.beginLayout();
    while (top < maxHeight) {
        QTextLine line = m_layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(qMax(0, wrapWidth));
        line.setPosition(QPointF(0, top));
        top += line.height();
        widest = qMax(widest, line.naturalTextWidth());
    }
    m_layout.endLayout();
    m_size = QSize(qCeil(widest), qCeil(top));
}

void WrappedText::draw(QPainter* painter, const QPoint& topLeft) const
{
    m_layout.draw(painter, topLeft);
}

QTextOption::WrapMode WrapModeFor(const QString& text)
{
    // Far longer than any word of any language.
    constexpr int kLongestWord = 1000;
    int wordLength = 0;
    for (const QChar character : text) {
        wordLength = character.isSpace() ? 0 : wordLength + 1;
        if (wordLength > kLongestWord)
            return QTextOption::WrapAnywhere;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}
