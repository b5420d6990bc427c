// A memo in which Enter does not break the line but emits returnPressed().
// Ctrl+Enter still breaks it, and line breaks that are pasted in stay. A
// click in the text emits clicked().
#pragma once

#include <QPlainTextEdit>

class ReturnKeyMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

signals:
    void returnPressed();
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
