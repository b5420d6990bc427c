// An integer spin edit whose limits hold for the program and the arrows but
// not while the user types: every typed text is reported as it stands, even
// a number outside the limits, and only losing the focus or stepping brings
// it back within them. Every change of the text, typed or put, emits
// valueChanged, so a listener sees each value the control has shown.
#pragma once

#include <QAbstractSpinBox>

class LooseSpinBox : public QAbstractSpinBox
{
    Q_OBJECT

public:
    LooseSpinBox(int minimum, int maximum, int value, QWidget* parent = nullptr);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    // The number the text stands for, possibly outside the limits; a text
    // that is not a number counts as the minimum.
    int value() const;
    // Puts a value as the program does: brought within the limits at once.
    // Showing the number already shown changes nothing and emits nothing.
    void setValue(int value);
    // Brings what was typed within the limits, as losing the focus does.
    void bringWithinLimits();

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void valueChanged(int value);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The typed number, or nothing for a text that is not one.
    bool typedNumber(int& number) const;
    int bounded(qint64 number) const;
    void showNumber(int number);

    int m_minimum;
    int m_maximum;
};
