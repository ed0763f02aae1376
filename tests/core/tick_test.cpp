// One simulation tick (goMol): the pair test, the boundary rules and the
// advance, in the order they run.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "fake_toolkit.h"
#include "sim/physics.h"

namespace {

using fake::molecule;
using physics::PairOutcome;
using State = std::array<double, 4>; // x, y, vx, vy

State state(const Molecule& m) { return {m.x, m.y, m.vx, m.vy}; }

// Where the worked pair at x = 100 and 110 (radius 8, d = 10, P = 9) leaves
// j: away from i's new position at 91, so by 17.1 rather than 9.
const double kPushedJ = 110 - ((91.0 - 110) * 9) / 10;

// A form on a 600 x 400 area in walls mode.
struct TickTest : testing::Test {
    fake::Ui ui;
    Form1& form = ui.form;
    TickTest()
    {
        ui.picture1.w = 600;
        ui.picture1.h = 400;
    }
    State after(int i) const { return state(form.mols[static_cast<std::size_t>(i)]); }
};

TEST(PairTest, OutcomeFollowsTheDistance)
{
    const struct {
        const char* name;
        double dx, dy; // centre of i relative to j
        std::int16_t ri, rj;
        PairOutcome outcome;
    } cases[] = {
        {"apart", 20, 0, 8, 8, PairOutcome::None},
        {"distance_equals_radius_sum", 16, 0, 8, 8, PairOutcome::None},
        {"diagonal_distance_equals_sum", 9, 12, 7, 8, PairOutcome::None},
        {"just_inside_contact", std::nextafter(16.0, 0.0), 0, 8, 8, PairOutcome::Exchange},
        {"diagonal_contact_band", 9, 12, 8, 8, PairOutcome::Exchange},
        {"band_inner_edge_exchanges", 16 - 1.6, 0, 8, 8, PairOutcome::Exchange},
        {"just_deeper_than_band", std::nextafter(16 - 1.6, 0.0), 0, 8, 8, PairOutcome::Push},
        {"unequal_radii_band", 0, 7, 3, 5, PairOutcome::Exchange},
        {"unequal_radii_deep", 0, 6.3, 3, 5, PairOutcome::Push},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Molecule i = molecule(c.dx, c.dy, 11, 12, c.ri);
        Molecule j = molecule(0, 0, -21, -22, c.rj);
        EXPECT_EQ(physics::interact(i, j), c.outcome);
        const bool swapped = c.outcome == PairOutcome::Exchange;
        EXPECT_EQ((State{i.vx, i.vy, j.vx, j.vy}),
                  (swapped ? State{-21, -22, 11, 12} : State{11, 12, -21, -22}));
        const bool moved = c.outcome == PairOutcome::Push;
        EXPECT_EQ((State{i.x, i.y, j.x, j.y}) != (State{c.dx, c.dy, 0, 0}), moved);
    }
}

TEST(PairTest, DeepOverlapWorkedNumbers)
{
    Molecule i = molecule(100, 200, 30, -40, 8);
    Molecule j = molecule(110, 200, -50, 60, 8);
    EXPECT_EQ(physics::interact(i, j), PairOutcome::Push);
    EXPECT_EQ(state(i), (State{91, 200, 30, -40}));
    EXPECT_EQ(state(j), (State{kPushedJ, 200, -50, 60}));
    EXPECT_NEAR(kPushedJ, 127.1, 1e-12);

    // At 15 apart the pair is in the contact band instead.
    i = molecule(100, 200, 30, -40, 8);
    j = molecule(115, 200, -50, 60, 8);
    EXPECT_EQ(physics::interact(i, j), PairOutcome::Exchange);
    EXPECT_EQ(state(i), (State{100, 200, -50, 60}));
    EXPECT_EQ(state(j), (State{115, 200, 30, -40}));
}

TEST(PairTest, PushAlongTheLineOfCentres)
{
    // d = 10 along (0.6, 0.8): i moves P = 9, j then P * (d + P) / d = 17.1.
    Molecule i = molecule(106, 208, 0, 0, 8);
    Molecule j = molecule(100, 200, 0, 0, 8);
    physics::interact(i, j);
    EXPECT_NEAR(i.x, 106 + 0.6 * 9, 1e-12);
    EXPECT_NEAR(i.y, 208 + 0.8 * 9, 1e-12);
    EXPECT_NEAR(j.x, 100 - 0.6 * 17.1, 1e-12);
    EXPECT_NEAR(j.y, 200 - 0.8 * 17.1, 1e-12);
}

TEST(PairTest, CoincidentOrNearlyCoincidentCentresStayFinite)
{
    for (double dx : {0.0, 1e-300, 1e-160}) { // d = 0, d underflowing to 0, tiny d
        SCOPED_TRACE(dx);
        Molecule i = molecule(dx, 0, 0, 0, 8);
        Molecule j = molecule(0, 0, 0, 0, 8);
        EXPECT_EQ(physics::interact(i, j), PairOutcome::Push);
        for (double v : {i.x, i.y, j.x, j.y})
            EXPECT_TRUE(std::isfinite(v)) << v;
        EXPECT_TRUE(i.x > dx && j.x < 0);
        if (dx < 1e-200) { // no usable direction: P = 24 each, i towards +x
            EXPECT_EQ((State{i.x, i.y, j.x, j.y}), (State{24, 0, -24, 0}));
        }
    }
}

TEST_F(TickTest, CoincidentMoleculesStayFiniteOverManyTicks)
{
    fake::setEnsemble(form, {molecule(300, 200, 0, 0, 8), molecule(300, 200, 5, 0, 8),
                             molecule(300, 200, 0, 0, 178)});
    for (int t = 0; t < 200; ++t)
        form.goMol();
    for (const Molecule& m : form.mols)
        for (double v : state(m))
            EXPECT_TRUE(std::isfinite(v)) << v;
}

TEST_F(TickTest, SingleMoleculeIsOnlyBoundedAndMoved)
{
    const struct {
        const char* name;
        std::int32_t interval;
        double vx, vy, stepX, stepY;
    } cases[] = {
        {"hundredth_per_tick", 10, 250, -37, 2.5, -0.37},
        {"interval_read_each_tick", 20, 250, -37, 5, -0.74},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.timer1.intervalMs = c.interval;
        fake::setEnsemble(form, {molecule(300, 200, c.vx, c.vy, 8)});
        ui.record();
        form.goMol();
        EXPECT_EQ(after(0), (State{c.stepX + 300, c.stepY + 200, c.vx, c.vy}));
        EXPECT_EQ(ui.journal.entries.front(), "picture1.cls");
        EXPECT_EQ(ui.picture1.circles.size(), 1u);
    }
}

TEST_F(TickTest, EmptyEnsembleOnlyRedraws)
{
    ui.record();
    form.goMol();
    EXPECT_EQ(ui.journal.entries, std::vector<std::string>{"picture1.cls"});
}

TEST_F(TickTest, SequentialUpdate)
{
    // Pushed apart in 0's pass, then each moved by its own velocity.
    fake::setEnsemble(form, {molecule(100, 200, 30, -40, 8), molecule(110, 200, -50, 60, 8)});
    form.goMol();
    EXPECT_EQ(after(0), (State{0.3 + 91, -0.4 + 200, 30, -40}));
    EXPECT_EQ(after(1), (State{-0.5 + kPushedJ, 0.6 + 200, -50, 60}));

    // In the band at both tests of the pair: swapped and swapped back, but 0
    // made its step with 1's velocity in between.
    fake::setEnsemble(form, {molecule(100, 200, 10, 20, 8), molecule(115, 200, -30, 40, 8)});
    form.goMol();
    EXPECT_EQ(after(0), (State{-0.3 + 100, 0.4 + 200, 10, 20}));
    EXPECT_EQ(after(1), (State{-0.3 + 115, 0.4 + 200, -30, 40}));

    // 16.5 apart: nothing in 0's pass; 0 then moves 1 pixel and 1's pass
    // finds it 15.5 away, in the band.
    fake::setEnsemble(form, {molecule(100, 200, 100, 0, 8), molecule(116.5, 200, 0, 0, 8)});
    form.goMol();
    EXPECT_EQ(after(0), (State{101, 200, 0, 0}));
    EXPECT_EQ(after(1), (State{117.5, 200, 100, 0}));

    // 2 starts 25 from 1; only the push in 0's pass brings 1 close enough.
    fake::setEnsemble(form, {molecule(100, 200, 0, 0, 8), molecule(110, 200, 0, 0, 8),
                             molecule(135, 200, 0, 0, 8)});
    form.goMol();
    const double d = std::sqrt(std::pow(kPushedJ - 135, 2) + std::pow(0.0, 2));
    const double P = (16 - d) * 1.5;
    const double x1 = kPushedJ + ((kPushedJ - 135) * P) / d;
    const double x2 = 135 - ((x1 - 135) * P) / d;
    EXPECT_EQ(after(0)[0], 91);
    EXPECT_EQ(after(1)[0], x1);
    EXPECT_EQ(after(2)[0], x2);
    EXPECT_NEAR(x2, 165.836, 1e-3);
}

TEST_F(TickTest, WrapAroundMovesTheCentreOnly)
{
    const struct { const char* name; State before; double xAfter, yAfter; } cases[] = {
        {"below_0_goes_to_the_width", {-0.5, 200, -250, 0}, 597.5, 200},
        {"beyond_the_width_goes_to_0", {600.5, 200, 250, 0}, 2.5, 200},
        {"at_0_stays", {0, 200, 0, 0}, 0, 200},
        {"at_the_width_stays", {600, 200, 0, 0}, 600, 200},
        {"within_a_single_step_of_the_width", {600.00001, 200, 0, 0}, 600.00001, 200},
        {"far_beyond_as_after_a_shrink_wraps_once", {1500, 200, 0, 0}, 0, 200},
        {"far_below_wraps_once", {-1500, 200, 0, 0}, 600, 200},
        {"below_0_vertically", {300, -1, 0, -100}, 300, 399},
        {"beyond_the_height", {300, 400.5, 0, 100}, 300, 1},
    };
    form.limtBool = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [x, y, vx, vy] = c.before;
        fake::setEnsemble(form, {molecule(x, y, vx, vy, 8)});
        form.goMol();
        EXPECT_EQ(after(0), (State{c.xAfter, c.yAfter, vx, vy}));
    }
}

TEST_F(TickTest, WallsTurnBackOnlyWhatMovesOut)
{
    const struct {
        const char* name;
        float W;
        double coord;
        bool horizontal;
        double velocity;
        std::int16_t factor;
    } cases[] = {
        {"past_0_moving_out", 600, 7.9, true, -250, -1},
        {"past_0_moving_in", 600, 7.9, true, 250, 1},
        {"past_the_width_moving_out", 600, 592.1, true, 250, -1},
        {"past_the_width_moving_in", 600, 592.1, true, -250, 1},
        {"touching_0", 600, 8, true, -250, 1},
        {"touching_the_width", 600, 592, true, 250, 1},
        {"within_a_single_step_of_the_width", 600, 592.00001, true, 250, 1},
        {"past_0_vertically", 600, 7.9, false, -250, -1},
        {"past_the_height_moving_out", 600, 392.1, false, 250, -1},
        {"touching_the_height", 600, 392, false, 250, 1},
        {"narrower_than_diameter_moving_left", 10, 5, true, -250, -1},
        {"narrower_than_diameter_moving_right", 10, 5, true, 250, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.picture1.w = c.W;
        EXPECT_EQ(form.LimType2(c.coord, 8, c.horizontal, c.velocity), c.factor);
    }
}

TEST_F(TickTest, WallsOverSeveralTicks)
{
    using Step = std::pair<double, double>; // x and vx after a tick
    const struct { const char* name; float W; double x, vx; std::vector<Step> steps; } cases[] = {
        {"turned_back_once_then_comes_in", 600, 5, -250, {{7.5, 250}, {10, 250}}},
        {"narrower_than_a_disc_reverses_every_tick", 10, 5, 250,
         {{2.5, -250}, {5, 250}, {2.5, -250}, {5, 250}}},
        {"beyond_a_shrunken_area_comes_back", 300, 500, 250,
         {{497.5, -250}, {495, -250}, {492.5, -250}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.picture1.w = c.W;
        fake::setEnsemble(form, {molecule(c.x, 200, c.vx, 0, 8)});
        for (const auto& [x, vx] : c.steps) {
            form.goMol();
            EXPECT_EQ(after(0), (State{x, 200, vx, 0}));
        }
    }
}

TEST(TickLeak, WallsKeepTheDefaultGasInside)
{
    fake::Ui ui;
    ui.picture1.w = 668;
    ui.picture1.h = 344;
    ui.form.limtBool = false;
    ui.form.startSmlM(50, 1000, 200);

    long outside = 0;
    const int from = 29000, to = 30000;
    for (int tick = 1; tick <= to; ++tick) {
        ui.form.goMol();
        for (const Molecule& m : ui.form.mols) {
            const double r = m.radius;
            const bool wholly = m.x + r < 0 || m.x - r > 668 || m.y + r < 0 || m.y - r > 344;
            outside += tick >= from && wholly;
        }
    }
    EXPECT_LT(static_cast<double>(outside) / (to - from + 1), 1.0)
        << "molecules wholly outside the area, on average per tick";
}

} // namespace
