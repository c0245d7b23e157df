// The motion document in the window: the frame table and its delegates, new
// frames from the panel, and the File menu's commands through the scripted
// dialogs seam (save prompt, open with the reader's messages, save, save as,
// exit and the close button) and a motion named on the command line, each in
// its own temporary working directory.
// Ends with edits through the table view's real editors between an open and
// a save through the real file dialogs, and the file opened again.

#include <QtTest>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "motion/filecommands.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "common/itemdelegates.h"
#include "motion/frametable.h"
#include "support/scriptedprompt.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"
#include "support/operationexample.h"

using namespace frametable;

namespace {

const QString kSaveQuestion = QStringLiteral("Do  you want to save the operation data just edited ?");

} // namespace

// Files the reader takes or refuses, with its messages and the frames shown:
// the whole file, or the frames read before its fault (none: the document
// stays as it was).
void readerCases()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("rows");
    QTest::newRow("good") << kExample << QStringList{} << 2;
    QTest::newRow("six fields")
        << QByteArray("#This is a robot operation file.\r\nFLP:0;\r\nFR:1,60,600,100,0,0;\r\nEND:;\r\n")
        << QStringList{"Error in line:3"} << 0;
    QTest::newRow("loop end without start")
        << QByteArray("FR:1,60,600,100,0," + zeros19() + ";\nLPE:;\nEND:;\n")
        << QStringList{"Loop key line error in line:3", "Error loop!"} << 1;
    QTest::newRow("cut inside the last record")
        << QByteArray("#This is a robot operation file.\r\nFLP:0;\r\nFR:1,60,600,100,0," + zeros19() + ";\r\nFR:1,60,6")
        << QStringList{"Error in line:4"} << 1;
}

class TestMotionDocument : public QObject, private WindowFixture
{
    Q_OBJECT

    static void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString &name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // Opens a file through the open command (no unsaved changes expected).
    void open(const QString &path)
    {
        prompt->answers.enqueue(path);
        ui->actionOpen_file->trigger();
    }
    // A document of rows with the given loop flags, marked modified as the undo
    // history marks it after an edit.
    void makeDocument(const QVector<int> &flags, const QString &path)
    {
        FrameRows rows;
        for (int f : flags) {
            FrameCells cells;
            for (int c = 0; c < ColumnCount; ++c)
                cells[c] = 0;
            cells[ColLoopFlag] = f;
            cells[ColOperationTime] = 600;
            rows << cells;
        }
        window->document().model()->removeRows(0, window->document().model()->rowCount());
        appendRows(*window->document().model(), rows);
        window->document().setPath(path);
        window->document().setModified(true);
    }
    // Enter in an editor: the view commits the value once the key is handled.
    static void commit(QWidget *editor)
    {
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    QStringList callKinds() const
    {
        QStringList kinds;
        for (const ScriptedPrompt::Call &c : prompt->calls)
            kinds << c.kind + ':' + c.title;
        return kinds;
    }

private slots:
    void initTestCase()
    {
        startDir = QDir::currentPath();
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void cleanupTestCase() { finish(); }
    void init() { start(); }

    // ------------------------------------------------------------ table set-up

    void frameTableColumnsAndEditors()
    {
        FrameTableModel *table = window->document().model();
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(table->columnCount(), 46);
        QCOMPARE(table->headerData(0, Qt::Horizontal).toString(), QStringLiteral("servo 2"));
        QCOMPARE(table->headerData(18, Qt::Horizontal).toString(), QStringLiteral("servo 20"));
        QCOMPARE(table->headerData(22, Qt::Horizontal).toString(), QStringLiteral("loop times"));
        QCOMPARE(table->headerData(28, Qt::Horizontal).toString(), QStringLiteral("led1r brightness"));
        QCOMPARE(table->headerData(31, Qt::Horizontal).toString(), QStringLiteral("led1g frequency"));
        QCOMPARE(table->headerData(45, Qt::Horizontal).toString(), QStringLiteral("led3b frequency"));
        QCOMPARE(ui->tableView->model(), table);

        // Editor of each column: -1 spin box, -2 default, else the combo type.
        auto editorOf = [&](QTableView *view, int column) {
            QAbstractItemDelegate *d = view->itemDelegateForColumn(column);
            if (!d)
                return -2;
            if (qobject_cast<SpinDelegate *>(d))
                return -1;
            auto *combo = qobject_cast<ComboDelegate *>(d);
            return combo ? combo->type() : -3;
        };
        for (int c = 0; c < 46; ++c) {
            int expected = -1;
            if (c == 20)
                expected = -2;
            else if (c == 21)
                expected = ComboDelegate::LoopFlag;
            else if (c >= 23 && c <= 25)
                expected = c - 20; // music control 3, type 4, folder 5
            else if (c >= 28)
                expected = c % 2 == 0 ? ComboDelegate::LedBrightness : ComboDelegate::LedFrequency;
            QCOMPARE(editorOf(ui->tableView, c), expected);
        }

        QStandardItemModel *list = qobject_cast<QStandardItemModel *>(ui->tableViewTransFileList->model());
        QCOMPARE(list->columnCount(), 9);
        QCOMPARE(ui->tableViewTransFileList->model(), list);
        QCOMPARE(list->headerData(0, Qt::Horizontal).toString(), QStringLiteral("name"));
        QCOMPARE(list->headerData(8, Qt::Horizontal).toString(), QStringLiteral("robot path"));
        const int listEditors[9] = {-2, 6, 7, 8, 8, 9, -2, -2, 10};
        for (int c = 0; c < 9; ++c)
            QCOMPARE(editorOf(ui->tableViewTransFileList, c), listEditors[c]);
        QCOMPARE(ui->tableViewTransFileList->itemDelegateForColumn(3),
                 ui->tableViewTransFileList->itemDelegateForColumn(4));
    }

    void comboLists()
    {
        const int counts[12] = {3, 11, 5, 4, 2, 2, 3, 2, 24, 4, 2, 0};
        for (int type = 0; type < 12; ++type)
            QCOMPARE(ComboDelegate::items(type).size(), counts[type]);
        QCOMPARE(ComboDelegate::items(1).last(), QStringLiteral("100%"));
        QCOMPARE(ComboDelegate::items(8).at(5), QStringLiteral("BACK"));
        QCOMPARE(ComboDelegate::items(8).at(23), QStringLiteral("RT"));
        QCOMPARE(ComboDelegate::items(ComboDelegate::Key).at(3), QStringLiteral("A"));
    }

    void delegatesLoadAndStore()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        ui->tabWidget_3->setCurrentWidget(ui->tab_11);
        makeDocument({0}, QString());
        FrameTableModel *table = window->document().model();
        QTableView *view = ui->tableView;

        // An angle below the spin box's range shows, and stores, its bound.
        table->setData(table->index(0, 3), -2000);
        const QModelIndex angle = table->index(0, 3);
        view->setCurrentIndex(angle);
        view->edit(angle);
        auto *spin = qobject_cast<QSpinBox *>(view->indexWidget(angle));
        QVERIFY(spin);
        QCOMPARE(spin->minimum(), -1500);
        QCOMPARE(spin->maximum(), 65535);
        QCOMPARE(spin->value(), -1500);
        commit(spin);
        QCOMPARE(table->data(angle).toInt(), -1500);
        QCOMPARE(table->data(angle).userType(), int(QMetaType::Int));

        // Index lists show the cell's integer and store the chosen index.
        const QModelIndex loop = table->index(0, ColLoopFlag);
        table->setData(loop, QStringLiteral("1"));
        view->setCurrentIndex(loop);
        view->edit(loop);
        auto *combo = qobject_cast<QComboBox *>(view->indexWidget(loop));
        QVERIFY(combo);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(combo->itemText(2), QStringLiteral("loop end"));
        combo->setCurrentIndex(2);
        commit(combo);
        QCOMPARE(table->data(loop), QVariant(2));

        // A value outside the list selects nothing and is left as it was.
        const QModelIndex led = table->index(0, ledBrightnessColumn(0));
        table->setData(led, 100);
        view->setCurrentIndex(led);
        view->edit(led);
        combo = qobject_cast<QComboBox *>(view->indexWidget(led));
        QVERIFY(combo);
        QCOMPARE(combo->currentIndex(), -1);
        commit(combo);
        QCOMPARE(table->data(led), QVariant(100));

        // Text lists match the exact text and store the text.
        ComboDelegate keys(ComboDelegate::Key);
        QStandardItemModel list(1, 1);
        QWidget parent;
        QStyleOptionViewItem option;
        list.setData(list.index(0, 0), QStringLiteral("BACK"));
        std::unique_ptr<QWidget> editor(keys.createEditor(&parent, option, list.index(0, 0)));
        keys.setEditorData(editor.get(), list.index(0, 0));
        QCOMPARE(static_cast<QComboBox *>(editor.get())->currentText(), QStringLiteral("BACK"));
        static_cast<QComboBox *>(editor.get())->setCurrentIndex(3);
        keys.setModelData(editor.get(), &list, list.index(0, 0));
        QCOMPARE(list.data(list.index(0, 0)), QVariant(QStringLiteral("A")));
        list.setData(list.index(0, 0), QStringLiteral("back"));
        keys.setEditorData(editor.get(), list.index(0, 0));
        QCOMPARE(static_cast<QComboBox *>(editor.get())->currentIndex(), -1);
    }

    void panelFrameAndInsertPosition()
    {
        QCOMPARE(window->document().insertPosition(), 0);
        ui->spinBoxAngleHead->setValue(123);
        ui->spinBoxAngleRleg5->setValue(-77);
        ui->spinBoxAngleExtendServo2->setValue(-45);
        ui->spinBoxOperationTime->setValue(700);
        ui->spinBoxDelayTime->setValue(250);
        ui->horizontalSliderVolume->setValue(33);
        ui->horizontalSliderLed1RBrightness->setValue(100);
        ui->horizontalSliderLed3BBrightness->setValue(50);
        ui->comboBoxLed2GFrequency->setCurrentIndex(3);
        window->document().insertFrame(window->document().insertPosition(), window->jointPanel().newFrame(window->jointPanel().angles()));

        QCOMPARE(window->document().model()->rowCount(), 1);
        QCOMPARE(window->document().cell(0, 0), 123);
        QCOMPARE(window->document().cell(0, servoColumn(18)), -77);
        QCOMPARE(window->document().cell(0, 18), -45);
        QCOMPARE(window->document().cell(0, ColOperationTime), 700);
        QCOMPARE(window->document().cell(0, ColDelayTime), 250);
        QCOMPARE(window->document().cell(0, ColVolume), 33);
        QCOMPARE(window->document().cell(0, ledBrightnessColumn(0)), 10);
        QCOMPARE(window->document().cell(0, ledBrightnessColumn(8)), 5);
        QCOMPARE(window->document().cell(0, ledFrequencyColumn(4)), 3);
        for (int c = ColLoopFlag; c <= ColMusicFile; ++c)
            QCOMPARE(window->document().cell(0, c), 0);
        // All stored as numbers.
        for (int c = 0; c < ColumnCount; ++c)
            QCOMPARE(window->document().model()->data(window->document().model()->index(0, c)).userType(), int(QMetaType::Int));

        ui->tableView->setCurrentIndex(window->document().model()->index(0, 5));
        QCOMPARE(window->document().insertPosition(), 1);
        window->document().setCell(0, ColVolume, 90);
        window->document().setCell(3, ColVolume, 90); // no such row: no effect
        QCOMPARE(window->document().cell(0, ColVolume), 90);
        QCOMPARE(window->document().model()->rowCount(), 1);
    }

    void flatFormThroughTheWindow()
    {
        QVERIFY(window->document().flatten().isEmpty());
        window->document().restore({});
        QCOMPARE(window->document().model()->rowCount(), 0);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 0);

        QVector<int> values(3 * ColumnCount);
        for (int i = 0; i < values.size(); ++i)
            values[i] = i - 50;
        window->document().restore(values);
        QCOMPARE(window->document().model()->rowCount(), 3);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 3);
        QCOMPARE(window->document().flatten(), values);
        QCOMPARE(window->frameList().refreshState(), 1);
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 0);
    }

    // ------------------------------------------------------------ document commands

    void newFileStartsFromTheOriginPose()
    {
        for (int i = 0; i < 19; ++i)
            window->document().originAngles()[i] = 10 * (i + 1);
        ui->spinBoxOperationTime->setValue(800);
        prompt->answers.enqueue(QStringLiteral("fresh.ini"));
        ui->actionNew_file->trigger();

        QCOMPARE(callKinds(), QStringList{"saveFileName:Please input the new file path"});
        QCOMPARE(prompt->calls[0].extra, QStringLiteral("save robot operation file (*.ini)"));
        QCOMPARE(window->document().model()->rowCount(), 1);
        for (int i = 0; i < 19; ++i)
            QCOMPARE(window->document().cell(0, i), 10 * (i + 1));
        QCOMPARE(window->document().cell(0, ColOperationTime), 800);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 1);
        QCOMPARE(ui->tableView->currentIndex().row(), 0);
        QCOMPARE(window->document().editSettleCountdown(), 100);
        QCOMPARE(window->document().path(), QStringLiteral("fresh.ini"));
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - fresh.ini"));
        QVERIFY(!QFile::exists(QStringLiteral("fresh.ini"))); // written by a later save

        // Without a path the window shows the product title.
        ui->actionNew_file->trigger();
        QCOMPARE(window->document().path(), QString());
        QCOMPARE(window->windowTitle(), QStringLiteral("ZEL gait forge"));
    }

    void savePromptPaths_data()
    {
        QTest::addColumn<QString>("path");      // the document's path before the command
        QTest::addColumn<QVariantList>("answers");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("written");   // file that must now hold the document
        QTest::addColumn<bool>("opened");       // the open command went on
        QTest::addColumn<int>("modified");

        const QString warning = QStringLiteral("warning:warning");
        QTest::newRow("yes, with a path")
            << "mine.ini" << QVariantList{QMessageBox::Yes, "other.ini"}
            << QStringList{warning, "openFileName:open robot operation file"} << "mine.ini" << true << 0;
        QTest::newRow("yes, asks for a path")
            << "" << QVariantList{QMessageBox::Yes, "asked.ini", "other.ini"}
            << QStringList{warning, "saveFileName:save robot operation file", "openFileName:open robot operation file"}
            << "asked.ini" << true << 0;
        // Not saved, and replaced by the file opened, which is not modified.
        QTest::newRow("no") << "mine.ini" << QVariantList{QMessageBox::No, "other.ini"}
                            << QStringList{warning, "openFileName:open robot operation file"} << "" << true << 0;
        // Cancelling the save dialog cancels the whole command.
        QTest::newRow("yes, save dialog cancelled")
            << "" << QVariantList{QMessageBox::Yes, ""}
            << QStringList{warning, "saveFileName:save robot operation file"} << "" << false << 1;
    }
    void savePromptPaths()
    {
        QFETCH(QString, path);
        QFETCH(QVariantList, answers);
        QFETCH(QStringList, calls);
        QFETCH(QString, written);
        QFETCH(bool, opened);
        QFETCH(int, modified);

        writeFile(QStringLiteral("other.ini"), kExample);
        makeDocument({0, 0, 0}, path);
        for (const QVariant &a : answers)
            prompt->answers.enqueue(a);
        ui->actionOpen_file->trigger();

        QCOMPARE(callKinds(), calls);
        const ScriptedPrompt::Call &question = prompt->calls.first();
        QCOMPARE(question.text, kSaveQuestion);
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
        if (!written.isEmpty()) {
            QVERIFY(readFile(written).startsWith("#This is a robot operation file.\r\nFLP:0;\r\n"));
            QCOMPARE(readFile(written).count("FR:1,"), 3);
        }
        QCOMPARE(window->document().model()->rowCount(), opened ? 2 : 3);
        QCOMPARE(window->document().path(), opened ? QStringLiteral("other.ini") : path);
        QCOMPARE(int(window->document().isModified()), modified);
        QCOMPARE(ui->actionSave->isEnabled(), modified == 1);
    }

    void savePromptOnlyForUnsavedRows()
    {
        writeFile(QStringLiteral("other.ini"), kExample);
        makeDocument({}, QString()); // modified but empty
        open(QStringLiteral("other.ini"));
        QCOMPARE(callKinds(), QStringList{"openFileName:open robot operation file"});
        prompt->calls.clear();
        window->document().setModified(false);
        open(QStringLiteral("other.ini"));
        QCOMPARE(callKinds(), QStringList{"openFileName:open robot operation file"});
    }

    void savePromptStopsWhenTheSaveFails()
    {
        writeFile(QStringLiteral("mine.ini"), "old");
        makeDocument({1, 2, 2}, QStringLiteral("mine.ini"));
        prompt->answers.enqueue(QMessageBox::Yes);
        ui->actionNew_file->trigger();
        QCOMPARE(callKinds(), QStringList({"warning:warning", "warning:error"}));
        QCOMPARE(prompt->calls[1].text, QStringLiteral("Error loop in line:2"));
        QCOMPARE(readFile(QStringLiteral("mine.ini")), QByteArray("old"));
        QCOMPARE(window->document().model()->rowCount(), 3);
        QCOMPARE(int(window->document().isModified()), 1);
    }

    void openShowsTheReadersMessages_data()
    {
        readerCases();
        QTest::newRow("open loop") << QByteArray("LPS:1;\nFR:1,60,600,100,0," + zeros19() + ";\nEND:;\n")
                                   << QStringList{"Error loop!"} << 1;
    }
    void openShowsTheReadersMessages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        QFETCH(int, rows);
        writeFile(QStringLiteral("motion.ini"), bytes);
        makeDocument({0}, QString());
        window->document().setModified(false);
        open(QStringLiteral("motion.ini"));

        QCOMPARE(prompt->calls.first().kind, QStringLiteral("openFileName"));
        QCOMPARE(prompt->calls.first().extra, QStringLiteral("robot operation files (*.ini)"));
        QStringList shown;
        for (const ScriptedPrompt::Call &c : prompt->calls.mid(1)) {
            QCOMPARE(c.kind, QStringLiteral("warning"));
            QCOMPARE(c.title, QStringLiteral("error"));
            QCOMPARE(c.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
            shown << c.text;
        }
        QCOMPARE(shown, messages);
        if (messages.isEmpty()) {
            QCOMPARE(window->document().model()->rowCount(), rows);
            QCOMPARE(window->document().path(), QStringLiteral("motion.ini"));
            QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - motion.ini"));
        } else if (rows > 0) {
            // The frames before the fault, unnamed: the file is not the
            // document's, and the title says where the frames came from.
            QCOMPARE(window->document().model()->rowCount(), rows);
            QCOMPARE(ui->listWidgetGraphicOperation->count(), rows);
            QCOMPARE(window->document().path(), QString());
            QVERIFY(window->document().isModified());
            QCOMPARE(window->windowTitle(),
                     QStringLiteral("gait forge - untitled: the frames read from motion.ini before its error *"));
        } else {
            // Nothing read: the document stays as it was.
            QCOMPARE(window->document().model()->rowCount(), 1);
            QCOMPARE(window->document().path(), QString());
            QCOMPARE(window->windowTitle(), QStringLiteral("ZEL gait forge"));
        }
        QCOMPARE(readFile(QStringLiteral("motion.ini")), bytes);
    }

    // A cut motion opened and saved: the save asks for a name, the cut file
    // keeps every byte, and the new file holds the frames read before the cut.
    void aCutMotionIsSavedUnderANewName()
    {
        const QByteArray fr = "FR:1,60,600,100,0," + zeros19() + ";\r\n";
        const QByteArray cut = "#This is a robot operation file.\r\nFLP:0;\r\n" + fr + fr + fr + fr + fr + "FR:1,6";
        writeFile(QStringLiteral("walk.ini"), cut);
        open(QStringLiteral("walk.ini"));
        QCOMPARE(prompt->calls.last().text, QStringLiteral("Error in line:8"));
        QCOMPARE(window->document().model()->rowCount(), 5);
        QVERIFY(ui->actionSave->isEnabled());
        QVERIFY(ui->statusBar->currentMessage().contains(QStringLiteral("walk.ini is left as it is")));

        prompt->calls.clear();
        prompt->answers.enqueue(QStringLiteral("walk-mended.ini"));
        ui->actionSave->trigger();
        QCOMPARE(callKinds(), QStringList{"saveFileName:save robot operation file"});
        QCOMPARE(readFile(QStringLiteral("walk.ini")), cut);
        QCOMPARE(readFile(QStringLiteral("walk-mended.ini")).count("FR:"), 5);
        QCOMPARE(window->document().path(), QStringLiteral("walk-mended.ini"));
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - walk-mended.ini"));
        QCOMPARE(ui->statusBar->currentMessage(),
                 QStringLiteral("Saved ") + QDir::toNativeSeparators(QFileInfo(QStringLiteral("walk-mended.ini"))
                                                                         .absoluteFilePath()));
    }

    // The title marks unsaved changes, and a save clears the mark.
    void titleShowsUnsavedChanges()
    {
        writeFile(QStringLiteral("clean.ini"), kExample);
        open(QStringLiteral("clean.ini"));
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - clean.ini"));
        window->document().setCell(0, ColOperationTime, 700);
        QVERIFY(window->document().isModified());
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - clean.ini *"));
        ui->actionSave->trigger();
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - clean.ini"));
        QCOMPARE(ui->statusBar->currentMessage(),
                 QStringLiteral("Saved ") + QDir::toNativeSeparators(QFileInfo(QStringLiteral("clean.ini"))
                                                                         .absoluteFilePath()));
    }

    // README.md, an MP3 named .ini, an empty file: refused with a message
    // naming the file; the open document, its path and title stay.
    void whatIsNoMotionIsRefusedAndTheDocumentStays()
    {
        writeFile(QStringLiteral("README.md"), "# gaitForge\n\nA desktop control centre for a small robot.\n");
        writeFile(QStringLiteral("song.ini"), QByteArray("ID3\x04\0\0\0\0\0\x23\xff\xfb\x90", 14));
        writeFile(QStringLiteral("empty.ini"), QByteArray());
        // A configure file: the LED and end records of a motion, no frame.
        const QByteArray configure = "#This is a robot configure file.\r\n#set volume.\r\nSV:60;\r\n"
                                     "#set Led1 RGB Led2 RGB Led3 RGB.\r\nLED:0,0,0,0,0,0,0,0,0;\r\n"
                                     "#baudrate ble.\r\nBB:9600;\r\nRFK:0,0,0,0,0,0,0,0,0;\r\nEND:;\r\n";
        writeFile(QStringLiteral("robotcfg.ini"), configure);
        makeDocument({0, 0}, QStringLiteral("mine.ini"));
        window->document().setModified(false);
        window->fileCommands().updateTitle();
        for (const QString name : {"README.md", "song.ini", "empty.ini", "robotcfg.ini"}) {
            prompt->calls.clear();
            open(name);
            QCOMPARE(callKinds(), (QStringList{"openFileName:open robot operation file", "warning:error"}));
            QCOMPARE(prompt->calls[1].text, QStringLiteral("This is not a robot operation file:")
                                                + QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath()));
            QCOMPARE(window->document().model()->rowCount(), 2);
            QCOMPARE(window->document().path(), QStringLiteral("mine.ini"));
            QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - mine.ini"));
        }
        // A later save goes to the document's own file, not to those.
        window->document().setModified(true);
        ui->actionSave->trigger();
        QVERIFY(readFile(QStringLiteral("mine.ini")).startsWith("#This is a robot operation file."));
        QVERIFY(readFile(QStringLiteral("README.md")).startsWith("# gaitForge"));
        QCOMPARE(readFile(QStringLiteral("empty.ini")), QByteArray());
        QCOMPARE(readFile(QStringLiteral("robotcfg.ini")), configure);
    }

    // Opening a file and changing nothing is no modification: exit asks nothing.
    void openingIsNoModification()
    {
        writeFile(QStringLiteral("clean.ini"), kExample);
        window->stopTicks();
        open(QStringLiteral("clean.ini"));
        // The thumbnail walk loads every frame into the panel; the settle
        // countdown runs out.
        for (int i = 0; i < 1000 && (window->frameList().refreshState() != 0 || i < 10); ++i)
            window->timerUpdate();
        QVERIFY(!window->document().isModified());
        QVERIFY(!ui->actionSave->isEnabled());
        prompt->calls.clear();
        ui->actionExit->trigger();
        QCOMPARE(callKinds(), QStringList());
    }

    // "dance1" is saved as "dance1.ini"; every file dialog then starts in the
    // folder last used.
    void savedNamesGetIniAndDialogsStartWhereTheLastOneWas()
    {
        QVERIFY(QDir().mkpath(QStringLiteral("moves")));
        const QString moves = QFileInfo(QStringLiteral("moves")).absoluteFilePath();
        makeDocument({0}, QString());
        prompt->answers.enqueue(moves + QStringLiteral("/dance1"));
        ui->actionSave->trigger();
        QCOMPARE(window->document().path(), moves + QStringLiteral("/dance1.ini"));
        QVERIFY(readFile(moves + QStringLiteral("/dance1.ini")).startsWith("#This is a robot operation file."));
        QVERIFY(!QFileInfo::exists(moves + QStringLiteral("/dance1")));
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - ") + moves + QStringLiteral("/dance1.ini"));
        // Save as: the same rule, and the dialog starts in moves/.
        prompt->calls.clear();
        prompt->answers.enqueue(moves + QStringLiteral("/copy"));
        ui->actionSave_as->trigger();
        QCOMPARE(prompt->calls.first().text, moves);
        QVERIFY(QFileInfo::exists(moves + QStringLiteral("/copy.ini")));
        // A name with its own extension is kept as it is.
        prompt->calls.clear();
        prompt->answers.enqueue(moves + QStringLiteral("/walk.txt"));
        ui->actionSave_as->trigger();
        QVERIFY(QFileInfo::exists(moves + QStringLiteral("/walk.txt")));
        // The open dialog starts there too.
        prompt->calls.clear();
        window->document().setModified(false);
        ui->actionOpen_file->trigger();
        QCOMPARE(prompt->calls.first().kind, QStringLiteral("openFileName"));
        QCOMPARE(prompt->calls.first().text, moves);
    }

    // The frame info follows the table and the current frame after undo and
    // after a new file, not only after clicks.
    void frameInfoFollowsEveryChange()
    {
        writeFile(QStringLiteral("two.ini"), kExample);
        window->stopTicks();
        open(QStringLiteral("two.ini"));
        for (int i = 0; i < 1000 && window->frameList().refreshState() != 0; ++i)
            window->timerUpdate();
        auto firstLine = [&] {
            QCoreApplication::processEvents();
            return ui->textBrowserFrameInfo->toPlainText().section(QLatin1Char('\n'), 0, 0).trimmed();
        };
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        ui->actionCopy_frame->trigger();
        for (int i = 0; i < 5; ++i)
            window->timerUpdate();
        QCOMPARE(window->document().model()->rowCount(), 3);
        QCOMPARE(firstLine(), QStringLiteral("Frame  3"));
        // Undo shows where the frame was taken out: the frame now in its
        // place, here the last one.
        ui->actionUndo->trigger();
        QCOMPARE(window->document().model()->rowCount(), 2);
        QCOMPARE(firstLine(), QStringLiteral("Frame  2"));
        // The pictures are drawn offscreen: the current frame stays.
        for (int i = 0; i < 1000 && window->frameList().refreshState() != 0; ++i)
            window->timerUpdate();
        QCOMPARE(firstLine(), QStringLiteral("Frame  2"));
        QCOMPARE(window->document().currentRow(), 1);
        // A new file: one frame of the panel's times.
        ui->actionNew_file->trigger();
        QCOMPARE(window->document().model()->rowCount(), 1);
        QCOMPARE(firstLine(), QStringLiteral("Frame  1"));
        QVERIFY(ui->textBrowserFrameInfo->toPlainText().contains(
            QStringLiteral("The time all = %1 ms").arg(window->document().cell(0, ColOperationTime)
                                                      + window->document().cell(0, ColDelayTime))));
        // Changing the table through the model shows at once too.
        window->document().setCell(0, ColOperationTime, 1234);
        QCoreApplication::processEvents();
        QVERIFY(ui->textBrowserFrameInfo->toPlainText().contains(QStringLiteral("Operation time = 1234")));
        // No frames, no text.
        window->document().removeAllFrames();
        QCOMPARE(firstLine(), QString());
    }

    void openOfAnUnreadableFileKeepsTheTable()
    {
        makeDocument({0, 0}, QString());
        window->document().setModified(false);
        open(QStringLiteral("missing.ini"));
        // Said, and the document does not take the path of a file it could
        // not read (a save would write over it).
        QCOMPARE(callKinds(), (QStringList{"openFileName:open robot operation file", "warning:error"}));
        QCOMPARE(prompt->calls[1].text, QStringLiteral("Cannot open the file:")
                                            + QDir::toNativeSeparators(QDir::current().absoluteFilePath(
                                                QStringLiteral("missing.ini"))));
        QCOMPARE(window->document().model()->rowCount(), 2);
        QCOMPARE(window->document().path(), QString());
    }

    // ------------------------------------------------------------ the command line

    void commandLineOpensTheMotion_data() { readerCases(); }
    void commandLineOpensTheMotion()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        QFETCH(int, rows);
        writeFile(QStringLiteral("motion.ini"), bytes);
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("motion.ini"));
        // Relative, as a shell passes it; options before it are passed over.
        window->fileCommands().openFromArguments({QStringLiteral("gaitforge"), QStringLiteral("-style"),
                                   QStringLiteral("motion.ini"), QStringLiteral("other.ini")});

        // The reader's messages exactly as File -> open shows them, no dialog.
        QStringList shown;
        for (const ScriptedPrompt::Call &c : prompt->calls) {
            QCOMPARE(c.kind, QStringLiteral("warning"));
            QCOMPARE(c.title, QStringLiteral("error"));
            QCOMPARE(c.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
            shown << c.text;
        }
        QCOMPARE(shown, messages);
        QCOMPARE(window->document().model()->rowCount(), rows);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), rows);
        if (messages.isEmpty()) {
            QCOMPARE(window->document().path(), path);
            QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - ") + path);
            QVERIFY(!window->document().isModified());
            // Saved back unchanged.
            window->document().setModified(true);
            ui->actionSave->trigger();
            QCOMPARE(readFile(path), bytes);
            return;
        }
        // A damaged file is not the document's: its frames before the fault
        // are saved under a new name, the file stays as it is.
        QCOMPARE(window->document().path(), QString());
        if (rows == 0) {
            QCOMPARE(window->windowTitle(), QStringLiteral("ZEL gait forge"));
            return;
        }
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - untitled: the frames read from ")
                                            + QDir::toNativeSeparators(path) + QStringLiteral(" before its error *"));
        QVERIFY(window->document().isModified());
        prompt->calls.clear();
        prompt->answers.enqueue(QStringLiteral("kept.ini"));
        ui->actionSave->trigger();
        QCOMPARE(prompt->calls.first().kind, QStringLiteral("saveFileName"));
        QCOMPARE(readFile(path), bytes);
        // Frames whose loop marks do not balance are kept as read; the save
        // names the row to mend instead of writing a file that would not open.
        if (operationfile::findLoopFault(rowsOf(*window->document().model())) >= 0) {
            QCOMPARE(prompt->calls.last().text, QStringLiteral("Error loop in line:0"));
            QVERIFY(!QFile::exists(QStringLiteral("kept.ini")));
        } else {
            QCOMPARE(readFile(QStringLiteral("kept.ini")).count("FR:"), rows);
        }
    }

    void commandLineWithoutAFileDoesNothing()
    {
        const QByteArray init = readFile(QStringLiteral(".robot/init"));
        window->fileCommands().openFromArguments({QStringLiteral("gaitforge")});
        window->fileCommands().openFromArguments({QStringLiteral("gaitforge"), QStringLiteral("--reverse")});
        window->fileCommands().openFromArguments({});
        QVERIFY(prompt->calls.isEmpty());
        QCOMPARE(window->document().path(), QString());
        QCOMPARE(window->windowTitle(), QStringLiteral("ZEL gait forge"));
        QCOMPARE(readFile(QStringLiteral(".robot/init")), init);
    }

    void commandLineMissingFileOrFolder_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing") << "missing.ini" << "The file does not exist:";
        QTest::newRow("missing folder") << "nowhere/walk.ini" << "The file does not exist:";
        QTest::newRow("a folder") << "folder.ini" << "Cannot open the file:";
    }
    void commandLineMissingFileOrFolder()
    {
        QFETCH(QString, argument);
        QFETCH(QString, text);
        QDir().mkpath(QStringLiteral("folder.ini"));
        makeDocument({0, 0}, QString());
        window->document().setModified(false);

        window->fileCommands().openFromArguments({QStringLiteral("gaitforge"), argument});
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[0].title, QStringLiteral("error"));
        QCOMPARE(prompt->calls[0].text,
                 text + QDir::toNativeSeparators(QDir::current().absoluteFilePath(argument)));
        // The document stays as it was, without the path of the file.
        QCOMPARE(window->document().model()->rowCount(), 2);
        QCOMPARE(window->document().path(), QString());
        QCOMPARE(window->windowTitle(), QStringLiteral("ZEL gait forge"));
    }

    void loopKeyTravelsWithTheFile()
    {
        QByteArray withKey = kExample;
        withKey.replace("FLP:0;", "FLP:65535;");
        writeFile(QStringLiteral("key.ini"), withKey);
        open(QStringLiteral("key.ini"));
        QVERIFY(ui->checkBoxLoopKey->isChecked());
        window->document().setModified(true);
        ui->actionSave->trigger();
        QCOMPARE(readFile(QStringLiteral("key.ini")), withKey);
        // A file with "FLP:0;" turns it off again.
        writeFile(QStringLiteral("plain.ini"), kExample);
        open(QStringLiteral("plain.ini"));
        QVERIFY(!ui->checkBoxLoopKey->isChecked());
    }

    void saveWritesTheTable()
    {
        writeFile(QStringLiteral("example.ini"), kExample);
        open(QStringLiteral("example.ini"));
        QFile::remove(QStringLiteral("example.ini"));

        // Nothing to save while the document is unmodified.
        ui->actionSave->trigger();
        QVERIFY(!QFile::exists(QStringLiteral("example.ini")));

        window->document().setModified(true);
        window->frameList().heldKeys().ctrl = true;
        ui->actionSave->trigger();
        QCOMPARE(readFile(QStringLiteral("example.ini")), kExample);
        QCOMPARE(int(window->document().isModified()), 0);
        QVERIFY(!ui->actionSave->isEnabled());
        QVERIFY(!window->frameList().heldKeys().ctrl);
    }

    void saveWithoutAPathAsksForOne()
    {
        makeDocument({0}, QString());
        ui->actionSave->trigger(); // dialog cancelled: nothing written, still modified
        QCOMPARE(callKinds(), QStringList{"saveFileName:save robot operation file"});
        QCOMPARE(int(window->document().isModified()), 1);
        QCOMPARE(window->document().path(), QString());

        prompt->answers.enqueue(QStringLiteral("named.ini"));
        ui->actionSave->trigger();
        QVERIFY(QFile::exists(QStringLiteral("named.ini")));
        QCOMPARE(window->document().path(), QStringLiteral("named.ini"));
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - named.ini"));
        QCOMPARE(int(window->document().isModified()), 0);
    }

    void saveRefusesALoopEndWithoutStart()
    {
        writeFile(QStringLiteral("loops.ini"), kExample);
        makeDocument({1, 2, 2}, QStringLiteral("loops.ini"));
        ui->actionSave->trigger();
        QCOMPARE(callKinds(), QStringList{"warning:error"});
        QCOMPARE(prompt->calls[0].text, QStringLiteral("Error loop in line:2"));
        QCOMPARE(prompt->calls[0].buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(readFile(QStringLiteral("loops.ini")), kExample); // untouched
        QCOMPARE(int(window->document().isModified()), 1);
        QVERIFY(ui->actionSave->isEnabled());
    }

    // A save that would make a file the program rejects is refused with its
    // row: the file on disk stays and the document stays modified.
    void saveRefusesWhatWouldNotOpenAgain()
    {
        writeFile(QStringLiteral("mine.ini"), "old");
        makeDocument({0, 1, 0}, QStringLiteral("mine.ini"));
        ui->actionSave->trigger();
        QCOMPARE(callKinds(), QStringList{"warning:error"});
        QCOMPARE(prompt->calls[0].text, QStringLiteral("Error loop in line:1"));
        QCOMPARE(readFile(QStringLiteral("mine.ini")), QByteArray("old"));
        QVERIFY(window->document().isModified());
        // A music file number above the file's 4095.
        prompt->calls.clear();
        makeDocument({0, 0}, QStringLiteral("mine.ini"));
        window->document().setCell(1, ColMusicFile, 5000);
        ui->actionSave->trigger();
        QCOMPARE(callKinds(), QStringList{"warning:error"});
        QCOMPARE(prompt->calls[0].text, QStringLiteral("Value out of range for the file in column \"music file\", in line:1"));
        QCOMPARE(readFile(QStringLiteral("mine.ini")), QByteArray("old"));
        QVERIFY(window->document().isModified());
    }

    void aFailedSaveIsReported()
    {
        QDir().mkpath(QStringLiteral("taken.ini"));
        // The box names the file and gives the system's reason.
        const QPair<QString, QString> cases[] = {{QStringLiteral("no/such/folder/x.ini"), QStringLiteral("No such file or directory")},
                                                 {QStringLiteral("taken.ini"), QStringLiteral("Is a directory")}};
        for (const auto &c : cases) {
            const QString &path = c.first;
            prompt->calls.clear();
            makeDocument({0}, path);
            ui->actionSave->trigger();
            QCOMPARE(callKinds(), QStringList{"warning:error"});
            QCOMPARE(prompt->calls[0].text,
                     QStringLiteral("Cannot save the file:") + QDir::toNativeSeparators(path) + '\n' + c.second);
            QCOMPARE(int(window->document().isModified()), 1);
        }
        QVERIFY(QFileInfo(QStringLiteral("taken.ini")).isDir());
    }

    void saveAsKeepsTheDocumentsPath()
    {
        makeDocument({0, 0}, QStringLiteral("own.ini"));
        window->fileCommands().updateTitle();
        prompt->answers.enqueue(QStringLiteral("copy.ini"));
        ui->actionSave_as->trigger();
        QCOMPARE(callKinds(), QStringList{"saveFileName:save robot operation file as"});
        QCOMPARE(prompt->calls[0].extra, QStringLiteral("save robot operation file (*.ini)"));
        QCOMPARE(readFile(QStringLiteral("copy.ini")).count("FR:1,"), 2);
        QCOMPARE(window->document().path(), QStringLiteral("own.ini"));
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - own.ini *"));
        QCOMPARE(int(window->document().isModified()), 1);
        QVERIFY(!QFile::exists(QStringLiteral("own.ini")));

        ui->actionSave->trigger();
        QCOMPARE(readFile(QStringLiteral("own.ini")), readFile(QStringLiteral("copy.ini")));
        // Cancelled: nothing happens.
        prompt->calls.clear();
        ui->actionSave_as->trigger();
        QCOMPARE(prompt->calls.size(), 1);
    }

    void exitAndCloseButtonAsk_data()
    {
        QTest::addColumn<bool>("closeButton");
        QTest::newRow("exit") << false;
        QTest::newRow("close button") << true;
    }
    void exitAndCloseButtonAsk()
    {
        QFETCH(bool, closeButton);
        auto closeWindow = [&] {
            if (closeButton)
                window->close();
            else
                ui->actionExit->trigger();
        };
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        makeDocument({0}, QString());

        // Yes, then the save dialog cancelled: the window stays, still modified.
        prompt->answers.enqueue(QMessageBox::Yes);
        closeWindow();
        QCOMPARE(callKinds(), QStringList({"warning:warning", "saveFileName:save robot operation file"}));
        QCOMPARE(prompt->calls[0].text, kSaveQuestion);
        QVERIFY(window->isVisible());
        QCOMPARE(int(window->document().isModified()), 1);

        // Yes with a path: saved, then closed.
        prompt->calls.clear();
        prompt->answers.enqueue(QMessageBox::Yes);
        prompt->answers.enqueue(QStringLiteral("kept.ini"));
        closeWindow();
        QVERIFY(!window->isVisible());
        QCOMPARE(readFile(QStringLiteral("kept.ini")).count("FR:1,"), 1);
        QCOMPARE(int(window->document().isModified()), 0);

        // No: closed without writing; the modified mark is cleared.
        window->show();
        makeDocument({0}, QStringLiteral("never.ini"));
        prompt->calls.clear();
        prompt->answers.enqueue(QMessageBox::No);
        closeWindow();
        QCOMPARE(callKinds(), QStringList{"warning:warning"});
        QVERIFY(!window->isVisible());
        QVERIFY(!QFile::exists(QStringLiteral("never.ini")));
        QCOMPARE(int(window->document().isModified()), 0);

        // Nothing unsaved: no question.
        window->show();
        prompt->calls.clear();
        closeWindow();
        QVERIFY(prompt->calls.isEmpty());
        QVERIFY(!window->isVisible());
    }

    void aLongMotionOpensAndSavesQuickly()
    {
        QByteArray bytes = "FLP:0;\r\n";
        for (int i = 0; i < 5000; ++i)
            bytes += "FR:1,60,600,100,0," + zeros19() + ";\r\n";
        writeFile(QStringLiteral("long.ini"), bytes);
        QElapsedTimer timer;
        timer.start();
        open(QStringLiteral("long.ini"));
        QCOMPARE(window->document().model()->rowCount(), 5000);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 5000);
        window->document().setModified(true);
        ui->actionSave->trigger();
        QCOMPARE(readFile(QStringLiteral("long.ini")).count("FR:1,"), 5000);
        // Work per frame stays constant: this takes well under a second.
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    }

    // An edit through the table view's own editors is an edit like any other:
    // the document is marked modified, the undo history records it, and the
    // joint panel, the 3D model, the frame's caption and the frame info follow.
    void tableEditsAreEdits()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        writeFile(QStringLiteral("edit.ini"), kExample);
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("edit.ini"));
        open(path);
        QCOMPARE(window->document().rowCount(), 2);
        QListWidget *list = ui->listWidgetGraphicOperation;
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(),
                 QStringLiteral("F1, opr time:600, delay time:100, lps(2), play music, margin 24.1 mm"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("F2, opr time:600, delay time:100, lpe, margin 24.1 mm"));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(list->item(i)->flags(), Qt::ItemIsEnabled);
            QVERIFY(!list->item(i)->icon().isNull());
        }
        // Whatever the open left behind (the thumbnail walk, the settled
        // snapshot) is over and saved: nothing is marked before the edit.
        QTRY_COMPARE(window->frameList().refreshState(), 0);
        QTRY_COMPARE(window->document().editSettleCountdown(), -10);
        ui->actionSave->trigger();
        QTest::qWait(100);
        QVERIFY(!window->document().isModified());
        const int snapshots = int(window->document().undoHistory().size());
        const QByteArray saved = readFile(path);

        ui->tabWidget_3->setCurrentWidget(ui->tab_11);
        QTableView *view = ui->tableView;
        auto editorOf = [&](int row, int column) {
            const QModelIndex index = window->document().model()->index(row, column);
            view->scrollTo(index);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
            view->edit(index);
            return view->indexWidget(index);
        };
        // A spin box takes the stored number whatever unit it shows; other
        // editors take the text typed.
        auto typeInto = [](QWidget *editor, const QString &text) {
            if (auto *spin = qobject_cast<QSpinBox *>(editor)) {
                spin->setValue(text.toInt());
            } else {
                if (auto *line = qobject_cast<QLineEdit *>(editor))
                    line->selectAll();
                QTest::keyClicks(editor, text);
            }
            commit(editor);
        };
        auto info = [&] { return ui->textBrowserFrameInfo->toPlainText(); };

        // The head's angle through the spin box delegate.
        QWidget *editor = editorOf(1, 0);
        QTest::qWait(100);
        const qint64 picture = list->item(1)->icon().cacheKey();
        QVERIFY(qobject_cast<QSpinBox *>(editor));
        typeInto(editor, QStringLiteral("450"));
        QCOMPARE(window->document().cell(1, 0), 450);
        QTRY_VERIFY(window->document().isModified());
        QTRY_COMPARE(int(window->document().undoHistory().size()), snapshots + 1);
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(ui->spinBoxAngleHead->value(), 450);
        QCOMPARE(ui->openGLWidget->jointAngles[0], 45.0f);
        // The frame's picture is drawn again from the model.
        QTRY_VERIFY(list->item(1)->icon().cacheKey() != picture);

        // The operation time, the delay time (the view's default editor) and
        // the music control (a list).
        typeInto(editorOf(1, ColOperationTime), QStringLiteral("777"));
        typeInto(editorOf(1, ColDelayTime), QStringLiteral("250"));
        auto *combo = qobject_cast<QComboBox *>(editorOf(1, ColMusicControl));
        QVERIFY(combo);
        combo->setCurrentIndex(combo->findText(QStringLiteral("stop")));
        commit(combo);
        QCOMPARE(ui->spinBoxOperationTime->value(), 777);
        QCOMPARE(ui->spinBoxDelayTime->value(), 250);
        QVERIFY2(list->item(1)->text().contains(QStringLiteral("opr time:777")), qPrintable(list->item(1)->text()));
        QVERIFY(list->item(1)->text().contains(QStringLiteral("delay time:250")));
        QVERIFY(list->item(1)->text().contains(QStringLiteral("stop music")));
        QVERIFY2(info().contains(QStringLiteral("Operation time = 777")), qPrintable(info()));
        QVERIFY(info().contains(QStringLiteral("Delay time = 250")));
        QVERIFY(info().contains(QStringLiteral("Stop music")));

        // Another frame written through the model: its caption follows, the
        // panel keeps the frame it shows.
        window->document().model()->setData(window->document().model()->index(0, ColOperationTime), 555);
        QVERIFY(list->item(0)->text().contains(QStringLiteral("opr time:555")));
        QCOMPARE(ui->spinBoxOperationTime->value(), 777);

        // Save writes the edits.
        QTRY_COMPARE(window->document().editSettleCountdown(), -10);
        ui->actionSave->trigger();
        const QByteArray written = readFile(path);
        QVERIFY(written != saved);
        QVERIFY2(written.contains("FR:1,60,777,250,32768,450,"), written.constData());
        QVERIFY(written.contains("FR:1,60,555,100,61445,"));
        QVERIFY(!window->document().isModified());

        // One more edit: Exit asks.
        typeInto(editorOf(0, 3), QStringLiteral("120"));
        prompt->calls.clear();
        prompt->answers.enqueue(QMessageBox::No);
        ui->actionExit->trigger();
        QCOMPARE(callKinds(), QStringList{"warning:warning"});
        QCOMPARE(prompt->calls[0].text, kSaveQuestion);
    }

    // ------------------------------------------------------------ end to end

    void openEditSaveReopen()
    {
        // The window's own file dialogs, answered as a user would: the path
        // typed into the file name field and the dialog accepted.
        window->setPrompt(std::make_unique<DialogPrompt>());
        prompt = nullptr;
        QStringList captions;
        auto answerFileDialog = [&](const QString &path) {
            auto *timer = new QTimer(window.get());
            connect(timer, &QTimer::timeout, timer, [timer, path, &captions] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    name->setText(path);
                else
                    dialog->selectFile(path);
                static_cast<QDialog *>(dialog)->accept(); // refused while the folder loads: try again
                if (!dialog->isVisible()) {
                    captions << dialog->windowTitle();
                    timer->deleteLater();
                }
            });
            timer->start(20);
        };
        QByteArray bytes = kExample;
        bytes.replace("FR:1,60,600,100,0,0,", "FR:1,45,300,50,16396,-300,");
        bytes.replace("LPE:;\r\n", "LPE:;\r\nLED:0,0,0,0,0,0,0,0,164;\r\nFR:1,100,1000,0,0," + zeros19() + ";\r\n");
        writeFile(QStringLiteral("walk.ini"), bytes);
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("walk.ini"));

        // The dialogs are shown while the window (with its 3D view) is hidden:
        // a modal dialog over the software-rendered 3D view can stall the
        // virtual display's GL driver.
        answerFileDialog(path);
        ui->actionOpen_file->trigger();
        QCOMPARE(captions, QStringList{"open robot operation file"});
        QCOMPARE(window->document().model()->rowCount(), 3);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 3);
        QCOMPARE(window->document().cell(1, 0), -300);
        QVector<int> expected = window->document().flatten();

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        ui->tabWidget_3->setCurrentWidget(ui->tab_11);
        QTableView *view = ui->tableView;
        auto editorOf = [&](int row, int column) {
            const QModelIndex index = window->document().model()->index(row, column);
            view->setCurrentIndex(index);
            view->edit(index);
            return view->indexWidget(index);
        };
        // An angle typed into the spin box editor, in degrees (stored in tenths).
        auto *spin = qobject_cast<QSpinBox *>(editorOf(1, 5));
        QVERIFY(spin);
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("-123.4"));
        commit(spin);
        expected[1 * ColumnCount + 5] = -1234;
        // The delay time through the view's default editor (a spin box for a number).
        auto *delay = qobject_cast<QSpinBox *>(editorOf(2, ColDelayTime));
        QVERIFY(delay);
        delay->selectAll();
        QTest::keyClicks(delay, QStringLiteral("250"));
        commit(delay);
        expected[2 * ColumnCount + ColDelayTime] = 250;
        // The music control chosen from its list.
        auto *combo = qobject_cast<QComboBox *>(editorOf(2, ColMusicControl));
        QVERIFY(combo);
        combo->setCurrentIndex(combo->findText(QStringLiteral("play")));
        commit(combo);
        expected[2 * ColumnCount + ColMusicControl] = 3;
        QCOMPARE(window->document().flatten(), expected);

        window->document().setModified(true); // as the undo history marks the edits
        ui->actionSave->trigger();
        QVERIFY(readFile(path).contains(",-1234,"));

        window->hide();
        window->document().restore({});
        answerFileDialog(path);
        ui->actionOpen_file->trigger();
        QCOMPARE(captions.size(), 2);
        QCOMPARE(window->document().flatten(), expected);
        QCOMPARE(window->windowTitle(), QStringLiteral("gait forge - ") + path);
    }
};

QTEST_MAIN(TestMotionDocument)
#include "tst_motiondocument.moc"
