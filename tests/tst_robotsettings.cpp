// The robot settings of the window: the origin frame file at start-up and
// "save origin", automatic calibration against the virtual robot, the LED page
// (frame cells with undo, "set led"), "set io" and "get io", the remote key
// functions in the configure file, and gaitforge-cli config over the same
// reader and writer.

#include <QtTest>
#include <QComboBox>
#include <QProcess>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "robot/calibrationpanel.h"
#include "robot/configfile.h"
#include "robot/configfilepage.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

#include "support/testfiles.h"

#include <csignal>
#include <sys/resource.h>

using namespace packet;
using testfiles::readFile;
using testfiles::writeFile;

namespace {

QByteArray originLine(const QList<int> &values)
{
    QByteArrayList texts;
    for (int v : values)
        texts << QByteArray::number(v);
    return "OF:" + texts.join(',') + ";";
}

QList<int> nineteen(int first, int rest)
{
    QList<int> values{first};
    for (int i = 1; i < 19; ++i)
        values << rest;
    return values;
}

QByteArray originFile(const QList<int> &values)
{
    return "#This is a robot origin frame file.\r\n#The origin frame.\r\n" + originLine(values) + "\r\n";
}

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun cli(const QStringList &args)
{
    QProcess process;
    process.start(QString::fromLocal8Bit(qgetenv("GAITFORGE_CLI")), args);
    process.waitForFinished(10000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

class TestRobotSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> workDir;

    // A window started in a fresh folder that already holds files.
    StartedWindow startWith(const FolderFiles &files, const QString &port = QString())
    {
        StartedWindow s = startWindow(workDir, port, files);
        QCoreApplication::processEvents();  // a start-up box shows once the event loop runs
        return s;
    }

    static QList<int> origin(const StartedWindow &s)
    {
        const MotionDocument::Angles &a = s.window->document().originAngles();
        return QList<int>(a.begin(), a.end());
    }

private slots:
    // The origin frame file at start-up: made when missing; a line without
    // ";" is passed over silently; a wrong count tells and rewrites zeros; a
    // later line overrides; values are kept within +-3000. The origin feeds
    // the origin button; save origin keeps the old file when it cannot write.
    void originFrameFile()
    {
        const QString path = QStringLiteral(".robot/originFrame");
        {
            auto s = startWith({});
            QVERIFY(s.prompt->calls.isEmpty());
            QCOMPARE(readFile(path), originFile(nineteen(0, 0)));
        }
        {
            const QByteArray noEnd = "#c\r\n" + originLine(nineteen(5, 5)).chopped(1) + "\r\n";
            auto s = startWith({{path, noEnd}});
            QVERIFY(s.prompt->calls.isEmpty());
            QCOMPARE(origin(s), nineteen(0, 0));
            QCOMPARE(readFile(path), noEnd);
        }
        {
            // A wrong count after a good line: the good values stay, the
            // damaged file is kept beside before the file is written anew.
            const QByteArray damaged = originFile(nineteen(7, 7)) + originLine(QList<int>{1, 2}) + "\r\n";
            auto s = startWith({{path, damaged}});
            QCOMPARE(s.prompt->calls.size(), 1);
            QCOMPARE(s.prompt->calls[0].title, QStringLiteral("error"));
            const QString dir = QDir::currentPath();
            QCOMPARE(s.prompt->calls[0].text,
                     QStringLiteral("Error while open origin file.\nLine 4 of %1/.robot/originFrame does not hold 19 "
                                    "values. The origin keeps the values of line 3. The file was written anew with "
                                    "them; the damaged file is kept as %1/.robot/originFrame.bad.")
                         .arg(dir));
            QCOMPARE(origin(s), nineteen(7, 7));
            QCOMPARE(s.ui->spinBoxServo2Origin->value(), 7);
            QCOMPARE(readFile(path), originFile(nineteen(7, 7)));
            QCOMPARE(readFile(path + QStringLiteral(".bad")), damaged);
        }
        {
            // No good line before the damage: zeros, and still kept beside.
            const QByteArray damaged = "#c\r\n" + originLine(QList<int>{1, 2}) + "\r\n" + originLine(nineteen(3, 3));
            auto s = startWith({{path, damaged}});
            QCOMPARE(s.prompt->calls.size(), 1);
            QVERIFY2(s.prompt->calls[0].text.contains(QStringLiteral(" The origin is all zeros. ")),
                     qPrintable(s.prompt->calls[0].text));
            QCOMPARE(origin(s), nineteen(0, 0));
            QCOMPARE(readFile(path), originFile(nineteen(0, 0)));
            QCOMPARE(readFile(path + QStringLiteral(".bad")), damaged);
        }
        {
            // A file that cannot be read is told and never written over.
            auto s = startWith({{path + QStringLiteral("/inside"), "x"}});
            QCOMPARE(s.prompt->calls.size(), 1);
            QVERIFY2(s.prompt->calls[0].text.startsWith(QStringLiteral("The origin frame file %1/.robot/originFrame "
                                                                       "cannot be read (")
                                                            .arg(QDir::currentPath())),
                     qPrintable(s.prompt->calls[0].text));
            QCOMPARE(origin(s), nineteen(0, 0));
            QCOMPARE(readFile(path + QStringLiteral("/inside")), QByteArray("x"));
        }
        {
            auto s = startWith({{path, originFile(nineteen(9, 1)) + originLine(nineteen(5000, -3500)) + "\r\n"}});
            QVERIFY(s.prompt->calls.isEmpty());
            QCOMPARE(origin(s), nineteen(3000, -3000));
            QCOMPARE(s.ui->spinBoxServo20Origin->value(), -3000);

            // The origin button poses the panel in the origin, each joint held
            // to its range (no configure file read: the default -1350..1350).
            s.ui->spinBoxServo3Origin->setValue(120);
            s.ui->pushButtonOrigin->click();
            QCOMPARE(s.ui->spinBoxAngleHead->value(), 1350);
            QCOMPARE(s.ui->spinBoxAngleLhand1->value(), 120);

            s.ui->pushButtonSaveOrigin->click();
            QVERIFY(s.prompt->calls.isEmpty());
            QList<int> saved = nineteen(3000, -3000);
            saved[1] = 120;
            QCOMPARE(readFile(path), originFile(saved));

            // A full disk (no file may grow past 40 bytes): told, and the old file stays.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit normal{};
            getrlimit(RLIMIT_FSIZE, &normal);
            rlimit full = normal;
            full.rlim_cur = 40;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &full) == 0);
            s.ui->spinBoxServo3Origin->setValue(0);
            s.ui->pushButtonSaveOrigin->click();
            setrlimit(RLIMIT_FSIZE, &normal);
            QCOMPARE(s.prompt->calls.size(), 1);
            QVERIFY(s.prompt->calls[0].text.startsWith(QStringLiteral("The origin frame file ")));
            QCOMPARE(readFile(path), originFile(saved));

            // A new file, the origin frame command and the origin button give
            // the same pose: the origin, each joint held to its range (and
            // the status bar says which were held).
            s.ui->actionNew_file->trigger();
            s.ui->actionOrigin_frame->trigger();
            QCOMPARE(s.window->document().rowCount(), 2);
            QCOMPARE(s.window->document().cell(0, 0), 1350);
            QCOMPARE(s.window->document().cell(1, 0), 1350);
            QCOMPARE(s.window->document().cell(1, 1), 0);  // servo 3's origin, as the box holds it
            QCOMPARE(s.window->document().cell(1, 18), -1350);
            QVERIFY2(s.ui->statusBar->currentMessage().startsWith(QStringLiteral("head held at 135.0°, its limit; ")),
                     qPrintable(s.ui->statusBar->currentMessage()));
            s.ui->spinBoxAngleHead->setValue(100);
            s.ui->spinBoxAngleLleg3->setValue(-200);
            QCOMPARE(s.window->document().cell(1, 0), 100);
            s.ui->pushButtonOrigin->click();
            for (int column = 0; column < 19; ++column)
                QCOMPARE(s.window->document().cell(1, column), s.window->document().cell(0, column));
            QCOMPARE(s.ui->spinBoxAngleLleg3->value(), -1350);
        }
    }

    // Calibration reads servos 2..18 into the correction boxes; a servo at
    // position 0 and a servo that does not answer keep their corrections, and
    // the report names them; nothing happens while disconnected.
    void calibration()
    {
        RobotSimProcess robot({QStringLiteral("--absent-servos"), QStringLiteral("9")});
        QVERIFY(robot.ok());
        auto s = startWith({}, robot.port);
        CalibrationPanel &panel = s.window->calibrationPanel();
        s.ui->spinBoxServo5Correction->setValue(77);
        s.ui->spinBoxServo9Correction->setValue(-8);
        s.ui->spinBoxServo19Correction->setValue(19);

        s.ui->autoCalibration->click();
        QVERIFY(!panel.calibrating());
        QVERIFY(s.ui->textBrowser->toPlainText().isEmpty());

        QVERIFY(connectAndGreet(s));
        // Servo 5 stands at 0 (every other servo off zero).
        std::array<int, kPoseServos> pose{15, -450, 120, 0, 20, 300, -600, 300, -20, 450, -120, 35, -20,
                                          -300, 600, -300, 20, 100, -100};
        QVERIFY(s.window->robotLink().movePose(pose));
        const int headAngle = s.ui->spinBoxAngleHead->value();

        s.ui->autoCalibration->click();
        QVERIFY(panel.calibrating());
        QTRY_VERIFY_WITH_TIMEOUT(!panel.calibrating(), 5000);
        const QVector<QSpinBox *> boxes = s.window->configFilePage().correctionBoxes();
        for (int servo = 2; servo <= 18; ++servo) {
            const int expected = servo == 5 ? 77 : servo == 9 ? -8 : pose[size_t(servo - 2)];
            QCOMPARE(boxes[servo - 2]->value(), expected);
        }
        QCOMPARE(s.ui->spinBoxServo19Correction->value(), 19);
        QCOMPARE(s.ui->spinBoxAngleHead->value(), headAngle);
        const QString report = QStringLiteral(
            "Calibration: 16 of 17 servos answered. No answer from servo 9: kept the old correction. Servo 5 "
            "reported position 0, which is never taken: kept the old correction.");
        QCOMPARE(panel.lastReport(), report);
        QCOMPARE(s.ui->statusBar->currentMessage(), report);
        QVERIFY(s.ui->textBrowser->toPlainText().contains(report));
        QCOMPARE(robot.requests(QStringLiteral("Write WorkingMode to=0x03e8")).size(), 1);
        QCOMPARE(robot.requests(QStringLiteral("Read Position")).size(), 17);

        // Positions read later go to the joint panel again.
        s.ui->actionRead_all_joint_position_data->trigger();
        s.ui->actionRead_all_joint_position_data->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->spinBoxAngleHead->value(), 15, 5000);
        QCOMPARE(s.ui->spinBoxServo2Correction->value(), 15);
    }

    // A brightness slider rests on a multiple of 10 and writes its tenth into
    // the current frame, undone by undo; set led, set io and get io reach the
    // robot with the right bytes, and nothing is sent while disconnected.
    void ledsAndIo()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = startWith({}, robot.port);
        MotionDocument &document = s.window->document();
        s.ui->horizontalSliderLed1RBrightness->setValue(100);
        s.ui->comboBoxLed1RFrequency->setCurrentIndex(4);  // no frame: only the widgets change
        s.ui->pushButtonSetLed->click();
        s.ui->pushButtonMainboardSetIo->click();
        s.ui->pushButtonMainboardGetIo->click();
        QVERIFY(s.ui->textBrowser->toPlainText().isEmpty());

        s.ui->actionNew_file->trigger();
        QCOMPARE(document.rowCount(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(document.editSettleCountdown() < 0, 3000);
        const int snapshots = document.undoHistory().size();
        const int column = frametable::ledBrightnessColumn(4);
        QCOMPARE(document.cell(0, column), 0);
        s.ui->horizontalSliderLed2GBrightness->setValue(57);
        QCOMPARE(s.ui->horizontalSliderLed2GBrightness->value(), 50);
        QCOMPARE(document.cell(0, column), 5);
        s.ui->comboBoxLed2GFrequency->setCurrentIndex(2);
        QCOMPARE(document.cell(0, column + 1), 2);
        QTRY_COMPARE_WITH_TIMEOUT(document.undoHistory().size(), snapshots + 1, 3000);
        s.ui->actionUndo->trigger();
        QCOMPARE(document.cell(0, column), 0);
        QCOMPARE(document.cell(0, column + 1), 0);

        QVERIFY(connectAndGreet(s));
        s.ui->pushButtonSetLed->click();
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("SetLeds")).size(), 1, 5000);
        QVERIFY2(robot.requests(QStringLiteral("SetLeds")).first().contains(QStringLiteral(" leds=a4,")),
                 qPrintable(robot.requests(QStringLiteral("SetLeds")).first()));

        s.ui->comboBoxMainboardIo1Dir->setCurrentIndex(1);
        s.ui->comboBoxMainboardIo2Dir->setCurrentIndex(0);
        s.ui->comboBoxMainboardIo1Value->setCurrentIndex(1);
        s.ui->comboBoxMainboardIo2Value->setCurrentIndex(1);
        s.ui->pushButtonMainboardSetIo->click();
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("SetIo")).size(), 1, 5000);
        QVERIFY(robot.requests(QStringLiteral("SetIo")).first().endsWith(QStringLiteral("directions=2 values=3")));

        // The robot's levels: IO 1 high, IO 2 low.
        s.ui->comboBoxMainboardIo2Value->setCurrentIndex(0);
        s.ui->pushButtonMainboardSetIo->click();
        s.ui->comboBoxMainboardIo1Value->setCurrentIndex(0);
        s.ui->pushButtonMainboardGetIo->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->comboBoxMainboardIo1Value->currentIndex(), 1, 5000);
        QCOMPARE(s.ui->comboBoxMainboardIo2Value->currentIndex(), 0);
        QCOMPARE(s.ui->comboBoxMainboardIo1Dir->currentIndex(), 1);
    }

    // A key function box sets its key map entry, written into "RFK:"; the
    // entries without a box keep what the last file gave; saved to the robot
    // and fetched back, the choice is kept.
    void keyFunctions()
    {
        RobotSimProcess robot({}, true);
        QVERIFY(robot.ok());
        auto s = startWith({}, robot.port);
        configfile::Settings file = configfile::factorySettings();
        file.keyMap[12] = 1;
        file.keyMap[20] = 1;
        file.keyMap[13] = 1;
        writeFile(QStringLiteral("keys.ini"), configfile::content(file));
        s.prompt->answers << QDir::current().filePath(QStringLiteral("keys.ini"));
        s.ui->pushButtonOpenConfigFileFrom->click();
        QCOMPARE(s.ui->comboBoxRAMKeyFun->currentIndex(), 1);
        QCOMPARE(s.ui->comboBoxAKeyFun->currentIndex(), 0);

        s.ui->comboBoxAKeyFun->setCurrentIndex(1);
        s.ui->comboBoxRAMKeyFun->setCurrentIndex(0);
        s.prompt->answers << QDir::current().filePath(QStringLiteral("out.ini"));
        s.ui->pushButtonSaveConfigFileAs->click();
        QByteArray rfk;
        for (const QByteArray &line : readFile(QStringLiteral("out.ini")).split('\n'))
            if (line.startsWith("RFK:"))
                rfk = line.trimmed();
        QByteArrayList values = rfk.mid(4).chopped(1).split(',');
        QCOMPARE(values.size(), 35);
        QCOMPARE(values[3], QByteArray("1"));
        QCOMPARE(values[12], QByteArray("1"));
        QCOMPARE(values[13], QByteArray("0"));
        QCOMPARE(values[20], QByteArray("1"));

        QVERIFY(connectAndGreet(s));
        s.ui->comboBoxConfigFilePath->setCurrentIndex(1);
        s.prompt->answers.enqueue(int(QMessageBox::Yes));
        s.ui->pushButtonSaveConfigFileToRobot->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 2, 15000);
        QCOMPARE(s.prompt->calls.last().text,
                 QStringLiteral("The configure file 1:/robotsys/robotcfg.ini was saved and verified."));
        s.ui->comboBoxAKeyFun->setCurrentIndex(0);
        s.ui->pushButtonGetConfigFile->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->comboBoxAKeyFun->currentIndex(), 1, 10000);
        QCOMPARE(s.window->configFilePage().settingsFromWidgets().keyMap[20], 1);
    }

    // gaitforge-cli config: ok, incomplete (a warning) and broken files, and
    // normalize writing what open from and save as write, byte for byte.
    void configCli()
    {
        configfile::Settings full = configfile::factorySettings();
        full.volume = 150;                        // beyond the box: 100
        full.leds[0] = 0xff;                      // brightness 10, "random"
        full.remoteChannel = 300 + 127;           // hopping, channel 125
        full.boardMode = 3 * 256 + 2;             // bandwidth "2 M"
        full.baudPc = 12345;                      // not in the list: "1500000"
        full.corrections[4] = -4000;
        full.backToOrigin = {7, 40000, 12, 9};
        // Comments and the end mark dropped, two lines swapped: rewriting
        // keeps every line the file holds.
        QByteArray moved = configfile::content(full);
        moved.replace("#This is a robot configure file.\r\n", "").replace("END:;\r\n", "");
        moved.replace("UES:0;\r\n", "").replace("UFC:0;\r\n", "UFC:0;\r\nUES:0;\r\n");
        // An empty line after the key map: every reader stops there.
        const QByteArray blank = QByteArray(configfile::content(full)).replace("#IR key map", "\r\n#IR key map");
        const QList<QPair<QString, QByteArray>> files = {
            {QStringLiteral("full.ini"), configfile::content(full)},
            {QStringLiteral("part.ini"), "SV:5;\r\nSP:77;\r\n"},
            {QStringLiteral("bad.ini"), "#c\r\nSV:5;\r\nLED:1,2;\r\n"},
            {QStringLiteral("none.ini"), "hello\r\n"},
            {QStringLiteral("moved.ini"), moved},
            {QStringLiteral("blank.ini"), blank}};
        // A freshly started program in a folder with the files.
        auto s = startWith(files);

        CliRun run = cli({QStringLiteral("config"), QStringLiteral("check"), QStringLiteral("full.ini"),
                          QStringLiteral("part.ini")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("full.ini: ok\npart.ini: warning: incomplete configure file: the robot's "
                                         "own lines \"IRK:\", \"RFO:\", \"FDL:\", \"FUL:\", \"TSA:\", \"RAF:\", "
                                         "\"FDT:\", \"BLN:\" are missing; written back and sent to the robot, the "
                                         "robot would lose them\npart.ini: ok\n"));
        // No warning about what rewriting keeps.
        run = cli({QStringLiteral("config"), QStringLiteral("check"), QStringLiteral("moved.ini")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("moved.ini: ok\n"));
        // Lines rewriting would drop fail the check, the first of them named;
        // normalize refuses such a file and writes nothing.
        run = cli({QStringLiteral("config"), QStringLiteral("check"), QStringLiteral("blank.ini"),
                   QStringLiteral("full.ini")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QStringLiteral("blank.ini: normalizing would drop line 30 \"%1\" and 9 more lines: every "
                                         "reader stops at the empty line 28\nfull.ini: ok\n")
                              .arg(full.irKeyLine));
        QCOMPARE(cli({QStringLiteral("config"), QStringLiteral("normalize"), QStringLiteral("blank.ini"),
                      QStringLiteral("blank.ini")}).status, 1);
        QCOMPARE(readFile(QStringLiteral("blank.ini")), blank);
        run = cli({QStringLiteral("config"), QStringLiteral("check"), QStringLiteral("bad.ini"),
                   QStringLiteral("none.ini"), QStringLiteral("missing.ini"), QStringLiteral("full.ini")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QStringLiteral("bad.ini: Error in line:3\nnone.ini: not a robot configure file\n"
                                         "missing.ini: no such file\nfull.ini: ok\n"));
        QCOMPARE(cli({QStringLiteral("config"), QStringLiteral("normalize"), QStringLiteral("full.ini")}).status, 2);
        QCOMPARE(cli({QStringLiteral("config"), QStringLiteral("normalize"), QStringLiteral("bad.ini"),
                      QStringLiteral("x.ini")}).status, 1);
        QVERIFY(!QFile::exists(QStringLiteral("x.ini")));

        // normalize writes what open from and save as write.
        for (const QString &name : {QStringLiteral("full.ini"), QStringLiteral("part.ini")}) {
            if (name != QLatin1String("full.ini"))
                s = startWith(files);
            const QString out = name + QStringLiteral(".cli");
            QCOMPARE(cli({QStringLiteral("config"), QStringLiteral("normalize"), name, out}).status, 0);
            s.prompt->answers << QDir::current().filePath(name) << QDir::current().filePath(name + QStringLiteral(".window"));
            s.ui->pushButtonOpenConfigFileFrom->click();
            s.ui->pushButtonSaveConfigFileAs->click();
            QCOMPARE(readFile(out), readFile(name + QStringLiteral(".window")));
        }
    }
};

QTEST_MAIN(TestRobotSettings)
#include "tst_robotsettings.moc"
