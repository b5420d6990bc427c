// A grid of text cells after the classic string grid: no border, no headers,
// rows and columns of fixed sizes, vertical lines between columns only,
// right-aligned text, a selection that can be made with the mouse but is not
// drawn, no editing, and no background of its own (it shows its parent's).
//
// The grid stores no texts: the owner's function gives a cell's text when the
// cell is shown, so a grid of thousands of cells fills at once.
#pragma once

#include <QTableView>

#include <functional>

class StringGrid : public QTableView
{
    Q_OBJECT

public:
    using CellTextFunction = std::function<QString(int row, int column)>;

    // `cellSize`: the width of every column and the height of every row.
    explicit StringGrid(QSize cellSize, QWidget* parent = nullptr);

    void SetCellText(CellTextFunction cellText);
    // Shows every cell's text anew, after the data behind them changed.
    void RefreshCells();

    int RowCount() const;
    int ColumnCount() const;
    // Counts below 1 count as 1: the grid always has a cell.
    void SetRowCount(int rows);
    void SetColumnCount(int columns);

    // The rows and columns that the viewport shows whole.
    int FullyVisibleRows() const;
    int FullyVisibleColumns() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class CellModel;

    void FitScrollBars();

    CellModel* m_cells;
};
