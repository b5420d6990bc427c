// Aiken: the question on one line, one "A. …" line per answer, then
// "ANSWER: X"; questions are parted by a blank line.
#include "model/Exchange.h"
#include "model/ExchangeText.h"

namespace exchange {

namespace {

// The 0-based answer of an answer line ("B. text", "B) text"), its text
// going to `text`; -1 for any other line.
int AnswerLine(const std::string& line, std::string& text)
{
    if (line.size() < 2 || line[0] < 'A' || line[0] > 'Z' || (line[1] != '.' && line[1] != ')'))
        return -1;
    if (line.size() > 2 && line[2] != ' ' && line[2] != '\t')
        return -1;
    text = TrimSpace(line.substr(2));
    return line[0] - 'A';
}

// The letter of an "ANSWER: X" line, or 0 for any other line.
char AnswerKeyLetter(const std::string& line)
{
    if (line.size() < 7)
        return 0;
    std::string head = line.substr(0, 7);
    for (char& c : head)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    if (head != "ANSWER:")
        return 0;
    const std::string letter = TrimSpace(line.substr(7));
    if (letter.size() != 1)
        return '?';
    const char c = letter[0] >= 'a' && letter[0] <= 'z' ? static_cast<char>(letter[0] - 32) : letter[0];
    return c >= 'A' && c <= 'Z' ? c : '?';
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.push_back(TrimSpace(line));
            line.clear();
        } else {
            line += text[i];
        }
    }
    lines.push_back(TrimSpace(line));
    return lines;
}

} // namespace

std::string ExportAiken(const TTest& test, std::vector<int32_t>& skipped)
{
    std::string out;
    for (size_t i = 0; i < test.Questions.size(); ++i) {
        const TQuestion& question = *test.Questions[i];
        if (!ExportSkipReason(question, TExchangeFormat::Aiken).empty()) {
            skipped.push_back(static_cast<int32_t>(i + 1));
            continue;
        }
        if (!out.empty())
            out += '\n';
        out += TrimSpace(OnOneLine(ToUtf8Text(question.Text))) + '\n';
        char correct = 'A';
        for (size_t a = 0; a < question.Answers.size(); ++a) {
            const char letter = static_cast<char>('A' + a);
            out += std::string(1, letter) + ". " + TrimSpace(OnOneLine(ToUtf8Text(question.Answers[a]->Text))) + '\n';
            if (question.Answers[a]->Score > 0)
                correct = letter;
        }
        out += std::string("ANSWER: ") + correct + '\n';
    }
    return out;
}

void ImportAiken(const std::string& text, TTest& test, std::vector<std::string>& notes)
{
    const std::vector<std::string> lines = Lines(text);
    bool anyKey = false;
    for (const std::string& line : lines)
        anyKey = anyKey || AnswerKeyLetter(line) != 0;
    if (!anyKey)
        throw std::runtime_error("Plik nie jest w formacie Aiken: nie ma w nim wierszy „ANSWER:”.");

    int number = 0;
    TReadQuestion question;
    bool inQuestion = false;
    std::string broken;  // why the question being read cannot be taken
    const auto finish = [&](char letter) {
        ++number;
        const int correct = letter - 'A';
        if (broken.empty() && question.Answers.size() < 2)
            broken = "mniej niż dwie odpowiedzi";
        if (broken.empty() && (correct < 0 || correct >= static_cast<int>(question.Answers.size())))
            broken = "poprawna odpowiedź nie należy do pytania";
        if (broken.empty()) {
            question.Correct = correct;
            AddReadQuestion(test, question);
        } else {
            notes.push_back(SkipNote(number, broken));
        }
        question = TReadQuestion();
        inQuestion = false;
        broken.clear();
    };
    for (const std::string& line : lines) {
        if (const char letter = AnswerKeyLetter(line)) {
            if (!inQuestion) {
                notes.push_back(SkipNote(number + 1, "odpowiedź poprawna bez pytania"));
                ++number;
                continue;
            }
            finish(letter == '?' ? 0 : letter);
            continue;
        }
        if (line.empty())
            continue;
        std::string answerText;
        const int answer = AnswerLine(line, answerText);
        if (!inQuestion) {
            inQuestion = true;
            question.Text = line;
        } else if (answer >= 0) {
            if (answer != static_cast<int>(question.Answers.size()) && broken.empty())
                broken = "odpowiedzi nie idą po kolei od A";
            question.Answers.push_back(answerText);
        } else if (question.Answers.empty()) {
            // A long question may have been wrapped over several lines.
            question.Text += '\n' + line;
        } else if (broken.empty()) {
            broken = "po odpowiedziach wiersz, który nie jest odpowiedzią";
        }
    }
    if (inQuestion)
        notes.push_back(SkipNote(number + 1, "brak wiersza „ANSWER:” na końcu pliku"));
}

} // namespace exchange
