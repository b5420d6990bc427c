#include "Prompts.h"

#include "dialogs/PrintOptionsDialog.h"
#include "ui/ChosenFile.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QMimeDatabase>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
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
    return ChosenFile(dialog);
}

QString Prompts::SaveTextFileName(QWidget* parent, const QString& folder, const QString& fileName)
{
    QFileDialog dialog(parent, QStringLiteral("Zapisz jako"), folder,
                       QStringLiteral("Pliki tekstowe (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(fileName);
    return ChosenFile(dialog);
}

QString Prompts::OpenImportFileName(QWidget* parent, const QString& folder, const QString& fileName,
                                   const QStringList& filters, QString& chosenFilter)
{
    QFileDialog dialog(parent, QStringLiteral("Otwórz"), folder, filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    const QString path = ChosenFile(dialog);
    if (!path.isEmpty())
        chosenFilter = dialog.selectedNameFilter();
    return path;
}

QString Prompts::SaveExportFileName(QWidget* parent, const QString& folder, const QStringList& filters,
                                    const QStringList& fileNames, int& filterIndex)
{
    QFileDialog dialog(parent, QStringLiteral("Eksportuj jako"), folder, filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Each format proposes its own name; the suffix follows the filter.
    const auto propose = [&dialog, &fileNames](int index) {
        if (index < 0 || index >= fileNames.size())
            return;
        dialog.setDefaultSuffix(QFileInfo(fileNames.at(index)).suffix());
        dialog.selectFile(fileNames.at(index));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&filters, propose](const QString& filter) { propose(int(filters.indexOf(filter))); });
    if (filterIndex >= 0 && filterIndex < filters.size())
        dialog.selectNameFilter(filters.at(filterIndex));
    propose(filterIndex);
    const QString path = ChosenFile(dialog);
    if (!path.isEmpty())
        filterIndex = int(filters.indexOf(dialog.selectedNameFilter()));
    return path;
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
