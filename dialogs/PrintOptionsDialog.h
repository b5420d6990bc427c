// The dialog "drukuj test" asks first: how many groups of the class get a
// sheet of their own, whether each group's questions and answers come in an
// order of its own, and whether a key page per group follows the sheets.
#pragma once

#include "app/PrintedVersion.h"

#include <QDialog>

class PictureButton;
class QCheckBox;
class QSpinBox;

class PrintOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrintOptionsDialog(QWidget* parent = nullptr);

    PrintOptions Options() const;
    void SetOptions(const PrintOptions& options);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The orders only tell groups apart: with one group they stay off.
    void seGroupsChange(int groups);

    QSpinBox* seGroups = nullptr;
    QCheckBox* cbShuffleQuestions = nullptr;
    QCheckBox* cbShuffleAnswers = nullptr;
    QCheckBox* cbIncludeKey = nullptr;
    PictureButton* img1 = nullptr;
    PictureButton* img2 = nullptr;
};
