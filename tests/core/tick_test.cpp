// One simulation tick (goMol): the pair test, the boundary rules and the
// advance, in the order they run.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cmath>
#include <limits>
#include <vector>

#include "fake_toolkit.h"
#include "sim/numeric.h"
#include "sim/pair_scan.h"
#include "sim/physics.h"

namespace {

using fake::molecule;
using State = std::array<double, 4>; // x, y, vx, vy

State state(const Molecule& m) { return {m.x, m.y, m.vx, m.vy}; }

// Where the pair at x = 100 and 110 (radius 8, d = 10, P = 9) leaves j: away
// from i's new position at 91, so by 17.1 rather than 9.
const double kPushedJ = 110 - ((91.0 - 110) * 9) / 10;

TEST(TickPair, OutcomeFollowsTheDistance)
{
    const struct { const char* name; double xi, xj; State i, j; } cases[] = {
        {"push_d_10", 100, 110, {91, 200, 30, -40}, {kPushedJ, 200, -50, 60}},
        {"swap_d_15", 100, 115, {100, 200, -50, 60}, {115, 200, 30, -40}},
        {"apart_d_S", 0, 16, {0, 200, 30, -40}, {16, 200, -50, 60}},
        {"swap_d_S_minus_1_6", 0, 16 - 1.6, {0, 200, -50, 60}, {16 - 1.6, 200, 30, -40}},
    };
    EXPECT_NEAR(kPushedJ, 127.1, 1e-12);
    for (const auto& c : cases) {
        Molecule i = molecule(c.xi, 200, 30, -40, 8);
        Molecule j = molecule(c.xj, 200, -50, 60, 8);
        physics::interact(i, j);
        EXPECT_EQ(state(i), c.i) << c.name;
        EXPECT_EQ(state(j), c.j) << c.name;
    }
}

TEST(TickPair, CoincidentCentresStayFinite)
{
    for (double dx : {0.0, 1e-300, 1e-160}) { // d = 0, d underflowing to 0, tiny d
        Molecule i = molecule(dx, 0, 0, 0, 8);
        Molecule j = molecule(0, 0, 0, 0, 8);
        physics::interact(i, j);
        for (double v : {i.x, i.y, j.x, j.y})
            EXPECT_TRUE(std::isfinite(v)) << dx;
        EXPECT_TRUE(i.x > dx && j.x < 0) << "pushed apart at dx " << dx;
    }
}

// Molecules of radius 8 in an area W x 400, after the given number of ticks.
TEST(TickMove, BoundsThenAdvancesEachMoleculeInTurn)
{
    const struct {
        const char* name;
        bool wrap;
        float W;
        int ticks;
        std::vector<State> before, after;
    } cases[] = {
        {"wrap_below_0", true, 600, 1, {{-0.5, 200, -250, 0}}, {{597.5, 200, -250, 0}}},
        {"wrap_past_600", true, 600, 1, {{600.5, 200, 250, 0}}, {{2.5, 200, 250, 0}}},
        {"wrap_at_0", true, 600, 1, {{0, 200, 0, 0}}, {{0, 200, 0, 0}}},
        {"wrap_at_600", true, 600, 1, {{600, 200, 0, 0}}, {{600, 200, 0, 0}}},
        {"wrap_600_00001", true, 600, 1, {{600.00001, 200, 0, 0}}, {{600.00001, 200, 0, 0}}},
        {"wrap_y_below_0", true, 600, 1, {{300, -1, 0, -100}}, {{300, 399, 0, -100}}},
        {"wall_7_9_out", false, 600, 1, {{7.9, 200, -250, 0}}, {{7.9 + 2.5, 200, 250, 0}}},
        {"wall_7_9_in", false, 600, 1, {{7.9, 200, 250, 0}}, {{7.9 + 2.5, 200, 250, 0}}},
        {"wall_8", false, 600, 1, {{8, 200, -250, 0}}, {{5.5, 200, -250, 0}}},
        {"wall_592", false, 600, 1, {{592, 200, 250, 0}}, {{594.5, 200, 250, 0}}},
        {"wall_592_1_out", false, 600, 1, {{592.1, 200, 250, 0}}, {{592.1 - 2.5, 200, -250, 0}}},
        {"wall_592_1_in", false, 600, 1, {{592.1, 200, -250, 0}}, {{592.1 - 2.5, 200, -250, 0}}},
        {"wall_y_392_1", false, 600, 1, {{300, 392.1, 0, 250}}, {{300, 392.1 - 2.5, 0, -250}}},
        {"wall_5_7_5_10", false, 600, 2, {{5, 200, -250, 0}}, {{10, 200, 250, 0}}},
        {"narrower_than_disc", false, 10, 3, {{5, 200, 250, 0}}, {{2.5, 200, -250, 0}}},
        {"step_minus_37", false, 600, 1, {{300, 200, 0, -37}}, {{300, 200 - 0.37, 0, -37}}},
        // In the band at both tests of the pair: swapped and swapped back, but
        // 0 made its step with 1's velocity in between.
        {"swap_and_swap_back", false, 600, 1, {{100, 200, 10, 20}, {115, 200, -30, 40}},
         {{-0.3 + 100, 0.4 + 200, 10, 20}, {-0.3 + 115, 0.4 + 200, -30, 40}}},
        // 16.5 apart: nothing in 0's pass; 0 then moves 1 pixel, and 1's pass
        // finds it 15.5 away.
        {"d_16_5_then_15_5", false, 600, 1, {{100, 200, 100, 0}, {116.5, 200, 0, 0}},
         {{101, 200, 0, 0}, {117.5, 200, 100, 0}}},
    };
    for (const auto& c : cases) {
        fake::Ui ui;
        ui.picture1.w = c.W;
        ui.form.limtBool = c.wrap;
        std::vector<Molecule> ms;
        for (const auto& [x, y, vx, vy] : c.before)
            ms.push_back(molecule(x, y, vx, vy, 8));
        fake::setEnsemble(ui.form, ms);
        for (int t = 0; t < c.ticks; ++t)
            ui.form.goMol();
        std::vector<State> after;
        for (const Molecule& m : ui.form.mols)
            after.push_back(state(m));
        EXPECT_EQ(after, c.after) << c.name;
    }
}

// The pass tells a pair step apart by its squared distance against these
// bounds; each must be the exact point where the square root reaches T, for
// the radius sums the settings make and far beyond, and for the inner
// threshold S - 1.6 as well as S.
TEST(TickPair, LeastSquareReachingIsExact)
{
    std::vector<double> targets{0.4, 1.0, 2.0, 12.4, 14.0, 354.4, 356.0, 65534.0, 0x1p-30};
    std::uint64_t state = 7;
    for (int k = 0; k < 2000; ++k) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double S = static_cast<double>(2 + (state >> 33) % 65533);
        targets.push_back(S);
        targets.push_back(S - physics::kContactBand);
    }
    for (const double T : targets) {
        const double q = physics::leastSquareReaching(T);
        EXPECT_GE(std::sqrt(q), T) << T;
        EXPECT_LT(std::sqrt(std::nextafter(q, 0.0)), T) << T;
    }
    // Every squared distance reaches a sum of radii of 0 or less.
    EXPECT_EQ(physics::leastSquareReaching(0.0), 0.0);
    EXPECT_EQ(physics::leastSquareReaching(-1.6), 0.0);
}

// A lane is the coordinate in single precision, clamped to the lane range;
// NaN must stay NaN, since a NaN partner is one the pair step exchanges with
// and the test must never rule it out.
TEST(TickScan, LaneOfClampsAndKeepsNaN)
{
    constexpr double R = physics::kLaneRange;
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double coordinate;
        float lane;
    } cases[] = {
        {0.0, 0.0f},
        {-0.25, -0.25f},
        {667.9, 667.9f},
        {R, static_cast<float>(R)},
        {R + 0.5, static_cast<float>(R)},
        {-R - 1e9, static_cast<float>(-R)},
        {inf, static_cast<float>(R)},
        {-inf, static_cast<float>(-R)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(physics::laneOf(c.coordinate), c.lane) << c.coordinate;
    EXPECT_TRUE(std::isnan(physics::laneOf(std::nan(""))));
}

// The edge tests round the coordinate to single precision when it has a
// single-precision value and compare the double otherwise; the branch-free
// form must agree with that for every pair, far-out and NaN ones included.
TEST(TickEdge, SingleRoundedCompareAgreesEverywhere)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    const double inf = std::numeric_limits<double>::infinity();
    const auto reference = [](double v, float size) {
        return std::fabs(v) <= kMax ? static_cast<float>(v) > size : v > size;
    };
    const double values[] = {0.0,       -0.0,        600.0,        600.00001, 600.0001,
                             599.99999, -600.00001, 344.0,        kMax,      -kMax,
                             kMax * (1 + 0x1p-30), -kMax * (1 + 0x1p-30), 1e39, -1e39,
                             inf,       -inf,        std::nan("")};
    const float sizes[] = {600.0f, 344.0f, 0.0f, -0.0f, std::numeric_limits<float>::max(),
                           std::numeric_limits<float>::infinity()};
    for (const double v : values) {
        for (const float size : sizes)
            EXPECT_EQ(numeric::greaterAsSingle(v, size), reference(v, size)) << v << " > " << size;
    }
}

TEST(TickLeak, WallsKeepTheDefaultGasInside)
{
    fake::Ui ui;
    ui.picture1.w = 668;
    ui.picture1.h = 344;
    ui.form.startSmlM(50, 1000, 200);
    long outside = 0;
    for (int tick = 1; tick <= 30000; ++tick) {
        ui.form.goMol();
        for (const Molecule& m : ui.form.mols) {
            const double r = m.radius;
            const bool gone = m.x + r < 0 || m.x - r > 668 || m.y + r < 0 || m.y - r > 344;
            outside += tick >= 29000 && gone;
        }
    }
    EXPECT_LT(static_cast<double>(outside) / 1001.0, 1.0)
        << "molecules wholly outside, on average per tick";
}

} // namespace
