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
    return FreeFileName(QStringLiteral("Klucz odpowiedzi do testu ") + title, QStringLiteral("txt"), folder);
}

QString FreeFileName(const QString& name, const QString& extension, const QString& folder)
{
    // The title is free text; a separator or a character that Windows
    // forbids in names would make the proposal a path or an invalid name.
    QString stem = name;
    for (QChar& c : stem) {
        if (c < QLatin1Char(' ') || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    const QDir dir(folder);
    QString candidate = stem + QLatin1Char('.') + extension;
    for (int k = 1; QFileInfo::exists(dir.filePath(candidate)); ++k)
        candidate = stem + QStringLiteral(" %1.").arg(k) + extension;
    return candidate;
}
