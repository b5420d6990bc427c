// A list of questions over any list model: rows of varying height, each as
// high as its delegate's size hint measured at the width the list has when
// the row is first shown. Until then a row carries an estimate, so that
// showing, filling or resizing a list of a hundred thousand rows measures
// only the rows in view; the scroll bar corrects itself as rows are
// measured. The heights live in a Fenwick tree: finding a row, scrolling and
// changing one row cost O(log n) whatever the number of rows.
//
// A resize measures nothing; remeasureAll() takes the list's width as the new
// measuring width, and the rows in view are measured at once, the others as
// they come into view. A list may instead have rows of one height
// (setUniformRowHeight), which are never measured.
#pragma once

#include "RowHeights.h"

#include <QAbstractItemView>

#include <vector>

class QuestionList : public QAbstractItemView
{
    Q_OBJECT

public:
    // A model may answer this role with the length of a row's text, from
    // which the list estimates the height of a row not yet measured.
    static constexpr int TextLengthRole = Qt::UserRole + 100;

    explicit QuestionList(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    int count() const;
    int currentRow() const;
    void setCurrentRow(int row);

    // The width the items' text is wrapped at: the client width minus 2.
    int wrapWidth() const;
    // Measures the rows at the current width, those in view at once.
    void remeasureAll();
    // Every row this high; 0 measures each row through the delegate.
    void setUniformRowHeight(int height);
    // How wide the rows are drawn: at least the viewport's width. A wider
    // content scrolls sideways.
    void setContentsWidth(int width);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;

signals:
    // The user chose an item with the mouse or the keyboard; a click on the
    // item already chosen chooses it again. The program's own changes of the
    // current row emit nothing.
    void itemChosen(int row);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;

    void reset() override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rowsRemoved(const QModelIndex& parent, int start, int end);
    // Rebuilds every row's estimate after a reset or a change of layout.
    void rebuildRows();
    // What estimating a row's height needs of the font, taken once for many rows.
    struct EstimateMetrics
    {
        int charactersPerLine;
        int lineHeight;
    };
    EstimateMetrics estimateMetrics() const;
    int estimate(int row, const EstimateMetrics& metrics) const;
    // Measures the rows in view that were not measured at the current
    // measuring width; true when a height changed.
    bool measureRowsInView();
    // Rows are measured only on screen, at a width taken there.
    bool canMeasure() const;
    // Measures one row now, when it is due; true when its height changed.
    bool measureRow(int row);
    int contentsWidth() const;
    QModelIndex indexOfRow(int row) const;

    RowHeights m_heights;
    // The measuring width each row's height belongs to; 0: an estimate.
    std::vector<int> m_measuredAt;
    int m_measureWidth = 0;   // the viewport width rows are measured at; 0 until first shown
    int m_measuredFrameWidth = 0;  // the list's own width when m_measureWidth was taken
    bool m_measureOnShow = true;
    bool m_measuring = false;
    int m_uniformHeight = 0;
    int m_contentsWidth = 0;
    bool m_userInput = false;  // the user, not the program, may move the current row now
    bool m_chosenByInput = false;
};
