#include "Memo.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextDocument>

void PutText(QPlainTextEdit* memo, const QString& text)
{
    // setPlainText rebuilds the document and reports a change even when the
    // text is the same.
    if (MemoText(memo) != text)
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

QString MemoText(const QPlainTextEdit* memo)
{
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}
