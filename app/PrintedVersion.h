// The versions of a test that the groups of a class get on paper: the same
// questions, each group with an order of its own. A version names positions
// in the test and never changes the test itself.
#pragma once

#include "model/Baza.h"

#include <QString>

#include <random>
#include <vector>

// What the teacher asks for before the student sheets are printed.
struct PrintOptions
{
    int groups = 1;  // 1 to 6
    bool shuffleQuestions = true;
    bool shuffleAnswers = true;
    bool includeKey = false;
};

struct PrintedVersion
{
    QString group;               // "Grupa A", …; empty when the class is one group
    std::vector<int> questions;  // the test's question indexes in printed order
    // For every printed question, its answer indexes in printed order.
    std::vector<std::vector<int>> answers;

    bool operator==(const PrintedVersion& other) const
    {
        return questions == other.questions && answers == other.answers;
    }
};

// The test in its own order, for one group.
PrintedVersion OriginalVersion(const TTest& test);

// One version per group. A single group gets the test in its own order;
// several get "Grupa A", "Grupa B", … and, as asked, their questions and
// answers shuffled by `generator`, each group's order differing from the
// others' wherever the test has orders enough.
std::vector<PrintedVersion> DrawVersions(const TTest& test, const PrintOptions& options,
                                         std::mt19937& generator);

// "<number> – <letter>" (Windows-1250) for the question printed at 0-based
// `position` of `version`: the letter under which the first answer scoring
// exactly 1 is printed; nothing after the dash when no answer does.
std::string VersionKeyText(const TTest& test, const PrintedVersion& version, int position);
