// Posing in the window with the robot and the work protected: every way of
// editing an angle stays inside the joint limits (the default range, then the
// configure file's), a stored frame outside them is shown as stored and
// marked; mirrored posing sets each joint's partner as the mirror command
// would; autosave and recovery, also after the program was killed.

#include <QtTest>
#include <QAction>
#include <QDial>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "app/mainwindow.h"
#include "motion/autosave.h"
#include "motion/autosavefile.h"
#include "motion/editing.h"
#include "motion/filecommands.h"
#include "motion/frameinfopanel.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "robot/configfile.h"
#include "support/operationexample.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"
#include "view3d/openglwidget.h"
#include "ui_mainwindow.h"

namespace {

QByteArray motion(const QList<QMap<int, int>> &frames)
{
    QByteArray bytes = "#This is a robot operation file.\r\nFLP:0;\r\n";
    for (const auto &frame : frames)
        bytes += frameRecord(frame);
    return bytes + "END:;\r\n\r\n";
}

QStringList autosaves()
{
    return QDir(autosavefile::folder(QDir::currentPath())).entryList({QStringLiteral("*.autosave")}, QDir::Files);
}

} // namespace

class TestPosing : public QObject, private WindowFixture
{
    Q_OBJECT

    MotionDocument &doc() const { return window->document(); }
    QSpinBox *box(int servo) const { return window->jointPanel().angleBoxes()[servo - 2]; }

    // Edits a frame (the settle ticks then mark the document modified) and
    // waits for its copy.
    void editAndWaitForCopy(int servo, int value)
    {
        box(servo)->setValue(value);
        QTRY_VERIFY(doc().isModified());
        QTRY_VERIFY(QFile::exists(window->autosave().currentFile()));
    }

private slots:
    void cleanup() { finish(); }

    // The spin box (set, typed, stepped), the dial and a drag on the model
    // all stop at the limit; the box says its range and marks the limit.
    void limitsHoldOnEveryInputPath()
    {
        start();
        testfiles::writeFile(QStringLiteral("one.ini"), motion({{}}));
        window->fileCommands().openGivenFile(QStringLiteral("one.ini"));
        QSpinBox *head = box(2);
        const QPalette plain = head->palette();
        QVERIFY(head->toolTip().contains(QStringLiteral("allowed -135.0° to 135.0° (default range: no robot configure file read)")));

        head->setValue(2000);
        QCOMPARE(head->value(), 1350);
        QCOMPARE(doc().cell(0, 0), 1350);
        QVERIFY(head->toolTip().endsWith(QStringLiteral("At the limit.")));
        QVERIFY(head->palette().color(QPalette::Base) != plain.color(QPalette::Base));
        head->stepUp();
        QCOMPARE(head->value(), 1350);
        head->setValue(0);
        QCOMPARE(head->palette().color(QPalette::Base), plain.color(QPalette::Base));
        head->findChild<QLineEdit *>()->selectAll();
        QTest::keyClicks(head, QStringLiteral("-150"));
        QTest::keyClick(head, Qt::Key_Enter);
        QCOMPARE(head->value(), -1350);
        QCOMPARE(doc().cell(0, 0), -1350);

        // The dial turns the selected joint.
        ui->radioButtonLleg1->click();
        ui->dialSetAngle->setValue(-2500);
        QCOMPARE(box(6)->value(), -1350);
        QCOMPARE(ui->dialSetAngle->value(), -1350);
        QCOMPARE(doc().cell(0, 4), -1350);

        // A long drag one way and the other.
        emit ui->openGLWidget->select_model_angle_changed(5000);
        QCOMPARE(qAbs(box(6)->value()), 1350);
        emit ui->openGLWidget->select_model_angle_changed(-5000);
        QCOMPARE(qAbs(box(6)->value()), 1350);
        QCOMPARE(doc().cell(0, 4), box(6)->value());
        QCOMPARE(ui->openGLWidget->jointAngles[4], box(6)->value() / 10.0f);
    }

    // The user limits of an opened configure file; a frame outside them is
    // shown and kept as stored, marked in the list, named in the frame info.
    void configureFileLimitsAndFramesOutside()
    {
        start();
        configfile::Settings settings = configfile::factorySettings();
        settings.minimums[4] = -300; // servo 6
        settings.maximums[4] = 450;
        QByteArray config;
        {
            QTextStream out(&config);
            configfile::write(out, settings);
        }
        testfiles::writeFile(QStringLiteral("robotcfg.ini"), config);
        prompt->answers.enqueue(QStringLiteral("robotcfg.ini"));
        ui->pushButtonOpenConfigFileFrom->click();
        QVERIFY(doc().jointLimits().configRead);
        QVERIFY(box(6)->toolTip().contains(QStringLiteral("allowed -30.0° to 45.0° (the robot's user limits)")));
        QVERIFY(box(2)->toolTip().contains(QStringLiteral("(default range: the configure file sets no limits)")));
        // The page's max box is the limit.
        ui->spinBoxServo6Max->setValue(500);
        QCOMPARE(doc().jointLimits().of(6).maximum, 500);

        const QByteArray stored = motion({{}, {{2, 1400}, {6, 600}}, {{6, 500}}});
        testfiles::writeFile(QStringLiteral("outside.ini"), stored);
        window->fileCommands().openGivenFile(QStringLiteral("outside.ini"));
        const QVector<int> read = doc().flatten();
        QListWidget *list = ui->listWidgetGraphicOperation;
        QCOMPARE(list->count(), 3);
        QVERIFY(!list->item(0)->text().contains(QStringLiteral("outside")));
        QVERIFY(list->item(1)->text().endsWith(QStringLiteral(", outside limits")));
        QVERIFY(!list->item(2)->text().contains(QStringLiteral("outside")));
        list->setCurrentRow(1);
        QCOMPARE(box(6)->value(), 600);
        QCOMPARE(box(2)->value(), 1400);
        QVERIFY(box(6)->toolTip().endsWith(QStringLiteral("This frame's angle lies outside the allowed range.")));
        window->frameInfo().update();
        QVERIFY(ui->textBrowserFrameInfo->toPlainText().endsWith(
            QStringLiteral("Outside the joint limits:\nservo 2 at 140.0° (allowed -135.0° to 135.0°)\n"
                           "servo 6 at 60.0° (allowed -30.0° to 50.0°)")));
        // Narrower limits mark the third frame too.
        ui->spinBoxServo6Max->setValue(450);
        QVERIFY(list->item(2)->text().endsWith(QStringLiteral(", outside limits")));

        // Walking the frames and saving leave the stored angles as they were.
        QTRY_COMPARE(window->frameList().refreshState(), int(FrameList::Idle));
        QCOMPARE(doc().flatten(), read);
        QCOMPARE(testfiles::readFile(QStringLiteral("outside.ini")), stored);
        doc().setModified(true);
        window->fileCommands().save();
        window->fileCommands().openGivenFile(QStringLiteral("outside.ini"));
        QCOMPARE(doc().flatten(), read);
    }

    // Every joint with a partner, by its box; then the dial and a drag; the
    // partner's own limits; the head and the extra servos alone; the mirror
    // command unchanged while mirrored posing is on.
    void mirroredPosing()
    {
        start();
        testfiles::writeFile(QStringLiteral("one.ini"), motion({{}}));
        window->fileCommands().openGivenFile(QStringLiteral("one.ini"));
        QAction *mirror = window->jointPanel().mirrorPosingAction();
        QCOMPARE(mirror->objectName(), QStringLiteral("actionMirror_posing"));
        QCOMPARE(mirror->text(), QStringLiteral("mirror posing"));
        QVERIFY(mirror->isCheckable());
        mirror->trigger();
        QVERIFY(mirror->isChecked());

        for (int servo = 3; servo <= 18; ++servo) {
            std::array<int, 19> pose = window->jointPanel().angles();
            const int value = 50 + 10 * servo;
            pose[size_t(servo - 2)] = value;
            const std::array<int, 19> mirrored = editing::applySteps(pose, editing::mirrorSteps(pose));
            const int partner = editing::mirrorPartner(servo);
            box(servo)->setValue(value);
            QCOMPARE(box(partner)->value(), mirrored[size_t(partner - 2)]);
            QCOMPARE(doc().cell(0, partner - 2), mirrored[size_t(partner - 2)]);
            QCOMPARE(doc().cell(0, servo - 2), value);
            // The edited joint stays the selected one.
            QVERIFY(window->jointPanel().jointRadios()[servo - 2]->isChecked());
        }
        for (int servo : {2, 19, 20}) {
            const auto before = window->jointPanel().angles();
            box(servo)->setValue(-77);
            auto after = window->jointPanel().angles();
            after[size_t(servo - 2)] = before[size_t(servo - 2)];
            QCOMPARE(after, before);
        }

        ui->radioButtonLleg1->click();
        ui->dialSetAngle->setValue(300);
        QCOMPARE(box(14)->value(), -300);
        emit ui->openGLWidget->select_model_angle_changed(40);
        QCOMPARE(box(14)->value(), -box(6)->value());
        QVERIFY(box(6)->value() != 300);

        jointlimits::Limits limits = jointlimits::defaults();
        limits.ranges[12] = {-100, 100, true}; // servo 14
        doc().setJointLimits(limits);
        box(6)->setValue(500);
        QCOMPARE(box(14)->value(), -100);

        doc().setJointLimits(jointlimits::defaults());
        const std::array<int, 19> pose = window->jointPanel().angles();
        ui->actionMirror->trigger();
        QCOMPARE(window->jointPanel().angles(), editing::applySteps(pose, editing::mirrorSteps(pose)));
    }

    // A change is written to its copy; saving removes it, and so does
    // discarding the changes on exit. At start, a copy newer than its
    // document is offered: discarded, it goes; opened, it becomes the
    // document, unsaved. A copy older than its document goes unasked.
    void autosaveAndRecovery()
    {
        freshFolder();
        testfiles::writeFile(QStringLiteral("dance.ini"), motion({{}, {{3, 100}}}));
        const QString dance = QFileInfo(QStringLiteral("dance.ini")).absoluteFilePath();
        QVector<int> edited;
        {
            restart();
            QCOMPARE(window->autosave().interval(), 60000);
            window->autosave().setInterval(50);
            window->fileCommands().openGivenFile(dance);
            QTest::qWait(150);
            QVERIFY(autosaves().isEmpty()); // nothing unsaved, nothing written
            editAndWaitForCopy(4, 250);
            QFile copy(window->autosave().currentFile());
            QVERIFY(copy.open(QIODevice::ReadOnly));
            autosavefile::Content content;
            QVERIFY(autosavefile::decode(copy.readAll(), &content));
            QCOMPARE(content.documentPath, dance);
            QCOMPARE(content.frames, doc().flatten());
            window->fileCommands().save();
            QVERIFY(autosaves().isEmpty());

            editAndWaitForCopy(4, 300);
            prompt->answers.enqueue(int(QMessageBox::No));
            QVERIFY(window->close());
            QVERIFY(autosaves().isEmpty());

            // Left behind, as by a crash.
            editAndWaitForCopy(5, -400);
            edited = doc().flatten();
            QTest::qWait(100);
            window.reset();
        }
        QCOMPARE(autosaves().size(), 1);
        {
            restart();
            prompt->answers.enqueue(int(QMessageBox::Discard));
            window->autosave().offerRecovery();
            QCOMPARE(prompt->calls.size(), 1);
            QCOMPARE(prompt->calls[0].title, QStringLiteral("warning"));
            QVERIFY(prompt->calls[0].text.startsWith(
                QStringLiteral("gaitForge was not closed properly. Unsaved changes of %1 (2 frames, autosaved ")
                    .arg(dance)));
            QCOMPARE(prompt->calls[0].buttons, QMessageBox::Open | QMessageBox::Discard);
            QVERIFY(autosaves().isEmpty());
            QCOMPARE(doc().rowCount(), 0);
            window.reset();
        }
        // An unnamed motion: recovered, then saved.
        {
            restart();
            window->autosave().setInterval(50);
            MotionDocument::Frame frame{};
            frame[3] = 123;
            frame[26] = 5000; // more than a file holds: the copy keeps it
            doc().insertFrame(0, frame);
            doc().noteEdit();
            QTRY_VERIFY(doc().isModified());
            QTRY_COMPARE(autosaves().size(), 1);
            edited = doc().flatten();
            window.reset();
        }
        {
            restart();
            prompt->answers.enqueue(int(QMessageBox::Open));
            window->autosave().offerRecovery();
            QVERIFY(prompt->calls[0].text.contains(QStringLiteral("Unsaved changes of an unnamed motion (1 frames")));
            QCOMPARE(doc().flatten(), edited);
            QVERIFY(doc().isModified());
            QVERIFY(doc().path().isEmpty());
            QCOMPARE(ui->listWidgetGraphicOperation->count(), 1);
            QCOMPARE(autosaves().size(), 1); // kept until saved or discarded
            window->autosave().setInterval(50);
            box(2)->setValue(10);
            QTest::qWait(200);
            QCOMPARE(autosaves().size(), 1); // this run's copy replaced it
            doc().setModified(false);
            QVERIFY(autosaves().isEmpty());
            window.reset();
        }
        // A copy older than its document: the document was saved since.
        {
            restart();
            window->autosave().setInterval(50);
            window->fileCommands().openGivenFile(dance);
            editAndWaitForCopy(4, 111);
            window.reset();
        }
        QTest::qWait(20);
        testfiles::writeFile(dance, motion({{}}));
        {
            restart();
            window->autosave().offerRecovery();
            QVERIFY(prompt->calls.isEmpty());
            QVERIFY(autosaves().isEmpty());
            window.reset();
        }
    }

    // The program killed after edits (SIGKILL: nothing runs on the way out)
    // and started again: the motion comes back, every frame intact.
    void recoveryAfterKill()
    {
        freshFolder();
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("GAITFORGE_AUTOSAVE_MS"), QStringLiteral("200"));
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(QDir::currentPath());
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--edit-and-wait")});
        QVERIFY(child.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine() || child.state() != QProcess::Running, 20000);
        const QByteArray line = child.readLine().trimmed();
        QVERIFY2(line.startsWith("frames:"), line.constData());
        child.kill(); // SIGKILL
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QVector<int> expected;
        for (const QByteArray &v : line.mid(7).split(','))
            expected.append(v.toInt());

        restart();
        prompt->answers.enqueue(int(QMessageBox::Open));
        window->autosave().offerRecovery();
        QCOMPARE(doc().rowCount(), 12);
        QCOMPARE(doc().flatten(), expected);
        QCOMPARE(doc().path(), QFileInfo(QStringLiteral("walk.ini")).absoluteFilePath());
        QVERIFY(doc().isModified());
        // Recovered unsaved: the title marks the changes.
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("walk.ini *")));
    }
};

// The child of recoveryAfterKill: opens a motion, edits it (angles, a copied
// frame, a loop still open), says what the table holds once its copy is
// written, and waits to be killed.
static int editAndWait(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QList<QMap<int, int>> frames;
    for (int i = 0; i < 10; ++i)
        frames.append({{3, 10 * i}, {14, -5 * i}});
    testfiles::writeFile(QStringLiteral("walk.ini"), motion(frames));
    StartedWindow w = startWindowHere();
    auto box = [&w](int servo) { return w.window->jointPanel().angleBoxes()[servo - 2]; };
    MotionDocument &doc = w.window->document();
    w.window->fileCommands().openGivenFile(QStringLiteral("walk.ini"));
    box(6)->setValue(-420);
    w.ui->actionCopy_frame->trigger();
    w.ui->actionCopy_frame->trigger();
    box(7)->setValue(333);
    doc.setCell(3, frametable::ColLoopFlag, 1); // a loop start with no end yet
    doc.noteEdit();
    QElapsedTimer clock;
    clock.start();
    const QString copy = w.window->autosave().currentFile();
    // The copy is written after the last change; the line says what it holds.
    QVector<int> flat;
    while (clock.elapsed() < 15000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QFile file(copy);
        autosavefile::Content content;
        if (doc.isModified() && file.open(QIODevice::ReadOnly) && autosavefile::decode(file.readAll(), &content)
            && content.frames == doc.flatten()) {
            flat = content.frames;
            break;
        }
    }
    QByteArrayList values;
    for (int v : flat)
        values << QByteArray::number(v);
    std::printf("frames:%s\n", values.join(',').constData());
    std::fflush(stdout);
    return app.exec();
}

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--edit-and-wait") == 0)
        return editAndWait(argc, argv);
    QApplication app(argc, argv);
    TestPosing test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_posing.moc"
