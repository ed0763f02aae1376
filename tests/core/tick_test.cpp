// One simulation tick (goMol): the pair test, the boundary rules and the
// advance, in the order they run.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "fake_toolkit.h"
#include "sim/numeric.h"
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

// A push throws the far molecule P (d + P) / d. Up to twice the radius sum
// S that is the four assignments of the push to the bit; just beyond it, both
// molecules move P apart along the line of centres instead.
TEST(TickPair, FarThrowBeyondTwiceTheRadiusSumBecomesAnEvenPush)
{
    // With P = 1.5 (S - d) the throw is 2S where d / S is the root of
    // 0.75 a² - 5 a + 2.25 = 0.
    const double a = (5 - std::sqrt(25 - 4 * 0.75 * 2.25)) / (2 * 0.75);
    const struct { const char* name; std::int16_t radius; double d, angle; bool even; } cases[] = {
        {"worked_case_d_10", 8, 10, 0, false},
        {"r8_within", 8, a * 16 * (1 + 1e-9), 0, false},
        {"r8_beyond", 8, a * 16 * (1 - 1e-9), 0, true},
        {"r7_within_slanted", 7, a * 14 * (1 + 1e-9), 2.5, false},
        {"r7_beyond_slanted", 7, a * 14 * (1 - 1e-9), 2.5, true},
        {"r178_within_slanted", 178, a * 356 * (1 + 1e-9), -1.2, false},
        {"r178_beyond_slanted", 178, a * 356 * (1 - 1e-9), -1.2, true},
        {"r7_d_0_04", 7, 0.04, 0.3, true},
    };
    for (const auto& c : cases) {
        Molecule i = molecule(300, 200, 30, -40, c.radius);
        Molecule j = molecule(300 + c.d * std::cos(c.angle), 200 + c.d * std::sin(c.angle), -50,
                              60, c.radius);
        const Molecule i0 = i, j0 = j;
        const double S = 2.0 * c.radius;
        const double dx = i.x - j.x, dy = i.y - j.y;
        const double d = std::sqrt(dx * dx + dy * dy);
        const double P = (S - d) * 1.5;
        const double farThrow = P * (d + P) / d;
        if (c.d != 10 && c.d != 0.04) {
            EXPECT_NEAR(farThrow, 2 * S, S * 1e-8) << c.name << ": not just either side";
        }
        EXPECT_EQ(physics::interact(i, j),
                  c.even ? physics::PairOutcome::EvenPush : physics::PairOutcome::Push)
            << c.name;
        EXPECT_EQ(std::tuple(i.vx, i.vy, j.vx, j.vy), std::tuple(30.0, -40.0, -50.0, 60.0));
        if (c.even) {
            // P each, away from each other along the line of centres.
            EXPECT_NEAR(i.x - i0.x, P * dx / d, 1e-9) << c.name;
            EXPECT_NEAR(i.y - i0.y, P * dy / d, 1e-9) << c.name;
            EXPECT_NEAR(j.x - j0.x, -P * dx / d, 1e-9) << c.name;
            EXPECT_NEAR(j.y - j0.y, -P * dy / d, 1e-9) << c.name;
        } else {
            const double xi = i0.x + (dx * P) / d;
            const double yi = i0.y + (dy * P) / d;
            const State expectedJ{j0.x - ((xi - j0.x) * P) / d, j0.y - ((yi - j0.y) * P) / d,
                                  -50, 60};
            EXPECT_EQ(state(i), (State{xi, yi, 30, -40})) << c.name;
            EXPECT_EQ(state(j), expectedJ) << c.name;
            EXPECT_NEAR(std::hypot(j.x - j0.x, j.y - j0.y), farThrow, 1e-9) << c.name;
        }
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

} // namespace
