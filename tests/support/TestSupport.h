// Small helpers shared by the GUI tests.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

// Whole-file bytes, for fixtures and for checking what the program wrote.
QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// Runs `action` on the next modal dialog as soon as it is shown and active (the call
// that shows it blocks until the action closes it).
void WhenModalShown(const std::function<void(QDialog*)>& action);

// Types text key by key, Polish letters included (QTest::keyClicks only
// knows ASCII).
void TypeText(QWidget* widget, const QString& text);

// Clicks a widget found by object name under `root`; fails the test when
// there is none.
void ClickChild(QWidget* root, const char* objectName);

// The text of what `render` prints on A4, through a PDF file in `folder`
// and pdftotext; pages are separated by form feeds.
QString PrintedText(const std::function<void(QPrinter*)>& render, const QString& folder);
