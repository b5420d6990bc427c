// A one-line note that shows for a few seconds, then fades out and hides:
// a quiet word on what just happened, such as a file written, that asks for
// no click. A new note replaces the one in sight and starts its time anew.
#pragma once

#include <QLabel>

class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QTimer;

class FadingNote : public QLabel
{
    Q_OBJECT

public:
    enum Kind { Information, Failure };

    explicit FadingNote(QWidget* parent = nullptr);

    // Shows `text`; a failure in red, anything else in the text colour.
    void ShowNote(const QString& text, Kind kind = Information);
    Kind kind() const { return m_kind; }

private:
    QGraphicsOpacityEffect* m_opacity;
    QTimer* m_hold;
    QPropertyAnimation* m_fade;
    Kind m_kind = Information;
};
