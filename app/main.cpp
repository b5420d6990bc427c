// Program entry: the main window and its dialogs, then the event loop.

#include "Guarded.h"
#include "TForm1.h"
#include "TestsFolder.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

namespace {

// The last backstop of the top-level error handler: every command already
// runs under RunGuarded, but no exception may ever unwind through Qt.
class TApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        bool handled = false;
        RunGuarded(nullptr, [&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Testarion"));
    application.setDesktopFileName(QStringLiteral("testarion"));
    // Qt's own dialogs (file dialogs, print preview, message box buttons)
    // speak Polish like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&qtTexts);

    TForm1 form1;
    form1.TestsFolder = ChooseTestsFolder(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), UserMayWriteFolder);
    form1.show();
    return application.exec();
}
