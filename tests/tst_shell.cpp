// The window as a whole: every named widget exists, the start-up state, the
// actions and their keys, the init file as the window reads and writes it
// (the listening volume included), and the shell's commands.

#include <QtTest>
#include <QAction>
#include <QLabel>
#include <QLCDNumber>
#include <QListWidget>
#include <QMediaPlayer>
#include <QSlider>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTranslator>

#include "app/initfile.h"
#include "app/helpmenu.h"
#include "app/mainwindow.h"
#include "playback/playback.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "music/musicpanel.h"
#include "support/scriptedprompt.h"
#include "ui_mainwindow.h"
#include "view3d/openglwidget.h"

class TestShell : public QObject
{
    Q_OBJECT

    QTemporaryDir *workDir = nullptr;
    QString startDir;

    // A window started in a fresh working directory holding the given init file
    // (none when text is null), with a scripted dialogs seam.
    struct Started {
        std::unique_ptr<MainWindow> window;
        ScriptedPrompt *prompt;
        Ui::MainWindow *ui;
    };
    Started start(const char *initText = nullptr)
    {
        delete workDir;
        workDir = new QTemporaryDir;
        QDir::setCurrent(workDir->path());
        if (initText) {
            QDir().mkpath(QStringLiteral(".robot"));
            QFile f(QStringLiteral(".robot/init"));
            f.open(QIODevice::WriteOnly);
            f.write(initText);
        }
        Started s;
        s.window = std::make_unique<MainWindow>();
        auto prompt = std::make_unique<ScriptedPrompt>();
        s.prompt = prompt.get();
        s.window->setPrompt(std::move(prompt));
        s.ui = s.window->form();
        return s;
    }
    static QByteArray initFile()
    {
        QFile f(QStringLiteral(".robot/init"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QString checked(const QList<QAction *> &group)
    {
        QStringList names;
        for (QAction *a : group)
            if (a->isChecked())
                names << a->objectName();
        return names.join(QLatin1Char(','));
    }

    // A text as the embedded catalogue translates it; fails on a missing entry.
    static QString catalogue(const char *name, const char *source)
    {
        QTranslator t;
        if (!t.load(QStringLiteral(":/language/language/") + QLatin1String(name)))
            return QStringLiteral("<no catalogue>");
        const QString text = t.translate("MainWindow", source);
        return text.isEmpty() || text == QLatin1String(source) ? QStringLiteral("<untranslated>") : text;
    }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase()
    {
        QDir::setCurrent(startDir);
        delete workDir;
    }

    void everyNamedObjectExists()
    {
        auto s = start();
        QFile list(QString::fromLocal8Bit(qgetenv("GAITFORGE_TEST_DATA")) + QStringLiteral("/form-names.txt"));
        QVERIFY2(list.open(QIODevice::ReadOnly | QIODevice::Text), "form-names.txt missing");
        QStringList missing;
        int count = 0;
        for (const QByteArray &line : list.readAll().split('\n')) {
            const QString name = QString::fromLatin1(line.trimmed());
            if (name.isEmpty())
                continue;
            ++count;
            if (!s.window->findChild<QObject *>(name))
                missing << name;
        }
        QCOMPARE(count, 381);
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing: ") + missing.join(QLatin1Char(' '))));
        QVERIFY(qobject_cast<OpenGLWidget *>(s.window->findChild<QWidget *>(QStringLiteral("openGLWidget"))));
        QCOMPARE(s.window->findChild<QWidget *>(QStringLiteral("plot_2"))->metaObject()->className(), "QCustomPlot");
    }

    void startupState()
    {
        auto s = start();
        QCOMPARE(s.window->size(), QSize(1366, 725));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("ZEL gait forge"));
        QVERIFY(!s.window->windowIcon().isNull());
        QVERIFY(!s.ui->actionSave->isEnabled());
        QVERIFY(s.ui->actionSelect_joint->isChecked());
        QVERIFY(s.ui->actionLeft_foot_touchdown->isChecked());
        for (QAction *a : {s.ui->actionMove_robot, s.ui->actionRotate_robot, s.ui->actionRotate_camera,
                           s.ui->actionZoom, s.ui->actionRight_foot_touchdown})
            QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));
        for (QWidget *w : QList<QWidget *>{s.ui->comboBoxBaudRate, s.ui->label_84, s.ui->comboBoxInitBaudrateBle,
                                           s.ui->comboBoxInitBaudratePc, s.ui->comboBoxInitBaudrateServo,
                                           s.ui->label_135, s.ui->label_136, s.ui->label_137, s.ui->groupBox_48,
                                           s.ui->groupBoxServo19, s.ui->groupBoxServo20,
                                           s.ui->radioButtonExtendServo1, s.ui->radioButtonExtendServo2})
            QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
        QVERIFY(s.ui->actionDisable->isChecked());
        QVERIFY(!s.ui->actionEnable->isChecked());
        QVERIFY(!s.ui->pushButtonFormatFlash->isEnabled());
        QVERIFY(s.ui->toolBar_5->isHidden());
        QVERIFY(!s.ui->toolBar_3->isHidden());
        QCOMPARE(s.ui->lcdNumberVoltage->segmentStyle(), QLCDNumber::Flat);
        QCOMPARE(s.ui->tabWidget->count(), 4);
        QCOMPARE(s.ui->tabWidget->widget(0), s.ui->tab_2);
        QCOMPARE(s.ui->tabWidget->widget(3), s.ui->Tab2);
        QCOMPARE(s.ui->tabWidgetJoint->widget(2), s.ui->tab);
    }

    void actionsAsDescribed()
    {
        auto s = start();
        QCOMPARE(s.ui->actionOpen_file->text(), QStringLiteral("&open file"));
        QCOMPARE(s.ui->actionOpen_file->toolTip(), QStringLiteral("open a operation file"));
        QCOMPARE(s.ui->actionExit->shortcut(), QKeySequence(QStringLiteral("Ctrl+F4")));
        QCOMPARE(s.ui->actionReverse->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
        // The preview's keys, named in the tool tips.
        QCOMPARE(s.ui->actionSimulation->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(s.ui->actionPause_simulation->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(s.ui->actionStop_simulation->shortcut(), QKeySequence(Qt::SHIFT + Qt::Key_F5));
        QCOMPARE(s.ui->actionSimulation->toolTip(), QStringLiteral("simulation (F5)"));
        QCOMPARE(s.ui->actionPause_simulation->toolTip(), QStringLiteral("pause simulation (F6)"));
        QCOMPARE(s.ui->actionStop_simulation->toolTip(), QStringLiteral("stop simulation (Shift+F5)"));
        QCOMPARE(s.ui->actionSimulation->text(), QStringLiteral("simulation"));
        QCOMPARE(s.ui->actionBodyCentor->toolTip(), QStringLiteral("body centor"));
        QVERIFY(s.ui->actionConnect->isCheckable());
        QVERIFY(!s.ui->actionSimulation->isCheckable());
        QCOMPARE(s.ui->actionZhTradition->text(), QStringLiteral("繁體中文"));
        // Tool bar entries in order, separators as empty names.
        QStringList entries;
        for (QAction *a : s.ui->toolBar_4->actions())
            entries << a->objectName();
        QCOMPARE(entries.join(QLatin1Char(',')),
                 QStringLiteral("actionRead_all_joint_position_data,actionRead_hand_joint_position_data,"
                                "actionRead_leg_joint_position_data,,actionReset_robot,,actionConnect"));
        QCOMPARE(s.window->toolBarArea(s.ui->toolBar_3), Qt::LeftToolBarArea);
        QCOMPARE(s.window->toolBarArea(s.ui->toolBar_2), Qt::TopToolBarArea);
        QCOMPARE(s.ui->menuInsert_frame->actions().size(), 3);
        QCOMPARE(s.ui->menuSetting->title(), QStringLiteral("syste&m"));
    }

    void noShortcutIsTakenTwice()
    {
        auto s = start();
        QMap<QKeySequence, QString> owners;
        QStringList clashes;
        for (QAction *a : s.window->findChildren<QAction *>()) {
            for (const QKeySequence &key : a->shortcuts()) {
                if (owners.contains(key))
                    clashes << key.toString() + QLatin1Char(':') + owners[key] + QLatin1Char('/') + a->objectName();
                owners.insert(key, a->objectName());
            }
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char(' '))));
        QCOMPARE(owners.size(), 18);
    }

    void previewKeysTriggerTheirActions()
    {
        auto s = start();
        s.window->show();
        s.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        QSignalSpy play(s.ui->actionSimulation, &QAction::triggered);
        QSignalSpy pause(s.ui->actionPause_simulation, &QAction::triggered);
        QSignalSpy stop(s.ui->actionStop_simulation, &QAction::triggered);
        auto counts = [&] { return QStringLiteral("%1 %2 %3").arg(play.count()).arg(pause.count()).arg(stop.count()); };
        QTest::keyClick(s.window.get(), Qt::Key_F5);
        QCOMPARE(counts(), QStringLiteral("1 0 0"));
        QTest::keyClick(s.window.get(), Qt::Key_F6);
        QCOMPARE(counts(), QStringLiteral("1 1 0"));
        QTest::keyClick(s.window.get(), Qt::Key_F5, Qt::ShiftModifier);
        QCOMPARE(counts(), QStringLiteral("1 1 1"));
        // Also while an editor of the joint panel has the focus.
        s.ui->spinBoxOperationTime->setFocus();
        QTest::keyClick(s.ui->spinBoxOperationTime, Qt::Key_F5);
        QCOMPARE(counts(), QStringLiteral("2 1 1"));
    }

    void firstStartWritesDefaults()
    {
        auto s = start();
        QCOMPARE(initFile(), initfile::format(1, 2, 1));
        QCOMPARE(checked({s.ui->actionEnglish, s.ui->actionZhSimple, s.ui->actionZhTradition}),
                 QStringLiteral("actionEnglish"));
        QVERIFY(s.ui->action128_128->isChecked());
        QVERIFY(s.ui->actionBubble->isChecked());
        QCOMPARE(s.ui->openGLWidget->backgroundChoice, 0);
        QCOMPARE(s.ui->listWidgetGraphicOperation->iconSize(), QSize(128, 128));
        QVERIFY(initFile().endsWith("\r\nMVOL:100;\r\n"));
        QCOMPARE(s.window->music().listeningVolume(), 100);
        QCOMPARE(s.window->music().player().volume(), 100);
    }

    void listeningVolumeControl()
    {
        auto s = start();
        QSlider &control = s.window->music().listeningVolumeControl();
        // On the tool bar of the music actions, right after them, along the bar.
        QToolBar *bar = s.ui->toolBar_3;
        QVERIFY(bar->actions().contains(s.ui->actionPlay_music));
        const QList<QAction *> entries = bar->actions();
        const int stopAt = entries.indexOf(s.ui->actionStop_music);
        QVERIFY(stopAt >= 0 && stopAt + 2 < entries.size());
        auto *speaker = qobject_cast<QLabel *>(bar->widgetForAction(entries[stopAt + 1]));
        QVERIFY(speaker);
        QCOMPARE(bar->widgetForAction(entries[stopAt + 2]), static_cast<QWidget *>(&control));
        // The speaker shows the level with the frame volume's pictures.
        auto shows = [speaker](const char *picture) {
            return speaker->pixmap(Qt::ReturnByValue).toImage()
                   == QIcon(QStringLiteral(":/icons/icons/%1_128x128.png").arg(QLatin1String(picture)))
                          .pixmap(QSize(20, 20))
                          .toImage();
        };
        QVERIFY(shows("volume100"));
        control.setValue(0);
        QVERIFY(shows("mute"));
        QCOMPARE(speaker->toolTip(), QStringLiteral("listening volume: 0 %"));
        control.setValue(40);
        QVERIFY(shows("volume50"));
        control.setValue(100);
        QCOMPARE(control.orientation(), bar->orientation());
        QCOMPARE(control.minimum(), 0);
        QCOMPARE(control.maximum(), 100);
        QCOMPARE(control.toolTip(), QStringLiteral("listening volume: 100 %"));
        // Docked across the window it turns along.
        s.window->addToolBar(Qt::TopToolBarArea, bar);
        QCOMPARE(control.orientation(), Qt::Horizontal);
        s.window->addToolBar(Qt::LeftToolBarArea, bar);
        QCOMPARE(control.orientation(), Qt::Vertical);
    }

    void listeningVolumeIsRemembered()
    {
        auto s = start("LANG:eng;\r\nPICS:256;\r\nBAKG:mon;\r\n");
        QSlider &control = s.window->music().listeningVolumeControl();
        QMediaPlayer &player = s.window->music().player();
        // A file without the line: full volume, and the file is left as it is.
        QCOMPARE(control.value(), 100);
        QCOMPARE(player.volume(), 100);
        QCOMPARE(initFile(), QByteArray("LANG:eng;\r\nPICS:256;\r\nBAKG:mon;\r\n"));

        // A step (key, wheel or click) is stored at once, with the other choices.
        control.setValue(55);
        QCOMPARE(player.volume(), 55);
        QCOMPARE(control.toolTip(), QStringLiteral("listening volume: 55 %"));
        QCOMPARE(initFile(), initfile::format(1, 4, 4, 55));
        // A drag plays at each value and is stored when the slider is let go.
        control.setSliderDown(true);
        control.setValue(20);
        control.setValue(10);
        QCOMPARE(player.volume(), 10);
        QCOMPARE(initFile(), initfile::format(1, 4, 4, 55));
        control.setSliderDown(false);
        QCOMPARE(initFile(), initfile::format(1, 4, 4, 10));
        // The other settings keep it when they write the file.
        s.ui->action64_64->trigger();
        QCOMPARE(initFile(), initfile::format(1, 1, 4, 10));
        s.ui->actionZhTradition->trigger();
        QCOMPARE(initFile(), initfile::format(3, 1, 4, 10));
        // The frame's volume is the robot's: it neither moves the player nor the file.
        s.ui->horizontalSliderVolume->setValue(80);
        QCOMPARE(player.volume(), 10);
        QCOMPARE(control.value(), 10);
        QCOMPARE(initFile(), initfile::format(3, 1, 4, 10));

        // The next start plays at that volume; silence is kept too.
        auto again = start(initfile::format(1, 2, 1, 10).constData());
        QCOMPARE(again.window->music().listeningVolume(), 10);
        QCOMPARE(again.window->music().player().volume(), 10);
        auto silent = start("MVOL:000;\r\n");
        QCOMPARE(silent.window->music().listeningVolume(), 0);
        QCOMPARE(silent.window->music().player().volume(), 0);
        QCOMPARE(initFile(), QByteArray("MVOL:000;\r\n"));
        // An unreadable value falls back to full volume.
        auto odd = start("MVOL:loud;\r\n");
        QCOMPARE(odd.window->music().listeningVolume(), 100);
        QVERIFY(odd.prompt->calls.isEmpty());
    }

    void savedChoicesComeBack()
    {
        auto s = start("#This is a init file.\r\nLANG:zhs;\r\nPICS:256;\r\nBAKG:mon;\r\n");
        QCOMPARE(checked({s.ui->actionEnglish, s.ui->actionZhSimple, s.ui->actionZhTradition}),
                 QStringLiteral("actionZhSimple"));
        QVERIFY(s.ui->action256_256->isChecked());
        QVERIFY(!s.ui->action128_128->isChecked());
        QCOMPARE(s.ui->listWidgetGraphicOperation->iconSize(), QSize(256, 256));
        QVERIFY(s.ui->actionMoon->isChecked());
        QCOMPARE(s.ui->openGLWidget->backgroundChoice, 4);
    }

    void emptyLineStopsTheLoader()
    {
        const char *text = "LANG:zht;\r\n\r\nPICS:256;\r\nBAKG:mon;\r\n";
        auto s = start(text);
        QVERIFY(s.ui->actionZhTradition->isChecked());
        QCOMPARE(s.ui->listWidgetGraphicOperation->iconSize(), QSize(128, 128));
        QCOMPARE(s.ui->openGLWidget->backgroundChoice, 0);
        QCOMPARE(initFile(), QByteArray(text));
    }

    void unknownOrLowerCaseLanguage()
    {
        auto unknown = start("LANG:fra;\n");
        QCOMPARE(checked({unknown.ui->actionEnglish, unknown.ui->actionZhSimple, unknown.ui->actionZhTradition}),
                 QStringLiteral("actionEnglish"));
        auto lower = start("lang:zhs;\n");
        QCOMPARE(checked({lower.ui->actionEnglish, lower.ui->actionZhSimple, lower.ui->actionZhTradition}),
                 QString());
    }

    void languageChoice()
    {
        auto s = start("LANG:eng;\r\nPICS:192;\r\nBAKG:sun;\r\n");
        s.ui->actionZhSimple->trigger();
        QCOMPARE(checked({s.ui->actionEnglish, s.ui->actionZhSimple, s.ui->actionZhTradition}),
                 QStringLiteral("actionZhSimple"));
        QCOMPARE(initFile(), initfile::format(2, 3, 2));
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("warning"));
        // The notice comes while the new language's translator is installed.
        QCOMPARE(s.prompt->calls[0].title, catalogue("gaitForge_zh_simple", "warning"));
        QCOMPARE(s.prompt->calls[0].text,
                 catalogue("gaitForge_zh_simple", "You have to reboot the software to get the full language support!"));
        // The window's texts were set anew in Chinese; texts made later stay English.
        QCOMPARE(s.ui->tabWidget->tabText(0), catalogue("gaitForge_zh_simple", "edit robot motion"));
        QCOMPARE(s.window->windowTitle(), catalogue("gaitForge_zh_simple", "ZEL gait forge"));
        QCOMPARE(MainWindow::tr("warning"), QStringLiteral("warning"));

        s.ui->actionZhTradition->trigger();
        QCOMPARE(s.ui->tabWidget->tabText(0), catalogue("gaitForge_zh_traditional", "edit robot motion"));
        s.ui->actionEnglish->trigger();
        QCOMPARE(s.ui->tabWidget->tabText(0), QStringLiteral("edit robot motion"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("ZEL gait forge"));
        QCOMPARE(initFile(), initfile::format(1, 3, 2));
        QCOMPARE(s.prompt->calls.size(), 3);
        QCOMPARE(s.prompt->calls[2].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[2].text,
                 QStringLiteral("You have to reboot the software to get the full language support!"));
    }

    void pictureSizeAndBackground()
    {
        auto s = start("BAKG:mon;\n");
        s.ui->action192_192->trigger();
        QCOMPARE(checked({s.ui->action64_64, s.ui->action128_128, s.ui->action192_192, s.ui->action256_256,
                          s.ui->action320_320}),
                 QStringLiteral("action192_192"));
        QCOMPARE(s.ui->listWidgetGraphicOperation->iconSize(), QSize(192, 192));
        QVERIFY(initFile().contains("PICS:192;\r\n"));
        QVERIFY(initFile().contains("BAKG:mon;\r\n"));

        // No frames: the view and the file change, no picture regeneration starts.
        s.ui->actionSun->trigger();
        QCOMPARE(s.ui->openGLWidget->backgroundChoice, 2);
        QVERIFY(initFile().contains("BAKG:sun;\r\n"));
        QCOMPARE(s.window->frameList().refreshState(), 0);

        // With frames the pictures are drawn again from the first one.
        s.window->document().restore(QVector<int>(2 * frametable::ColumnCount, 0));
        s.window->frameList().setRefreshState(0);
        s.ui->listWidgetGraphicOperation->setCurrentRow(1);
        s.window->frameList().setRefreshTick(7);
        s.ui->actionBubble->trigger();
        QCOMPARE(s.ui->openGLWidget->backgroundChoice, 1);
        QCOMPARE(s.ui->listWidgetGraphicOperation->currentRow(), 0);
        QCOMPARE(s.window->frameList().refreshTick(), 0);
        QCOMPARE(s.window->frameList().refreshState(), 1);
        QCOMPARE(initFile(), initfile::format(1, 3, 1));
        QVERIFY(s.prompt->calls.isEmpty());
    }

    void tabsSwitchToolBars()
    {
        auto s = start();
        auto shown = [&](QToolBar *t) { return !t->isHidden(); };
        // The left editing tool bars stay beside the pages, disabled; the top ones hide.
        auto idle = [&](QToolBar *t) { return shown(t) && !t->isEnabled(); };
        s.ui->tabWidget->setCurrentIndex(3);
        QVERIFY(idle(s.ui->mainToolBar) && !shown(s.ui->toolBar) && !shown(s.ui->toolBar_2)
                && idle(s.ui->toolBar_3));
        QVERIFY(shown(s.ui->toolBar_4) && !shown(s.ui->toolBar_5));
        QVERIFY(!s.ui->actionReset_robot->isEnabled());
        s.ui->tabWidget->setCurrentIndex(2);
        QVERIFY(shown(s.ui->toolBar_5) && idle(s.ui->toolBar_3));
        s.ui->tabWidget->setCurrentIndex(1);
        QVERIFY(!shown(s.ui->toolBar_5) && !shown(s.ui->toolBar));
        s.ui->tabWidget->setCurrentIndex(0);
        QVERIFY(shown(s.ui->mainToolBar) && shown(s.ui->toolBar) && shown(s.ui->toolBar_2) && shown(s.ui->toolBar_3)
                && shown(s.ui->toolBar_4) && !shown(s.ui->toolBar_5));
        for (QToolBar *t : {s.ui->mainToolBar, s.ui->toolBar, s.ui->toolBar_2, s.ui->toolBar_3})
            QVERIFY2(t->isEnabled(), qPrintable(t->objectName()));
        QVERIFY(s.ui->actionReset_robot->isEnabled());
    }

    void flashGuard()
    {
        auto s = start();
        s.ui->actionEnable->trigger();
        QVERIFY(s.ui->actionEnable->isChecked() && !s.ui->actionDisable->isChecked());
        QVERIFY(s.ui->pushButtonFormatFlash->isEnabled());
        s.ui->actionDisable->trigger();
        QVERIFY(!s.ui->actionEnable->isChecked() && s.ui->actionDisable->isChecked());
        QVERIFY(!s.ui->pushButtonFormatFlash->isEnabled());
        // Choosing the checked entry again keeps it checked.
        s.ui->actionDisable->trigger();
        QVERIFY(s.ui->actionDisable->isChecked());
        const QByteArray before = initFile();
        s.ui->actionEnable->trigger();
        QCOMPARE(initFile(), before);
    }

    void helpEntries()
    {
        auto s = start();
        // No manual: the program says where it looked.
        s.ui->actionManual->trigger();
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text, QStringLiteral("The manual was not found. gaitForge looked for it here:\n")
                                              + QDir::currentPath() + QStringLiteral("/manual.pdf"));
        s.prompt->calls.clear();
        QFile manual(QStringLiteral("manual.pdf"));
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.close();
        s.ui->actionAbout->trigger();
        s.ui->actionRealease_notes->trigger();
        s.ui->actionManual->trigger();
        s.ui->actionUpdate->trigger();
        s.ui->actionFirmware_version->trigger();
        QCOMPARE(s.prompt->calls.size(), 4);
        const auto &about = s.prompt->calls[0];
        QCOMPARE(about.kind, QStringLiteral("aboutWithPicture"));
        QCOMPARE(about.title, QStringLiteral("about"));
        QCOMPARE(about.extra, QStringLiteral(":/icons/icons/robot-toy.png"));
        QVERIFY(about.text.contains(QStringLiteral("<p align='center'><b>ZEL gait forge</b></p>")));
        QVERIFY(about.text.contains(QStringLiteral("<p align='center'>Version 1.2</p>")));
        QVERIFY(!QPixmap(about.extra).isNull());
        const auto &notes = s.prompt->calls[1];
        QCOMPARE(notes.kind, QStringLiteral("about"));
        QCOMPARE(notes.title, QStringLiteral("release notes"));
        QCOMPARE(notes.text,
                 QStringLiteral("<p align='center'>Version 1.2</p>\r\n\r\n"
                                "1. Fixed the problem of excessive memory usage and improved program fluency.\r\n"
                                "2. The program interface is optimized to make it more beautiful and easy to use.\r\n"
                                "3. Add a manual file.\r\n"
                                "4. Save the config back file to ./bac.\r\n"
                                "5. Remove baud rate setting.\r\n"
                                "6. Remove origin frame setting."));
        QCOMPARE(s.prompt->calls[2].kind, QStringLiteral("openUrl"));
        QCOMPARE(s.prompt->calls[2].extra, QUrl::fromLocalFile(QDir::currentPath() + "/manual.pdf").toString());
        QCOMPARE(s.prompt->calls[3].extra, QString::fromLatin1(HelpMenu::kMakerWebPage));
    }

    void keyTracking()
    {
        auto s = start();
        QTest::keyPress(s.window.get(), Qt::Key_Shift);
        QVERIFY(s.window->frameList().heldKeys().shift);
        QTest::keyPress(s.window.get(), Qt::Key_Control);
        QVERIFY(s.window->frameList().heldKeys().ctrl);
        QTest::keyRelease(s.window.get(), Qt::Key_Shift);
        QVERIFY(!s.window->frameList().heldKeys().shift);
        QVERIFY(s.window->frameList().heldKeys().ctrl);
        QTest::keyRelease(s.window.get(), Qt::Key_Control);
        QVERIFY(!s.window->frameList().heldKeys().ctrl);
        QTest::keyPress(s.window.get(), Qt::Key_A);
        QVERIFY(!s.window->frameList().heldKeys().shift && !s.window->frameList().heldKeys().ctrl);
    }

    // The 10 ms ticks sleep while nothing counts time and wake for whatever
    // does: an edit's settle countdown (its snapshot still comes), the
    // thumbnail walk, a playback (its clock runs with the wall clock's).
    void ticksSleepWhileNothingCounts()
    {
        auto s = start();
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        QTRY_VERIFY(!s.window->ticksRunning());
        QSignalSpy snapshots(&s.window->document(), &MotionDocument::snapshotRecorded);
        s.ui->actionCopy_frame->trigger();
        QTRY_COMPARE(snapshots.count(), 1);
        QTRY_COMPARE(s.window->frameList().refreshState(), 0);
        QTRY_VERIFY(!s.window->ticksRunning());
        s.prompt->answers.enqueue(QMessageBox::No);   // the model alone
        s.ui->actionSimulation->trigger();
        QVERIFY(s.window->playback().running());
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY(s.window->playback().stepper().clock() >= 300);
        QVERIFY(clock.elapsed() >= 250);
        QVERIFY(s.window->ticksRunning());
    }

    void everyIconOfTheActionsExists()
    {
        auto s = start();
        for (QAction *a : s.window->findChildren<QAction *>()) {
            if (a->objectName().startsWith(QLatin1String("action")) && !a->icon().isNull())
                QVERIFY2(!a->icon().pixmap(32).isNull(), qPrintable(a->objectName()));
        }
        QVERIFY(!s.ui->actionSave->icon().isNull());
        for (const char *name : {"save_on", "mute_128x128", "volume25_128x128", "volume50_128x128", "volume75_128x128",
                                 "volume100_128x128", "send_list", "send_list_s", "head", "remote_f", "remote_c",
                                 "a_r", "a_s"})
            QVERIFY2(!QPixmap(QStringLiteral(":/icons/icons/%1.png").arg(QLatin1String(name))).isNull(), name);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
