#include "AnchorLayout.h"

#include <QWidget>
#include <QWidgetItem>

namespace {

// One axis: the start and length of a control given its design start and
// length, the anchors on both sides and the container's design and actual
// lengths. With neither side anchored, start and length stay as they are.
void placeAxis(int designStart, int designLength, bool nearAnchored, bool farAnchored,
               int designTotal, int total, int& start, int& length)
{
    const int farGap = designTotal - (designStart + designLength);
    if (nearAnchored && farAnchored) {
        start = designStart;
        length = qMax(0, total - farGap - designStart);
    } else if (farAnchored) {
        start = total - farGap - designLength;
        length = designLength;
    } else if (nearAnchored) {
        start = designStart;
        length = designLength;
    }
}

} // namespace

AnchorLayout::AnchorLayout(QSize designSize, QWidget* parent)
    : QLayout(parent)
    , m_designSize(designSize)
{
    setContentsMargins(0, 0, 0, 0);
}

AnchorLayout::~AnchorLayout()
{
    QLayoutItem* item;
    while ((item = takeAt(0)))
        delete item;
}

void AnchorLayout::addWidget(QWidget* widget, const QRect& design, Anchors anchors)
{
    addChildWidget(widget);
    QRect rect = design;
    const QSize hint = widget->sizeHint();
    if (rect.width() <= 0)
        rect.setWidth(hint.width());
    if (rect.height() <= 0)
        rect.setHeight(hint.height());
    widget->setGeometry(rect);
    m_entries.append({new QWidgetItem(widget), rect, anchors});
    invalidate();
}

void AnchorLayout::setDesign(QWidget* widget, const QRect& design)
{
    for (Entry& entry : m_entries) {
        if (entry.item->widget() == widget) {
            entry.design = design;
            widget->setGeometry(place(entry, contentsRect()));
            return;
        }
    }
}

void AnchorLayout::addItem(QLayoutItem* item)
{
    m_entries.append({item, item->geometry(), LeftTop});
}

int AnchorLayout::count() const
{
    return int(m_entries.size());
}

QLayoutItem* AnchorLayout::itemAt(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries.at(index).item : nullptr;
}

QLayoutItem* AnchorLayout::takeAt(int index)
{
    if (index < 0 || index >= m_entries.size())
        return nullptr;
    return m_entries.takeAt(index).item;
}

QSize AnchorLayout::sizeHint() const
{
    return m_designSize;
}

QSize AnchorLayout::minimumSize() const
{
    return {0, 0};
}

void AnchorLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect area = contentsRect();
    for (const Entry& entry : std::as_const(m_entries)) {
        const QRect rect = place(entry, area);
        // The design geometry is exact: a widget gets its rectangle as drawn,
        // not one its size policy would shrink and centre.
        if (QWidget* widget = entry.item->widget())
            widget->setGeometry(rect);
        else
            entry.item->setGeometry(rect);
    }
}

QRect AnchorLayout::place(const Entry& entry, const QRect& area) const
{
    // Keep what the owner set on an axis that has no anchor.
    QRect current = entry.item->geometry().translated(-area.topLeft());
    int x = current.x(), width = current.width();
    int y = current.y(), height = current.height();
    const QRect& d = entry.design;
    placeAxis(d.x(), d.width(), entry.anchors & Left, entry.anchors & Right,
              m_designSize.width(), area.width(), x, width);
    placeAxis(d.y(), d.height(), entry.anchors & Top, entry.anchors & Bottom,
              m_designSize.height(), area.height(), y, height);
    return QRect(area.x() + x, area.y() + y, width, height);
}
