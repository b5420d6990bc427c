#include "ProgramIcon.h"

QIcon ProgramIcon()
{
    QIcon icon(QStringLiteral(":/icons/testarion-48.png"));
    icon.addFile(QStringLiteral(":/icons/testarion-128.png"));
    return icon;
}
