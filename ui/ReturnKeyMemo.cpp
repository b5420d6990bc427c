#include "ReturnKeyMemo.h"

#include <QKeyEvent>
#include <QMouseEvent>

void ReturnKeyMemo::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        emit returnPressed();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ReturnKeyMemo::mouseReleaseEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && viewport()->rect().contains(event->position().toPoint()))
        emit clicked();
}
