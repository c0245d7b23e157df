// The configure-file page of the window: open from, factory settings, save as,
// the error box, the extra servo switch, and save to / get from the robot
// against the virtual robot.

#include <QtTest>
#include <QProgressBar>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "link/serialportthread.h"
#include "files/filebrowser.h"
#include "robot/configfile.h"
#include "robot/configfilepage.h"
#include "motion/jointlimits.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace packet;

class TestConfigWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> workDir;

    using Started = StartedWindow;
    // A window in a fresh working directory whose port list offers the robot.
    Started start(const QString &port = QString()) { return startWindow(workDir, port); }

    static void writeFile(const QString &path, const QByteArray &data)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(data), qint64(data.size()));
    }

    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // A file as the robot keeps it, with values for every widget.
    static QByteArray robotFile(int volume)
    {
        configfile::Settings s;
        s.volume = volume;
        s.leds = {10 * 16 + 4, 0, 1, 2, 3, 16, 32, 48, 64};
        s.baudBle = 115200;
        s.baudPc = 1500000;
        s.baudServo = 921600;
        s.autoPowerOff = 600;
        s.remoteChannel = 300;
        s.remoteBroadcast = 9;
        s.remoteMode = 2 * 256 + 3;
        s.boardChannel = 256 + 100;
        s.boardBroadcast = 125;
        s.boardMode = 256 + 1;
        s.keyMap[12] = 1;
        s.keyMap[34] = 1;
        for (int i = 0; i < 19; ++i) {
            s.corrections[std::size_t(i)] = 10 * i - 90;
            s.minimums[std::size_t(i)] = -2000 + i;
            s.maximums[std::size_t(i)] = 2000 - i;
        }
        s.useExtraServo = 1;
        s.fallCheck = 1;
        s.backToOrigin = {1, 500, 60, 3000};
        s.irKeyLine = QStringLiteral("IRK:1,0,1;");
        s.factoryOriginLine = QStringLiteral("RFO:0,0,0;");
        s.factoryDownLine = QStringLiteral("FDL:-1500;");
        s.factoryUpLine = QStringLiteral("FUL:1500;");
        s.timeSpeedLine = QStringLiteral("TSA:1,2,3;");
        s.remoteAutoLine = QStringLiteral("RAF:5,6;");
        s.fallDetectLine = QStringLiteral("FDT:7,8;");
        s.batteryLine = QStringLiteral("BLN:6800,1;");
        QByteArray data;
        QTextStream out(&data, QIODevice::WriteOnly);
        configfile::write(out, s);
        out.flush();
        return data;
    }

    static void checkWidgets(const Started &s, int volume)
    {
        QCOMPARE(s.ui->spinBoxInitVolume->value(), volume);
        QCOMPARE(s.ui->comboBoxInitLed1rBrightness->currentText(), QStringLiteral("100 %"));
        QCOMPARE(s.ui->comboBoxInitLed1rFrequency->currentText(), QStringLiteral("random"));
        QCOMPARE(s.ui->comboBoxInitLed3bBrightness->currentIndex(), 4);
        QCOMPARE(s.ui->comboBoxInitBaudrateBle->currentText(), QStringLiteral("115200"));
        QCOMPARE(s.ui->comboBoxInitBaudratePc->currentText(), QStringLiteral("1500000"));
        QCOMPARE(s.ui->comboBoxInitBaudrateServo->currentText(), QStringLiteral("921600"));
        QCOMPARE(s.ui->spinBoxInitAutoPowerOffTime->value(), 600);
        QCOMPARE(s.ui->comboBoxRemoteRFfreHop->currentIndex(), 1);
        QCOMPARE(s.ui->spinBoxRemoteRFChannel->value(), 44);
        QCOMPARE(s.ui->spinBoxRemoteRFBrChannel->value(), 9);
        QCOMPARE(s.ui->comboBoxRomoteRFBandwidth->currentIndex(), 2);
        QCOMPARE(s.ui->comboBoxRemoteRFPower->currentIndex(), 3);
        QCOMPARE(s.ui->comboBoxMainboardRFfreHop->currentIndex(), 1);
        QCOMPARE(s.ui->spinBoxMainboardRFChannel->value(), 100);
        QCOMPARE(s.ui->spinBoxMainboardRFBrChannel->value(), 125);
        QCOMPARE(s.ui->comboBoxMainboardRFBandwidth->currentIndex(), 1);
        QCOMPARE(s.ui->comboBoxMainboardRFPower->currentIndex(), 1);
        QCOMPARE(s.ui->spinBoxServo2Correction->value(), -90);
        QCOMPARE(s.ui->spinBoxServo20Correction->value(), 90);
        QCOMPARE(s.ui->spinBoxServo2Min->value(), -2000);
        QCOMPARE(s.ui->spinBoxServo20Max->value(), 1982);
        QCOMPARE(s.ui->comboBoxUseExtraServo->currentIndex(), 1);
        QCOMPARE(s.ui->comboBoxFallDetection->currentIndex(), 1);
        QCOMPARE(s.ui->spinBoxPowerOnSpeed->value(), 500);
        QCOMPARE(s.ui->spinBoxPowerOnAcc->value(), 60);
    }

private slots:
    // Open from fills every widget; save as writes the same file back, byte
    // for byte (key map, verbatim lines and back-to-origin values included).
    void openAndSaveAs()
    {
        auto s = start();
        const QString source = QDir::currentPath() + QStringLiteral("/mine.ini");
        writeFile(source, robotFile(33));

        s.ui->pushButtonOpenConfigFileFrom->click();  // cancelled: nothing changes
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("open robot configure file"));
        QCOMPARE(s.ui->spinBoxInitVolume->value(), 60);

        s.prompt->answers << source;
        s.ui->pushButtonOpenConfigFileFrom->click();
        QCOMPARE(s.prompt->calls.size(), 2);
        checkWidgets(s, 33);

        const QString target = QDir::currentPath() + QStringLiteral("/copy.ini");
        s.prompt->answers << target;
        s.ui->pushButtonSaveConfigFileAs->click();
        QCOMPARE(s.prompt->calls.size(), 3);
        QCOMPARE(s.prompt->calls[2].title, QStringLiteral("save robot configure file as"));
        QCOMPARE(readFile(target), robotFile(33));

        // A file that cannot be written is told, not passed over.
        s.prompt->answers << QStringLiteral("/no/such/folder/x.ini");
        s.ui->pushButtonSaveConfigFileAs->click();
        QCOMPARE(s.prompt->calls.size(), 5);
        QCOMPARE(s.prompt->calls[4].title, QStringLiteral("error"));
        QCOMPARE(s.prompt->calls[4].text, QStringLiteral("The file /no/such/folder/x.ini cannot be written."));
    }

    // Factory settings come from .robot/robotcfg_factory.ini; a wrong field
    // count shows the line and keeps what earlier lines set; values a list
    // cannot show select its nearest item.
    void factoryAndErrors()
    {
        auto s = start();
        s.ui->pushButtonFactorySettings->click();  // no factory file: silent
        QVERIFY(s.prompt->calls.isEmpty());
        QDir().mkpath(QStringLiteral(".robot"));
        writeFile(QStringLiteral(".robot/robotcfg_factory.ini"), robotFile(71));
        s.ui->pushButtonFactorySettings->click();
        QVERIFY(s.prompt->calls.isEmpty());
        checkWidgets(s, 71);

        writeFile(QStringLiteral(".robot/robotcfg_factory.ini"),
                  "#c\r\nSV:12;\r\nLED:255,255,0,0,0,0,0,0,0;\r\nSR:1023;\r\nBB:921600;\r\nLED:1,2;\r\nSV:13;\r\n");
        s.ui->pushButtonFactorySettings->click();
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("error"));
        QCOMPARE(s.prompt->calls[0].text, QStringLiteral("Error in line:6"));
        QCOMPARE(s.ui->spinBoxInitVolume->value(), 12);
        QCOMPARE(s.ui->comboBoxInitLed1rBrightness->currentIndex(), 10);
        QCOMPARE(s.ui->comboBoxInitLed1rFrequency->currentIndex(), 4);
        QCOMPARE(s.ui->comboBoxRomoteRFBandwidth->currentIndex(), 2);
        QCOMPARE(s.ui->comboBoxInitBaudrateBle->currentText(), QStringLiteral("115200"));
        QCOMPARE(s.window->configFilePage().settingsFromWidgets().leds[0], 10 * 16 + 4);
    }

    void extraServoSwitch()
    {
        auto s = start();
        QVERIFY(s.ui->groupBoxServo19->isHidden());
        s.ui->comboBoxUseExtraServo->setCurrentIndex(1);
        for (QWidget *w : {static_cast<QWidget *>(s.ui->groupBoxServo19), static_cast<QWidget *>(s.ui->groupBoxServo20),
                           static_cast<QWidget *>(s.ui->radioButtonExtendServo1),
                           static_cast<QWidget *>(s.ui->radioButtonExtendServo2)})
            QVERIFY(!w->isHidden());
        s.ui->comboBoxUseExtraServo->setCurrentIndex(0);
        QVERIFY(s.ui->groupBoxServo20->isHidden());
        QVERIFY(s.ui->radioButtonExtendServo2->isHidden());
    }

    // A fetched file is read only after the get job has ended, and only
    // when the fetch succeeded; a running transfer refuses both
    // robot buttons.
    void fetchIsReadWhenComplete()
    {
        auto s = start();
        RobotLink &link = s.window->robotLink();
        writeFile(QStringLiteral("robotcfg.ini"), robotFile(17));
        s.window->configFilePage().awaitFetch(QDir::currentPath() + QStringLiteral("/robotcfg.ini"));
        // Not read while the job still holds the file.
        QTest::qWait(60);
        QCOMPARE(s.ui->spinBoxInitVolume->value(), 60);
        FileJobResult done;
        done.job = FileJobResult::Get;
        done.transferEnded = true;
        emit link.fileJobEnded(done);
        QCOMPARE(s.ui->spinBoxInitVolume->value(), 17);
        QVERIFY(s.window->configFilePage().fetchPath().isEmpty());

        // Broken off: the partial file is not read.
        writeFile(QStringLiteral("robotcfg.ini"), robotFile(18));
        s.window->configFilePage().awaitFetch(QDir::currentPath() + QStringLiteral("/robotcfg.ini"));
        FileJobResult broken;
        broken.job = FileJobResult::Get;
        broken.outcome = FileJobResult::RobotStopped;
        emit link.fileJobEnded(broken);
        QCOMPARE(s.ui->spinBoxInitVolume->value(), 17);
        QVERIFY(s.window->configFilePage().fetchPath().isEmpty());
        QVERIFY(s.prompt->calls.isEmpty());
    }

    // Save to robot is refused until a complete configure file has been read
    // in this run (nothing written, nothing sent). Without a link it says so
    // and changes nothing here either: the local copy is the robot's file,
    // and no backup is made of a file that was not replaced.
    void saveToRobotOffline()
    {
        auto s = start();
        s.ui->spinBoxInitVolume->setValue(44);
        s.ui->pushButtonSaveConfigFileToRobot->click();
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text, QStringLiteral("No complete configure file has been read yet. Please get the "
                                                         "robot's configure file or open one first."));
        QVERIFY(!QFile::exists(QStringLiteral("robotcfg.ini")));
        QVERIFY(!QDir(QStringLiteral("bac")).exists());

        // A file lacking the robot's own lines does not count as read.
        QByteArray partial = robotFile(30);
        partial.replace("BLN:6800,1;\r\n", "");
        writeFile(QStringLiteral("partial.ini"), partial);
        s.prompt->answers.enqueue(QStringLiteral("partial.ini"));
        s.ui->pushButtonOpenConfigFileFrom->click();
        QCOMPARE(s.ui->spinBoxInitVolume->value(), 30);
        QVERIFY(!s.window->configFilePage().completeFileRead());
        s.prompt->calls.clear();
        s.ui->pushButtonSaveConfigFileToRobot->click();
        QCOMPARE(s.prompt->calls.size(), 1);
        QVERIFY(!QFile::exists(QStringLiteral("robotcfg.ini")));

        writeFile(QStringLiteral("whole.ini"), robotFile(31));
        s.prompt->answers.enqueue(QStringLiteral("whole.ini"));
        s.ui->pushButtonOpenConfigFileFrom->click();
        QVERIFY(s.window->configFilePage().completeFileRead());
        s.ui->spinBoxInitVolume->setValue(44);
        s.prompt->calls.clear();
        s.ui->pushButtonSaveConfigFileToRobot->click();
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text,
                 QStringLiteral("The robot is not connected, so its configure file was not saved. Nothing was "
                                "changed; \"save configure file as\" keeps these settings in a file."));
        QVERIFY(!QFile::exists(QStringLiteral("robotcfg.ini")));
        QVERIFY(!QDir(QStringLiteral("bac")).exists());
    }

    // A save the robot refuses, or one whose backup cannot be written,
    // changes nothing here: the local copy stays, no backup is left; the
    // robot keeps its file.
    void refusedSaveChangesNothing()
    {
        RobotSimProcess robot({QStringLiteral("--refuse-files")});
        QVERIFY(robot.ok());
        QDir().mkpath(robot.drive(1));
        writeFile(robot.drive(1) + QStringLiteral("/robotcfg.ini"), robotFile(5));
        // The local copy, read at start, makes the save possible.
        auto s = startWindow(workDir, robot.port, {{QStringLiteral("robotcfg.ini"), robotFile(6)}});
        QCOMPARE(s.ui->spinBoxInitVolume->value(), 6);
        QVERIFY(s.window->configFilePage().completeFileRead());
        QVERIFY(connectAndGreet(s));
        s.ui->comboBoxConfigFilePath->setCurrentIndex(1);
        s.ui->spinBoxInitVolume->setValue(66);

        // A backup that cannot be written: told, and nothing is sent.
        writeFile(QStringLiteral("bac"), "not a folder");
        s.prompt->answers.enqueue(int(QMessageBox::Yes));
        s.ui->pushButtonSaveConfigFileToRobot->click();
        QCOMPARE(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::BackingUp);
        QTRY_COMPARE_WITH_TIMEOUT(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::None, 15000);
        QCOMPARE(s.prompt->calls.size(), 2);
        QCOMPARE(s.prompt->calls[1].title, QStringLiteral("error"));
        QVERIFY2(s.prompt->calls[1].text.startsWith(QStringLiteral("The backup %1/bac/robotcfg_").arg(QDir::currentPath()))
                     && s.prompt->calls[1].text.endsWith(QStringLiteral("so nothing was sent.")),
                 qPrintable(s.prompt->calls[1].text));
        QVERIFY(robot.requests(QStringLiteral("FileBegin")).isEmpty());
        QCOMPARE(readFile(QStringLiteral("robotcfg.ini")), robotFile(6));
        QVERIFY(QFile::remove(QStringLiteral("bac")));

        // Refused: said once, and nothing here has changed.
        s.prompt->calls.clear();
        s.prompt->answers.enqueue(int(QMessageBox::Yes));
        s.ui->pushButtonSaveConfigFileToRobot->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::None, 15000);
        QTest::qWait(100);
        QCOMPARE(s.prompt->calls.size(), 2);
        QCOMPARE(s.prompt->calls[1].text, QStringLiteral("The robot refused the file robotcfg.ini."));
        QCOMPARE(robot.requests(QStringLiteral("FileBegin")).size(), 1);
        QCOMPARE(readFile(QStringLiteral("robotcfg.ini")), robotFile(6));
        QVERIFY(!QDir(QStringLiteral("bac")).exists());
        QCOMPARE(readFile(robot.drive(1) + QStringLiteral("/robotcfg.ini")), robotFile(5));
        s.ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->robotLink().isRunning(), 5000);
    }

    // Save to robot stores the widgets' file in the chosen folder; get from
    // robot fills the widgets once the robot has sent its file.
    void robotRoundTrip()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        QDir().mkpath(robot.drive(0));
        writeFile(robot.drive(0) + QStringLiteral("/robotcfg.ini"), robotFile(21));
        auto s = start(robot.port);
        s.ui->pushButtonGetConfigFile->click();  // link down: nothing
        QVERIFY(s.prompt->calls.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("robotcfg.ini")));
        QVERIFY(connectAndGreet(s));

        s.ui->comboBoxConfigFilePath->setCurrentIndex(0);
        s.ui->pushButtonGetConfigFile->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->spinBoxInitVolume->value(), 21, 10000);
        checkWidgets(s, 21);
        QCOMPARE(readFile(QStringLiteral("robotcfg.ini")), robotFile(21));
        QVERIFY(robot.requests(QStringLiteral("GetFile")).last().contains(QStringLiteral("path=\"0:/robotsys/robotcfg.ini\"")));
        QTRY_COMPARE_WITH_TIMEOUT(s.window->robotLink().worker().getJob.load(), 0, 5000);

        s.ui->spinBoxInitVolume->setValue(88);
        s.ui->comboBoxConfigFilePath->setCurrentIndex(1);
        s.prompt->calls.clear();
        // Asked first; No leaves everything as it was.
        s.prompt->answers.enqueue(int(QMessageBox::No));
        s.ui->pushButtonSaveConfigFileToRobot->click();
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text,
                 QStringLiteral("Do you want to replace the robot's configure file 1:/robotsys/robotcfg.ini?"));
        QCOMPARE(readFile(QStringLiteral("robotcfg.ini")), robotFile(21));
        QVERIFY(!QDir(QStringLiteral("bac")).exists());

        s.prompt->calls.clear();
        s.prompt->answers.enqueue(int(QMessageBox::Yes));
        QSignalSpy bar(s.ui->progressBarTransFile, &QProgressBar::valueChanged);
        s.ui->pushButtonSaveConfigFileToRobot->click();
        // The robot's file is fetched for the backup first; the local copy
        // changes only once the robot's new file is verified.
        QCOMPARE(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::BackingUp);
        QTRY_COMPARE_WITH_TIMEOUT(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::Sending, 10000);
        QCOMPARE(readFile(QStringLiteral("robotcfg.ini")), robotFile(21));
        // Sent, read back and compared.
        QTRY_COMPARE_WITH_TIMEOUT(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::None, 15000);
        QTest::qWait(100);
        // The send and the read back are steps of one command: one outcome.
        QCOMPARE(s.prompt->calls.size(), 2);
        QCOMPARE(s.prompt->calls.last().kind, QStringLiteral("information"));
        QCOMPARE(s.prompt->calls.last().text,
                 QStringLiteral("The configure file 1:/robotsys/robotcfg.ini was saved and verified."));
        // Each of the three transfers (backup, send, read-back) starts its bar
        // from 0; the bar is full once the file is verified.
        QList<int> values;
        QString shown;
        for (const QList<QVariant> &v : bar) {
            values << v.first().toInt();
            shown += v.first().toString() + QLatin1Char(' ');
        }
        QVERIFY2(values.value(0) == 0 && values.lastIndexOf(0) > values.indexOf(100) && values.last() == 100,
                 qPrintable(shown));
        QCOMPARE(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::None);
        QCOMPARE(readFile(robot.drive(1) + QStringLiteral("/robotcfg.ini")), readFile(QStringLiteral("robotcfg.ini")));
        QVERIFY(robot.requests(QStringLiteral("GetFile")).last().contains(QStringLiteral("path=\"1:/robotsys/robotcfg.ini\"")));
        QVERIFY(readFile(QStringLiteral("robotcfg.ini")).contains("\r\nSV:88;\r\n#set Led1 RGB Led2 RGB Led3 RGB.\r\nLED:164,"));
        QVERIFY(readFile(QStringLiteral("robotcfg.ini")).contains("\r\nBLN:6800,1;\r\n"));
        // The robot got a whole configure file.
        QVERIFY(robot.requests().filter(QStringLiteral("incomplete configure file")).isEmpty());
        // Ending the send does not read anything back into the widgets.
        QCOMPARE(s.ui->spinBoxInitVolume->value(), 88);
        // The robot had no file there: nothing to back up.
        QVERIFY(!QDir(QStringLiteral("bac")).exists());

        // Saved again, the backup is the robot's file as it was before.
        const QByteArray before = readFile(robot.drive(1) + QStringLiteral("/robotcfg.ini"));
        s.ui->spinBoxInitVolume->setValue(89);
        s.prompt->calls.clear();
        s.prompt->answers.enqueue(int(QMessageBox::Yes));
        s.ui->pushButtonSaveConfigFileToRobot->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::None, 25000);
        QCOMPARE(s.prompt->calls.size(), 2);
        QCOMPARE(s.prompt->calls.last().kind, QStringLiteral("information"));
        const QStringList backups = QDir(QStringLiteral("bac")).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        const QDateTime stamp =
            QDateTime::fromString(backups[0], QStringLiteral("'robotcfg_'yyyy_MM_dd_hh_mm_ss'.ini'"));
        QVERIFY2(stamp.isValid(), qPrintable(backups[0]));
        QCOMPARE(readFile(QStringLiteral("bac/") + backups[0]), before);
        QVERIFY(readFile(QStringLiteral("robotcfg.ini")).contains("\r\nSV:89;\r\n"));
        QCOMPARE(readFile(robot.drive(1) + QStringLiteral("/robotcfg.ini")), readFile(QStringLiteral("robotcfg.ini")));
        s.ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->robotLink().isRunning(), 5000);
    }

    // A robot losing answers: the save stops at the first step that fails
    // (the backup fetch, the send or the read back), is told once naming the
    // file and is never reported as verified.
    void saveToRobotNotVerified()
    {
        RobotSimProcess robot({QStringLiteral("--drop-every"), QStringLiteral("4")});
        QVERIFY(robot.ok());
        auto s = start(robot.port);
        writeFile(QStringLiteral("whole.ini"), robotFile(12));
        s.prompt->answers.enqueue(QStringLiteral("whole.ini"));
        s.ui->pushButtonOpenConfigFileFrom->click();
        s.ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(s.window->robotLink().isRunning(), 5000);
        // The link opens with a keep-alive, one answer; three more make a
        // whole period of the fault, so the save's answers meet it where
        // this case means them to.
        for (int i = 0; i < 3; ++i)
            s.window->robotLink().readIo();
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("GetIo")).size() + robot.requests(QStringLiteral("KeepAlive")).size(), 4, 5000);
        QTest::qWait(100);
        s.prompt->calls.clear();
        s.prompt->answers.enqueue(int(QMessageBox::Yes));
        s.ui->comboBoxConfigFilePath->setCurrentIndex(1);
        s.ui->pushButtonSaveConfigFileToRobot->click();
        QCOMPARE(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::BackingUp);
        QTRY_COMPARE_WITH_TIMEOUT(s.window->configFilePage().saveStep(), ConfigFilePage::SaveStep::None, 30000);
        QTest::qWait(100);
        // After the question, one failure naming the file, never "verified".
        // (The send itself fails when one of its chunks goes unanswered; the
        // read-back fails when the send got through.)
        QStringList texts;
        for (const auto &call : s.prompt->calls.mid(1))
            if (call.title != QLatin1String("connect successful"))
                texts << call.title + QLatin1String(": ") + call.text;
        QVERIFY2(texts.size() == 1
                     && (texts[0].startsWith(QLatin1String("warning: "))
                         && (texts[0].contains(QLatin1String(" configure file 1:/robotsys/robotcfg.ini "))
                             || texts[0].startsWith(QLatin1String("warning: Sending robotcfg.ini failed: ")))),
                 qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY2(!texts[0].contains(QStringLiteral("saved and verified")), qPrintable(texts[0]));
        // Not verified: the local copy is not the file sent.
        QVERIFY(!QFile::exists(QStringLiteral("robotcfg.ini")));
        qInfo("%s", qPrintable(texts[0]));
        QVERIFY(robot.requests().filter(QStringLiteral("incomplete configure file")).isEmpty());
        s.ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->robotLink().isRunning(), 5000);
    }

    // The configure file read last (the local copy) supplies the joint
    // limits at start, shown as such on the setting page; the limit boxes
    // show and take degrees; an edit held at a limit is said once.
    void limitsAtStart()
    {
        {
            auto s = start();
            QCOMPARE(s.ui->labelJointLimitsSource->text(),
                     QStringLiteral("No configure file has been read: every joint keeps the default range -135.0° "
                                    "to 135.0°."));
            QVERIFY(!s.window->document().jointLimits().configRead);
        }
        configfile::Settings file = configfile::factorySettings();
        file.minimums[4] = -300;  // servo 6, left leg 1
        file.maximums[4] = 450;
        file.corrections[4] = -25;
        auto s = startWindow(workDir, QString(), {{QStringLiteral("robotcfg.ini"), configfile::content(file)}});
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        QCoreApplication::processEvents();
        QVERIFY(s.prompt->calls.isEmpty());
        const QString local = QDir::currentPath() + QStringLiteral("/robotcfg.ini");
        QCOMPARE(s.ui->labelJointLimitsSource->text(),
                 QStringLiteral("The joints are held within these min and max limits, read from %1. A servo whose "
                                "min is not below its max keeps the default range -135.0° to 135.0°.")
                     .arg(local));
        const jointlimits::Range &range = s.window->document().jointLimits().of(6);
        QVERIFY(range.fromConfig);
        QCOMPARE(range.minimum, -300);
        QCOMPARE(range.maximum, 450);
        QCOMPARE(s.ui->spinBoxServo6Min->text(), QStringLiteral("-30.0°"));
        QCOMPARE(s.ui->spinBoxServo6Max->text(), QStringLiteral("45.0°"));
        QCOMPARE(s.ui->spinBoxServo6Correction->text(), QStringLiteral("-2.5°"));

        // Typed degrees, kept in tenths.
        QWidget *page = s.ui->spinBoxServo6Max;
        while (page && s.ui->tabWidget->indexOf(page) < 0)
            page = page->parentWidget();
        QVERIFY(page);
        s.ui->tabWidget->setCurrentWidget(page);
        s.ui->spinBoxServo6Max->setFocus();
        s.ui->spinBoxServo6Max->selectAll();
        QTest::keyClicks(s.ui->spinBoxServo6Max, QStringLiteral("40"));
        QTest::keyClick(s.ui->spinBoxServo6Max, Qt::Key_Return);
        QCOMPARE(s.ui->spinBoxServo6Max->value(), 400);
        QCOMPARE(s.window->document().jointLimits().of(6).maximum, 400);
        QVERIFY(s.ui->labelJointLimitsSource->text().contains(QStringLiteral("read from %1 and changed here.").arg(local)));
        s.prompt->answers << QDir::current().filePath(QStringLiteral("saved.ini"));
        s.ui->pushButtonSaveConfigFileAs->click();
        QVERIFY(readFile(QStringLiteral("saved.ini")).contains("\r\nRBU:0,0,0,0,400,0,"));

        // An edit past the limit is held there, and said once.
        s.ui->actionOrigin_frame->trigger();
        QSignalSpy messages(&s.window->jointPanel(), &JointPanel::jointHeld);
        s.ui->spinBoxAngleLleg1->setValue(500);
        QCOMPARE(s.ui->spinBoxAngleLleg1->value(), 400);
        QCOMPARE(s.window->document().cell(0, 4), 400);
        QCOMPARE(s.ui->statusBar->currentMessage(), QStringLiteral("left leg 1 held at 40.0°, its limit"));
        s.ui->spinBoxAngleLleg1->setValue(410);
        QCOMPARE(s.ui->spinBoxAngleLleg1->value(), 400);
        QCOMPARE(messages.count(), 1);
        // Moved off and pushed again: said again; the other end too.
        s.ui->spinBoxAngleLleg1->setValue(100);
        s.ui->spinBoxAngleLleg1->setValue(450);
        QCOMPARE(messages.count(), 2);
        s.ui->spinBoxAngleLleg1->setValue(-400);
        QCOMPARE(s.ui->statusBar->currentMessage(), QStringLiteral("left leg 1 held at -30.0°, its limit"));
        QCOMPARE(messages.count(), 3);
    }

    // The virtual robot starts with a whole factory configure file on its
    // flash drive, written by the program's own writer; a file sent to it that
    // is not whole is logged.
    void virtualRobotConfigureFile()
    {
        RobotSimProcess robot({}, true);
        QVERIFY(robot.ok());
        const QByteArray stored = readFile(robot.drive(1) + QStringLiteral("/robotcfg.ini"));
        QVERIFY(configfile::isComplete(stored));
        QByteArray expected;
        {
            QTextStream out(&expected, QIODevice::WriteOnly);
            configfile::write(out, configfile::factorySettings());
        }
        QCOMPARE(stored, expected);

        // Read from the robot, the factory file makes save to robot possible.
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        s.ui->comboBoxConfigFilePath->setCurrentIndex(1);
        s.ui->pushButtonGetConfigFile->click();
        QTRY_VERIFY_WITH_TIMEOUT(s.window->configFilePage().completeFileRead(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(s.window->robotLink().worker().getJob.load(), 0, 5000);

        // A cut file sent as robotcfg.ini (as the file browser would) is logged.
        writeFile(QStringLiteral("robotcfg.ini"), stored.left(stored.size() / 2));
        QVERIFY(s.window->robotLink().setRobotPath(RobotLink::PathBlock::Send, 1, QStringLiteral("robotcfg.ini")));
        s.window->fileBrowser().startFileSend(QDir::currentPath() + QStringLiteral("/robotcfg.ini"),
                                              QStringLiteral("robotcfg.ini"));
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests().filter(QStringLiteral("incomplete configure file")).size(), 1, 10000);
        s.ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->robotLink().isRunning(), 5000);
    }
};

QTEST_MAIN(TestConfigWindow)
#include "tst_configwindow.moc"
