#include "HoverHighlight.h"

#include <QColor>
#include <QEvent>
#include <QWidget>

namespace {

// Watches the pointer entering and leaving one edit. The background is set
// through a style sheet because a flat border needs one, and a style sheet
// paints over any palette colour.
class HoverWatcher : public QObject
{
public:
    HoverWatcher(QWidget* edit, const QColor& normal, const QColor& hovered)
        : QObject(edit)
        , m_edit(edit)
        , m_normal(normal)
        , m_hovered(hovered)
        // A style sheet cuts the edit off from the palette it inherits, so
        // the text colour it has now goes into the sheet.
        , m_text(edit->palette().color(QPalette::Text))
    {
        paint(m_normal);
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Enter:
            paint(m_hovered);
            break;
        case QEvent::Leave:
        case QEvent::Hide:  // hidden under the pointer, it must not come back highlighted
            paint(m_normal);
            break;
        default:
            break;
        }
        return false;
    }

private:
    void paint(const QColor& background)
    {
        // The class selector keeps the sheet off the memo's scroll bars.
        const QString sheet = QStringLiteral("%1 { border: 1px solid #7f9db9; background: %2; color: %3; }")
                                  .arg(QLatin1String(m_edit->metaObject()->className()),
                                       background.name(), m_text.name());
        if (m_edit->styleSheet() != sheet)
            m_edit->setStyleSheet(sheet);
    }

    QWidget* m_edit;
    QColor m_normal;
    QColor m_hovered;
    QColor m_text;
};

} // namespace

void HighlightOnHover(QWidget* edit, const QColor& normal, const QColor& hovered)
{
    new HoverWatcher(edit, normal, hovered);
}
