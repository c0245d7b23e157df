// The joint panel, the frame list and the frame info in the window, each case
// in its own temporary working directory with the scripted dialogs seam: the
// angle edit (table, model, radio button), drags and picks on the 3D view, the
// support modes, the origin button, times and volume, frame selection with
// Shift and Control, the thumbnail walk after opening a file, and the frame
// info of a motion with a loop.

#include <QtTest>
#include <ctime>
#include <QAction>
#include <QApplication>
#include <QDial>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "motion/frameinfopanel.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "app/startup.h"
#include "motion/frametable.h"
#include "support/operationexample.h"
#include "support/scriptedprompt.h"
#include "support/windowfixture.h"
#include "support/view3dsupport.h"
#include "ui_mainwindow.h"

using namespace frametable;

namespace {

// Share of pixels that differ clearly between two pictures of one size.
double differingShare(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int differ = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, r);
            const QRgb q = y.pixel(c, r);
            if (qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q)) > 60)
                ++differ;
        }
    return double(differ) / (x.width() * x.height());
}

} // namespace

class TestJointPanel : public QObject, private WindowFixture
{
    Q_OBJECT

    QString artifacts;

    QVector<QSpinBox *> boxes() const { return window->jointPanel().angleBoxes(); }
    QVector<QRadioButton *> radios() const { return window->jointPanel().jointRadios(); }
    QString checkedRadio() const
    {
        for (QRadioButton *r : radios())
            if (r->isChecked())
                return r->objectName();
        return QString();
    }

    void show()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(ui->openGLWidget->isReady());
        view3dtest::settle(*ui->openGLWidget);
    }

    void clickItem(int row, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QListWidget *list = ui->listWidgetGraphicOperation;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, list->visualItemRect(list->item(row)).center());
    }

    QVector<int> selectedColoured() const
    {
        QVector<int> rows;
        QListWidget *list = ui->listWidgetGraphicOperation;
        for (int i = 0; i < list->count(); ++i) {
            const bool gray = list->item(i)->background().color() == QColor(Qt::gray);
            const bool blue = list->item(i)->foreground().color() == QColor(Qt::blue);
            if (gray != blue)
                return {-1};
            if (gray)
                rows << i;
        }
        return rows;
    }

private slots:
    void initTestCase()
    {
        qInstallMessageHandler(view3dtest::quietLog);
        startDir = QDir::currentPath();
        artifacts = view3dtest::artifactsDir();
    }
    // The rows of a data-driven test share their window (each row sets
    // what it reads); every other test has a fresh one.
    void init() { startOncePerFunction(); }
    void cleanup()
    {
        if (!QTest::currentDataTag())
            finish();
    }
    void cleanupTestCase() { finish(); }

    // ------------------------------------------------------------ joint panel

    void startsWithTheHeadPicked()
    {
        QCOMPARE(ui->openGLWidget->selectedJoint, 2);
        QCOMPARE(checkedRadio(), QStringLiteral("radioButtonHead"));
        QCOMPARE(window->document().editSettleCountdown(), 0);
        // The first ticks: 0 records the empty table, then it rests at -10.
        window->timerUpdate();
        QCOMPARE(window->document().editSettleCountdown(), -10);
    }

    void angleEditWritesTheFrameAndTheModel()
    {
        open(motionFile({frameRecord(600, 100), frameRecord(500, 0, {{7, 300}})}));
        QCOMPARE(window->document().model()->rowCount(), 2);
        QCOMPARE(ui->tableView->currentIndex().row(), 0);
        OpenGLWidget *view = ui->openGLWidget;

        ui->spinBoxAngleLleg2->setValue(-450);
        QCOMPARE(window->document().cell(0, servoColumn(7)), -450);
        QCOMPARE(window->document().cell(1, servoColumn(7)), 300);
        QCOMPARE(view->jointAngles[7 - 2], -45.0f);
        QCOMPARE(view->selectedJoint, 7);
        QCOMPARE(checkedRadio(), QStringLiteral("radioButtonLleg2"));
        QCOMPARE(ui->spinBoxAngle->value(), -450);
        QCOMPARE(ui->dialSetAngle->value(), -450);
        QCOMPARE(window->document().editSettleCountdown(), 100);
        // The burst settles on the third tick.
        window->timerUpdate();
        QCOMPARE(window->document().editSettleCountdown(), 50);
        window->timerUpdate();
        QCOMPARE(window->document().editSettleCountdown(), 0);
        window->timerUpdate();
        QCOMPARE(window->document().editSettleCountdown(), -10);

        // An extra servo: its column, no joint on the model.
        ui->spinBoxAngleExtendServo1->setValue(250);
        QCOMPARE(window->document().cell(0, servoColumn(19)), 250);
        QCOMPARE(view->selectedJoint, 0);
        QCOMPARE(checkedRadio(), QStringLiteral("radioButtonExtendServo1"));
        QCOMPARE(view->jointAngles[7 - 2], -45.0f);

        // The dial turns the checked joint through the common angle box.
        ui->radioButtonRhand2->click();
        QCOMPARE(view->selectedJoint, 12);
        ui->dialSetAngle->setValue(120);
        QCOMPARE(ui->spinBoxAngleRhand2->value(), 120);
        QCOMPARE(window->document().cell(0, servoColumn(12)), 120);
        QCOMPARE(view->jointAngles[12 - 2], 12.0f);

        // While joints are read from the robot, a change goes nowhere else.
        window->connectionPanel().setReadingJoints(1);
        ui->spinBoxAngleHead->setValue(900);
        QCOMPARE(window->document().cell(0, 0), 0);
        QCOMPARE(view->jointAngles[0], 0.0f);
        QCOMPARE(view->selectedJoint, 12);
        window->connectionPanel().setReadingJoints(0);

        // Loading a frame moves the model but leaves the frame as it is, even
        // where the panel cannot hold its value.
        window->document().setCell(1, servoColumn(3), 5000);
        window->document().setCell(1, ColOperationTime, 40000);
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        QCOMPARE(ui->spinBoxAngleLhand1->value(), 3000);
        QCOMPARE(ui->spinBoxOperationTime->value(), 30000);
        QCOMPARE(view->jointAngles[3 - 2], 300.0f);
        QCOMPARE(window->document().cell(1, servoColumn(3)), 5000);
        QCOMPARE(window->document().cell(1, ColOperationTime), 40000);
        QCOMPARE(window->document().cell(0, servoColumn(7)), -450);
    }

    void withoutFramesNothingIsWritten()
    {
        ui->spinBoxAngleHead->setValue(100);
        ui->spinBoxOperationTime->setValue(700);
        ui->horizontalSliderVolume->setValue(40);
        QCOMPARE(window->document().model()->rowCount(), 0);
        QCOMPARE(ui->openGLWidget->jointAngles[0], 10.0f);
        // No frame, no frame info.
        QCoreApplication::processEvents();
        QCOMPARE(ui->textBrowserFrameInfo->toPlainText(), QString());
    }

    // A drag emits a change; the checked joint's box moves by it, with the
    // sign of its joint and support.
    void dragTurnsTheCheckedJoint_data()
    {
        QTest::addColumn<int>("servo");
        QTest::addColumn<int>("support");
        QTest::addColumn<int>("sign");
        // One sign per joint, whichever support mode: the same drag bends the
        // joint the same way on screen (the 3D view's tests draw it).
        const int sign[17] = {-1, 1, 1, 1, 1, -1, 1, 1, 1, -1, -1, -1, -1, -1, 1, 1, 1};
        for (int servo = 2; servo <= 18; ++servo) {
            QTest::addRow("servo %d, left foot", servo) << servo << 0 << sign[servo - 2];
            QTest::addRow("servo %d, right foot", servo) << servo << 1 << sign[servo - 2];
            QTest::addRow("servo %d, body", servo) << servo << 2 << sign[servo - 2];
        }
        QTest::addRow("extra servo 1") << 19 << 0 << 0;
    }
    void dragTurnsTheCheckedJoint()
    {
        QFETCH(int, servo);
        QFETCH(int, support);
        QFETCH(int, sign);
        ui->openGLWidget->supportMode = support;
        QSpinBox *box = boxes()[servo - 2];
        box->setValue(100);
        radios()[servo - 2]->click();
        emit ui->openGLWidget->select_model_angle_changed(30);
        QCOMPARE(box->value(), 100 + sign * 30);
        if (servo <= 18)
            QCOMPARE(ui->openGLWidget->jointAngles[servo - 2], (100 + sign * 30) / 10.0f);
    }

    void pickChecksTheRadioButton()
    {
        ui->spinBoxAngleRleg1->setValue(-200);
        ui->radioButtonHead->click();
        QCOMPARE(ui->spinBoxAngle->value(), 0);
        emit ui->openGLWidget->select_changed(14);
        QCOMPARE(checkedRadio(), QStringLiteral("radioButtonRleg1"));
        // The common angle shows the picked joint, so the dial turns it from there.
        QCOMPARE(ui->spinBoxAngle->value(), -200);
        QCOMPARE(ui->spinBoxAngleRleg1->value(), -200);
        QCOMPARE(ui->spinBoxAngleHead->value(), 0);
        for (int other : {0, 1, 19, 20, -3})
            emit ui->openGLWidget->select_changed(other);
        QCOMPARE(checkedRadio(), QStringLiteral("radioButtonRleg1"));
    }

    void originButton()
    {
        open(motionFile({frameRecord(600, 100, {{2, 100}, {9, -300}})}));
        for (int i = 0; i < 19; ++i)
            window->document().originAngles()[i] = 10 * (i - 9);
        ui->actionRight_foot_touchdown->trigger();
        ui->pushButtonOrigin->click();
        QCOMPARE(ui->openGLWidget->supportMode, 0);
        QVERIFY(ui->actionLeft_foot_touchdown->isChecked());
        QVERIFY(!ui->actionRight_foot_touchdown->isChecked());
        for (int i = 0; i < 19; ++i) {
            QCOMPARE(boxes()[i]->value(), 10 * (i - 9));
            QCOMPARE(window->document().cell(0, i), 10 * (i - 9));
        }
        QCOMPARE(ui->openGLWidget->jointAngles[16], 7.0f);
    }

    void timesAndVolume_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("picture");
        QTest::newRow("0") << 0 << "mute";
        QTest::newRow("1") << 1 << "volume25";
        QTest::newRow("25") << 25 << "volume25";
        QTest::newRow("26") << 26 << "volume50";
        QTest::newRow("50") << 50 << "volume50";
        QTest::newRow("51") << 51 << "volume75";
        QTest::newRow("75") << 75 << "volume75";
        QTest::newRow("76") << 76 << "volume100";
        QTest::newRow("100") << 100 << "volume100";
    }
    void timesAndVolume()
    {
        QFETCH(int, volume);
        QFETCH(QString, picture);
        open(motionFile({frameRecord(600, 100), frameRecord(600, 100, {}, 33)}));
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        QCOMPARE(ui->horizontalSliderVolume->value(), 33);
        ui->horizontalSliderVolume->setValue(volume == 33 ? 34 : 33);
        ui->horizontalSliderVolume->setValue(volume);
        QCOMPARE(ui->pushButtonVolume->styleSheet(),
                 QStringLiteral("QPushButton{border-image: url(:/icons/icons/%1_128x128.png);}").arg(picture));
        QCOMPARE(ui->spinBoxVolume->value(), volume);
        QCOMPARE(window->document().cell(1, ColVolume), volume);
        QCOMPARE(window->document().cell(0, ColVolume), 60);

        ui->spinBoxOperationTime->setValue(1230);
        ui->spinBoxDelayTime->setValue(40);
        QCOMPARE(window->document().cell(1, ColOperationTime), 1230);
        QCOMPARE(window->document().cell(1, ColDelayTime), 40);
        QVERIFY(ui->textBrowserFrameInfo->toPlainText().contains(QStringLiteral("The time all = 1970 ms")));

        // The button mutes; a second click changes nothing.
        ui->pushButtonVolume->click();
        QCOMPARE(ui->horizontalSliderVolume->value(), 0);
        QCOMPARE(window->document().cell(1, ColVolume), 0);
        QVERIFY(ui->pushButtonVolume->styleSheet().contains(QStringLiteral("mute_128x128")));
        window->document().setEditSettleCountdown(-10);
        ui->pushButtonVolume->click();
        QCOMPARE(window->document().editSettleCountdown(), -10);
        ui->spinBoxVolume->setValue(80);
        QCOMPARE(ui->horizontalSliderVolume->value(), 80);
    }

    // ------------------------------------------------------------ frame list

    void selectionWithShiftAndControl()
    {
        show();
        QList<QByteArray> lines;
        for (int i = 0; i < 7; ++i)
            lines << frameRecord(100 * (i + 1), 10, {{2, 10 * i}});
        open(motionFile(lines));
        finishWalk();
        QListWidget *list = ui->listWidgetGraphicOperation;
        QCOMPARE(list->count(), 7);

        clickItem(5);
        QCOMPARE(window->frameList().anchorRow(), 5);
        QCOMPARE(window->frameList().selectedRows(), QVector<int>{5});
        QCOMPARE(selectedColoured(), QVector<int>{5});
        QCOMPARE(ui->tableView->currentIndex().row(), 5);
        QCOMPARE(ui->spinBoxAngleHead->value(), 50);
        QCOMPARE(ui->spinBoxOperationTime->value(), 600);
        QVERIFY(ui->textBrowserFrameInfo->toPlainText().startsWith(QStringLiteral("Frame  6")));

        // Shift: the range from the anchor, in the anchor's direction.
        QTest::keyPress(window.get(), Qt::Key_Shift);
        QVERIFY(window->frameList().heldKeys().shift);
        clickItem(2, Qt::ShiftModifier);
        QCOMPARE(window->frameList().selectedRows(), (QVector<int>{5, 4, 3, 2}));
        QCOMPARE(selectedColoured(), (QVector<int>{2, 3, 4, 5}));
        QCOMPARE(window->frameList().anchorRow(), 5);
        QTest::keyRelease(window.get(), Qt::Key_Shift);
        QVERIFY(!window->frameList().heldKeys().shift);

        // Control toggles one row: out, then in again at the end.
        QTest::keyPress(window.get(), Qt::Key_Control);
        clickItem(3, Qt::ControlModifier);
        QCOMPARE(window->frameList().selectedRows(), (QVector<int>{5, 4, 2}));
        QCOMPARE(selectedColoured(), (QVector<int>{2, 4, 5}));
        clickItem(6, Qt::ControlModifier);
        clickItem(3, Qt::ControlModifier);
        QCOMPARE(window->frameList().selectedRows(), (QVector<int>{5, 4, 2, 6, 3}));
        QCOMPARE(selectedColoured(), (QVector<int>{2, 3, 4, 5, 6}));
        QTest::keyRelease(window.get(), Qt::Key_Control);

        // Both keys: nothing changes.
        window->frameList().heldKeys().shift = true;
        window->frameList().heldKeys().ctrl = true;
        clickItem(0);
        QCOMPARE(window->frameList().selectedRows(), (QVector<int>{5, 4, 2, 6, 3}));
        window->frameList().heldKeys().shift = false;
        window->frameList().heldKeys().ctrl = false;

        // A plain click starts again.
        clickItem(1);
        QCOMPARE(window->frameList().selectedRows(), QVector<int>{1});
        QCOMPARE(selectedColoured(), QVector<int>{1});
        QCOMPARE(ui->spinBoxAngleHead->value(), 10);

        // A click in the table selects that frame in the list too.
        ui->tabWidget_3->setCurrentWidget(ui->tab_11);
        QTableView *table = ui->tableView;
        const QModelIndex cell = window->document().model()->index(4, 3);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, table->visualRect(cell).center());
        QCOMPARE(list->currentRow(), 4);
        QCOMPARE(table->currentIndex(), cell);
        QCOMPARE(selectedColoured(), QVector<int>{4});
        QCOMPARE(ui->spinBoxAngleHead->value(), 40);
        QVERIFY(ui->textBrowserFrameInfo->toPlainText().startsWith(QStringLiteral("Frame  5")));
    }

    // After opening a file every frame gets its own picture of its pose,
    // drawn offscreen by the 3D view (the view and the current frame stay
    // where they are), and its caption.
    void thumbnailsAfterOpening()
    {
        show();
        OpenGLWidget *view = ui->openGLWidget;
        // Arms up and a leg forward, against the plain pose.
        const QMap<int, int> raised = {{4, -900}, {12, 900}, {6, 400}, {8, -600}, {9, 500}};
        open(motionFile({frameRecord(600, 100), "LPS:2;\r\n", frameRecord(500, 50, raised, 60, 3 << 14),
                         frameRecord(400, 0), "LPE:;\r\n"}));
        QListWidget *list = ui->listWidgetGraphicOperation;
        QCOMPARE(list->count(), 3);
        QCOMPARE(window->frameList().refreshState(), 1);
        QCOMPARE(list->currentRow(), 0);
        // Every caption is right from the start, with the frame's balance margin.
        QCOMPARE(list->item(0)->text(), QStringLiteral("F1, opr time:600, delay time:100, margin 24.1 mm"));
        QCOMPARE(list->item(1)->text(),
                 QStringLiteral("F2, opr time:500, delay time:50, lps(2), play music, margin -100.2 mm"));
        QCOMPARE(list->item(2)->text(), QStringLiteral("F3, opr time:400, delay time:0, lpe, margin 24.1 mm"));

        // The walk in real time, a batch of pictures per timer step.
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(window->frameList().refreshState(), 0, 5000);
        std::printf("jointpanel: the walk over 3 frames took %lld ms\n", clock.elapsed());
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(view->jointAngles[4 - 2], 0.0f);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!window->frameList().picturePending(i));

        QImage pictures[3];
        for (int i = 0; i < 3; ++i) {
            pictures[i] = list->item(i)->icon().pixmap(list->iconSize()).toImage();
            QVERIFY(!pictures[i].isNull());
            QCOMPARE(pictures[i].size(), QSize(128, 128));
        }
        // The same pose looks the same, another pose clearly differs.
        std::printf("jointpanel: pictures 0/2 differ in %.4f, 0/1 in %.4f of their pixels\n",
                    differingShare(pictures[0], pictures[2]), differingShare(pictures[0], pictures[1]));
        QVERIFY(differingShare(pictures[0], pictures[2]) < 0.01);
        QVERIFY(differingShare(pictures[0], pictures[1]) > 0.1);

        // The picture is the model in the frame's pose: frame 2 grabbed anew.
        clickItem(1);
        QCOMPARE(view->jointAngles[4 - 2], -90.0f);
        view->update_scene();
        const QPixmap again = window->frameList().grabPicture();
        QVERIFY(differingShare(pictures[1], again.toImage()) < 0.01);
        window->grab().save(artifacts + QStringLiteral("/jointpanel-thumbnails.png"));

        // The view's round of updates refreshes the current frame's picture.
        ui->spinBoxAngleLhand2->setValue(0);
        list->item(1)->setIcon(QIcon());
        QTRY_VERIFY_WITH_TIMEOUT(!list->item(1)->icon().isNull(), 3000);
        const QImage refreshed = list->item(1)->icon().pixmap(list->iconSize()).toImage();
        QVERIFY(differingShare(refreshed, pictures[1]) > 0.005);

        // A new picture size draws the pictures again at that size.
        ui->action256_256->trigger();
        QCOMPARE(window->frameList().refreshState(), 1);
        QCOMPARE(list->currentRow(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(window->frameList().refreshState(), 0, 5000);
        QCOMPARE(list->item(2)->icon().availableSizes().value(0), QSize(256, 256));
    }

    // Pictures drawn while the 3D view is hidden (another page shown) show
    // each frame's pose all the same; a window never shown draws them as soon
    // as its view is set up.
    void thumbnailsWhileTheViewIsHidden()
    {
        const QMap<int, int> raised = {{4, -900}, {12, 900}, {6, 400}, {8, -600}, {9, 500}};
        const QByteArray file = motionFile({frameRecord(600, 100), frameRecord(500, 50, raised), frameRecord(400, 0)});
        QListWidget *list = ui->listWidgetGraphicOperation;
        auto pictures = [&] {
            QVector<QImage> p;
            for (int i = 0; i < list->count(); ++i)
                p << list->item(i)->icon().pixmap(list->iconSize()).toImage();
            return p;
        };
        // Never shown: nothing can be drawn yet, the pictures wait.
        open(file);
        finishWalk();
        QCOMPARE(list->count(), 3);
        QVERIFY(window->frameList().picturePending(1));
        show();
        QTRY_COMPARE_WITH_TIMEOUT(window->frameList().refreshState(), 0, 5000);
        QVERIFY(!window->frameList().picturePending(1));
        const QVector<QImage> shown = pictures();
        QVERIFY(differingShare(shown[0], shown[1]) > 0.1);
        QVERIFY(differingShare(shown[0], shown[2]) < 0.01);

        // Another page in front: the same pictures.
        ui->tabWidget->setCurrentIndex(ui->tabWidget->indexOf(ui->tab_2) == 0 ? 1 : 0);
        QCoreApplication::processEvents();
        QVERIFY(!ui->openGLWidget->isVisible());
        open(file);
        QTRY_COMPARE_WITH_TIMEOUT(window->frameList().refreshState(), 0, 5000);
        const QVector<QImage> hidden = pictures();
        for (int i = 0; i < 3; ++i) {
            std::printf("jointpanel: hidden view, picture %d differs in %.4f of its pixels\n", i,
                        differingShare(hidden[i], shown[i]));
            QVERIFY(differingShare(hidden[i], shown[i]) < 0.01);
        }
        ui->tabWidget->setCurrentWidget(ui->tab_2);
        window->grab().save(artifacts + QStringLiteral("/jointpanel-thumbnails-hidden.png"));
    }

    // A long motion opens with one picture taken, not one per frame.
    void aLongMotionOpensQuicklyWhileShown()
    {
        show();
        QList<QByteArray> lines;
        for (int i = 0; i < 3000; ++i)
            lines << frameRecord(600, 100, {{2, i % 300}});
        QElapsedTimer clock;
        clock.start();
        open(motionFile(lines));
        const qint64 ms = clock.elapsed();
        std::printf("jointpanel: 3000 frames opened in %lld ms with the window shown\n", ms);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 3000);
        QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
        QCOMPARE(ui->spinBoxAngleHead->value(), 0);
        QCOMPARE(ui->listWidgetGraphicOperation->item(2999)->text(),
                 QStringLiteral("F3000, opr time:600, delay time:100, margin 24.1 mm"));
        // A walk step is short (the list stays responsive) and draws pictures
        // without moving the current frame (once the view has drawn the
        // opened frame: a step leaves its turn to that).
        QTRY_VERIFY(!ui->openGLWidget->framePending());
        // Each step's own work is the processor time it takes (every thread,
        // the GL driver's too): other programs busy on the machine stretch
        // the wall clock, not the step.
        const auto processorMs = [] {
            timespec t{};
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
            return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
        };
        qint64 longest = 0;
        for (int i = 0; i < 32; ++i) {
            const qint64 before = processorMs();
            window->frameList().walkTick();
            longest = std::max(longest, processorMs() - before);
        }
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 0);
        int drawn = 0;
        while (drawn < 3000 && !window->frameList().picturePending(drawn))
            ++drawn;
        std::printf("jointpanel: 32 walk steps over 3000 frames drew %d pictures, the longest step %lld ms\n", drawn,
                    longest);
        QVERIFY(drawn >= 32);
        QVERIFY2(longest < 50, qPrintable(QString::number(longest)));
        // A step leaves one turn (not more) to a frame the view has still to draw.
        auto firstPending = [&] {
            int row = 0;
            while (row < 3000 && !window->frameList().picturePending(row))
                ++row;
            return row;
        };
        ui->openGLWidget->jointAngles[0] += 5;
        QVERIFY(ui->openGLWidget->framePending());
        const int before = firstPending();
        window->frameList().walkTick();
        QCOMPARE(firstPending(), before);
        window->frameList().walkTick();
        QVERIFY(firstPending() > before);
        ui->openGLWidget->jointAngles[0] -= 5;

        // And with the frame table shown instead of the list.
        ui->tabWidget_3->setCurrentWidget(ui->tab_11);
        clock.restart();
        open(motionFile(lines));
        std::printf("jointpanel: 3000 frames opened in %lld ms with the table shown\n", clock.elapsed());
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(ui->tableView->currentIndex().row(), 0);
    }

    // ------------------------------------------------------------ frame info

    void frameInfoOfAMotionWithALoop()
    {
        show();
        open(motionFile({frameRecord(600, 100), "LPS:2;\r\n", frameRecord(300, 0), frameRecord(200, 50), "LPE:;\r\n",
                         frameRecord(100, 0, {}, 70, (1 << 14) | (1 << 13) | 7)}));
        finishWalk();
        clickItem(2);
        QCOMPARE(window->frameInfo().firstTimeHere(), qint64(1250));
        QCOMPARE(window->frameInfo().lastTimeHere(), qint64(2350));
        const QStringList lines = ui->textBrowserFrameInfo->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.mid(0, 7), (QStringList{"Frame  3", "Operation time = 200 ms", "Delay time = 50 ms",
                                               "The first time here = 1250 ms", "The last time here = 2350 ms",
                                               "Loop stop", "Volume = 60"}));
        // The LED channels, then the balance.
        QCOMPARE(lines.size(), 17);
        QCOMPARE(lines[7], QStringLiteral("led1 red brightness = 0 % , led1 red frequency = 0 Hz"));
        QCOMPARE(lines[16], QStringLiteral("Balance: the centre of mass lies 24.1 mm inside the support of both feet."));

        clickItem(3);
        QCOMPARE(window->frameInfo().lastTimeHere(), qint64(2450));
        QCOMPARE(ui->textBrowserFrameInfo->toPlainText().split(QLatin1Char('\n')).mid(3, 3),
                 (QStringList{"The first time here = 1350 ms", "The last time here = 2450 ms", "Pause music"}));

        clickItem(0);
        QCOMPARE(ui->textBrowserFrameInfo->toPlainText().split(QLatin1Char('\n')).mid(3, 2),
                 (QStringList{"The time all = 700 ms", "Volume = 60"}));
    }
};

int main(int argc, char *argv[])
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestJointPanel test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_jointpanel.moc"
