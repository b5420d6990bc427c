#include "runner/RunnerPrompts.h"

#include "ui/ChosenFile.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

RunnerPrompts* g_installed = nullptr;

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, RunnerTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

QString RunnerTitle()
{
    return QStringLiteral("Testarion – rozwiązywanie testu");
}

void RunnerPrompts::Message(QWidget* parent, const QString& text)
{
    ShowBox(parent, QMessageBox::Information, text);
}

void RunnerPrompts::Error(QWidget* parent, const QString& text)
{
    ShowBox(parent, QMessageBox::Critical, text);
}

bool RunnerPrompts::Confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, RunnerTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("Tak"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nie"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QString RunnerPrompts::OpenTestFileName(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QStringLiteral("Otwórz test"), folder,
                       QStringLiteral("Pliki z testami (*.test)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return ChosenFile(dialog);
}

QString RunnerPrompts::SaveResultsFileName(QWidget* parent, const QString& proposal)
{
    QFileDialog dialog(parent, QStringLiteral("Zapisz wyniki jako…"), proposal,
                       QStringLiteral("Pliki CSV (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    // The result is appended to a file that exists, never written over it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return ChosenFile(dialog);
}

RunnerPrompts& RunnerPrompts::Current()
{
    static RunnerPrompts real;
    return g_installed ? *g_installed : real;
}

void RunnerPrompts::Install(RunnerPrompts* prompts)
{
    g_installed = prompts;
}
