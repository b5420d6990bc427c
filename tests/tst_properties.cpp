// The properties page: title, description and the pass threshold, which
// lives in the first two score ranges of the test.

#include "MainWindow.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "app/TForm1.h"
#include "ui/Cp1250.h"
#include "ui/LooseSpinBox.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyleOptionSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The default test with its second range starting at `threshold`.
QByteArray FileWithThreshold(int threshold)
{
    QByteArray file = DefaultTestFile;
    file.replace("[ZAKRES_DO]59\r\n", "[ZAKRES_DO]" + QByteArray::number(threshold - 1) + "\r\n");
    file.replace("[ZAKRES_OD]60\r\n", "[ZAKRES_OD]" + QByteArray::number(threshold) + "\r\n");
    return file;
}

// The default test with other range lines, no percentages and font size 12.
QByteArray FileWithRanges(const QByteArray& rangeLines)
{
    QByteArray file = DefaultTestFile;
    const qsizetype from = file.indexOf("[ILE_ZAKRES\xD3W]");
    const qsizetype to = file.indexOf("[ZAKRESY_KONIEC]");
    file.replace(from, to - from, rangeLines);
    file.replace("[PROCENTOWO]TAK", "[PROCENTOWO]NIE");
    file.replace("[ROZMIAR_CZCIONKI]14", "[ROZMIAR_CZCIONKI]12");
    return file;
}

// Each range as "from|to|text", the text as shown.
QStringList RangesOf(const TTest& test)
{
    QStringList ranges;
    for (const auto& range : test.Ranges)
        ranges << FromCp1250(range->LowerBound + "|" + range->UpperBound + "|" + range->Description);
    return ranges;
}

QString Explanation(const char* failed, const char* passed)
{
    return QStringLiteral("0–%1% – test niezaliczony\n%2–100% – test zaliczony")
        .arg(QLatin1String(failed), QLatin1String(passed));
}

} // namespace

class tst_Properties : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsSitAtTheirDesignPlaces_data();
    void controlsSitAtTheirDesignPlaces();
    void descriptionTypedOverThreeLinesIsOneLine();
    void shownTestsGainATrailingSpace_data();
    void shownTestsGainATrailingSpace();
    void titleChangeShowsOnPageOneAtOnce();
    void titleLikeTheEditsStartingTextShowsOnPageOne();
    void thresholdWritesTheFirstTwoRanges_data();
    void thresholdWritesTheFirstTwoRanges();
    void closingWhileTypingAThresholdRunsNothingLate_data();
    void closingWhileTypingAThresholdRunsNothingLate();
    void typedOutOfRangeIsCorrectedOnLeaving_data();
    void typedOutOfRangeIsCorrectedOnLeaving();
    void arrowsStayWithinTheLimits_data();
    void arrowsStayWithinTheLimits();
    void nonNumberCountsAsOne();
    void openedThresholdIsBoundedAtOnce_data();
    void openedThresholdIsBoundedAtOnce();
    void correctionNeverReachesAClosedOrReplacedTest_data();
    void correctionNeverReachesAClosedOrReplacedTest();
    void missingRangesAreMadeAtTheFirstChange_data();
    void missingRangesAreMadeAtTheFirstChange();
    void editsLightUpUnderThePointer_data();
    void editsLightUpUnderThePointer();

private:
    QString openFile(const QString& name, const QByteArray& bytes);
    void newTest();
    void showProperties();
    // Replaces the whole text of a control by typing, with Polish letters;
    // "\n" is the Enter key.
    void retype(QWidget* control, const QString& text);
    void clickArrow(bool up);

    QWidget* child(const char* name) const;
    QLineEdit* title() const { return static_cast<QLineEdit*>(child("edtTestTitle")); }
    QPlainTextEdit* memo() const { return static_cast<QPlainTextEdit*>(child("mmoTestDescription")); }
    LooseSpinBox* se1() const { return static_cast<LooseSpinBox*>(child("se1")); }
    QString explanation() const { return static_cast<QLabel*>(child("jvlbl7"))->text(); }
    QStringList ranges() const { return RangesOf(*m_window->form->CurrentTest); }

    std::unique_ptr<MainWindow> m_window;
};

void tst_Properties::init()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(QDir(m_window->dir.path()).mkdir(QStringLiteral("Testy")));
    m_window->form->TestsFolder = m_window->dir.filePath(QStringLiteral("Testy")) + QLatin1Char('/');
}

void tst_Properties::cleanup()
{
    m_window.reset();
}

QWidget* tst_Properties::child(const char* name) const
{
    return m_window->child(name);
}

QString tst_Properties::openFile(const QString& name, const QByteArray& bytes)
{
    const QString path = m_window->form->TestsFolder + name;
    WriteBytes(path, bytes);
    m_window->prompts.openAnswers << path;
    ClickChild(m_window->form.get(), "img1");
    if (m_window->form->PageIndex() != TForm1::SummaryPage)
        qFatal("%s did not open", qPrintable(name));
    return path;
}

void tst_Properties::newTest()
{
    WhenModalShown([](QDialog* dialog) { ClickChild(dialog, "img2"); });
    ClickChild(m_window->form.get(), "img2");
    if (m_window->form->PageIndex() != TForm1::PropertiesPage)
        qFatal("no new test");
}

void tst_Properties::showProperties()
{
    ClickChild(m_window->form.get(), "imgNext");
    if (m_window->form->PageIndex() != TForm1::PropertiesPage)
        qFatal("not on the properties page");
}

void tst_Properties::retype(QWidget* control, const QString& text)
{
    control->setFocus();
    QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(control, Qt::Key_Backspace);
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            QTest::keyClick(control, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void tst_Properties::clickArrow(bool up)
{
    // Where the style draws the arrow, as the spin edit paints itself.
    QStyleOptionSpinBox option;
    option.initFrom(se1());
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame
                         | QStyle::SC_SpinBoxEditField;
    option.buttonSymbols = QAbstractSpinBox::UpDownArrows;
    option.frame = true;
    const QRect arrow = se1()->style()->subControlRect(
        QStyle::CC_SpinBox, &option, up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, se1());
    QVERIFY(!arrow.isEmpty());
    QTest::mouseClick(se1(), Qt::LeftButton, {}, arrow.center());
}

void tst_Properties::controlsSitAtTheirDesignPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("design");
    QTest::addColumn<bool>("stretches");

    QTest::newRow("jvlbl2") << "jvlbl2" << QRect(16, 16, 0, 0) << false;
    QTest::newRow("edtTestTitle") << "edtTestTitle" << QRect(16, 48, 857, 28) << true;
    QTest::newRow("jvlbl3") << "jvlbl3" << QRect(16, 96, 0, 0) << false;
    QTest::newRow("mmoTestDescription") << "mmoTestDescription" << QRect(16, 120, 857, 145) << true;
    QTest::newRow("jvlbl6") << "jvlbl6" << QRect(16, 288, 0, 0) << false;
    QTest::newRow("se1") << "se1" << QRect(412, 285, 57, 32) << false;
    QTest::newRow("jvlbl7") << "jvlbl7" << QRect(16, 312, 0, 0) << false;
}

void tst_Properties::controlsSitAtTheirDesignPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, design);
    QFETCH(bool, stretches);

    newTest();
    const QWidget* control = child(name.toLatin1().constData());
    const QWidget* page = control->parentWidget();
    // The page is the design's 892 pixels wide or wider; a stretching
    // control keeps its distance to the right edge.
    const int rightGap = 892 - (design.x() + design.width());
    const auto check = [&] {
        QCOMPARE(control->pos(), design.topLeft());
        if (stretches)
            QCOMPARE(page->width() - (control->x() + control->width()), rightGap);
        else if (!design.size().isNull())
            QCOMPARE(control->size(), design.size());
        if (!design.size().isNull())
            QCOMPARE(control->height(), design.height());
    };
    check();
    m_window->form->resize(m_window->form->width() + 100, m_window->form->height() + 50);
    QTRY_COMPARE(page->width(), m_window->form->width() - 8);
    check();
}

void tst_Properties::descriptionTypedOverThreeLinesIsOneLine()
{
    newTest();
    retype(memo(), QStringLiteral("Sprawdzian z działu\nUłamki\nzwykłe"));

    QCOMPARE(memo()->toPlainText(), QStringLiteral("Sprawdzian z działu\nUłamki\nzwykłe"));
    QCOMPARE(m_window->form->CurrentTest->Description, std::string("Sprawdzian z dzia\xB3u U\xB3" "amki zwyk\xB3" "e"));
    // The one line reaches the file on the next step back.
    ClickChild(m_window->form.get(), "imgPrev");
    QVERIFY(ReadBytes(m_window->form->CurrentTestPath).contains("[OPIS]Sprawdzian z dzia\xB3u U\xB3" "amki zwyk\xB3" "e\r\n"));
}

void tst_Properties::shownTestsGainATrailingSpace_data()
{
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("memoText");
    QTest::addColumn<QByteArray>("description");

    QTest::newRow("opened") << true << QStringLiteral("Opis próbny\n") << QByteArray("Opis pr\xF3" "bny ");
    QTest::newRow("new") << false << QStringLiteral("\n") << QByteArray(" ");
}

void tst_Properties::shownTestsGainATrailingSpace()
{
    QFETCH(bool, opened);
    QFETCH(QString, memoText);
    QFETCH(QByteArray, description);

    if (opened) {
        QByteArray file = DefaultTestFile;
        file.replace("[OPIS]\r\n", "[OPIS]Opis pr\xF3" "bny\r\n");
        openFile(QStringLiteral("Opisany.test"), file);
    } else {
        newTest();
    }
    // The memo holds the description and a line break, stored as a space.
    QCOMPARE(memo()->toPlainText(), memoText);
    QCOMPARE(QByteArray::fromStdString(m_window->form->CurrentTest->Description), description);
    QCOMPARE(title()->text(), QStringLiteral("Tytuł testu"));
}

void tst_Properties::titleChangeShowsOnPageOneAtOnce()
{
    openFile(QStringLiteral("Tytuł.test"), DefaultTestFile);
    showProperties();
    retype(title(), QStringLiteral("Żywienie – sprawdzian"));

    QCOMPARE(m_window->form->CurrentTest->Title, std::string("\xAFywienie \x96 sprawdzian"));
    QCOMPARE(static_cast<QLabel*>(child("lbl2"))->text(), QStringLiteral("Żywienie – sprawdzian"));
}

void tst_Properties::titleLikeTheEditsStartingTextShowsOnPageOne()
{
    // The edit starts out holding "Nowy test", so putting the title runs no
    // change; the summary must show it all the same.
    QByteArray file = DefaultTestFile;
    file.replace("[TYTU\xA3]Tytu\xB3 testu", "[TYTU\xA3]Nowy test");
    openFile(QStringLiteral("Pierwszy.test"), file);

    QCOMPARE(title()->text(), QStringLiteral("Nowy test"));
    QCOMPARE(static_cast<QLabel*>(child("lbl2"))->text(), QStringLiteral("Nowy test"));
}

void tst_Properties::thresholdWritesTheFirstTwoRanges_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("typed") << "typed";
    QTest::newRow("arrow key") << "arrow key";
    QTest::newRow("arrow clicked") << "arrow clicked";
    QTest::newRow("put by the program") << "put";
}

void tst_Properties::thresholdWritesTheFirstTwoRanges()
{
    QFETCH(QString, how);

    openFile(QStringLiteral("Próg.test"), DefaultTestFile);
    showProperties();
    if (how == QLatin1String("typed")) {
        retype(se1(), QStringLiteral("75"));
    } else if (how == QLatin1String("arrow key")) {
        retype(se1(), QStringLiteral("74"));
        QTest::keyClick(se1(), Qt::Key_Up);
    } else if (how == QLatin1String("arrow clicked")) {
        retype(se1(), QStringLiteral("74"));
        clickArrow(true);
    } else {
        m_window->form->ShowThreshold(75, true);
    }

    QCOMPARE(se1()->text(), QStringLiteral("75"));
    QCOMPARE(explanation(), QStringLiteral("0–74% – test niezaliczony\n75–100% – test zaliczony"));
    QCOMPARE(ranges(), (QStringList{"0|74|Test niezaliczony", "75|100|Test zaliczony"}));
    QCOMPARE(m_window->form->CurrentTest->RangeCount, 2);
}

void tst_Properties::typedOutOfRangeIsCorrectedOnLeaving_data()
{
    QTest::addColumn<QString>("leave");
    QTest::newRow("focus to the title") << "focus";
    QTest::newRow("wstecz") << "wstecz";
    QTest::newRow("dalej") << "dalej";
    // Text put in while another window is active (as an accessibility tool
    // may do): no focus event ever comes, yet leaving the page corrects it.
    QTest::newRow("wstecz in an inactive window") << "inactive";
}

void tst_Properties::typedOutOfRangeIsCorrectedOnLeaving()
{
    QFETCH(QString, leave);

    openFile(QStringLiteral("Za dużo.test"), DefaultTestFile);
    showProperties();
    QWidget other;
    if (leave == QLatin1String("inactive")) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    retype(se1(), QStringLiteral("150"));
    // Applied as typed.
    QCOMPARE(explanation(), Explanation("149", "150"));
    QCOMPARE(ranges(), (QStringList{"0|149|Test niezaliczony", "150|100|Test zaliczony"}));

    if (leave == QLatin1String("focus")) {
        title()->setFocus();
    } else if (leave == QLatin1String("inactive")) {
        m_window->form->imgPrevClick();
    } else {
        ClickChild(m_window->form.get(), leave == QLatin1String("wstecz") ? "imgPrev" : "imgNext");
    }

    QVERIFY(!se1()->hasFocus());
    QCOMPARE(se1()->text(), QStringLiteral("100"));
    QCOMPARE(explanation(), Explanation("99", "100"));
    QCOMPARE(ranges(), (QStringList{"0|99|Test niezaliczony", "100|100|Test zaliczony"}));
}

void tst_Properties::arrowsStayWithinTheLimits_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("down at 1") << 1 << false
                               << QStringList{"0|0|Test niezaliczony", "1|100|Test zaliczony"};
    QTest::newRow("up at 100") << 100 << true
                               << QStringList{"0|99|Test niezaliczony", "100|100|Test zaliczony"};
}

void tst_Properties::arrowsStayWithinTheLimits()
{
    QFETCH(int, start);
    QFETCH(bool, up);
    QFETCH(QStringList, expected);

    openFile(QStringLiteral("Granice.test"), DefaultTestFile);
    showProperties();
    retype(se1(), QString::number(start));
    for (int i = 0; i < 3; ++i) {
        clickArrow(up);
        QTest::keyClick(se1(), up ? Qt::Key_Up : Qt::Key_Down);
    }
    QCOMPARE(se1()->text(), QString::number(start));
    QCOMPARE(ranges(), expected);
}

void tst_Properties::nonNumberCountsAsOne()
{
    openFile(QStringLiteral("Minus.test"), DefaultTestFile);
    showProperties();
    retype(se1(), QStringLiteral("-"));

    QCOMPARE(se1()->text(), QStringLiteral("-"));
    QCOMPARE(explanation(), Explanation("0", "1"));
    QCOMPARE(ranges(), (QStringList{"0|0|Test niezaliczony", "1|100|Test zaliczony"}));
    title()->setFocus();
    QCOMPARE(se1()->text(), QStringLiteral("1"));
    QCOMPARE(ranges(), (QStringList{"0|0|Test niezaliczony", "1|100|Test zaliczony"}));
}

void tst_Properties::openedThresholdIsBoundedAtOnce_data()
{
    QTest::addColumn<int>("shownBefore");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("another number shown") << 51
                                          << QStringList{"0|99|Test niezaliczony", "100|100|Test zaliczony"};
    // Putting the number already shown runs nothing: the ranges stay as read.
    QTest::newRow("100 already shown") << 100
                                       << QStringList{"0|149|Test niezaliczony", "150|100|Test zaliczony"};
}

void tst_Properties::openedThresholdIsBoundedAtOnce()
{
    QFETCH(int, shownBefore);
    QFETCH(QStringList, expected);

    // The number shown is that of the test opened before.
    openFile(QStringLiteral("Przedtem.test"), FileWithThreshold(shownBefore));
    ClickChild(m_window->form.get(), "imgExit");
    openFile(QStringLiteral("Sto pięćdziesiąt.test"), FileWithThreshold(150));

    QCOMPARE(se1()->text(), QStringLiteral("100"));
    QCOMPARE(explanation(), Explanation("99", "100"));
    QCOMPARE(ranges(), expected);
}

void tst_Properties::correctionNeverReachesAClosedOrReplacedTest_data()
{
    QTest::addColumn<QStringList>("leave");
    QTest::addColumn<QByteArray>("writtenUpper");
    QTest::addColumn<QByteArray>("writtenLower");
    QTest::addColumn<bool>("thenNew");

    // "zamknij test" writes the test as typed and closes it before the
    // hidden control gives up the focus.
    QTest::newRow("zamknij test, then open") << QStringList{"imgExit"} << QByteArray("149")
                                             << QByteArray("150") << false;
    QTest::newRow("zamknij test, then new") << QStringList{"imgExit"} << QByteArray("149")
                                            << QByteArray("150") << true;
    // The first "wstecz" writes it as typed; the correction reaches the test
    // still open on page 1, and the second "wstecz" writes that.
    QTest::newRow("wstecz twice, then open") << QStringList{"imgPrev", "imgPrev"} << QByteArray("99")
                                             << QByteArray("100") << false;
}

void tst_Properties::correctionNeverReachesAClosedOrReplacedTest()
{
    QFETCH(QStringList, leave);
    QFETCH(QByteArray, writtenUpper);
    QFETCH(QByteArray, writtenLower);
    QFETCH(bool, thenNew);

    const QString first = openFile(QStringLiteral("Pierwszy.test"), DefaultTestFile);
    showProperties();
    retype(se1(), QStringLiteral("150"));
    QVERIFY(se1()->hasFocus());
    // The commands run as from the keyboard, so the focus stays in the
    // control until its page is hidden.
    for (const QString& button : leave) {
        if (button == QLatin1String("imgExit"))
            m_window->form->imgExitClick();
        else
            m_window->form->imgPrevClick();
    }
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    QVERIFY(!m_window->form->CurrentTest);
    const QByteArray written = ReadBytes(first);
    QVERIFY(written.contains("[ZAKRES_DO]" + writtenUpper + "\r\n"));
    QVERIFY(written.contains("[ZAKRES_OD]" + writtenLower + "\r\n"));

    // The next test keeps its own threshold, however the focus moves.
    QStringList expected;
    if (thenNew) {
        newTest();
        expected = QStringList{"0|59|Test niezaliczony", "60|100|Test zaliczony"};
    } else {
        openFile(QStringLiteral("Drugi.test"), FileWithThreshold(30));
        showProperties();
        expected = QStringList{"0|29|Test niezaliczony", "30|100|Test zaliczony"};
    }
    se1()->setFocus();
    title()->setFocus();
    ClickChild(m_window->form.get(), "imgPrev");
    QCOMPARE(ranges(), expected);
    QCOMPARE(ReadBytes(first), written);
}

void tst_Properties::missingRangesAreMadeAtTheFirstChange_data()
{
    QTest::addColumn<QByteArray>("rangeLines");
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QStringList>("changed");

    QTest::newRow("no ranges") << QByteArray("[ILE_ZAKRES\xD3W]0\r\n") << QStringList()
                               << QStringList{"0|69|Test niezaliczony", "70|100|Test zaliczony"};
    QTest::newRow("one range") << QByteArray("[ILE_ZAKRES\xD3W]1\r\n  [ZAKRES]\r\n    [ZAKRES_OD]5\r\n"
                                             "    [ZAKRES_DO]40\r\n    [OPIS_ZAKRESU]S\xB3" "abo\r\n")
                               << QStringList{"5|40|Słabo"}
                               << QStringList{"5|69|Słabo", "70|100|Test zaliczony"};
}

void tst_Properties::missingRangesAreMadeAtTheFirstChange()
{
    QFETCH(QByteArray, rangeLines);
    QFETCH(QStringList, read);
    QFETCH(QStringList, changed);

    openFile(QStringLiteral("Zakresy.test"), FileWithRanges(rangeLines));
    // Opening shows a threshold but leaves the ranges as read.
    QCOMPARE(ranges(), read);
    QCOMPARE(m_window->form->CurrentTest->RangeCount, int(read.size()));

    showProperties();
    retype(se1(), QStringLiteral("70"));
    QCOMPARE(ranges(), changed);
    QCOMPARE(m_window->form->CurrentTest->RangeCount, 2);
    QCOMPARE(m_window->form->CurrentTest->Percentage, false);
    QCOMPARE(m_window->form->CurrentTest->FontSize, 12);
    QCOMPARE(explanation(), Explanation("69", "70"));
}

void tst_Properties::editsLightUpUnderThePointer_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("title") << "edtTestTitle";
    QTest::newRow("description") << "mmoTestDescription";
}

void tst_Properties::editsLightUpUnderThePointer()
{
    QFETCH(QString, name);

    newTest();
    QWidget* edit = child(name.toLatin1().constData());
    // A spot clear of the text and the border.
    const QPoint spot(edit->width() - 20, edit->height() / 2);
    const auto background = [edit, spot] { return edit->grab().toImage().pixelColor(spot); };
    QCOMPARE(background(), QColor(Qt::white));

    QEnterEvent enter(spot, edit->mapTo(m_window->form.get(), spot), edit->mapToGlobal(spot));
    QApplication::sendEvent(edit, &enter);
    QCOMPARE(background(), QColor(255, 251, 240));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(edit, &leave);
    QCOMPARE(background(), QColor(Qt::white));
}

void tst_Properties::closingWhileTypingAThresholdRunsNothingLate_data()
{
    QTest::addColumn<QString>("typed");

    QTest::newRow("within the limits") << QStringLiteral("75");
    QTest::newRow("above them") << QStringLiteral("150");
    QTest::newRow("no number yet") << QStringLiteral("-");
}

void tst_Properties::closingWhileTypingAThresholdRunsNothingLate()
{
    QFETCH(QString, typed);

    newTest();
    // The name dialog had the focus; the window takes it back.
    m_window->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window->form.get()));
    retype(se1(), typed);
    QTRY_VERIFY(se1()->hasFocus());
    const QString path = m_window->form->CurrentTestPath;
    const QByteArray written = ReadBytes(path);
    // The window goes while the typed value has not been brought within the
    // limits: the focus-out on the way must find no handler that reaches
    // the test, which is gone by then.
    m_window->form.reset();
    QCOMPARE(ReadBytes(path), written);
}

QTEST_MAIN(tst_Properties)
#include "tst_properties.moc"
