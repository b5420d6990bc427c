// The test runner's entry: the test named on the command line, or one chosen
// from the "Testy" folder beside the program, then the event loop.

#include "runner/RunnerPrompts.h"
#include "runner/TRunner.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Testarion"));
    application.setDesktopFileName(QStringLiteral("testarion-runner"));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&qtTexts);

    TRunner runner;
    const QStringList arguments = application.arguments().mid(1);
    if (!arguments.isEmpty()) {
        if (!runner.OpenTest(arguments.constFirst()))
            return 1;
    } else {
        // A refused test leaves the choice open: another one may be taken.
        const QString folder = QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("Testy"));
        for (;;) {
            const QString path = RunnerPrompts::Current().OpenTestFileName(nullptr, folder);
            if (path.isEmpty())
                return 0;
            if (runner.OpenTest(path))
                break;
        }
    }
    runner.show();
    return application.exec();
}
