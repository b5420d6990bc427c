#include "TestGenerator.h"

#include <iterator>
#include <random>
#include <string>

namespace {

// Words as Windows-1250 bytes (ą B9, ć E6, ę EA, ł B3, ń F1, ó F3, ś 9C, ź 9F, ż BF).
const char* const kWords[] = {
    "kt\xF3ry", "jest", "najwi\xEA" "kszym", "miastem", "w", "Polsce", "rzeka", "wydarzenie",
    "r\xF3wnanie", "pierwiastek", "zwi\xB9zek", "chemiczny", "kr\xF3l", "bitwa", "pod",
    "Grunwaldem", "ile", "wynosi", "suma", "k\xB9t\xF3w", "tr\xF3jk\xB9ta", "g\xB3" "\xF3wna",
    "stolica", "pa\xF1stwa", "jak", "nazywa", "si\xEA", "ssak", "\xBFyj\xB9" "cy", "morzu",
    "\x9F" "r\xF3" "d\xB3o", "energii", "\x9Cwiat\xB3" "a", "pr\xEA" "dko\x9C\xE6", "d\xB3ugo\x9C\xE6",
    "fali", "epoka", "o\x9Cwiecenia", "autor",
};

std::string Sentence(std::mt19937& generator, int minLength, int maxLength, char end)
{
    std::uniform_int_distribution<int> length(minLength, maxLength);
    std::uniform_int_distribution<std::size_t> word(0, std::size(kWords) - 1);
    const auto wanted = static_cast<std::size_t>(length(generator));
    std::string text;
    while (text.size() + 1 < wanted) {
        if (!text.empty())
            text += ' ';
        text += kWords[word(generator)];
    }
    text.resize(wanted - 1);
    if (text.back() == ' ')
        text.back() = 'a';
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text + end;
}

} // namespace

std::unique_ptr<TTest> GenerateTest(int questions, unsigned seed)
{
    std::mt19937 generator(seed);
    auto test = std::make_unique<TTest>();
    test->Title = "Sprawdzian z wiedzy og\xF3lnej (" + std::to_string(questions) + " pyta\xF1)";
    test->Description = Sentence(generator, 60, 120, '.');
    test->FontSize = 14;
    test->Percentage = true;
    const char* bounds[][3] = {{"0", "59", "Test niezaliczony"}, {"60", "100", "Test zaliczony"}};
    for (const auto& bound : bounds) {
        TScoreRange* range = test->AddRange();
        range->LowerBound = bound[0];
        range->UpperBound = bound[1];
        range->Description = bound[2];
    }
    std::uniform_int_distribution<int> correct(0, 2);
    for (int i = 0; i < questions; ++i) {
        TQuestion* question = test->AddQuestion();
        question->Text = Sentence(generator, 80, 300, '?');
        const int right = correct(generator);
        for (int a = 0; a < 3; ++a) {
            question->GetAnswer(a)->Text = Sentence(generator, 20, 120, '.');
            question->GetAnswer(a)->Score = a == right ? 1 : 0;
        }
    }
    return test;
}
