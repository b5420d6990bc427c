#include "PolishQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void InstallPolishQtTexts(QCoreApplication& application)
{
    auto* qtTexts = new QTranslator(&application);
    if (qtTexts->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(qtTexts);
    else
        delete qtTexts;
}
