#include "TForm2.h"

#include "DialogButtons.h"
#include "ui/AnchorLayout.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

#include <limits>

namespace {

// A whole-number edit in which any text may stand while it is typed; what is
// not a whole number (nothing, a lone sign) reads as 0. A plain QSpinBox
// would keep its last number for such a text and put it back on leaving.
class CountSpinBox : public QSpinBox
{
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int& pos) const override
    {
        return QSpinBox::validate(input, pos) == QValidator::Invalid ? QValidator::Invalid
                                                                      : QValidator::Acceptable;
    }

    int valueFromText(const QString& text) const override
    {
        bool number = false;
        const int value = locale().toInt(text.trimmed(), &number);
        return number ? value : 0;
    }
};

} // namespace

TForm2::TForm2(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Podaj liczbę"));
    setFixedSize(257, 157);
    setFont(DesignFont(16, true));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, TextColor());
    setPalette(palette);
    setAutoFillBackground(true);

    auto* layout = new AnchorLayout(QSize(257, 157), this);
    auto* label = new QLabel(QStringLiteral("Ile pytań wylosować?"), this);
    layout->addWidget(label, QRect(40, 16, 0, 0));

    // No limits of its own: the draw decides what a number means.
    edt1 = new CountSpinBox(this);
    edt1->setObjectName(QStringLiteral("edt1"));
    edt1->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    edt1->setAccessibleName(label->text());
    layout->addWidget(edt1, QRect(80, 56, 81, 32));

    const DialogButtons buttons = AddDialogButtons(this, layout, {16, 112}, {136, 112});
    img1 = buttons.cancel;
    img2 = buttons.ok;
    connect(img2, &PictureButton::clicked, this, &QDialog::accept);

    setTabOrder(edt1, img2);
    setTabOrder(img2, img1);
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The proposal is selected, so typing a number replaces it.
    edt1->setFocus();
    edt1->selectAll();
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    // Enter confirms the number, as "ok" does; the picture buttons take
    // their own Enter before it reaches here.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int TForm2::Value() const
{
    return edt1->value();
}

void TForm2::SetValue(int value)
{
    edt1->setValue(value);
}
