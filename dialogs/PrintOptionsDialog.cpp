#include "PrintOptionsDialog.h"

#include "DialogButtons.h"
#include "ui/AnchorLayout.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

namespace {

constexpr QSize kClient(352, 232);
constexpr int kMaxGroups = 6;

} // namespace

PrintOptionsDialog::PrintOptionsDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PrintOptionsDialog"));
    setWindowTitle(QStringLiteral("Drukuj test"));
    setFixedSize(kClient);
    setFont(DesignFont(16, true));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, TextColor());
    setPalette(palette);
    setAutoFillBackground(true);

    auto* layout = new AnchorLayout(kClient, this);
    auto* label = new QLabel(QStringLiteral("Liczba grup:"), this);
    layout->addWidget(label, QRect(24, 20, 0, 0));
    seGroups = new QSpinBox(this);
    seGroups->setObjectName(QStringLiteral("seGroups"));
    seGroups->setRange(1, kMaxGroups);
    seGroups->setAccessibleName(label->text());
    label->setBuddy(seGroups);
    layout->addWidget(seGroups, QRect(184, 16, 57, 32));
    connect(seGroups, &QSpinBox::valueChanged, this, &PrintOptionsDialog::seGroupsChange);

    const auto addCheckBox = [this, layout](const char* name, const QString& text, int top) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QLatin1String(name));
        layout->addWidget(box, QRect(24, top, 0, 0));
        return box;
    };
    cbShuffleQuestions = addCheckBox("cbShuffleQuestions", QStringLiteral("losowa kolejność pytań"), 64);
    cbShuffleAnswers =
        addCheckBox("cbShuffleAnswers", QStringLiteral("losowa kolejność odpowiedzi"), 96);
    cbIncludeKey = addCheckBox("cbIncludeKey", QStringLiteral("dołącz klucz odpowiedzi"), 128);

    const DialogButtons buttons = AddDialogButtons(this, layout, {16, 184}, {226, 184});
    img1 = buttons.cancel;
    img2 = buttons.ok;
    connect(img2, &PictureButton::clicked, this, &QDialog::accept);

    setTabOrder(seGroups, cbShuffleQuestions);
    setTabOrder(cbShuffleQuestions, cbShuffleAnswers);
    setTabOrder(cbShuffleAnswers, cbIncludeKey);
    setTabOrder(cbIncludeKey, img2);
    setTabOrder(img2, img1);
    SetOptions(PrintOptions());
}

PrintOptions PrintOptionsDialog::Options() const
{
    PrintOptions options;
    options.groups = seGroups->value();
    options.shuffleQuestions = cbShuffleQuestions->isChecked();
    options.shuffleAnswers = cbShuffleAnswers->isChecked();
    options.includeKey = cbIncludeKey->isChecked();
    return options;
}

void PrintOptionsDialog::SetOptions(const PrintOptions& options)
{
    seGroups->setValue(options.groups);
    cbShuffleQuestions->setChecked(options.shuffleQuestions);
    cbShuffleAnswers->setChecked(options.shuffleAnswers);
    cbIncludeKey->setChecked(options.includeKey);
    seGroupsChange(seGroups->value());
}

void PrintOptionsDialog::seGroupsChange(int groups)
{
    cbShuffleQuestions->setEnabled(groups > 1);
    cbShuffleAnswers->setEnabled(groups > 1);
}

void PrintOptionsDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter prints, as "ok" does; the picture buttons take their own Enter.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
