// The question editor: the question list, the question and its answers.

#include "app/TForm1.h"

#include "ui/AnchorLayout.h"
#include "ui/Cp1250.h"

#include <QListWidget>

void TForm1::BuildQuestionsPage()
{
    lstQuestions = new QListWidget(ts3);
    lstQuestions->setObjectName(QStringLiteral("lstQuestions"));
}

void TForm1::FillQuestionList()
{
    for (const auto& question : CurrentTest->Questions) {
        auto* item = new QListWidgetItem(FromCp1250(question->Text) + QLatin1Char('\n'));
        item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(question.get())));
        lstQuestions->addItem(item);
    }
}

TQuestion* TForm1::CurrentQuestion() const
{
    const QListWidgetItem* item = lstQuestions->currentItem();
    return item ? static_cast<TQuestion*>(item->data(Qt::UserRole).value<void*>()) : nullptr;
}

void TForm1::lstQuestionsClick() {}
void TForm1::LayoutAnswers() {}
void TForm1::HideAnswerEditor() {}
void TForm1::AppendQuestion() {}
void TForm1::RemoveQuestion() {}
void TForm1::imgAddQuestionClick() {}
void TForm1::imgDeleteQuestionClick() {}
