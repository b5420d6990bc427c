// The dialog that asks how many questions to draw at random.
#pragma once

#include <QDialog>

class PictureButton;
class QSpinBox;

class TForm2 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);

    int Value() const;
    void SetValue(int value);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSpinBox* edt1 = nullptr;
    PictureButton* img1 = nullptr;
    PictureButton* img2 = nullptr;
};
