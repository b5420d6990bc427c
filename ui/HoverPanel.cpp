#include "HoverPanel.h"

#include "Fonts.h"

#include <QPainter>

HoverPanel::HoverPanel(QWidget* parent)
    : QFrame(parent)
{
    setAutoFillBackground(true);
    SetBackground(Qt::white);
}

void HoverPanel::enterEvent(QEnterEvent* event)
{
    SetBackground(HighlightColor());
    QFrame::enterEvent(event);
}

void HoverPanel::leaveEvent(QEvent* event)
{
    SetBackground(Qt::white);
    QFrame::leaveEvent(event);
}

void HoverPanel::hideEvent(QHideEvent* event)
{
    // A panel hidden under the pointer gets no leave event; it must not come
    // back highlighted.
    SetBackground(Qt::white);
    QFrame::hideEvent(event);
}

void HoverPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    // Drawn here rather than as a frame style, which would take the border
    // colour from the text colour that the children inherit.
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void HoverPanel::SetBackground(const QColor& color)
{
    QPalette palette = this->palette();
    if (palette.color(QPalette::Window) == color)
        return;
    palette.setColor(QPalette::Window, color);
    setPalette(palette);
}
