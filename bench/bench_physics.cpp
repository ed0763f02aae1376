// The physics of one tick, program against plain, with drawing that costs
// nothing. Each case is named impl/N/radius/area/boundary; the time is per
// tick and `allocs` counts calls of operator new per tick.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "alloc_counter.h"
#include "null_toolkit.h"
#include "plain_tick.h"
#include "run_registered.h"
#include "sim/params.h"
#include "sim/physics.h"

namespace {

constexpr std::int32_t kMassRadius7 = params::kDefaultMass;
constexpr std::int32_t kMassRadius178 = params::kMaxMass;

// Ticks run before timing, so that the first ticks' untangling of the random
// start (every overlapping pair pushed) is not what is measured.
constexpr int kWarmUpTicks = 1000;

// The densest gas in the design-size area with wrap-around edges starts with
// most discs packed into the corners. Whether it spreads out into a cheaper
// state later depends on how far pushes throw discs; this many ticks show it.
constexpr int kSettledTicks = 30000;

// The ticks measured: this many from the warmed-up state, over and over. The
// gas keeps changing, and how many pairs act in a tick with it; a fixed run
// of ticks makes a figure the same however long the benchmark runs, and the
// same ticks for the plain tick, the program's and the floor.
constexpr int kCycleTicks = 64;

// Puts the ensemble back to where the measured run of ticks starts, every
// kCycleTicks ticks.
class TickCycle {
public:
    explicit TickCycle(const std::vector<Molecule>& mols) : start_(mols) {}

    // Call before each tick; true when the ensemble was just put back.
    bool next(std::vector<Molecule>& mols)
    {
        if (done_ < kCycleTicks) {
            ++done_;
            return false;
        }
        rewind(mols);
        done_ = 1;
        return true;
    }

    void rewind(std::vector<Molecule>& mols) const
    {
        std::copy(start_.begin(), start_.end(), mols.begin());
    }

private:
    std::vector<Molecule> start_;
    int done_ = 0;
};

struct Area {
    const char* name;
    float w;
    float h;
};
// The drawing area at the window's design size, and a full-screen one.
constexpr Area kAreas[] = {{"668x344", 668, 344}, {"1904x1042", 1904, 1042}};

enum class Impl { Plain, Program };

void tick(Impl impl, bench::NullUi& ui)
{
    if (impl == Impl::Plain)
        plain::goMol(ui.form);
    else
        ui.form.goMol();
}

void prepare(bench::NullUi& ui, std::int16_t n, std::int32_t mass, const Area& area, bool wrap,
             int warmUp = kWarmUpTicks)
{
    ui.picture1.w = area.w;
    ui.picture1.h = area.h;
    ui.form.limtBool = wrap;
    ui.form.startSmlM(n, params::kDefaultSpeed, mass);
    for (int k = 0; k < warmUp; ++k)
        ui.form.goMol();
}

void reportAllocations(benchmark::State& state, std::size_t before)
{
    state.counters["allocs"] = benchmark::Counter(
        static_cast<double>(bench::allocations() - before), benchmark::Counter::kAvgIterations);
}

void runTicks(benchmark::State& state, Impl impl, std::int16_t n, std::int32_t mass,
              const Area& area, bool wrap, int warmUp = kWarmUpTicks)
{
    bench::NullUi ui;
    prepare(ui, n, mass, area, wrap, warmUp);
    TickCycle cycle(ui.form.mols);
    const std::size_t before = bench::allocations();
    for (auto _ : state) {
        cycle.next(ui.form.mols);
        tick(impl, ui);
        benchmark::DoNotOptimize(ui.form.mols.data());
        benchmark::ClobberMemory();
    }
    reportAllocations(state, before);
}

// --- The floor under any exact tick. Each pair step works on the positions
// the steps before it left, in a fixed order, so a tick can be no cheaper
// than its acting pair steps made one after another. Here the pairs that act
// are recorded from the measured ticks and replayed with nothing searched;
// the edge rules and the redraw run as in the program. The program's tick
// costs whatever it spends beyond this on finding the pairs.

constexpr std::int32_t kEndOfPass = -1;

// Whether a pair step left the molecule as it was: an exchange of equal
// velocities acts on neither, and replaying it would change nothing.
bool unchanged(const Molecule& before, const Molecule& after)
{
    return before.x == after.x && before.y == after.y && before.vx == after.vx &&
           before.vy == after.vy;
}

// For each tick and each molecule in turn, the partners that acted, then
// kEndOfPass.
std::vector<std::int32_t> recordActingPairs(bench::NullUi& ui)
{
    std::vector<std::int32_t> partners;
    auto& mols = ui.form.mols;
    const auto n = static_cast<std::int32_t>(mols.size());
    const double tickRate = ui.form.ticksPerSecond();
    for (int t = 0; t < kCycleTicks; ++t) {
        for (std::int32_t i = 0; i < n; ++i) {
            Molecule& mi = mols[static_cast<std::size_t>(i)];
            for (std::int32_t j = 0; j < n; ++j) {
                Molecule& mj = mols[static_cast<std::size_t>(j)];
                const Molecule before[] = {mi, mj};
                if (j == i)
                    continue;
                physics::interact(mi, mj);
                if (!unchanged(before[0], mi) || !unchanged(before[1], mj))
                    partners.push_back(j);
            }
            partners.push_back(kEndOfPass);
            ui.form.finishMolecule(mi, tickRate);
        }
    }
    return partners;
}

void runKnownPairs(benchmark::State& state, std::int32_t mass, const Area& area, bool wrap)
{
    bench::NullUi ui;
    prepare(ui, params::kMaxMolecules, mass, area, wrap);
    auto& mols = ui.form.mols;
    TickCycle cycle(mols);
    const std::vector<std::int32_t> partners = recordActingPairs(ui);
    cycle.rewind(mols);

    std::size_t next = 0;
    const double tickRate = ui.form.ticksPerSecond();
    for (auto _ : state) {
        if (cycle.next(mols))
            next = 0;
        for (std::size_t i = 0; i < mols.size(); ++i) {
            Molecule& mi = mols[i];
            for (; partners[next] != kEndOfPass; ++next)
                physics::interact(mi, mols[static_cast<std::size_t>(partners[next])]);
            ++next;
            ui.form.finishMolecule(mi, tickRate);
        }
        ui.form.pictSmlM(wrap);
        benchmark::DoNotOptimize(mols.data());
        benchmark::ClobberMemory();
    }
    state.counters["pairs"] = benchmark::Counter(
        static_cast<double>(partners.size() - static_cast<std::size_t>(kCycleTicks) * mols.size()) /
        kCycleTicks);
}

void registerAll()
{
    constexpr std::int16_t kSizes[] = {50, 200, params::kMaxMolecules};
    constexpr std::int32_t kMasses[] = {kMassRadius7, kMassRadius178};
    const std::pair<Impl, const char*> impls[] = {{Impl::Plain, "plain"},
                                                  {Impl::Program, "program"}};
    for (const Area& area : kAreas) {
        for (const bool wrap : {true, false}) {
            for (const std::int32_t mass : kMasses) {
                for (const std::int16_t n : kSizes) {
                    for (const auto& [impl, implName] : impls) {
                        const std::string name =
                            std::string("tick/") + implName + "/N:" + std::to_string(n) +
                            "/r:" + (mass == kMassRadius7 ? "7" : "178") + "/" + area.name +
                            (wrap ? "/wrap" : "/walls");
                        benchmark::RegisterBenchmark(
                            name.c_str(),
                            [impl = impl, n, mass, &area, wrap](benchmark::State& s) {
                                runTicks(s, impl, n, mass, area, wrap);
                            })
                            ->Unit(benchmark::kMicrosecond);
                    }
                }
            }
        }
    }
    benchmark::RegisterBenchmark("tick/program/N:500/r:178/668x344/wrap/settled",
                                 [](benchmark::State& s) {
                                     runTicks(s, Impl::Program, params::kMaxMolecules,
                                              kMassRadius178, kAreas[0], true, kSettledTicks);
                                 })
        ->Unit(benchmark::kMicrosecond);
    for (const Area& area : kAreas) {
        for (const bool wrap : {true, false}) {
            for (const std::int32_t mass : kMasses) {
                const std::string name = std::string("tick_floor/known-pairs/N:500/r:") +
                                         (mass == kMassRadius7 ? "7" : "178") + "/" + area.name +
                                         (wrap ? "/wrap" : "/walls");
                benchmark::RegisterBenchmark(name.c_str(),
                                             [mass, &area, wrap](benchmark::State& s) {
                                                 runKnownPairs(s, mass, area, wrap);
                                             })
                    ->Unit(benchmark::kMicrosecond);
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    // A count of 0 per tick means something only if the counter sees
    // operator new at all.
    const std::size_t before = bench::allocations();
    auto* probe = new int(0);
    benchmark::DoNotOptimize(probe);
    delete probe;
    if (bench::allocations() == before) {
        std::fputs("bench_physics: the allocation counter does not see operator new\n", stderr);
        return 1;
    }

    registerAll();
    return bench::runRegistered(argc, argv);
}
