#include "robot/configfilepage.h"

#include <QCoreApplication>

#include "core/installedfiles.h"
#include "ui_mainwindow.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTextStream>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <iterator>

#include "common/prompt.h"
#include "core/safefile.h"
#include "files/filebrowser.h"
#include "link/robotlink.h"
#include "link/transferoutcome.h"
#include "motion/angletext.h"
#include "motion/jointlimits.h"
#include "link/robotpath.h"
#include "robot/configpacking.h"

using namespace packet;

namespace {

const QString kConfigFileName = QStringLiteral("robotcfg.ini");

void setIndex(QComboBox *box, int index)
{
    box->setCurrentIndex(std::clamp(index, 0, box->count() - 1));
}

int indexOf(const QComboBox *box)
{
    return std::max(box->currentIndex(), 0);
}

} // namespace

ConfigFilePage::ConfigFilePage(Ui::MainWindow *ui, RobotLink &link, FileBrowser &files, Prompt &prompt,
                               QWidget *dialogParent, QObject *parent)
    : QObject(parent), ui(ui), link(link), files(files), prompt(prompt), dialogParent(dialogParent)
{
    // Settings the robot no longer takes from here.
    for (QWidget *w : {static_cast<QWidget *>(ui->comboBoxInitBaudrateBle),
                       static_cast<QWidget *>(ui->comboBoxInitBaudratePc),
                       static_cast<QWidget *>(ui->comboBoxInitBaudrateServo), static_cast<QWidget *>(ui->label_135),
                       static_cast<QWidget *>(ui->label_136), static_cast<QWidget *>(ui->label_137)})
        w->hide();
    connect(ui->pushButtonGetConfigFile, &QPushButton::clicked, this, &ConfigFilePage::getFromRobot);
    connect(ui->pushButtonOpenConfigFileFrom, &QPushButton::clicked, this, &ConfigFilePage::openFrom);
    connect(ui->pushButtonFactorySettings, &QPushButton::clicked, this, &ConfigFilePage::factorySettings);
    connect(ui->pushButtonSaveConfigFileAs, &QPushButton::clicked, this, &ConfigFilePage::saveAs);
    connect(ui->pushButtonSaveConfigFileToRobot, &QPushButton::clicked, this, &ConfigFilePage::saveToRobot);
    connect(ui->comboBoxUseExtraServo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ConfigFilePage::tellExtraServos);
    connect(&link, &RobotLink::fileJobEnded, this, &ConfigFilePage::fileJobEnded);
    for (const QVector<QSpinBox *> &boxes : {minimumBoxes(), maximumBoxes()})
        for (QSpinBox *box : boxes)
            connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, [this] {
                if (!userLimitsRead)
                    return;
                if (!showingSettings && !limitsEdited) {
                    limitsEdited = true;
                    showLimitsSource();
                }
                emit userLimitsChanged();
            });
    showLimitsSource();
    for (const auto &key : keyFunctionBoxes())
        connect(key.first, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                [this, entry = key.second](int index) { keyFunctionChosen(entry, index); });
}

ConfigFilePage::~ConfigFilePage() = default;

QVector<QComboBox *> ConfigFilePage::initLedBrightnessBoxes() const
{
    return {ui->comboBoxInitLed1rBrightness, ui->comboBoxInitLed1gBrightness, ui->comboBoxInitLed1bBrightness,
            ui->comboBoxInitLed2rBrightness, ui->comboBoxInitLed2gBrightness, ui->comboBoxInitLed2bBrightness,
            ui->comboBoxInitLed3rBrightness, ui->comboBoxInitLed3gBrightness, ui->comboBoxInitLed3bBrightness};
}

QVector<QComboBox *> ConfigFilePage::initLedFrequencyBoxes() const
{
    return {ui->comboBoxInitLed1rFrequency, ui->comboBoxInitLed1gFrequency, ui->comboBoxInitLed1bFrequency,
            ui->comboBoxInitLed2rFrequency, ui->comboBoxInitLed2gFrequency, ui->comboBoxInitLed2bFrequency,
            ui->comboBoxInitLed3rFrequency, ui->comboBoxInitLed3gFrequency, ui->comboBoxInitLed3bFrequency};
}

QVector<QSpinBox *> ConfigFilePage::correctionBoxes() const
{
    return {ui->spinBoxServo2Correction,  ui->spinBoxServo3Correction,  ui->spinBoxServo4Correction,
            ui->spinBoxServo5Correction,  ui->spinBoxServo6Correction,  ui->spinBoxServo7Correction,
            ui->spinBoxServo8Correction,  ui->spinBoxServo9Correction,  ui->spinBoxServo10Correction,
            ui->spinBoxServo11Correction, ui->spinBoxServo12Correction, ui->spinBoxServo13Correction,
            ui->spinBoxServo14Correction, ui->spinBoxServo15Correction, ui->spinBoxServo16Correction,
            ui->spinBoxServo17Correction, ui->spinBoxServo18Correction, ui->spinBoxServo19Correction,
            ui->spinBoxServo20Correction};
}

QVector<QSpinBox *> ConfigFilePage::minimumBoxes() const
{
    return {ui->spinBoxServo2Min,  ui->spinBoxServo3Min,  ui->spinBoxServo4Min,  ui->spinBoxServo5Min,
            ui->spinBoxServo6Min,  ui->spinBoxServo7Min,  ui->spinBoxServo8Min,  ui->spinBoxServo9Min,
            ui->spinBoxServo10Min, ui->spinBoxServo11Min, ui->spinBoxServo12Min, ui->spinBoxServo13Min,
            ui->spinBoxServo14Min, ui->spinBoxServo15Min, ui->spinBoxServo16Min, ui->spinBoxServo17Min,
            ui->spinBoxServo18Min, ui->spinBoxServo19Min, ui->spinBoxServo20Min};
}

QVector<QSpinBox *> ConfigFilePage::maximumBoxes() const
{
    return {ui->spinBoxServo2Max,  ui->spinBoxServo3Max,  ui->spinBoxServo4Max,  ui->spinBoxServo5Max,
            ui->spinBoxServo6Max,  ui->spinBoxServo7Max,  ui->spinBoxServo8Max,  ui->spinBoxServo9Max,
            ui->spinBoxServo10Max, ui->spinBoxServo11Max, ui->spinBoxServo12Max, ui->spinBoxServo13Max,
            ui->spinBoxServo14Max, ui->spinBoxServo15Max, ui->spinBoxServo16Max, ui->spinBoxServo17Max,
            ui->spinBoxServo18Max, ui->spinBoxServo19Max, ui->spinBoxServo20Max};
}

QVector<QPair<QComboBox *, int>> ConfigFilePage::keyFunctionBoxes() const
{
    QComboBox *const boxes[] = {ui->comboBoxYKeyFun,     ui->comboBoxXKeyFun,     ui->comboBoxBKeyFun,
                                ui->comboBoxAKeyFun,     ui->comboBoxStartKeyFun, ui->comboBoxBackKeyFun,
                                ui->comboBoxUpKeyFun,    ui->comboBoxRightKeyFun, ui->comboBoxLeftKeyFun,
                                ui->comboBoxDownKeyFun,  ui->comboBoxLbKeyFun,    ui->comboBoxRbKeyFun,
                                ui->comboBoxRAMKeyFun};
    static_assert(std::size(boxes) == configpacking::KeyFunctionEntries.size(), "one box per key function entry");
    QVector<QPair<QComboBox *, int>> keys;
    for (std::size_t i = 0; i < std::size(boxes); ++i)
        keys.append({boxes[i], configpacking::KeyFunctionEntries[i]});
    return keys;
}

// 0 "file function", 1 "combination key function"; no selection changes
// nothing. The key map reaches the robot inside the configure file.
void ConfigFilePage::keyFunctionChosen(int entry, int index)
{
    if (index == 0 || index == 1)
        configRecord.keyMap[std::size_t(entry)] = index;
}

configfile::Settings ConfigFilePage::settingsFromWidgets() const
{
    configfile::Settings s = configRecord;
    s.volume = ui->spinBoxInitVolume->value();
    const QVector<QComboBox *> brightness = initLedBrightnessBoxes();
    const QVector<QComboBox *> frequency = initLedFrequencyBoxes();
    for (int i = 0; i < 9; ++i)
        s.leds[std::size_t(i)] = configpacking::packLed({indexOf(brightness[i]), indexOf(frequency[i])});
    s.baudBle = configfile::bleRate(indexOf(ui->comboBoxInitBaudrateBle));
    s.baudPc = configfile::pcRate(indexOf(ui->comboBoxInitBaudratePc));
    s.baudServo = configfile::servoRate(indexOf(ui->comboBoxInitBaudrateServo));
    s.autoPowerOff = ui->spinBoxInitAutoPowerOffTime->value();
    s.remoteChannel =
        configpacking::packChannel({indexOf(ui->comboBoxRemoteRFfreHop), ui->spinBoxRemoteRFChannel->value()});
    s.remoteBroadcast = ui->spinBoxRemoteRFBrChannel->value();
    s.remoteMode =
        configpacking::packMode({indexOf(ui->comboBoxRomoteRFBandwidth), indexOf(ui->comboBoxRemoteRFPower)});
    s.boardChannel =
        configpacking::packChannel({indexOf(ui->comboBoxMainboardRFfreHop), ui->spinBoxMainboardRFChannel->value()});
    s.boardBroadcast = ui->spinBoxMainboardRFBrChannel->value();
    s.boardMode =
        configpacking::packMode({indexOf(ui->comboBoxMainboardRFBandwidth), indexOf(ui->comboBoxMainboardRFPower)});
    const QVector<QSpinBox *> corrections = correctionBoxes();
    const QVector<QSpinBox *> minimums = minimumBoxes();
    const QVector<QSpinBox *> maximums = maximumBoxes();
    for (int i = 0; i < 19; ++i) {
        s.corrections[std::size_t(i)] = corrections[i]->value();
        s.minimums[std::size_t(i)] = minimums[i]->value();
        s.maximums[std::size_t(i)] = maximums[i]->value();
    }
    s.useExtraServo = indexOf(ui->comboBoxUseExtraServo);
    s.fallCheck = indexOf(ui->comboBoxFallDetection);
    s.backToOrigin[1] = ui->spinBoxPowerOnSpeed->value();
    s.backToOrigin[2] = ui->spinBoxPowerOnAcc->value();
    return s;
}

// A value a list cannot show selects its nearest item (never no item: that
// would be written back as a corrupt value).
void ConfigFilePage::showSettings(const configfile::Settings &s)
{
    const bool wasShowing = showingSettings;
    showingSettings = true;
    showSettingsNow(s);
    showingSettings = wasShowing;
}

void ConfigFilePage::showSettingsNow(const configfile::Settings &s)
{
    configRecord = s;
    ui->spinBoxInitVolume->setValue(s.volume);
    const QVector<QComboBox *> brightness = initLedBrightnessBoxes();
    const QVector<QComboBox *> frequency = initLedFrequencyBoxes();
    for (int i = 0; i < 9; ++i) {
        const configpacking::Led led = configpacking::unpackLed(s.leds[std::size_t(i)]);
        setIndex(brightness[i], led.brightness);
        setIndex(frequency[i], led.frequency);
    }
    setIndex(ui->comboBoxInitBaudrateBle, configfile::bleRateIndex(s.baudBle));
    setIndex(ui->comboBoxInitBaudratePc, configfile::pcRateIndex(s.baudPc));
    setIndex(ui->comboBoxInitBaudrateServo, configfile::servoRateIndex(s.baudServo));
    ui->spinBoxInitAutoPowerOffTime->setValue(s.autoPowerOff);
    const configpacking::Channel remoteChannel = configpacking::unpackChannel(s.remoteChannel);
    setIndex(ui->comboBoxRemoteRFfreHop, remoteChannel.hopping);
    ui->spinBoxRemoteRFChannel->setValue(remoteChannel.channel);
    ui->spinBoxRemoteRFBrChannel->setValue(configpacking::unpackBroadcast(s.remoteBroadcast));
    const configpacking::RadioMode remoteMode = configpacking::unpackMode(s.remoteMode);
    setIndex(ui->comboBoxRomoteRFBandwidth, remoteMode.bandwidth);
    setIndex(ui->comboBoxRemoteRFPower, remoteMode.power);
    const configpacking::Channel boardChannel = configpacking::unpackChannel(s.boardChannel);
    setIndex(ui->comboBoxMainboardRFfreHop, boardChannel.hopping);
    ui->spinBoxMainboardRFChannel->setValue(boardChannel.channel);
    ui->spinBoxMainboardRFBrChannel->setValue(configpacking::unpackBroadcast(s.boardBroadcast));
    const configpacking::RadioMode boardMode = configpacking::unpackMode(s.boardMode);
    setIndex(ui->comboBoxMainboardRFBandwidth, boardMode.bandwidth);
    setIndex(ui->comboBoxMainboardRFPower, boardMode.power);
    const QVector<QSpinBox *> corrections = correctionBoxes();
    const QVector<QSpinBox *> minimums = minimumBoxes();
    const QVector<QSpinBox *> maximums = maximumBoxes();
    for (int i = 0; i < 19; ++i) {
        corrections[i]->setValue(s.corrections[std::size_t(i)]);
        minimums[i]->setValue(s.minimums[std::size_t(i)]);
        maximums[i]->setValue(s.maximums[std::size_t(i)]);
    }
    setIndex(ui->comboBoxUseExtraServo, configpacking::unpackSwitch(s.useExtraServo));
    setIndex(ui->comboBoxFallDetection, configpacking::unpackSwitch(s.fallCheck));
    ui->spinBoxPowerOnSpeed->setValue(s.backToOrigin[1]);
    ui->spinBoxPowerOnAcc->setValue(s.backToOrigin[2]);
    // The key map's entries with a box; the others are carried in the record.
    for (const auto &key : keyFunctionBoxes())
        setIndex(key.first, s.keyMap[std::size_t(key.second)]);
}

void ConfigFilePage::readConfigFile(const QString &path)
{
    readConfigFile(path, false);
}

void ConfigFilePage::readLocalCopy()
{
    const QString dir = QDir::currentPath();
    if (!dir.isEmpty())
        readConfigFile(dir + QLatin1Char('/') + kConfigFileName, true);
}

void ConfigFilePage::readConfigFile(const QString &path, bool atStart)
{
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray content = file.readAll();
    file.close();
    // Keys the file does not hold keep what the widgets show.
    configfile::Settings settings = settingsFromWidgets();
    const configfile::ReadResult result = configfile::readContent(content, settings);
    showSettings(settings);
    if (configfile::isComplete(content))
        completeFileRead_ = true;
    userLimitsRead = true;
    setLimitsSource(path);
    emit userLimitsChanged();
    if (result.error == configfile::Error::None)
        return;
    const QString text = tr("Error in line:") + QString::number(result.line);
    // At start the box waits for the event loop, to stand over the shown window.
    if (atStart)
        QTimer::singleShot(0, this, [this, text] {
            prompt.warning(dialogParent, tr("error"), text, QMessageBox::Yes);
        });
    else
        prompt.warning(dialogParent, tr("error"), text, QMessageBox::Yes);
}

void ConfigFilePage::setLimitsSource(const QString &path)
{
    limitsSource = QDir::toNativeSeparators(path);
    limitsEdited = false;
    showLimitsSource();
}

// Says which limits hold the joints: the default range until a configure
// file has been read, then the min and max boxes of the file read.
void ConfigFilePage::showLimitsSource()
{
    const QString from = angletext::format(jointlimits::DefaultMinimum);
    const QString to = angletext::format(jointlimits::DefaultMaximum);
    QString text;
    if (!userLimitsRead)
        text = tr("No configure file has been read: every joint keeps the default range %1 to %2.").arg(from, to);
    else if (!limitsEdited)
        text = tr("The joints are held within these min and max limits, read from %1. A servo whose min is not "
                  "below its max keeps the default range %2 to %3.")
                   .arg(limitsSource, from, to);
    else
        text = tr("The joints are held within these min and max limits, read from %1 and changed here. A servo "
                  "whose min is not below its max keeps the default range %2 to %3.")
                   .arg(limitsSource, from, to);
    ui->labelJointLimitsSource->setText(text);
}

// The old file stays until the new one is complete.
bool ConfigFilePage::writeConfigFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    return safefile::write(path, configfile::content(settingsFromWidgets()));
}

bool ConfigFilePage::writeConfigFileOrTell(const QString &path)
{
    if (writeConfigFile(path))
        return true;
    prompt.warning(dialogParent, tr("error"), tr("The file %1 cannot be written.").arg(path), QMessageBox::Ok);
    return false;
}

int ConfigFilePage::configFolderIndex() const
{
    const int index = ui->comboBoxConfigFilePath->currentIndex();
    return index == 0 || index == 1 ? index : -1;
}

// ---------------------------------------------------------------- buttons

void ConfigFilePage::factorySettings()
{
    const QString dir = QDir::currentPath();
    // The working folder's factory file, else the one installed with the program.
    if (!dir.isEmpty())
        readConfigFile(installedfiles::find(dir + QStringLiteral("/.robot/robotcfg_factory.ini"),
                                            QCoreApplication::applicationDirPath()));
}

void ConfigFilePage::openFrom()
{
    const QString path = prompt.openFileName(dialogParent, tr("open robot configure file"), QStringLiteral("."),
                                             tr("robot configure files (*.ini)"));
    readConfigFile(path);
}

void ConfigFilePage::saveAs()
{
    const QString path = prompt.saveFileName(dialogParent, tr("save robot configure file as"), QString(),
                                             tr("save robot configure file (*.ini)"));
    if (!path.isEmpty())
        writeConfigFileOrTell(path);
}

void ConfigFilePage::getFromRobot()
{
    const QString dir = QDir::currentPath();
    const int folder = configFolderIndex();
    if (dir.isEmpty() || !link.isRunning() || folder < 0)
        return;
    if (files.refuseWhileTransferring())
        return;
    if (!link.setRobotPath(RobotLink::PathBlock::Get, folder, kConfigFileName))
        return;
    const QString local = dir + QLatin1Char('/') + kConfigFileName;
    // Fetched three times and compared, and taken only when it is a complete
    // configure file: the widgets are filled only from a whole file, and a
    // cut one never replaces the local copy.
    files.startFileGet(local, kConfigFileName, &configfile::incompleteness);
    // The widgets are filled once the get job is over and the robot has sent
    // the whole file, never from a file still being written.
    configFetchPath = local;
}

// The file is read once the get job has ended, and only when the fetch
// succeeded (a failed fetch leaves the old local copy, which is not read).
void ConfigFilePage::fileJobEnded(const FileJobResult &result)
{
    if (result.job == FileJobResult::Get && saveStep_ == SaveStep::BackingUp) {
        keepBackup(result);
        return;
    }
    if (result.job == FileJobResult::Send && saveStep_ == SaveStep::Sending) {
        verifySentFile(result);
        return;
    }
    if (result.job == FileJobResult::Get && saveStep_ == SaveStep::Verifying) {
        compareReadBack(result);
        return;
    }
    if (result.job == FileJobResult::Send || configFetchPath.isEmpty())
        return;
    const QString path = configFetchPath;
    configFetchPath.clear();
    if (result.ok())
        readConfigFile(path);
}

// The robot's file is replaced only by a whole configure file: one written
// before any was read lacks the robot's own lines (factory origin and limits,
// fall detection, battery), which the settings pages do not show.
//
// The save is a command of four steps, and nothing on this computer changes
// unless the robot's new file is verified: the robot's file as it is now is
// fetched (verified) and kept as the dated backup in bac/; the widgets' file
// is sent from a temporary copy; the robot's copy is read back and compared;
// only then is the local copy robotcfg.ini replaced. A refused or failed step
// ends the command, told once with its reason.
void ConfigFilePage::saveToRobot()
{
    const QString dir = QDir::currentPath();
    if (dir.isEmpty())
        return;
    // One transfer at a time, and one save.
    if (link.isRunning() && (files.refuseWhileTransferring() || saveStep_ != SaveStep::None))
        return;
    if (!completeFileRead_) {
        prompt.warning(dialogParent, tr("warning"),
                       tr("No complete configure file has been read yet. Please get the robot's configure file "
                          "or open one first."),
                       QMessageBox::Ok);
        return;
    }
    const int folder = configFolderIndex();
    if (!link.isRunning() || folder < 0) {
        prompt.warning(dialogParent, tr("warning"),
                       tr("The robot is not connected, so its configure file was not saved. Nothing was changed; "
                          "\"save configure file as\" keeps these settings in a file."),
                       QMessageBox::Ok);
        return;
    }
    // The box names the drive; the path is the robot's folder on it.
    const QString robotPath = QString::fromLatin1(robotpath::folder(folder)) + QLatin1Char('/') + kConfigFileName;
    if (prompt.warning(dialogParent, tr("warning"),
                       tr("Do you want to replace the robot's configure file %1?").arg(robotPath),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // The file as the widgets show it now; later edits belong to the next save.
    sentContent = configfile::content(settingsFromWidgets());
    workFolder = std::make_unique<QTemporaryDir>();
    if (!workFolder->isValid()) {
        const QString reason = workFolder->errorString();
        workFolder.reset();
        prompt.warning(dialogParent, tr("error"),
                       tr("No temporary folder can be made (%1), so nothing was sent.").arg(reason), QMessageBox::Ok);
        return;
    }
    configFetchPath.clear();
    sentRobotPath = robotPath;
    sentFolder = folder;
    backupPath.clear();
    madeBackupFolder = false;
    files.resetProgress();
    if (!link.setRobotPath(RobotLink::PathBlock::Get, folder, kConfigFileName)
        || !link.fetch(workFolder->filePath(QStringLiteral("before.ini")), true)) {
        failSave(tr("warning"),
                 tr("The robot's configure file %1 could not be fetched for the backup, so nothing was sent.")
                     .arg(robotPath));
        return;
    }
    saveStep_ = SaveStep::BackingUp;
    ui->statusBar->showMessage(tr("Saving the configure file %1: keeping the robot's file as a backup ...")
                                   .arg(robotPath));
}

// Ends the save with the one message that says why.
void ConfigFilePage::failSave(const QString &title, const QString &text)
{
    endSave();
    prompt.warning(dialogParent, title, text, QMessageBox::Ok);
}

void ConfigFilePage::endSave()
{
    saveStep_ = SaveStep::None;
    workFolder.reset();
    sentContent.clear();
    files.setQuietTransferEnd(false);
}

// The robot's file as it was: kept in bac/, then the new file goes. A robot
// without the file has nothing to keep; any other failure ends the save
// before anything is sent.
void ConfigFilePage::keepBackup(const FileJobResult &fetched)
{
    const QString dir = QDir::currentPath();
    if (fetched.outcome == FileJobResult::NoSuchFile) {
        link.note(tr("The robot has no configure file %1 yet: there is nothing to back up.")
            .arg(sentRobotPath));
    } else if (!fetched.ok()) {
        const QString reason = TransferOutcome::text(fetched, kConfigFileName);
        failSave(tr("warning"),
                 tr("The robot's configure file %1 could not be fetched for the backup, so nothing was sent. %2")
                     .arg(sentRobotPath, reason));
        return;
    } else {
        QFile before(workFolder->filePath(QStringLiteral("before.ini")));
        const bool read = before.open(QIODevice::ReadOnly);
        const QByteArray robotFile = read ? before.readAll() : QByteArray();
        const QString backupDir = dir + QStringLiteral("/bac");
        const QString backup = backupDir + QStringLiteral("/robotcfg_")
                               + QDateTime::currentDateTime().toString(QStringLiteral("yyyy_MM_dd_hh_mm_ss"))
                               + QStringLiteral(".ini");
        madeBackupFolder = !QDir(backupDir).exists() && QDir().mkpath(backupDir);
        QString reason = read ? QString() : before.errorString();
        if (!read || !safefile::write(backup, robotFile, &reason)) {
            if (madeBackupFolder)
                QDir().rmdir(backupDir);
            failSave(tr("error"),
                     tr("The backup %1 of the robot's configure file cannot be written (%2), so nothing was "
                        "sent.")
                         .arg(backup, reason));
            return;
        }
        backupPath = backup;
    }
    // The file to send, from a copy of its own: the local copy stays as it
    // is until the robot's new file is verified.
    const QString toSend = workFolder->filePath(kConfigFileName);
    QString reason;
    if (!safefile::write(toSend, sentContent, &reason)) {
        dropBackup();
        failSave(tr("error"),
                 tr("The file %1 cannot be written.").arg(toSend) + QLatin1Char(' ') + reason);
        return;
    }
    saveStep_ = SaveStep::Sending;
    // The send and the read back are steps of this command, which tells the
    // one outcome; the file browser tells a failed send with its reason.
    files.setQuietTransferEnd(true);
    if (!link.isRunning() || !link.setRobotPath(RobotLink::PathBlock::Send, sentFolder, kConfigFileName)
        || !files.startFileSend(toSend, kConfigFileName)) {
        dropBackup();
        failSave(tr("warning"),
                 tr("The link was closed before the configure file %1 was sent. Nothing was changed.")
                     .arg(sentRobotPath));
        return;
    }
    ui->statusBar->showMessage(tr("Saving the configure file %1: sending ...").arg(sentRobotPath));
}

// A backup of a robot file that was never touched (nothing was sent, or the
// robot refused the file) is no backup: it goes again, and so does a bac/
// folder made for it.
void ConfigFilePage::dropBackup()
{
    if (backupPath.isEmpty())
        return;
    QFile::remove(backupPath);
    if (madeBackupFolder)
        QDir().rmdir(QFileInfo(backupPath).path());
    backupPath.clear();
}

// The send is over: unless it failed (the file browser says so, with its
// reason), the robot's copy is fetched into a temporary file to be compared.
void ConfigFilePage::verifySentFile(const FileJobResult &sent)
{
    if (!sent.ok()) {
        // Refused: the robot kept its file. Otherwise the robot's copy may be
        // cut, and the backup is what it held before.
        if (sent.outcome == FileJobResult::Refused)
            dropBackup();
        else if (!backupPath.isEmpty())
            link.note(tr("The robot's previous configure file %1 is kept in %2.")
                .arg(sentRobotPath, backupPath));
        endSave();
        return;
    }
    const QString copy = workFolder->filePath(QStringLiteral("readback.ini"));
    files.resetProgress();
    if (!link.isRunning() || !link.setRobotPath(RobotLink::PathBlock::Get, sentFolder, kConfigFileName)
        || !link.fetch(copy)) {
        failSave(tr("warning"),
                 tr("The configure file %1 could not be read back from the robot, so it is not verified.")
                     .arg(sentRobotPath));
        return;
    }
    saveStep_ = SaveStep::Verifying;
    ui->statusBar->showMessage(tr("Saving the configure file %1: reading it back ...").arg(sentRobotPath));
}

// The robot's copy is the file sent: only now does the local copy become it.
void ConfigFilePage::compareReadBack(const FileJobResult &fetched)
{
    QFile copy(workFolder->filePath(QStringLiteral("readback.ini")));
    const bool readBack = fetched.ok() && copy.open(QIODevice::ReadOnly);
    const bool same = readBack && copy.readAll() == sentContent;
    copy.close();
    const QByteArray content = sentContent;
    endSave();
    if (!readBack) {
        prompt.warning(dialogParent, tr("warning"),
                       tr("The configure file %1 could not be read back from the robot, so it is not verified.")
                           .arg(sentRobotPath),
                       QMessageBox::Ok);
        return;
    }
    if (!same) {
        prompt.warning(dialogParent, tr("warning"),
                       tr("The configure file %1 read back from the robot differs from the file sent: the save is not verified.")
                           .arg(sentRobotPath),
                       QMessageBox::Ok);
        return;
    }
    const QString local = QDir::currentPath() + QLatin1Char('/') + kConfigFileName;
    QString reason;
    if (!safefile::write(local, content, &reason)) {
        prompt.warning(dialogParent, tr("warning"),
                       tr("The configure file %1 was saved and verified, but the local copy %2 cannot be written "
                          "(%3).")
                           .arg(sentRobotPath, local, reason),
                       QMessageBox::Ok);
        return;
    }
    // The local copy is the file the joint limits come from at the next start.
    setLimitsSource(local);
    if (!backupPath.isEmpty())
        link.note(tr("The robot's previous configure file %1 is kept in %2.")
            .arg(sentRobotPath, backupPath));
    files.completeProgress();
    prompt.information(dialogParent, tr("finish"),
                       tr("The configure file %1 was saved and verified.").arg(sentRobotPath), QMessageBox::Ok);
}

// ---------------------------------------------------------------- extra servos

// Whether the robot uses the extra servos 19 and 20 (the joint panel shows them then).
void ConfigFilePage::tellExtraServos(int index)
{
    emit extraServosChosen(index != 0);
}
