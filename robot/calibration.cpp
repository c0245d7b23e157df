#include "robot/calibration.h"

#include <QCoreApplication>
#include <QStringList>

namespace calibration {

QVector<int> askedServos()
{
    QVector<int> servos;
    for (int servo = 2; servo <= 18; ++servo)
        servos << servo;
    return servos;
}

Outcome outcome(const QVector<int> &asked, const QMap<int, int> &answers)
{
    Outcome o;
    for (int servo : asked) {
        if (!answers.contains(servo))
            o.silent << servo;
        else if (answers.value(servo) == 0)
            o.zero << servo;
        else
            o.set << servo;
    }
    return o;
}

static QString servoList(const QVector<int> &servos)
{
    QStringList numbers;
    for (int servo : servos)
        numbers << QString::number(servo);
    return numbers.join(QStringLiteral(", "));
}

QString report(const Outcome &o)
{
    const int asked = o.set.size() + o.zero.size() + o.silent.size();
    const int answered = o.set.size() + o.zero.size();
    QString text = QCoreApplication::translate("Calibration", "Calibration: %1 of %2 servos answered.")
                       .arg(answered)
                       .arg(asked);
    if (!o.silent.isEmpty())
        text += QLatin1Char(' ')
                + QCoreApplication::translate("Calibration", "No answer from servo %1: kept the old correction.")
                      .arg(servoList(o.silent));
    if (!o.zero.isEmpty())
        text += QLatin1Char(' ')
                + QCoreApplication::translate("Calibration",
                                              "Servo %1 reported position 0, which is never taken: kept the old "
                                              "correction.")
                      .arg(servoList(o.zero));
    return text;
}

} // namespace calibration
