// The test runner's entry: the test named on the command line, or one chosen
// from the "Testy" folder beside the program, then the event loop.

#include "runner/TRunner.h"
#include "ui/PolishQtTexts.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Testarion"));
    application.setDesktopFileName(QStringLiteral("testarion-runner"));
    InstallPolishQtTexts(application);

    TRunner runner;
    const QStringList arguments = application.arguments().mid(1);
    if (!arguments.isEmpty()) {
        if (!runner.OpenTest(arguments.constFirst()))
            return 1;
    } else if (!runner.cmdChooseTest(
                   QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("Testy")))) {
        return 0;
    }
    runner.show();
    return application.exec();
}
