// A one-line label that cuts its text with an ellipsis at the end when the
// text is wider than the label.
#pragma once

#include <QFrame>

class ElidedLabel : public QFrame
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    // The text as drawn at the label's current width.
    QString elidedText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
