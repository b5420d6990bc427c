// What the program prints, read back as text.
#pragma once

#include <QString>

#include <functional>

class QPrinter;

// The text of what `render` prints on A4, through a PDF file in `folder`
// and pdftotext; pages are separated by form feeds.
QString PrintedText(const std::function<void(QPrinter*)>& render, const QString& folder);
