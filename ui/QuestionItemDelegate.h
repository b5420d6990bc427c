// Draws the items of a QuestionList: the text wrapped at the item's width
// minus 2, 2 pixels in from the left edge, cut off at the item's bottom; the
// selected item in the system's highlight colours. Its size hint is the
// height of the text wrapped at the width of the option's rectangle minus 2.
#pragma once

#include <QStyledItemDelegate>

class QuestionItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int MinimumHeight = 20;
    static constexpr int MaximumHeight = 255;
    static constexpr int Indent = 2;

    using QStyledItemDelegate::QStyledItemDelegate;

    // The height of an item showing `text` wrapped at `wrapWidth`.
    static int measureHeight(const QString& text, const QFont& font, int wrapWidth);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
