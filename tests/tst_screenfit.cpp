// The main window on screens of different scaling: its minimum size, and the
// size it opens at, never exceed what the screen shows.

#include "MainWindow.h"

#include "app/TForm1.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

namespace {

// Two full-HD screens side by side, one scaled to 200 %, one at 100 %. The
// platform lists its screens by name: the scaled one comes first and is the
// primary screen.
const char kScreens[] = R"({"screens": [
    {"name": "unscaled", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96},
    {"name": "scaled", "x": 1920, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 192}
]})";

QScreen* ScreenNamed(const QString& name)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    qFatal("no screen %s", qPrintable(name));
}

} // namespace

class tst_ScreenFit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithinTheScaledScreen();
    void followsTheScreenItIsMovedTo_data();
    void followsTheScreenItIsMovedTo();

private:
    std::unique_ptr<MainWindow> m_window;
};

void tst_ScreenFit::init()
{
    m_window = std::make_unique<MainWindow>();
}

void tst_ScreenFit::cleanup()
{
    m_window.reset();
}

void tst_ScreenFit::opensWithinTheScaledScreen()
{
    const QSize available = ScreenNamed(QStringLiteral("scaled"))->availableSize();
    // The fixture is what the scaling makes of the screen.
    QCOMPARE(available, QSize(960, 540));
    TForm1* form = m_window->form.get();
    QCOMPARE(form->screen()->name(), QStringLiteral("scaled"));
    QVERIFY2(form->minimumWidth() <= available.width() && form->minimumHeight() <= available.height(),
             qPrintable(QStringLiteral("minimum %1 × %2").arg(form->minimumWidth()).arg(form->minimumHeight())));
    // Opened in the middle of it, the whole frame in sight.
    const QRect screenArea = ScreenNamed(QStringLiteral("scaled"))->availableGeometry();
    QVERIFY2(screenArea.contains(form->frameGeometry()),
             qPrintable(QStringLiteral("frame %1, %2, %3 × %4")
                            .arg(form->frameGeometry().x())
                            .arg(form->frameGeometry().y())
                            .arg(form->frameGeometry().width())
                            .arg(form->frameGeometry().height())));
}

void tst_ScreenFit::followsTheScreenItIsMovedTo_data()
{
    QTest::addColumn<QStringList>("screens");
    QTest::addColumn<QSize>("minimum");

    QTest::newRow("to the unscaled screen") << QStringList{QStringLiteral("unscaled")} << QSize(800, 600);
    QTest::newRow("there and back") << QStringList{QStringLiteral("unscaled"), QStringLiteral("scaled")}
                                    << QSize(800, 540);
}

void tst_ScreenFit::followsTheScreenItIsMovedTo()
{
    QFETCH(QStringList, screens);
    QFETCH(QSize, minimum);

    TForm1* form = m_window->form.get();
    for (const QString& name : screens) {
        form->windowHandle()->setScreen(ScreenNamed(name));
        QTRY_COMPARE(form->screen()->name(), name);
    }
    const QSize frame = form->frameGeometry().size() - form->size();
    QCOMPARE(form->minimumSize(), minimum.boundedTo(form->screen()->availableSize() - frame));
}

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("no temporary folder");
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(kScreens) < 0)
        qFatal("cannot write the screens");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QApplication app(argc, argv);
    tst_ScreenFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenfit.moc"
