// The keyboard alone reaches and presses every control of each page and
// dialog, and assistive technology reads each picture button's caption.

#include "MainWindow.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "app/TForm1.h"
#include "ui/PictureButton.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every picture button of the program: the window (or dialog) that holds it,
// its name and its caption.
struct NamedButton
{
    const char* owner;
    const char* name;
    const char* caption;
};

const NamedButton kPictureButtons[] = {
    {"Form1", "imgPrev", "wstecz"},
    {"Form1", "imgNext", "dalej"},
    {"Form1", "imgExit", "zamknij test"},
    {"Form1", "img1", "Otwórz test"},
    {"Form1", "img2", "Utwórz nowy test"},
    {"Form1", "imgOpenFolder", "Otwórz folder z testami"},
    {"Form1", "imgDrukujTest", "drukuj test"},
    {"Form1", "imgEdytujTest", "edytuj test"},
    {"Form1", "imgUruchomTest", "uruchom test"},
    {"Form1", "imgEksportuj", "eksportuj"},
    {"Form1", "img4", "zapisz do pliku"},
    {"Form1", "imgKluczDrukuj", "drukuj"},
    {"Form1", "imgAddQuestion", "dodaj pytanie"},
    {"Form1", "imgDeleteQuestion", "usuń pytanie"},
    {"Form1", "imgImportQuestion", "importuj pytania"},
    {"Form1", "imgWylosuj", "wylosuj"},
    {"Form1", "imgAnuluj", "anuluj"},
    {"Form1", "imgImportuj", "importuj"},
    {"Form2", "img1", "anuluj"},
    {"Form2", "img2", "ok"},
    {"Form4", "img1", "anuluj"},
    {"Form4", "img2", "ok"},
};

} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tabWalksThePage_data();
    void tabWalksThePage();
    void tabWalksTheDialog_data();
    void tabWalksTheDialog();
    void keyPressesTheFocusedPictureButton_data();
    void keyPressesTheFocusedPictureButton();
    void focusFrameShowsKeyboardFocusOnly_data();
    void focusFrameShowsKeyboardFocusOnly();
    void clickLeavesTheFocusWhereItWas();
    void assistiveTechnologyPressesAPictureButton();
    void arrowKeysChooseTheCorrectAnswer();
    void pictureButtonIsNamedByItsCaption_data();
    void pictureButtonIsNamedByItsCaption();
    void everyPictureButtonIsListed();

private:
    // Walks from the start page to `page` the way a user does.
    void goTo(int page);
    // The pages of a test and the dialogs are made when first needed: this
    // opens both dialogs, as a user does, and leaves a test open.
    void makeEveryControl();
    // Gives `first` the focus and presses Tab until the focus comes back to
    // it: the names of the widgets visited, `first` included.
    static QStringList tabCycle(QWidget* first);
    QWidget* child(const char* name) const;
    QWidget* owner(const char* name) const;

    std::unique_ptr<MainWindow> m_window;
    QString m_path;
};

void tst_Keyboard::init()
{
    m_window = std::make_unique<MainWindow>();
    m_path = m_window->form->TestsFolder + QStringLiteral("Próba.test");
    WriteBytes(m_path, DefaultTestFile);
}

void tst_Keyboard::cleanup()
{
    m_window.reset();
}

QWidget* tst_Keyboard::child(const char* name) const
{
    // The window's own widgets: the dialogs have names of their own, such as img1.
    auto* widget = m_window->form->centralWidget()->findChild<QWidget*>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

QWidget* tst_Keyboard::owner(const char* name) const
{
    if (qstrcmp(name, "Form1") == 0)
        return m_window->form->centralWidget();
    return m_window->form->findChild<QDialog*>(QLatin1String(name));
}

void tst_Keyboard::goTo(int page)
{
    if (page == TForm1::StartPage)
        return;
    m_window->prompts.openAnswers << m_path;
    ClickChild(m_window->form->centralWidget(), "img1");
    if (page >= TForm1::PropertiesPage)
        ClickChild(m_window->form->centralWidget(), "imgEdytujTest");
    if (page >= TForm1::QuestionsPage)
        ClickChild(m_window->form->centralWidget(), "imgNext");
    if (page == TForm1::ImportPage) {
        m_window->prompts.openAnswers << m_path;
        ClickChild(m_window->form->centralWidget(), "imgImportQuestion");
    }
    if (m_window->form->PageIndex() != page)
        qFatal("could not reach page %d", page);
}

void tst_Keyboard::makeEveryControl()
{
    const auto cancel = [] { WhenModalShown([](QDialog* dialog) { dialog->reject(); }); };
    cancel();
    ClickChild(m_window->form->centralWidget(), "img2");
    goTo(TForm1::ImportPage);
    cancel();
    ClickChild(m_window->form->centralWidget(), "imgWylosuj");
    if (!owner("Form2") || !owner("Form4"))
        qFatal("the dialogs were not made");
}

QStringList tst_Keyboard::tabCycle(QWidget* first)
{
    first->setFocus(Qt::TabFocusReason);
    QStringList visited{first->objectName()};
    if (QApplication::focusWidget() != first)
        return visited;
    // Far more steps than any page has controls: a cycle that never comes
    // back shows up as a long list.
    for (int step = 0; step < 40; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        if (focused == first)
            break;
        visited << (focused ? focused->objectName() : QStringLiteral("(nothing)"));
    }
    return visited;
}

void tst_Keyboard::tabWalksThePage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");

    // Each page's controls as they are read, top to bottom and left to right,
    // then the bottom strip from left to right.
    QTest::newRow("start") << int(TForm1::StartPage)
                           << QStringList{"img1", "img2", "imgOpenFolder"};
    QTest::newRow("summary") << int(TForm1::SummaryPage)
                             << QStringList{"imgDrukujTest", "imgEdytujTest", "imgUruchomTest",
                                            "imgEksportuj", "img4", "imgKluczDrukuj", "imgExit", "imgPrev"};
    QTest::newRow("properties") << int(TForm1::PropertiesPage)
                                << QStringList{"edtTestTitle", "mmoTestDescription", "se1",
                                               "imgExit", "imgPrev", "imgNext"};
    QTest::newRow("questions") << int(TForm1::QuestionsPage)
                               << QStringList{"lstQuestions", "mmo1", "rb1", "imgAddQuestion",
                                              "imgDeleteQuestion", "imgImportQuestion", "imgExit",
                                              "imgPrev"};
    QTest::newRow("import") << int(TForm1::ImportPage)
                            << QStringList{"lstImport", "txtImportPreview", "imgWylosuj", "imgAnuluj",
                                           "imgImportuj", "imgExit"};
}

void tst_Keyboard::tabWalksThePage()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    goTo(page);

    const QStringList visited = tabCycle(child(order.constFirst().toLatin1().constData()));
    QCOMPARE(visited, order);
    // Whatever the order, no picture button in sight is left out.
    for (const PictureButton* button : m_window->form->findChildren<PictureButton*>()) {
        if (button->isVisible())
            QVERIFY2(visited.contains(button->objectName()), qPrintable(button->objectName()));
    }
}

void tst_Keyboard::tabWalksTheDialog_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QByteArray>("opener");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("new test's file name") << int(TForm1::StartPage) << QByteArray("img2")
                                          << QStringList{"edt1", "img2", "img1"};
    QTest::newRow("number to draw") << int(TForm1::ImportPage) << QByteArray("imgWylosuj")
                                    << QStringList{"edt1", "img2", "img1"};
}

void tst_Keyboard::tabWalksTheDialog()
{
    QFETCH(int, page);
    QFETCH(QByteArray, opener);
    QFETCH(QStringList, order);
    goTo(page);

    QStringList visited;
    bool shown = false;
    WhenModalShown([&](QDialog* dialog) {
        shown = true;
        // The dialog opens with the focus in its edit, ready for typing.
        if (QApplication::focusWidget() == dialog->findChild<QWidget*>(QStringLiteral("edt1")))
            visited = tabCycle(QApplication::focusWidget());
        dialog->reject();
    });
    ClickChild(m_window->form->centralWidget(), opener.constData());
    QVERIFY(shown);
    QCOMPARE(visited, order);
}

void tst_Keyboard::keyPressesTheFocusedPictureButton_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("pageAfter");

    const int none = Qt::NoModifier;
    QTest::newRow("Otwórz test, Space") << int(TForm1::StartPage) << QByteArray("img1")
                                        << int(Qt::Key_Space) << none << int(TForm1::SummaryPage);
    QTest::newRow("Otwórz test, Enter") << int(TForm1::StartPage) << QByteArray("img1")
                                        << int(Qt::Key_Return) << none << int(TForm1::SummaryPage);
    QTest::newRow("dalej, Space") << int(TForm1::PropertiesPage) << QByteArray("imgNext")
                                  << int(Qt::Key_Space) << none << int(TForm1::QuestionsPage);
    QTest::newRow("dalej, Enter") << int(TForm1::PropertiesPage) << QByteArray("imgNext")
                                  << int(Qt::Key_Return) << none << int(TForm1::QuestionsPage);
    QTest::newRow("dalej, keypad Enter")
        << int(TForm1::PropertiesPage) << QByteArray("imgNext") << int(Qt::Key_Enter)
        << int(Qt::KeypadModifier) << int(TForm1::QuestionsPage);
    QTest::newRow("edytuj test, Enter") << int(TForm1::SummaryPage) << QByteArray("imgEdytujTest")
                                        << int(Qt::Key_Return) << none << int(TForm1::PropertiesPage);
    QTest::newRow("wstecz, Space") << int(TForm1::QuestionsPage) << QByteArray("imgPrev")
                                   << int(Qt::Key_Space) << none << int(TForm1::PropertiesPage);
    QTest::newRow("zamknij test, Enter") << int(TForm1::QuestionsPage) << QByteArray("imgExit")
                                         << int(Qt::Key_Return) << none << int(TForm1::StartPage);
    QTest::newRow("anuluj of the import, Space")
        << int(TForm1::ImportPage) << QByteArray("imgAnuluj") << int(Qt::Key_Space) << none
        << int(TForm1::QuestionsPage);
}

void tst_Keyboard::keyPressesTheFocusedPictureButton()
{
    QFETCH(int, page);
    QFETCH(QByteArray, button);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, pageAfter);
    goTo(page);
    m_window->prompts.openAnswers << m_path;

    QWidget* target = child(button.constData());
    target->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_COMPARE(m_window->form->PageIndex(), pageAfter);
}

void tst_Keyboard::focusFrameShowsKeyboardFocusOnly_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("framed");

    QTest::newRow("Tab") << int(Qt::TabFocusReason) << true;
    QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason) << true;
    QTest::newRow("shortcut") << int(Qt::ShortcutFocusReason) << true;
    QTest::newRow("handed on by a page change") << int(Qt::OtherFocusReason) << false;
    QTest::newRow("window activated") << int(Qt::ActiveWindowFocusReason) << false;
}

void tst_Keyboard::focusFrameShowsKeyboardFocusOnly()
{
    QFETCH(int, reason);
    QFETCH(bool, framed);
    QWidget* button = child("img2");
    child("img1")->setFocus(Qt::TabFocusReason);
    const QImage unfocused = button->grab().toImage();

    button->setFocus(Qt::FocusReason(reason));
    QCOMPARE(QApplication::focusWidget(), button);
    QCOMPARE(button->grab().toImage() != unfocused, framed);
}

void tst_Keyboard::clickLeavesTheFocusWhereItWas()
{
    QWidget* focused = child("img2");
    focused->setFocus(Qt::TabFocusReason);
    ClickChild(m_window->form->centralWidget(), "imgOpenFolder");
    QCOMPARE(m_window->prompts.openedUrls.size(), 1);
    QCOMPARE(QApplication::focusWidget(), focused);
}

void tst_Keyboard::assistiveTechnologyPressesAPictureButton()
{
    goTo(TForm1::PropertiesPage);
    QAccessibleInterface* next = QAccessible::queryAccessibleInterface(child("imgNext"));
    QVERIFY(next);
    QVERIFY(next->actionInterface());
    QVERIFY(next->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
}

void tst_Keyboard::arrowKeysChooseTheCorrectAnswer()
{
    goTo(TForm1::QuestionsPage);
    const TQuestion* question = m_window->form->CurrentQuestion();
    QVERIFY(question);
    // Tab enters the three radio buttons at the checked one, A here.
    QWidget* checked = child("rb1");
    checked->setFocus(Qt::TabFocusReason);

    QTest::keyClick(checked, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), child("rb2"));
    QCOMPARE(question->GetAnswer(0)->Score, 0);
    QCOMPARE(question->GetAnswer(1)->Score, 1);
    QCOMPARE(question->GetAnswer(2)->Score, 0);
}

void tst_Keyboard::pictureButtonIsNamedByItsCaption_data()
{
    QTest::addColumn<QByteArray>("owner");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("caption");
    for (const NamedButton& button : kPictureButtons) {
        QTest::addRow("%s %s", button.owner, button.name)
            << QByteArray(button.owner) << QByteArray(button.name) << QString::fromUtf8(button.caption);
    }
}

void tst_Keyboard::pictureButtonIsNamedByItsCaption()
{
    QFETCH(QByteArray, owner);
    QFETCH(QByteArray, name);
    QFETCH(QString, caption);

    makeEveryControl();
    auto* button = this->owner(owner.constData())->findChild<PictureButton*>(QLatin1String(name));
    QVERIFY(button);
    QCOMPARE(button->accessibleName(), caption);
    QVERIFY(button->focusPolicy() & Qt::TabFocus);
    // What a screen reader announces.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Button);
    QCOMPARE(accessible->text(QAccessible::Name), caption);
}

void tst_Keyboard::everyPictureButtonIsListed()
{
    // The dialogs belong to the main window, so this finds theirs too.
    makeEveryControl();
    const QList<PictureButton*> buttons = m_window->form->findChildren<PictureButton*>();
    QCOMPARE(buttons.size(), qsizetype(std::size(kPictureButtons)));
    for (const PictureButton* button : buttons)
        QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(button->objectName()));
}

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
