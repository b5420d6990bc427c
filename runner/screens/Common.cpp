#include "runner/screens/Common.h"

#include "ui/Fonts.h"

PictureButton* MakeButton(QWidget* parent, const char* name, const char* picture,
                          const QString& caption, QSize size)
{
    auto* button = new PictureButton(QLatin1String(picture), caption, size, parent);
    button->setObjectName(QLatin1String(name));
    // Hidden where it has nothing to do, yet keeping its place, so that the
    // other buttons do not jump under the pointer.
    QSizePolicy policy = button->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    button->setSizePolicy(policy);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int pixelSize, bool bold, bool wrap)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(DesignFont(pixelSize, bold));
    label->setWordWrap(wrap);
    label->setTextFormat(Qt::PlainText);
    return label;
}
