#include "TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QTimer>

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write fixture %s", qPrintable(path));
    file.write(bytes);
}

void WhenModalShown(const std::function<void(QDialog*)>& action)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        // Shown is not enough: until the window system has activated the
        // dialog, its focus widget has no focus yet and keys go elsewhere.
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || QApplication::activeWindow() != dialog)
            return;
        timer->stop();
        timer->deleteLater();
        action(dialog);
    });
    timer->start();
}

void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void ClickChild(QWidget* root, const char* objectName)
{
    auto* child = root->findChild<QWidget*>(QLatin1String(objectName));
    if (!child)
        qFatal("no widget named %s", objectName);
    QTest::mouseClick(child, Qt::LeftButton);
}

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
