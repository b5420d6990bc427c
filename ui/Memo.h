// Text setters that follow the program's change rules: putting the text a
// control already holds runs no change handler, and neither does emptying a
// memo from the program.
#pragma once

class QLineEdit;
class QPlainTextEdit;
class QString;

void PutText(QPlainTextEdit* memo, const QString& text);
void PutText(QLineEdit* edit, const QString& text);
void EmptyMemo(QPlainTextEdit* memo);
// The memo's text with "\n" between its lines and every other character as
// held; toPlainText() would turn no-break spaces into spaces.
QString MemoText(const QPlainTextEdit* memo);
