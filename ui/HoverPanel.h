// A white panel with a thin black border that takes the highlight colour
// while the pointer is over it or over any of its children. Children without
// a background of their own show the panel's, so they follow it.
#pragma once

#include <QFrame>

class HoverPanel : public QFrame
{
    Q_OBJECT

public:
    explicit HoverPanel(QWidget* parent = nullptr);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void SetBackground(const QColor& color);
};
