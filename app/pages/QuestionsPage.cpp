// The question editor: the question list, the selected question's text, its
// answers and the choice of the correct one, adding and deleting questions.
// Every edit goes straight into the current test.

#include "app/TForm1.h"

#include "app/Guarded.h"
#include "app/Prompts.h"
#include "app/QuestionListModel.h"
#include "ui/AnchorLayout.h"
#include "ui/Cp1250.h"
#include "ui/Fonts.h"
#include "ui/HoverHighlight.h"
#include "ui/Memo.h"
#include "ui/Panel.h"
#include "ui/PictureButton.h"
#include "ui/QuestionList.h"
#include "ui/ReturnKeyMemo.h"
#include "ui/Splitter.h"
#include "ui/WrapLabel.h"
#include "ui/WrappedText.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

namespace {

constexpr QSize kPageDesign(892, 529);
constexpr int kPanelMinimumWidth = 300;
constexpr int kHandleWidth = 5;
constexpr QSize kLeftPanelDesign(kPanelMinimumWidth, 529);
constexpr QSize kRightPanelDesign(892 - kPanelMinimumWidth - kHandleWidth, 529);
const QColor kHandleColor(192, 192, 192);

// Where the answers stand in their panel.
constexpr int kRadioLeft = 14;
constexpr int kAnswerLeft = 35;
constexpr int kAnswerFirstTop = 8;
constexpr int kAnswerGap = 30;
// The answer labels are as wide as the right panel minus this.
constexpr int kAnswerWidthShortfall = 75;
// The width an answer label takes while its answer is being typed.
constexpr int kEditedAnswerWidth = 511;

// The three buttons under the answers: in one row while the panel is wide
// enough, otherwise the third goes under the first two, and the answers
// give up the room of one row for it. The panel never gets narrower than
// two buttons.
constexpr QSize kButtonSize(183, 32);
constexpr int kButtonLefts[] = {9, 201, 392};
constexpr int kButtonRowTop = 456;
constexpr int kButtonRowStep = 39;
constexpr int kButtonRightMargin = 9;
constexpr int kOneRowWidth = kButtonLefts[2] + kButtonSize.width() + kButtonRightMargin;
constexpr int kTwoRowsWidth = kButtonLefts[1] + kButtonSize.width() + kButtonRightMargin;
constexpr QRect kAnswersDesign(5, 152, 572, 297);

// The questions the editor shows have answers A, B and C.
constexpr int kShownAnswers = 3;

// Text in the program's navy, as in the rest of the window.
void SetTextColor(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, TextColor());
    widget->setPalette(palette);
}

// The answer at `index`, created (with any missing before it) when a
// question read from a file has fewer answers: only writing to an answer
// creates it, showing one never does.
TAnswer* AnswerToWrite(TQuestion& question, int index)
{
    while (question.GetAnswer(index) == nullptr)
        question.AddAnswer();
    return question.GetAnswer(index);
}

} // namespace

void TForm1::BuildQuestionsPage()
{
    // Handlers of this page run under the top-level error handler, like the
    // picture buttons' clicks.
    const auto guarded = [this](void (TForm1::*handler)()) {
        return [this, handler] { RunGuarded(this, [this, handler] { (this->*handler)(); }); };
    };

    spl1 = new Splitter(Qt::Horizontal, kHandleColor, ts3);
    spl1->setObjectName(QStringLiteral("spl1"));
    spl1->setHandleWidth(kHandleWidth);
    spl1->setChildrenCollapsible(false);
    static_cast<AnchorLayout*>(ts3->layout())->addWidget(spl1, QRect(QPoint(0, 0), kPageDesign),
                                                         AnchorLayout::All);

    // Left: the question list. Both panels are made inside the splitter, so
    // that their labels take their sizes in the page's font.
    jvpnl1 = new Panel(Qt::white, false, spl1);
    jvpnl1->setObjectName(QStringLiteral("jvpnl1"));
    jvpnl1->setMinimumWidth(kPanelMinimumWidth);
    auto* left = new AnchorLayout(kLeftPanelDesign, jvpnl1);
    auto* lblQuestionList = new QLabel(QStringLiteral("Lista pytań"), jvpnl1);
    lblQuestionList->setObjectName(QStringLiteral("lblQuestionList"));
    left->addWidget(lblQuestionList, QRect(5, 8, 0, 0));
    questionModel = new QuestionListModel(this);
    connect(questionModel, &QuestionListModel::changed, this, &TForm1::ShowQuestionCount);
    lstQuestions = new QuestionList(jvpnl1);
    lstQuestions->setObjectName(QStringLiteral("lstQuestions"));
    lstQuestions->setFont(DesignFont(13));
    SetTextColor(lstQuestions);
    lstQuestions->setModel(questionModel);
    left->addWidget(lstQuestions, QRect(0, 32, 292, 465), AnchorLayout::All);
    connect(lstQuestions, &QuestionList::itemChosen, this, guarded(&TForm1::lstQuestionsClick));

    // Right: the selected question.
    jvpnl2 = new Panel(Qt::white, false, spl1);
    jvpnl2->setObjectName(QStringLiteral("jvpnl2"));
    jvpnl2->setMinimumWidth(qMax(kPanelMinimumWidth, kTwoRowsWidth));
    auto* right = new AnchorLayout(kRightPanelDesign, jvpnl2);

    jvlbl5 = new QLabel(QStringLiteral("Pytanie"), jvpnl2);
    jvlbl5->setObjectName(QStringLiteral("jvlbl5"));
    // Wide enough for "Pytanie 10000/10000"; the label draws no background.
    right->addWidget(jvlbl5, QRect(4, 8, 300, 0));

    mmo1 = new ReturnKeyMemo(jvpnl2);
    mmo1->setObjectName(QStringLiteral("mmo1"));
    mmo1->setFont(DesignFont(16));
    SetTextColor(mmo1);
    mmo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmo1->setTabChangesFocus(true);
    HighlightOnHover(mmo1, HighlightColor(), HighlightColor());
    right->addWidget(mmo1, QRect(4, 32, 572, 89),
                     AnchorLayout::Left | AnchorLayout::Top | AnchorLayout::Right);
    connect(mmo1, &QPlainTextEdit::textChanged, this, guarded(&TForm1::mmo1Change));
    connect(mmo1, &ReturnKeyMemo::clicked, this, guarded(&TForm1::mmo1Click));
    connect(mmo1, &ReturnKeyMemo::returnPressed, this, guarded(&TForm1::mmo1KeyPress));

    auto* jvlbl8 = new QLabel(QStringLiteral("Odpowiedzi"), jvpnl2);
    jvlbl8->setObjectName(QStringLiteral("jvlbl8"));
    right->addWidget(jvlbl8, QRect(8, 128, 0, 0));
    // How to go on from an answer, shown while one is being typed.
    lblAnswerEditorHint = new QLabel(QStringLiteral("Enter – następna odpowiedź"), jvpnl2);
    lblAnswerEditorHint->setObjectName(QStringLiteral("lblAnswerEditorHint"));
    QPalette hintPalette = lblAnswerEditorHint->palette();
    hintPalette.setColor(QPalette::WindowText, Qt::darkGray);
    lblAnswerEditorHint->setPalette(hintPalette);
    right->addWidget(lblAnswerEditorHint, QRect(120, 128, 0, 0));
    lblAnswerEditorHint->hide();

    jvpnl3 = new Panel(HighlightColor(), true, jvpnl2);
    jvpnl3->setObjectName(QStringLiteral("jvpnl3"));
    jvpnl3->setFont(DesignFont(16));
    right->addWidget(jvpnl3, kAnswersDesign, AnchorLayout::All);

    // The radio buttons stand beside the first line of their answers.
    const int radioHeight = QFontMetrics(jvpnl3->font()).height();
    rbCorrect = new QButtonGroup(this);
    const auto addAnswer = [&](int tag, QRadioButton*& radio, WrapLabel*& label, const char* radioName,
                               const char* labelName) {
        radio = new QRadioButton(jvpnl3);
        radio->setObjectName(QLatin1String(radioName));
        radio->setAccessibleName(QStringLiteral("Odpowiedź %1 jest poprawna").arg(QChar(u'A' + tag - 1)));
        radio->resize(radio->sizeHint().width(), radioHeight);
        radio->move(kRadioLeft, 0);
        rbCorrect->addButton(radio, tag);
        // Only a choice of the user writes scores; a click on the button
        // already checked changes nothing.
        connect(radio, &QAbstractButton::pressed, this, [this, radio] { rbWasChecked = radio->isChecked(); });
        label = new WrapLabel(jvpnl3);
        label->setObjectName(QLatin1String(labelName));
        // The width the texts are first measured at.
        label->setGeometry(kAnswerLeft, 0, kRightPanelDesign.width() - kAnswerWidthShortfall, 0);
        label->setToolTip(QStringLiteral("Kliknij, aby edytować odpowiedź"));
        connect(label, &WrapLabel::clicked, this,
                [this, label] { RunGuarded(this, [this, label] { lblOdpClick(label); }); });
    };
    addAnswer(1, rb1, jvlblOdpA, "rb1", "jvlblOdpA");
    addAnswer(2, rb2, jvlblOdpB, "rb2", "jvlblOdpB");
    addAnswer(3, rb3, jvlblOdpC, "rb3", "jvlblOdpC");
    connect(rbCorrect, &QButtonGroup::idClicked, this, [this](int tag) {
        if (!rbWasChecked)
            RunGuarded(this, [this, tag] { rb1Click(tag); });
    });

    mmoOdp = new ReturnKeyMemo(jvpnl3);
    mmoOdp->setObjectName(QStringLiteral("mmoOdp"));
    mmoOdp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmoOdp->setTabChangesFocus(true);
    SetTextColor(mmoOdp);
    HighlightOnHover(mmoOdp, Qt::white, Qt::white);
    mmoOdp->hide();
    connect(mmoOdp, &QPlainTextEdit::textChanged, this, guarded(&TForm1::mmoOdpChange));
    connect(mmoOdp, &ReturnKeyMemo::returnPressed, this, guarded(&TForm1::mmoOdpKeyPress));

    const auto addButton = [&](PictureButton*& button, const char* name, const char* picture,
                               const QString& caption, int x, void (TForm1::*handler)()) {
        button = new PictureButton(QLatin1String(picture), caption, kButtonSize, jvpnl2);
        button->setObjectName(QLatin1String(name));
        right->addWidget(button, QRect(QPoint(x, kButtonRowTop), kButtonSize),
                         AnchorLayout::Left | AnchorLayout::Bottom);
        OnClick(button, handler);
    };
    addButton(imgAddQuestion, "imgAddQuestion", "dodaj_pytanie", QStringLiteral("dodaj pytanie"),
              kButtonLefts[0], &TForm1::imgAddQuestionClick);
    addButton(imgDeleteQuestion, "imgDeleteQuestion", "usun_pytanie", QStringLiteral("usuń pytanie"),
              kButtonLefts[1], &TForm1::imgDeleteQuestionClick);
    addButton(imgImportQuestion, "imgImportQuestion", "importuj_pytania",
              QStringLiteral("importuj pytania"), kButtonLefts[2], &TForm1::imgImportQuestionClick);
    connect(jvpnl2, &Panel::resized, this, &TForm1::ArrangeQuestionButtons);

    spl1->addWidget(jvpnl1);
    spl1->addWidget(jvpnl2);
    // The list keeps its width when the window grows; the editor takes the rest.
    spl1->setStretchFactor(0, 0);
    spl1->setStretchFactor(1, 1);
    spl1->setSizes({kLeftPanelDesign.width(), kRightPanelDesign.width()});
    connect(spl1, &Splitter::handleReleased, this, guarded(&TForm1::spl1Moved));
    connect(jvpnl3, &Panel::resized, this, guarded(&TForm1::jvpnl3Resize));
}

void TForm1::FillQuestionList()
{
    questionModel->SetTest(CurrentTest.get());
}

TQuestion* TForm1::CurrentQuestion() const
{
    return questionModel->Question(lstQuestions->currentRow());
}

WrapLabel* TForm1::AnswerLabel(int n) const
{
    switch (n) {
    case 1:
        return jvlblOdpA;
    case 2:
        return jvlblOdpB;
    case 3:
        return jvlblOdpC;
    default:
        return nullptr;
    }
}

void TForm1::lstQuestionsClick()
{
    TQuestion* question = CurrentQuestion();
    // A test read from a file may hold no question: the editor then stays
    // empty and disabled until one is added.
    mmo1->setEnabled(question != nullptr);
    jvpnl3->setEnabled(question != nullptr);

    // Loading the text runs mmo1Change, which writes the same text back.
    EmptyMemo(mmo1);
    if (question) {
        const QString text = FromCp1250(question->Text);
        mmo1->setWordWrapMode(WrapModeFor(text));
        PutText(mmo1, text);
    }
    // Typing goes on at the end of the text, as in the answer editor.
    mmo1->moveCursor(QTextCursor::End);

    jvlblOdpA->setText(QStringLiteral("Odpowiedź A"));
    jvlblOdpB->setText(QStringLiteral("Odpowiedź B"));
    jvlblOdpC->setText(QStringLiteral("Odpowiedź C"));
    LayoutAnswers();
    int correct = -1;
    if (question) {
        const int count = qMin<qsizetype>(question->AnswerCount, question->Answers.size());
        for (int i = 0; i < count; ++i) {
            const TAnswer* answer = question->GetAnswer(i);
            if (i < kShownAnswers)
                AnswerLabel(i + 1)->setText(FromCp1250(answer->Text));
            if (answer->Score > 0)
                correct = i;
        }
    }
    // Checking from the program emits no clicked(), so showing a question
    // never writes its scores. With no correct answer among A to C, none is
    // checked.
    rbCorrect->setExclusive(false);
    for (QAbstractButton* radio : rbCorrect->buttons())
        radio->setChecked(rbCorrect->id(radio) == correct + 1);
    rbCorrect->setExclusive(true);

    jvlbl5->setText(question ? QStringLiteral("Pytanie %1/%2")
                                   .arg(lstQuestions->currentRow() + 1)
                                   .arg(lstQuestions->count())
                             : QStringLiteral("Pytanie"));
    LayoutAnswers();
    HideAnswerEditor();
}

void TForm1::LayoutAnswers()
{
    const int width = jvpnl2->width() - kAnswerWidthShortfall;
    for (int n = 1; n <= kShownAnswers; ++n)
        AnswerLabel(n)->resize(width, AnswerLabel(n)->height());
    StackAnswers();
}

void TForm1::StackAnswers()
{
    QRadioButton* const radios[] = {rb1, rb2, rb3};
    int top = kAnswerFirstTop;
    for (int n = 1; n <= kShownAnswers; ++n) {
        WrapLabel* label = AnswerLabel(n);
        label->move(kAnswerLeft, top);
        radios[n - 1]->move(kRadioLeft, top);
        top = label->y() + label->height() + kAnswerGap;
    }
}

void TForm1::PlaceAnswerEditor(const WrapLabel* label)
{
    // The editor covers its label and the gap below it, so that what is
    // typed wraps as the label will show it.
    mmoOdp->setGeometry(label->x() - 4, label->y() - 2, label->width() + 30, label->height() + 30);
}

void TForm1::HideAnswerEditor()
{
    mmoOdp->hide();
    lblAnswerEditorHint->hide();
    // The answer just typed was measured at the editing width.
    MeasureAnswers();
}

void TForm1::mmo1Change()
{
    if (!CurrentQuestion())
        return;
    questionModel->SetQuestionText(lstQuestions->currentRow(), ToCp1250(MemoText(mmo1)));
}

void TForm1::mmo1Click()
{
    HideAnswerEditor();
}

void TForm1::mmo1KeyPress()
{
    lblOdpClick(jvlblOdpA);
}

void TForm1::lblOdpClick(WrapLabel* label)
{
    LayoutAnswers();
    mmoOdpTag = 0;
    PlaceAnswerEditor(label);
    mmoOdp->setWordWrapMode(WrapModeFor(label->text()));
    PutText(mmoOdp, label->text());
    int tag = 1;
    while (AnswerLabel(tag) != label)
        ++tag;
    mmoOdpTag = tag;
    mmoOdp->show();
    mmoOdp->raise();
    lblAnswerEditorHint->show();
    // The editor takes the keyboard at once, so that typing after a click
    // on an answer lands in that answer.
    mmoOdp->moveCursor(QTextCursor::End);
    mmoOdp->setFocus();
}

void TForm1::mmoOdpChange()
{
    TQuestion* question = CurrentQuestion();
    if (mmoOdpTag == 0 || !question)
        return;
    const QString text = MemoText(mmoOdp);
    AnswerToWrite(*question, mmoOdpTag - 1)->Text = ToCp1250(text);
    WrapLabel* label = AnswerLabel(mmoOdpTag);
    // In a panel narrower than the design the answer keeps its shown width,
    // so that its editor stays whole inside the panel.
    const int width = qMin(kEditedAnswerWidth, jvpnl2->width() - kAnswerWidthShortfall);
    label->resize(width, label->height());
    label->setText(text);
    label->resize(width, label->height());
    // A line more or less moves the answers below it and the editor's
    // bottom at once, so that no line is drawn over the next answer.
    StackAnswers();
    PlaceAnswerEditor(label);
}

void TForm1::mmoOdpKeyPress()
{
    if (mmoOdpTag == kShownAnswers) {
        HideAnswerEditor();
        mmo1->setFocus();
        return;
    }
    lblOdpClick(AnswerLabel(mmoOdpTag + 1));
}

void TForm1::rb1Click(int tag)
{
    TQuestion* question = CurrentQuestion();
    if (!question)
        return;
    TAnswer* chosen = AnswerToWrite(*question, tag - 1);
    // Every other answer, those beyond C included, scores 0: a question has
    // one correct answer.
    for (const auto& answer : question->Answers)
        answer->Score = 0;
    chosen->Score = 1;
}

void TForm1::jvpnl3Resize()
{
    MeasureAnswers();
}

void TForm1::MeasureAnswers()
{
    // The labels get their widths first and are measured at them, so that
    // no line is cut off below a label that became narrower.
    LayoutAnswers();
    for (int n = 1; n <= kShownAnswers; ++n) {
        AnswerLabel(n)->setAutoSize(false);
        AnswerLabel(n)->setAutoSize(true);
    }
    LayoutAnswers();
}

void TForm1::ArrangeQuestionButtons()
{
    auto* layout = static_cast<AnchorLayout*>(jvpnl2->layout());
    const bool oneRow = jvpnl2->width() >= kOneRowWidth;
    if (oneRow == (imgImportQuestion->y() == imgAddQuestion->y()))
        return;
    const int firstRowTop = oneRow ? kButtonRowTop : kButtonRowTop - kButtonRowStep;
    layout->setDesign(imgAddQuestion, QRect(QPoint(kButtonLefts[0], firstRowTop), kButtonSize));
    layout->setDesign(imgDeleteQuestion, QRect(QPoint(kButtonLefts[1], firstRowTop), kButtonSize));
    layout->setDesign(imgImportQuestion,
                      QRect(QPoint(oneRow ? kButtonLefts[2] : kButtonLefts[0], kButtonRowTop), kButtonSize));
    layout->setDesign(jvpnl3, oneRow ? kAnswersDesign : kAnswersDesign.adjusted(0, 0, 0, -kButtonRowStep));
}

void TForm1::spl1Moved()
{
    // Every item is measured anew at the new width; the question shown and
    // the selection stay as they are.
    lstQuestions->remeasureAll();
}

void TForm1::AppendQuestion()
{
    questionModel->AddQuestion();
    lstQuestions->setCurrentRow(lstQuestions->count() - 1);
    lstQuestionsClick();
}

void TForm1::RemoveQuestion()
{
    if (lstQuestions->count() <= 1) {
        Prompts::Current().Message(this,
                                   QStringLiteral("Test zawiera tylko jedno pytanie. Nie można go usunąć."));
        return;
    }
    const int row = lstQuestions->currentRow();
    if (row >= 0) {
        questionModel->DeleteQuestion(row);
        lstQuestions->setCurrentRow(qMin(row, lstQuestions->count() - 1));
        lstQuestionsClick();
    }
}

void TForm1::imgAddQuestionClick()
{
    HideAnswerEditor();
    AppendQuestion();
}

void TForm1::imgDeleteQuestionClick()
{
    HideAnswerEditor();
    RemoveQuestion();
}
