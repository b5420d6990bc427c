// The properties page: title, description and pass threshold. Every control
// writes into the current test as soon as it changes; the test reaches the
// disk only on the next step back or on closing.

#include "app/TForm1.h"

#include "app/TestFiles.h"

#include "ui/AnchorLayout.h"
#include "ui/Cp1250.h"
#include "ui/Fonts.h"
#include "ui/HoverHighlight.h"
#include "ui/LooseSpinBox.h"
#include "ui/Memo.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStackedWidget>

namespace {

constexpr int kThresholdAtStart = 51;
constexpr AnchorLayout::Anchors kFullWidth = AnchorLayout::Left | AnchorLayout::Top | AnchorLayout::Right;

// The two lines under the threshold control. The typed value may lie
// outside 1..100, so one below it is taken in 64 bits.
QString ThresholdExplanation(int threshold)
{
    return QStringLiteral("0–%1% – test niezaliczony\n%2–100% – test zaliczony")
        .arg(QString::number(qint64(threshold) - 1), QString::number(threshold));
}

// The description is a single line of the file: each CR LF becomes one space.
std::string JoinLines(const std::string& text)
{
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            joined += ' ';
            ++i;
        } else {
            joined += text[i];
        }
    }
    return joined;
}

} // namespace

void TForm1::BuildPropertiesPage()
{
    auto* layout = static_cast<AnchorLayout*>(ts2->layout());
    // Typed text in the program's navy, as everywhere else in the window.
    QPalette navyText = ts2->palette();
    navyText.setColor(QPalette::Text, TextColor());
    ts2->setPalette(navyText);

    // A label takes the size of its text in its font, so the font comes first.
    const auto addLabel = [this, layout](const char* name, const QString& text, const QFont& font,
                                         const QRect& design) {
        auto* label = new QLabel(text, ts2);
        label->setObjectName(QLatin1String(name));
        label->setFont(font);
        layout->addWidget(label, design);
        return label;
    };
    const QFont headingFont = DesignFont(16, true);

    QLabel* jvlbl2 = addLabel("jvlbl2", QStringLiteral("Tytuł testu:"), headingFont, QRect(16, 16, 0, 0));
    edtTestTitle = new QLineEdit(QStringLiteral("Nowy test"), ts2);
    edtTestTitle->setObjectName(QStringLiteral("edtTestTitle"));
    edtTestTitle->setFont(DesignFont(16));
    HighlightOnHover(edtTestTitle, Qt::white, HighlightColor());
    jvlbl2->setBuddy(edtTestTitle);
    layout->addWidget(edtTestTitle, QRect(16, 48, 857, 28), kFullWidth);
    connect(edtTestTitle, &QLineEdit::textChanged, this, &TForm1::edtTestTitleChange);

    QLabel* jvlbl3 = addLabel("jvlbl3", QStringLiteral("Opis testu:"), headingFont, QRect(16, 96, 0, 0));
    mmoTestDescription = new QPlainTextEdit(ts2);
    mmoTestDescription->setObjectName(QStringLiteral("mmoTestDescription"));
    mmoTestDescription->setFont(DesignFont(16));
    mmoTestDescription->setTabChangesFocus(true);
    HighlightOnHover(mmoTestDescription, Qt::white, HighlightColor());
    jvlbl3->setBuddy(mmoTestDescription);
    layout->addWidget(mmoTestDescription, QRect(16, 120, 857, 145), kFullWidth);
    connect(mmoTestDescription, &QPlainTextEdit::textChanged, this, &TForm1::mmoTestDescriptionChange);

    // The design's face is narrower than the one standing in for it; drawn a
    // touch tighter, this label ends clear of the spin edit beside it.
    QFont tighterHeading = headingFont;
    tighterHeading.setLetterSpacing(QFont::PercentageSpacing, 98.5);
    QLabel* jvlbl6 = addLabel("jvlbl6", QStringLiteral("Procent poprawnych odpowiedzi aby zaliczyć test:"),
                              tighterHeading, QRect(16, 288, 0, 0));
    se1 = new LooseSpinBox(1, 100, kThresholdAtStart, ts2);
    se1->setObjectName(QStringLiteral("se1"));
    QPalette highlighted = se1->palette();
    highlighted.setColor(QPalette::Base, HighlightColor());
    se1->setPalette(highlighted);
    jvlbl6->setBuddy(se1);
    layout->addWidget(se1, QRect(412, 285, 57, 32));
    connect(se1, &LooseSpinBox::valueChanged, this, &TForm1::se1Change);

    // Its top runs beside the spin edit's bottom edge, so it ends left of
    // the spin edit (which keeps its clicks) yet holds any typed number.
    jvlbl7 = addLabel("jvlbl7", ThresholdExplanation(kThresholdAtStart), DesignFont(13),
                      QRect(16, 312, 396, 0));

    // Leaving the page ends typing in the threshold as losing the focus does.
    // The focus leaves a hidden control only in the active window, so the
    // page change corrects it too, before any later command can run.
    connect(pcPages, &QStackedWidget::currentChanged, se1, [this](int index) {
        if (index != PropertiesPage)
            se1->bringWithinLimits();
    });
}

void TForm1::ShowTitleAndDescription()
{
    const QString title = FromCp1250(CurrentTest->Title);
    // The same title runs no change handler, yet page 1 must show it.
    if (edtTestTitle->text() == title)
        SetTitleLabel();
    else
        PutText(edtTestTitle, title);
    // The memo gets the description as one line followed by a line break,
    // which its change handler stores as a trailing space.
    EmptyMemo(mmoTestDescription);
    PutText(mmoTestDescription, FromCp1250(CurrentTest->Description) + QLatin1Char('\n'));
}

void TForm1::ShowThreshold(int percent, bool writeRanges)
{
    if (writeRanges) {
        se1->setValue(percent);
        return;
    }
    const QSignalBlocker blocker(se1);
    se1->setValue(percent);
    jvlbl7->setText(ThresholdExplanation(se1->value()));
}

void TForm1::edtTestTitleChange()
{
    if (!CurrentTest)
        return;
    CurrentTest->Title = ToCp1250(edtTestTitle->text());
    SetTitleLabel();
}

void TForm1::mmoTestDescriptionChange()
{
    if (!CurrentTest)
        return;
    CurrentTest->Description = JoinLines(ToCp1250(MemoText(mmoTestDescription)));
}

void TForm1::se1Change(int value)
{
    // The explanation follows the control even when no test is open any
    // more: a correction can come after the test was closed, and then it
    // must not reach any test.
    jvlbl7->setText(ThresholdExplanation(value));
    if (CurrentTest)
        WritePassThreshold(*CurrentTest, value);
}
