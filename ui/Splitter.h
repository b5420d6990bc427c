// A splitter whose handles are flat bars of one colour and which reports
// when the user lets go of a handle, after dragging it or not.
#pragma once

#include <QColor>
#include <QSplitter>

class Splitter : public QSplitter
{
    Q_OBJECT

public:
    Splitter(Qt::Orientation orientation, const QColor& handleColor, QWidget* parent = nullptr);

signals:
    void handleReleased();

protected:
    QSplitterHandle* createHandle() override;

private:
    QColor m_handleColor;
};
