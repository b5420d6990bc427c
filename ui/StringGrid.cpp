#include "StringGrid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

// Cells whose texts come from the owner's function when they are asked for.
class StringGrid::CellModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    CellTextFunction cellText;
    int rows = 1;
    int columns = 1;

    void SetShape(int newRows, int newColumns)
    {
        if (newRows == rows && newColumns == columns)
            return;
        beginResetModel();
        rows = newRows;
        columns = newColumns;
        endResetModel();
    }

    void Refresh()
    {
        emit dataChanged(index(0, 0), index(rows - 1, columns - 1), {Qt::DisplayRole});
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows; }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : columns;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !cellText)
            return {};
        return cellText(index.row(), index.column());
    }

    Qt::ItemFlags flags(const QModelIndex&) const override
    {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }
};

namespace {

// Right-aligned text with a line after every column but the last; the
// selection, the current cell and the hovered cell look like any other.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.column() < index.model()->columnCount() - 1) {
            painter->save();
            painter->setPen(option.palette.color(QPalette::Mid));
            painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
            painter->restore();
        }
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
        option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
};

} // namespace

StringGrid::StringGrid(QSize cellSize, QWidget* parent)
    : QTableView(parent)
    , m_cells(new CellModel(this))
{
    setModel(m_cells);
    setItemDelegate(new CellDelegate(this));
    setFrameShape(QFrame::NoFrame);
    setShowGrid(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);

    const struct {
        QHeaderView* header;
        int size;
    } axes[] = {{horizontalHeader(), cellSize.width()}, {verticalHeader(), cellSize.height()}};
    for (const auto& axis : axes) {
        axis.header->hide();
        axis.header->setMinimumSectionSize(1);
        axis.header->setDefaultSectionSize(axis.size);
        axis.header->setSectionResizeMode(QHeaderView::Fixed);
    }
    FitScrollBars();
}

void StringGrid::SetCellText(CellTextFunction cellText)
{
    m_cells->cellText = std::move(cellText);
    RefreshCells();
}

void StringGrid::RefreshCells()
{
    m_cells->Refresh();
}

int StringGrid::RowCount() const
{
    return m_cells->rows;
}

int StringGrid::ColumnCount() const
{
    return m_cells->columns;
}

void StringGrid::SetRowCount(int rows)
{
    m_cells->SetShape(qMax(1, rows), m_cells->columns);
    FitScrollBars();
}

void StringGrid::SetColumnCount(int columns)
{
    m_cells->SetShape(m_cells->rows, qMax(1, columns));
    FitScrollBars();
}

int StringGrid::FullyVisibleRows() const
{
    const int bottom = viewport()->height();
    int count = 0;
    for (int row = qMax(0, rowAt(0)); row < m_cells->rows; ++row) {
        if (rowViewportPosition(row) + rowHeight(row) > bottom)
            break;
        ++count;
    }
    return count;
}

int StringGrid::FullyVisibleColumns() const
{
    const int right = viewport()->width();
    int count = 0;
    for (int column = qMax(0, columnAt(0)); column < m_cells->columns; ++column) {
        if (columnViewportPosition(column) + columnWidth(column) > right)
            break;
        ++count;
    }
    return count;
}

void StringGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    FitScrollBars();
}

void StringGrid::FitScrollBars()
{
    // Qt shows and hides scroll bars on a queued call, but the owner measures
    // the viewport right after changing the counts: decide them here, at once.
    const QSize room = maximumViewportSize();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int width = horizontalHeader()->length();
    const int height = verticalHeader()->length();
    bool vertical = height > room.height();
    const bool horizontal = width > room.width() - (vertical ? extent : 0);
    if (horizontal)
        vertical = height > room.height() - extent;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}
