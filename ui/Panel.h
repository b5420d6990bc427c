// A panel of one background colour, with or without a one-pixel black
// border, that reports each change of its size.
#pragma once

#include <QFrame>

class Panel : public QFrame
{
    Q_OBJECT

public:
    Panel(const QColor& background, bool border, QWidget* parent = nullptr);

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_border;
};
