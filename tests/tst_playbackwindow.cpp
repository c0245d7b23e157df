// The simulation in the window, without a robot: the question, a motion
// played on the model with its timing and loops (frame list, joint panel and
// 3D model follow), music events on the player, pause / resume / stop, and the
// warnings of loop marks the preview or the download cannot take.

#include <QtTest>
#include <QAction>
#include <QListWidget>
#include <QMediaPlayer>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "link/playbackcontroller.h"
#include "link/robotlink.h"
#include "motion/framelist.h"
#include "motion/motiondocument.h"
#include "music/musicpanel.h"
#include "support/scriptedprompt.h"
#include "ui_mainwindow.h"
#include "view3d/openglwidget.h"

namespace {

// One frame of 46 values: head angle, times, loop marks, music and volume.
QVector<int> frame(int head, int operation, int delay, int loopFlag = 0, int loopTimes = 0, int music = 0,
                   int volume = 0)
{
    QVector<int> row(46, 0);
    row[0] = head;
    row[16] = -head;  // servo 18
    row[17] = 123;    // extra servos: never on the model
    row[18] = -77;
    row[19] = operation;
    row[20] = delay;
    row[21] = loopFlag;
    row[22] = loopTimes;
    row[23] = music;
    row[27] = volume;
    return row;
}

} // namespace

class TestPlaybackWindow : public QObject
{
    Q_OBJECT

    QString startDir;
    std::unique_ptr<QTemporaryDir> workDir;
    std::unique_ptr<MainWindow> window;
    ScriptedPrompt *prompt = nullptr;
    Ui::MainWindow *ui = nullptr;

    // A fresh window with the given frames; its own timer is stopped so that
    // every playback tick is counted here.
    void open(const QVector<QVector<int>> &frames)
    {
        window.reset();
        workDir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(workDir->path());
        window = std::make_unique<MainWindow>();
        auto p = std::make_unique<ScriptedPrompt>();
        prompt = p.get();
        window->setPrompt(std::move(p));
        ui = window->form();
        window->tickTimer().stop();
        QVector<int> flat;
        for (const QVector<int> &row : frames)
            flat += row;
        window->document().restore(flat);
        window->frameList().setRefreshState(0);  // the thumbnail walk is not the subject here
    }

    int currentRow() const { return ui->listWidgetGraphicOperation->currentRow(); }
    float modelHead() const { return ui->openGLWidget->jointAngles[0]; }

    // Ticks until the playback stops (at most max); returns the tick count.
    int playToEnd(int max = 10000)
    {
        int n = 0;
        for (; window->playback().running() && n < max; ++n)
            window->playback().tick();
        return n;
    }

    void answerNo() { prompt->answers.enqueue(int(QMessageBox::No)); }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase()
    {
        window.reset();
        QDir::setCurrent(startDir);
        workDir.reset();
    }

    void emptyMotionDoesNothing()
    {
        open({});
        ui->actionSimulation->trigger();
        QVERIFY(prompt->calls.isEmpty());
        QVERIFY(window->playback().stopped());
    }

    // Rows 1-3 loop twice more, then row 4: every frame becomes the current
    // frame in turn, with its own timing, and the model ends in the last pose.
    void playsWithTimingAndLoops()
    {
        open({frame(0, 50, 20), frame(100, 40, 0, 1, 2), frame(200, 30, 10), frame(300, 20, 10, 2),
              frame(-400, 0, 0)});
        const QVector<int> table = window->document().flatten();
        answerNo();
        ui->actionSimulation->trigger();
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[0].text, QStringLiteral("Do  you want to simulate with the robot?"));
        QCOMPARE(prompt->calls[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(window->playback().running());
        QCOMPARE(currentRow(), 0);
        QCOMPARE(modelHead(), 0.0f);

        // Row 0 stands for 5 + 2 ticks, then row 1 moves 10 degrees in 4 ticks.
        for (int i = 0; i < 7; ++i)
            window->playback().tick();
        QCOMPARE(currentRow(), 1);
        QCOMPARE(ui->spinBoxAngleHead->value(), 100);  // the panel shows the current frame
        window->playback().tick();
        QVERIFY(qAbs(modelHead() - 2.5f) < 1e-4f);
        window->playback().tick();
        QVERIFY(qAbs(modelHead() - 5.0f) < 1e-4f);

        QVector<int> visited{0, 1};
        int ticks = 9;
        while (window->playback().running() && ticks < 10000) {
            window->playback().tick();
            ++ticks;
            // A frame has just been reached: its move begins.
            if (window->playback().running() && window->playback().stepper().elapsed() == 0
                && window->playback().stepper().phase() == playback::Moving)
                visited << currentRow();
        }
        QCOMPARE(visited, (QVector<int>{0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4}));
        // 7 + 3 passes of (4 + 1) + (3 + 1) + (2 + 1) ticks + 1 + 1.
        QCOMPARE(ticks, 7 + 3 * 12 + 2);
        QVERIFY(window->playback().stopped());
        QCOMPARE(modelHead(), -40.0f);
        QCOMPARE(ui->openGLWidget->jointAngles[16], 40.0f);
        QCOMPARE(prompt->calls.size(), 1);
        // Loading the frames into the panel during the playback wrote nothing back.
        QCOMPARE(window->document().flatten(), table);
    }

    void loopEndInFirstFrame()
    {
        open({frame(50, 10, 10, 2)});
        answerNo();
        ui->actionSimulation->trigger();
        QCOMPARE(prompt->calls.size(), 2);
        QCOMPARE(prompt->calls[1].title, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[1].text, QStringLiteral("Please don't put loop end in first frame!"));
        QVERIFY(window->playback().running());
        QCOMPARE(playToEnd(), 2);
        QVERIFY(window->playback().stopped());
        QCOMPARE(prompt->calls.size(), 2);
    }

    // Loop marks the preview cannot pair: the warning names the frame.
    void loopFaultsNameTheFrame_data()
    {
        QTest::addColumn<QVector<int>>("flags");
        QTest::addColumn<QString>("text");
        QTest::newRow("end without start") << QVector<int>{0, 0, 2, 0} << QStringLiteral("frame:3");
        QTest::newRow("start left open") << QVector<int>{0, 1, 0} << QStringLiteral("frame:3");
    }
    void loopFaultsNameTheFrame()
    {
        QFETCH(QVector<int>, flags);
        QFETCH(QString, text);
        QVector<QVector<int>> frames;
        for (int flag : flags)
            frames << frame(10 * frames.size(), 10, 0, flag, 1);
        open(frames);
        answerNo();
        ui->actionSimulation->trigger();
        playToEnd();
        QVERIFY(window->playback().stopped());
        QCOMPARE(currentRow(), flags.size() - 1);  // played to the last frame
        QCOMPARE(prompt->calls.size(), 2);
        QCOMPARE(prompt->calls[1].title, QStringLiteral("error loop end"));
        QCOMPARE(prompt->calls[1].text, text);
    }

    void musicEventsDriveThePlayer()
    {
        open({frame(0, 0, 0, 0, 0, 3, 35), frame(0, 0, 0, 0, 0, 1), frame(0, 0, 0, 0, 0, 3, 80),
              frame(0, 0, 0, 0, 0, 2)});
        // The frames' volumes (35, 80) are the robot's; the program plays at
        // the listening volume, even after the player was set otherwise.
        window->music().setListeningVolume(60);
        window->music().player().setVolume(100);
        window->music().positionChanged(5000);  // a play line drawn at 5 s
        QCOMPARE(window->music().playLinePosition(), 5000);
        answerNo();
        ui->actionSimulation->trigger();
        QCOMPARE(window->music().player().volume(), 60);
        QCOMPARE(window->music().playLinePosition(), 0);
        window->music().positionChanged(5000);  // a play line drawn at 5 s
        for (int i = 0; i < 2; ++i)
            window->playback().tick();
        QCOMPARE(currentRow(), 1);
        QCOMPARE(window->music().playLinePosition(), 5000);  // a pause does not restart the line
        for (int i = 0; i < 2; ++i)
            window->playback().tick();
        QCOMPARE(currentRow(), 2);
        QCOMPARE(window->music().player().volume(), 60);
        QCOMPARE(window->music().playLinePosition(), 0);
        playToEnd();
        QCOMPARE(window->music().player().state(), QMediaPlayer::StoppedState);
    }

    void pauseResumeStop()
    {
        open({frame(0, 20, 0), frame(400, 100, 0), frame(800, 100, 0)});
        answerNo();
        ui->actionSimulation->trigger();
        for (int i = 0; i < 2 + 1 + 4; ++i)
            window->playback().tick();
        QCOMPARE(currentRow(), 1);
        QVERIFY(qAbs(modelHead() - 16.0f) < 1e-3f);

        ui->actionPause_simulation->trigger();
        QVERIFY(!window->playback().running());
        QVERIFY(!window->playback().stopped());
        for (int i = 0; i < 5; ++i)
            window->timerUpdate();
        QVERIFY(qAbs(modelHead() - 16.0f) < 1e-3f);

        // Resuming asks again and goes on where the preview stopped.
        answerNo();
        ui->actionSimulation->trigger();
        QCOMPARE(prompt->calls.size(), 2);
        QCOMPARE(prompt->calls[1].text, QStringLiteral("Do  you want to simulate with the robot?"));
        QVERIFY(window->playback().running());
        window->playback().tick();
        QCOMPARE(currentRow(), 1);
        QVERIFY(qAbs(modelHead() - 20.0f) < 1e-3f);

        // Stopped between two frames: the model shows the current frame again.
        ui->actionStop_simulation->trigger();
        QVERIFY(window->playback().stopped());
        QCOMPARE(modelHead(), 40.0f);
        for (int i = 0; i < 5; ++i)
            window->playback().tick();
        QCOMPARE(currentRow(), 1);

        // The next start begins at row 0.
        answerNo();
        ui->actionSimulation->trigger();
        QVERIFY(window->playback().running());
        QCOMPARE(currentRow(), 0);
        QCOMPARE(modelHead(), 0.0f);
    }

    // Pausing a stopped preview leaves it stopped: joint edits still reach the frame.
    void pauseWhileStopped()
    {
        open({frame(0, 20, 0), frame(400, 100, 0)});
        ui->actionPause_simulation->trigger();
        QVERIFY(window->playback().stopped());
        ui->spinBoxAngleHead->setValue(250);
        QCOMPARE(window->document().cell(window->document().currentRow(), 0), 250);
    }

    // The preview waits while the thumbnail walk runs, and holds the watchdog.
    void waitsForTheWalk()
    {
        open({frame(0, 50, 0), frame(100, 10, 0)});
        answerNo();
        ui->actionSimulation->trigger();
        window->frameList().setRefreshState(1);
        window->frameList().setRefreshTick(0);
        for (int i = 0; i < 5; ++i)
            window->playback().tick();
        QCOMPARE(window->playback().stepper().elapsed(), 0);
        window->frameList().setRefreshState(0);
        window->robotLink().setSilenceMs(5000);
        window->timerUpdate();
        QCOMPARE(window->robotLink().silenceMs(), 0);
        QCOMPARE(window->playback().stepper().elapsed(), 10);
    }

    // Robot chosen, but the loops cannot be downloaded.
    void downloadLoopChecks_data()
    {
        QTest::addColumn<QVector<int>>("flags");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plays");
        QTest::newRow("two loop starts")
            << QVector<int>{1, 2, 1, 2} << QStringLiteral("warning")
            << QStringLiteral("The loop can't be nested in debug mode! Please run it in file mode.") << false;
        QTest::newRow("start without end") << QVector<int>{0, 1, 0} << QStringLiteral("error loop")
                                           << QStringLiteral("The loop cannot be nested in debug mode. Or loop error.")
                                           << true;
        QTest::newRow("end before start") << QVector<int>{0, 2, 1} << QStringLiteral("error loop")
                                          << QStringLiteral("The loop cannot be nested in debug mode. Or loop error.")
                                          << true;
    }
    void downloadLoopChecks()
    {
        QFETCH(QVector<int>, flags);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, plays);
        QVector<QVector<int>> frames;
        for (int flag : flags)
            frames << frame(0, 10, 10, flag, 1);
        open(frames);
        window->robotLink().setKeepAliveCount(100);
        prompt->answers.enqueue(int(QMessageBox::Yes));
        ui->actionSimulation->trigger();
        QCOMPARE(prompt->calls.size(), 2);
        QCOMPARE(prompt->calls[1].kind, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[1].title, title);
        QCOMPARE(prompt->calls[1].text, text);
        QCOMPARE(int(window->robotLink().downloading()), 0);
        QCOMPARE(window->robotLink().keepAliveCount(), 0);
        QCOMPARE(window->playback().running(), plays);
    }
};

QTEST_MAIN(TestPlaybackWindow)
#include "tst_playbackwindow.moc"
