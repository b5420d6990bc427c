#include "PictureButton.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

PictureButton::PictureButton(const QString& picture, const QString& caption, QSize size,
                             QWidget* parent)
    : QAbstractButton(parent)
    , m_picture(picture)
    , m_size(size)
{
    setText(caption);
    setAccessibleName(caption);
    setToolTip(QString());
    setCursor(Qt::PointingHandCursor);
    // Tab reaches it; a click presses it without taking the focus from
    // where the user was typing.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    resize(size);
}

QSize PictureButton::sizeHint() const
{
    return m_size;
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Picture(underMouse()).paint(&painter, rect());
    if (hasFocus() && m_focusFrame) {
        // The style's focus frame is lost on the blue picture: a dotted line
        // in the caption's white shows which button Space and Enter press.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 2, Qt::DotLine));
        painter.drawRoundedRect(QRectF(rect()).adjusted(5, 5, -5, -5), 4, 4);
    }
}

const QIcon& PictureButton::Picture(bool hover)
{
    QIcon& icon = hover ? m_hover : m_normal;
    if (icon.isNull())
        icon = QIcon(QStringLiteral(":/buttons/%1%2.png").arg(m_picture, hover ? QStringLiteral("_hover") : QString()));
    return icon;
}

void PictureButton::focusInEvent(QFocusEvent* event)
{
    // The frame is for those who move with the keyboard; the focus that a
    // page change hands on shows none.
    const Qt::FocusReason reason = event->reason();
    m_focusFrame = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                   || reason == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    // Space is handled by QAbstractButton; Enter presses the picture too,
    // as it would a push button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
