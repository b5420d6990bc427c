// The loose spin edit: what the user types is reported as typed, losing the
// focus and the arrows bring it within the limits, and a value the program
// puts in is bounded at once.

#include "ui/LooseSpinBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QtTest>

class tst_LooseSpinBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithinTheLimits();
    void reportsEveryTypedValue();
    void actions_data();
    void actions();

private:
    // Replaces the whole text by typing, as a user would.
    void type(const QString& text);

    std::unique_ptr<LooseSpinBox> m_spin;
};

void tst_LooseSpinBox::init()
{
    m_spin = std::make_unique<LooseSpinBox>(1, 100, 51);
    m_spin->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_spin.get()));
}

void tst_LooseSpinBox::cleanup()
{
    m_spin.reset();
}

void tst_LooseSpinBox::type(const QString& text)
{
    m_spin->selectAll();
    QTest::keyClick(m_spin.get(), Qt::Key_Backspace);
    QTest::keyClicks(m_spin.get(), text);
}

void tst_LooseSpinBox::startsWithinTheLimits()
{
    QCOMPARE(m_spin->text(), QStringLiteral("51"));
    QCOMPARE(m_spin->value(), 51);
    QCOMPARE(LooseSpinBox(1, 100, 500).text(), QStringLiteral("100"));
    QCOMPARE(LooseSpinBox(1, 100, -4).text(), QStringLiteral("1"));
}

void tst_LooseSpinBox::reportsEveryTypedValue()
{
    QSignalSpy changes(m_spin.get(), &LooseSpinBox::valueChanged);
    m_spin->selectAll();
    QTest::keyClicks(m_spin.get(), QStringLiteral("150"));
    QCOMPARE(changes.size(), 3);
    QCOMPARE(changes.at(0).at(0).toInt(), 1);
    QCOMPARE(changes.at(1).at(0).toInt(), 15);
    QCOMPARE(changes.at(2).at(0).toInt(), 150);
    QCOMPARE(m_spin->value(), 150);
}

void tst_LooseSpinBox::actions_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("put");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<QList<int>>("emitted");

    using L = QList<int>;
    // Typed and left alone: taken as it stands.
    QTest::newRow("above") << "150" << "" << 0 << "150" << 150 << L{};
    QTest::newRow("below") << "0" << "" << 0 << "0" << 0 << L{};
    QTest::newRow("sign only") << "-" << "" << 0 << "-" << 1 << L{};
    QTest::newRow("nothing") << "" << "" << 0 << "" << 1 << L{};
    QTest::newRow("letters refused") << "4a2" << "" << 0 << "42" << 42 << L{};
    QTest::newRow("beyond 32 bits") << "99999999999" << "" << 0 << "99999999999" << 1 << L{};

    // Losing the focus corrects what was typed.
    QTest::newRow("inside, left") << "42" << "focus out" << 0 << "42" << 42 << L{};
    QTest::newRow("above, left") << "150" << "focus out" << 0 << "100" << 100 << L{100};
    QTest::newRow("below, left") << "0" << "focus out" << 0 << "1" << 1 << L{1};
    QTest::newRow("negative, left") << "-7" << "focus out" << 0 << "1" << 1 << L{1};
    QTest::newRow("sign only, left") << "-" << "focus out" << 0 << "1" << 1 << L{1};
    QTest::newRow("nothing, left") << "" << "focus out" << 0 << "1" << 1 << L{1};
    QTest::newRow("leading zero, left") << "042" << "focus out" << 0 << "42" << 42 << L{42};
    QTest::newRow("above, context menu") << "150" << "popup" << 0 << "150" << 150 << L{};

    // The arrows step within the limits and correct what lies outside.
    QTest::newRow("up inside") << "42" << "up" << 0 << "43" << 43 << L{43};
    QTest::newRow("down inside") << "42" << "down" << 0 << "41" << 41 << L{41};
    QTest::newRow("up at the maximum") << "100" << "up" << 0 << "100" << 100 << L{};
    QTest::newRow("down at the minimum") << "1" << "down" << 0 << "1" << 1 << L{};
    QTest::newRow("up from above") << "150" << "up" << 0 << "100" << 100 << L{100};
    QTest::newRow("down from above") << "150" << "down" << 0 << "100" << 100 << L{100};
    QTest::newRow("up from below") << "-5" << "up" << 0 << "1" << 1 << L{1};
    QTest::newRow("up from no number") << "" << "up" << 0 << "1" << 1 << L{1};
    QTest::newRow("down from no number") << "-" << "down" << 0 << "1" << 1 << L{1};

    // The program's values are bounded at once; the number shown emits nothing.
    QTest::newRow("put inside") << "42" << "put" << 7 << "7" << 7 << L{7};
    QTest::newRow("put above") << "42" << "put" << 150 << "100" << 100 << L{100};
    QTest::newRow("put below") << "42" << "put" << -3 << "1" << 1 << L{1};
    QTest::newRow("put the shown number") << "42" << "put" << 42 << "42" << 42 << L{};
    QTest::newRow("put the limit over a typed number") << "150" << "put" << 100 << "100" << 100 << L{100};
}

void tst_LooseSpinBox::actions()
{
    QFETCH(QString, typed);
    QFETCH(QString, action);
    QFETCH(int, put);
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(QList<int>, emitted);

    type(typed);
    QSignalSpy changes(m_spin.get(), &LooseSpinBox::valueChanged);
    if (action == QLatin1String("focus out")) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(m_spin.get(), &out);
    } else if (action == QLatin1String("popup")) {
        QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(m_spin.get(), &out);
    } else if (action == QLatin1String("up")) {
        QTest::keyClick(m_spin.get(), Qt::Key_Up);
    } else if (action == QLatin1String("down")) {
        QTest::keyClick(m_spin.get(), Qt::Key_Down);
    } else if (action == QLatin1String("put")) {
        m_spin->setValue(put);
    }

    QCOMPARE(m_spin->text(), text);
    QCOMPARE(m_spin->value(), value);
    QList<int> values;
    for (const QList<QVariant>& change : std::as_const(changes))
        values << change.at(0).toInt();
    QCOMPARE(values, emitted);
}

QTEST_MAIN(tst_LooseSpinBox)
#include "tst_loosespinbox.moc"
