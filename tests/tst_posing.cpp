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
#include "support/scriptedprompt.h"
#include "support/testfiles.h"
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

struct Window {
    std::unique_ptr<MainWindow> window;
    ScriptedPrompt *prompt = nullptr;
    Ui::MainWindow *ui = nullptr;
    MotionDocument &doc() const { return window->document(); }
    QSpinBox *box(int servo) const { return window->jointPanel().angleBoxes()[servo - 2]; }
};

// A window in the current folder with the scripted seam.
Window startHere()
{
    Window w;
    w.window = std::make_unique<MainWindow>();
    auto prompt = std::make_unique<ScriptedPrompt>();
    w.prompt = prompt.get();
    w.window->setPrompt(std::move(prompt));
    w.ui = w.window->form();
    return w;
}

QStringList autosaves()
{
    return QDir(autosavefile::folder(QDir::currentPath())).entryList({QStringLiteral("*.autosave")}, QDir::Files);
}

// Edits a frame (the settle ticks then mark the document modified) and
// waits for its copy.
void editAndWaitForCopy(Window &w, int servo, int value)
{
    w.box(servo)->setValue(value);
    QTRY_VERIFY(w.doc().isModified());
    QTRY_VERIFY(QFile::exists(w.window->autosave().currentFile()));
}

} // namespace

class TestPosing : public QObject
{
    Q_OBJECT

    QString startDir;
    std::unique_ptr<QTemporaryDir> work;

    void freshFolder()
    {
        work = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(work->path());
    }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(startDir); }

    // The spin box (set, typed, stepped), the dial and a drag on the model
    // all stop at the limit; the box says its range and marks the limit.
    void limitsHoldOnEveryInputPath()
    {
        freshFolder();
        Window w = startHere();
        testfiles::writeFile(QStringLiteral("one.ini"), motion({{}}));
        w.window->fileCommands().openGivenFile(QStringLiteral("one.ini"));
        QSpinBox *head = w.box(2);
        const QPalette plain = head->palette();
        QVERIFY(head->toolTip().contains(QStringLiteral("allowed -135.0° to 135.0° (default range: no robot configure file read)")));

        head->setValue(2000);
        QCOMPARE(head->value(), 1350);
        QCOMPARE(w.doc().cell(0, 0), 1350);
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
        QCOMPARE(w.doc().cell(0, 0), -1350);

        // The dial turns the selected joint.
        w.ui->radioButtonLleg1->click();
        w.ui->dialSetAngle->setValue(-2500);
        QCOMPARE(w.box(6)->value(), -1350);
        QCOMPARE(w.ui->dialSetAngle->value(), -1350);
        QCOMPARE(w.doc().cell(0, 4), -1350);

        // A long drag one way and the other.
        emit w.ui->openGLWidget->select_model_angle_changed(5000);
        QCOMPARE(qAbs(w.box(6)->value()), 1350);
        emit w.ui->openGLWidget->select_model_angle_changed(-5000);
        QCOMPARE(qAbs(w.box(6)->value()), 1350);
        QCOMPARE(w.doc().cell(0, 4), w.box(6)->value());
        QCOMPARE(w.ui->openGLWidget->jointAngles[4], w.box(6)->value() / 10.0f);
    }

    // The user limits of an opened configure file; a frame outside them is
    // shown and kept as stored, marked in the list, named in the frame info.
    void configureFileLimitsAndFramesOutside()
    {
        freshFolder();
        Window w = startHere();
        configfile::Settings settings = configfile::factorySettings();
        settings.minimums[4] = -300; // servo 6
        settings.maximums[4] = 450;
        QByteArray config;
        {
            QTextStream out(&config);
            configfile::write(out, settings);
        }
        testfiles::writeFile(QStringLiteral("robotcfg.ini"), config);
        w.prompt->answers.enqueue(QStringLiteral("robotcfg.ini"));
        w.ui->pushButtonOpenConfigFileFrom->click();
        QVERIFY(w.doc().jointLimits().configRead);
        QVERIFY(w.box(6)->toolTip().contains(QStringLiteral("allowed -30.0° to 45.0° (the robot's user limits)")));
        QVERIFY(w.box(2)->toolTip().contains(QStringLiteral("(default range: the configure file sets no limits)")));
        // The page's max box is the limit.
        w.ui->spinBoxServo6Max->setValue(500);
        QCOMPARE(w.doc().jointLimits().of(6).maximum, 500);

        const QByteArray stored = motion({{}, {{2, 1400}, {6, 600}}, {{6, 500}}});
        testfiles::writeFile(QStringLiteral("outside.ini"), stored);
        w.window->fileCommands().openGivenFile(QStringLiteral("outside.ini"));
        const QVector<int> read = w.doc().flatten();
        QListWidget *list = w.ui->listWidgetGraphicOperation;
        QCOMPARE(list->count(), 3);
        QVERIFY(!list->item(0)->text().contains(QStringLiteral("outside")));
        QVERIFY(list->item(1)->text().endsWith(QStringLiteral(", outside limits")));
        QVERIFY(!list->item(2)->text().contains(QStringLiteral("outside")));
        list->setCurrentRow(1);
        QCOMPARE(w.box(6)->value(), 600);
        QCOMPARE(w.box(2)->value(), 1400);
        QVERIFY(w.box(6)->toolTip().endsWith(QStringLiteral("This frame's angle lies outside the allowed range.")));
        w.window->frameInfo().update();
        QVERIFY(w.ui->textBrowserFrameInfo->toPlainText().endsWith(
            QStringLiteral("Outside the joint limits:\nservo 2 at 140.0° (allowed -135.0° to 135.0°)\n"
                           "servo 6 at 60.0° (allowed -30.0° to 50.0°)")));
        // Narrower limits mark the third frame too.
        w.ui->spinBoxServo6Max->setValue(450);
        QVERIFY(list->item(2)->text().endsWith(QStringLiteral(", outside limits")));

        // Walking the frames and saving leave the stored angles as they were.
        QTRY_COMPARE(w.window->frameList().refreshState(), int(FrameList::Idle));
        QCOMPARE(w.doc().flatten(), read);
        QCOMPARE(testfiles::readFile(QStringLiteral("outside.ini")), stored);
        w.doc().setModified(true);
        w.window->fileCommands().save();
        w.window->fileCommands().openGivenFile(QStringLiteral("outside.ini"));
        QCOMPARE(w.doc().flatten(), read);
    }

    // Every joint with a partner, by its box; then the dial and a drag; the
    // partner's own limits; the head and the extra servos alone; the mirror
    // command unchanged while mirrored posing is on.
    void mirroredPosing()
    {
        freshFolder();
        Window w = startHere();
        testfiles::writeFile(QStringLiteral("one.ini"), motion({{}}));
        w.window->fileCommands().openGivenFile(QStringLiteral("one.ini"));
        QAction *mirror = w.window->jointPanel().mirrorPosingAction();
        QCOMPARE(mirror->objectName(), QStringLiteral("actionMirror_posing"));
        QCOMPARE(mirror->text(), QStringLiteral("mirror posing"));
        QVERIFY(mirror->isCheckable());
        mirror->trigger();
        QVERIFY(mirror->isChecked());

        for (int servo = 3; servo <= 18; ++servo) {
            std::array<int, 19> pose = w.window->jointPanel().angles();
            const int value = 50 + 10 * servo;
            pose[size_t(servo - 2)] = value;
            const std::array<int, 19> mirrored = editing::applySteps(pose, editing::mirrorSteps(pose));
            const int partner = editing::mirrorPartner(servo);
            w.box(servo)->setValue(value);
            QCOMPARE(w.box(partner)->value(), mirrored[size_t(partner - 2)]);
            QCOMPARE(w.doc().cell(0, partner - 2), mirrored[size_t(partner - 2)]);
            QCOMPARE(w.doc().cell(0, servo - 2), value);
            // The edited joint stays the selected one.
            QVERIFY(w.window->jointPanel().jointRadios()[servo - 2]->isChecked());
        }
        for (int servo : {2, 19, 20}) {
            const auto before = w.window->jointPanel().angles();
            w.box(servo)->setValue(-77);
            auto after = w.window->jointPanel().angles();
            after[size_t(servo - 2)] = before[size_t(servo - 2)];
            QCOMPARE(after, before);
        }

        w.ui->radioButtonLleg1->click();
        w.ui->dialSetAngle->setValue(300);
        QCOMPARE(w.box(14)->value(), -300);
        emit w.ui->openGLWidget->select_model_angle_changed(40);
        QCOMPARE(w.box(14)->value(), -w.box(6)->value());
        QVERIFY(w.box(6)->value() != 300);

        jointlimits::Limits limits = jointlimits::defaults();
        limits.ranges[12] = {-100, 100, true}; // servo 14
        w.doc().setJointLimits(limits);
        w.box(6)->setValue(500);
        QCOMPARE(w.box(14)->value(), -100);

        w.doc().setJointLimits(jointlimits::defaults());
        const std::array<int, 19> pose = w.window->jointPanel().angles();
        w.ui->actionMirror->trigger();
        QCOMPARE(w.window->jointPanel().angles(), editing::applySteps(pose, editing::mirrorSteps(pose)));
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
            Window w = startHere();
            QCOMPARE(w.window->autosave().interval(), 60000);
            w.window->autosave().setInterval(50);
            w.window->fileCommands().openGivenFile(dance);
            QTest::qWait(150);
            QVERIFY(autosaves().isEmpty()); // nothing unsaved, nothing written
            editAndWaitForCopy(w, 4, 250);
            QFile copy(w.window->autosave().currentFile());
            QVERIFY(copy.open(QIODevice::ReadOnly));
            autosavefile::Content content;
            QVERIFY(autosavefile::decode(copy.readAll(), &content));
            QCOMPARE(content.documentPath, dance);
            QCOMPARE(content.frames, w.doc().flatten());
            w.window->fileCommands().save();
            QVERIFY(autosaves().isEmpty());

            editAndWaitForCopy(w, 4, 300);
            w.prompt->answers.enqueue(int(QMessageBox::No));
            QVERIFY(w.window->close());
            QVERIFY(autosaves().isEmpty());

            // Left behind, as by a crash.
            editAndWaitForCopy(w, 5, -400);
            edited = w.doc().flatten();
            QTest::qWait(100);
        }
        QCOMPARE(autosaves().size(), 1);
        {
            Window w = startHere();
            w.prompt->answers.enqueue(int(QMessageBox::Discard));
            w.window->autosave().offerRecovery();
            QCOMPARE(w.prompt->calls.size(), 1);
            QCOMPARE(w.prompt->calls[0].title, QStringLiteral("warning"));
            QVERIFY(w.prompt->calls[0].text.startsWith(
                QStringLiteral("gaitForge was not closed properly. Unsaved changes of %1 (2 frames, autosaved ")
                    .arg(dance)));
            QCOMPARE(w.prompt->calls[0].buttons, QMessageBox::Open | QMessageBox::Discard);
            QVERIFY(autosaves().isEmpty());
            QCOMPARE(w.doc().rowCount(), 0);
        }
        // An unnamed motion: recovered, then saved.
        {
            Window w = startHere();
            w.window->autosave().setInterval(50);
            MotionDocument::Frame frame{};
            frame[3] = 123;
            frame[26] = 5000; // more than a file holds: the copy keeps it
            w.doc().insertFrame(0, frame);
            w.doc().noteEdit();
            QTRY_VERIFY(w.doc().isModified());
            QTRY_COMPARE(autosaves().size(), 1);
            edited = w.doc().flatten();
        }
        {
            Window w = startHere();
            w.prompt->answers.enqueue(int(QMessageBox::Open));
            w.window->autosave().offerRecovery();
            QVERIFY(w.prompt->calls[0].text.contains(QStringLiteral("Unsaved changes of an unnamed motion (1 frames")));
            QCOMPARE(w.doc().flatten(), edited);
            QVERIFY(w.doc().isModified());
            QVERIFY(w.doc().path().isEmpty());
            QCOMPARE(w.ui->listWidgetGraphicOperation->count(), 1);
            QCOMPARE(autosaves().size(), 1); // kept until saved or discarded
            w.window->autosave().setInterval(50);
            w.box(2)->setValue(10);
            QTest::qWait(200);
            QCOMPARE(autosaves().size(), 1); // this run's copy replaced it
            w.doc().setModified(false);
            QVERIFY(autosaves().isEmpty());
        }
        // A copy older than its document: the document was saved since.
        {
            Window w = startHere();
            w.window->autosave().setInterval(50);
            w.window->fileCommands().openGivenFile(dance);
            editAndWaitForCopy(w, 4, 111);
        }
        QTest::qWait(20);
        testfiles::writeFile(dance, motion({{}}));
        {
            Window w = startHere();
            w.window->autosave().offerRecovery();
            QVERIFY(w.prompt->calls.isEmpty());
            QVERIFY(autosaves().isEmpty());
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

        Window w = startHere();
        w.prompt->answers.enqueue(int(QMessageBox::Open));
        w.window->autosave().offerRecovery();
        QCOMPARE(w.doc().rowCount(), 12);
        QCOMPARE(w.doc().flatten(), expected);
        QCOMPARE(w.doc().path(), QFileInfo(QStringLiteral("walk.ini")).absoluteFilePath());
        QVERIFY(w.doc().isModified());
        // Recovered unsaved: the title marks the changes.
        QVERIFY(w.window->windowTitle().endsWith(QStringLiteral("walk.ini *")));
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
    Window w = startHere();
    w.window->fileCommands().openGivenFile(QStringLiteral("walk.ini"));
    w.box(6)->setValue(-420);
    w.ui->actionCopy_frame->trigger();
    w.ui->actionCopy_frame->trigger();
    w.box(7)->setValue(333);
    w.doc().setCell(3, frametable::ColLoopFlag, 1); // a loop start with no end yet
    w.doc().noteEdit();
    QElapsedTimer clock;
    clock.start();
    const QString copy = w.window->autosave().currentFile();
    // The copy is written after the last change; the line says what it holds.
    QVector<int> flat;
    while (clock.elapsed() < 15000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QFile file(copy);
        autosavefile::Content content;
        if (w.doc().isModified() && file.open(QIODevice::ReadOnly) && autosavefile::decode(file.readAll(), &content)
            && content.frames == w.doc().flatten()) {
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
