// Answers the program's modal questions in tests and records what was asked,
// so that no test blocks on a real dialog.
#pragma once

#include "app/PrintedVersion.h"
#include "app/Prompts.h"

#include <QList>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class FakePrompts : public Prompts
{
public:
    FakePrompts() { Install(this); }
    ~FakePrompts() override { Install(nullptr); }

    // What the program showed.
    QStringList messages;
    QStringList errors;
    QStringList questions;
    QList<QUrl> openedUrls;
    QStringList desktopTests;               // tests handed to the desktop
    QList<QStringList> startedPrograms;     // program, then its arguments
    int beeps = 0;
    QString printTitle;
    // What printing asked: the options it proposed, one entry per question.
    QList<PrintOptions> printOptionsProposed;
    std::function<void(QPrinter*)> printRender;

    // What the open and save dialogs were given.
    QString openFolder, openProposal, saveFolder, saveProposal;

    // Answers, taken in order; an empty queue answers "cancel" / "no".
    QStringList openAnswers;
    QStringList saveAnswers;
    QList<bool> confirmAnswers;
    bool desktopOpensTests = true;  // the desktop has a program for tests
    bool programsStart = true;
    // The print options chosen, taken in order; an empty queue takes the
    // proposal as it stands ("ok"), a null entry cancels.
    QList<std::optional<PrintOptions>> printOptionsAnswers;

    void Message(QWidget*, const QString& text) override { messages << text; }
    void Error(QWidget*, const QString& text) override { errors << text; }
    bool Confirm(QWidget*, const QString& text) override
    {
        questions << text;
        return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
    }
    QString OpenTestFileName(QWidget*, const QString& folder, const QString& fileName) override
    {
        openFolder = folder;
        openProposal = fileName;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString SaveTextFileName(QWidget*, const QString& folder, const QString& fileName) override
    {
        saveFolder = folder;
        saveProposal = fileName;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    // The import and export dialogs: the filters offered, the names
    // proposed, and the filter each answer comes with (the first filter
    // offered when none is queued).
    QStringList importFilters, exportFilters, exportProposals;
    int exportFilterOffered = -1;
    QStringList importFilterAnswers;
    QList<int> exportFilterAnswers;
    QString OpenImportFileName(QWidget*, const QString& folder, const QString& fileName,
                               const QStringList& filters, QString& chosenFilter) override
    {
        openFolder = folder;
        openProposal = fileName;
        importFilters = filters;
        chosenFilter = importFilterAnswers.isEmpty() ? filters.value(0) : importFilterAnswers.takeFirst();
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString SaveExportFileName(QWidget*, const QString& folder, const QStringList& filters,
                               const QStringList& fileNames, int& filterIndex) override
    {
        saveFolder = folder;
        exportFilters = filters;
        exportProposals = fileNames;
        exportFilterOffered = filterIndex;
        if (!exportFilterAnswers.isEmpty())
            filterIndex = exportFilterAnswers.takeFirst();
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    void OpenUrl(const QUrl& url) override { openedUrls << url; }
    bool OpenTestWithDesktop(const QString& path) override
    {
        desktopTests << path;
        return desktopOpensTests;
    }
    bool StartProgram(const QString& program, const QStringList& arguments) override
    {
        startedPrograms << (QStringList{program} + arguments);
        return programsStart;
    }
    void Beep() override { ++beeps; }
    bool AskPrintOptions(QWidget*, PrintOptions& options) override
    {
        printOptionsProposed << options;
        if (printOptionsAnswers.isEmpty())
            return true;
        const std::optional<PrintOptions> answer = printOptionsAnswers.takeFirst();
        if (answer)
            options = *answer;
        return answer.has_value();
    }
    void PrintPreview(QWidget*, const QString& title,
                      const std::function<void(QPrinter*)>& render) override
    {
        printTitle = title;
        printRender = render;
    }
};
