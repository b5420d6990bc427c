// Every modal question, message and hand-off to the desktop goes through
// here. The program uses the real dialogs; tests install their own Prompts
// to answer them without blocking on a modal window.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct PrintOptions;
class QPrinter;
class QUrl;
class QWidget;

class Prompts
{
public:
    virtual ~Prompts() = default;

    // A message box with the program's title, the text, no icon and "OK".
    virtual void Message(QWidget* parent, const QString& text);
    // The error box: the program's title, an error icon and "OK".
    virtual void Error(QWidget* parent, const QString& text);
    // A yes/no question; true for yes.
    virtual bool Confirm(QWidget* parent, const QString& text);
    // The open dialog for tests, starting in `folder` with `fileName`
    // proposed; the chosen path, or empty when cancelled.
    virtual QString OpenTestFileName(QWidget* parent, const QString& folder,
                                     const QString& fileName);
    // The save dialog for text files, asking before overwriting; the chosen
    // path, or empty when cancelled.
    virtual QString SaveTextFileName(QWidget* parent, const QString& folder,
                                     const QString& fileName);
    // The open dialog of an import source with its `filters`, the first of
    // them chosen; the chosen path, or empty when cancelled. The filter in
    // use when the dialog closed goes to `chosenFilter`.
    virtual QString OpenImportFileName(QWidget* parent, const QString& folder,
                                       const QString& fileName, const QStringList& filters,
                                       QString& chosenFilter);
    // The save dialog of an export, asking before overwriting: one filter
    // per format with the name proposed for it, `filterIndex` chosen first.
    // The chosen path, or empty when cancelled; the index of the filter in
    // use when the dialog closed goes to `filterIndex`.
    virtual QString SaveExportFileName(QWidget* parent, const QString& folder,
                                       const QStringList& filters, const QStringList& fileNames,
                                       int& filterIndex);
    // Opens a file or folder with the program the desktop associates with it.
    virtual void OpenUrl(const QUrl& url);
    // Hands a test file to the program the desktop associates with .test
    // files; false when the desktop has none or could not start it.
    virtual bool OpenTestWithDesktop(const QString& path);
    // Starts `program` with `arguments` on its own; false when it could not
    // be started (it is missing, say).
    virtual bool StartProgram(const QString& program, const QStringList& arguments);
    virtual void Beep();
    // What printing the student sheets asks first, proposing `options`; false
    // when cancelled, else `options` holds the answer.
    virtual bool AskPrintOptions(QWidget* parent, PrintOptions& options);
    // A print preview of what `render` paints onto the printer.
    virtual void PrintPreview(QWidget* parent, const QString& title,
                              const std::function<void(QPrinter*)>& render);

    // The prompts in use; the real ones unless a test installed others.
    static Prompts& Current();
    // Installs `prompts` (not owned); nullptr goes back to the real ones.
    static void Install(Prompts* prompts);
};
