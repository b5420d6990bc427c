// One question per screen: its text, its answers as radio buttons, the
// buttons that move between questions, and a strip of question numbers.

#include "runner/TRunner.h"

#include "runner/QuestionFont.h"
#include "runner/RunnerPrompts.h"
#include "runner/screens/Common.h"
#include "ui/Cp1250.h"
#include "ui/Fonts.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr QSize kMoveButton(149, 32);

QScrollArea* MakeScrollArea(QWidget* parent, const char* name)
{
    auto* area = new QScrollArea(parent);
    area->setObjectName(QLatin1String(name));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setBackgroundRole(QPalette::Window);
    return area;
}

QString StripStyle(bool answered, bool current)
{
    const QString fill = answered ? QStringLiteral("#000080") : QStringLiteral("#fffbf0");
    const QString text = answered ? QStringLiteral("white") : QStringLiteral("#000080");
    const QString border = current ? QStringLiteral("3px solid #e87e1c")
                                   : QStringLiteral("1px solid #2f6aab");
    return QStringLiteral("QPushButton { background: %1; color: %2; border: %3; "
                          "border-radius: 4px; font-weight: bold; }")
        .arg(fill, text, border);
}

} // namespace

void TRunner::BuildQuestionScreen()
{
    m_questionScreen = new QWidget(m_screens);
    m_questionScreen->setObjectName(QStringLiteral("questionScreen"));
    // The screen itself holds the focus, so that the keys reach it.
    m_questionScreen->setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(m_questionScreen);
    layout->setContentsMargins(24, 16, 24, 16);

    auto* stripArea = MakeScrollArea(m_questionScreen, "stripArea");
    stripArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stripArea->setFixedHeight(54);
    auto* stripHolder = new QWidget(stripArea);
    m_strip = new QHBoxLayout(stripHolder);
    m_strip->setContentsMargins(0, 4, 0, 4);
    m_strip->setSpacing(4);
    m_strip->addStretch(1);
    stripArea->setWidget(stripHolder);
    layout->addWidget(stripArea);

    lblQuestionNumber = MakeLabel(m_questionScreen, "lblQuestionNumber", 16, true, false);
    layout->addWidget(lblQuestionNumber);

    auto* questionArea = MakeScrollArea(m_questionScreen, "questionArea");
    questionArea->setFocusPolicy(Qt::NoFocus);
    auto* content = new QWidget(questionArea);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 8, 0);
    contentLayout->setSpacing(12);
    lblQuestionText = MakeLabel(content, "lblQuestionText", 16, true, true);
    lblQuestionText->setTextInteractionFlags(Qt::NoTextInteraction);
    contentLayout->addWidget(lblQuestionText);
    m_answers = new QWidget(content);
    m_answers->setObjectName(QStringLiteral("answers"));
    m_answerRows = new QVBoxLayout(m_answers);
    m_answerRows->setContentsMargins(0, 0, 0, 0);
    m_answerRows->setSpacing(10);
    contentLayout->addWidget(m_answers);
    contentLayout->addStretch(1);
    questionArea->setWidget(content);
    layout->addWidget(questionArea, 1);

    m_answerGroup = new QButtonGroup(this);
    connect(m_answerGroup, &QButtonGroup::idClicked, this, &TRunner::Choose);

    auto* buttons = new QHBoxLayout;
    imgPrevious = MakeButton(m_questionScreen, "imgPrevious", "poprzednie",
                             QStringLiteral("poprzednie"), kMoveButton);
    imgNext = MakeButton(m_questionScreen, "imgNext", "nastepne", QStringLiteral("następne"),
                         kMoveButton);
    auto* imgFinishTest = MakeButton(m_questionScreen, "imgFinishTest", "zakoncz_test",
                                     QStringLiteral("zakończ test"), kMoveButton);
    buttons->addWidget(imgPrevious);
    buttons->addWidget(imgNext);
    buttons->addStretch(1);
    buttons->addWidget(imgFinishTest);
    layout->addLayout(buttons);
    connect(imgPrevious, &PictureButton::clicked, this, &TRunner::imgPreviousClick);
    connect(imgNext, &PictureButton::clicked, this, &TRunner::imgNextClick);
    connect(imgFinishTest, &PictureButton::clicked, this, &TRunner::imgFinishTestClick);

    m_screens->insertWidget(QuestionScreen, m_questionScreen);
}

void TRunner::ShowQuestion(int index)
{
    if (index < 0 || index >= static_cast<int>(m_asked.size()))
        return;
    m_current = index;
    const TAskedQuestion& asked = m_asked[index];
    lblQuestionNumber->setText(
        QStringLiteral("Pytanie %1 z %2").arg(index + 1).arg(m_asked.size()));
    QFont font = lblQuestionText->font();
    font.setPointSize(QuestionFontPoints(asked.Question->FontSize, m_test->FontSize));
    lblQuestionText->setFont(font);
    lblQuestionText->setText(FromCp1250(asked.Question->Text));
    ShowAnswers(asked);
    imgPrevious->setVisible(index > 0);
    imgNext->setVisible(index + 1 < static_cast<int>(m_asked.size()));
    UpdateStrip();
    m_questionScreen->setFocus();
}

void TRunner::ShowAnswers(const TAskedQuestion& question)
{
    // The rows of the previous question go; a question has its own number
    // of answers.
    for (QAbstractButton* button : m_answerGroup->buttons())
        m_answerGroup->removeButton(button);
    while (QLayoutItem* item = m_answerRows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    QFont font = lblQuestionText->font();
    font.setBold(false);
    for (int i = 0; i < static_cast<int>(question.Answers.size()); ++i) {
        auto* row = new QWidget(m_answers);
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        const QString letter = QString::fromStdString(AnswerLetter(i));
        auto* radio = new QRadioButton(letter + QLatin1Char('.'), row);
        radio->setObjectName(QStringLiteral("rbAnswer%1").arg(i));
        radio->setFont(font);
        auto* text = new QLabel(FromCp1250(question.Answers[i]->Text), row);
        text->setObjectName(QStringLiteral("lblAnswer%1").arg(i));
        text->setTextFormat(Qt::PlainText);
        text->setWordWrap(true);
        text->setFont(font);
        text->setProperty("answer", i);
        text->installEventFilter(this);
        radio->setAccessibleDescription(text->text());
        rowLayout->addWidget(radio, 0, Qt::AlignTop);
        rowLayout->addWidget(text, 1);
        m_answerGroup->addButton(radio, i);
        radio->setChecked(m_choices[m_current] == i);
        m_answerRows->addWidget(row);
        row->show();
    }
    // Placed now rather than on the next pass of the event loop, so that a
    // click right away lands where the answer is drawn.
    lblQuestionText->parentWidget()->layout()->activate();
}

void TRunner::UpdateStrip()
{
    // One number per question, made when a test starts.
    while (m_stripButtons.size() < m_asked.size()) {
        const int index = static_cast<int>(m_stripButtons.size());
        auto* button = new QPushButton(QString::number(index + 1));
        button->setObjectName(QStringLiteral("btnQuestion%1").arg(index + 1));
        button->setAccessibleName(QStringLiteral("Pytanie %1").arg(index + 1));
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        button->setFixedSize(38, 32);
        m_strip->insertWidget(index, button);
        connect(button, &QPushButton::clicked, this, [this, index] { ShowQuestion(index); });
        m_stripButtons.push_back(button);
    }
    while (m_stripButtons.size() > m_asked.size()) {
        delete m_stripButtons.back();
        m_stripButtons.pop_back();
    }
    for (size_t i = 0; i < m_stripButtons.size(); ++i) {
        const bool answered = m_choices[i] >= 0;
        m_stripButtons[i]->setProperty("answered", answered);
        m_stripButtons[i]->setStyleSheet(StripStyle(answered, static_cast<int>(i) == m_current));
    }
}

void TRunner::Choose(int answer)
{
    if (ScreenIndex() != QuestionScreen || answer < 0
        || answer >= static_cast<int>(m_asked[m_current].Answers.size()))
        return;
    m_choices[m_current] = answer;
    if (QAbstractButton* radio = m_answerGroup->button(answer))
        radio->setChecked(true);
    UpdateStrip();
}

void TRunner::imgPreviousClick()
{
    ShowQuestion(m_current - 1);
}

void TRunner::imgNextClick()
{
    ShowQuestion(m_current + 1);
}

void TRunner::GoOn()
{
    if (m_current + 1 < static_cast<int>(m_asked.size()))
        ShowQuestion(m_current + 1);
    else
        cmdFinishTest();
}

void TRunner::imgFinishTestClick()
{
    cmdFinishTest();
}

void TRunner::cmdFinishTest()
{
    const int unanswered = UnansweredCount(m_choices);
    if (unanswered > 0
        && !RunnerPrompts::Current().Confirm(
            this, QStringLiteral("Nie odpowiedziano na %1 pytań. Zakończyć test?").arg(unanswered)))
        return;
    ShowResult();
}
