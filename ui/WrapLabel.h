// A word-wrapping label that sizes itself. When its text is set, or its
// automatic sizing is switched on, it wraps the text at its current width
// minus 2 and takes the wrapped text's height and the width of its longest
// line plus 2; setting the width alone measures nothing. It shows a text
// cursor, its text turns blue and a thin frame is drawn round it while the
// pointer is over it, so that it reads as something to click, and a click on
// it emits clicked().
#pragma once

#include <QWidget>

class WrapLabel : public QWidget
{
    Q_OBJECT

public:
    explicit WrapLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void measure();

    QString m_text;
    bool m_autoSize = true;
    bool m_pressed = false;
};
