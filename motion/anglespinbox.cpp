#include "motion/anglespinbox.h"

#include "motion/angletext.h"

AngleSpinBox::AngleSpinBox(QWidget *parent) : QSpinBox(parent)
{
    // The sign is a suffix, so the cursor and a select-all stay on the number.
    setSuffix(angletext::degreeSign());
}

// The typed text without the spin box's own prefix and suffix.
static QString typedNumber(const QSpinBox &box, const QString &text)
{
    QString t = text;
    if (!box.prefix().isEmpty() && t.startsWith(box.prefix()))
        t.remove(0, box.prefix().size());
    if (!box.suffix().isEmpty() && t.endsWith(box.suffix()))
        t.chop(box.suffix().size());
    return t;
}

QString AngleSpinBox::textFromValue(int value) const
{
    return angletext::number(value);
}

int AngleSpinBox::valueFromText(const QString &text) const
{
    return angletext::parse(typedNumber(*this, text));
}

QValidator::State AngleSpinBox::validate(QString &input, int &) const
{
    switch (angletext::check(typedNumber(*this, input))) {
    case angletext::Input::Invalid:
        return QValidator::Invalid;
    case angletext::Input::Intermediate:
        return QValidator::Intermediate;
    case angletext::Input::Acceptable:
        break;
    }
    // A whole angle outside the range may still be on its way ("1" of "10.0");
    // leaving the box then returns it to the last value.
    const int tenths = angletext::parse(typedNumber(*this, input));
    return tenths >= minimum() && tenths <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}
