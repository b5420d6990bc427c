// Scoring a finished attempt at a test: the points of the chosen answers,
// the most that could be scored, the percent, and the verdict of the score
// range the result falls in. Plain C++, no user interface.
#pragma once

#include "model/Baza.h"

#include <cstdint>
#include <string>
#include <vector>

// One question as the student meets it: the answers it holds, in file order.
// Slots a file declared but never filled are left out, so the position in
// `Answers` is the letter the student sees (0 is A).
struct TAskedQuestion
{
    const TQuestion* Question = nullptr;
    std::vector<const TAnswer*> Answers;
};

// The questions a test holds, in file order, each with its answers.
std::vector<TAskedQuestion> QuestionsToAsk(const TTest& test);

// The highest score among the answers, or 0 when none scores above 0.
int64_t BestScore(const TAskedQuestion& question);
// Whether the answer at `answer` scores the question's best score above 0.
bool IsCorrect(const TAskedQuestion& question, int answer);
// The positions of the correct answers (best score above 0), in order.
std::vector<int> CorrectAnswers(const TAskedQuestion& question);

// "A" … "Z", then "AA", "AB", … for answers beyond the alphabet.
std::string AnswerLetter(int index);

// The chosen answer of each asked question: its position, or -1 unanswered.
using TChoices = std::vector<int>;

struct TScore
{
    int64_t Points = 0;
    int64_t Maximum = 0;
    // 100 × points ÷ maximum rounded down; 0 when the maximum is 0.
    int64_t Percent = 0;
    // The percent when the test counts in percent, else the points.
    int64_t Result = 0;
    // The first range, in file order, holding the result; nullptr for none.
    const TScoreRange* Range = nullptr;
};

// Scores `choices` (one per asked question; a missing or out-of-range
// choice counts as unanswered) against the test's ranges.
TScore ScoreAttempt(const TTest& test, const std::vector<TAskedQuestion>& asked,
                    const TChoices& choices);

// The number of asked questions left unanswered.
int UnansweredCount(const TChoices& choices);
