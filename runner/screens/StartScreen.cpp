// The start screen: what the test is, and who takes it.

#include "runner/TRunner.h"

#include "runner/RunnerPrompts.h"
#include "runner/screens/Common.h"
#include "ui/Fonts.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& accessibleName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(accessibleName);
    edit->setMaxLength(200);
    QPalette paper = edit->palette();
    paper.setColor(QPalette::Base, HighlightColor());
    paper.setColor(QPalette::Text, TextColor());
    edit->setPalette(paper);
    return edit;
}

} // namespace

void TRunner::BuildStartScreen()
{
    auto* screen = new QWidget(m_screens);
    screen->setObjectName(QStringLiteral("startScreen"));
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->setSpacing(16);

    lblTitle = MakeLabel(screen, "lblTitle", 26, true, true);
    QPalette maroon = lblTitle->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    lblTitle->setPalette(maroon);
    layout->addWidget(lblTitle);
    lblDescription = MakeLabel(screen, "lblDescription", 16, false, true);
    layout->addWidget(lblDescription);
    lblQuestionCount = MakeLabel(screen, "lblQuestionCount", 16, true, false);
    layout->addWidget(lblQuestionCount);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    edtName = MakeEdit(screen, "edtName", QStringLiteral("Imię i nazwisko"));
    edtClass = MakeEdit(screen, "edtClass", QStringLiteral("Klasa"));
    auto* nameLabel = MakeLabel(screen, "lblName", 16, false, false);
    nameLabel->setText(QStringLiteral("Imię i nazwisko"));
    nameLabel->setBuddy(edtName);
    auto* classLabel = MakeLabel(screen, "lblClass", 16, false, false);
    classLabel->setText(QStringLiteral("Klasa"));
    classLabel->setBuddy(edtClass);
    form->addRow(nameLabel, edtName);
    form->addRow(classLabel, edtClass);
    layout->addLayout(form);

    auto* imgStart = MakeButton(screen, "imgStart", "rozpocznij", QStringLiteral("Rozpocznij"),
                                QSize(220, 45));
    layout->addWidget(imgStart, 0, Qt::AlignLeft);
    layout->addStretch(1);
    connect(imgStart, &PictureButton::clicked, this, &TRunner::imgStartClick);
    // Enter walks from the name to the class, and from there starts.
    connect(edtName, &QLineEdit::returnPressed, edtClass, [this] { edtClass->setFocus(); });
    connect(edtClass, &QLineEdit::returnPressed, this, &TRunner::imgStartClick);

    m_screens->insertWidget(StartScreen, screen);
}

void TRunner::imgStartClick()
{
    if (!m_test)
        return;
    if (edtName->text().trimmed().isEmpty()) {
        RunnerPrompts::Current().Message(this, QStringLiteral("Wpisz imię i nazwisko."));
        edtName->setFocus();
        return;
    }
    m_choices.assign(m_asked.size(), -1);
    m_screens->setCurrentIndex(QuestionScreen);
    UpdateStrip();
    ShowQuestion(0);
}
