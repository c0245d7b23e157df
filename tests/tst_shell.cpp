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
#include "support/windowfixture.h"
#include "ui_mainwindow.h"
#include "view3d/openglwidget.h"

class TestShell : public QObject, private WindowFixture
{
    Q_OBJECT

    // A window started in a fresh working directory holding the given init file
    // (none when text is null), with a scripted dialogs seam.
    void startWith(const char *initText)
    {
        start(QString(), FolderFiles{{QStringLiteral(".robot/init"), QByteArray(initText)}});
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
    void cleanupTestCase() { finish(); }

    void everyNamedObjectExists()
    {
        start();
        QFile list(QString::fromLocal8Bit(qgetenv("GAITFORGE_TEST_DATA")) + QStringLiteral("/form-names.txt"));
        QVERIFY2(list.open(QIODevice::ReadOnly | QIODevice::Text), "form-names.txt missing");
        QStringList missing;
        int count = 0;
        for (const QByteArray &line : list.readAll().split('\n')) {
            const QString name = QString::fromLatin1(line.trimmed());
            if (name.isEmpty())
                continue;
            ++count;
            if (!window->findChild<QObject *>(name))
                missing << name;
        }
        QCOMPARE(count, 381);
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing: ") + missing.join(QLatin1Char(' '))));
        QVERIFY(qobject_cast<OpenGLWidget *>(window->findChild<QWidget *>(QStringLiteral("openGLWidget"))));
        QCOMPARE(window->findChild<QWidget *>(QStringLiteral("plot_2"))->metaObject()->className(), "QCustomPlot");
    }

    void startupState()
    {
        start();
        QCOMPARE(window->size(), QSize(1366, 725));
        QCOMPARE(window->windowTitle(), QStringLiteral("ZEL gait forge"));
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY(!ui->actionSave->isEnabled());
        QVERIFY(ui->actionSelect_joint->isChecked());
        QVERIFY(ui->actionLeft_foot_touchdown->isChecked());
        for (QAction *a : {ui->actionMove_robot, ui->actionRotate_robot, ui->actionRotate_camera,
                           ui->actionZoom, ui->actionRight_foot_touchdown})
            QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));
        for (QWidget *w : QList<QWidget *>{ui->comboBoxBaudRate, ui->label_84, ui->comboBoxInitBaudrateBle,
                                           ui->comboBoxInitBaudratePc, ui->comboBoxInitBaudrateServo,
                                           ui->label_135, ui->label_136, ui->label_137, ui->groupBox_48,
                                           ui->groupBoxServo19, ui->groupBoxServo20,
                                           ui->radioButtonExtendServo1, ui->radioButtonExtendServo2})
            QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
        QVERIFY(ui->actionDisable->isChecked());
        QVERIFY(!ui->actionEnable->isChecked());
        QVERIFY(!ui->pushButtonFormatFlash->isEnabled());
        QVERIFY(ui->toolBar_5->isHidden());
        QVERIFY(!ui->toolBar_3->isHidden());
        QCOMPARE(ui->lcdNumberVoltage->segmentStyle(), QLCDNumber::Flat);
        QCOMPARE(ui->tabWidget->count(), 4);
        QCOMPARE(ui->tabWidget->widget(0), ui->tab_2);
        QCOMPARE(ui->tabWidget->widget(3), ui->Tab2);
        QCOMPARE(ui->tabWidgetJoint->widget(2), ui->tab);
    }

    void actionsAsDescribed()
    {
        start();
        QCOMPARE(ui->actionOpen_file->text(), QStringLiteral("&open file"));
        QCOMPARE(ui->actionOpen_file->toolTip(), QStringLiteral("open a operation file"));
        QCOMPARE(ui->actionExit->shortcut(), QKeySequence(QStringLiteral("Ctrl+F4")));
        QCOMPARE(ui->actionReverse->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
        // The preview's keys, named in the tool tips.
        QCOMPARE(ui->actionSimulation->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(ui->actionPause_simulation->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(ui->actionStop_simulation->shortcut(), QKeySequence(Qt::SHIFT + Qt::Key_F5));
        QCOMPARE(ui->actionSimulation->toolTip(), QStringLiteral("simulation (F5)"));
        QCOMPARE(ui->actionPause_simulation->toolTip(), QStringLiteral("pause simulation (F6)"));
        QCOMPARE(ui->actionStop_simulation->toolTip(), QStringLiteral("stop simulation (Shift+F5)"));
        QCOMPARE(ui->actionSimulation->text(), QStringLiteral("simulation"));
        QCOMPARE(ui->actionBodyCentor->toolTip(), QStringLiteral("body centor"));
        QVERIFY(ui->actionConnect->isCheckable());
        QVERIFY(!ui->actionSimulation->isCheckable());
        QCOMPARE(ui->actionZhTradition->text(), QStringLiteral("繁體中文"));
        // Tool bar entries in order, separators as empty names.
        QStringList entries;
        for (QAction *a : ui->toolBar_4->actions())
            entries << a->objectName();
        QCOMPARE(entries.join(QLatin1Char(',')),
                 QStringLiteral("actionRead_all_joint_position_data,actionRead_hand_joint_position_data,"
                                "actionRead_leg_joint_position_data,,actionReset_robot,,actionConnect"));
        QCOMPARE(window->toolBarArea(ui->toolBar_3), Qt::LeftToolBarArea);
        QCOMPARE(window->toolBarArea(ui->toolBar_2), Qt::TopToolBarArea);
        QCOMPARE(ui->menuInsert_frame->actions().size(), 3);
        QCOMPARE(ui->menuSetting->title(), QStringLiteral("syste&m"));
    }

    void noShortcutIsTakenTwice()
    {
        start();
        QMap<QKeySequence, QString> owners;
        QStringList clashes;
        for (QAction *a : window->findChildren<QAction *>()) {
            for (const QKeySequence &key : a->shortcuts()) {
                if (owners.contains(key))
                    clashes << key.toString() + QLatin1Char(':') + owners[key] + QLatin1Char('/') + a->objectName();
                owners.insert(key, a->objectName());
            }
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char(' '))));
        QCOMPARE(owners.size(), 19);  // Escape: stop
    }

    void previewKeysTriggerTheirActions()
    {
        start();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QSignalSpy play(ui->actionSimulation, &QAction::triggered);
        QSignalSpy pause(ui->actionPause_simulation, &QAction::triggered);
        QSignalSpy stop(ui->actionStop_simulation, &QAction::triggered);
        auto counts = [&] { return QStringLiteral("%1 %2 %3").arg(play.count()).arg(pause.count()).arg(stop.count()); };
        QTest::keyClick(window.get(), Qt::Key_F5);
        QCOMPARE(counts(), QStringLiteral("1 0 0"));
        QTest::keyClick(window.get(), Qt::Key_F6);
        QCOMPARE(counts(), QStringLiteral("1 1 0"));
        QTest::keyClick(window.get(), Qt::Key_F5, Qt::ShiftModifier);
        QCOMPARE(counts(), QStringLiteral("1 1 1"));
        // Also while an editor of the joint panel has the focus.
        ui->spinBoxOperationTime->setFocus();
        QTest::keyClick(ui->spinBoxOperationTime, Qt::Key_F5);
        QCOMPARE(counts(), QStringLiteral("2 1 1"));
    }

    void firstStartWritesDefaults()
    {
        start();
        QCOMPARE(initFile(), initfile::format(1, 2, 1));
        QCOMPARE(checked({ui->actionEnglish, ui->actionZhSimple, ui->actionZhTradition}),
                 QStringLiteral("actionEnglish"));
        QVERIFY(ui->action128_128->isChecked());
        QVERIFY(ui->actionBubble->isChecked());
        QCOMPARE(ui->openGLWidget->backgroundChoice, 0);
        QCOMPARE(ui->listWidgetGraphicOperation->iconSize(), QSize(128, 128));
        QVERIFY(initFile().endsWith("\r\nMVOL:100;\r\n"));
        QCOMPARE(window->music().listeningVolume(), 100);
        QCOMPARE(window->music().player().volume(), 100);
    }

    void listeningVolumeControl()
    {
        start();
        QSlider &control = window->music().listeningVolumeControl();
        // On the tool bar of the music actions, right after them, along the bar.
        QToolBar *bar = ui->toolBar_3;
        QVERIFY(bar->actions().contains(ui->actionPlay_music));
        const QList<QAction *> entries = bar->actions();
        const int stopAt = entries.indexOf(ui->actionStop_music);
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
        window->addToolBar(Qt::TopToolBarArea, bar);
        QCOMPARE(control.orientation(), Qt::Horizontal);
        window->addToolBar(Qt::LeftToolBarArea, bar);
        QCOMPARE(control.orientation(), Qt::Vertical);
    }

    void listeningVolumeIsRemembered()
    {
        startWith("LANG:eng;\r\nPICS:256;\r\nBAKG:mon;\r\n");
        QSlider &control = window->music().listeningVolumeControl();
        QMediaPlayer &player = window->music().player();
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
        ui->action64_64->trigger();
        QCOMPARE(initFile(), initfile::format(1, 1, 4, 10));
        ui->actionZhTradition->trigger();
        QCOMPARE(initFile(), initfile::format(3, 1, 4, 10));
        // The frame's volume is the robot's: it neither moves the player nor the file.
        ui->horizontalSliderVolume->setValue(80);
        QCOMPARE(player.volume(), 10);
        QCOMPARE(control.value(), 10);
        QCOMPARE(initFile(), initfile::format(3, 1, 4, 10));

        // The next start plays at that volume; silence is kept too.
        startWith(initfile::format(1, 2, 1, 10).constData());
        QCOMPARE(window->music().listeningVolume(), 10);
        QCOMPARE(window->music().player().volume(), 10);
        startWith("MVOL:000;\r\n");
        QCOMPARE(window->music().listeningVolume(), 0);
        QCOMPARE(window->music().player().volume(), 0);
        QCOMPARE(initFile(), QByteArray("MVOL:000;\r\n"));
        // An unreadable value falls back to full volume.
        startWith("MVOL:loud;\r\n");
        QCOMPARE(window->music().listeningVolume(), 100);
        QVERIFY(prompt->calls.isEmpty());
    }

    void savedChoicesComeBack()
    {
        startWith("#This is a init file.\r\nLANG:zhs;\r\nPICS:256;\r\nBAKG:mon;\r\n");
        QCOMPARE(checked({ui->actionEnglish, ui->actionZhSimple, ui->actionZhTradition}),
                 QStringLiteral("actionZhSimple"));
        QVERIFY(ui->action256_256->isChecked());
        QVERIFY(!ui->action128_128->isChecked());
        QCOMPARE(ui->listWidgetGraphicOperation->iconSize(), QSize(256, 256));
        QVERIFY(ui->actionMoon->isChecked());
        QCOMPARE(ui->openGLWidget->backgroundChoice, 4);
    }

    void emptyLineStopsTheLoader()
    {
        const char *text = "LANG:zht;\r\n\r\nPICS:256;\r\nBAKG:mon;\r\n";
        startWith(text);
        QVERIFY(ui->actionZhTradition->isChecked());
        QCOMPARE(ui->listWidgetGraphicOperation->iconSize(), QSize(128, 128));
        QCOMPARE(ui->openGLWidget->backgroundChoice, 0);
        QCOMPARE(initFile(), QByteArray(text));
    }

    void unknownOrLowerCaseLanguage()
    {
        startWith("LANG:fra;\n");
        QCOMPARE(checked({ui->actionEnglish, ui->actionZhSimple, ui->actionZhTradition}),
                 QStringLiteral("actionEnglish"));
        startWith("lang:zhs;\n");
        QCOMPARE(checked({ui->actionEnglish, ui->actionZhSimple, ui->actionZhTradition}),
                 QString());
    }

    void languageChoice()
    {
        startWith("LANG:eng;\r\nPICS:192;\r\nBAKG:sun;\r\n");
        ui->actionZhSimple->trigger();
        QCOMPARE(checked({ui->actionEnglish, ui->actionZhSimple, ui->actionZhTradition}),
                 QStringLiteral("actionZhSimple"));
        QCOMPARE(initFile(), initfile::format(2, 3, 2));
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("warning"));
        // The notice comes while the new language's translator is installed.
        QCOMPARE(prompt->calls[0].title, catalogue("gaitForge_zh_simple", "warning"));
        QCOMPARE(prompt->calls[0].text,
                 catalogue("gaitForge_zh_simple", "You have to reboot the software to get the full language support!"));
        // The window's texts were set anew in Chinese; texts made later stay English.
        QCOMPARE(ui->tabWidget->tabText(0), catalogue("gaitForge_zh_simple", "edit robot motion"));
        QCOMPARE(window->windowTitle(), catalogue("gaitForge_zh_simple", "ZEL gait forge"));
        QCOMPARE(MainWindow::tr("warning"), QStringLiteral("warning"));

        ui->actionZhTradition->trigger();
        QCOMPARE(ui->tabWidget->tabText(0), catalogue("gaitForge_zh_traditional", "edit robot motion"));
        ui->actionEnglish->trigger();
        QCOMPARE(ui->tabWidget->tabText(0), QStringLiteral("edit robot motion"));
        QCOMPARE(window->windowTitle(), QStringLiteral("ZEL gait forge"));
        QCOMPARE(initFile(), initfile::format(1, 3, 2));
        QCOMPARE(prompt->calls.size(), 3);
        QCOMPARE(prompt->calls[2].title, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[2].text,
                 QStringLiteral("You have to reboot the software to get the full language support!"));
    }

    void pictureSizeAndBackground()
    {
        startWith("BAKG:mon;\n");
        ui->action192_192->trigger();
        QCOMPARE(checked({ui->action64_64, ui->action128_128, ui->action192_192, ui->action256_256,
                          ui->action320_320}),
                 QStringLiteral("action192_192"));
        QCOMPARE(ui->listWidgetGraphicOperation->iconSize(), QSize(192, 192));
        QVERIFY(initFile().contains("PICS:192;\r\n"));
        QVERIFY(initFile().contains("BAKG:mon;\r\n"));

        // No frames: the view and the file change, no picture regeneration starts.
        ui->actionSun->trigger();
        QCOMPARE(ui->openGLWidget->backgroundChoice, 2);
        QVERIFY(initFile().contains("BAKG:sun;\r\n"));
        QCOMPARE(window->frameList().refreshState(), 0);

        // With frames the pictures are drawn again from the first one.
        window->document().restore(QVector<int>(2 * frametable::ColumnCount, 0));
        window->frameList().setRefreshState(0);
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        window->frameList().setRefreshTick(7);
        ui->actionBubble->trigger();
        QCOMPARE(ui->openGLWidget->backgroundChoice, 1);
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 0);
        QCOMPARE(window->frameList().refreshTick(), 0);
        QCOMPARE(window->frameList().refreshState(), 1);
        QCOMPARE(initFile(), initfile::format(1, 3, 1));
        QVERIFY(prompt->calls.isEmpty());
    }

    void tabsSwitchToolBars()
    {
        start();
        auto shown = [&](QToolBar *t) { return !t->isHidden(); };
        // The left editing tool bars stay beside the pages, disabled; the top ones hide.
        auto idle = [&](QToolBar *t) { return shown(t) && !t->isEnabled(); };
        ui->tabWidget->setCurrentIndex(3);
        QVERIFY(idle(ui->mainToolBar) && !shown(ui->toolBar) && !shown(ui->toolBar_2)
                && idle(ui->toolBar_3));
        QVERIFY(shown(ui->toolBar_4) && !shown(ui->toolBar_5));
        QVERIFY(!ui->actionReset_robot->isEnabled());
        ui->tabWidget->setCurrentIndex(2);
        QVERIFY(shown(ui->toolBar_5) && idle(ui->toolBar_3));
        ui->tabWidget->setCurrentIndex(1);
        QVERIFY(!shown(ui->toolBar_5) && !shown(ui->toolBar));
        ui->tabWidget->setCurrentIndex(0);
        QVERIFY(shown(ui->mainToolBar) && shown(ui->toolBar) && shown(ui->toolBar_2) && shown(ui->toolBar_3)
                && shown(ui->toolBar_4) && !shown(ui->toolBar_5));
        for (QToolBar *t : {ui->mainToolBar, ui->toolBar, ui->toolBar_2, ui->toolBar_3})
            QVERIFY2(t->isEnabled(), qPrintable(t->objectName()));
        QVERIFY(ui->actionReset_robot->isEnabled());
    }

    void flashGuard()
    {
        start();
        ui->actionEnable->trigger();
        QVERIFY(ui->actionEnable->isChecked() && !ui->actionDisable->isChecked());
        QVERIFY(ui->pushButtonFormatFlash->isEnabled());
        ui->actionDisable->trigger();
        QVERIFY(!ui->actionEnable->isChecked() && ui->actionDisable->isChecked());
        QVERIFY(!ui->pushButtonFormatFlash->isEnabled());
        // Choosing the checked entry again keeps it checked.
        ui->actionDisable->trigger();
        QVERIFY(ui->actionDisable->isChecked());
        const QByteArray before = initFile();
        ui->actionEnable->trigger();
        QCOMPARE(initFile(), before);
    }

    void helpEntries()
    {
        start();
        // No manual: the program says where it looked.
        ui->actionManual->trigger();
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[0].text, QStringLiteral("The manual was not found. gaitForge looked for it here:\n")
                                              + QDir::currentPath() + QStringLiteral("/manual.pdf"));
        prompt->calls.clear();
        QFile manual(QStringLiteral("manual.pdf"));
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.close();
        ui->actionAbout->trigger();
        ui->actionRealease_notes->trigger();
        ui->actionManual->trigger();
        ui->actionUpdate->trigger();
        ui->actionFirmware_version->trigger();
        QCOMPARE(prompt->calls.size(), 4);
        const auto &about = prompt->calls[0];
        QCOMPARE(about.kind, QStringLiteral("aboutWithPicture"));
        QCOMPARE(about.title, QStringLiteral("about"));
        QCOMPARE(about.extra, QStringLiteral(":/icons/icons/robot-toy.png"));
        QVERIFY(about.text.contains(QStringLiteral("<p align='center'><b>ZEL gait forge</b></p>")));
        QVERIFY(about.text.contains(QStringLiteral("<p align='center'>Version 1.2</p>")));
        QVERIFY(!QPixmap(about.extra).isNull());
        const auto &notes = prompt->calls[1];
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
        QCOMPARE(prompt->calls[2].kind, QStringLiteral("openUrl"));
        QCOMPARE(prompt->calls[2].extra, QUrl::fromLocalFile(QDir::currentPath() + "/manual.pdf").toString());
        QCOMPARE(prompt->calls[3].extra, QString::fromLatin1(HelpMenu::kMakerWebPage));
    }

    // In Chinese, help -> manual opens that language's edition; without it,
    // the English manual with a note, once a run.
    void manualOfTheInterfaceLanguage()
    {
        start();
        QFile english(QStringLiteral("manual.pdf"));
        QVERIFY(english.open(QIODevice::WriteOnly));
        english.close();
        ui->actionZhTradition->trigger();
        prompt->calls.clear();
        ui->actionManual->trigger();
        ui->actionManual->trigger();
        QCOMPARE(prompt->calls.size(), 3);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("information"));
        // (Boxes follow the language the program started in: English here.)
        QCOMPARE(prompt->calls[0].title, QStringLiteral("manual"));
        QCOMPARE(prompt->calls[0].text,
                 QStringLiteral("The manual in Traditional Chinese was not found; the English manual is shown."));
        QCOMPARE(prompt->calls[1].extra, QUrl::fromLocalFile(QDir::currentPath() + "/manual.pdf").toString());
        QCOMPARE(prompt->calls[2].extra, QUrl::fromLocalFile(QDir::currentPath() + "/manual.pdf").toString());

        QFile traditional(QStringLiteral("manual.zh_traditional.pdf"));
        QVERIFY(traditional.open(QIODevice::WriteOnly));
        traditional.close();
        prompt->calls.clear();
        ui->actionManual->trigger();
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].extra,
                 QUrl::fromLocalFile(QDir::currentPath() + "/manual.zh_traditional.pdf").toString());

        // Simplified: its own note, its own edition's name.
        ui->actionZhSimple->trigger();
        prompt->calls.clear();
        ui->actionManual->trigger();
        QCOMPARE(prompt->calls.size(), 2);
        QCOMPARE(prompt->calls[0].text,
                 QStringLiteral("The manual in Simplified Chinese was not found; the English manual is shown."));
        QCOMPARE(prompt->calls[1].extra, QUrl::fromLocalFile(QDir::currentPath() + "/manual.pdf").toString());
        ui->actionEnglish->trigger();
    }

    void keyTracking()
    {
        start();
        QTest::keyPress(window.get(), Qt::Key_Shift);
        QVERIFY(window->frameList().heldKeys().shift);
        QTest::keyPress(window.get(), Qt::Key_Control);
        QVERIFY(window->frameList().heldKeys().ctrl);
        QTest::keyRelease(window.get(), Qt::Key_Shift);
        QVERIFY(!window->frameList().heldKeys().shift);
        QVERIFY(window->frameList().heldKeys().ctrl);
        QTest::keyRelease(window.get(), Qt::Key_Control);
        QVERIFY(!window->frameList().heldKeys().ctrl);
        QTest::keyPress(window.get(), Qt::Key_A);
        QVERIFY(!window->frameList().heldKeys().shift && !window->frameList().heldKeys().ctrl);
    }

    // The 10 ms ticks sleep while nothing counts time and wake for whatever
    // does: an edit's settle countdown (its snapshot still comes), the
    // thumbnail walk, a playback (its clock runs with the wall clock's).
    void ticksSleepWhileNothingCounts()
    {
        start();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(!window->ticksRunning());
        QSignalSpy snapshots(&window->document(), &MotionDocument::snapshotRecorded);
        ui->actionCopy_frame->trigger();
        QTRY_COMPARE(snapshots.count(), 1);
        QTRY_COMPARE(window->frameList().refreshState(), 0);
        QTRY_VERIFY(!window->ticksRunning());
        prompt->answers.enqueue(QMessageBox::No);   // the model alone
        ui->actionSimulation->trigger();
        QVERIFY(window->playback().running());
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY(window->playback().stepper().clock() >= 300);
        QVERIFY(clock.elapsed() >= 250);
        QVERIFY(window->ticksRunning());
    }

    void everyIconOfTheActionsExists()
    {
        start();
        for (QAction *a : window->findChildren<QAction *>()) {
            if (a->objectName().startsWith(QLatin1String("action")) && !a->icon().isNull())
                QVERIFY2(!a->icon().pixmap(32).isNull(), qPrintable(a->objectName()));
        }
        QVERIFY(!ui->actionSave->icon().isNull());
        for (const char *name : {"save_on", "mute_128x128", "volume25_128x128", "volume50_128x128", "volume75_128x128",
                                 "volume100_128x128", "send_list", "send_list_s", "head", "remote_f", "remote_c",
                                 "a_r", "a_s"})
            QVERIFY2(!QPixmap(QStringLiteral(":/icons/icons/%1.png").arg(QLatin1String(name))).isNull(), name);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
