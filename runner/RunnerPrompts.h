// Every modal question and message of the test runner goes through here.
// The runner uses the real dialogs; tests install their own RunnerPrompts
// to answer them without blocking on a modal window.
#pragma once

#include <QString>

class QWidget;

class RunnerPrompts
{
public:
    virtual ~RunnerPrompts() = default;

    // A message box with the runner's title, the text and "OK".
    virtual void Message(QWidget* parent, const QString& text);
    // The error box: the runner's title, an error icon and "OK".
    virtual void Error(QWidget* parent, const QString& text);
    // A yes/no question; true for yes.
    virtual bool Confirm(QWidget* parent, const QString& text);
    // The open dialog for tests, starting in `folder`; the chosen path, or
    // empty when cancelled.
    virtual QString OpenTestFileName(QWidget* parent, const QString& folder);
    // The save dialog for a results file, `proposal` offered; the chosen
    // path, or empty when cancelled.
    virtual QString SaveResultsFileName(QWidget* parent, const QString& proposal);

    // The prompts in use; the real ones unless a test installed others.
    static RunnerPrompts& Current();
    // Installs `prompts` (not owned); nullptr goes back to the real ones.
    static void Install(RunnerPrompts* prompts);
};

// The runner's window and dialog title.
QString RunnerTitle();
