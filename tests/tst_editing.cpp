// The arithmetic of the frame editing commands: undo history limits and
// ordering, the transition frame's rounding, mirror and reverse steps and the
// rows a remove takes.

#include <QtTest>

#include "motion/editing.h"
#include "motion/frametable.h"

using namespace editing;
using namespace frametable;

using AngleMap = QMap<int, int>;

namespace {

Snapshot state(int v) { return TableState::fromFlat(QVector<int>(ColumnCount, v)); }

Frame frameWith(int fill)
{
    Frame f;
    f.fill(fill);
    return f;
}

std::array<int, 19> pose(const QMap<int, int> &angles)
{
    std::array<int, 19> a{};
    for (auto it = angles.begin(); it != angles.end(); ++it)
        a[servoColumn(it.key())] = it.value();
    return a;
}

} // namespace

// A table with one frame per value, the value as its operation time.
static TableState tableOf(const QVector<int> &values)
{
    QVector<int> flat;
    for (int v : values) {
        QVector<int> row(ColumnCount, 0);
        row[ColOperationTime] = v;
        flat += row;
    }
    return TableState::fromFlat(flat);
}

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    // ---- undo history

    void snapshotSkipsEqualState()
    {
        SnapshotQueue history;
        QVERIFY(recordSnapshot(history, Snapshot()));   // the empty table at start
        QVERIFY(!recordSnapshot(history, Snapshot()));
        QVERIFY(recordSnapshot(history, state(1)));
        QVERIFY(!recordSnapshot(history, state(1)));
        // Same values, another length: a different table.
        QVERIFY(recordSnapshot(history, TableState::fromFlat(QVector<int>(2 * ColumnCount, 1))));
        QCOMPARE(int(history.size()), 3);
    }

    void historyKeepsTheLast180()
    {
        SnapshotQueue history;
        for (int i = 0; i < 200; ++i)
            recordSnapshot(history, state(i));
        QCOMPARE(int(history.size()), HistoryLimit);
        QCOMPARE(history.front(), state(20));
        QCOMPARE(history.back(), state(199));
        // Undo goes back at most 179 steps.
        SnapshotQueue redo;
        Snapshot restore;
        int steps = 0;
        while (undoStep(history, redo, &restore))
            ++steps;
        QCOMPARE(steps, HistoryLimit - 1);
        QCOMPARE(restore, state(20));
        QCOMPARE(int(history.size()), 1);
    }

    void redoBeyondTheLimitIsTrimmedByTheNextSnapshot()
    {
        SnapshotQueue history;
        SnapshotQueue redo;
        for (int i = 0; i < HistoryLimit; ++i)
            recordSnapshot(history, redo, state(i));
        for (int i = 0; i < 10; ++i)
            undoStep(history, redo, nullptr);
        Snapshot restore;
        for (int i = 0; i < 10; ++i)
            QVERIFY(redoStep(history, redo, &restore));
        QCOMPARE(int(history.size()), HistoryLimit);
        QVERIFY(recordSnapshot(history, redo, state(5000)));
        QCOMPARE(int(history.size()), HistoryLimit);
    }

    // A new edit ends the redo history; a state equal to the last one (the
    // table restored by undo, a frame merely selected) is no edit and keeps it.
    void newEditEmptiesTheRedoStack()
    {
        SnapshotQueue history;
        SnapshotQueue redo;
        for (int i = 1; i <= 3; ++i)
            recordSnapshot(history, redo, state(i));
        Snapshot restore;
        QVERIFY(undoStep(history, redo, &restore));
        QVERIFY(!recordSnapshot(history, redo, restore));
        QCOMPARE(int(redo.size()), 1);
        QVERIFY(recordSnapshot(history, redo, state(9)));
        QVERIFY(redo.empty());
        QVERIFY(!redoStep(history, redo, &restore));
        QCOMPARE(history.back(), state(9));
    }

    void firstChangedRow_data()
    {
        QTest::addColumn<QVector<int>>("before");   // one value per row
        QTest::addColumn<QVector<int>>("after");
        QTest::addColumn<int>("fallback");
        QTest::addColumn<int>("expected");
        QTest::newRow("one frame changed") << QVector<int>{1, 2, 3, 4} << QVector<int>{1, 2, 9, 4} << 0 << 2;
        QTest::newRow("two changed: the first") << QVector<int>{1, 2, 3, 4} << QVector<int>{1, 7, 3, 8} << 3 << 1;
        QTest::newRow("inserted frame undone") << QVector<int>{1, 2, 5, 3} << QVector<int>{1, 2, 3} << 0 << 2;
        QTest::newRow("last frame removed") << QVector<int>{1, 2, 3} << QVector<int>{1, 2} << 0 << 1;
        QTest::newRow("frame appended") << QVector<int>{1, 2} << QVector<int>{1, 2, 3} << 0 << 2;
        QTest::newRow("to the empty table") << QVector<int>{1} << QVector<int>{} << 0 << -1;
        QTest::newRow("from the empty table") << QVector<int>{} << QVector<int>{1, 2} << 1 << 0;
        QTest::newRow("equal: the fallback") << QVector<int>{1, 2, 3} << QVector<int>{1, 2, 3} << 1 << 1;
        QTest::newRow("fallback kept within") << QVector<int>{1, 2} << QVector<int>{1, 2} << 5 << 1;
    }
    void firstChangedRow()
    {
        QFETCH(QVector<int>, before);
        QFETCH(QVector<int>, after);
        QFETCH(int, fallback);
        QFETCH(int, expected);
        QCOMPARE(editing::firstChangedRow(tableOf(before), tableOf(after), fallback), expected);
    }

    // What an undo or redo tells the views: the rows changed in place, and a
    // block removed or inserted; applied to before it gives after.
    void rowChanges_data()
    {
        QTest::addColumn<QVector<int>>("before");   // one value per row
        QTest::addColumn<QVector<int>>("after");
        QTest::addColumn<QVector<int>>("changed");
        QTest::addColumn<int>("at");
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("inserted");
        using V = QVector<int>;
        QTest::newRow("equal") << V{1, 2, 3} << V{1, 2, 3} << V{} << 3 << 0 << 0;
        QTest::newRow("one frame in the middle") << V{1, 2, 3, 4, 5} << V{1, 2, 9, 4, 5} << V{2} << 3 << 0 << 0;
        QTest::newRow("two far apart, not those between")
            << V{1, 2, 3, 4, 5, 6} << V{1, 8, 3, 4, 9, 6} << V{1, 4} << 5 << 0 << 0;
        QTest::newRow("first and last") << V{1, 2, 3} << V{7, 2, 8} << V{0, 2} << 3 << 0 << 0;
        QTest::newRow("one inserted") << V{1, 2, 3, 4} << V{1, 2, 9, 3, 4} << V{} << 2 << 0 << 1;
        QTest::newRow("inserted copy of its neighbour") << V{1, 2, 3} << V{1, 2, 2, 3} << V{} << 2 << 0 << 1;
        QTest::newRow("two removed at the end") << V{1, 2, 3, 4} << V{1, 2} << V{} << 2 << 2 << 0;
        QTest::newRow("first removed") << V{1, 2, 3} << V{2, 3} << V{} << 0 << 1 << 0;
        QTest::newRow("changed and inserted") << V{1, 2, 3, 4} << V{7, 2, 8, 9, 4} << V{0, 2} << 3 << 0 << 1;
        QTest::newRow("from the empty table") << V{} << V{1, 2} << V{} << 0 << 0 << 2;
        QTest::newRow("to the empty table") << V{1, 2} << V{} << V{} << 0 << 2 << 0;
    }
    void rowChanges()
    {
        QFETCH(QVector<int>, before);
        QFETCH(QVector<int>, after);
        QFETCH(QVector<int>, changed);
        QFETCH(int, at);
        QFETCH(int, removed);
        QFETCH(int, inserted);
        const RowChanges changes = editing::rowChanges(tableOf(before), tableOf(after));
        QCOMPARE(changes.changed, changed);
        QCOMPARE(changes.at, at);
        QCOMPARE(changes.removed, removed);
        QCOMPARE(changes.inserted, inserted);
        QCOMPARE(changes.isEmpty(), before == after);
        // Before, with the changes applied, is after.
        QVector<int> applied = before;
        for (int row : changes.changed)
            applied[row] = after[row];
        applied.remove(changes.at, changes.removed);
        for (int i = 0; i < changes.inserted; ++i)
            applied.insert(changes.at + i, after[changes.at + i]);
        QCOMPARE(applied, after);
    }

    void undoRedoOrder_data()
    {
        QTest::addColumn<QString>("script");   // e: edit, u: undo, r: redo
        QTest::addColumn<int>("expected");      // value of the restored state after the last step
        QTest::addColumn<bool>("lastSucceeds");
        QTest::newRow("undo once") << "eeeu" << 2 << true;
        QTest::newRow("undo twice, redo once") << "eeeuur" << 2 << true;
        // The edit after the undo ends the redo history.
        QTest::newRow("undo, edit, redo finds nothing") << "eeeuer" << 0 << false;
        QTest::newRow("undo, edit, undo goes back before the edit") << "eeeueu" << 2 << true;
        QTest::newRow("undo to the first") << "eeeuu" << 1 << true;
        QTest::newRow("undo past the first") << "eeeuuu" << 1 << false;
        QTest::newRow("redo with empty stack") << "eeer" << 0 << false;
        QTest::newRow("redo in reverse order of undoing") << "eeeuurr" << 3 << true;
    }

    void undoRedoOrder()
    {
        QFETCH(QString, script);
        QFETCH(int, expected);
        QFETCH(bool, lastSucceeds);
        SnapshotQueue history;
        SnapshotQueue redo;
        int edits = 0;
        bool ok = true;
        Snapshot restore;
        for (QChar step : script) {
            if (step == 'e')
                recordSnapshot(history, redo, state(++edits));
            else if (step == 'u')
                ok = undoStep(history, redo, &restore);
            else
                ok = redoStep(history, redo, &restore);
        }
        QCOMPARE(ok, lastSucceeds);
        if (ok)
            QCOMPARE(restore, state(expected));
    }

    // ---- transition frame

    void transitionValues_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("firstValue");
        QTest::addColumn<int>("secondValue");
        QTest::addColumn<int>("firstAfter");
        QTest::addColumn<int>("middle");
        QTest::newRow("angle truncates toward zero") << 0 << 100 << -301 << 100 << -100;
        QTest::newRow("positive angle mean") << 18 << 301 << 100 << 301 << 200;
        QTest::newRow("odd operation time") << ColOperationTime << 601 << 50 << 300 << 300;
        QTest::newRow("delay time halved") << ColDelayTime << 100 << 999 << 50 << 50;
        QTest::newRow("loop flag cleared") << ColLoopFlag << 1 << 2 << 1 << 0;
        QTest::newRow("loop times cleared") << ColLoopTimes << 5 << 0 << 5 << 0;
        QTest::newRow("music control cleared") << ColMusicControl << 3 << 0 << 3 << 0;
        QTest::newRow("music file cleared") << ColMusicFile << 7 << 9 << 7 << 0;
        QTest::newRow("volume from the first") << ColVolume << 60 << 20 << 60 << 60;
        QTest::newRow("last led from the first") << ColumnCount - 1 << 3 << 1 << 3 << 3;
    }

    void transitionValues()
    {
        QFETCH(int, column);
        QFETCH(int, firstValue);
        QFETCH(int, secondValue);
        QFETCH(int, firstAfter);
        QFETCH(int, middle);
        Frame a = frameWith(0);
        Frame b = frameWith(0);
        a[column] = firstValue;
        b[column] = secondValue;
        const Transition t = transition(a, b);
        QCOMPARE(t.first[column], firstAfter);
        QCOMPARE(t.middle[column], middle);
    }

    // ---- mirror and reverse

    void mirrorPose_data()
    {
        QTest::addColumn<AngleMap>("before");
        QTest::addColumn<AngleMap>("after");
        QTest::newRow("hand 1 pair and head")
            << QMap<int, int>{{2, 50}, {3, 300}, {11, -100}} << QMap<int, int>{{2, -50}, {3, 100}, {11, -300}};
        QTest::newRow("leg 5 pair") << QMap<int, int>{{10, 7}, {18, 0}} << QMap<int, int>{{10, 0}, {18, -7}};
        QTest::newRow("extra servos kept")
            << QMap<int, int>{{19, 40}, {20, -40}} << QMap<int, int>{{19, 40}, {20, -40}};
        QTest::newRow("symmetric pose stays")
            << QMap<int, int>{{6, 120}, {14, -120}} << QMap<int, int>{{6, 120}, {14, -120}};
    }

    void mirrorPose()
    {
        QFETCH(AngleMap, before);
        QFETCH(AngleMap, after);
        const QVector<AngleStep> steps = mirrorSteps(pose(before));
        QCOMPARE(applySteps(pose(before), steps), pose(after));
        // Head first, then each pair left before right.
        QCOMPARE(steps.size(), 17);
        QCOMPARE(steps[0].first, 2);
        QCOMPARE(steps[1].first, 3);
        QCOMPARE(steps[2].first, 11);
        QCOMPARE(steps[15].first, 10);
        QCOMPARE(steps[16].first, 18);
    }

    void mirrorAndReverseTwiceRestore()
    {
        std::array<int, 19> p{};
        for (int i = 0; i < 19; ++i)
            p[i] = (i * 137) % 600 - 300;
        QCOMPARE(applySteps(applySteps(p, mirrorSteps(p)), mirrorSteps(applySteps(p, mirrorSteps(p)))), p);
        const auto once = applySteps(p, reverseSteps(p));
        QCOMPARE(applySteps(once, reverseSteps(once)), p);
        for (int servo = 2; servo <= 18; ++servo)
            QCOMPARE(once[servoColumn(servo)], -p[servoColumn(servo)]);
        QCOMPARE(once[servoColumn(19)], p[servoColumn(19)]);
        QCOMPARE(once[servoColumn(20)], p[servoColumn(20)]);
        const QVector<AngleStep> steps = reverseSteps(p);
        QVector<int> order;
        for (const AngleStep &s : steps)
            order << s.first;
        QCOMPARE(order, (QVector<int>{2, 3, 4, 5, 11, 12, 13, 6, 7, 8, 9, 10, 14, 15, 16, 17, 18}));
    }

    // ---- remove

    void removeRows_data()
    {
        QTest::addColumn<QVector<int>>("selected");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QVector<int>>("removed");
        QTest::newRow("highest first") << QVector<int>{1, 3} << 5 << QVector<int>{3, 1};
        QTest::newRow("picked in any order") << QVector<int>{4, 0, 2} << 5 << QVector<int>{4, 2, 0};
        QTest::newRow("rows gone are skipped") << QVector<int>{1, 5, 7} << 5 << QVector<int>{1};
        QTest::newRow("negative skipped") << QVector<int>{-1, 0} << 2 << QVector<int>{0};
        QTest::newRow("named twice, removed once") << QVector<int>{2, 2} << 5 << QVector<int>{2};
        QTest::newRow("empty table") << QVector<int>{0} << 0 << QVector<int>{};
    }

    void removeRows()
    {
        QFETCH(QVector<int>, selected);
        QFETCH(int, rowCount);
        QFETCH(QVector<int>, removed);
        QCOMPARE(rowsToRemove(selected, rowCount), removed);
        QVERIFY(std::is_sorted(selected.begin(), selected.end()));
    }
};

QTEST_GUILESS_MAIN(TestEditing)
#include "tst_editing.moc"
