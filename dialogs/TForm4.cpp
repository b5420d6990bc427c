#include "TForm4.h"

#include "DialogButtons.h"
#include "ui/AnchorLayout.h"
#include "ui/Fonts.h"
#include "ui/Memo.h"
#include "ui/PictureButton.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

bool IsValidFileName(const QString& name)
{
    static const QString kForbidden = QStringLiteral("\"*/:<>?\\|");
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name) {
        if (kForbidden.contains(c))
            return false;
    }
    return true;
}

TForm4::TForm4(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Podaj nazwę pliku"));
    setFixedSize(572, 126);
    setFont(DesignFont(13));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, TextColor());
    setPalette(palette);
    setAutoFillBackground(true);

    auto* layout = new AnchorLayout(QSize(572, 126), this);
    auto* lbl1 = new QLabel(QStringLiteral("Podaj nazwę pliku, w którym ma być zapisany nowy test"), this);
    lbl1->setObjectName(QStringLiteral("lbl1"));
    layout->addWidget(lbl1, QRect(8, 8, 0, 0));

    edt1 = new QLineEdit(this);
    edt1->setObjectName(QStringLiteral("edt1"));
    edt1->setFrame(false);
    edt1->setAccessibleName(lbl1->text());
    edt1->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #7f9db9; background: white; }"));
    layout->addWidget(edt1, QRect(8, 40, 553, 24));
    connect(edt1, &QLineEdit::textChanged, this, &TForm4::edt1Change);
    // Enter accepts the name as "ok" would, while the name is allowed.
    connect(edt1, &QLineEdit::returnPressed, this, [this] {
        if (img2->isVisible())
            img2Click();
    });

    jvlbl1 = new QLabel(this);
    jvlbl1->setObjectName(QStringLiteral("jvlbl1"));
    QPalette red = jvlbl1->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    jvlbl1->setPalette(red);
    layout->addWidget(jvlbl1, QRect(8, 72, 320, 18));
    jvlbl1->hide();

    const DialogButtons buttons = AddDialogButtons(this, layout, {336, 86}, {456, 86});
    img1 = buttons.cancel;
    img2 = buttons.ok;
    connect(img2, &PictureButton::clicked, this, &TForm4::img2Click);

    // Stands in for "ok" while the name is refused; clicking it does nothing.
    imgOK_szary = new QLabel(this);
    imgOK_szary->setObjectName(QStringLiteral("imgOK_szary"));
    imgOK_szary->setPixmap(QIcon(QStringLiteral(":/buttons/ok_szary.png")).pixmap(QSize(110, 32)));
    imgOK_szary->setAccessibleName(QStringLiteral("ok"));
    layout->addWidget(imgOK_szary, QRect(456, 86, 110, 32));
    imgOK_szary->hide();

    setTabOrder(edt1, img2);
    setTabOrder(img2, img1);
}

void TForm4::PutFileName(const QString& name)
{
    PutText(edt1, name);
}

void TForm4::showEvent(QShowEvent* event)
{
    PutFileName(FileName);
    edt1->setFocus();
    edt1->selectAll();
    QDialog::showEvent(event);
}

void TForm4::edt1Change()
{
    const QString name = edt1->text();
    bool valid = IsValidFileName(name + QStringLiteral(".test"));
    if (!valid)
        jvlbl1->setText(QStringLiteral("Nieprawidłowa nazwa pliku"));
    if (valid && QFileInfo::exists(QDir(Folder).filePath(name + QStringLiteral(".test")))) {
        jvlbl1->setText(QStringLiteral("Plik o takiej nazwie już istnieje"));
        valid = false;
    }
    jvlbl1->setVisible(!valid);
    img2->setVisible(valid);
    imgOK_szary->setVisible(!valid);
}

void TForm4::img2Click()
{
    FileName = edt1->text();
    accept();
}
