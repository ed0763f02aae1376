// One tick of the largest gas, the program's against the plain tick that
// takes every ordered pair with its square root (tests/support/plain_tick.h),
// with drawing calls to the tests' recording toolkit. Each case is named
// impl/radius/area/edges; the time is per tick.

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "sim/params.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/plain_tick.h"

namespace {

// Ticks run before timing, so that the first ticks' untangling of the random
// start (every overlapping pair pushed) is not what is measured.
constexpr int kWarmUpTicks = 1000;
// The ticks measured: these from the warmed-up state, over and over, so that
// a figure is the same however long the benchmark runs, and the same ticks
// for both ticks.
constexpr int kCycleTicks = 64;

// The drawing area at the window's design size, and a full-screen one.
struct Area {
    const char* name;
    float w, h;
};
constexpr Area kAreas[] = {{"668x344", 668, 344}, {"1904x1042", 1904, 1042}};

void runTicks(benchmark::State& state, bool plainTick, std::int32_t mass, const Area& area,
              bool wrap)
{
    fake::Ui ui;
    ui.picture1.w = area.w;
    ui.picture1.h = area.h;
    ui.form.limtBool = wrap;
    ui.form.startSmlM(params::kMaxMolecules, params::kDefaultSpeed, mass);
    for (int k = 0; k < kWarmUpTicks; ++k)
        ui.form.goMol();
    const std::vector<Molecule> start = ui.form.mols;
    int done = 0;
    for (auto _ : state) {
        if (done++ == kCycleTicks) {
            state.PauseTiming();
            ui.form.mols = start;
            done = 1;
            state.ResumeTiming();
        }
        plainTick ? plain::goMol(ui.form) : ui.form.goMol();
        benchmark::DoNotOptimize(ui.form.mols.data());
    }
}

} // namespace

int main(int argc, char** argv)
{
    for (const Area& area : kAreas)
        for (const bool wrap : {true, false})
            for (const std::int32_t mass : {params::kDefaultMass, params::kMaxMass})
                for (const bool plainTick : {true, false}) {
                    const std::string name = std::string(plainTick ? "plain" : "program") +
                                             (mass == params::kDefaultMass ? "/r:7/" : "/r:178/") +
                                             area.name + (wrap ? "/wrap" : "/walls");
                    benchmark::RegisterBenchmark(name.c_str(), [=, &area](benchmark::State& s) {
                        runTicks(s, plainTick, mass, area, wrap);
                    })->Unit(benchmark::kMicrosecond);
                }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
