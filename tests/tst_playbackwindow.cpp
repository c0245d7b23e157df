// The simulation in the window, without a robot: the question, a motion
// played on the model with its timing and loops (frame list, joint panel and
// 3D model follow) on the preview's clock, late steps caught up, the log line
// of each frame reached, music events on the player and where the music
// starts, pause / resume / stop, and the warnings of loop marks the preview or
// the download cannot take.

#include <QtTest>
#include <QAction>
#include <QItemSelectionModel>
#include <QSlider>
#include <QTextBrowser>
#include <QDial>
#include <QRadioButton>
#include <QListWidget>
#include <QMediaPlayer>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "playback/playback.h"
#include "link/robotlink.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "music/musicpanel.h"
#include "music/waveform.h"
#include "support/clickwav.h"
#include "support/windowfixture.h"
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

// The lines of the playback log category, while logged.
QStringList playbackLog;
QtMessageHandler previousHandler = nullptr;

void keepPlaybackLog(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QLatin1String(context.category) == QLatin1String("gaitforge.playback"))
        playbackLog << message;
    else if (previousHandler)
        previousHandler(type, context, message);
}

// The frame numbers and times of "frame N starts at T ms" lines.
QVector<int> loggedFrames(QVector<qint64> *times = nullptr)
{
    QVector<int> frames;
    static const QRegularExpression line(QStringLiteral("^frame (\\d+) starts at (\\d+) ms$"));
    for (const QString &text : playbackLog) {
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch())
            return {-1};
        frames << m.captured(1).toInt();
        if (times)
            *times << m.captured(2).toLongLong();
    }
    return frames;
}

} // namespace

class TestPlaybackWindow : public QObject, private WindowFixture
{
    Q_OBJECT

    qint64 fakeNow = 0;  // the preview's clock, moved by step()

    // A fresh window with the given frames; its own timer is stopped and the
    // preview runs on the test's clock, moved on by each step.
    void open(const QVector<QVector<int>> &frames)
    {
        start();
        window->stopTicks();
        fakeNow = 1000;
        window->playback().setClock([this] { return fakeNow; });
        playbackLog.clear();
        QVector<int> flat;
        for (const QVector<int> &row : frames)
            flat += row;
        window->document().restore(flat);
        window->frameList().setRefreshState(0);  // the thumbnail walk is not the subject here
    }

    int currentRow() const { return ui->listWidgetGraphicOperation->currentRow(); }
    float modelHead() const { return ui->openGLWidget->jointAngles[0]; }

    // One 10 ms step of the preview (or ms).
    void step(int ms = playback::kTickMs)
    {
        fakeNow += ms;
        window->playback().tick();
    }

    // Steps until the playback stops (at most max); returns the step count.
    int playToEnd(int max = 10000)
    {
        int n = 0;
        for (; window->playback().running() && n < max; ++n)
            step();
        return n;
    }

    void answerNo() { prompt->answers.enqueue(int(QMessageBox::No)); }

private slots:
    void initTestCase()
    {
        // The log is off unless asked for.
        QVERIFY(!lcPlayback().isDebugEnabled());
        QLoggingCategory::setFilterRules(QStringLiteral("gaitforge.playback.debug=true"));
        previousHandler = qInstallMessageHandler(keepPlaybackLog);
    }
    void cleanupTestCase()
    {
        qInstallMessageHandler(previousHandler);
        finish();
    }

    // The current frame is the document's: moved through its selection model
    // alone (neither the list nor the table touched), the frame list, the
    // joint panel, the LED page, the frame info, the music markers and a
    // playing preview follow it. Playback counts the document's frames, not
    // the list's items.
    void everyViewFollowsTheDocumentsCurrentFrame()
    {
        open({frame(100, 600, 100), frame(200, 500, 0, 0, 0, 3), frame(300, 400, 50), frame(400, 300, 0)});
        MotionDocument &document = window->document();
        document.setCell(2, frametable::ledBrightnessColumn(0), 7);
        auto choose = [&](int row) {
            document.selectionModel()->setCurrentIndex(document.model()->index(row, 0),
                                                       QItemSelectionModel::ClearAndSelect);
        };
        choose(2);
        QCOMPARE(currentRow(), 2);
        QCOMPARE(ui->spinBoxAngleHead->value(), 300);
        QCOMPARE(ui->spinBoxOperationTime->value(), 400);
        QCOMPARE(ui->horizontalSliderLed1RBrightness->value(), 70);
        QTRY_COMPARE(ui->textBrowserFrameInfo->toPlainText().section(QLatin1Char('\n'), 0, 0).trimmed(),
                     QStringLiteral("Frame  3"));
        // Frame 3 starts 0.5 s into the music that frame 2 plays.
        QCPGraph *currentMarker = ui->plot_2->graph(4);
        QTRY_COMPARE(currentMarker->dataCount(), 3);
        QCOMPARE(currentMarker->data()->at(0)->key, 0.5);

        // A preview plays on from the frame chosen meanwhile.
        answerNo();
        ui->actionSimulation->trigger();
        QVERIFY(window->playback().running());
        QCOMPARE(currentRow(), 0);
        step();
        choose(3);
        QCOMPARE(currentRow(), 3);
        step();
        QCOMPARE(window->playback().stepper().row(), 3);
        playToEnd();
        QCOMPARE(modelHead(), 40.0f);  // frame 4's pose, played to its end

        // A frame the list has no item for yet is played all the same.
        MotionDocument::Frame last{};
        last[frametable::ColOperationTime] = 20;
        QVERIFY(document.insertFrame(4, last));
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 4);
        playbackLog.clear();
        answerNo();
        ui->actionSimulation->trigger();
        playToEnd();
        QCOMPARE(loggedFrames(), (QVector<int>{1, 2, 3, 4, 5}));
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

        // Row 0 stands for 70 ms, then row 1 moves 10 degrees in 40 ms.
        for (int i = 0; i < 6; ++i)
            step();
        QCOMPARE(currentRow(), 0);
        step();
        QCOMPARE(currentRow(), 1);
        QCOMPARE(ui->spinBoxAngleHead->value(), 100);  // the panel shows the current frame
        step();
        QVERIFY(qAbs(modelHead() - 2.5f) < 1e-4f);
        step();
        QVERIFY(qAbs(modelHead() - 5.0f) < 1e-4f);

        const int steps = 9 + playToEnd();
        QVector<qint64> times;
        QCOMPARE(loggedFrames(&times), (QVector<int>{1, 2, 3, 4, 2, 3, 4, 2, 3, 4, 5}));
        // Each frame when the times of the frames before it have passed.
        QCOMPARE(times, (QVector<qint64>{0, 70, 110, 150, 180, 220, 260, 290, 330, 370, 400}));
        // 70 + 3 passes of 40 + 40 + 30 ms: the last frame has no time.
        QCOMPARE(steps, 40);
        QVERIFY(window->playback().stopped());
        QCOMPARE(modelHead(), -40.0f);
        QCOMPARE(ui->openGLWidget->jointAngles[16], 40.0f);
        QCOMPARE(prompt->calls.size(), 1);
        // Loading the frames into the panel during the playback wrote nothing back.
        QCOMPARE(window->document().flatten(), table);
    }

    // Steps that come late, irregularly or bunched: each frame is reached on
    // the first step at or after its time, the model jumps to the pose of
    // that moment, and the preview ends on the first step after its end.
    void lateStepsCatchUp()
    {
        open({frame(0, 100, 0), frame(100, 100, 100), frame(200, 0, 200), frame(300, 300, 0), frame(0, 0, 50)});
        answerNo();
        ui->actionSimulation->trigger();
        step(150);  // row 1 half-way
        QCOMPARE(currentRow(), 1);
        QVERIFY(qAbs(modelHead() - 5.0f) < 1e-4f);
        step(260);  // 410: row 2 (at 300) passed, row 3 (at 500) not yet
        QCOMPARE(currentRow(), 2);
        QCOMPARE(modelHead(), 20.0f);
        step(0);
        step(0);
        QCOMPARE(currentRow(), 2);
        step(240);  // 650: half of row 3's move
        QCOMPARE(currentRow(), 3);
        QVERIFY(qAbs(modelHead() - 25.0f) < 1e-4f);
        step(149);  // 799
        QCOMPARE(currentRow(), 3);
        step(1);    // 800: row 4 reached, its pose at once
        QCOMPARE(currentRow(), 4);
        QCOMPARE(modelHead(), 0.0f);
        step(49);
        QVERIFY(window->playback().running());
        step(400);  // far past the end
        QVERIFY(window->playback().stopped());
        QVector<qint64> times;
        QCOMPARE(loggedFrames(&times), (QVector<int>{1, 2, 3, 4, 5}));
        QCOMPARE(times, (QVector<qint64>{0, 150, 410, 650, 800}));  // when the preview showed them
    }

    // On the real clock, steps driven with irregular pauses between them (as
    // a busy window gives them): a 1 s motion ends 1 s after its start.
    void endsOnTimeOnTheRealClock()
    {
        QVector<QVector<int>> frames;
        for (int i = 0; i < 10; ++i)
            frames << frame(10 * i, 70, 30);
        open(frames);
        QElapsedTimer clock;
        clock.start();
        window->playback().setClock([&clock] { return clock.elapsed(); });
        answerNo();
        const qint64 started = clock.elapsed();
        ui->actionSimulation->trigger();
        QRandomGenerator rng(11);
        qint64 lastStep = started;
        while (window->playback().running() && clock.elapsed() - started < 5000) {
            QThread::msleep(rng.bounded(0, 45));
            lastStep = clock.elapsed();
            window->timerUpdate();
        }
        const qint64 wall = lastStep - started;
        std::printf("playbackwindow: a 1000 ms preview ended after %lld ms\n", static_cast<long long>(wall));
        QVERIFY(window->playback().stopped());
        // Ended on the first step after 1 s: at most a pause between steps late
        // (with room for a busy machine oversleeping).
        QVERIFY2(wall >= 1000 && wall <= 1000 + 45 + 60, qPrintable(QString::number(wall)));
        QCOMPARE(loggedFrames().size(), 10);
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
        QCOMPARE(loggedFrames(), QVector<int>{1});
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
        open({frame(0, 20, 0, 0, 0, 3, 35), frame(0, 20, 0, 0, 0, 1), frame(0, 20, 0, 0, 0, 3, 80),
              frame(0, 20, 0, 0, 0, 2)});
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
            step();
        QCOMPARE(currentRow(), 1);
        QCOMPARE(window->music().playLinePosition(), 5000);  // a pause does not restart the line
        for (int i = 0; i < 2; ++i)
            step();
        QCOMPARE(currentRow(), 2);
        QCOMPARE(window->music().player().volume(), 60);
        // Resumed where the pause frame held it: 20 ms in.
        QCOMPARE(window->music().playLinePosition(), 20);
        playToEnd();
        QCOMPARE(window->music().player().state(), QMediaPlayer::StoppedState);
    }

    // The music starts from the beginning of the file when the first
    // play-music frame starts, wherever the player was before (a double-click
    // on the plot seeks it); pausing and stopping the preview pause and stop
    // it, resuming goes on where the preview has it.
    void musicStartsAtItsFrame()
    {
        open({frame(0, 300, 0), frame(0, 0, 2000, 0, 0, 3, 60), frame(0, 100, 0)});
        const QString wav = QDir::current().absoluteFilePath(QStringLiteral("clicks.wav"));
        QVERIFY(testwav::writeClicks(wav, 8000));
        QMediaPlayer &player = window->music().player();
        player.setMedia(QUrl::fromLocalFile(wav));
        player.setPosition(4850);
        QTRY_VERIFY(player.position() == 4850 || player.error() != QMediaPlayer::NoError);
        if (player.error() != QMediaPlayer::NoError)
            QSKIP(qPrintable(QStringLiteral("the player cannot play here (error %1: %2)")
                                 .arg(player.error())
                                 .arg(player.errorString())));

        answerNo();
        ui->actionSimulation->trigger();
        QCOMPARE(window->playback().expectedMusicPosition(), -1);
        step(290);
        QCOMPARE(player.state(), QMediaPlayer::StoppedState);  // not before its frame
        step(10);
        QCOMPARE(currentRow(), 1);
        if (player.error() != QMediaPlayer::NoError)
            QSKIP(qPrintable(QStringLiteral("the player cannot play here (error %1: %2)")
                                 .arg(player.error())
                                 .arg(player.errorString())));
        QCOMPARE(player.state(), QMediaPlayer::PlayingState);
        // The frame's 60 is the robot's; the program plays at the listening volume.
        QCOMPARE(player.volume(), window->music().listeningVolume());
        QCOMPARE(window->playback().expectedMusicPosition(), 0);
        QVERIFY2(player.position() < 300, qPrintable(QString::number(player.position())));

        ui->actionPause_simulation->trigger();
        QTRY_COMPARE(player.state(), QMediaPlayer::PausedState);
        fakeNow += 3000;  // the pause takes no preview time
        answerNo();
        ui->actionSimulation->trigger();
        QCOMPARE(player.state(), QMediaPlayer::PlayingState);
        QCOMPARE(window->playback().expectedMusicPosition(), 0);
        ui->actionStop_simulation->trigger();
        QTRY_COMPARE(player.state(), QMediaPlayer::StoppedState);
        QCOMPARE(window->playback().expectedMusicPosition(), -1);

        // A late step finds the music as far in as the step is late.
        player.setPosition(4850);
        answerNo();
        ui->actionSimulation->trigger();
        step(450);
        QCOMPARE(window->playback().expectedMusicPosition(), 150);
        QCOMPARE(window->music().playLinePosition(), 150);
        QVERIFY2(qAbs(player.position() - 150) < 300, qPrintable(QString::number(player.position())));
        ui->actionStop_simulation->trigger();
    }

    void pauseResumeStop()
    {
        open({frame(0, 20, 0), frame(400, 100, 0), frame(800, 100, 0)});
        answerNo();
        ui->actionSimulation->trigger();
        for (int i = 0; i < 6; ++i)
            step();
        QCOMPARE(currentRow(), 1);
        QVERIFY(qAbs(modelHead() - 16.0f) < 1e-3f);

        ui->actionPause_simulation->trigger();
        QVERIFY(!window->playback().running());
        QVERIFY(!window->playback().stopped());
        for (int i = 0; i < 5; ++i) {
            fakeNow += 1000;  // the clock stands still while paused
            window->timerUpdate();
        }
        QVERIFY(qAbs(modelHead() - 16.0f) < 1e-3f);
        QCOMPARE(window->playback().previewTime(), 60);

        // Resuming asks again and goes on where the preview stopped.
        answerNo();
        ui->actionSimulation->trigger();
        QCOMPARE(prompt->calls.size(), 2);
        QCOMPARE(prompt->calls[1].text, QStringLiteral("Do  you want to simulate with the robot?"));
        QVERIFY(window->playback().running());
        step();
        QCOMPARE(currentRow(), 1);
        QVERIFY(qAbs(modelHead() - 20.0f) < 1e-3f);

        // Stopped between two frames: the model shows the current frame again.
        ui->actionStop_simulation->trigger();
        QVERIFY(window->playback().stopped());
        QCOMPARE(modelHead(), 40.0f);
        for (int i = 0; i < 5; ++i)
            step();
        QCOMPARE(currentRow(), 1);

        // The next start begins at row 0.
        answerNo();
        ui->actionSimulation->trigger();
        QVERIFY(window->playback().running());
        QCOMPARE(currentRow(), 0);
        QCOMPARE(modelHead(), 0.0f);
        QCOMPARE(window->playback().previewTime(), 0);
    }

    // A preview stopped on another frame: the common angle box and the dial
    // show the selected joint of that frame, so one step up moves that joint
    // one step from its own value (not from the frame shown before).
    void stopShowsTheSelectedJointOfTheCurrentFrame()
    {
        QVector<int> first = frame(0, 50, 0);
        first[5] = 39;   // left leg 2 (servo 7) at 3.9 degrees
        open({first, frame(0, 50, 0), frame(0, 50, 0)});
        ui->radioButtonLleg2->click();
        QCOMPARE(ui->spinBoxAngle->value(), 39);
        answerNo();
        ui->actionSimulation->trigger();
        for (int i = 0; i < 200 && currentRow() != 1; ++i)
            step();
        QCOMPARE(currentRow(), 1);
        ui->actionStop_simulation->trigger();
        QVERIFY(window->playback().stopped());
        QVERIFY(ui->radioButtonLleg2->isChecked());
        QCOMPARE(ui->spinBoxAngle->value(), 0);
        QCOMPARE(ui->dialSetAngle->value(), 0);
        ui->spinBoxAngle->stepUp();
        QCOMPARE(ui->spinBoxAngleLleg2->value(), ui->spinBoxAngle->singleStep());
        QCOMPARE(window->document().cell(1, 5), ui->spinBoxAngle->singleStep());
        QCOMPARE(window->document().cell(0, 5), 39);
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

    // The model stands while the thumbnail walk runs, and the watchdog is
    // held; then the preview catches up with its clock.
    void waitsForTheWalk()
    {
        open({frame(0, 50, 0), frame(100, 10, 50), frame(200, 100, 0)});
        answerNo();
        ui->actionSimulation->trigger();
        window->frameList().setRefreshState(1);
        window->frameList().setRefreshTick(0);
        for (int i = 0; i < 5; ++i)
            step();
        QCOMPARE(window->playback().stepper().clock(), 0);
        QCOMPARE(currentRow(), 0);
        window->frameList().setRefreshState(0);
        window->robotLink().setSilenceMs(5000);
        fakeNow += 10;
        window->timerUpdate();
        QCOMPARE(window->robotLink().silenceMs(), 0);
        QCOMPARE(window->playback().stepper().clock(), 60);
        QCOMPARE(currentRow(), 1);
        QCOMPARE(modelHead(), 10.0f);
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
