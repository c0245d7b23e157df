// The transfer file list page in the window: rows kept in form, inserted and
// deleted, the remote's key buttons, source file dialogs, the list saved and
// opened; and whole lists sent to the virtual robot, with the files arriving
// under their robot names and each way a list send ends.

#include <QtTest>
#include <QCheckBox>
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
        // "Yes" saves first; a list that cannot be saved is not replaced.
        s.prompt->calls.clear();
        s.prompt->answers << QMessageBox::Yes << path << path;
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls[1].kind, QStringLiteral("saveFileName"));
        QCOMPARE(s.prompt->calls[2].kind, QStringLiteral("openFileName"));
        QCOMPARE(rowAt(s, 0)[Name], QStringLiteral("a"));
        model(s).setData(model(s).index(0, Name), QString());
        s.prompt->calls.clear();
        s.prompt->answers << QMessageBox::Yes;
        s.ui->actionOpen_transfer_file_list->trigger();
        QCOMPARE(s.prompt->calls.size(), 2);
        QVERIFY(s.prompt->calls[1].text.contains(QStringLiteral("row 1, column \"name\" is empty")));
        QCOMPARE(model(s).rowCount(), 2);
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
        QTest::qWait(700);
        QCOMPARE(robot.requests(QStringLiteral("FileBegin")).size(), 2);
    }
};

QTEST_MAIN(TestTransferList)
#include "tst_transferlist.moc"
