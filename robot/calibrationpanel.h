#pragma once
// The origin frame and the calibration on the "robot setting" page: the origin
// frame file read at start-up into the origin pose (the document's origin
// angles) and its spin boxes, "save origin", and automatic calibration, which
// reads every servo's present position into its correction box and then
// reports which servos answered.
//
// Widgets: spinBoxServo{2..20}Origin, pushButtonSaveOrigin (in groupBox_48),
// autoCalibration; the correction boxes are filled through the connection
// panel's position targets; the report goes to statusBar and textBrowser.
// Widgets it owns: groupBox_48, pushButtonSaveOrigin, autoCalibration, spinBoxServo2Origin,
//   spinBoxServo3Origin, spinBoxServo4Origin, spinBoxServo5Origin, spinBoxServo6Origin, spinBoxServo7Origin,
//   spinBoxServo8Origin, spinBoxServo9Origin, spinBoxServo10Origin, spinBoxServo11Origin,
//   spinBoxServo12Origin, spinBoxServo13Origin, spinBoxServo14Origin, spinBoxServo15Origin,
//   spinBoxServo16Origin, spinBoxServo17Origin, spinBoxServo18Origin, spinBoxServo19Origin,
//   spinBoxServo20Origin

#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <QTimer>
#include <QVector>

namespace Ui { class MainWindow; }
class ConnectionPanel;
class MotionDocument;
class Prompt;
class QSpinBox;
class QWidget;
class RobotLink;
struct LinkAnswer;

class CalibrationPanel : public QObject
{
    Q_OBJECT

public:
    CalibrationPanel(Ui::MainWindow *ui, MotionDocument &document, RobotLink &link, ConnectionPanel &connection,
                     Prompt &prompt, QWidget *dialogParent, QObject *parent = nullptr);

    QVector<QSpinBox *> originBoxes() const;

    // Reads the origin frame file of the working directory into the origin
    // pose and its boxes. A missing file gives the zero pose, written as a
    // new file. An "OF:" line with a wrong number of values keeps the values
    // of the last good line; the damaged file is kept as originFrame.bad and
    // then written anew, and "Error while open origin file." tells what
    // became of it. A file that cannot be read gives the zero pose for this
    // run and is left alone. (Told once the event loop runs, so that the box
    // stands over the shown window.)
    void loadOriginFrame();
    // "save origin": writes the boxes as the origin frame file; a failure is
    // told and leaves the old file as it was.
    void saveOrigin();

    // "calibration": brake-stops the servos, asks servos 2..18 for their
    // positions and routes the answers to the correction boxes.
    void calibrate();
    bool calibrating() const { return calibrating_; }
    // The last calibration's report (also in the status bar and the log).
    QString lastReport() const { return report; }

    // How long a calibration waits for answers once its requests are out.
    static constexpr int kAnswerWaitMs = 1000;

signals:
    void calibrationFinished(const QString &report);

private:
    void originChanged(int index, int value);
    void answerArrived(const LinkAnswer &answer);
    void checkCalibration();
    void finishCalibration();

    Ui::MainWindow *ui;
    MotionDocument &document;
    RobotLink &link;
    ConnectionPanel &connection;
    Prompt &prompt;
    QWidget *dialogParent;

    bool calibrating_ = false;
    QMap<int, int> answers;
    // Since the last answer (or since the requests went out).
    QElapsedTimer quietFor;
    QTimer watch;
    QString report;
};
