#include "view3d/massdialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox *gramsBox(QWidget *parent, double maximum)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(0, maximum);
    box->setDecimals(1);
    box->setSingleStep(1);
    box->setSuffix(QStringLiteral(" g"));
    return box;
}

} // namespace

QString MassDialog::partTitle(int part)
{
    // The joints' parts have the names the joint panel gives them.
    static const char *const names[robot3d::Body] = {
        QT_TRANSLATE_NOOP("MainWindow", "head"),
        QT_TRANSLATE_NOOP("MainWindow", "left hand 1"),
        QT_TRANSLATE_NOOP("MainWindow", "left hand 2"),
        QT_TRANSLATE_NOOP("MainWindow", "left hand 3"),
        QT_TRANSLATE_NOOP("MainWindow", "left leg 1"),
        QT_TRANSLATE_NOOP("MainWindow", "left leg 2"),
        QT_TRANSLATE_NOOP("MainWindow", "left leg 3"),
        QT_TRANSLATE_NOOP("MainWindow", "left leg 4"),
        QT_TRANSLATE_NOOP("MainWindow", "left leg 5"),
        QT_TRANSLATE_NOOP("MainWindow", "right hand 1"),
        QT_TRANSLATE_NOOP("MainWindow", "right hand 2"),
        QT_TRANSLATE_NOOP("MainWindow", "right hand 3"),
        QT_TRANSLATE_NOOP("MainWindow", "right leg 1"),
        QT_TRANSLATE_NOOP("MainWindow", "right leg 2"),
        QT_TRANSLATE_NOOP("MainWindow", "right leg 3"),
        QT_TRANSLATE_NOOP("MainWindow", "right leg 4"),
        QT_TRANSLATE_NOOP("MainWindow", "right leg 5"),
    };
    if (part >= 0 && part < robot3d::Body)
        return QCoreApplication::translate("MainWindow", names[part]);
    return tr("body");
}

MassDialog::MassDialog(const bodymass::Body &body, QWidget *parent) : QDialog(parent), body(body)
{
    setWindowTitle(tr("robot masses"));
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(tr("Each part's mass in grams decides where the centre of mass lies. The default "
                               "is an estimate: the total shared among the parts by their volumes. Weigh the "
                               "robot and share its weight, or weigh a servo and add its weight to the parts "
                               "that hold one."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    // The head and the body, then the left side beside the right side.
    auto *grid = new QGridLayout;
    auto place = [&](int part, int row, int column) {
        boxes[size_t(part)] = gramsBox(this, 10000);
        auto *label = new QLabel(partTitle(part), this);
        label->setBuddy(boxes[size_t(part)]);
        grid->addWidget(label, row, 2 * column);
        grid->addWidget(boxes[size_t(part)], row, 2 * column + 1);
        connect(boxes[size_t(part)], qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MassDialog::showSum);
    };
    place(robot3d::Head, 0, 0);
    place(robot3d::Body, 0, 1);
    for (int i = 0; i < 3; ++i) {
        place(robot3d::LeftHand1 + i, 1 + i, 0);
        place(robot3d::RightHand1 + i, 1 + i, 1);
    }
    for (int i = 0; i < 5; ++i) {
        place(robot3d::LeftLeg1 + i, 4 + i, 0);
        place(robot3d::RightLeg1 + i, 4 + i, 1);
    }
    layout->addLayout(grid);
    sum = new QLabel(this);
    layout->addWidget(sum);

    auto *shareRow = new QHBoxLayout;
    total = gramsBox(this, 100000);
    total->setMinimum(1);
    total->setValue(bodymass::kDefaultTotalGrams);
    share = new QPushButton(tr("share by volume"), this);
    auto *totalLabel = new QLabel(tr("total"), this);
    totalLabel->setBuddy(total);
    shareRow->addWidget(totalLabel);
    shareRow->addWidget(total);
    shareRow->addWidget(share);
    shareRow->addStretch();
    layout->addLayout(shareRow);
    connect(share, &QPushButton::clicked, this,
            [this] { setMasses(bodymass::shareByVolume(this->body, total->value())); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ok = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    showSum();
}

void MassDialog::setMasses(const bodymass::Masses &masses)
{
    for (int part = 0; part < robot3d::PartCount; ++part)
        boxes[size_t(part)]->setValue(masses[size_t(part)]);
    showSum();
}

bodymass::Masses MassDialog::masses() const
{
    bodymass::Masses m{};
    for (int part = 0; part < robot3d::PartCount; ++part)
        m[size_t(part)] = boxes[size_t(part)]->value();
    return m;
}

void MassDialog::showSum()
{
    if (!sum)
        return;
    const double grams = bodymass::total(masses());
    sum->setText(tr("The robot weighs %1 g.").arg(grams, 0, 'f', 1));
    // Masses that add up to nothing have no centre.
    if (ok)
        ok->setEnabled(grams > 0);
}
