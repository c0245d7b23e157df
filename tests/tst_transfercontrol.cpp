// Transfers in the window against the virtual robot on a Bluetooth line
// (9600 baud): fetches that arrive whole, the configure file taken only when
// complete, and every way of stopping a running transfer: its cancel button,
// disconnecting, the watchdog and closing the window.

#include <QtTest>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "files/filebrowser.h"
#include "link/robotlink.h"
#include "link/serialportthread.h"
#include "robot/configfile.h"
#include "support/testfiles.h"
#include "support/quietrobot.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace packet;

using namespace testfiles;

class TestTransferControl : public QObject
{
    Q_OBJECT

    QString startDir;
    std::unique_ptr<QTemporaryDir> workDir;


    // A window connected over the Bluetooth bridge to a robot pacing its line at 9600 baud.
    StartedWindow bluetoothWindow(const RobotSimProcess &robot)
    {
        StartedWindow s = startWindow(workDir, robot.port);
        s.ui->checkBoxBle->click();
        return s;
    }

    // Sends 100,000 random bytes (from seed) as big.bin through the file browser.
    void sendBigFile(StartedWindow &s, quint32 seed)
    {
        const QString local = QDir::currentPath() + QStringLiteral("/big.bin");
        writeFile(local, randomBytes(100000, seed));
        send(s, local);
    }

    static QPushButton *cancelButton(const StartedWindow &s, const char *name = "pushButtonCancelTransFile")
    {
        return s.window->findChild<QPushButton *>(QLatin1String(name));
    }

    // Starts fetching name from drive 0 into local through the file browser.
    static void fetch(StartedWindow &s, const QString &name, const QString &local)
    {
        s.ui->listWidgetFileList->clear();
        s.ui->listWidgetFileList->addItem(name);
        s.ui->listWidgetFileList->setCurrentRow(0);
        s.prompt->answers << local;
        s.window->fileBrowser().getCurrentFile();
    }

    static void send(StartedWindow &s, const QString &local)
    {
        s.prompt->answers << local;
        s.ui->pushButtonSendFile->click();
    }

    // A complete configure file with the given volume, as the robot keeps it.
    static QByteArray configFile(int volume)
    {
        configfile::Settings c;
        c.volume = volume;
        c.irKeyLine = QStringLiteral("IRK:1,0,1;");
        c.factoryOriginLine = QStringLiteral("RFO:0,0,0;");
        c.factoryDownLine = QStringLiteral("FDL:-1500;");
        c.factoryUpLine = QStringLiteral("FUL:1500;");
        c.timeSpeedLine = QStringLiteral("TSA:1,2,3;");
        c.remoteAutoLine = QStringLiteral("RAF:5,6;");
        c.fallDetectLine = QStringLiteral("FDT:7,8;");
        c.batteryLine = QStringLiteral("BLN:6800,1;");
        QByteArray data;
        QTextStream out(&data, QIODevice::WriteOnly);
        configfile::write(out, c);
        out.flush();
        return data;
    }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase()
    {
        QDir::setCurrent(startDir);
        workDir.reset();
    }

    // A 300-byte file over Bluetooth arrives whole (its first chunk was once
    // taken for an acknowledgement), fetched twice and compared, and the one
    // outcome is the information box.
    void bluetoothFetch()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(robot.ok());
        const QByteArray content = randomBytes(300, 1);
        writeFile(robot.drive(0) + QStringLiteral("/walk.ini"), content);
        auto s = bluetoothWindow(robot);
        QVERIFY(connectAndGreet(s));
        const QString local = QDir::currentPath() + QStringLiteral("/walk.ini");
        fetch(s, QStringLiteral("walk.ini"), local);
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 2, 15000);
        QCOMPARE(s.prompt->calls[1].kind, QStringLiteral("information"));
        QCOMPARE(s.prompt->calls[1].text, QStringLiteral("Trans file finished. Checked: 3 copies of walk.ini (300 bytes) fetched one after the other were identical and no frame arrived damaged."));
        QCOMPARE(readFile(local), content);
        QCOMPARE(robot.requests(QStringLiteral("GetFile")).size(), 3);  // fetched three times, compared
    }

    // The configure file over Bluetooth: a complete one fills the settings; a
    // cut one is refused, and neither the settings nor the local copy change.
    void bluetoothConfigureFile()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(robot.ok());
        writeFile(robot.drive(0) + QStringLiteral("/robotcfg.ini"), configFile(21));
        auto s = bluetoothWindow(robot);
        QVERIFY(connectAndGreet(s));
        s.ui->comboBoxConfigFilePath->setCurrentIndex(0);
        s.ui->pushButtonGetConfigFile->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->spinBoxInitVolume->value(), 21, 15000);
        QCOMPARE(readFile(QStringLiteral("robotcfg.ini")), configFile(21));
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->robotLink().jobRunning(), 5000);

        writeFile(robot.drive(0) + QStringLiteral("/robotcfg.ini"), configFile(35).left(216));
        s.prompt->calls.clear();
        s.ui->pushButtonGetConfigFile->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 1, 15000);
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text,
                 QStringLiteral("Fetching robotcfg.ini failed: the received file is not a complete configure file "
                                "(\"#remote auto power off time(S).\" is missing). The local file was not changed."));
        QCOMPARE(s.ui->spinBoxInitVolume->value(), 21);
        QCOMPARE(readFile(QStringLiteral("robotcfg.ini")), configFile(21));
    }

    // The cancel button stops a fetch within half a second; the local file
    // stays as it was. Then a send: the robot's file is still closed.
    void cancel()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(robot.ok());
        writeFile(robot.drive(0) + QStringLiteral("/big.bin"), randomBytes(100000, 2));
        auto s = bluetoothWindow(robot);
        QVERIFY(connectAndGreet(s));
        QVERIFY(!cancelButton(s)->isEnabled());
        const QString local = QDir::currentPath() + QStringLiteral("/big.bin");
        writeFile(local, "old");
        fetch(s, QStringLiteral("big.bin"), local);
        QVERIFY(cancelButton(s)->isEnabled());
        QVERIFY(cancelButton(s, "pushButtonCancelTransFileList")->isEnabled());
        // The robot has been asked and sends the file.
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("GetFile")).size(), 1, 5000);
        QElapsedTimer clock;
        clock.start();
        cancelButton(s)->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 2, 2000);
        QVERIFY2(clock.elapsed() <= 500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(s.prompt->calls[1].text, QStringLiteral("Fetching big.bin was cancelled. The local file was not changed."));
        QCOMPARE(readFile(local), QByteArray("old"));
        QVERIFY(!cancelButton(s)->isEnabled());
        // The robot goes on sending the rest of that file: no new transfer
        // starts meanwhile, so none takes that data for its own.
        QVERIFY(s.window->robotLink().jobRunning());
        fetch(s, QStringLiteral("big.bin"), local);
        QCOMPARE(s.prompt->calls.size(), 4);
        QCOMPARE(s.prompt->calls[3].text, QStringLiteral("A file transfer is running. Please wait until it has finished."));
        QCOMPARE(robot.requests(QStringLiteral("GetFile")).size(), 1);
    }

    // Once the rest of a cancelled fetch has come and gone, the file fetched
    // again arrives whole.
    void cancelThenFetchAgain()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(robot.ok());
        const QByteArray content = randomBytes(1000, 8);
        writeFile(robot.drive(0) + QStringLiteral("/mid.bin"), content);
        auto s = bluetoothWindow(robot);
        QVERIFY(connectAndGreet(s));
        const QString local = QDir::currentPath() + QStringLiteral("/mid.bin");
        fetch(s, QStringLiteral("mid.bin"), local);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("GetFile")).size(), 1, 5000);
        cancelButton(s)->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 2, 2000);
        // Still dropping the rest, which ends with its TransferEnd (the line
        // carries it within two seconds): no silence limit is waited out.
        QVERIFY(s.window->robotLink().jobRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->robotLink().jobRunning(), 3000);
        s.prompt->calls.clear();
        fetch(s, QStringLiteral("mid.bin"), local);
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 2, 15000);
        QCOMPARE(s.prompt->calls[1].text, QStringLiteral("Trans file finished. Checked: 3 copies of mid.bin (1000 bytes) fetched one after the other were identical and no frame arrived damaged."));
        QCOMPARE(readFile(local), content);
    }

    // A cancelled send closes the robot's file, which is now cut under the
    // file's name: the one message says so, with the bytes the robot
    // acknowledged, and offers to delete it; No keeps it, Yes deletes it and
    // lists the folder again.
    void cancelSend_data()
    {
        QTest::addColumn<bool>("deleteIt");
        QTest::newRow("keep the cut file") << false;
        QTest::newRow("delete the cut file") << true;
    }
    void cancelSend()
    {
        QFETCH(bool, deleteIt);
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(robot.ok());
        // The robot's earlier copy of the file.
        writeFile(robot.drive(0) + QStringLiteral("/big.bin"), "the robot's earlier copy");
        auto s = bluetoothWindow(robot);
        QVERIFY(connectAndGreet(s));
        sendBigFile(s, 3);
        QTRY_VERIFY_WITH_TIMEOUT(robot.requests(QStringLiteral("FileData")).size() >= 10, 10000);
        s.prompt->answers << int(deleteIt ? QMessageBox::Yes : QMessageBox::No);
        const int lists = robot.requests(QStringLiteral("ListFolder")).size();
        QElapsedTimer clock;
        clock.start();
        cancelButton(s, "pushButtonCancelTransFileList")->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 2, 2000);
        QVERIFY2(clock.elapsed() <= 500, qPrintable(QString::number(clock.elapsed())));
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^Sending big\\.bin was cancelled at (\\d+) of 100000 bytes\\. The robot's copy "
                                              "of big\\.bin is now incomplete: it acknowledged \\1 of 100000 bytes\\.\n\n"
                                              "Delete the incomplete file big\\.bin on the robot\\?$"))
                .match(s.prompt->calls[1].text);
        QVERIFY2(m.hasMatch(), qPrintable(s.prompt->calls[1].text));
        QCOMPARE(s.prompt->calls[1].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[1].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(s.ui->progressBarTransFile->value(), 0);
        QCOMPARE(s.ui->progressBarTransFileList->value(), 0);
        // The robot's file was closed: it holds at least what it acknowledged, not the whole file.
        QTRY_VERIFY_WITH_TIMEOUT(!robot.requests(QStringLiteral("TransferDone")).isEmpty(), 5000);
        QVERIFY(!robot.requests(QStringLiteral("FileEnd")).isEmpty());
        const QString robotFile = robot.drive(0) + QStringLiteral("/big.bin");
        if (!deleteIt) {
            // Nothing but the link's keep-alive follows the transfer's end
            // (once the link has written all it was asked to and the robot
            // has handled it).
            QTRY_VERIFY_WITH_TIMEOUT(s.window->robotLink().pendingRequests() == 0 && QuietRobot::answeredAll(robot), 5000);
            QStringList after = robot.requests();
            after.erase(std::remove_if(after.begin(), after.end(),
                                       [](const QString &r) { return r.startsWith(QLatin1String("KeepAlive")); }),
                        after.end());
            QVERIFY2(after.last().startsWith(QStringLiteral("TransferDone")), qPrintable(after.last()));
            QVERIFY(robot.requests(QStringLiteral("DeleteFile")).isEmpty());
            const qint64 kept = QFileInfo(robotFile).size();
            QVERIFY2(kept >= m.captured(1).toInt() && kept < 100000, qPrintable(QString::number(kept)));
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("ListFolder")).size(), lists + 1, 5000);
        QCOMPARE(robot.requests(QStringLiteral("DeleteFile")).size(), 1);
        QVERIFY(robot.requests(QStringLiteral("DeleteFile")).first().endsWith(
            QStringLiteral("path=\"0:/robotsys/big.bin\" deleted")));
        QVERIFY(!QFile::exists(robotFile));
        const QStringList order = robot.requests();
        QVERIFY(order.lastIndexOf(QRegularExpression(QStringLiteral("^ListFolder.*")))
                > order.indexOf(QRegularExpression(QStringLiteral("^DeleteFile.*"))));
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->listWidgetFileList->count(), 0, 3000);
        QCOMPARE(s.prompt->calls.size(), 2);
    }

    // Disconnecting stops a running job within half a second.
    void disconnect()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(robot.ok());
        writeFile(robot.drive(0) + QStringLiteral("/big.bin"), randomBytes(100000, 4));
        auto s = bluetoothWindow(robot);
        QVERIFY(connectAndGreet(s));
        const QString local = QDir::currentPath() + QStringLiteral("/big.bin");
        fetch(s, QStringLiteral("big.bin"), local);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("GetFile")).size(), 1, 5000);
        QElapsedTimer clock;
        clock.start();
        s.ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->robotLink().isRunning(), 2000);
        QVERIFY2(clock.elapsed() <= 500, qPrintable(QString::number(clock.elapsed())));
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 2, 2000);
        QCOMPARE(s.prompt->calls[1].text,
                 QStringLiteral("Fetching big.bin stopped because the link was closed. The local file was not changed."));
        QVERIFY(!QFile::exists(local));
    }

    // The watchdog (a robot silent for 10 s, as if it were) stops a send.
    void watchdog()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(robot.ok());
        auto s = bluetoothWindow(robot);
        QVERIFY(connectAndGreet(s));
        sendBigFile(s, 5);
        QTRY_VERIFY_WITH_TIMEOUT(!robot.requests(QStringLiteral("FileData")).isEmpty(), 5000);
        RobotLink &link = s.window->robotLink();
        QVERIFY(link.jobRunning());
        QElapsedTimer clock;
        clock.start();
        link.setSilenceMs(10001);
        link.watchdogTick(false);
        QTRY_VERIFY_WITH_TIMEOUT(!link.isRunning(), 2000);
        QVERIFY2(clock.elapsed() <= 500, qPrintable(QString::number(clock.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(s.prompt->calls.size() >= 3, 2000);
        QCOMPARE(countTitled(s.prompt, QStringLiteral("the connection broken")), 1);
        QVERIFY2(s.prompt->calls.last().text.startsWith(QStringLiteral("Sending big.bin stopped at ")),
                 qPrintable(s.prompt->calls.last().text));
    }

    // Closing the window during a transfer ends it within a second.
    void closeDuringTransfer()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(robot.ok());
        auto s = bluetoothWindow(robot);
        QVERIFY(connectAndGreet(s));
        sendBigFile(s, 6);
        QTRY_VERIFY_WITH_TIMEOUT(robot.requests(QStringLiteral("FileData")).size() >= 5, 10000);
        QElapsedTimer clock;
        clock.start();
        s.window->close();
        s.window.reset();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(TestTransferControl)
#include "tst_transfercontrol.moc"
