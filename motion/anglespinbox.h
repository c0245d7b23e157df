#pragma once
// A spin box whose value is an angle in tenths of a degree, shown and typed in
// degrees with one decimal ("9.0°"): value() and setValue() keep the tenths
// the frame table and the robot use, so only the text changes.

#include <QSpinBox>

class AngleSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit AngleSpinBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &input, int &pos) const override;

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;
};
