// Answers the test runner's modal questions in tests and records what was
// asked, so that no test blocks on a real dialog.
#pragma once

#include "runner/RunnerPrompts.h"

#include <QList>
#include <QStringList>

class FakeRunnerPrompts : public RunnerPrompts
{
public:
    FakeRunnerPrompts() { Install(this); }
    ~FakeRunnerPrompts() override { Install(nullptr); }

    // What the runner showed.
    QStringList messages;
    QStringList errors;
    QStringList questions;
    QString saveProposal;

    // Answers, taken in order; an empty queue answers "cancel" / "no".
    QList<bool> confirmAnswers;
    QStringList saveAnswers;

    void Message(QWidget*, const QString& text) override { messages << text; }
    void Error(QWidget*, const QString& text) override { errors << text; }
    bool Confirm(QWidget*, const QString& text) override
    {
        questions << text;
        return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
    }
    QString OpenTestFileName(QWidget*, const QString&) override { return {}; }
    QString SaveResultsFileName(QWidget*, const QString& proposal) override
    {
        saveProposal = proposal;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
};
