// The exchange formats' common entry points.
#include "model/Exchange.h"

#include "model/ExchangeText.h"

namespace {

const char* FormatName(TExchangeFormat format)
{
    switch (format) {
    case TExchangeFormat::MoodleXml:
        return "Moodle XML";
    case TExchangeFormat::Gift:
        return "GIFT";
    case TExchangeFormat::Aiken:
        return "Aiken";
    }
    return "";
}

} // namespace

std::string ExportSkipReason(const TQuestion& question, TExchangeFormat format)
{
    const std::string name = std::string("format ") + FormatName(format);
    const exchange::TScoring scoring = exchange::ScoringOf(question);
    if (format == TExchangeFormat::Aiken) {
        if (scoring.PositiveCount != 1)
            return name + " wymaga dokładnie jednej poprawnej odpowiedzi";
        if (question.Answers.size() > 26)
            return name + " mieści najwyżej 26 odpowiedzi";
        // A question line left empty would make the first answer the question.
        if (exchange::TrimSpace(exchange::OnOneLine(exchange::ToUtf8Text(question.Text))).empty())
            return name + " wymaga treści pytania";
    }
    if (question.Answers.size() < 2)
        return name + " wymaga co najmniej dwóch odpowiedzi";
    if (scoring.PositiveCount == 0)
        return name + " wymaga co najmniej jednej poprawnej odpowiedzi";
    if (format == TExchangeFormat::Gift) {
        for (const auto& answer : question.Answers) {
            // GIFT has no escape for it: the question would read as matching.
            if (answer->Text.find("->") != std::string::npos)
                return name + " nie pozwala na znaki „->” w odpowiedziach";
        }
    }
    // Several answers of full credit would read back as a question of
    // several correct answers, which single choice is not.
    if (scoring.BestCount > 1)
        return name + " wymaga jednej najwyżej punktowanej odpowiedzi";
    return {};
}

std::string ExportTest(const TTest& test, TExchangeFormat format, std::vector<int32_t>& skipped)
{
    skipped.clear();
    switch (format) {
    case TExchangeFormat::MoodleXml:
        return exchange::ExportMoodleXml(test, skipped);
    case TExchangeFormat::Gift:
        return exchange::ExportGift(test, skipped);
    case TExchangeFormat::Aiken:
        return exchange::ExportAiken(test, skipped);
    }
    return {};
}

void ImportTest(const std::string& bytes, TExchangeFormat format, TTest& test,
                std::vector<std::string>& notes)
{
    const std::string text = exchange::DecodeFileText(bytes);
    switch (format) {
    case TExchangeFormat::MoodleXml:
        exchange::ImportMoodleXml(text, test, notes);
        break;
    case TExchangeFormat::Gift:
        exchange::ImportGift(text, test, notes);
        break;
    case TExchangeFormat::Aiken:
        exchange::ImportAiken(text, test, notes);
        break;
    }
}
