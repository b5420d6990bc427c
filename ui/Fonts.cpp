#include "Fonts.h"

namespace {

const QString kFamily = QStringLiteral("Trebuchet MS");

void InstallSubstitution()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(kFamily, {QStringLiteral("Open Sans"),
                                             QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

QFont DesignFont(int pixelSize, bool bold)
{
    InstallSubstitution();
    QFont font(kFamily);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
