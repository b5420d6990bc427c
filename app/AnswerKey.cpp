#include "AnswerKey.h"

#include <QDir>
#include <QFileInfo>

std::string KeyCellText(const TQuestion& question, int index)
{
    // The en dash is byte 0x96 in Windows-1250.
    std::string text = std::to_string(index + 1) + " \x96 ";
    for (int answer = 0; answer < 3; ++answer) {
        const TAnswer* candidate = question.GetAnswer(answer);
        if (candidate && candidate->Score == 1)
            return text + char('A' + answer);
    }
    return text;
}

TLines AnswerKeyLines(const TTest& test)
{
    TLines lines;
    lines.reserve(test.Questions.size() + 1);
    lines.push_back(test.Title);
    for (std::size_t i = 0; i < test.Questions.size(); ++i)
        lines.push_back(KeyCellText(*test.Questions[i], static_cast<int>(i)));
    return lines;
}

QString AnswerKeyFileName(const QString& title, const QString& folder)
{
    // The title is free text; a separator or a character that Windows
    // forbids in names would make the proposal a path or an invalid name.
    QString safeTitle = title;
    for (QChar& c : safeTitle) {
        if (c < QLatin1Char(' ') || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    const QString stem = QStringLiteral("Klucz odpowiedzi do testu ") + safeTitle;
    const QDir dir(folder);
    QString name = stem + QStringLiteral(".txt");
    for (int k = 1; QFileInfo::exists(dir.filePath(name)); ++k)
        name = stem + QStringLiteral(" %1.txt").arg(k);
    return name;
}
