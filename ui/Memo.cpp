#include "Memo.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

void PutText(QPlainTextEdit* memo, const QString& text)
{
    // setPlainText rebuilds the document and reports a change even when the
    // text is the same.
    if (memo->toPlainText() != text)
        memo->setPlainText(text);
}

void PutText(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

void EmptyMemo(QPlainTextEdit* memo)
{
    const QSignalBlocker blocker(memo);
    memo->clear();
}
