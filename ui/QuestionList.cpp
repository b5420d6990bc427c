#include "QuestionList.h"

#include "QuestionItemDelegate.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

QuestionList::QuestionList(QWidget* parent)
    : QListWidget(parent)
{
    setItemDelegate(new QuestionItemDelegate(this));
    setUniformItemSizes(false);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Items wrap at the list's width; nothing ever sticks out sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int QuestionList::wrapWidth() const
{
    return viewport()->width() - QuestionItemDelegate::Indent;
}

bool QuestionList::measure(QListWidgetItem* item)
{
    if (!isVisible()) {
        item->setData(HeightRole, QVariant());
        m_itemsWaiting = true;
        return false;
    }
    return measureAt(item, wrapWidth());
}

bool QuestionList::measureAt(QListWidgetItem* item, int width)
{
    const int height = QuestionItemDelegate::measureHeight(item->text(), font(), width);
    {
        // The width is bookkeeping only; it must not count as a change.
        const QSignalBlocker quiet(model());
        item->setData(MeasuredWidthRole, width);
    }
    if (item->data(HeightRole) == QVariant(height))
        return false;
    item->setData(HeightRole, height);
    return true;
}

void QuestionList::remeasureAll()
{
    if (count() == 0)
        return;
    m_remeasureWidth = wrapWidth();
    const int first = qMax(0, indexAt(QPoint(0, 0)).row());
    int last = indexAt(QPoint(0, viewport()->height() - 1)).row();
    if (last < 0)
        last = count() - 1;
    {
        const QSignalBlocker quiet(model());
        for (int row = first; row <= last; ++row)
            measureAt(item(row), m_remeasureWidth);
    }
    scheduleDelayedItemsLayout();
    m_remeasureFrom = 0;
    if (!m_remeasureTimer) {
        m_remeasureTimer = new QTimer(this);
        m_remeasureTimer->setInterval(0);
        connect(m_remeasureTimer, &QTimer::timeout, this, &QuestionList::remeasureSlice);
    }
    m_remeasureTimer->start();
}

void QuestionList::remeasureSlice()
{
    // A resize meanwhile changes nothing: items are measured at the width
    // the list had when they were due, as a resize never measures.
    constexpr qint64 kSliceMs = 5;
    QElapsedTimer clock;
    clock.start();
    {
        const QSignalBlocker quiet(model());
        for (; m_remeasureFrom < count() && !clock.hasExpired(kSliceMs); ++m_remeasureFrom) {
            QListWidgetItem* entry = item(m_remeasureFrom);
            if (entry->data(MeasuredWidthRole).toInt() != m_remeasureWidth)
                measureAt(entry, m_remeasureWidth);
        }
    }
    if (m_remeasureFrom < count())
        return;
    // Measured, the items may now overflow the list, whose scroll bar then
    // narrows the width they wrap at (or no longer do, and it widens): one
    // more round at the width the list is about to have.
    const int settled = SettledWrapWidth();
    if (settled != m_remeasureWidth) {
        m_remeasureWidth = settled;
        m_remeasureFrom = 0;
        return;
    }
    m_remeasureTimer->stop();
    m_remeasureFrom = -1;
    scheduleDelayedItemsLayout();
}

int QuestionList::SettledWrapWidth() const
{
    qint64 total = 0;
    for (int row = 0; row < count(); ++row)
        total += qMax(int(QuestionItemDelegate::MinimumHeight), item(row)->data(HeightRole).toInt());
    const int scrollBar = verticalScrollBar()->sizeHint().width();
    const int withoutScrollBar = wrapWidth() + (verticalScrollBar()->isVisible() ? scrollBar : 0);
    return total > viewport()->height() ? withoutScrollBar - scrollBar : withoutScrollBar;
}

void QuestionList::measureWaitingItems()
{
    m_itemsWaiting = false;
    remeasureAll();
}

void QuestionList::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    // Rows move under a measuring still under way: it looks at every row
    // again (the ones already done are passed over quickly).
    if (m_remeasureFrom >= 0)
        m_remeasureFrom = 0;
    QListWidget::rowsAboutToBeRemoved(parent, start, end);
}

void QuestionList::rowsInserted(const QModelIndex& parent, int start, int end)
{
    if (m_remeasureFrom >= 0)
        m_remeasureFrom = 0;
    for (int row = start; row <= end; ++row)
        measure(item(row));
    QListWidget::rowsInserted(parent, start, end);
}

void QuestionList::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                               const QList<int>& roles)
{
    // QListView's own handler would lay out every item anew on any change of
    // data, so that each key typed into a question cost the whole list.
    // Here the items are laid out again only when a height has changed.
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole))
        return;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        if (measure(item(row)))
            emit itemDelegate()->sizeHintChanged(model()->index(row, 0));
    }
}

void QuestionList::showEvent(QShowEvent* event)
{
    QListWidget::showEvent(event);
    if (m_itemsWaiting)
        measureWaitingItems();
}

void QuestionList::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListWidget::currentChanged(current, previous);
    if (m_userInput && current.isValid()) {
        m_chosenByInput = true;
        emit itemChosen(current.row());
    }
}

QItemSelectionModel::SelectionFlags QuestionList::selectionCommand(const QModelIndex& index,
                                                                   const QEvent*) const
{
    // The chosen item is always the one selected: no Ctrl-click or
    // Ctrl-arrow leaves the list without a selection or moves one apart.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

void QuestionList::mousePressEvent(QMouseEvent* event)
{
    m_chosenByInput = false;
    {
        const QScopedValueRollback<bool> input(m_userInput, true);
        QListWidget::mousePressEvent(event);
    }
    if (!m_chosenByInput && event->button() == Qt::LeftButton && currentItem()
        && itemAt(event->position().toPoint()) == currentItem())
        emit itemChosen(currentRow());
}

void QuestionList::mouseMoveEvent(QMouseEvent* event)
{
    const QScopedValueRollback<bool> input(m_userInput, true);
    QListWidget::mouseMoveEvent(event);
}

void QuestionList::keyPressEvent(QKeyEvent* event)
{
    const QScopedValueRollback<bool> input(m_userInput, true);
    QListWidget::keyPressEvent(event);
}
