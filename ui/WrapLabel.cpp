#include "WrapLabel.h"

#include "WrappedText.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// The two pixels a label keeps beside its text, one on each side.
constexpr int kMargin = 1;
// The frame under the pointer, in the colour of the edits' borders.
const QColor kHoverFrameColor(0x7f, 0x9d, 0xb9);

} // namespace

WrapLabel::WrapLabel(QWidget* parent)
    : QWidget(parent)
{
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_Hover);
}

void WrapLabel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    measure();
    update();
}

void WrapLabel::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    measure();
}

void WrapLabel::measure()
{
    if (!m_autoSize)
        return;
    const QSize size = WrappedText(m_text, font(), width() - 2 * kMargin).size();
    resize(size.width() + 2 * kMargin, size.height());
}

void WrapLabel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (underMouse()) {
        painter.setPen(kHoverFrameColor);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.setPen(underMouse() ? QColor(Qt::blue) : palette().color(foregroundRole()));
    WrappedText(m_text, font(), width() - 2 * kMargin, event->rect().bottom() + 1)
        .draw(&painter, QPoint(kMargin, 0));
}

void WrapLabel::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    update();
}

void WrapLabel::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    update();
}

void WrapLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void WrapLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the label, as with a button.
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
