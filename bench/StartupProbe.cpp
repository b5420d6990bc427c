// Preloaded into a program whose start-up is measured: once the program's
// main window has been painted the first time, the program quits, so that
// the time from exec to exit is the time until the user sees the window.
//
//   LD_PRELOAD=libtestarion_startprobe.so program

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaintQuits : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The window is drawn in one pass over its widgets; the quit waits in
        // the queue until that pass is done and shown.
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && qobject_cast<QMainWindow*>(widget->window())
            && !m_quitting) {
            m_quitting = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool m_quitting = false;
};

void InstallProbe()
{
    qApp->installEventFilter(new FirstPaintQuits(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
