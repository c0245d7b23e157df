#pragma once
// The link's own widgets: the port list and its refresh button, the Bluetooth
// choice, the connect action, the voltage and current displays, the
// communication log, the reset action and the three read-joint actions.
//
// Widgets: comboBoxSerialPortName, pushButtonRefreshPortName, checkBoxBle,
// comboBoxBaudRate, actionConnect, lcdNumberVoltage, lcdNumberCurrent,
// textBrowser, actionReset_robot, actionRead_all_joint_position_data,
// actionRead_hand_joint_position_data, actionRead_leg_joint_position_data.
// The positions read go to the boxes given (the joint panel's angle boxes, or
// the calibration's correction boxes while a calibration waits for them).
// Widgets it owns: comboBoxBaudRate, label_84, lcdNumberVoltage, lcdNumberCurrent, pushButtonRefreshPortName,
//   checkBoxBle, actionConnect, actionReset_robot, textBrowser, actionRead_all_joint_position_data,
//   actionRead_hand_joint_position_data, actionRead_leg_joint_position_data, comboBoxSerialPortName

#include <QObject>
#include <QSet>
#include <QTimer>
#include <QVector>
#include <array>
#include <functional>

#include "link/packet.h"

namespace Ui { class MainWindow; }
class Prompt;
class QAction;
class QSpinBox;
class RobotLink;

class ConnectionPanel : public QObject
{
    Q_OBJECT

public:
    ConnectionPanel(Ui::MainWindow *ui, RobotLink &link, Prompt &prompt, QObject *parent = nullptr);

    // The 19 angle boxes of the joint panel and the calibration's correction
    // boxes (servos 2..20).
    void setPositionTargets(const QVector<QSpinBox *> &jointBoxes, const QVector<QSpinBox *> &correctionBoxes);
    // Called after positions were shown (the frame list refreshes the current frame's entry).
    void setAfterPositions(std::function<void()> callback) { afterPositions = std::move(callback); }
    // Servos whose positions another part of the window takes (a joint
    // released for posing by hand): their answers do not fill the boxes.
    void setPositionsClaimed(std::function<bool(int servo)> claimed) { positionsClaimed = std::move(claimed); }

    // 1 while the joints are held for reading (between the two presses of a
    // read action): pose edits then do not reach the robot.
    int readingJoints() const { return readJointsFlag; }
    void setReadingJoints(int flag) { readJointsFlag = flag; }
    // 1: the next positions go to the correction boxes.
    int calibrationTarget() const { return calibrationTargetFlag; }
    void setCalibrationTarget(int flag) { calibrationTargetFlag = flag; }
    // The servos whose positions the last request asked for: the calibration
    // target holds until all of them have answered (or is cleared by its owner).
    void awaitPositions(const QSet<int> &servos) { awaitedServos = servos; }

    void fillPortList();
    // "reset robot" is offered on the editing pages only (the shell says which).
    void setResetAllowed(bool allowed);

    // The robot follows a pose edit (tenths of a degree of servos 2..20): speed,
    // acceleration and the pose, unless the link is down or joints are being read.
    void followPose(const std::array<int, packet::kPoseServos> &angles);
    // The Bluetooth bridge is chosen (its line wants longer pauses).
    bool bleChosen() const;

private:
    void connectToggled();
    void showOpenStatus(int status);
    void readJointPositions(QAction *action, const QVector<int> &servos);
    void showPositions(const std::array<int, packet::kPoseServos> &positions);
    void resetRobot();
    void clearReadings();

    Ui::MainWindow *ui;
    RobotLink &link;
    Prompt &prompt;
    QVector<QSpinBox *> jointBoxes;
    QVector<QSpinBox *> correctionBoxes;
    std::function<void()> afterPositions;
    std::function<bool(int)> positionsClaimed;
    int readJointsFlag = 0;
    int calibrationTargetFlag = 0;
    // True while positions read are put into the boxes.
    bool showingPositions = false;
    // Servos of the last read whose position has not arrived yet.
    QSet<int> awaitedServos;
    // Runs from each answer of a read that is not complete yet.
    static constexpr int kPositionsSettleMs = 200;
    QTimer positionsSettle;
};
