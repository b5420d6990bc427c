#include "Prompts.h"

#include "dialogs/PrintOptionsDialog.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QUrl>

namespace {

Prompts* g_installed = nullptr;

// The part of the screen's width and height the print preview takes.
constexpr qreal kPreviewShare = 0.85;

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
    box.setButtonText(QMessageBox::Yes, QStringLiteral("Tak"));
    box.setButtonText(QMessageBox::No, QStringLiteral("Nie"));
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

void Prompts::Beep()
{
    QApplication::beep();
}

bool Prompts::AskPrintOptions(QWidget* parent, PrintOptions& options)
{
    PrintOptionsDialog dialog(parent);
    dialog.SetOptions(options);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.Options();
    return true;
}

void Prompts::PrintPreview(QWidget* parent, const QString& title,
                           const std::function<void(QPrinter*)>& render)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    // Qt opens the preview small, with the whole page shrunk into it: it
    // takes most of the screen here, the page as wide as the view.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        dialog.resize(available.size() * kPreviewShare);
        dialog.move(available.center() - dialog.rect().center());
    }
    if (auto* fitWidth = dialog.findChild<QAction*>(QStringLiteral("fitWidthAction")))
        fitWidth->trigger();
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
