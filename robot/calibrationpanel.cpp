#include "robot/calibrationpanel.h"
#include "ui_mainwindow.h"

#include <QDir>

#include "common/prompt.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "motion/motiondocument.h"
#include "robot/calibration.h"
#include "robot/originframe.h"

using namespace packet;

CalibrationPanel::CalibrationPanel(Ui::MainWindow *ui, MotionDocument &document, RobotLink &link,
                                   ConnectionPanel &connection, Prompt &prompt, QWidget *dialogParent,
                                   QObject *parent)
    : QObject(parent), ui(ui), document(document), link(link), connection(connection), prompt(prompt),
      dialogParent(dialogParent)
{
    // A setting the robot no longer takes from here.
    ui->groupBox_48->hide();
    const QVector<QSpinBox *> boxes = originBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        connect(boxes[i], QOverload<int>::of(&QSpinBox::valueChanged), this,
                [this, i](int value) { originChanged(i, value); });
    connect(ui->pushButtonSaveOrigin, &QPushButton::clicked, this, &CalibrationPanel::saveOrigin);
    connect(ui->autoCalibration, &QPushButton::clicked, this, &CalibrationPanel::calibrate);
    connect(&link, &RobotLink::answerReceived, this, &CalibrationPanel::answerArrived);
    // Positions are shown after the answers that brought them: the check
    // follows the connection panel's showing.
    connect(&link, &RobotLink::positionsRead, this, [this] {
        if (calibrating_ && answers.size() == calibration::askedServos().size())
            finishCalibration();
    });
    watch.setInterval(50);
    connect(&watch, &QTimer::timeout, this, &CalibrationPanel::checkCalibration);
}

QVector<QSpinBox *> CalibrationPanel::originBoxes() const
{
    return {ui->spinBoxServo2Origin,  ui->spinBoxServo3Origin,  ui->spinBoxServo4Origin,  ui->spinBoxServo5Origin,
            ui->spinBoxServo6Origin,  ui->spinBoxServo7Origin,  ui->spinBoxServo8Origin,  ui->spinBoxServo9Origin,
            ui->spinBoxServo10Origin, ui->spinBoxServo11Origin, ui->spinBoxServo12Origin, ui->spinBoxServo13Origin,
            ui->spinBoxServo14Origin, ui->spinBoxServo15Origin, ui->spinBoxServo16Origin, ui->spinBoxServo17Origin,
            ui->spinBoxServo18Origin, ui->spinBoxServo19Origin, ui->spinBoxServo20Origin};
}

void CalibrationPanel::originChanged(int index, int value)
{
    document.originAngles()[std::size_t(index)] = value;
}

// ---------------------------------------------------------------- origin frame

void CalibrationPanel::loadOriginFrame()
{
    const QString dir = QDir::currentPath();
    originframe::LoadResult loaded;
    if (dir.isEmpty())
        loaded.kind = originframe::LoadResult::Missing;
    else
        loaded = originframe::load(dir);
    const QVector<QSpinBox *> boxes = originBoxes();
    for (int i = 0; i < boxes.size(); ++i) {
        boxes[i]->setValue(loaded.origin[std::size_t(i)]);
        document.originAngles()[std::size_t(i)] = loaded.origin[std::size_t(i)];
    }
    // A missing file is made anew without a word; a place that cannot be
    // written leaves the program with the zero pose for this run.
    QString text;
    const QString path = originframe::filePath(dir);
    if (loaded.kind == originframe::LoadResult::Unreadable) {
        text = tr("The origin frame file %1 cannot be read (%2): the origin is all zeros, and the file is left as "
                  "it is.")
                   .arg(path, loaded.error);
    } else if (loaded.kind == originframe::LoadResult::Damaged) {
        text = tr("Error while open origin file.") + QLatin1Char('\n')
               + tr("Line %1 of %2 does not hold 19 values.").arg(QString::number(loaded.line), path)
               + QLatin1Char(' ')
               + (loaded.goodLine > 0 ? tr("The origin keeps the values of line %1.").arg(loaded.goodLine)
                                      : tr("The origin is all zeros."))
               + QLatin1Char(' ');
        if (loaded.written)
            text += tr("The file was written anew with them; the damaged file is kept as %1.")
                        .arg(originframe::badFilePath(dir));
        else if (loaded.keptAside)
            text += tr("The damaged file is kept as %1, but the file could not be written anew (%2).")
                        .arg(originframe::badFilePath(dir), loaded.error);
        else
            text += tr("The damaged file could not be kept as %1 (%2), so it is left as it is.")
                        .arg(originframe::badFilePath(dir), loaded.error);
    }
    if (text.isEmpty())
        return;
    // Once the event loop runs, so that the box stands over the shown window.
    QTimer::singleShot(0, this, [this, text] { prompt.warning(dialogParent, tr("error"), text, QMessageBox::Yes); });
}

void CalibrationPanel::saveOrigin()
{
    const QString dir = QDir::currentPath();
    if (dir.isEmpty())
        return;
    originframe::Origin origin;
    const QVector<QSpinBox *> boxes = originBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        origin[std::size_t(i)] = boxes[i]->value();
    QString reason;
    if (!originframe::save(dir, origin, &reason))
        prompt.warning(dialogParent, tr("error"),
                       tr("The origin frame file %1 cannot be written: %2").arg(originframe::filePath(dir), reason),
                       QMessageBox::Ok);
}

// ---------------------------------------------------------------- calibration

void CalibrationPanel::calibrate()
{
    if (!link.isRunning() || calibrating_)
        return;
    // The servos hold where they stand while they are read.
    link.setWorkingMode(AllServosAddress, ServoMode::BrakeStop);
    QSet<int> asked;
    for (int servo : calibration::askedServos())
        if (link.readPosition(servo))
            asked.insert(servo);
    answers.clear();
    calibrating_ = true;
    connection.awaitPositions(asked);
    connection.setCalibrationTarget(1);
    quietFor.start();
    watch.start();
    ui->statusBar->showMessage(tr("Calibration: reading the servos' positions ..."));
}

void CalibrationPanel::answerArrived(const LinkAnswer &answer)
{
    // Position answers, 0 included (which the joint panel never takes).
    if (!calibrating_ || answer.type != Position || answer.source < 2 || answer.source > 18)
        return;
    answers.insert(answer.source, answer.registers[Position]);
    quietFor.start();
}

// A calibration is over once every servo asked has answered and its position
// has been shown (above), or when its requests are out and the robot has been
// quiet for a while.
void CalibrationPanel::checkCalibration()
{
    if (!calibrating_)
        return;
    if (link.pendingRequests() > 0 && link.isRunning())
        quietFor.start();
    if (quietFor.elapsed() >= kAnswerWaitMs)
        finishCalibration();
}

void CalibrationPanel::finishCalibration()
{
    calibrating_ = false;
    watch.stop();
    // Positions that come later go to the joint panel again.
    connection.setCalibrationTarget(0);
    connection.awaitPositions({});
    report = calibration::report(calibration::outcome(calibration::askedServos(), answers));
    ui->statusBar->showMessage(report);
    link.note(report);
    emit calibrationFinished(report);
}
