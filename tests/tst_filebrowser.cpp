// The robot file browser against the virtual robot: listing a folder, the
// context menu, running, deleting (and the configure file guard), fetching
// and sending files with their progress and notices, refused files and names,
// one transfer at a time, formatting the flash, and every action with the
// link down.

#include <QtTest>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "app/mainwindow.h"
#include "files/filebrowser.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "link/serialportthread.h"
#include "support/testfiles.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace packet;

using namespace testfiles;

class TestFileBrowser : public QObject
{
    Q_OBJECT

    QString startDir;
    std::unique_ptr<QTemporaryDir> workDir;

    using Started = StartedWindow;
    // A window in a fresh working directory whose port list offers the robot.
    Started start(const QString &port = QString()) { return startWindow(workDir, port); }

    static void disconnect(Started &s)
    {
        s.ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->robotLink().isRunning(), 5000);
    }

    static int count(const ScriptedPrompt *prompt, const QString &title) { return countTitled(prompt, title); }

    static void writeFile(const QString &path, const QByteArray &data)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(data), qint64(data.size()));
    }



    static QStringList listed(const Started &s)
    {
        QStringList names;
        for (int i = 0; i < s.ui->listWidgetFileList->count(); ++i)
            names << s.ui->listWidgetFileList->item(i)->text();
        return names;
    }

    // Lists folder (0 or 1) and waits until the list holds n names.
    static void refresh(Started &s, int folder, int n)
    {
        s.ui->comboBoxRobotFileFolder->blockSignals(true);
        s.ui->comboBoxRobotFileFolder->setCurrentIndex(folder);
        s.ui->comboBoxRobotFileFolder->blockSignals(false);
        s.ui->pushButtonRefresh->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->listWidgetFileList->count(), n, 5000);
    }

    // Opens the list's context menu at pos; returns the texts of the menu shown
    // (empty when none was) after triggering the action named choose.
    static QStringList contextMenu(Started &s, const QPoint &pos, const QString &choose = QString())
    {
        QStringList texts;
        bool looked = false;
        // Runs in the menu's own loop when one is shown, else right after.
        QTimer::singleShot(0, s.window.get(), [&texts, &looked, choose] {
            looked = true;
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            QAction *chosen = nullptr;
            for (QAction *action : menu->actions()) {
                texts << action->text();
                if (action->text() == choose)
                    chosen = action;
            }
            menu->close();
            if (chosen)
                chosen->trigger();
        });
        emit s.ui->listWidgetFileList->customContextMenuRequested(pos);
        if (!QTest::qWaitFor([&looked] { return looked; }, 5000))
            texts << QStringLiteral("<the menu was never looked at>");
        return texts;
    }

    // Shows the window on the "file list" tab (for positions in the list).
    static bool showFileList(Started &s)
    {
        for (QWidget *w = s.ui->listWidgetFileList; w; w = w->parentWidget())
            if (auto *tabs = qobject_cast<QTabWidget *>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
                if (qobject_cast<QStackedWidget *>(w->parentWidget()))
                    tabs->setCurrentWidget(w);
        s.window->show();
        return QTest::qWaitForWindowExposed(s.window.get());
    }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase()
    {
        QDir::setCurrent(startDir);
        workDir.reset();
    }

    // With the link down every action sends nothing and says nothing beyond
    // its own dialog; a refresh still empties the list; the configure file is
    // still refused after the question.
    void withoutLink()
    {
        auto s = start(QString());
        s.ui->listWidgetFileList->addItem(QStringLiteral("walk.ini"));
        s.ui->listWidgetFileList->addItem(QStringLiteral("robotcfg.ini"));
        s.ui->pushButtonRefresh->click();
        QCOMPARE(s.ui->listWidgetFileList->count(), 0);
        QVERIFY(s.prompt->calls.isEmpty());
        s.ui->listWidgetFileList->addItem(QStringLiteral("walk.ini"));
        s.ui->comboBoxRobotFileFolder->setCurrentIndex(1);
        QCOMPARE(s.ui->listWidgetFileList->count(), 0);
        s.ui->comboBoxRobotFileFolder->setCurrentIndex(0);
        QVERIFY(s.prompt->calls.isEmpty());

        const QString local = QDir::currentPath() + QStringLiteral("/walk.ini");
        writeFile(local, "FRAME:1;\r\n");
        s.prompt->answers << local;
        s.ui->pushButtonSendFile->click();
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("openFileName"));
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("Please select a robot operation file or music file"));
        QCOMPARE(s.prompt->calls[0].extra, QStringLiteral("robot files (*.ini *.mp3 *.wav *.jpg)"));

        s.ui->listWidgetFileList->addItem(QStringLiteral("walk.ini"));
        s.ui->listWidgetFileList->setCurrentRow(0);
        s.prompt->calls.clear();
        s.window->fileBrowser().runCurrentFile();
        QVERIFY(s.prompt->calls.isEmpty());
        s.window->fileBrowser().deleteCurrentFile();
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text, QStringLiteral("Do  you want to delete the file ?"));
        QCOMPARE(s.prompt->calls[0].buttons, QMessageBox::Yes | QMessageBox::No);
        s.prompt->answers << (QDir::currentPath() + QStringLiteral("/got.ini"));
        s.window->fileBrowser().getCurrentFile();
        QCOMPARE(s.prompt->calls.size(), 2);
        QCOMPARE(s.prompt->calls[1].kind, QStringLiteral("saveFileName"));
        QCOMPARE(s.prompt->calls[1].title, QStringLiteral("save file from robot"));
        QCOMPARE(s.prompt->calls[1].extra, QStringLiteral("robot file (*.ini *.mp3 *.wav)"));
        QVERIFY(!QFile::exists(QStringLiteral("got.ini")));

        s.ui->listWidgetFileList->item(0)->setText(QStringLiteral("robotcfg.ini"));
        s.prompt->calls.clear();
        s.window->fileBrowser().deleteCurrentFile();
        QCOMPARE(s.prompt->calls.size(), 2);
        QCOMPARE(s.prompt->calls[1].title, QStringLiteral("error"));
        QCOMPARE(s.prompt->calls[1].text, QStringLiteral("You can't delete the configure file."));

        s.ui->actionEnable->trigger();
        s.prompt->calls.clear();
        s.ui->pushButtonFormatFlash->click();
        QVERIFY(s.prompt->calls.isEmpty());
        QVERIFY(s.ui->textBrowser->toPlainText().isEmpty());
        QCOMPARE(s.window->robotLink().worker().sendJob.load(), 0);
        QCOMPARE(s.window->robotLink().worker().getJob.load(), 0);
    }

    // Each refresh lists the chosen drive, in the robot's order, the last name
    // current; no valid folder empties the list and asks nothing.
    void refreshListsChosenFolder()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        writeFile(robot.drive(0) + QStringLiteral("/a.ini"), "FRAME:1;\r\n");
        writeFile(robot.drive(1) + QStringLiteral("/b.ini"), "FRAME:2;\r\n");
        writeFile(robot.drive(1) + QStringLiteral("/c.mp3"), "ID3");
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        refresh(s, 1, 2);
        QCOMPARE(listed(s), QStringList({"b.ini", "c.mp3"}));
        QCOMPARE(s.ui->listWidgetFileList->currentRow(), 1);
        QVERIFY(robot.requests(QStringLiteral("ListFolder")).last().contains(QStringLiteral("folder=\"1:/robotsys\"")));
        refresh(s, 0, 1);
        QCOMPARE(listed(s), QStringList({"a.ini"}));
        QVERIFY(robot.requests(QStringLiteral("ListFolder")).last().contains(QStringLiteral("folder=\"0:/robotsys\"")));

        // Choosing the other folder lists it: no name of one folder is ever
        // acted on in the other.
        s.ui->comboBoxRobotFileFolder->setCurrentIndex(1);
        QCOMPARE(s.ui->listWidgetFileList->count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(listed(s), QStringList({"b.ini", "c.mp3"}), 5000);
        QCOMPARE(robot.requests(QStringLiteral("ListFolder")).size(), 3);

        const int lists = robot.requests(QStringLiteral("ListFolder")).size();
        s.ui->comboBoxRobotFileFolder->setCurrentIndex(-1);
        s.ui->pushButtonRefresh->click();
        QCOMPARE(s.ui->listWidgetFileList->count(), 0);
        QTest::qWait(150);
        QCOMPARE(robot.requests(QStringLiteral("ListFolder")).size(), lists);
        QVERIFY(s.prompt->calls.isEmpty());
        disconnect(s);
    }

    // The menu offers run, delete and get for the item under the click (made
    // current); the empty part of the list shows no menu. Run selects the
    // file on the robot, then plays it.
    void contextMenuAndRun()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        writeFile(robot.drive(1) + QStringLiteral("/b.ini"), "FRAME:2;\r\n");
        writeFile(robot.drive(1) + QStringLiteral("/c.ini"), "FRAME:3;\r\n");
        auto s = start(robot.port);
        QVERIFY(showFileList(s));
        QVERIFY(connectAndGreet(s));
        refresh(s, 1, 2);
        QListWidget *list = s.ui->listWidgetFileList;
        QCOMPARE(list->currentRow(), 1);

        const QPoint first = list->visualItemRect(list->item(0)).center();
        QCOMPARE(contextMenu(s, first), QStringList({"run", "delete", "get this file"}));
        QCOMPARE(list->currentRow(), 0);
        const QPoint below(first.x(), list->visualItemRect(list->item(1)).bottom() + 20);
        QVERIFY(list->itemAt(below) == nullptr);
        QCOMPARE(contextMenu(s, below), QStringList());

        const int before = robot.requests().size();
        contextMenu(s, first, QStringLiteral("run"));
        QTRY_VERIFY_WITH_TIMEOUT(robot.requests().size() >= before + 2, 5000);
        const QStringList sent = robot.requests().mid(before);
        QVERIFY2(sent[0].startsWith(QStringLiteral("RunFile")) && sent[0].contains(QStringLiteral("path=\"1:/robotsys/b.ini\"")),
                 qPrintable(sent[0]));
        QVERIFY2(sent[1].startsWith(QStringLiteral("PlayControl")) && sent[1].endsWith(QStringLiteral("payload=0100")),
                 qPrintable(sent[1]));
        QVERIFY(s.prompt->calls.isEmpty());
        disconnect(s);
    }

    // Delete asks first, then deletes and lists the folder again; the
    // configure file (in any case, with anything after its name) is refused
    // after the question and stays on the robot.
    void deleteFile()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        for (const char *name : {"b.ini", "robotcfg.ini", "ROBOTCFG.INI.bak", "z.ini"})
            writeFile(robot.drive(0) + QLatin1Char('/') + QLatin1String(name), "x");
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        refresh(s, 0, 4);

        // Answered No: nothing happens.
        s.ui->listWidgetFileList->setCurrentRow(listed(s).indexOf(QStringLiteral("b.ini")));
        s.prompt->answers << int(QMessageBox::No);
        s.window->fileBrowser().deleteCurrentFile();
        QTest::qWait(150);
        QVERIFY(robot.requests(QStringLiteral("DeleteFile")).isEmpty());
        QCOMPARE(s.ui->listWidgetFileList->count(), 4);

        for (const QString &guarded : {QStringLiteral("robotcfg.ini"), QStringLiteral("ROBOTCFG.INI.bak")}) {
            s.prompt->calls.clear();
            s.ui->listWidgetFileList->setCurrentRow(listed(s).indexOf(guarded));
            s.window->fileBrowser().deleteCurrentFile();  // the question answers Yes by default
            QCOMPARE(s.prompt->calls.size(), 2);
            QCOMPARE(s.prompt->calls[1].title, QStringLiteral("error"));
            QCOMPARE(s.prompt->calls[1].text, QStringLiteral("You can't delete the configure file."));
            QCOMPARE(s.ui->listWidgetFileList->count(), 4);
        }
        QTest::qWait(150);
        QVERIFY(robot.requests(QStringLiteral("DeleteFile")).isEmpty());

        s.prompt->calls.clear();
        const int lists = robot.requests(QStringLiteral("ListFolder")).size();
        s.ui->listWidgetFileList->setCurrentRow(listed(s).indexOf(QStringLiteral("b.ini")));
        s.window->fileBrowser().deleteCurrentFile();
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->listWidgetFileList->count(), 3, 5000);
        QCOMPARE(listed(s), QStringList({"ROBOTCFG.INI.bak", "robotcfg.ini", "z.ini"}));
        QVERIFY(!QFile::exists(robot.drive(0) + QStringLiteral("/b.ini")));
        QVERIFY(QFile::exists(robot.drive(0) + QStringLiteral("/robotcfg.ini")));
        const QStringList deletes = robot.requests(QStringLiteral("DeleteFile"));
        QCOMPARE(deletes.size(), 1);
        QVERIFY(deletes[0].endsWith(QStringLiteral("path=\"0:/robotsys/b.ini\" deleted")));
        // The list is asked for after the delete.
        QCOMPARE(robot.requests(QStringLiteral("ListFolder")).size(), lists + 1);
        const QStringList all = robot.requests();
        QVERIFY(all.lastIndexOf(QRegularExpression(QStringLiteral("^ListFolder.*")))
                > all.lastIndexOf(QRegularExpression(QStringLiteral("^DeleteFile.*"))));
        QCOMPARE(s.prompt->calls.size(), 1);
        disconnect(s);
    }

    // A fetch writes the robot's file byte for byte and ends with the notice;
    // a cancelled dialog or a file that cannot be written sends nothing.
    void getFile()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        const QByteArray content = randomBytes(3000, 7);
        writeFile(robot.drive(1) + QStringLiteral("/song.mp3"), content);
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        refresh(s, 1, 1);

        s.window->fileBrowser().getCurrentFile();  // cancelled
        QCOMPARE(s.prompt->calls.size(), 1);
        s.prompt->answers << QStringLiteral("/no/such/folder/song.mp3");
        s.window->fileBrowser().getCurrentFile();
        QCOMPARE(s.prompt->calls.size(), 3);
        QCOMPARE(s.prompt->calls[2].title, QStringLiteral("error"));
        QCOMPARE(s.prompt->calls[2].text, QStringLiteral("The file /no/such/folder/song.mp3 cannot be written."));
        QTest::qWait(150);
        QVERIFY(robot.requests(QStringLiteral("GetFile")).isEmpty());
        QCOMPARE(s.window->robotLink().worker().getJob.load(), 0);

        s.prompt->calls.clear();
        const QString local = QDir::currentPath() + QStringLiteral("/fetched.mp3");
        writeFile(local, "old content, longer than nothing");
        s.prompt->answers << local;
        s.window->fileBrowser().getCurrentFile();
        QCOMPARE(s.ui->progressBarTransFile->value(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(count(s.prompt, QStringLiteral("finish")), 1, 10000);
        // The notice says what was checked.
        QCOMPARE(s.prompt->calls.last().text, QStringLiteral("Trans file finished. Checked: 3 copies of song.mp3 (3000 bytes) fetched one after the other were identical and no frame arrived damaged."));
        QCOMPARE(s.ui->progressBarTransFile->value(), 100);
        QCOMPARE(s.ui->progressBarTransFileList->value(), 100);
        QTRY_COMPARE_WITH_TIMEOUT(s.window->robotLink().worker().getJob.load(), 0, 5000);
        QCOMPARE(readFile(local), content);
        QVERIFY(robot.requests(QStringLiteral("GetFile")).last().contains(QStringLiteral("path=\"1:/robotsys/song.mp3\"")));
        disconnect(s);
    }

    // A send stores the file on the robot byte for byte, reports its progress
    // on both bars (from 0), ends with the notice and the status bar message,
    // and lists the folder again, so the new file shows; a Chinese name goes
    // out in GB2312. While it runs a second transfer is refused.
    void sendFile()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        refresh(s, 0, 0);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("ListFolder")).size(), 1, 5000);
        const int lists = 1;

        const QByteArray content = randomBytes(20000, 11);
        const QString local = QDir::currentPath() + QStringLiteral("/dance.ini");
        writeFile(local, content);
        QList<int> shown;
        connect(s.ui->progressBarTransFile, &QProgressBar::valueChanged, [&shown](int v) { shown << v; });
        s.ui->progressBarTransFile->setValue(100);  // what an earlier transfer left
        shown.clear();
        s.prompt->answers << local;
        s.ui->pushButtonSendFile->click();
        QCOMPARE(s.ui->progressBarTransFile->value(), 0);

        // One transfer at a time.
        s.prompt->answers << local;
        s.ui->pushButtonSendFile->click();
        QCOMPARE(s.prompt->calls.size(), 3);
        QCOMPARE(s.prompt->calls[2].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[2].text, QStringLiteral("A file transfer is running. Please wait until it has finished."));
        s.prompt->answers << (QDir::currentPath() + QStringLiteral("/other.ini"));
        s.ui->listWidgetFileList->addItem(QStringLiteral("x.ini"));
        s.ui->listWidgetFileList->setCurrentRow(0);
        s.window->fileBrowser().getCurrentFile();
        QCOMPARE(s.prompt->calls.size(), 5);
        QCOMPARE(s.prompt->calls[4].text, QStringLiteral("A file transfer is running. Please wait until it has finished."));
        QCOMPARE(s.window->robotLink().worker().localFilePath(), local);

        QTRY_COMPARE_WITH_TIMEOUT(count(s.prompt, QStringLiteral("finish")), 1, 15000);
        QCOMPARE(s.window->statusBar()->currentMessage(), QStringLiteral("Trans file finished."));
        QCOMPARE(s.ui->progressBarTransFile->value(), 100);
        QCOMPARE(s.ui->progressBarTransFileList->value(), 100);
        QVERIFY2(shown.size() >= 4, qPrintable(QString::number(shown.size())));
        QCOMPARE(shown.first(), 0);
        QCOMPARE(shown.last(), 100);
        for (int i = 1; i < shown.size(); ++i)
            QVERIFY(shown[i] > shown[i - 1]);
        QTRY_COMPARE_WITH_TIMEOUT(s.window->robotLink().worker().sendJob.load(), 0, 5000);
        QCOMPARE(readFile(robot.drive(0) + QStringLiteral("/dance.ini")), content);
        // The robot's list shows the new file.
        QTRY_COMPARE_WITH_TIMEOUT(listed(s), QStringList({"dance.ini"}), 5000);
        QCOMPARE(robot.requests(QStringLiteral("ListFolder")).size(), lists + 1);

        QStringList sent = robot.requests();
        const int prepare = sent.indexOf(QRegularExpression(QStringLiteral("^PrepareTransfer.*")));
        QVERIFY(prepare >= 0);
        QVERIFY2(sent[prepare + 1].startsWith(QStringLiteral("FileBegin"))
                     && sent[prepare + 1].endsWith(QStringLiteral("path=\"0:/robotsys/dance.ini\" accepted")),
                 qPrintable(sent[prepare + 1]));
        QCOMPARE(robot.requests(QStringLiteral("FileData")).size(), (20000 + 127) / 128);
        QVERIFY(robot.requests(QStringLiteral("FileEnd")).last().endsWith(QStringLiteral("stored=yes bytes=20000")));
        QCOMPARE(robot.requests(QStringLiteral("PrepareTransfer")).size(), 1);
        QCOMPARE(robot.requests(QStringLiteral("TransferDone")).size(), 1);

        // A GB2312 name; the robot keeps its bytes.
        const QString chinese = QDir::currentPath() + QStringLiteral("/跳舞.ini");
        writeFile(chinese, "FRAME:1;\r\n");
        s.ui->comboBoxRobotFileFolder->blockSignals(true);
        s.ui->comboBoxRobotFileFolder->setCurrentIndex(1);
        s.ui->comboBoxRobotFileFolder->blockSignals(false);
        s.prompt->answers << chinese;
        s.ui->pushButtonSendFile->click();
        QTRY_COMPARE_WITH_TIMEOUT(count(s.prompt, QStringLiteral("finish")), 2, 10000);
        QCOMPARE(readFile(robot.drive(1) + QLatin1Char('/') + QString::fromLatin1("\xCC\xF8\xCE\xE8.ini")),
                 QByteArray("FRAME:1;\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(listed(s), QStringList({QStringLiteral("跳舞.ini")}), 5000);
        QVERIFY(robot.requests(QStringLiteral("ListFolder")).last().contains(QStringLiteral("folder=\"1:/robotsys\"")));
        disconnect(s);
    }

    // The drive boxes name their drives (the request still carries the
    // folder of the drive number). A list that does not come after a refresh
    // is said, rather than shown as an empty drive; time comes from the
    // link's clock seam.
    void refreshWithoutAnswer()
    {
        // The robot answers the greeting, then nothing.
        RobotSimProcess robot({QStringLiteral("--silent-after-answers"), QStringLiteral("1")});
        QVERIFY(robot.ok());
        writeFile(robot.drive(0) + QStringLiteral("/a.ini"), "FRAME:1;\r\n");
        auto s = start(robot.port);
        for (QComboBox *box : {s.ui->comboBoxRobotFileFolder, s.ui->comboBoxConfigFilePath}) {
            QCOMPARE(box->itemText(0), QStringLiteral("0: SD card"));
            QCOMPARE(box->itemText(1), QStringLiteral("1: flash"));
        }
        qint64 now = 0;
        s.window->robotLink().setClock([&now] { return now; });
        QVERIFY(connectAndGreet(s));
        QTRY_VERIFY_WITH_TIMEOUT(robot.process.state() == QProcess::Running && s.window->robotLink().isRunning(), 1000);
        s.ui->listWidgetFileList->addItem(QStringLiteral("old.ini"));
        s.ui->pushButtonRefresh->click();
        QCOMPARE(s.ui->listWidgetFileList->count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("ListFolder")).size(), 1, 2000);
        QVERIFY(robot.requests(QStringLiteral("ListFolder")).first().endsWith(QStringLiteral("silent")));
        QTRY_COMPARE_WITH_TIMEOUT(s.window->robotLink().pendingRequests(), 0, 2000);
        const auto advance = [&](int ms) {
            for (int t = 0; t < ms; t += 100) {
                now += 100;
                s.window->timerUpdate();
            }
        };
        advance(4800);
        QVERIFY(s.prompt->calls.isEmpty());
        advance(400);
        const QString text = QStringLiteral("The robot did not send the file list of 0: SD card.");
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text, text);
        QCOMPARE(s.window->statusBar()->currentMessage(), text);
        QCOMPARE(s.ui->listWidgetFileList->count(), 0);
        advance(1000);
        QCOMPARE(s.prompt->calls.size(), 1);
        disconnect(s);
    }

    // A fetch from the drive that lacks the file suggests the other drive.
    void fetchFromTheOtherDrive()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        writeFile(robot.drive(1) + QStringLiteral("/song.mp3"), "ID3 song");
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        refresh(s, 0, 0);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("ListFolder")).size(), 1, 5000);
        QTest::qWait(100);
        s.ui->listWidgetFileList->addItem(QStringLiteral("song.mp3"));
        s.ui->listWidgetFileList->setCurrentRow(0);
        const QString local = QDir::currentPath() + QStringLiteral("/song.mp3");
        s.prompt->answers << local;
        s.window->fileBrowser().getCurrentFile();
        QTRY_COMPARE_WITH_TIMEOUT(count(s.prompt, QStringLiteral("warning")), 1, 10000);
        QCOMPARE(s.prompt->calls.last().text,
                 QStringLiteral("Fetching song.mp3 failed: the robot has no such file (it sent no data). The local "
                                "file was not changed. Perhaps it is on the other drive, 1: flash."));
        QVERIFY(!QFile::exists(local));
        disconnect(s);
    }

    // A name with no GB2312 form is refused before anything goes out; a file
    // the robot refuses is reported when the transfer has ended.
    void refusedFiles()
    {
        RobotSimProcess robot({QStringLiteral("--refuse-files")});
        QVERIFY(robot.ok());
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        const QString korean = QDir::currentPath() + QStringLiteral("/걷기.ini");
        writeFile(korean, "FRAME:1;\r\n");
        s.prompt->answers << korean;
        s.ui->pushButtonSendFile->click();
        QCOMPARE(s.prompt->calls.size(), 2);
        QVERIFY(s.prompt->calls[1].text.contains(QStringLiteral("걷기.ini")));
        QCOMPARE(s.window->robotLink().worker().sendJob.load(), 0);
        // A file that cannot be read is not announced to the robot either.
        s.prompt->answers << QStringLiteral("/no/such/folder/run.ini");
        s.ui->pushButtonSendFile->click();
        QCOMPARE(s.prompt->calls.size(), 4);
        QCOMPARE(s.prompt->calls[3].title, QStringLiteral("error"));
        QCOMPARE(s.prompt->calls[3].text, QStringLiteral("The file /no/such/folder/run.ini cannot be read."));
        QTest::qWait(100);
        QVERIFY(robot.requests(QStringLiteral("PrepareTransfer")).isEmpty());
        s.prompt->calls.clear();

        const QString local = QDir::currentPath() + QStringLiteral("/walk.ini");
        writeFile(local, randomBytes(3000, 3));
        s.prompt->answers << local;
        s.ui->pushButtonSendFile->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 2, 10000);
        QCOMPARE(s.prompt->calls[1].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[1].text, QStringLiteral("The robot refused the file walk.ini."));
        QCOMPARE(count(s.prompt, QStringLiteral("finish")), 0);
        QVERIFY(robot.requests(QStringLiteral("FileBegin")).last().endsWith(QStringLiteral("refused")));
        QCOMPARE(robot.requests(QStringLiteral("PrepareTransfer")).size(), 1);
        QVERIFY(!QFile::exists(robot.drive(0) + QStringLiteral("/walk.ini")));
        disconnect(s);
    }

    // Each watched job ends in one outcome: a failure as a warning with its
    // reason (bars back at 0), a success as an information; an outcome of a
    // job the browser does not watch says nothing.
    void jobOutcomes()
    {
        auto s = start(QString());
        RobotLink &link = s.window->robotLink();
        s.window->fileBrowser().watchFileJob(FileBrowser::WatchedJob::Get, QStringLiteral("song.mp3"));
        QVERIFY(s.window->findChild<QPushButton *>(QStringLiteral("pushButtonCancelTransFile"))->isEnabled());
        QVERIFY(s.window->findChild<QPushButton *>(QStringLiteral("pushButtonCancelTransFileList"))->isEnabled());
        s.ui->progressBarTransFile->setValue(40);
        QTest::qWait(120);
        QVERIFY(s.prompt->calls.isEmpty());  // still running
        FileJobResult silent;
        silent.job = FileJobResult::Get;
        silent.outcome = FileJobResult::RobotStopped;
        emit link.fileJobEnded(silent);
        const QString stopped = QStringLiteral("Fetching song.mp3 failed: the robot stopped sending before the end "
                                               "of the file. The local file was not changed.");
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text, stopped);
        QCOMPARE(s.window->statusBar()->currentMessage(), stopped);
        QCOMPARE(s.ui->progressBarTransFile->value(), 0);
        QVERIFY(!s.window->findChild<QPushButton *>(QStringLiteral("pushButtonCancelTransFile"))->isEnabled());
        // Told once: a second outcome of the same job is not shown.
        emit link.fileJobEnded(silent);
        QCOMPARE(s.prompt->calls.size(), 1);

        // A send the robot stopped acknowledging, after it took the file's
        // name: its copy is now cut, and the message says so.
        s.window->fileBrowser().watchFileJob(FileBrowser::WatchedJob::Send, QStringLiteral("walk.ini"));
        FileJobResult stalled;
        stalled.outcome = FileJobResult::NotAcknowledged;
        stalled.bytes = 2048;
        stalled.total = 100000;
        stalled.robotFileOpened = true;
        emit link.fileJobEnded(stalled);
        QCOMPARE(s.prompt->calls.size(), 2);
        QCOMPARE(s.prompt->calls[1].text, QStringLiteral("Sending walk.ini failed: the robot stopped acknowledging "
                                                         "at 2048 of 100000 bytes. The robot's copy of walk.ini is now "
                                                         "incomplete: it acknowledged 2048 of 100000 bytes."));

        // A fetch that succeeded: the information box.
        s.window->fileBrowser().watchFileJob(FileBrowser::WatchedJob::Get, QStringLiteral("b.ini"));
        FileJobResult whole;
        whole.job = FileJobResult::Get;
        whole.transferEnded = true;
        emit link.fileJobEnded(whole);
        QCOMPARE(s.prompt->calls.size(), 3);
        QCOMPARE(s.prompt->calls[2].kind, QStringLiteral("information"));
        QCOMPARE(s.prompt->calls[2].title, QStringLiteral("finish"));
        QCOMPARE(s.prompt->calls[2].text, QStringLiteral("Trans file finished."));
        QCOMPARE(s.ui->progressBarTransFile->value(), 100);
        // A send's outcome is not taken for the fetch being watched.
        s.window->fileBrowser().watchFileJob(FileBrowser::WatchedJob::Get, QStringLiteral("c.ini"));
        FileJobResult send;
        send.outcome = FileJobResult::Refused;
        emit link.fileJobEnded(send);
        QCOMPARE(s.prompt->calls.size(), 3);
    }

    // The button works only after the system menu enabled it; the robot's
    // answer shows the end.
    void formatFlash()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        writeFile(robot.drive(1) + QStringLiteral("/b.ini"), "x");
        writeFile(robot.drive(0) + QStringLiteral("/a.ini"), "x");
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        QVERIFY(!s.ui->pushButtonFormatFlash->isEnabled());
        s.ui->pushButtonFormatFlash->click();  // disabled: nothing
        QTest::qWait(100);
        QVERIFY(robot.requests(QStringLiteral("FormatFlash")).isEmpty());
        s.ui->actionEnable->trigger();
        QVERIFY(s.ui->pushButtonFormatFlash->isEnabled());
        s.ui->pushButtonFormatFlash->click();
        QTRY_COMPARE_WITH_TIMEOUT(count(s.prompt, QStringLiteral("format flash finish")), 1, 5000);
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].text, QStringLiteral("Format flash finished."));
        QVERIFY(robot.requests(QStringLiteral("FormatFlash")).last().endsWith(QStringLiteral("formatted")));
        QVERIFY(QDir(robot.drive(1)).entryList(QDir::Files).isEmpty());
        QVERIFY(QFile::exists(robot.drive(0) + QStringLiteral("/a.ini")));
        s.ui->actionDisable->trigger();
        QVERIFY(!s.ui->pushButtonFormatFlash->isEnabled());
        disconnect(s);
    }
};

QTEST_MAIN(TestFileBrowser)
#include "tst_filebrowser.moc"
