// The summary page: title, question count, answer key, running and printing.

#include "app/TForm1.h"

#include "ui/AnchorLayout.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QTableWidget>

void TForm1::BuildSummaryPage()
{
    lbl2 = new QLabel(ts5);
    lbl2->setObjectName(QStringLiteral("lbl2"));
    lbl4 = new QLabel(ts5);
    lbl4->setObjectName(QStringLiteral("lbl4"));
    sgKlucz = new QTableWidget(ts5);
    sgKlucz->setObjectName(QStringLiteral("sgKlucz"));
}

void TForm1::ts5Show()
{
    ShowQuestionCount();
    imgExit->show();
}

void TForm1::ShowQuestionCount()
{
    lbl4->setText(CurrentTest ? QString::number(CurrentTest->QuestionCount) : QString());
}

void TForm1::SetTitleLabel() {}
void TForm1::FillAnswerKey() {}
void TForm1::SaveAnswerKey() {}
void TForm1::img4Click() {}
void TForm1::imgEdytujTestClick() {}
void TForm1::imgUruchomTestClick() {}
void TForm1::imgDrukujTestClick() {}
void TForm1::imgKluczDrukujClick() {}
