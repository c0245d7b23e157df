#pragma once
// The robot's configure file on the "robot setting" page: the widgets show the
// file's values; open from, factory settings and get from robot fill them,
// save as and save to robot write them. The file format lives in
// robot/configfile.cpp and the packing of several choices into one value in
// robot/configpacking.cpp; here the widgets are read and written. Transfers to
// and from the robot go through the file browser, which allows one at a time
// and reports their failures.
//
// Widgets: comboBoxConfigFilePath, pushButtonGetConfigFile,
// pushButtonOpenConfigFileFrom, pushButtonFactorySettings,
// pushButtonSaveConfigFileAs, pushButtonSaveConfigFileToRobot; the settings:
// spinBoxInitVolume, comboBoxInitLed{1,2,3}{r,g,b}{Brightness,Frequency},
// comboBoxInitBaudrateBle, comboBoxInitBaudratePc, comboBoxInitBaudrateServo,
// spinBoxInitAutoPowerOffTime, comboBoxRemoteRFfreHop, spinBoxRemoteRFChannel,
// spinBoxRemoteRFBrChannel, comboBoxRomoteRFBandwidth, comboBoxRemoteRFPower,
// comboBoxMainboardRFfreHop, spinBoxMainboardRFChannel,
// spinBoxMainboardRFBrChannel, comboBoxMainboardRFBandwidth,
// comboBoxMainboardRFPower, spinBoxServo{2..20}Correction, spinBoxServo{2..20}Min,
// spinBoxServo{2..20}Max, comboBoxUseExtraServo, comboBoxFallDetection,
// spinBoxPowerOnSpeed, spinBoxPowerOnAcc; the remote key functions (entries
// of the key map): comboBoxYKeyFun, comboBoxXKeyFun, comboBoxBKeyFun,
// comboBoxAKeyFun, comboBoxStartKeyFun, comboBoxBackKeyFun, comboBoxUpKeyFun,
// comboBoxRightKeyFun, comboBoxLeftKeyFun, comboBoxDownKeyFun,
// comboBoxLbKeyFun, comboBoxRbKeyFun, comboBoxRAMKeyFun; comboBoxUseExtraServo,
// whose choice is told by extraServosChosen (the joint panel shows or hides
// the extra servos); labelJointLimitsSource, which tells where the joint limits in force come
// from; statusBar and textBrowser for the steps of a save to the robot.
//
// The min, max and correction boxes are angle boxes: degrees with one
// decimal on the page, tenths in the file.
// Widgets it owns: comboBoxInitBaudrateBle, comboBoxInitBaudratePc, comboBoxInitBaudrateServo, label_135,
//   label_136, label_137, pushButtonGetConfigFile, pushButtonOpenConfigFileFrom, pushButtonFactorySettings,
//   pushButtonSaveConfigFileAs, pushButtonSaveConfigFileToRobot, comboBoxUseExtraServo,
//   comboBoxInitLed1rBrightness, comboBoxInitLed1gBrightness, comboBoxInitLed1bBrightness,
//   comboBoxInitLed2rBrightness, comboBoxInitLed2gBrightness, comboBoxInitLed2bBrightness,
//   comboBoxInitLed3rBrightness, comboBoxInitLed3gBrightness, comboBoxInitLed3bBrightness,
//   comboBoxInitLed1rFrequency, comboBoxInitLed1gFrequency, comboBoxInitLed1bFrequency,
//   comboBoxInitLed2rFrequency, comboBoxInitLed2gFrequency, comboBoxInitLed2bFrequency,
//   comboBoxInitLed3rFrequency, comboBoxInitLed3gFrequency, comboBoxInitLed3bFrequency,
//   spinBoxServo2Correction, spinBoxServo3Correction, spinBoxServo4Correction, spinBoxServo5Correction,
//   spinBoxServo6Correction, spinBoxServo7Correction, spinBoxServo8Correction, spinBoxServo9Correction,
//   spinBoxServo10Correction, spinBoxServo11Correction, spinBoxServo12Correction, spinBoxServo13Correction,
//   spinBoxServo14Correction, spinBoxServo15Correction, spinBoxServo16Correction, spinBoxServo17Correction,
//   spinBoxServo18Correction, spinBoxServo19Correction, spinBoxServo20Correction, spinBoxServo2Min,
//   spinBoxServo3Min, spinBoxServo4Min, spinBoxServo5Min, spinBoxServo6Min, spinBoxServo7Min,
//   spinBoxServo8Min, spinBoxServo9Min, spinBoxServo10Min, spinBoxServo11Min, spinBoxServo12Min,
//   spinBoxServo13Min, spinBoxServo14Min, spinBoxServo15Min, spinBoxServo16Min, spinBoxServo17Min,
//   spinBoxServo18Min, spinBoxServo19Min, spinBoxServo20Min, spinBoxServo2Max, spinBoxServo3Max,
//   spinBoxServo4Max, spinBoxServo5Max, spinBoxServo6Max, spinBoxServo7Max, spinBoxServo8Max,
//   spinBoxServo9Max, spinBoxServo10Max, spinBoxServo11Max, spinBoxServo12Max, spinBoxServo13Max,
//   spinBoxServo14Max, spinBoxServo15Max, spinBoxServo16Max, spinBoxServo17Max, spinBoxServo18Max,
//   spinBoxServo19Max, spinBoxServo20Max, comboBoxYKeyFun, comboBoxXKeyFun, comboBoxBKeyFun, comboBoxAKeyFun,
//   comboBoxStartKeyFun, comboBoxBackKeyFun, comboBoxUpKeyFun, comboBoxRightKeyFun, comboBoxLeftKeyFun,
//   comboBoxDownKeyFun, comboBoxLbKeyFun, comboBoxRbKeyFun, comboBoxRAMKeyFun, spinBoxInitVolume,
//   spinBoxInitAutoPowerOffTime, comboBoxRemoteRFfreHop, spinBoxRemoteRFChannel, spinBoxRemoteRFBrChannel,
//   comboBoxRomoteRFBandwidth, comboBoxRemoteRFPower, comboBoxMainboardRFfreHop, spinBoxMainboardRFChannel,
//   spinBoxMainboardRFBrChannel, comboBoxMainboardRFBandwidth, comboBoxMainboardRFPower,
//   comboBoxFallDetection, spinBoxPowerOnSpeed, spinBoxPowerOnAcc, labelJointLimitsSource,
//   comboBoxConfigFilePath

#include <QObject>
#include <QPair>
#include <QString>
#include <QVector>
#include <memory>

#include "robot/configfile.h"

namespace Ui { class MainWindow; }
class FileBrowser;
class Prompt;
class QComboBox;
class QSpinBox;
class QTemporaryDir;
class QWidget;
class RobotLink;
struct FileJobResult;

class ConfigFilePage : public QObject
{
    Q_OBJECT

public:
    ConfigFilePage(Ui::MainWindow *ui, RobotLink &link, FileBrowser &files, Prompt &prompt, QWidget *dialogParent,
                   QObject *parent = nullptr);
    ~ConfigFilePage() override;

    // The settings the widgets show, over what the file held beyond them.
    configfile::Settings settingsFromWidgets() const;
    void showSettings(const configfile::Settings &settings);
    // Fills the widgets from a file; an unreadable file changes nothing.
    void readConfigFile(const QString &path);
    // At start: the local copy robotcfg.ini of the working directory, the
    // configure file read last (fetched, or verified on the robot after a
    // save), fills the widgets and so supplies the joint limits. A missing
    // copy changes nothing; a faulty one is told once the event loop runs.
    void readLocalCopy();
    // Writes the widgets as a configure file; false when nothing was written.
    bool writeConfigFile(const QString &path);

    // The buttons.
    void getFromRobot();
    void openFrom();
    void factorySettings();
    void saveAs();
    void saveToRobot();

    // Local copy of a configure file being fetched; it is read when the get
    // job has ended with the robot's TransferEnd. Empty when no fetch waits.
    QString fetchPath() const { return configFetchPath; }
    void awaitFetch(const QString &localPath) { configFetchPath = localPath; }

    // The calibration's correction boxes, servos 2..20.
    QVector<QSpinBox *> correctionBoxes() const;

    // A complete configure file has been read in this run (fetched, opened or
    // the factory file): only then may the robot's file be replaced.
    bool completeFileRead() const { return completeFileRead_; }
    // Where saving to the robot stands: fetching the robot's file for the
    // backup, sending, then reading the file back.
    enum class SaveStep { None, BackingUp, Sending, Verifying };
    SaveStep saveStep() const { return saveStep_; }

signals:
    // comboBoxUseExtraServo chose whether the robot uses servos 19 and 20.
    void extraServosChosen(bool used);
    // The user limits (the min and max boxes) the joints are posed within:
    // once a configure file was read into the widgets (opened, the factory
    // file or fetched from the robot, whole or up to a faulty line), and from
    // then on at every edit of a min or max box.
    void userLimitsChanged();

private:
    void fileJobEnded(const FileJobResult &result);
    bool writeConfigFileOrTell(const QString &path);
    void tellExtraServos(int index);
    // comboBoxConfigFilePath: 0, 1 or -1 when no folder is chosen.
    int configFolderIndex() const;
    QVector<QComboBox *> initLedBrightnessBoxes() const;
    QVector<QComboBox *> initLedFrequencyBoxes() const;
    QVector<QSpinBox *> minimumBoxes() const;
    // The key function boxes with the key map entry each stands for.
    QVector<QPair<QComboBox *, int>> keyFunctionBoxes() const;
    void keyFunctionChosen(int entry, int index);
    QVector<QSpinBox *> maximumBoxes() const;

    void readConfigFile(const QString &path, bool atStart);
    void showSettingsNow(const configfile::Settings &settings);
    // The label under the limits: none read, read from a file, changed here.
    void setLimitsSource(const QString &path);
    void showLimitsSource();

    // Until a configure file is read the boxes' zeros are no limits.
    bool userLimitsRead = false;
    // The file the limits were read from, and whether a box changed since.
    QString limitsSource;
    bool limitsEdited = false;
    // True while showSettings fills the widgets (no edit of the user's).
    bool showingSettings = false;
    Ui::MainWindow *ui;
    RobotLink &link;
    FileBrowser &files;
    Prompt &prompt;
    QWidget *dialogParent;
    // What the configure file holds beyond the widgets: the key map, the lines
    // carried through unchanged and the back-to-origin mode and time.
    configfile::Settings configRecord;
    QString configFetchPath;
    bool completeFileRead_ = false;

    // Saving to the robot: the file sent, its robot path and folder, the
    // temporary folder of the robot's old file, the file sent and the copy
    // read back, and the backup made of the robot's old file.
    void keepBackup(const FileJobResult &fetched);
    void dropBackup();
    void verifySentFile(const FileJobResult &sent);
    void compareReadBack(const FileJobResult &fetched);
    void endSave();
    void failSave(const QString &title, const QString &text);
    SaveStep saveStep_ = SaveStep::None;
    QByteArray sentContent;
    QString sentRobotPath;
    int sentFolder = -1;
    std::unique_ptr<QTemporaryDir> workFolder;
    QString backupPath;
    bool madeBackupFolder = false;
};
