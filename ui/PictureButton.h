// A clickable picture with a second picture shown while the pointer is over
// it. The caption is drawn in the picture; it also serves as the accessible
// name. Reachable with Tab and pressed with Space or Enter; a frame shows
// the focus when it came from the keyboard.
#pragma once

#include <QAbstractButton>
#include <QIcon>

class PictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    // `picture` names the pair ":/buttons/<picture>.png" and
    // ":/buttons/<picture>_hover.png"; `size` is the picture's size.
    PictureButton(const QString& picture, const QString& caption, QSize size,
                  QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QIcon& Picture(bool hover);

    // Decoded on first paint: most buttons sit on pages not shown yet, and
    // decoding them all would slow the program's start.
    QString m_picture;
    QIcon m_normal;
    QIcon m_hover;
    QSize m_size;
    bool m_focusFrame = false;  // the focus came from the keyboard
};
