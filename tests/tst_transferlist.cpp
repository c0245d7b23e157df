// The transfer file list page in the window: rows kept in form, inserted and
// deleted, the remote's key buttons, source file dialogs, the list saved and
// opened; and whole lists sent to the virtual robot, with the files arriving
// under their robot names and each way a list send ends.

#include <QtTest>
#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>
#include <QTextCodec>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>

#include "files/transferlist.h"
#include "support/robotsimprocess.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace transferrows;
using namespace testfiles;

class TestTransferList : public QObject
{
    Q_OBJECT

    QString startDir;
    std::unique_ptr<QTemporaryDir> workDir;
    const QString P = QStringLiteral("------");

    static TransferList &page(StartedWindow &s) { return s.window->transferList(); }
    // The next send steps (as the window's timer runs them) start nothing:
    // no row is left to send and no file goes to the robot.
    static bool stepsStartNothing(StartedWindow &s)
    {
        for (int i = 0; i < 3; ++i)
            page(s).sendStep();
        return !page(s).sending() && !s.window->robotLink().jobRunning();
    }
    static QStandardItemModel &model(StartedWindow &s) { return page(s).model(); }

    // Writes a row cell by cell in column order, as a user would.
    static void fill(StartedWindow &s, int r, const Row &cells)
    {
        for (int c = 0; c < ColumnCount; ++c)
            model(s).setData(model(s).index(r, c), cells[c]);
    }
    static Row rowAt(StartedWindow &s, int r) { return page(s).rowTexts().value(r); }
    static QList<int> checkedKeys(StartedWindow &s)
    {
        QList<int> out;
        for (int k = 0; k < page(s).keyButtons().size(); ++k)
            if (page(s).keyButtons()[k]->isChecked())
                out << k;
        return out;
    }
    static void setCurrent(StartedWindow &s, int r, int c = 0)
    {
        s.ui->tableViewTransFileList->setCurrentIndex(r < 0 ? QModelIndex() : model(s).index(r, c));
    }
    static QStringList texts(const ScriptedPrompt *prompt, const QString &kind = QString())
    {
        QStringList out;
        for (const auto &call : prompt->calls)
            if (kind.isEmpty() || call.kind == kind)
                out << call.title + QStringLiteral(": ") + call.text;
        return out;
    }
    // Adds rows for the given cells at the end.
    static void addRows(StartedWindow &s, const QList<Row> &rows)
    {
        for (const Row &cells : rows) {
            setCurrent(s, model(s).rowCount() - 1);
            page(s).insertRow();
            fill(s, model(s).rowCount() - 1, cells);
        }
    }
    QString localFile(const QString &name, const QByteArray &data)
    {
        const QString path = workDir->filePath(name);
        writeFile(path, data);
        return path;
    }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase()
    {
        QDir::setCurrent(startDir);
        workDir.reset();
    }

    // Insert, delete, the form of the rows after each change, the key
    // buttons and the row click, the source file dialogs.
    void editing()
    {
        auto s = startWindow(workDir);
        // Each key button lies over its own key and shows a released and a
        // selected picture.
        QCOMPARE(page(s).keyButtons().size(), 24);
        for (int k = 0; k < 24; ++k) {
            QPushButton *button = page(s).keyButtons()[k];
            QCOMPARE(button->toolTip(), keyNames()[k]);
            QVERIFY(button->isCheckable());
            QStringList images;
            auto it = QRegularExpression(QStringLiteral("url\\((:[^)]+)\\)")).globalMatch(button->styleSheet());
            while (it.hasNext())
                images << it.next().captured(1);
            QCOMPARE(images.size(), 2);
            QVERIFY2(images[0].endsWith("_r.png") && images[1].endsWith("_s.png"), qPrintable(images.join(' ')));
            QVERIFY(QFile::exists(images[0]) && QFile::exists(images[1]));
        }
        page(s).deleteRow();  // no current row: nothing
        s.ui->actionInsert_transfer_file->trigger();
        QCOMPARE(model(s).rowCount(), 1);
        QCOMPARE(rowAt(s, 0), newRow());
        QCOMPARE(s.ui->tableViewTransFileList->currentIndex(), model(s).index(0, 0));
        fill(s, 0, {"walk", "remote motion file", "yes", "A", "B", "fall left", "x.mp3", "/w.ini", "sd card"});
        QCOMPARE(rowAt(s, 0), (Row{"walk", "remote motion file", "yes", "A", "B", P, P, "/w.ini", "sd card"}));
        // The new row goes after the current one.
        s.ui->actionInsert_transfer_file->trigger();
        QCOMPARE(s.ui->tableViewTransFileList->currentIndex().row(), 1);
        QCOMPARE(rowAt(s, 0)[Name], QStringLiteral("walk"));
        setCurrent(s, 0);
        s.ui->actionInsert_transfer_file->trigger();
        QCOMPARE(model(s).rowCount(), 3);
        QCOMPARE(rowAt(s, 1), newRow());
        s.ui->actionDelete_transfer_file->trigger();
        QCOMPARE(model(s).rowCount(), 2);
        QCOMPARE(rowAt(s, 0)[Name], QStringLiteral("walk"));

        // A row click shows the key of the column the key buttons fill.
        QVERIFY(checkedKeys(s).isEmpty());
        emit s.ui->tableViewTransFileList->clicked(model(s).index(0, 2));
        QCOMPARE(checkedKeys(s), QList<int>{3});
        s.ui->checkBoxCombinationKey->setChecked(true);
        emit s.ui->tableViewTransFileList->clicked(model(s).index(0, 5));
        QCOMPARE(checkedKeys(s), QList<int>{2});
        // A key button fills key 2 while the box is ticked, key 1 otherwise.
        setCurrent(s, 0, 7);
        s.ui->pushButtonBack->click();
        QCOMPARE(rowAt(s, 0)[Key2], QStringLiteral("BACK"));
        QCOMPARE(checkedKeys(s), QList<int>{5});
        s.ui->checkBoxCombinationKey->setChecked(false);
        s.ui->pushButtonRockADOWN->click();
        QCOMPARE(rowAt(s, 0)[Key1], QStringLiteral("rocker A DOWN"));
        QCOMPARE(checkedKeys(s), QList<int>{21});
        // Without a current row a key button changes nothing, not even itself.
        setCurrent(s, -1);
        const Row before = rowAt(s, 0);
        s.ui->pushButtonA->click();
        s.ui->pushButtonRockADOWN->click();
        QCOMPARE(checkedKeys(s), QList<int>{21});
        QCOMPARE(rowAt(s, 0), before);
        // A key cell that names no key leaves the buttons as they are.
        model(s).setData(model(s).index(0, Key1), QStringLiteral("Q"));
        emit s.ui->tableViewTransFileList->clicked(model(s).index(0, 0));
        QCOMPARE(checkedKeys(s), QList<int>{21});

        // Other file types: the cells that do not apply become placeholders;
        // no file type also clears the source file.
        model(s).setData(model(s).index(0, FileType), QStringLiteral("fall motion file"));
        QCOMPARE(rowAt(s, 0), (Row{"walk", "fall motion file", P, P, P, P, P, "/w.ini", "sd card"}));
        emit s.ui->tableViewTransFileList->clicked(model(s).index(0, 0));
        QCOMPARE(checkedKeys(s), QList<int>{21});
        model(s).setData(model(s).index(0, FileType), P);
        QCOMPARE(rowAt(s, 0), (Row{"walk", P, P, P, P, P, P, P, "sd card"}));

        // Double click on the source file: a dialog by file type, none for
        // other columns or without a type.
        emit s.ui->tableViewTransFileList->doubleClicked(model(s).index(0, SourceFile));
        emit s.ui->tableViewTransFileList->doubleClicked(model(s).index(1, Name));
        QVERIFY(s.prompt->calls.isEmpty());
        model(s).setData(model(s).index(0, FileType), QStringLiteral("remote motion file"));
        s.prompt->answers << QStringLiteral("/m/wave.ini");
        emit s.ui->tableViewTransFileList->doubleClicked(model(s).index(0, SourceFile));
        model(s).setData(model(s).index(1, FileType), QStringLiteral("common file"));
        emit s.ui->tableViewTransFileList->doubleClicked(model(s).index(1, SourceFile));  // cancelled
        QCOMPARE(s.prompt->calls.size(), 2);
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("openFileName"));
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("open robot operation file"));
        QCOMPARE(s.prompt->calls[0].extra, QStringLiteral("robot operation file (*.ini)"));
        QCOMPARE(s.prompt->calls[1].title, QStringLiteral("open common file"));
        QCOMPARE(s.prompt->calls[1].extra, QStringLiteral("common file (*.mp3 *.wav *.ini)"));
        QCOMPARE(rowAt(s, 0)[SourceFile], QStringLiteral("/m/wave.ini"));
        QCOMPARE(rowAt(s, 1)[SourceFile], P);
    }

    // Save and open: the question, cells a list file cannot hold, a save
    // that fails, lines that are skipped.
    void saveAndOpen()
    {
        auto s = startWindow(workDir);
        // An empty table asks nothing before the open dialog.
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("openFileName"));
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("open transfer file list"));
        QCOMPARE(s.prompt->calls[0].extra, QStringLiteral("transfer file list (*.lst)"));
        s.prompt->calls.clear();

        addRows(s, {{"walk", "remote motion file", "yes", "A", "B", P, P, "/m/walk.ini", "flash"},
                    {"song", "common file", P, P, P, P, "song.mp3", "/m/song.mp3", "sd card"}});
        const QString path = workDir->filePath(QStringLiteral("keys.lst"));
        s.prompt->answers << path;
        s.ui->actionSave_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("saveFileName"));
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("save transfer file list"));
        QCOMPARE(readFile(path), QByteArray("walk,remote motion file,yes,A,B,------,------,/m/walk.ini,flash\n"
                                            "song,common file,------,------,------,------,song.mp3,/m/song.mp3,sd card\n"));

        // A "," is refused, naming row and column; nothing is written.
        model(s).setData(model(s).index(1, CommonFileName), QStringLiteral("a,b.mp3"));
        s.prompt->calls.clear();
        s.ui->actionSave_transfer_file_list->trigger();
        QCOMPARE(texts(s.prompt), QStringList{"error: The transfer file list was not saved: the cell in row 2, column "
                                              "\"common file name\" holds a \",\" or a line break, which a transfer "
                                              "file list cannot hold."});
        QVERIFY(readFile(path).contains("song.mp3,"));
        // A save that fails says so and keeps the old file.
        model(s).setData(model(s).index(1, CommonFileName), QStringLiteral("song2.mp3"));
        s.prompt->calls.clear();
        s.prompt->answers << workDir->filePath(QStringLiteral("no/such/folder/keys.lst"));
        s.ui->actionSave_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls.size(), 2);
        QVERIFY2(s.prompt->calls[1].text.startsWith(QStringLiteral("The transfer file list could not be saved to ")),
                 qPrintable(s.prompt->calls[1].text));

        // Opening asks first; "No" goes on to the file, whose bad lines are skipped.
        writeFile(workDir->filePath(QStringLiteral("other.lst")),
                  "a,fall motion file,------,------,------,fall back,------,/m/f.ini,sd card\n"
                  "b,common file,------,------,,------,x.mp3,/m/x.mp3,flash\n"
                  "c,remote motion file,no,BACK,------,------,------,/m/c.ini,flash\n");
        s.prompt->calls.clear();
        s.prompt->answers << QMessageBox::No << workDir->filePath(QStringLiteral("other.lst"));
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text, QStringLiteral("Do  you want to save the transfer file list just edited ?"));
        QCOMPARE(s.prompt->calls[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(model(s).rowCount(), 2);
        QCOMPARE(rowAt(s, 1), (Row{"c", "remote motion file", "no", "BACK", P, P, P, "/m/c.ini", "flash"}));
        // "Yes" saves first (the list was edited); a list that cannot be
        // saved is not replaced.
        model(s).setData(model(s).index(0, Name), QStringLiteral("a2"));
        s.prompt->calls.clear();
        s.prompt->answers << QMessageBox::Yes << path << path;
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls[1].kind, QStringLiteral("saveFileName"));
        QCOMPARE(s.prompt->calls[2].kind, QStringLiteral("openFileName"));
        QCOMPARE(rowAt(s, 0)[Name], QStringLiteral("a2"));
        model(s).setData(model(s).index(0, Name), QString());
        s.prompt->calls.clear();
        s.prompt->answers << QMessageBox::Yes;
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls.size(), 2);
        QVERIFY(s.prompt->calls[1].text.contains(QStringLiteral("row 1, column \"name\" is empty")));
        QCOMPARE(model(s).rowCount(), 2);
    }

    // Rows are checked as they are edited: a problem is marked on its cell
    // and told once in the status bar, naming its row; a save names them
    // and asks before it writes.
    void checksWhileEditing()
    {
        auto s = startWindow(workDir);
        addRows(s, {{"wave", "remote motion file", "no", "A", P, P, P, "/m/a.ini", "flash"},
                    {"bow", "remote motion file", "no", "B", P, P, P, "/m/b.ini", "flash"}});
        QVERIFY(page(s).problems().isEmpty());
        const QString clash =
            QStringLiteral("Row 2: the robot file 1:/robotsys/RF_remote3.ini is written by row 1 already.");
        setCurrent(s, 1);
        s.ui->pushButtonA->click();
        QCOMPARE(rowAt(s, 1)[Key1], QStringLiteral("A"));
        QCOMPARE(s.ui->statusBar->currentMessage(), clash);
        QCOMPARE(model(s).index(1, Key1).data(Qt::ToolTipRole).toString(), clash);
        QVERIFY(model(s).index(1, Key1).data(Qt::BackgroundRole).isValid());
        QVERIFY(!model(s).index(0, Key1).data(Qt::BackgroundRole).isValid());
        // Told once: an edit elsewhere does not repeat it.
        s.ui->statusBar->clearMessage();
        model(s).setData(model(s).index(0, Name), QStringLiteral("wave2"));
        QCOMPARE(s.ui->statusBar->currentMessage(), QString());
        // A common file still named by the placeholder.
        const QString unnamed = QStringLiteral("Row 3: the common file has no name (\"------\"); enter the name it is "
                                               "to have on the robot.");
        addRows(s, {{"song", "common file", P, P, P, P, P, "/m/s.mp3", "sd card"}});
        QCOMPARE(s.ui->statusBar->currentMessage(), unnamed);
        QCOMPARE(model(s).index(2, CommonFileName).data(Qt::ToolTipRole).toString(), unnamed);

        // A save names the rows and asks; "No" writes nothing.
        const QString path = workDir->filePath(QStringLiteral("keys.lst"));
        s.prompt->calls.clear();
        s.prompt->answers << QMessageBox::No;
        s.ui->actionSave_transfer_file_list->trigger();
        QCOMPARE(texts(s.prompt), QStringList{"warning: These rows cannot be sent as they are:\n" + clash + "\n"
                                              + unnamed + "\nSave the transfer file list anyway?"});
        QVERIFY(!QFile::exists(path));
        s.prompt->answers << QMessageBox::Yes << path;
        s.ui->actionSave_transfer_file_list->trigger();
        QVERIFY(readFile(path).contains("bow,remote motion file,no,A,"));
        // Mended rows lose their marks.
        model(s).setData(model(s).index(1, Key1), QStringLiteral("X"));
        model(s).setData(model(s).index(2, CommonFileName), QStringLiteral("s.mp3"));
        QVERIFY(page(s).problems().isEmpty());
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < ColumnCount; ++c) {
                QVERIFY(!model(s).index(r, c).data(Qt::ToolTipRole).isValid());
                QVERIFY(!model(s).index(r, c).data(Qt::BackgroundRole).isValid());
            }
    }

    // A key clicked on the remote fills the row's key cell, or changes
    // nothing and the hint below the remote says why.
    void keyHints()
    {
        auto s = startWindow(workDir);
        QLabel *hint = s.ui->rmLabelRemoteHint;
        const QString initial = hint->text();
        s.ui->pushButtonA->click();
        QVERIFY(checkedKeys(s).isEmpty());
        QCOMPARE(hint->text(),
                 QStringLiteral("Select a row of the transfer file list first, then click a key of the remote."));
        s.ui->actionInsert_transfer_file->trigger();
        model(s).setData(model(s).index(0, FileType), QStringLiteral("remote motion file"));
        s.ui->pushButtonA->click();
        QCOMPARE(rowAt(s, 0)[Key1], P);
        QVERIFY(checkedKeys(s).isEmpty());
        QCOMPARE(hint->text(),
                 QStringLiteral("Choose the combination key of row 1 (\"no\" or \"yes\") first, then click its key."));
        model(s).setData(model(s).index(0, CombinationKey), QStringLiteral("no"));
        s.ui->checkBoxCombinationKey->setChecked(true);
        s.ui->pushButtonB->click();
        QCOMPARE(rowAt(s, 0)[Key2], P);
        QVERIFY(checkedKeys(s).isEmpty());
        QCOMPARE(hint->text(), QStringLiteral("Row 1 has a single key: untick \"combination key\" to set its key 1."));
        s.ui->checkBoxCombinationKey->setChecked(false);
        s.ui->pushButtonB->click();
        QCOMPARE(rowAt(s, 0)[Key1], QStringLiteral("B"));
        QCOMPARE(checkedKeys(s), QList<int>{2});
        QCOMPARE(hint->text(), initial);
        model(s).setData(model(s).index(0, FileType), QStringLiteral("fall motion file"));
        s.ui->pushButtonA->click();
        QCOMPARE(checkedKeys(s), QList<int>{2});
        QCOMPARE(hint->text(), QStringLiteral("Row 1 is not a remote motion file: choose \"remote motion file\" as "
                                              "its file type to bind it to a key."));
    }

    // Lists of older programs in GB18030; the question before opening only
    // for an edited list; a file with no row, or none at all, keeps the list.
    void openingLists()
    {
        auto s = startWindow(workDir);
        const QString old = workDir->filePath(QStringLiteral("old.lst"));
        writeFile(old, QTextCodec::codecForName("GB18030")->fromUnicode(
                           QStringLiteral("挥手,remote motion file,no,A,------,------,------,C:\\动作\\挥手.ini,flash\r\n")));
        s.prompt->answers << old;
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(rowAt(s, 0), (Row{QStringLiteral("挥手"), "remote motion file", "no", "A", P, P, P,
                                   QStringLiteral("C:\\动作\\挥手.ini"), "flash"}));
        QVERIFY(!page(s).edited());

        // Not edited since it was opened: no question.
        const QString motion = workDir->filePath(QStringLiteral("walk.lst"));
        writeFile(motion, "FR:1,60,600;\nEND:;\n");
        s.prompt->calls.clear();
        s.prompt->answers << motion;
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls.value(0).kind, QStringLiteral("openFileName"));
        QCOMPARE(texts(s.prompt, QStringLiteral("warning")),
                 QStringList{"error: " + motion + " is not a transfer file list: none of its lines has the 9 fields "
                                                  "of a row. The list shown is kept."});
        QCOMPARE(model(s).rowCount(), 1);
        s.prompt->calls.clear();
        s.prompt->answers << workDir->filePath(QStringLiteral("missing.lst"));
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(texts(s.prompt).value(1),
                 "error: The file " + workDir->filePath(QStringLiteral("missing.lst")) + " cannot be read.");
        QCOMPARE(model(s).rowCount(), 1);

        // Edited: the question comes first.
        model(s).setData(model(s).index(0, Name), QStringLiteral("wave"));
        QVERIFY(page(s).edited());
        s.prompt->calls.clear();
        s.prompt->answers << QMessageBox::No;
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls.value(0).text, QStringLiteral("Do  you want to save the transfer file list just edited ?"));
        QCOMPARE(s.prompt->calls.size(), 2);
    }

    // Sending while no robot is connected says so at once.
    void sendWithoutRobot()
    {
        auto s = startWindow(workDir);
        addRows(s, {{"song", "common file", P, P, P, P, "s.mp3", localFile("s.mp3", "x"), "flash"}});
        s.ui->pushButtonSendTransFileList->click();
        QVERIFY(!s.ui->pushButtonSendTransFileList->isChecked());
        QCOMPARE(texts(s.prompt), QStringList{"warning: The robot is not connected: connect to it first, then send "
                                              "the transfer file list."});
        QVERIFY(!page(s).editLocked());
        QVERIFY(stepsStartNothing(s));
        QCOMPARE(s.prompt->calls.size(), 1);
    }

    // While a list is being sent it cannot be edited: a row deleted above
    // the next one no longer makes the sender skip a row. Editing comes back
    // when the list ends, however it ends; a list with two rows writing one
    // robot file is not sent at all.
    void listLockedWhileSending()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("115200")});
        QVERIFY(robot.ok());
        auto s = startWindow(workDir, robot.port);
        QVERIFY(connectAndGreet(s));
        QTableView *view = s.ui->tableViewTransFileList;
        const auto triggers = view->editTriggers();
        const QString initialHint = s.ui->rmLabelRemoteHint->text();
        // At 115200 baud the first file takes about 0.7 s: the edits below
        // come while it is sent.
        const QByteArray one = randomBytes(8000, 8), two = randomBytes(300, 9), three = randomBytes(300, 10);
        addRows(s, {{"one", "common file", P, P, P, P, "one.ini", localFile("one.ini", one), "flash"},
                    {"two", "common file", P, P, P, P, "two.ini", localFile("two.ini", two), "flash"},
                    {"three", "common file", P, P, P, P, "three.ini", localFile("three.ini", three), "flash"}});
        s.ui->pushButtonSendTransFileList->click();
        QVERIFY(page(s).editLocked());
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!s.ui->actionDelete_transfer_file->isEnabled());
        QVERIFY(!s.ui->actionInsert_transfer_file->isEnabled());
        QVERIFY(!s.ui->actionOpen_transfer_file_list->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(robot.requests(QStringLiteral("FileBegin")).size() == 1, 5000);
        setCurrent(s, 0);
        s.ui->actionDelete_transfer_file->trigger();
        page(s).deleteRow();
        page(s).insertRow();
        page(s).openList();
        s.ui->pushButtonX->click();
        emit view->doubleClicked(model(s).index(1, SourceFile));
        QCOMPARE(model(s).rowCount(), 3);
        QCOMPARE(rowAt(s, 0)[Name], QStringLiteral("one"));
        QVERIFY(checkedKeys(s).isEmpty());
        QCOMPARE(s.ui->rmLabelRemoteHint->text(),
                 QStringLiteral("The transfer file list cannot be edited while it is being sent."));
        QTRY_VERIFY_WITH_TIMEOUT(!s.ui->pushButtonSendTransFileList->isChecked(), 20000);
        QCOMPARE(readFile(robot.drive(1) + "/one.ini"), one);
        QCOMPARE(readFile(robot.drive(1) + "/two.ini"), two);
        QCOMPARE(readFile(robot.drive(1) + "/three.ini"), three);
        QCOMPARE(texts(s.prompt), QStringList{"finish: Trans file finished."});
        QVERIFY(!page(s).editLocked());
        QCOMPARE(view->editTriggers(), triggers);
        QVERIFY(s.ui->actionDelete_transfer_file->isEnabled());
        QVERIFY(s.ui->actionInsert_transfer_file->isEnabled());
        QVERIFY(s.ui->actionOpen_transfer_file_list->isEnabled());
        QCOMPARE(s.ui->rmLabelRemoteHint->text(), initialHint);

        // Stopped with the button: locked until the file in transfer has ended.
        s.prompt->calls.clear();
        s.ui->pushButtonSendTransFileList->click();
        QTRY_VERIFY_WITH_TIMEOUT(robot.requests(QStringLiteral("FileBegin")).size() == 4, 5000);
        s.ui->pushButtonSendTransFileList->click();
        QVERIFY(page(s).editLocked());
        QTRY_VERIFY_WITH_TIMEOUT(!page(s).editLocked(), 20000);
        QVERIFY(stepsStartNothing(s));
        QCOMPARE(robot.requests(QStringLiteral("FileBegin")).size(), 4);
        QVERIFY(s.ui->actionDelete_transfer_file->isEnabled());

        // Two rows writing one robot file: nothing is sent.
        model(s).setData(model(s).index(2, CommonFileName), QStringLiteral("ONE.ini"));
        s.prompt->calls.clear();
        s.ui->pushButtonSendTransFileList->click();
        QVERIFY(!s.ui->pushButtonSendTransFileList->isChecked());
        QCOMPARE(texts(s.prompt), QStringList{"error: The transfer file list was not sent:\nRow 3: the robot file "
                                              "1:/robotsys/ONE.ini is written by row 1 already."});
        QVERIFY(!page(s).editLocked());
        QVERIFY(stepsStartNothing(s));
        QCOMPARE(robot.requests(QStringLiteral("FileBegin")).size(), 4);
    }

    // A single key, a combination, a fall and a common file go to the flash
    // and the SD card under their robot names, byte for byte; the list ends
    // with one "Trans file finished." and the send button released.
    void sendList()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = startWindow(workDir, robot.port);
        QVERIFY(connectAndGreet(s));
        const QByteArray single = randomBytes(3000, 1), combo = randomBytes(700, 2), fall = randomBytes(5000, 3),
                         song = randomBytes(9000, 4);
        addRows(s, {{"wave", "remote motion file", "no", "BACK", P, P, P, localFile("a.ini", single), "sd card"},
                    {"bow", "remote motion file", "yes", "A", "B", P, P, localFile("b.ini", combo), "flash"},
                    {"up", "fall motion file", P, P, P, "fall forward", P, localFile("c.ini", fall), "sd card"},
                    {"song", "common file", P, P, P, P, "song.mp3", localFile("d.mp3", song), "flash"}});
        s.ui->pushButtonSendTransFileList->click();
        QVERIFY(s.ui->pushButtonSendTransFileList->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(!s.ui->pushButtonSendTransFileList->isChecked(), 20000);
        QCOMPARE(readFile(robot.drive(1) + "/RF_remote5.ini"), single);
        QCOMPARE(readFile(robot.drive(1) + "/RF_remote3_2.ini"), combo);
        QCOMPARE(readFile(robot.drive(0) + "/fallforward.ini"), fall);
        QCOMPARE(readFile(robot.drive(1) + "/song.mp3"), song);
        QCOMPARE(QDir(robot.drive(0)).entryList(QDir::Files), QStringList{"fallforward.ini"});
        QCOMPARE(texts(s.prompt), QStringList{"finish: Trans file finished."});
        QCOMPARE(rowAt(s, 0)[RobotPath], QStringLiteral("flash"));
        QCOMPARE(page(s).listIndex(), -1);
        // In the order of the list, one at a time.
        QCOMPARE(robot.requests(QStringLiteral("FileBegin")).size(), 4);
        QVERIFY(robot.requests(QStringLiteral("FileBegin"))[0].contains(QStringLiteral("RF_remote5.ini")));
        QVERIFY(robot.requests(QStringLiteral("FileBegin"))[3].contains(QStringLiteral("song.mp3")));

        // An empty list releases the button and says nothing.
        model(s).removeRows(0, model(s).rowCount());
        s.prompt->calls.clear();
        s.ui->pushButtonSendTransFileList->click();
        QTRY_VERIFY_WITH_TIMEOUT(!s.ui->pushButtonSendTransFileList->isChecked(), 2000);
        QVERIFY(s.prompt->calls.isEmpty());
    }

    // A row the step cannot send ends the list with its message; the rows
    // before it stay on the robot.
    void sendStopsAtBadRow()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = startWindow(workDir, robot.port);
        QVERIFY(connectAndGreet(s));
        const QByteArray song = randomBytes(2000, 5);
        addRows(s, {{"song", "common file", P, P, P, P, "s.mp3", localFile("s.mp3", song), "sd card"},
                    {"bad", "remote motion file", "yes", "A", "A", P, P, localFile("a.ini", "x"), "flash"},
                    {"later", "common file", P, P, P, P, "t.mp3", localFile("t.mp3", "t"), "sd card"}});
        s.ui->pushButtonSendTransFileList->click();
        QTRY_VERIFY_WITH_TIMEOUT(!s.ui->pushButtonSendTransFileList->isChecked(), 10000);
        QCOMPARE(texts(s.prompt), QStringList{"error: Combination key error."});
        QCOMPARE(readFile(robot.drive(0) + "/s.mp3"), song);
        QVERIFY(!QFile::exists(robot.drive(0) + "/t.mp3"));
        QCOMPARE(robot.requests(QStringLiteral("FileBegin")).size(), 1);

        // A source file that is missing ends the list naming its row.
        model(s).setData(model(s).index(1, FileType), QStringLiteral("fall motion file"));
        model(s).setData(model(s).index(1, FallType), QStringLiteral("fall left"));
        model(s).setData(model(s).index(1, SourceFile), workDir->filePath("gone.ini"));
        s.prompt->calls.clear();
        s.ui->pushButtonSendTransFileList->click();
        QTRY_VERIFY_WITH_TIMEOUT(!s.ui->pushButtonSendTransFileList->isChecked(), 10000);
        QCOMPARE(texts(s.prompt), QStringList{"error: The transfer file list stopped at row 2. The file "
                                              + workDir->filePath("gone.ini") + " cannot be read."});
        QCOMPARE(robot.requests(QStringLiteral("FileBegin")).size(), 2);
        QVERIFY(!page(s).editLocked());
    }

    // A robot that stops answering in the middle of a list: the running
    // file fails, the list ends naming the row and the reason, once.
    void robotStopsMidList()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("115200")});
        QVERIFY(robot.ok());
        auto s = startWindow(workDir, robot.port);
        QVERIFY(connectAndGreet(s));
        const QByteArray first = randomBytes(500, 6);
        addRows(s, {{"one", "common file", P, P, P, P, "one.ini", localFile("one.ini", first), "flash"},
                    {"two", "remote motion file", "no", "X", P, P, P, localFile("two.ini", randomBytes(100000, 7)), "flash"},
                    {"three", "common file", P, P, P, P, "three.ini", localFile("three.ini", "3"), "flash"}});
        s.ui->pushButtonSendTransFileList->click();
        QTRY_VERIFY_WITH_TIMEOUT(robot.requests(QStringLiteral("FileBegin")).size() == 2
                                     && robot.requests(QStringLiteral("FileData")).size() > 8,
                                 15000);
        ::kill(pid_t(robot.process.processId()), SIGSTOP);
        QTRY_VERIFY_WITH_TIMEOUT(!s.ui->pushButtonSendTransFileList->isChecked(), 10000);
        ::kill(pid_t(robot.process.processId()), SIGCONT);
        const QStringList shown = texts(s.prompt);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith(QStringLiteral("error: The transfer file list stopped at row 2. Sending "
                                                    "RF_remote1.ini failed: the robot stopped acknowledging at ")),
                 qPrintable(shown[0]));
        QCOMPARE(readFile(robot.drive(1) + "/one.ini"), first);
        QCOMPARE(page(s).listIndex(), -1);
        QVERIFY(!page(s).editLocked());
        QVERIFY(stepsStartNothing(s));
        QCOMPARE(robot.requests(QStringLiteral("FileBegin")).size(), 2);
    }
};

QTEST_MAIN(TestTransferList)
#include "tst_transferlist.moc"
