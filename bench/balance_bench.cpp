// The balance check of a whole motion: 1,000 frames of varied poses (every
// joint over its whole range) checked in the left-foot tree, as the frame
// list's captions and gaitforge-cli balance check them. Also one frame alone,
// and reading the 18 meshes' masses at start. Repeated runs give min / median
// / max:
//   build/bench/gaitforge-bench-balance --benchmark_repetitions=20 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <algorithm>

#include "variedmotion.h"
#include "view3d/balance.h"
#include "view3d/bodymass.h"

namespace {

double minimum(const std::vector<double> &v)
{
    return *std::min_element(v.begin(), v.end());
}

double maximum(const std::vector<double> &v)
{
    return *std::max_element(v.begin(), v.end());
}

void BM_CheckMotion1000(benchmark::State &state)
{
    const bodymass::Body &body = bodymass::builtInBody();
    const balance::Checker checker(body, bodymass::shareByVolume(body));
    // Angles limited to +-60 degrees: poses a motion holds, not folded limbs.
    const frametable::FrameRows rows = variedMotion(1000);
    std::vector<std::array<int, robot3d::kJointCount>> frames;
    for (const frametable::FrameCells &cells : rows) {
        std::array<int, robot3d::kJointCount> a{};
        for (int j = 0; j < robot3d::kJointCount; ++j)
            a[size_t(j)] = frametable::cellInt(cells[j]) / 5;
        frames.push_back(a);
    }
    for (auto _ : state) {
        int tips = 0;
        for (const auto &a : frames)
            tips += checker.checkTenths(robot3d::LeftFootTree, a.data()).margin < 0;
        benchmark::DoNotOptimize(tips);
    }
}
BENCHMARK(BM_CheckMotion1000)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minimum)->ComputeStatistics("max", maximum);

void BM_CheckOneFrame(benchmark::State &state)
{
    const bodymass::Body &body = bodymass::builtInBody();
    const balance::Checker checker(body, bodymass::shareByVolume(body));
    float angles[robot3d::kJointCount] = {};
    angles[15 - robot3d::kFirstJoint] = 20;
    angles[10 - robot3d::kFirstJoint] = 12;
    for (auto _ : state)
        benchmark::DoNotOptimize(checker.check(robot3d::LeftFootTree, angles).margin);
}
BENCHMARK(BM_CheckOneFrame)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", minimum)->ComputeStatistics("max", maximum);

void BM_LoadMasses(benchmark::State &state)
{
    QString paths[robot3d::PartCount];
    for (int part = 0; part < robot3d::PartCount; ++part)
        paths[part] = robot3d::stlResource(part);
    bodymass::builtInBody();   // registers the resources
    for (auto _ : state) {
        bodymass::Body body;
        benchmark::DoNotOptimize(bodymass::loadBody(paths, body, nullptr));
    }
}
BENCHMARK(BM_LoadMasses)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minimum)->ComputeStatistics("max", maximum);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
