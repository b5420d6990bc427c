// The widgets of the question editor: the list of word-wrapped items of
// varying height and the self-sizing answer label.

#include "ui/QuestionItemDelegate.h"
#include "ui/QuestionList.h"
#include "ui/WrapLabel.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QtMath>
#include <QtTest>

namespace {

const QString kLong = QStringLiteral(
    "Jak nazywa się proces, w którym rośliny wytwarzają glukozę z dwutlenku węgla i wody "
    "przy udziale światła słonecznego?");

// Qt's own word wrapping, independent of the widgets under test.
int WrappedHeight(const QFont& font, int width, const QString& text)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text).height();
}

} // namespace

class tst_QuestionWidgets : public QObject
{
    Q_OBJECT

private slots:
    void labelMeasuresWhenItsTextIsSet_data();
    void labelMeasuresWhenItsTextIsSet();
    void labelWidthAloneMeasuresNothing();
    void labelMeasuresWhenAutoSizeIsSwitchedOn();
    void labelClickNeedsPressAndReleaseOnIt();

    void itemsAreMeasuredWhenAddedNotWhenResized();
    void replacedTextIsMeasuredAndLaidOut();
    void itemsAddedOffScreenAreMeasuredWhenShown();
    void remeasuringReachesEveryItemEvenWhenRowsMove();
    void onlyTheUserChoosesItems();
    void theChosenItemStaysSelected();
};

void tst_QuestionWidgets::labelMeasuresWhenItsTextIsSet_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");

    QTest::newRow("one word") << QStringLiteral("mitochondria") << 1;
    QTest::newRow("empty is one line") << QString() << 1;
    QTest::newRow("trailing break adds no line") << QStringLiteral("mitochondria\n") << 1;
    QTest::newRow("inner break") << QStringLiteral("rybosomy\nmitochondria") << 2;
    QTest::newRow("wrapped") << kLong << 0;  // as Qt wraps it
}

void tst_QuestionWidgets::labelMeasuresWhenItsTextIsSet()
{
    QFETCH(QString, text);
    QFETCH(int, lines);

    QWidget parent;
    auto* label = new WrapLabel(&parent);
    label->setText(QStringLiteral("x"));
    label->resize(300, 10);
    label->setText(text);

    const QFontMetricsF metrics(label->font());
    const int lineHeight = qCeil(metrics.height());
    if (lines > 0) {
        QCOMPARE(label->height(), lines * lineHeight);
        qreal widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = qMax(widest, metrics.horizontalAdvance(line));
        QCOMPARE(label->width(), qCeil(widest) + 2);
    } else {
        QCOMPARE(label->height(), WrappedHeight(label->font(), 298, text));
        QVERIFY(label->height() >= 2 * lineHeight);
        QVERIFY(label->width() <= 300);
        QVERIFY(label->width() > 200);
    }
}

void tst_QuestionWidgets::labelWidthAloneMeasuresNothing()
{
    QWidget parent;
    auto* label = new WrapLabel(&parent);
    label->resize(300, 10);
    label->setText(kLong);
    const int height = label->height();

    label->resize(100, height);
    QCOMPARE(label->size(), QSize(100, height));
    label->resize(600, height);
    QCOMPARE(label->size(), QSize(600, height));
    // The same text again is no change either.
    label->setText(kLong);
    QCOMPARE(label->size(), QSize(600, height));
}

void tst_QuestionWidgets::labelMeasuresWhenAutoSizeIsSwitchedOn()
{
    QWidget parent;
    auto* label = new WrapLabel(&parent);
    label->setAutoSize(false);
    label->resize(600, 10);
    label->setText(kLong);
    QCOMPARE(label->size(), QSize(600, 10));

    label->resize(200, 10);
    label->setAutoSize(true);
    QCOMPARE(label->height(), WrappedHeight(label->font(), 198, kLong));
    QVERIFY(label->width() <= 200);
}

void tst_QuestionWidgets::labelClickNeedsPressAndReleaseOnIt()
{
    QWidget parent;
    auto* label = new WrapLabel(&parent);
    label->setText(QStringLiteral("Odpowiedź A"));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QSignalSpy clicks(label, &WrapLabel::clicked);

    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(clicks.count(), 1);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 20, 3));
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(clicks.count(), 1);
}

void tst_QuestionWidgets::itemsAreMeasuredWhenAddedNotWhenResized()
{
    QuestionList list;
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.addItem(QStringLiteral("Krótkie\n"));
    list.addItem(kLong + QLatin1Char('\n'));
    list.addItem(kLong.repeated(12) + QLatin1Char('\n'));

    const int wrapWidth = list.viewport()->width() - 2;
    QCOMPARE(list.wrapWidth(), wrapWidth);
    const auto height = [&](int row) { return list.visualItemRect(list.item(row)).height(); };
    QTRY_COMPARE(height(0), 20);
    const int longHeight = WrappedHeight(list.font(), wrapWidth, kLong);
    QVERIFY(longHeight > 20);
    QCOMPARE(height(1), longHeight);
    QCOMPARE(height(2), 255);

    list.resize(600, 400);
    QTRY_COMPARE(list.viewport()->width(), 600 - 2 * list.frameWidth());
    QCoreApplication::processEvents();
    QCOMPARE(height(1), longHeight);
    QCOMPARE(list.item(1)->data(QuestionList::HeightRole).toInt(), longHeight);
    // Items are as wide as the list all the same.
    QCOMPARE(list.visualItemRect(list.item(1)).width(), list.viewport()->width());
}

void tst_QuestionWidgets::replacedTextIsMeasuredAndLaidOut()
{
    QuestionList list;
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    for (int n = 1; n <= 3; ++n)
        list.addItem(QStringLiteral("Pytanie nr %1\n").arg(n));
    QTRY_COMPARE(list.visualItemRect(list.item(1)).top(), 20);

    list.item(0)->setText(kLong + QLatin1Char('\n'));
    const int longHeight = WrappedHeight(list.font(), list.wrapWidth(), kLong);
    QCOMPARE(list.item(0)->data(QuestionList::HeightRole).toInt(), longHeight);
    // The items below move down to make room.
    QTRY_COMPARE(list.visualItemRect(list.item(1)).top(), longHeight);
    QCOMPARE(list.visualItemRect(list.item(2)).top(), longHeight + 20);
}

void tst_QuestionWidgets::remeasuringReachesEveryItemEvenWhenRowsMove()
{
    QuestionList list;
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    for (int n = 0; n < 3000; ++n)
        list.addItem(kLong + QLatin1Char('\n'));
    const int narrowHeight = list.item(2999)->data(QuestionList::HeightRole).toInt();

    list.resize(700, 400);
    QTRY_COMPARE(list.viewport()->width(), 700 - 2 * list.frameWidth());
    list.remeasureAll();
    const int wideHeight = WrappedHeight(list.font(), list.wrapWidth(), kLong);
    QVERIFY(wideHeight < narrowHeight);
    // The items in view at once, the last ones later.
    QCOMPARE(list.item(0)->data(QuestionList::HeightRole).toInt(), wideHeight);
    QCOMPARE(list.item(2999)->data(QuestionList::HeightRole).toInt(), narrowHeight);

    // Rows deleted and added while the measuring goes on are not missed.
    QCoreApplication::processEvents();
    delete list.takeItem(1);
    list.insertItem(0, kLong + QLatin1Char('\n'));
    QTRY_COMPARE(list.item(list.count() - 1)->data(QuestionList::HeightRole).toInt(), wideHeight);
    for (int row = 0; row < list.count(); ++row)
        QCOMPARE(list.item(row)->data(QuestionList::HeightRole).toInt(), wideHeight);
    QTRY_COMPARE(list.visualItemRect(list.item(2)).top(), 2 * wideHeight);
}

void tst_QuestionWidgets::itemsAddedOffScreenAreMeasuredWhenShown()
{
    // Unmeasured, at the least height, they would fit; measured, they do not.
    QuestionList list;
    for (int n = 0; n < 12; ++n)
        list.addItem(kLong + QLatin1Char('\n'));
    QVERIFY(!list.item(0)->data(QuestionList::HeightRole).isValid());

    // A width at which the scroll bar takes a word onto another line.
    const int scrollBar = list.verticalScrollBar()->sizeHint().width();
    int width = 250;
    while (WrappedHeight(list.font(), width - 2 * list.frameWidth() - 2, kLong)
           == WrappedHeight(list.font(), width - 2 * list.frameWidth() - scrollBar - 2, kLong))
        ++width;
    list.resize(width, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    // The items overflow the list, so they wrap beside its scroll bar once
    // all of them are measured.
    QTRY_VERIFY(list.verticalScrollBar()->isVisible());
    const int wrapWidth = list.viewport()->width() - 2;
    const int expected = WrappedHeight(list.font(), wrapWidth, kLong);
    QTRY_COMPARE(list.visualItemRect(list.item(list.count() - 1)).height(), expected);
    for (int row = 0; row < list.count(); ++row)
        QCOMPARE(list.visualItemRect(list.item(row)).height(), expected);
}

void tst_QuestionWidgets::onlyTheUserChoosesItems()
{
    QuestionList list;
    for (int n = 1; n <= 5; ++n)
        list.addItem(QStringLiteral("Pytanie nr %1\n").arg(n));
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy chosen(&list, &QuestionList::itemChosen);

    list.setCurrentRow(0);
    delete list.takeItem(0);
    list.setCurrentRow(3);
    QCOMPARE(chosen.count(), 0);

    const auto click = [&](int row) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    };
    click(1);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.last().first().toInt(), 1);
    click(1);  // the item already chosen, chosen again
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen.last().first().toInt(), 1);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(chosen.count(), 3);
    QCOMPARE(chosen.last().first().toInt(), 2);
    QCOMPARE(list.currentRow(), 2);
}

void tst_QuestionWidgets::theChosenItemStaysSelected()
{
    QuestionList list;
    for (int n = 1; n <= 3; ++n)
        list.addItem(QStringLiteral("Pytanie nr %1\n").arg(n));
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(1);

    const QPoint onItem = list.visualItemRect(list.item(1)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, onItem);
    QVERIFY(list.item(1)->isSelected());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, 350));  // below the items
    QVERIFY(list.item(1)->isSelected());
    QCOMPARE(list.currentRow(), 1);
    QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(list.currentRow(), 2);
    QCOMPARE(list.selectedItems(), QList<QListWidgetItem*>{list.item(2)});
}

QTEST_MAIN(tst_QuestionWidgets)
#include "tst_questionwidgets.moc"
