// The import page: questions of another test to pick from.

#include "app/TForm1.h"

#include "ui/AnchorLayout.h"

#include <QLabel>
#include <QListWidget>

void TForm1::BuildImportPage()
{
    jvlblImpTestTitle = new QLabel(ts4);
    jvlblImpTestTitle->setObjectName(QStringLiteral("jvlblImpTestTitle"));
    lstImport = new QListWidget(ts4);
    lstImport->setObjectName(QStringLiteral("lstImport"));
}

void TForm1::imgImportQuestionClick() {}
void TForm1::ChooseImportSource() {}
void TForm1::imgWylosujClick() {}
void TForm1::imgAnulujClick() {}
void TForm1::imgImportujClick() {}
