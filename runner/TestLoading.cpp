#include "runner/TestLoading.h"

#include "model/Scoring.h"
#include "ui/Cp1250.h"

#include <QFile>

#include <exception>

namespace {

const QString kCannotRun = QStringLiteral("Tego testu nie można uruchomić.");

QString Refused(const QString& reason)
{
    return reason + QLatin1Char('\n') + kCannotRun;
}

} // namespace

std::unique_ptr<TTest> LoadTestToTake(const QString& path, QString& refusal)
{
    auto test = std::make_unique<TTest>();
    QString readError;
    try {
        TFileStamp stamp;
        LoadTestFromFile(QFile::encodeName(path).toStdString(), *test, stamp,
                         [&readError](const std::string& message) { readError = FromCp1250(message); });
    } catch (const std::exception& error) {
        refusal = Refused(QString::fromLocal8Bit(error.what()));
        return nullptr;
    }
    if (!readError.isEmpty()) {
        refusal = Refused(readError);
        return nullptr;
    }
    if (QuestionsToAsk(*test).empty()) {
        refusal = Refused(QStringLiteral("Ten test nie zawiera żadnych pytań."));
        return nullptr;
    }
    return test;
}
