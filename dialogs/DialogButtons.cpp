#include "DialogButtons.h"

#include "ui/AnchorLayout.h"
#include "ui/PictureButton.h"

#include <QDialog>

DialogButtons AddDialogButtons(QDialog* dialog, AnchorLayout* layout, QPoint cancelAt, QPoint okAt)
{
    const QSize size(110, 32);
    auto* cancel = new PictureButton(QStringLiteral("anuluj"), QStringLiteral("anuluj"), size, dialog);
    cancel->setObjectName(QStringLiteral("img1"));
    layout->addWidget(cancel, QRect(cancelAt, size));
    QObject::connect(cancel, &PictureButton::clicked, dialog, &QDialog::reject);

    auto* ok = new PictureButton(QStringLiteral("ok"), QStringLiteral("ok"), size, dialog);
    ok->setObjectName(QStringLiteral("img2"));
    layout->addWidget(ok, QRect(okAt, size));
    return {cancel, ok};
}
