#include "QuestionItemDelegate.h"

#include "WrappedText.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

int QuestionItemDelegate::measureHeight(const QString& text, const QFont& font, int wrapWidth)
{
    return qBound(MinimumHeight, WrappedText(text, font, wrapWidth, MaximumHeight).size().height(),
                  MaximumHeight);
}

void QuestionItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    painter->save();
    painter->setClipRect(option.rect);
    const QPalette& palette = option.palette;
    // The selection keeps its colours when the list loses the focus, so the
    // question being edited stays plain to see.
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(option.rect, palette.color(QPalette::Active, QPalette::Highlight));
        painter->setPen(palette.color(QPalette::Active, QPalette::HighlightedText));
    } else {
        painter->setPen(palette.color(QPalette::Text));
    }
    const WrappedText text(index.data(Qt::DisplayRole).toString(), option.font,
                           option.rect.width() - Indent, option.rect.height());
    text.draw(painter, option.rect.topLeft() + QPoint(Indent, 0));

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = palette.color(QPalette::Active, QPalette::Highlight);
        const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
    painter->restore();
}

QSize QuestionItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // No width of its own: an item spans the list, whatever its width.
    return QSize(0, measureHeight(index.data(Qt::DisplayRole).toString(), option.font,
                                  option.rect.width() - Indent));
}
