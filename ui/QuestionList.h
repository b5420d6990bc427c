// A list of word-wrapped items of varying height. Each item's text is
// wrapped at the list's client width minus 2 and drawn 2 pixels in; an item
// is as high as its text, at least 20 and at most 255 pixels (a longer text
// is cut off).
//
// An item's height is measured once, when the item is added or its text
// replaced, and kept with the item: resizing the list measures nothing, so
// that lists of thousands of items stay quick. Items added while the list is
// not on screen are measured when it is shown, at the width it then has:
// those in view at once, the others in short slices between events.
#pragma once

#include <QListWidget>

class QTimer;

class QuestionList : public QListWidget
{
    Q_OBJECT

public:
    // What the item shows, as a non-owning pointer.
    static constexpr int ReferenceRole = Qt::UserRole;
    // The measured height in pixels; none while the item waits to be measured.
    static constexpr int HeightRole = Qt::UserRole + 1;
    // The wrap width the height was measured at.
    static constexpr int MeasuredWidthRole = Qt::UserRole + 2;

    explicit QuestionList(QWidget* parent = nullptr);

    // The width the items' text is wrapped at: the client width minus 2.
    int wrapWidth() const;
    // Measures every item anew at the current width: the items in view at
    // once, the others in short slices between events, so that a list of
    // thousands answers at once. Until its turn an item keeps its height.
    void remeasureAll();

signals:
    // The user chose an item with the mouse or the keyboard; a click on the
    // item already chosen chooses it again. The program's own changes of the
    // current row emit nothing.
    void itemChosen(int row);

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Measures the item now when the list is on screen, else marks it to be
    // measured on showing. True when its height changed.
    bool measure(QListWidgetItem* item);
    void measureWaitingItems();
    bool measureAt(QListWidgetItem* item, int width);
    // Measures items left behind by remeasureAll for a few milliseconds.
    void remeasureSlice();
    // The wrap width once the scroll bar has come or gone as the measured
    // heights ask.
    int SettledWrapWidth() const;

    bool m_userInput = false;  // the user, not the program, may move the current row now
    bool m_chosenByInput = false;
    bool m_itemsWaiting = false;
    int m_remeasureFrom = -1;  // the next row remeasureAll has to look at; -1 when done
    int m_remeasureWidth = 0;          // the width remeasureAll wraps at
    QTimer* m_remeasureTimer = nullptr;
};
