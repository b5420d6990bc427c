#include "Panel.h"

#include <QPainter>

Panel::Panel(const QColor& background, bool border, QWidget* parent)
    : QFrame(parent)
    , m_border(border)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
}

void Panel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    // Drawn here rather than as a frame style, which would take the border
    // colour from the text colour that the children inherit.
    if (m_border) {
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void Panel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    emit resized();
}
