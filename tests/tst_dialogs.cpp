// The program's small dialogs: the draw count and what printing asks first.

#include "MainWindow.h"
#include "TestSupport.h"

#include "app/PrintedVersion.h"
#include "app/Prompts.h"
#include "app/TForm1.h"
#include "dialogs/TForm2.h"

#include <QCheckBox>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>
#include <QtTest>

class tst_Dialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void countReadsTheTypedText_data();
    void countReadsTheTypedText();
    void printPreviewOpensLargeAtFitToWidth();
    void printOptionsAskGroupsOrdersAndKey_data();
    void printOptionsAskGroupsOrdersAndKey();

private:
    std::unique_ptr<MainWindow> m_window;
};

void tst_Dialogs::init()
{
    m_window = std::make_unique<MainWindow>();
}

void tst_Dialogs::cleanup()
{
    m_window.reset();
}

void tst_Dialogs::countReadsTheTypedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("withEnter");
    QTest::addColumn<int>("count");

    QTest::newRow("number, ok") << QStringLiteral("7") << false << 7;
    QTest::newRow("number, Enter") << QStringLiteral("25") << true << 25;
    QTest::newRow("below one") << QStringLiteral("-3") << false << -3;
    QTest::newRow("emptied, ok") << QString() << false << 0;
    QTest::newRow("emptied, Enter") << QString() << true << 0;
    QTest::newRow("lone sign") << QStringLiteral("-") << false << 0;
}

void tst_Dialogs::countReadsTheTypedText()
{
    QFETCH(QString, typed);
    QFETCH(bool, withEnter);
    QFETCH(int, count);

    // The main window makes its dialog when it is first needed; this one
    // belongs to it the same way.
    TForm2 owned(m_window->form.get());
    TForm2* dialog = &owned;
    dialog->SetValue(10);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    auto* edit = dialog->findChild<QSpinBox*>(QStringLiteral("edt1"));
    QVERIFY(edit);
    QTRY_VERIFY(edit->hasFocus());
    // The proposal is selected: the first key replaces it, Backspace empties it.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    if (withEnter)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("img2")), Qt::LeftButton);
    QTRY_VERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->Value(), count);
}

void tst_Dialogs::printPreviewOpensLargeAtFitToWidth()
{
    // The program's own preview, not the test's stand-in.
    Prompts real;
    QSize size;
    QString title;
    int zoomMode = -1;
    WhenModalShown([&](QDialog* dialog) {
        size = dialog->size();
        title = dialog->windowTitle();
        if (const auto* view = dialog->findChild<QPrintPreviewWidget*>())
            zoomMode = view->zoomMode();
        dialog->reject();
    });
    int painted = 0;
    real.PrintPreview(m_window->form.get(), QStringLiteral("Próba"), [&painted](QPrinter* printer) {
        QPainter painter(printer);
        painter.drawText(100, 100, QStringLiteral("Próba"));
        ++painted;
    });
    QCOMPARE(title, QStringLiteral("Próba"));
    QVERIFY(painted > 0);
    QCOMPARE(zoomMode, int(QPrintPreviewWidget::FitToWidth));
    const QSize available = m_window->form->screen()->availableSize();
    QVERIFY2(size.width() >= available.width() * 0.8 && size.height() >= available.height() * 0.8,
             qPrintable(QStringLiteral("%1 × %2").arg(size.width()).arg(size.height())));
    QVERIFY(size.width() <= available.width() && size.height() <= available.height());
}

void tst_Dialogs::printOptionsAskGroupsOrdersAndKey_data()
{
    QTest::addColumn<QString>("typedGroups");
    QTest::addColumn<bool>("tickKey");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("groups");

    QTest::newRow("as proposed") << QString() << false << true << 1;
    QTest::newRow("three groups with keys") << QStringLiteral("3") << true << true << 3;
    QTest::newRow("no more than six") << QStringLiteral("9") << false << true << 1;
    QTest::newRow("cancelled") << QStringLiteral("4") << true << false << 0;
}

void tst_Dialogs::printOptionsAskGroupsOrdersAndKey()
{
    QFETCH(QString, typedGroups);
    QFETCH(bool, tickKey);
    QFETCH(bool, confirm);
    QFETCH(int, groups);

    Prompts real;
    bool proposal = false;
    bool ordersFollowGroups = false;
    QString title;
    WhenModalShown([&](QDialog* dialog) {
        title = dialog->windowTitle();
        auto* spin = dialog->findChild<QSpinBox*>(QStringLiteral("seGroups"));
        auto* questions = dialog->findChild<QCheckBox*>(QStringLiteral("cbShuffleQuestions"));
        auto* answers = dialog->findChild<QCheckBox*>(QStringLiteral("cbShuffleAnswers"));
        auto* key = dialog->findChild<QCheckBox*>(QStringLiteral("cbIncludeKey"));
        if (!spin || !questions || !answers || !key) {
            dialog->reject();
            return;
        }
        proposal = spin->value() == 1 && spin->minimum() == 1 && spin->maximum() == 6
                   && questions->isChecked() && answers->isChecked() && !key->isChecked()
                   && !questions->isEnabled() && !answers->isEnabled() && key->isEnabled();
        if (!typedGroups.isEmpty()) {
            spin->setFocus();
            spin->selectAll();
            QTest::keyClicks(spin, typedGroups);
        }
        // The orders matter only when there are groups to tell apart.
        ordersFollowGroups = questions->isEnabled() == (spin->value() > 1)
                             && answers->isEnabled() == (spin->value() > 1);
        if (tickKey)
            QTest::mouseClick(key, Qt::LeftButton, {}, QPoint(8, key->height() / 2));
        QTest::mouseClick(dialog->findChild<QWidget*>(QLatin1String(confirm ? "img2" : "img1")),
                          Qt::LeftButton);
    });
    PrintOptions options;
    const bool accepted = real.AskPrintOptions(m_window->form.get(), options);
    QCOMPARE(title, QStringLiteral("Drukuj test"));
    QVERIFY(proposal);
    QVERIFY(ordersFollowGroups);
    QCOMPARE(accepted, confirm);
    if (!confirm)
        return;
    QCOMPARE(options.groups, groups);
    QCOMPARE(options.includeKey, tickKey);
    QVERIFY(options.shuffleQuestions && options.shuffleAnswers);
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
