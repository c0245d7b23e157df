// One foot solve as a drag step makes it: the leg's five joints for a target
// (hip frame) with the sole flat, limits checked; and a whole drag step
// (target from the drag's start, solve). Targets vary over 1,024 reachable
// places so the branch predictor cannot learn one. Repeated runs give min /
// median / max:
//   build/bench/gaitforge-bench-footik --benchmark_repetitions=20 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "view3d/footik.h"
#include "view3d/robotmodel.h"

namespace {

double minimum(const std::vector<double> &v)
{
    return *std::min_element(v.begin(), v.end());
}

double maximum(const std::vector<double> &v)
{
    return *std::max_element(v.begin(), v.end());
}

void BM_SolveLeg(benchmark::State &state)
{
    const footik::Chain chain = footik::chainOf(robot3d::BodyCentreTree, footik::LeftLeg);
    std::mt19937 random(1);
    std::uniform_real_distribution<double> angle(-30, 30), knee(-120, -5);
    std::vector<footik::Frame> targets;
    while (targets.size() < 1024) {
        const double joints[5] = {angle(random), angle(random), knee(random), angle(random), angle(random)};
        targets.push_back(footik::ankleInHip(chain, joints));
    }
    footik::Range ranges[5];
    for (footik::Range &r : ranges)
        r = {-1350, 1350};
    size_t i = 0;
    for (auto _ : state) {
        const footik::Frame &t = targets[i++ & 1023];
        benchmark::DoNotOptimize(footik::solve(chain, t.p, t.axis(0), -1, ranges));
    }
}
BENCHMARK(BM_SolveLeg)->Unit(benchmark::kNanosecond)->ComputeStatistics("min", minimum)->ComputeStatistics("max", maximum);

void BM_DragStep(benchmark::State &state)
{
    double angles[robot3d::kJointCount] = {};
    angles[7 - robot3d::kFirstJoint] = -30;
    angles[8 - robot3d::kFirstJoint] = -60;
    angles[9 - robot3d::kFirstJoint] = 30;
    const footik::Drag drag(robot3d::LeftFootTree, footik::RightLeg, angles);
    std::mt19937 random(2);
    std::uniform_real_distribution<double> offset(-0.05, 0.05);
    std::vector<footik::Vec3> deltas;
    while (deltas.size() < 1024)
        deltas.push_back({offset(random), offset(random) + 0.06, offset(random)});
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(drag.solve(deltas[i++ & 1023]));
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kNanosecond)->ComputeStatistics("min", minimum)->ComputeStatistics("max", maximum);

} // namespace

BENCHMARK_MAIN();
