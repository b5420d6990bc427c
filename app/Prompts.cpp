#include "Prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

Prompts* g_installed = nullptr;

QString ApplicationTitle()
{
    return QStringLiteral("Testarion");
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void Prompts::Message(QWidget* parent, const QString& text)
{
    ShowBox(parent, QMessageBox::NoIcon, text);
}

void Prompts::Error(QWidget* parent, const QString& text)
{
    ShowBox(parent, QMessageBox::Critical, text);
}

bool Prompts::Confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, ApplicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nie"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString Prompts::OpenTestFileName(QWidget* parent, const QString& folder, const QString& fileName)
{
    QFileDialog dialog(parent, QStringLiteral("Otwórz"), folder,
                       QStringLiteral("Pliki z testami (*.test)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name need not be that of an existing file.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("test"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString Prompts::SaveTextFileName(QWidget* parent, const QString& folder, const QString& fileName)
{
    QFileDialog dialog(parent, QStringLiteral("Zapisz jako"), folder,
                       QStringLiteral("Pliki tekstowe (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void Prompts::OpenUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

bool Prompts::OpenTestWithDesktop(const QString& path)
{
    // A desktop without a program for the type either fails with no more
    // than a line on the console, or hands the file, text after all, to a
    // text editor: neither lets anyone take the test.
    const QString type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
    if (type != QLatin1String("application/x-testarion-test"))
        return false;
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!xdgMime.isEmpty()) {
        QProcess query;
        query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
        if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit
            || query.exitCode() != 0 || query.readAllStandardOutput().trimmed().isEmpty())
            return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool Prompts::StartProgram(const QString& program, const QStringList& arguments)
{
    return QFileInfo(program).isExecutable() && QProcess::startDetached(program, arguments);
}

void Prompts::Beep()
{
    QApplication::beep();
}

void Prompts::PrintPreview(QWidget* parent, const QString& title,
                           const std::function<void(QPrinter*)>& render)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&render](QPrinter* p) { render(p); });
    dialog.exec();
}

Prompts& Prompts::Current()
{
    static Prompts real;
    return g_installed ? *g_installed : real;
}

void Prompts::Install(Prompts* prompts)
{
    g_installed = prompts;
}
