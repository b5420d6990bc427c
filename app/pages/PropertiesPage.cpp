// The properties page: title, description and pass threshold.

#include "app/TForm1.h"

#include "ui/AnchorLayout.h"
#include "ui/Cp1250.h"
#include "ui/Memo.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

void TForm1::BuildPropertiesPage()
{
    edtTestTitle = new QLineEdit(QStringLiteral("Nowy test"), ts2);
    edtTestTitle->setObjectName(QStringLiteral("edtTestTitle"));
    mmoTestDescription = new QPlainTextEdit(ts2);
    mmoTestDescription->setObjectName(QStringLiteral("mmoTestDescription"));
}

void TForm1::ShowTitleAndDescription()
{
    PutText(edtTestTitle, FromCp1250(CurrentTest->Title));
    EmptyMemo(mmoTestDescription);
    PutText(mmoTestDescription, FromCp1250(CurrentTest->Description) + QLatin1Char('\n'));
}

void TForm1::ShowThreshold(int, bool) {}
void TForm1::edtTestTitleChange() {}
void TForm1::mmoTestDescriptionChange() {}
void TForm1::se1Change(int) {}
