// Operation files of 100, 1,000 and 10,000 frames read and written, in memory
// (the reader and writer alone) and on disk as the window does it (file, model
// and a safe save); the flat form of a 1,000-frame table flattened and restored;
// the heap the undo history of a 3,000-frame motion takes at its 180 entries.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <malloc.h>

#include "motion/frametable.h"
#include "motion/frametablemodel.h"
#include "motion/motiondocument.h"
#include "motion/operationfile.h"
#include "variedmotion.h"

using namespace frametable;

namespace {

QByteArray fileBytes(int frames)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    operationfile::write(out, variedMotion(frames), false);
    out.flush();
    return bytes;
}

void WriteInMemory(benchmark::State &state)
{
    const FrameRows rows = variedMotion(int(state.range(0)));
    for (auto _ : state) {
        QByteArray bytes;
        QTextStream out(&bytes);
        operationfile::write(out, rows, false);
        out.flush();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetComplexityN(state.range(0));
}

void ReadInMemory(benchmark::State &state)
{
    const QByteArray bytes = fileBytes(int(state.range(0)));
    for (auto _ : state) {
        QTextStream in(bytes);
        const operationfile::ReadResult result = operationfile::read(in);
        if (result.rows.size() != state.range(0))
            state.SkipWithError("unexpected frame count");
        benchmark::DoNotOptimize(result.rows.data());
    }
    state.SetComplexityN(state.range(0));
}

// As the save command: the model's cells, a safe save to disk.
void SaveFromModel(benchmark::State &state)
{
    FrameTableModel model;
    appendRows(model, variedMotion(int(state.range(0))));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motion.ini"));
    for (auto _ : state) {
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        QTextStream out(&file);
        operationfile::write(out, rowsOf(model), false);
        out.flush();
        file.commit();
    }
    state.SetComplexityN(state.range(0));
}

// As the open command: the file read into a fresh model.
void OpenIntoModel(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motion.ini"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(fileBytes(int(state.range(0))));
    }
    for (auto _ : state) {
        FrameTableModel model;
        QFile file(path);
        file.open(QIODevice::ReadOnly | QIODevice::Text);
        QTextStream in(&file);
        appendRows(model, operationfile::read(in).rows);
        if (model.rowCount() != state.range(0))
            state.SkipWithError("unexpected frame count");
    }
    state.SetComplexityN(state.range(0));
}

void Flatten(benchmark::State &state)
{
    FrameTableModel model;
    appendRows(model, variedMotion(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(flatten(model).data());
    state.SetComplexityN(state.range(0));
}

void Restore(benchmark::State &state)
{
    FrameTableModel source;
    appendRows(source, variedMotion(int(state.range(0))));
    const QVector<int> values = flatten(source);
    FrameTableModel model;
    for (auto _ : state)
        restore(model, values);
    state.SetComplexityN(state.range(0));
}

// Bytes of heap in use (small blocks and mapped ones).
double heapMb()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// The undo history of a motion at its 180-entry limit: each step changes one
// angle of one frame and records a snapshot, as a panel edit does.
void UndoMemory(benchmark::State &state)
{
    const int frames = int(state.range(0));
    double growth = 0;
    for (auto _ : state) {
        MotionDocument doc;
        for (int r = 0; r < frames; ++r) {
            MotionDocument::Frame f{};
            for (int c = 0; c < ColumnCount; ++c)
                f[c] = (r * 7 + c) % 100;
            doc.insertFrame(r, f);
        }
        doc.recordSnapshot();
        const double before = heapMb();
        for (int i = 1; i < editing::HistoryLimit + 20; ++i) {
            doc.setCell((i * 17) % frames, i % ServoCount, 1000 + i);
            doc.recordSnapshot();
        }
        growth = heapMb() - before;
        if (int(doc.undoHistory().size()) != editing::HistoryLimit)
            state.SkipWithError("the history is not at its limit");
    }
    state.counters["history_mb"] = growth;
    state.counters["per_snapshot_kb"] = growth * 1024.0 / editing::HistoryLimit;
}

} // namespace

BENCHMARK(UndoMemory)->Arg(3000)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteInMemory)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadInMemory)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveFromModel)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenIntoModel)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(Flatten)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(Restore)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
