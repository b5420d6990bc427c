#include "FadingNote.h"

#include "Fonts.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTimer>

namespace {

// Long enough to read a file name, short enough not to linger. A failure
// comes with an error box, which may keep the user a while: its note stays
// on for longer, to be seen once the box is closed.
constexpr int kHoldMs = 4000;
constexpr int kFailureHoldMs = 10000;
constexpr int kFadeMs = 800;

} // namespace

FadingNote::FadingNote(QWidget* parent)
    : QLabel(parent)
    , m_opacity(new QGraphicsOpacityEffect(this))
    , m_hold(new QTimer(this))
    , m_fade(new QPropertyAnimation(m_opacity, "opacity", this))
{
    setGraphicsEffect(m_opacity);
    setAlignment(Qt::AlignCenter);
    m_hold->setSingleShot(true);
    m_fade->setDuration(kFadeMs);
    m_fade->setStartValue(1.0);
    m_fade->setEndValue(0.0);
    connect(m_hold, &QTimer::timeout, m_fade, [this] { m_fade->start(); });
    connect(m_fade, &QPropertyAnimation::finished, this, &QWidget::hide);
    hide();
}

void FadingNote::ShowNote(const QString& text, Kind kind)
{
    m_fade->stop();
    m_kind = kind;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, kind == Failure ? QColor(192, 0, 0) : TextColor());
    setPalette(palette);
    setText(text);
    m_opacity->setOpacity(1.0);
    show();
    raise();
    m_hold->start(kind == Failure ? kFailureHoldMs : kHoldMs);
}
