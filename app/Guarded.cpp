#include "Guarded.h"

#include "Prompts.h"

#include <exception>

QString ErrorBoxText(const QString& message)
{
    return message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
}

bool RunGuarded(QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        // Messages carry file paths, so they are UTF-8 like the paths.
        Prompts::Current().Error(parent, ErrorBoxText(QString::fromUtf8(error.what())));
    }
    return false;
}
