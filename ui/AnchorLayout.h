// Places each widget at its design geometry and keeps the distances to the
// edges it is anchored to when the container is resized, so a window drawn
// at one size stays laid out at any other. An edge pair with neither side
// anchored is left alone (the owner positions the widget on that axis).
#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

class AnchorLayout : public QLayout
{
public:
    enum Anchor {
        Left = 0x1,
        Top = 0x2,
        Right = 0x4,
        Bottom = 0x8,
        LeftTop = Left | Top,
        All = Left | Top | Right | Bottom,
    };
    Q_DECLARE_FLAGS(Anchors, Anchor)

    // `designSize` is the container's size in the design.
    explicit AnchorLayout(QSize designSize, QWidget* parent = nullptr);
    ~AnchorLayout() override;

    // A width or height of 0 in `design` means: the widget's size hint.
    void addWidget(QWidget* widget, const QRect& design, Anchors anchors = LeftTop);
    // Gives a widget already added a new design geometry, with the same
    // anchors, and places it at once.
    void setDesign(QWidget* widget, const QRect& design);

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Entry
    {
        QLayoutItem* item;
        QRect design;
        Anchors anchors;
    };

    QRect place(const Entry& entry, const QRect& area) const;

    QSize m_designSize;
    QList<Entry> m_entries;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(AnchorLayout::Anchors)
