#include "ExchangeFiles.h"

#include "app/AnswerKey.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kMoodleXml = QStringLiteral("Moodle XML (*.xml)");
const QString kGift = QStringLiteral("GIFT (*.gift *.txt)");
const QString kAiken = QStringLiteral("Aiken (*.txt)");
const QString kTests = QStringLiteral("Pliki z testami (*.test)");
const QString kAll = QStringLiteral("Wszystkie obsługiwane (*.test *.xml *.gift *.txt)");

// Aiken's answer-key lines and no GIFT braces: an Aiken file. GIFT files
// may hold "ANSWER:" in a text, but never lack braces.
bool LooksLikeAiken(std::string_view bytes)
{
    bool keyLine = false;
    size_t lineStart = 0;
    while (lineStart < bytes.size() && !keyLine) {
        size_t at = lineStart;
        while (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\t'))
            ++at;
        keyLine = QByteArray::fromRawData(bytes.data() + at, qsizetype(std::min<size_t>(7, bytes.size() - at)))
                      .toUpper() == "ANSWER:";
        const size_t end = bytes.find('\n', lineStart);
        lineStart = end == std::string_view::npos ? bytes.size() : end + 1;
    }
    return keyLine && bytes.find('{') == std::string_view::npos;
}

} // namespace

QStringList ExportFilters()
{
    return {kMoodleXml, kGift, kAiken};
}

TExchangeFormat ExportFormatAt(int index)
{
    switch (index) {
    case 1:
        return TExchangeFormat::Gift;
    case 2:
        return TExchangeFormat::Aiken;
    default:
        return TExchangeFormat::MoodleXml;
    }
}

QStringList ExportFileNames(const QString& title, const QString& folder)
{
    return {FreeFileName(title, QStringLiteral("xml"), folder),
            FreeFileName(title, QStringLiteral("gift"), folder),
            FreeFileName(title, QStringLiteral("txt"), folder)};
}

QStringList ImportFilters()
{
    return {kAll, kTests, kMoodleXml, kGift, kAiken};
}

bool IsOwnTestFile(const QString& path, const QString& chosenFilter)
{
    if (chosenFilter == kTests)
        return true;
    if (chosenFilter == kMoodleXml || chosenFilter == kGift || chosenFilter == kAiken)
        return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix != QLatin1String("xml") && suffix != QLatin1String("gift") && suffix != QLatin1String("txt");
}

std::optional<TExchangeFormat> ImportFormatOf(const QString& path, const QString& chosenFilter,
                                              std::string_view bytes)
{
    if (IsOwnTestFile(path, chosenFilter))
        return std::nullopt;
    if (chosenFilter == kMoodleXml)
        return TExchangeFormat::MoodleXml;
    if (chosenFilter == kGift)
        return TExchangeFormat::Gift;
    if (chosenFilter == kAiken)
        return TExchangeFormat::Aiken;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xml"))
        return TExchangeFormat::MoodleXml;
    if (suffix == QLatin1String("gift"))
        return TExchangeFormat::Gift;
    // What is left is a .txt file, which either format may use.
    return LooksLikeAiken(bytes) ? TExchangeFormat::Aiken : TExchangeFormat::Gift;
}

QString SkippedQuestionsMessage(const TTest& test, TExchangeFormat format,
                                const std::vector<int32_t>& skipped)
{
    // Questions left out for the same reason share a line, in the order
    // the reasons first occur.
    QStringList reasons;
    QList<QStringList> numbers;
    for (const int32_t number : skipped) {
        const TQuestion* question = test.GetQuestion(number - 1);
        const QString reason = question ? QString::fromStdString(ExportSkipReason(*question, format)) : QString();
        qsizetype at = reasons.indexOf(reason);
        if (at < 0) {
            reasons << reason;
            numbers << QStringList();
            at = reasons.size() - 1;
        }
        numbers[at] << QString::number(number);
    }
    QStringList lines;
    for (qsizetype i = 0; i < reasons.size(); ++i)
        lines << QStringLiteral("Pominięto pytania: %1 – %2.").arg(numbers[i].join(QStringLiteral(", ")), reasons[i]);
    return lines.join(QLatin1Char('\n'));
}

QString LeftOutQuestionsMessage(const std::vector<std::string>& notes)
{
    // A bank of hundreds of essays would make a list taller than the screen.
    constexpr size_t kListed = 10;
    QString message = QStringLiteral("Pominięto pytania, których nie można zaimportować: %1.")
                          .arg(notes.size());
    for (size_t i = 0; i < notes.size() && i < kListed; ++i)
        message += QLatin1Char('\n') + QString::fromStdString(notes[i]);
    if (notes.size() > kListed)
        message += QStringLiteral("\n…");
    return message;
}

void WriteExportFile(const QString& path, const std::string& bytes)
{
    SaveBytesToFile(QFile::encodeName(path).toStdString(), bytes);
}
