#include "model/Scoring.h"

#include <algorithm>

namespace {

// Division rounded towards minus infinity: negative scores exist, and
// "rounded down" must mean down for them too.
int64_t FloorDivide(int64_t numerator, int64_t denominator)
{
    const int64_t quotient = numerator / denominator;
    const bool inexact = quotient * denominator != numerator;
    return inexact && ((numerator < 0) != (denominator < 0)) ? quotient - 1 : quotient;
}

bool Chosen(const TAskedQuestion& question, int answer)
{
    return answer >= 0 && answer < static_cast<int>(question.Answers.size());
}

// The first range whose bounds, read as integers, hold `result`. A range
// with a bound that is not a number holds nothing.
const TScoreRange* RangeHolding(const TTest& test, int64_t result)
{
    for (const auto& range : test.Ranges) {
        int32_t lower = 0;
        int32_t upper = 0;
        if (range && TryParseInt(range->LowerBound, lower) && TryParseInt(range->UpperBound, upper)
            && lower <= result && result <= upper)
            return range.get();
    }
    return nullptr;
}

} // namespace

std::vector<TAskedQuestion> QuestionsToAsk(const TTest& test)
{
    std::vector<TAskedQuestion> asked;
    for (const auto& question : test.Questions) {
        if (!question)
            continue;
        TAskedQuestion entry;
        entry.Question = question.get();
        for (const auto& answer : question->Answers)
            if (answer)
                entry.Answers.push_back(answer.get());
        asked.push_back(std::move(entry));
    }
    return asked;
}

int64_t BestScore(const TAskedQuestion& question)
{
    int64_t best = 0;
    for (const TAnswer* answer : question.Answers)
        best = std::max<int64_t>(best, answer->Score);
    return best;
}

bool IsCorrect(const TAskedQuestion& question, int answer)
{
    const int64_t best = BestScore(question);
    return Chosen(question, answer) && best > 0 && question.Answers[answer]->Score == best;
}

std::vector<int> CorrectAnswers(const TAskedQuestion& question)
{
    std::vector<int> correct;
    for (int i = 0; i < static_cast<int>(question.Answers.size()); ++i)
        if (IsCorrect(question, i))
            correct.push_back(i);
    return correct;
}

std::string AnswerLetter(int index)
{
    std::string letters;
    for (int rest = index + 1; rest > 0; rest = (rest - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (rest - 1) % 26));
    return letters;
}

TScore ScoreAttempt(const TTest& test, const std::vector<TAskedQuestion>& asked,
                    const TChoices& choices)
{
    TScore score;
    for (size_t i = 0; i < asked.size(); ++i) {
        score.Maximum += BestScore(asked[i]);
        const int answer = i < choices.size() ? choices[i] : -1;
        if (Chosen(asked[i], answer))
            score.Points += asked[i].Answers[answer]->Score;
    }
    score.Percent = score.Maximum > 0 ? FloorDivide(100 * score.Points, score.Maximum) : 0;
    score.Result = test.Percentage ? score.Percent : score.Points;
    score.Range = RangeHolding(test, score.Result);
    return score;
}

int UnansweredCount(const TChoices& choices)
{
    return static_cast<int>(std::count(choices.begin(), choices.end(), -1));
}
