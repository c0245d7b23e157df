#pragma once
// The robot's part masses, edited: a spin box per part in grams, their sum,
// and a total shared among the parts by their volumes (the default). The
// dialog only edits; its owner saves what it accepts.

#include <QDialog>

#include "view3d/bodymass.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;

class MassDialog : public QDialog
{
    Q_OBJECT

public:
    MassDialog(const bodymass::Body &body, QWidget *parent = nullptr);

    void setMasses(const bodymass::Masses &masses);
    bodymass::Masses masses() const;

    QDoubleSpinBox *partBox(int part) const { return boxes[size_t(part)]; }
    QDoubleSpinBox *totalBox() const { return total; }
    QPushButton *shareButton() const { return share; }
    QLabel *sumLabel() const { return sum; }
    QPushButton *okButton() const { return ok; }

    // The parts' names as the dialog shows them, translated.
    static QString partTitle(int part);

private:
    void showSum();

    const bodymass::Body &body;
    std::array<QDoubleSpinBox *, robot3d::PartCount> boxes{};
    QDoubleSpinBox *total = nullptr;
    QPushButton *share = nullptr;
    QLabel *sum = nullptr;
    QPushButton *ok = nullptr;
};
