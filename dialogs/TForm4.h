// The dialog that asks for a new test's file name and refuses, while the
// name is typed, one that is not allowed or already taken.
#pragma once

#include <QDialog>

class PictureButton;
class QLabel;
class QLineEdit;

// False for an empty text, for one holding a character that is not allowed
// in a file name, and for one beginning with "." (such files are hidden
// from the file dialogs here, so the test would seem lost).
bool IsValidFileName(const QString& name);

class TForm4 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);

    QString Folder;    // where the new file will be made
    QString FileName;  // without the extension; on OK the accepted name

    // Puts a name into the edit, checking it as if it had been typed.
    void PutFileName(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;  // FormShow

private:
    void edt1Change();
    void img2Click();

    QLineEdit* edt1 = nullptr;
    QLabel* jvlbl1 = nullptr;
    PictureButton* img1 = nullptr;
    PictureButton* img2 = nullptr;
    QLabel* imgOK_szary = nullptr;
};
