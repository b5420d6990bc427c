#include "PrintedText.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>

QString PrintedText(const std::function<void(QPrinter*)>& render, const QString& folder)
{
    const QString pdf = QDir(folder).filePath(QStringLiteral("wydruk.pdf"));
    QFile::remove(pdf);
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        render(&printer);
    }
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                  pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        qFatal("pdftotext failed: %s", pdftotext.readAllStandardError().constData());
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}
