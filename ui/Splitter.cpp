#include "Splitter.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

class FlatHandle : public QSplitterHandle
{
public:
    FlatHandle(Qt::Orientation orientation, const QColor& color, Splitter* parent)
        : QSplitterHandle(orientation, parent)
        , m_color(color)
        , m_splitter(parent)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), m_color);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QSplitterHandle::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            emit m_splitter->handleReleased();
    }

private:
    QColor m_color;
    Splitter* m_splitter;
};

} // namespace

Splitter::Splitter(Qt::Orientation orientation, const QColor& handleColor, QWidget* parent)
    : QSplitter(orientation, parent)
    , m_handleColor(handleColor)
{
}

QSplitterHandle* Splitter::createHandle()
{
    return new FlatHandle(orientation(), m_handleColor, this);
}
