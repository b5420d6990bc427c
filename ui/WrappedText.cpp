#include "WrappedText.h"

#include <QPainter>
#include <QTextOption>
#include <QtMath>

WrappedText::WrappedText(QString text, const QFont& font, int wrapWidth)
{
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout.setText(text);
    m_layout.setFont(font);
    m_layout.setTextOption(option);

    qreal top = 0;
    qreal widest = 0;
    m_layout.beginLayout();
    for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine()) {
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
