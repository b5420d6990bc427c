// Operations of the test model that do not touch the file format.
#include "Baza.h"

TAnswer* TQuestion::GetAnswer(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= Answers.size())
        return nullptr;
    return Answers[static_cast<size_t>(index)].get();
}

TAnswer* TQuestion::AddAnswer()
{
    Answers.push_back(std::make_unique<TAnswer>());
    ++AnswerCount;
    return Answers.back().get();
}

void TQuestion::CopyFrom(const TQuestion& other)
{
    if (&other == this)
        return;
    Text = other.Text;
    Kind = other.Kind;
    FontSize = other.FontSize;
    AnswerCount = other.AnswerCount;
    Answers.clear();
    Answers.reserve(other.Answers.size());
    for (const auto& answer : other.Answers)
        Answers.push_back(std::make_unique<TAnswer>(*answer));
}

TQuestion* TTest::GetQuestion(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= Questions.size())
        return nullptr;
    return Questions[static_cast<size_t>(index)].get();
}

TQuestion* TTest::AddQuestion()
{
    Questions.push_back(std::make_unique<TQuestion>());
    ++QuestionCount;
    TQuestion* question = Questions.back().get();
    question->Text = "Pytanie nr " + std::to_string(Questions.size());
    // "Odpowiedź" in Windows-1250: the model holds file bytes, not UTF-8.
    const char* const answerTexts[] = {"Odpowied\x9F A", "Odpowied\x9F B", "Odpowied\x9F C"};
    for (const char* answerText : answerTexts)
        question->AddAnswer()->Text = answerText;
    question->Answers.front()->Score = 1;
    question->Kind = "Jednokrotnego wyboru";
    return question;
}

void TTest::DeleteQuestion(int32_t index)
{
    // Checked against the questions held as well, so that a count set out of
    // step by a caller can never reach past the array.
    if (index < 0 || index >= QuestionCount || static_cast<size_t>(index) >= Questions.size())
        return;
    Questions.erase(Questions.begin() + index);
    --QuestionCount;
}

TScoreRange* TTest::AddRange()
{
    Ranges.push_back(std::make_unique<TScoreRange>());
    ++RangeCount;
    return Ranges.back().get();
}
