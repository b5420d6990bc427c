// Program entry: the main window and its dialogs, then the event loop.

#include "AllocatorTuning.h"
#include "Guarded.h"
#include "TForm1.h"
#include "TestsFolder.h"

#include "ui/PolishQtTexts.h"

#include <QApplication>
#include <QStandardPaths>

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
    TuneAllocatorForLargeTests();
    TApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Testarion"));
    application.setDesktopFileName(QStringLiteral("testarion"));
    InstallPolishQtTexts(application);

    TForm1 form1;
    form1.TestsFolder = ChooseTestsFolder(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), UserMayWriteFolder);
    form1.show();
    return application.exec();
}
