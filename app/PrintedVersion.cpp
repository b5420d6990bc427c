#include "PrintedVersion.h"

#include <algorithm>

namespace {

// Draws for a version that differs from those drawn before give up after
// this many tries: a test of one question with one answer has one order.
constexpr int kDrawTries = 100;

std::vector<int> AnswersOf(const TQuestion& question)
{
    std::vector<int> answers;
    for (int answer = 0; answer < 3; ++answer) {
        if (question.GetAnswer(answer))
            answers.push_back(answer);
    }
    return answers;
}

PrintedVersion Shuffled(const TTest& test, const PrintOptions& options, std::mt19937& generator)
{
    PrintedVersion version = OriginalVersion(test);
    if (options.shuffleQuestions)
        std::shuffle(version.questions.begin(), version.questions.end(), generator);
    for (std::size_t i = 0; i < version.questions.size(); ++i) {
        version.answers[i] = AnswersOf(*test.GetQuestion(version.questions[i]));
        if (options.shuffleAnswers)
            std::shuffle(version.answers[i].begin(), version.answers[i].end(), generator);
    }
    return version;
}

} // namespace

PrintedVersion OriginalVersion(const TTest& test)
{
    PrintedVersion version;
    for (int i = 0; i < test.QuestionCount; ++i) {
        const TQuestion* question = test.GetQuestion(i);
        if (!question)
            break;
        version.questions.push_back(i);
        version.answers.push_back(AnswersOf(*question));
    }
    return version;
}

std::vector<PrintedVersion> DrawVersions(const TTest& test, const PrintOptions& options,
                                         std::mt19937& generator)
{
    if (options.groups <= 1)
        return {OriginalVersion(test)};
    std::vector<PrintedVersion> versions;
    for (int group = 0; group < options.groups; ++group) {
        PrintedVersion version = Shuffled(test, options, generator);
        for (int tries = 1; tries < kDrawTries
                            && std::find(versions.begin(), versions.end(), version) != versions.end();
             ++tries)
            version = Shuffled(test, options, generator);
        version.group = QStringLiteral("Grupa %1").arg(QChar('A' + group));
        versions.push_back(std::move(version));
    }
    return versions;
}

std::string VersionKeyText(const TTest& test, const PrintedVersion& version, int position)
{
    // The en dash is byte 0x96 in Windows-1250.
    std::string text = std::to_string(position + 1) + " \x96 ";
    const TQuestion* question = test.GetQuestion(version.questions[std::size_t(position)]);
    const std::vector<int>& answers = version.answers[std::size_t(position)];
    for (std::size_t letter = 0; letter < answers.size(); ++letter) {
        if (question->GetAnswer(answers[letter])->Score == 1)
            return text + char('A' + letter);
    }
    return text;
}
