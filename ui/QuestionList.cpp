#include "QuestionList.h"

#include "QuestionItemDelegate.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>

QuestionList::QuestionList(QWidget* parent)
    : QAbstractItemView(parent)
{
    setItemDelegate(new QuestionItemDelegate(this));
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Items wrap at the list's width; nothing ever sticks out sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void QuestionList::setModel(QAbstractItemModel* model)
{
    if (this->model())
        disconnect(this->model(), nullptr, this, nullptr);
    QAbstractItemView::setModel(model);
    if (model) {
        connect(model, &QAbstractItemModel::rowsRemoved, this, &QuestionList::rowsRemoved);
        connect(model, &QAbstractItemModel::layoutChanged, this, &QuestionList::rebuildRows);
        connect(model, &QAbstractItemModel::rowsMoved, this, &QuestionList::rebuildRows);
    }
}

int QuestionList::count() const
{
    return m_heights.count();
}

int QuestionList::currentRow() const
{
    return currentIndex().row();
}

void QuestionList::setCurrentRow(int row)
{
    const QModelIndex index = indexOfRow(row);
    if (index.isValid())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clear();
}

int QuestionList::wrapWidth() const
{
    return viewport()->width() - QuestionItemDelegate::Indent;
}

void QuestionList::remeasureAll()
{
    m_measureWidth = viewport()->width();
    m_measuredFrameWidth = width();
    if (!isVisible())
        m_measureOnShow = true;
    measureRowsInView();
}

void QuestionList::setUniformRowHeight(int height)
{
    m_uniformHeight = height;
    rebuildRows();
}

void QuestionList::setContentsWidth(int width)
{
    if (width == m_contentsWidth)
        return;
    m_contentsWidth = width;
    updateGeometries();
    viewport()->update();
}

int QuestionList::contentsWidth() const
{
    return std::max(m_contentsWidth, viewport()->width());
}

QModelIndex QuestionList::indexOfRow(int row) const
{
    if (!model() || row < 0 || row >= count())
        return QModelIndex();
    return model()->index(row, 0, rootIndex());
}

QuestionList::EstimateMetrics QuestionList::estimateMetrics() const
{
    const QFontMetrics metrics(font());
    const int width = std::max(1, (m_measureWidth > 0 ? m_measureWidth : viewport()->width())
                                      - QuestionItemDelegate::Indent);
    return {std::max(1, width / std::max(1, metrics.averageCharWidth())), metrics.height()};
}

int QuestionList::estimate(int row, const EstimateMetrics& metrics) const
{
    if (m_uniformHeight > 0)
        return m_uniformHeight;
    // As many lines as the text fills at an average character's width.
    const int length = model()->data(indexOfRow(row), TextLengthRole).toInt();
    const int lines = std::max(1, (length + metrics.charactersPerLine - 1) / metrics.charactersPerLine);
    return std::clamp(lines * metrics.lineHeight, int(QuestionItemDelegate::MinimumHeight),
                      int(QuestionItemDelegate::MaximumHeight));
}

void QuestionList::rebuildRows()
{
    const int rows = model() ? model()->rowCount(rootIndex()) : 0;
    const EstimateMetrics metrics = estimateMetrics();
    std::vector<int> heights;
    heights.reserve(std::size_t(rows));
    for (int row = 0; row < rows; ++row)
        heights.push_back(estimate(row, metrics));
    m_heights.assign(std::move(heights));
    m_measuredAt.assign(std::size_t(rows), 0);
    if (!isVisible())
        m_measureOnShow = true;
    updateGeometries();
    measureRowsInView();
    viewport()->update();
}

bool QuestionList::canMeasure() const
{
    return m_uniformHeight == 0 && isVisible() && !m_measureOnShow && m_measureWidth > 0;
}

bool QuestionList::measureRow(int row)
{
    if (!canMeasure() || m_measuredAt[std::size_t(row)] == m_measureWidth)
        return false;
    m_measuredAt[std::size_t(row)] = m_measureWidth;
    const QModelIndex index = indexOfRow(row);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = QRect(0, 0, m_measureWidth, 0);
    return m_heights.setHeight(row, itemDelegateForIndex(index)->sizeHint(option, index).height());
}

bool QuestionList::measureRowsInView()
{
    if (!canMeasure() || m_measuring)
        return false;
    const QScopedValueRollback<bool> measuring(m_measuring, true);
    bool changed = false;
    // Rows are measured from the top row in view down, so the top row stays
    // where it is; a scroll bar clamped by shrinking rows brings new rows
    // into view, measured in the next round.
    for (int round = 0; round < 4; ++round) {
        bool changedNow = false;
        const int bottom = verticalOffset() + viewport()->height();
        int row = m_heights.rowAt(verticalOffset());
        for (int y = m_heights.top(row); row < count() && y < bottom; ++row) {
            changedNow |= measureRow(row);
            y += m_heights.height(row);
        }
        if (!changedNow)
            break;
        changed = true;
        updateGeometries();
    }
    if (changed)
        viewport()->update();
    return changed;
}

QRect QuestionList::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= count())
        return QRect();
    return QRect(-horizontalOffset(), m_heights.top(index.row()) - verticalOffset(), contentsWidth(),
                 m_heights.height(index.row()));
}

void QuestionList::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.row() >= count())
        return;
    const int row = index.row();
    const int page = viewport()->height();
    const int value = verticalScrollBar()->value();
    measureRow(row);
    if (hint == EnsureVisible && m_heights.top(row) >= value
        && m_heights.top(row) + m_heights.height(row) <= value + page)
        return;
    // The rows that will share the view with it are measured first, so that
    // it lands where it is placed.
    for (int other = row - 1, y = 0; other >= 0 && y < page; --other) {
        measureRow(other);
        y += m_heights.height(other);
    }
    for (int other = row + 1, y = m_heights.height(row); other < count() && y < page; ++other) {
        measureRow(other);
        y += m_heights.height(other);
    }
    const int top = m_heights.top(row);
    const int height = m_heights.height(row);
    int target = top;
    switch (hint) {
    case PositionAtTop:
        break;
    case PositionAtBottom:
        target = top + height - page;
        break;
    case PositionAtCenter:
        target = top + height / 2 - page / 2;
        break;
    case EnsureVisible:
        if (top >= value && height <= page)
            target = top + height - page;
        break;
    }
    updateGeometries();
    verticalScrollBar()->setValue(target);
}

QModelIndex QuestionList::indexAt(const QPoint& point) const
{
    const int y = point.y() + verticalOffset();
    if (y < 0 || y >= m_heights.total())
        return QModelIndex();
    return indexOfRow(m_heights.rowAt(y));
}

QModelIndex QuestionList::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    if (count() == 0)
        return QModelIndex();
    const int current = currentRow();
    if (current < 0)
        return indexOfRow(0);
    const int page = viewport()->height();
    int row = current;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        row = current - 1;
        break;
    case MoveDown:
    case MoveNext:
        row = current + 1;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = count() - 1;
        break;
    case MovePageUp:
        row = std::min(current - 1, m_heights.rowAt(m_heights.top(current) - page + 1));
        break;
    case MovePageDown:
        row = std::max(current + 1, m_heights.rowAt(m_heights.top(current) + page - 1));
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return indexOfRow(std::clamp(row, 0, count() - 1));
}

int QuestionList::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int QuestionList::verticalOffset() const
{
    return verticalScrollBar()->value();
}

bool QuestionList::isIndexHidden(const QModelIndex&) const
{
    return false;
}

void QuestionList::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect area = rect.normalized();
    const int first = m_heights.rowAt(area.top() + verticalOffset());
    const int last = std::min(count() - 1, m_heights.rowAt(area.bottom() + verticalOffset()));
    if (first > last) {
        selectionModel()->select(QItemSelection(), command);
        return;
    }
    selectionModel()->select(QItemSelection(indexOfRow(first), indexOfRow(last)), command);
}

QRegion QuestionList::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const QRect view = viewport()->rect();
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.parent() != rootIndex())
            continue;
        const int top = m_heights.top(range.top()) - verticalOffset();
        const int bottom = m_heights.top(std::min(count(), range.bottom() + 1)) - verticalOffset();
        region += QRect(0, top, view.width(), bottom - top).intersected(view);
    }
    return region;
}

void QuestionList::reset()
{
    QAbstractItemView::reset();
    rebuildRows();
}

void QuestionList::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    if (parent != rootIndex())
        return;
    std::vector<int> heights;
    heights.reserve(std::size_t(end - start + 1));
    const EstimateMetrics metrics = estimateMetrics();
    for (int row = start; row <= end; ++row)
        heights.push_back(estimate(row, metrics));
    m_heights.insert(start, heights);
    m_measuredAt.insert(m_measuredAt.begin() + start, std::size_t(end - start + 1), 0);
    if (!isVisible())
        m_measureOnShow = true;
    updateGeometries();
    measureRowsInView();
    viewport()->update();
}

void QuestionList::rowsRemoved(const QModelIndex& parent, int start, int end)
{
    if (parent != rootIndex() || end >= count())
        return;
    m_heights.remove(start, end - start + 1);
    m_measuredAt.erase(m_measuredAt.begin() + start, m_measuredAt.begin() + end + 1);
    updateGeometries();
    measureRowsInView();
    viewport()->update();
}

void QuestionList::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                               const QList<int>& roles)
{
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    if (m_uniformHeight > 0 || (!roles.isEmpty() && !roles.contains(Qt::DisplayRole)))
        return;
    // A changed text is measured again when in view; out of view it keeps
    // its height as an estimate until it is shown.
    const int last = std::min(bottomRight.row(), count() - 1);
    for (int row = std::max(0, topLeft.row()); row <= last; ++row)
        m_measuredAt[std::size_t(row)] = 0;
    measureRowsInView();
}

void QuestionList::updateGeometries()
{
    const QSize view = viewport()->size();
    verticalScrollBar()->setSingleStep(QuestionItemDelegate::MinimumHeight);
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setRange(0, std::max(0, m_heights.total() - view.height()));
    horizontalScrollBar()->setSingleStep(QuestionItemDelegate::MinimumHeight);
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setRange(0, std::max(0, m_contentsWidth - view.width()));
    QAbstractItemView::updateGeometries();
}

void QuestionList::scrollContentsBy(int dx, int dy)
{
    QAbstractItemView::scrollContentsBy(dx, dy);
    measureRowsInView();
}

void QuestionList::paintEvent(QPaintEvent* event)
{
    measureRowsInView();
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State state = option.state;
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QRect area = event->rect();
    for (int row = m_heights.rowAt(area.top() + verticalOffset()); row < count(); ++row) {
        const QModelIndex index = indexOfRow(row);
        option.rect = visualRect(index);
        if (option.rect.top() > area.bottom())
            break;
        option.state = state;
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (focus && index == current)
            option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void QuestionList::resizeEvent(QResizeEvent* event)
{
    QAbstractItemView::resizeEvent(event);
    // The list kept its width but its viewport did not: the vertical scroll
    // bar came or went, and the rows wrap at the width that leaves.
    if (m_measureWidth > 0 && width() == m_measuredFrameWidth && viewport()->width() != m_measureWidth)
        m_measureWidth = viewport()->width();
    measureRowsInView();
}

void QuestionList::showEvent(QShowEvent* event)
{
    QAbstractItemView::showEvent(event);
    if (m_measureOnShow) {
        m_measureOnShow = false;
        m_measureWidth = viewport()->width();
        m_measuredFrameWidth = width();
    }
    measureRowsInView();
}

void QuestionList::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QAbstractItemView::currentChanged(current, previous);
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
        QAbstractItemView::mousePressEvent(event);
    }
    const QModelIndex current = currentIndex();
    if (!m_chosenByInput && event->button() == Qt::LeftButton && current.isValid()
        && indexAt(event->position().toPoint()) == current)
        emit itemChosen(current.row());
}

void QuestionList::mouseMoveEvent(QMouseEvent* event)
{
    const QScopedValueRollback<bool> input(m_userInput, true);
    QAbstractItemView::mouseMoveEvent(event);
}

void QuestionList::keyPressEvent(QKeyEvent* event)
{
    const QScopedValueRollback<bool> input(m_userInput, true);
    QAbstractItemView::keyPressEvent(event);
}
