// The motion document on its own, without a window: the table and its current
// frame, reading and writing operation files, the modified mark and the path
// with their signals, the undo history with its limit and settle countdown.

#include <QtTest>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include "motion/motiondocument.h"
#include "support/operationexample.h"
#include "support/testfiles.h"

using namespace frametable;

using namespace testfiles;

namespace {

MotionDocument::Frame numberedFrame(int n)
{
    MotionDocument::Frame values{};
    values[0] = n;
    values[ColOperationTime] = 100 * n;
    return values;
}

} // namespace

class TestMotionDocumentUnit : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString file(const QString &name) const { return dir.filePath(name); }

private slots:
    void startsEmpty()
    {
        MotionDocument doc;
        QCOMPARE(doc.rowCount(), 0);
        QCOMPARE(doc.model()->columnCount(), ColumnCount);
        QCOMPARE(doc.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("servo 2"));
        QCOMPARE(doc.model()->headerData(45, Qt::Horizontal).toString(), QStringLiteral("led3b frequency"));
        QCOMPARE(doc.selectionModel()->model(), doc.model());
        QCOMPARE(doc.currentRow(), -1);
        QCOMPARE(doc.insertPosition(), 0);
        QVERIFY(!doc.isModified());
        QVERIFY(doc.path().isEmpty());
        QCOMPARE(doc.editSettleCountdown(), 0);
        QVERIFY(doc.undoHistory().empty());
        QVERIFY(doc.copiedFrames().isEmpty());
        for (int angle : doc.originAngles())
            QCOMPARE(angle, 0);
    }

    void cellsAndTheCurrentFrame()
    {
        MotionDocument doc;
        QVERIFY(doc.insertFrame(0, numberedFrame(1)));
        QVERIFY(doc.insertFrame(1, numberedFrame(3)));
        QVERIFY(doc.insertFrame(1, numberedFrame(2)));
        QCOMPARE(doc.rowCount(), 3);
        QCOMPARE(doc.cell(1, 0), 2);
        QCOMPARE(doc.cell(2, ColOperationTime), 300);
        for (int c = 0; c < ColumnCount; ++c)
            QCOMPARE(doc.model()->data(doc.model()->index(0, c)).userType(), int(QMetaType::Int));

        // Text reads as its number; a write outside the table has no effect.
        doc.model()->setData(doc.model()->index(0, ColDelayTime), QStringLiteral("250"));
        QCOMPARE(doc.cell(0, ColDelayTime), 250);
        doc.setCell(7, 0, 9);
        doc.setCell(0, ColumnCount, 9);
        QCOMPARE(doc.rowCount(), 3);
        doc.setCell(0, ColVolume, 90);
        QCOMPARE(doc.cell(0, ColVolume), 90);

        // The current frame is the selection model's current index.
        doc.selectionModel()->setCurrentIndex(doc.model()->index(1, 4), QItemSelectionModel::NoUpdate);
        QCOMPARE(doc.currentRow(), 1);
        QCOMPARE(doc.insertPosition(), 2);

        // An empty frame reads as zeros.
        QVERIFY(doc.insertEmptyFrame(0));
        QCOMPARE(doc.cell(0, ColOperationTime), 0);
        QCOMPARE(doc.model()->data(doc.model()->index(0, 0)), QVariant(0));
        doc.removeFrame(0);
        doc.removeAllFrames();
        QCOMPARE(doc.rowCount(), 0);
    }

    // The one current frame tells its views: a move of the selection model
    // (a click in the table), setCurrentRow, also of the row already current
    // (the frame there may be another one now); a removal of the current
    // frame once the rows are gone, with the row current then, and a reset.
    // Rows inserted or removed before it move it silently: the frame stays.
    void currentRowChangedTellsEveryMove()
    {
        MotionDocument doc;
        for (int n = 1; n <= 5; ++n)
            QVERIFY(doc.insertFrame(n - 1, numberedFrame(n)));
        QSignalSpy moved(&doc, &MotionDocument::currentRowChanged);
        QVector<int> rowWhenTold;
        connect(&doc, &MotionDocument::currentRowChanged, this,
                [&](int row) { rowWhenTold << row << doc.currentRow() << doc.rowCount(); });

        doc.selectionModel()->setCurrentIndex(doc.model()->index(3, 2), QItemSelectionModel::NoUpdate);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.takeFirst().at(0).toInt(), 3);

        // Chosen again: told again; the column stays.
        doc.setCurrentRow(3);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.takeFirst().at(0).toInt(), 3);
        QCOMPARE(doc.selectionModel()->currentIndex().column(), 2);
        doc.setCurrentRow(1);
        QCOMPARE(moved.takeFirst().at(0).toInt(), 1);
        QVERIFY(doc.selectionModel()->isSelected(doc.model()->index(1, 2)));

        // Rows before the current one come and go: the frame stays current.
        QVERIFY(doc.insertFrame(0, numberedFrame(9)));
        doc.removeFrame(0);
        QCOMPARE(moved.count(), 0);
        QCOMPARE(doc.currentRow(), 1);

        // The current frame removed: told once, after the removal.
        rowWhenTold.clear();
        doc.setCurrentRow(0);
        moved.clear();
        rowWhenTold.clear();
        doc.removeFrame(0);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(rowWhenTold, (QVector<int>{0, 0, 4}));
        QCOMPARE(doc.cell(doc.currentRow(), 0), 2);

        // No frame: -1, also for a row the table does not hold.
        doc.setCurrentRow(7);
        QCOMPARE(moved.takeLast().at(0).toInt(), -1);
        QCOMPARE(doc.currentRow(), -1);
        doc.setCurrentRow(2);
        moved.clear();
        doc.restore(QVector<int>(ColumnCount * 2, 0));
        QVERIFY(moved.count() >= 1);
        QCOMPARE(moved.last().at(0).toInt(), -1);
        QCOMPARE(doc.currentRow(), -1);
    }

    void flatFormAndReset()
    {
        MotionDocument doc;
        QSignalSpy reset(&doc, &MotionDocument::framesReset);
        QVector<int> values(2 * ColumnCount);
        for (int i = 0; i < values.size(); ++i)
            values[i] = i - 30;
        doc.restore(values);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(doc.rowCount(), 2);
        QCOMPARE(doc.flatten(), values);
        doc.restore({});
        QCOMPARE(reset.count(), 2);
        QCOMPARE(doc.rowCount(), 0);
    }

    void pathAndModifiedSignals()
    {
        MotionDocument doc;
        QSignalSpy path(&doc, &MotionDocument::pathChanged);
        QSignalSpy modified(&doc, &MotionDocument::modifiedChanged);
        doc.setPath(QStringLiteral("a.ini"));
        doc.setPath(QStringLiteral("a.ini"));
        doc.setPath(QString());
        QCOMPARE(path.count(), 2);
        QCOMPARE(path.at(0).at(0).toString(), QStringLiteral("a.ini"));
        QCOMPARE(path.at(1).at(0).toString(), QString());
        doc.setModified(true);
        doc.setModified(true);
        doc.setModified(false);
        QCOMPARE(modified.count(), 2);
        QCOMPARE(modified.at(0).at(0).toBool(), true);
        QCOMPARE(modified.at(1).at(0).toBool(), false);
    }

    void openAndSaveRoundTrip()
    {
        const QString source = file(QStringLiteral("example.ini"));
        writeFile(source, kExample);
        MotionDocument doc;
        QSignalSpy reset(&doc, &MotionDocument::framesReset);
        const MotionDocument::OpenResult opened = doc.open(source);
        QVERIFY(opened.opened);
        QVERIFY(opened.messages.isEmpty());
        QCOMPARE(opened.loopKey, operationfile::LoopKey::Unchecked);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(doc.path(), source);
        QCOMPARE(doc.rowCount(), 2);
        QCOMPARE(doc.cell(0, ColLoopFlag), LoopStart);
        QCOMPARE(doc.cell(0, ColLoopTimes), 2);
        QCOMPARE(doc.cell(1, ColLoopFlag), LoopEnd);
        QVERIFY(!doc.isModified());  // reading does not mark the document

        const QString copy = file(QStringLiteral("copy.ini"));
        QVERIFY(doc.save(copy, false).ok());
        QCOMPARE(readFile(copy), kExample);
        QCOMPARE(doc.path(), source);  // saving elsewhere keeps the document's path

        QVERIFY(doc.save(copy, true).ok());
        QVERIFY(readFile(copy).startsWith("#This is a robot operation file.\r\nFLP:65535;\r\n"));
        QCOMPARE(doc.open(copy).loopKey, operationfile::LoopKey::Checked);
    }

    void openFailures()
    {
        MotionDocument doc;
        doc.insertFrame(0, numberedFrame(1));
        QSignalSpy reset(&doc, &MotionDocument::framesReset);

        // A file that cannot be opened keeps the table and the document's
        // own path (no path at all here).
        const MotionDocument::OpenResult missing = doc.open(file(QStringLiteral("missing.ini")));
        QVERIFY(!missing.opened);
        QCOMPARE(doc.rowCount(), 1);
        QCOMPARE(doc.path(), QString());
        QCOMPARE(reset.count(), 0);

        // A faulty file: the frames read before its fault, unnamed and
        // modified, remembering where they came from; the faults are named.
        const QString bad = file(QStringLiteral("bad.ini"));
        writeFile(bad, "FR:1,60,600,100,0," + zeros19() + ";\nLPE:;\nEND:;\n");
        const MotionDocument::OpenResult faulty = doc.open(bad);
        QVERIFY(faulty.opened);
        QVERIFY(faulty.recovered);
        QCOMPARE(doc.rowCount(), 1);
        QCOMPARE(doc.path(), QString());
        QCOMPARE(doc.framesReadFrom(), bad);
        QVERIFY(doc.isModified());
        QCOMPARE(reset.count(), 1);
        QStringList texts;
        for (const operationfile::Message &m : faulty.messages)
            texts << operationfile::messageText(m);
        QCOMPARE(texts, (QStringList{"Loop key line error in line:3", "Error loop!"}));
        // Naming the document ends its tie to the damaged file.
        doc.setPath(file(QStringLiteral("named.ini")));
        QCOMPARE(doc.framesReadFrom(), QString());
    }

    // A cut motion: the frames before the cut come back unnamed; one with no
    // frame before its fault leaves the document as it was.
    void aDamagedFileGivesTheFramesBeforeItsFault()
    {
        MotionDocument doc;
        doc.setPath(file(QStringLiteral("mine.ini")));
        const QByteArray fr = "FR:1,60,600,100,0," + zeros19() + ";\r\n";
        const QString cut = file(QStringLiteral("cut.ini"));
        writeFile(cut, "#This is a robot operation file.\r\nFLP:0;\r\n" + fr + fr + fr + "FR:1,60,6");
        MotionDocument::OpenResult result = doc.open(cut);
        QVERIFY(result.recovered);
        QCOMPARE(doc.rowCount(), 3);
        QCOMPARE(doc.path(), QString());
        QCOMPARE(doc.framesReadFrom(), cut);
        QVERIFY(doc.isModified());
        QCOMPARE(doc.undoHistory().back().rowCount(), 3);

        doc.setPath(file(QStringLiteral("mine.ini")));
        doc.setModified(false);
        const QString early = file(QStringLiteral("early.ini"));
        writeFile(early, "FLP:0;\nFR:1,2;\n" + fr);
        result = doc.open(early);
        QVERIFY(result.opened);
        QVERIFY(!result.recovered);
        QCOMPARE(result.messages.size(), 1);
        QCOMPARE(doc.rowCount(), 3);
        QCOMPARE(doc.path(), file(QStringLiteral("mine.ini")));
        QVERIFY(!doc.isModified());
    }

    // A file with no operation file record at all is no motion: the document
    // stays as it was, its frames, its path and its modified mark.
    void openingWhatIsNoMotionChangesNothing()
    {
        MotionDocument doc;
        doc.insertFrame(0, numberedFrame(1));
        doc.setPath(file(QStringLiteral("mine.ini")));
        doc.setModified(true);
        QSignalSpy reset(&doc, &MotionDocument::framesReset);
        const QList<QByteArray> notMotions{"# gaitForge\n\nA desktop control centre.\n", QByteArray(),
                                           QByteArray("ID3\x04\0\0\0\0\0\x23\xff\xfb", 13),
                                           // A configure file: no frame, keys of another file.
                                           "#This is a robot configure file.\r\nSV:60;\r\n"
                                           "LED:0,0,0,0,0,0,0,0,0;\r\nBB:9600;\r\nEND:;\r\n"};
        for (const QByteArray &bytes : notMotions) {
            const QString other = file(QStringLiteral("other.ini"));
            writeFile(other, bytes);
            const MotionDocument::OpenResult result = doc.open(other);
            QVERIFY(result.notAMotion);
            QCOMPARE(doc.rowCount(), 1);
            QCOMPARE(doc.cell(0, 0), 1);
            QCOMPARE(doc.path(), file(QStringLiteral("mine.ini")));
            QVERIFY(doc.isModified());
            QCOMPARE(reset.count(), 0);
        }
    }

    // Opening is no modification: the frames read are the undo history's
    // last state, and the settle countdown that follows records nothing.
    void openingIsNoModification()
    {
        const QString source = file(QStringLiteral("clean.ini"));
        writeFile(source, kExample);
        MotionDocument doc;
        doc.insertFrame(0, numberedFrame(1));
        doc.setModified(true);
        doc.open(source);
        QVERIFY(!doc.isModified());
        doc.noteEdit();
        for (int i = 0; i < 5; ++i)
            doc.settleTick();
        QVERIFY(!doc.isModified());
        // A real change after it is one.
        doc.setCell(0, ColOperationTime, 123);
        doc.noteEdit();
        for (int i = 0; i < 5; ++i)
            doc.settleTick();
        QVERIFY(doc.isModified());
        // Undo goes back to the file as read.
        QVector<int> state;
        QVERIFY(doc.undo(&state));
        QCOMPARE(state.at(ColOperationTime), 600);
    }

    // Bounded random tables with loop marks and music events: saving gives a
    // file that opens to the same table, or is refused (loops that do not
    // balance, values the file cannot hold) and leaves the file on disk as
    // it was. Never a file the program then rejects.
    void randomTablesSaveAndOpenAlike()
    {
        const quint32 seed = qEnvironmentVariableIsSet("GAITFORGE_SEED") ? qEnvironmentVariableIntValue("GAITFORGE_SEED")
                                                                         : 20261207u;
        QRandomGenerator random(seed);
        QElapsedTimer timer;
        timer.start();
        const QString path = file(QStringLiteral("random.ini"));
        int saved = 0;
        int refused = 0;
        for (int round = 0; round < 400; ++round) {
            const QString where = QStringLiteral("seed %1, round %2").arg(seed).arg(round);
            writeFile(path, "on disk before");
            MotionDocument doc;
            const int rows = int(random.bounded(0, 12));
            // Loop marks mostly in pairs, sometimes alone; rarely a value the
            // table's editors allow but the file cannot pack.
            for (int r = 0; r < rows; ++r) {
                MotionDocument::Frame f{};
                for (int c = 0; c < ServoCount; ++c)
                    f[c] = int(random.bounded(-1500, 65536));
                f[ColOperationTime] = int(random.bounded(0, 30001));
                f[ColDelayTime] = int(random.bounded(-5, 30001));
                f[ColLoopFlag] = random.bounded(3) ? 0 : int(random.bounded(1, 3));
                f[ColLoopTimes] = f[ColLoopFlag] == LoopStart ? int(random.bounded(0, 65536)) : 0;
                f[ColMusicControl] = int(random.bounded(4));
                f[ColMusicType] = int(random.bounded(2));
                f[ColMusicFolder] = int(random.bounded(2));
                f[ColMusicFile] = random.bounded(20) ? int(random.bounded(4096)) : int(random.bounded(-1500, 65536));
                f[ColVolume] = int(random.bounded(101));
                const bool ledsChange = random.bounded(3) == 0;
                for (int k = 0; k < LedChannelCount; ++k) {
                    f[ledBrightnessColumn(k)] = ledsChange ? int(random.bounded(11)) : 0;
                    f[ledFrequencyColumn(k)] = ledsChange ? int(random.bounded(5)) : 0;
                }
                QVERIFY(doc.insertFrame(r, f));
            }
            const bool loopKey = random.bounded(2);
            const MotionDocument::SaveResult result = doc.save(path, loopKey);
            if (!result.ok()) {
                QVERIFY2(result.kind == MotionDocument::SaveResult::UnmatchedLoopEnd
                             || result.kind == MotionDocument::SaveResult::ValueOutOfRange,
                         qPrintable(where));
                QVERIFY2(result.faultyRow >= 0 && result.faultyRow < rows, qPrintable(where));
                QVERIFY2(readFile(path) == "on disk before", qPrintable(where));
                ++refused;
                continue;
            }
            ++saved;
            MotionDocument again;
            const MotionDocument::OpenResult opened = again.open(path);
            QVERIFY2(opened.opened && opened.messages.isEmpty(), qPrintable(where));
            QVERIFY2(opened.loopKey == (loopKey ? operationfile::LoopKey::Checked : operationfile::LoopKey::Unchecked),
                     qPrintable(where));
            QVERIFY2(again.flatten() == doc.flatten(), qPrintable(where));
        }
        QVERIFY2(saved > 50 && refused > 50, qPrintable(QStringLiteral("%1 saved, %2 refused").arg(saved).arg(refused)));
        QVERIFY2(timer.elapsed() < 20000, "too slow");
    }

    void saveRefusesWhatWouldNotOpenAgain()
    {
        MotionDocument doc;
        const QString kept = file(QStringLiteral("kept2.ini"));
        writeFile(kept, "old");
        for (int r = 0; r < 3; ++r)
            doc.insertFrame(r, numberedFrame(r));
        // A loop start left open.
        doc.setCell(1, ColLoopFlag, LoopStart);
        MotionDocument::SaveResult result = doc.save(kept, false);
        QCOMPARE(result.kind, MotionDocument::SaveResult::UnmatchedLoopEnd);
        QCOMPARE(result.faultyRow, 1);
        QCOMPARE(readFile(kept), QByteArray("old"));
        doc.setCell(2, ColLoopFlag, LoopEnd);
        QVERIFY(doc.save(kept, false).ok());
        // A music file number the file's 12 bits cannot hold.
        writeFile(kept, "old");
        doc.setCell(2, ColMusicFile, 4096);
        result = doc.save(kept, false);
        QCOMPARE(result.kind, MotionDocument::SaveResult::ValueOutOfRange);
        QCOMPARE(result.faultyRow, 2);
        QCOMPARE(result.faultyColumn, ColMusicFile);
        QCOMPARE(readFile(kept), QByteArray("old"));
    }

    void saveFailures()
    {
        MotionDocument doc;
        doc.insertFrame(0, numberedFrame(1));
        QCOMPARE(doc.save(QString(), false).kind, MotionDocument::SaveResult::NoPath);

        // A loop end without its start: refused before the file is touched.
        const QString kept = file(QStringLiteral("kept.ini"));
        writeFile(kept, "old");
        doc.insertFrame(1, numberedFrame(2));
        doc.setCell(1, ColLoopFlag, LoopEnd);
        const MotionDocument::SaveResult loop = doc.save(kept, false);
        QCOMPARE(loop.kind, MotionDocument::SaveResult::UnmatchedLoopEnd);
        QCOMPARE(loop.faultyRow, 1);
        QCOMPARE(readFile(kept), QByteArray("old"));

        // A place that cannot be written.
        doc.setCell(1, ColLoopFlag, LoopNone);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("taken.ini")));
        QCOMPARE(doc.save(file(QStringLiteral("taken.ini")), false).kind, MotionDocument::SaveResult::WriteFailed);
        QCOMPARE(doc.save(file(QStringLiteral("no/such/folder/x.ini")), false).kind,
                 MotionDocument::SaveResult::WriteFailed);
        QVERIFY(QFileInfo(file(QStringLiteral("taken.ini"))).isDir());
    }

    void settleCountdownRecordsOneSnapshot()
    {
        MotionDocument doc;
        QSignalSpy recorded(&doc, &MotionDocument::snapshotRecorded);
        // The first tick records the empty table, without marking it modified.
        doc.settleTick();
        QCOMPARE(doc.editSettleCountdown(), -10);
        QCOMPARE(recorded.count(), 1);
        QVERIFY(!doc.isModified());

        doc.insertFrame(0, numberedFrame(1));
        doc.noteEdit();
        QCOMPARE(doc.editSettleCountdown(), 100);
        doc.settleTick();
        QCOMPARE(doc.editSettleCountdown(), 50);
        doc.settleTick();
        QCOMPARE(doc.editSettleCountdown(), 0);
        QCOMPARE(recorded.count(), 1);
        doc.settleTick();
        QCOMPARE(doc.editSettleCountdown(), -10);
        QCOMPARE(recorded.count(), 2);
        QVERIFY(doc.isModified());
        doc.settleTick();
        QCOMPARE(recorded.count(), 2);

        // A burst of edits settles into one snapshot; the same table none.
        doc.noteEdit();
        doc.noteEdit();
        for (int i = 0; i < 5; ++i)
            doc.settleTick();
        QCOMPARE(recorded.count(), 2);
        QCOMPARE(int(doc.undoHistory().size()), 2);
    }

    // The table model as the views see it: rows and columns, flags, headers,
    // rows inserted and removed through the item model API, and a change
    // signalled only when a value changes.
    void tableModelAsTheViewsSeeIt()
    {
        MotionDocument doc;
        FrameTableModel *model = doc.model();
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        QSignalSpy edited(&doc, &MotionDocument::cellEdited);
        QVERIFY(model->insertRows(0, 3));
        QVERIFY(!model->insertRows(5, 1));
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->rowCount(model->index(0, 0)), 0);
        QCOMPARE(model->headerData(2, Qt::Vertical).toInt(), 3);
        QVERIFY(model->flags(model->index(1, 1)) & Qt::ItemIsEditable);
        QVERIFY(!model->index(3, 0).isValid());
        QVERIFY(!model->index(0, ColumnCount).isValid());
        QCOMPARE(model->data(model->index(0, 0), Qt::ToolTipRole), QVariant());

        // New rows read 0; writing one leaves the others (they share nothing visible).
        QVERIFY(model->setData(model->index(1, 7), 70));
        QCOMPARE(doc.cell(0, 7), 0);
        QCOMPARE(doc.cell(2, 7), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0), (QList<QVariant>{1, 7}));
        // The same value again: no change.
        QVERIFY(model->setData(model->index(1, 7), 70));
        doc.setCell(1, 7, 70);
        QCOMPARE(changed.count(), 1);
        // A write through the document changes the model but is no item edit.
        doc.setCell(2, 7, 5);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(edited.count(), 1);
        QVERIFY(doc.isModified());
        QCOMPARE(doc.editSettleCountdown(), 100);

        QVERIFY(model->removeRows(0, 2));
        QVERIFY(!model->removeRows(0, 2));
        QCOMPARE(doc.rowCount(), 1);
        QCOMPARE(doc.cell(0, 7), 5);
    }

    // A snapshot holds the frames of the table itself: recording one copies
    // no frame, an edit copies only the frame it writes, and a restored state
    // shares its frames with the history again.
    void snapshotsShareUnchangedFrames()
    {
        MotionDocument doc;
        for (int r = 0; r < 50; ++r)
            doc.insertFrame(r, numberedFrame(r));
        QVERIFY(doc.recordSnapshot());
        doc.setCell(7, 3, 999);
        QVERIFY(doc.recordSnapshot());
        const TableState &before = doc.undoHistory()[0];
        const TableState &after = doc.undoHistory()[1];
        for (int r = 0; r < 50; ++r) {
            QCOMPARE(before.frames[r].shares(after.frames[r]), r != 7);
            QVERIFY(after.frames[r].shares(doc.model()->state().frames[r]));
        }
        QCOMPARE(before.value(7, 3), numberedFrame(7)[3]);
        QCOMPARE(after.value(7, 3), 999);

        TableState state;
        QVERIFY(doc.undo(&state));
        doc.restoreState(state);
        QCOMPARE(doc.cell(7, 3), numberedFrame(7)[3]);
        for (int r = 0; r < 50; ++r)
            QVERIFY(doc.model()->state().frames[r].shares(doc.undoHistory()[0].frames[r]));
        // Writing the restored table leaves the history's state as it was.
        doc.setCell(0, 0, -1);
        QCOMPARE(doc.undoHistory()[0].value(0, 0), numberedFrame(0)[0]);
        QCOMPARE(doc.redoStack().back().value(7, 3), 999);
    }

    // An undo of one changed frame tells the views that row, and no reset;
    // it is no new edit.
    void restoreTellsOnlyTheChangedRows()
    {
        MotionDocument doc;
        for (int r = 0; r < 20; ++r)
            doc.insertFrame(r, numberedFrame(r));
        QVERIFY(doc.recordSnapshot());
        doc.setCell(12, 5, 999);
        QVERIFY(doc.recordSnapshot());
        doc.setEditSettleCountdown(-10);
        TableState state;
        QVERIFY(doc.undo(&state));
        QSignalSpy reset(doc.model(), &QAbstractItemModel::modelReset);
        QSignalSpy changed(doc.model(), &QAbstractItemModel::dataChanged);
        QSignalSpy framesReset(&doc, &MotionDocument::framesReset);
        QVector<editing::RowChanges> restored;
        connect(&doc, &MotionDocument::framesRestored, this,
                [&restored](const editing::RowChanges &changes) { restored << changes; });
        doc.restoreState(state, 12);
        QCOMPARE(doc.cell(12, 5), numberedFrame(12)[5]);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(framesReset.count(), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][0].toModelIndex().row(), 12);
        QCOMPARE(changed[0][1].toModelIndex().row(), 12);
        QCOMPARE(restored.count(), 1);
        const editing::RowChanges &changes = restored[0];
        QCOMPARE(changes.changed, QVector<int>{12});
        QCOMPARE(changes.removed + changes.inserted, 0);
        QCOMPARE(doc.editSettleCountdown(), -10);
        QVERIFY(doc.model()->state() == doc.undoHistory().back());
    }

    void undoRedoAndTheLimit()
    {
        MotionDocument doc;
        QVERIFY(doc.recordSnapshot());  // the empty table
        doc.insertFrame(0, numberedFrame(0));
        for (int i = 1; i <= 200; ++i) {
            doc.setCell(0, 0, i);
            QVERIFY(doc.recordSnapshot());
            QVERIFY(!doc.recordSnapshot());
        }
        QCOMPARE(int(doc.undoHistory().size()), editing::HistoryLimit);
        QCOMPARE(doc.undoHistory().back().at(0), 200);

        QVector<int> state;
        QVERIFY(doc.undo(&state));
        QCOMPARE(state.at(0), 199);
        QCOMPARE(int(doc.redoStack().size()), 1);
        QVERIFY(doc.redo(&state));
        QCOMPARE(state.at(0), 200);
        QVERIFY(!doc.redo(&state));

        int undos = 0;
        while (doc.undo(&state))
            ++undos;
        QCOMPARE(undos, editing::HistoryLimit - 1);
        QCOMPARE(state.at(0), 21);
        QCOMPARE(int(doc.undoHistory().size()), 1);

        // A new edit ends the redo history.
        doc.restore(state);
        QVERIFY(!doc.redoStack().empty());
        doc.setCell(0, 0, -7);
        QVERIFY(doc.recordSnapshot());
        QVERIFY(doc.redoStack().empty());
        QVERIFY(!doc.redo(&state));
    }
};

QTEST_GUILESS_MAIN(TestMotionDocumentUnit)
#include "tst_motiondocumentunit.moc"
