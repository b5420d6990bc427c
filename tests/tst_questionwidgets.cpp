// The widgets of the question editor: the list of word-wrapped items of
// varying height and the self-sizing answer label.

#include "ui/QuestionItemDelegate.h"
#include "ui/QuestionList.h"
#include "ui/RowHeights.h"
#include "ui/WrapLabel.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QStringListModel>
#include <QtMath>
#include <QtTest>

#include <random>

namespace {

const QString kLong = QStringLiteral(
    "Jak nazywa się proces, w którym rośliny wytwarzają glukozę z dwutlenku węgla i wody "
    "przy udziale światła słonecznego?");

// Qt's own word wrapping, independent of the widgets under test.
int WrappedHeight(const QFont& font, int width, const QString& text)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text).height();
}

// Counts the rows the list measures.
class CountingDelegate : public QuestionItemDelegate
{
public:
    using QuestionItemDelegate::QuestionItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        ++measured;
        return QuestionItemDelegate::sizeHint(option, index);
    }

    mutable int measured = 0;
};

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

    void rowHeightsAnswerLikeAPlainSum_data();
    void rowHeightsAnswerLikeAPlainSum();
    void rowsInViewAreMeasuredOnShowingNotOnResizing();
    void replacedTextIsMeasuredAndLaidOut();
    void onlyRowsShownAreEverMeasured();
    void rowsOverflowingTheListWrapBesideItsScrollBar();
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

void tst_QuestionWidgets::rowHeightsAnswerLikeAPlainSum_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("empty at first") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("a power of two") << 64;
    QTest::newRow("not a power of two") << 77;
}

void tst_QuestionWidgets::rowHeightsAnswerLikeAPlainSum()
{
    QFETCH(int, rows);
    std::mt19937 generator(unsigned(rows) + 1);
    std::uniform_int_distribution<int> heightOf(1, 255);
    std::vector<int> plain;
    for (int row = 0; row < rows; ++row)
        plain.push_back(heightOf(generator));
    RowHeights heights;
    heights.assign(plain);

    const auto compareAll = [&] {
        QCOMPARE(heights.count(), int(plain.size()));
        int top = 0;
        for (int row = 0; row < int(plain.size()); ++row) {
            QCOMPARE(heights.height(row), plain[std::size_t(row)]);
            QCOMPARE(heights.top(row), top);
            QCOMPARE(heights.rowAt(top), row);
            QCOMPARE(heights.rowAt(top + plain[std::size_t(row)] - 1), row);
            top += plain[std::size_t(row)];
        }
        QCOMPARE(heights.total(), top);
        QCOMPARE(heights.rowAt(top), int(plain.size()));
        QCOMPARE(heights.rowAt(-1), 0);
    };
    compareAll();
    // Changes, appends and removals at the end, and in the middle.
    for (int step = 0; step < 200; ++step) {
        const int size = int(plain.size());
        const int height = heightOf(generator);
        switch (std::uniform_int_distribution<int>(0, 4)(generator)) {
        case 0:
            if (size > 0) {
                const int row = std::uniform_int_distribution<int>(0, size - 1)(generator);
                QCOMPARE(heights.setHeight(row, height), plain[std::size_t(row)] != height);
                plain[std::size_t(row)] = height;
            }
            break;
        case 1:
            heights.insert(size, {height, height + 1});
            plain.insert(plain.end(), {height, height + 1});
            break;
        case 2: {
            const int row = std::uniform_int_distribution<int>(0, size)(generator);
            heights.insert(row, {height});
            plain.insert(plain.begin() + row, height);
            break;
        }
        case 3:
            if (size > 0) {
                heights.remove(size - 1, 1);
                plain.pop_back();
            }
            break;
        case 4:
            if (size > 1) {
                const int row = std::uniform_int_distribution<int>(0, size - 2)(generator);
                heights.remove(row, 2);
                plain.erase(plain.begin() + row, plain.begin() + row + 2);
            }
            break;
        }
        compareAll();
        if (QTest::currentTestFailed())
            return;
    }
}

void tst_QuestionWidgets::rowsInViewAreMeasuredOnShowingNotOnResizing()
{
    QStringListModel model({QStringLiteral("Krótkie\n"), kLong + QLatin1Char('\n'),
                            kLong.repeated(12) + QLatin1Char('\n')});
    QuestionList list;
    list.setModel(&model);
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    const int wrapWidth = list.viewport()->width() - 2;
    QCOMPARE(list.wrapWidth(), wrapWidth);
    const auto height = [&](int row) { return list.visualRect(model.index(row)).height(); };
    QCOMPARE(height(0), 20);
    const int longHeight = WrappedHeight(list.font(), wrapWidth, kLong);
    QVERIFY(longHeight > 20);
    QCOMPARE(height(1), longHeight);
    QCOMPARE(height(2), 255);
    // Each row starts where the one above it ends.
    QCOMPARE(list.visualRect(model.index(2)).top(), 20 + longHeight);

    list.resize(600, 400);
    QTRY_COMPARE(list.viewport()->width(), 600 - 2 * list.frameWidth());
    QCoreApplication::processEvents();
    QCOMPARE(height(1), longHeight);
    // Rows are as wide as the list all the same.
    QCOMPARE(list.visualRect(model.index(1)).width(), list.viewport()->width());
    list.remeasureAll();
    QCOMPARE(height(1), WrappedHeight(list.font(), list.wrapWidth(), kLong));
    QVERIFY(height(1) < longHeight);
}

void tst_QuestionWidgets::replacedTextIsMeasuredAndLaidOut()
{
    QStringListModel model({QStringLiteral("Pytanie nr 1\n"), QStringLiteral("Pytanie nr 2\n"),
                            QStringLiteral("Pytanie nr 3\n")});
    QuestionList list;
    list.setModel(&model);
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.visualRect(model.index(1)).top(), 20);

    model.setData(model.index(0), kLong + QLatin1Char('\n'));
    const int longHeight = WrappedHeight(list.font(), list.wrapWidth(), kLong);
    QCOMPARE(list.visualRect(model.index(0)).height(), longHeight);
    // The rows below move down to make room.
    QCOMPARE(list.visualRect(model.index(1)).top(), longHeight);
    QCOMPARE(list.visualRect(model.index(2)).top(), longHeight + 20);
    QCOMPARE(list.indexAt(QPoint(5, longHeight + 25)), model.index(2));
}

void tst_QuestionWidgets::onlyRowsShownAreEverMeasured()
{
    QStringList texts;
    for (int n = 0; n < 3000; ++n)
        texts << kLong + QLatin1Char('\n');
    QStringListModel model(texts);
    QuestionList list;
    auto* delegate = new CountingDelegate(&list);
    list.setItemDelegate(delegate);
    list.setModel(&model);
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCoreApplication::processEvents();

    const int narrowHeight = WrappedHeight(list.font(), list.wrapWidth(), kLong);
    const int inView = list.viewport()->height() / narrowHeight + 2;
    QVERIFY(delegate->measured > 0);
    QVERIFY2(delegate->measured <= 2 * inView, qPrintable(QString::number(delegate->measured)));
    QCOMPARE(list.visualRect(model.index(0)).height(), narrowHeight);

    // A changed text is measured alone.
    delegate->measured = 0;
    model.setData(model.index(1), kLong + QStringLiteral(" Tak.\n"));
    QCOMPARE(delegate->measured, 1);

    // Measuring anew at a release of the splitter takes the rows in view;
    // a far row is measured once it comes into view.
    list.resize(700, 400);
    QTRY_COMPARE(list.viewport()->width(),
                 700 - 2 * list.frameWidth() - list.verticalScrollBar()->sizeHint().width());
    delegate->measured = 0;
    list.remeasureAll();
    QVERIFY2(delegate->measured <= 2 * inView, qPrintable(QString::number(delegate->measured)));
    const int wideHeight = WrappedHeight(list.font(), list.wrapWidth(), kLong);
    QVERIFY(wideHeight < narrowHeight);
    QCOMPARE(list.visualRect(model.index(0)).height(), wideHeight);
    QCoreApplication::processEvents();
    QVERIFY2(delegate->measured <= 2 * inView, qPrintable(QString::number(delegate->measured)));

    list.scrollTo(model.index(2999));
    QCOMPARE(list.visualRect(model.index(2999)).height(), wideHeight);
    QVERIFY(list.viewport()->rect().contains(list.visualRect(model.index(2999))));
    QCOMPARE(list.indexAt(list.visualRect(model.index(2999)).center()), model.index(2999));

    // Rows removed and added keep every row where the heights above it put it.
    model.removeRows(1, 1);
    model.insertRows(0, 1);
    model.setData(model.index(0), kLong + QLatin1Char('\n'));
    list.scrollTo(model.index(0), QAbstractItemView::PositionAtTop);
    QCOMPARE(list.visualRect(model.index(0)).top(), 0);
    QCOMPARE(list.visualRect(model.index(2)).top(), 2 * wideHeight);
    QCOMPARE(list.count(), 3000);
}

void tst_QuestionWidgets::rowsOverflowingTheListWrapBesideItsScrollBar()
{
    QStringList texts;
    for (int n = 0; n < 12; ++n)
        texts << kLong + QLatin1Char('\n');
    QStringListModel model(texts);
    QuestionList list;
    list.setModel(&model);

    // A width at which the scroll bar takes a word onto another line.
    const int scrollBar = list.verticalScrollBar()->sizeHint().width();
    int width = 250;
    while (WrappedHeight(list.font(), width - 2 * list.frameWidth() - 2, kLong)
           == WrappedHeight(list.font(), width - 2 * list.frameWidth() - scrollBar - 2, kLong))
        ++width;
    list.resize(width, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QTRY_VERIFY(list.verticalScrollBar()->isVisible());
    const int expected = WrappedHeight(list.font(), list.viewport()->width() - 2, kLong);
    QTRY_COMPARE(list.visualRect(model.index(0)).height(), expected);
    list.scrollTo(model.index(11));
    for (int row = 0; row < model.rowCount(); ++row) {
        list.scrollTo(model.index(row));
        QCOMPARE(list.visualRect(model.index(row)).height(), expected);
    }
    // The range reaches the last row's bottom once every row is measured.
    QCOMPARE(list.verticalScrollBar()->maximum(), 12 * expected - list.viewport()->height());
}

void tst_QuestionWidgets::onlyTheUserChoosesItems()
{
    QStringListModel model;
    QuestionList list;
    list.setModel(&model);
    for (int n = 1; n <= 5; ++n) {
        model.insertRows(n - 1, 1);
        model.setData(model.index(n - 1), QStringLiteral("Pytanie nr %1\n").arg(n));
    }
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy chosen(&list, &QuestionList::itemChosen);

    list.setCurrentRow(0);
    model.removeRows(0, 1);
    list.setCurrentRow(3);
    QCOMPARE(chosen.count(), 0);

    const auto click = [&](int row) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(model.index(row)).center());
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
    QTest::keyClick(&list, Qt::Key_End);
    QCOMPARE(list.currentRow(), 3);
    QTest::keyClick(&list, Qt::Key_Home);
    QCOMPARE(list.currentRow(), 0);
    QCOMPARE(chosen.last().first().toInt(), 0);
}

void tst_QuestionWidgets::theChosenItemStaysSelected()
{
    QStringListModel model({QStringLiteral("Pytanie nr 1\n"), QStringLiteral("Pytanie nr 2\n"),
                            QStringLiteral("Pytanie nr 3\n")});
    QuestionList list;
    list.setModel(&model);
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(1);
    const auto selectedRows = [&] {
        QList<int> rows;
        for (const QModelIndex& index : list.selectionModel()->selectedIndexes())
            rows << index.row();
        return rows;
    };

    const QPoint onItem = list.visualRect(model.index(1)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, onItem);
    QCOMPARE(selectedRows(), QList<int>{1});
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, 350));  // below the items
    QCOMPARE(selectedRows(), QList<int>{1});
    QCOMPARE(list.currentRow(), 1);
    QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(list.currentRow(), 2);
    QCOMPARE(selectedRows(), QList<int>{2});
}

QTEST_MAIN(tst_QuestionWidgets)
#include "tst_questionwidgets.moc"
