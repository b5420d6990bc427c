// The main window as GUI tests meet it: shown, with its tests folder in a
// fresh temporary folder and every modal question answered by FakePrompts.
#pragma once

#include "FakePrompts.h"

#include "app/TForm1.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

class MainWindow
{
public:
    MainWindow()
    {
        if (!dir.isValid())
            qFatal("no temporary folder");
        form->TestsFolder = dir.path() + QLatin1Char('/');
        form->show();
        // Focus changes (which correct typed values) need the active window.
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            qFatal("the main window was not shown");
    }

    // A control of the window by its name; the test stops when there is none.
    template<typename T = QWidget>
    T* child(const char* name) const
    {
        auto* widget = form->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    void click(const char* name) const { QTest::mouseClick(child(name), Qt::LeftButton); }

    QTemporaryDir dir;
    FakePrompts prompts;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();
};
