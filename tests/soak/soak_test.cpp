// Long runs over settings and drawing areas drawn from their whole ranges,
// resized along the way. After every tick the invariants hold, and every
// molecule stands exactly where taking every pair in turn puts it:
// the tick rules out pairs that are certainly apart with a single-precision
// test, and a slip in that (a margin too tight, a stale lane, a wrong order)
// shows up as the first tick on which a molecule differs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <random>
#include <tuple>

#include "sim/params.h"
#include "sim/text_rules.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/invariants.h"
#include "tests/support/plain_tick.h"

namespace {

// Calls of operator new, which the program's tick must not make.
std::size_t allocations = 0;

std::mt19937_64 rng(20261206);
double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }

// The bounds one time in three, log-uniform otherwise, so that small values
// get their share of ranges that span orders of magnitude.
double pick(double lo, double hi)
{
    const double k = uniform(0, 6);
    return k < 1 ? lo : k < 2 ? hi : std::exp(uniform(std::log(lo), std::log(hi)));
}

// From no pixels to a 4K screen, whole or fractional as the layout makes
// them. One side after the other: as arguments of one call the two draws
// would come in an order each compiler picks, and the runs differ by build.
void newArea(fake::PictureBox& p)
{
    p.w = static_cast<float>(pick(1, 4000) - 1);
    p.h = static_cast<float>(pick(1, 3000) - 1);
}

// The next tick of `ui`'s molecules taken every pair in turn.
std::vector<Molecule> everyPair(const fake::Ui& ui)
{
    fake::Ui twin;
    std::tie(twin.picture1.w, twin.picture1.h, twin.form.limtBool) =
        std::tuple(ui.picture1.w, ui.picture1.h, ui.form.limtBool);
    twin.setEnsemble(ui.form.mols);
    plain::goMol(twin.form);
    return twin.form.mols;
}

// Every field of a molecule; equal doubles differ at most in the sign of a
// zero, which nothing shows.
auto fields(const Molecule& m) { return std::tie(m.x, m.y, m.vx, m.vy, m.mass, m.radius); }

TEST(Soak, EveryTickExactAndWithinTheInvariants)
{
    // The sanitizer preset asks for fewer ticks.
    const char* env = std::getenv("THERMAL_SOAK_TICKS");
    const long target = env && std::atol(env) > 0 ? std::atol(env) : 100'000;
    fake::Ui ui;
    Form1& f = ui.form;
    f.Form_Load();
    for (long ticks = 0; ticks < target; ui.option1.selected = !ui.option1.selected) {
        const double count = std::nearbyint(pick(params::kMinMolecules, params::kMaxMolecules));
        ui.text3.value = numberToText(count);
        ui.text2.value = numberToText(pick(params::kMinSpeed, params::kMaxSpeed));
        ui.text1.value = numberToText(std::nearbyint(pick(params::kMinMass, params::kMaxMass)));
        newArea(ui.picture1);
        f.Command1_Click(); // Start
        // Large ensembles get shorter runs so the mix stays affordable.
        const long length = std::clamp<long>(20'000'000L / long(count * count + 1), 50, 1000);
        for (long t = 0; t < length && ticks < target; ++t, ++ticks) {
            if (uniform(0, 100) < 1)
                newArea(ui.picture1);
            const std::vector<Molecule> want = everyPair(ui);
            f.Timer1_Timer();
            ASSERT_EQ(invariants::violation(f, ui.frame1.topValue, ui.picture1.circles), "")
                << "tick " << ticks;
            // std::equal, not ranges: emscripten's libc++ has no ranges yet.
            ASSERT_TRUE(std::equal(f.mols.begin(), f.mols.end(), want.begin(), want.end(),
                                   [&](const Molecule& a, const Molecule& b) {
                                       return fields(a) == fields(b);
                                   }))
                << "tick " << ticks;
        }
        f.Command1_Click(); // Stop
    }
}

} // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Once the first frame has grown what it needs, ticks of the largest gas
// (and their drawing calls) take no memory: nothing that a tick does can
// fail for want of it, or stall on the allocator.
TEST(Tick, AllocatesNothing)
{
    fake::Ui ui;
    ui.form.Form_Load();
    ui.text3.value = "500";
    ui.form.Command1_Click();
    ui.form.Timer1_Timer();
    const std::size_t before = allocations;
    for (int t = 0; t < 100; ++t)
        ui.form.Timer1_Timer();
    EXPECT_EQ(allocations, before);
    ::operator delete(::operator new(1)); // the count sees operator new at all
    EXPECT_EQ(allocations, before + 1);
}

} // namespace
