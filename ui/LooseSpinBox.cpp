#include "LooseSpinBox.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>

LooseSpinBox::LooseSpinBox(int minimum, int maximum, int value, QWidget* parent)
    : QAbstractSpinBox(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
{
    lineEdit()->setText(QString::number(bounded(value)));
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        update();  // the arrows may have changed state
        emit valueChanged(this->value());
    });
}

int LooseSpinBox::value() const
{
    int number = 0;
    return typedNumber(number) ? number : m_minimum;
}

void LooseSpinBox::setValue(int value)
{
    showNumber(bounded(value));
}

void LooseSpinBox::bringWithinLimits()
{
    int number = 0;
    showNumber(typedNumber(number) ? bounded(number) : m_minimum);
}

void LooseSpinBox::stepBy(int steps)
{
    int number = 0;
    showNumber(typedNumber(number) ? bounded(qint64(number) + steps) : m_minimum);
    if (style()->styleHint(QStyle::SH_SpinBox_SelectOnStep, nullptr, this))
        selectAll();
}

QValidator::State LooseSpinBox::validate(QString& input, int&) const
{
    // Digits after an optional sign; what is not yet a number, such as a
    // lone sign or nothing, may stand while the user types.
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        const bool sign = i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'));
        if (!sign && !c.isDigit())
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled LooseSpinBox::stepEnabled() const
{
    int number = 0;
    // A step also corrects a text that is no number or lies outside.
    if (!typedNumber(number) || number < m_minimum || number > m_maximum)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (number < m_maximum)
        enabled |= StepUpEnabled;
    if (number > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void LooseSpinBox::focusOutEvent(QFocusEvent* event)
{
    // A context menu takes the focus only for a moment; typing goes on.
    if (event->reason() != Qt::PopupFocusReason)
        bringWithinLimits();
    QAbstractSpinBox::focusOutEvent(event);
}

bool LooseSpinBox::typedNumber(int& number) const
{
    bool ok = false;
    number = lineEdit()->text().toInt(&ok, 10);
    return ok;
}

int LooseSpinBox::bounded(qint64 number) const
{
    return int(qBound(qint64(m_minimum), number, qint64(m_maximum)));
}

void LooseSpinBox::showNumber(int number)
{
    const QString text = QString::number(number);
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}
