// One simulation tick (goMol): the pair test, the boundary rules and the
// advance, in the order they run.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fake_toolkit.h"
#include "sim/physics.h"

namespace {

using fake::molecule;
using physics::PairOutcome;

// A form on a 600 x 400 area in walls mode.
struct TickTest : testing::Test {
    fake::Ui ui;
    Form1& form = ui.form;
    TickTest()
    {
        ui.picture1.w = 600;
        ui.picture1.h = 400;
    }
    const Molecule& mol(int i) const { return form.mols[static_cast<std::size_t>(i)]; }
};

struct PairCase {
    const char* name;
    double dx, dy; // centre of i relative to j
    std::int16_t ri, rj;
    PairOutcome outcome;
};

const PairCase kPairCases[] = {
    {"apart", 20, 0, 8, 8, PairOutcome::None},
    {"distance_equals_radius_sum", 16, 0, 8, 8, PairOutcome::None},
    {"diagonal_distance_equals_sum", 9, 12, 7, 8, PairOutcome::None},
    {"just_inside_contact", std::nextafter(16.0, 0.0), 0, 8, 8, PairOutcome::Exchange},
    {"contact_band", 15, 0, 8, 8, PairOutcome::Exchange},
    {"diagonal_contact_band", 9, 12, 8, 8, PairOutcome::Exchange},
    {"band_inner_edge_exchanges", 16 - 1.6, 0, 8, 8, PairOutcome::Exchange},
    {"just_deeper_than_band", std::nextafter(16 - 1.6, 0.0), 0, 8, 8, PairOutcome::Push},
    {"deep_overlap", 10, 0, 8, 8, PairOutcome::Push},
    {"unequal_radii_band", 0, 7, 3, 5, PairOutcome::Exchange},
    {"unequal_radii_deep", 0, 6.3, 3, 5, PairOutcome::Push},
};

TEST(PairTest, OutcomeFollowsTheDistance)
{
    for (const PairCase& c : kPairCases) {
        SCOPED_TRACE(c.name);
        Molecule i = molecule(c.dx, c.dy, 11, 12, c.ri);
        Molecule j = molecule(0, 0, -21, -22, c.rj);
        EXPECT_EQ(physics::interact(i, j), c.outcome);
        const bool swapped = c.outcome == PairOutcome::Exchange;
        EXPECT_EQ(i.vx, swapped ? -21 : 11);
        EXPECT_EQ(i.vy, swapped ? -22 : 12);
        EXPECT_EQ(j.vx, swapped ? 11 : -21);
        EXPECT_EQ(j.vy, swapped ? 12 : -22);
        const bool moved = c.outcome == PairOutcome::Push;
        EXPECT_EQ(i.x != c.dx || i.y != c.dy, moved);
        EXPECT_EQ(j.x != 0 || j.y != 0, moved);
    }
}

TEST(PairTest, DeepOverlapWorkedNumbers)
{
    Molecule i = molecule(100, 200, 30, -40, 8);
    Molecule j = molecule(110, 200, -50, 60, 8);
    EXPECT_EQ(physics::interact(i, j), PairOutcome::Push);

    // d = 10, P = (16 - 10) * 1.5 = 9; j moves away from i's new position.
    const double jx = 110 - ((91.0 - 110) * 9) / 10;
    EXPECT_EQ(i.x, 91);
    EXPECT_EQ(j.x, jx);
    EXPECT_NEAR(jx, 127.1, 1e-12);
    EXPECT_EQ(i.y, 200);
    EXPECT_EQ(j.y, 200);
    EXPECT_EQ(i.vx, 30);
    EXPECT_EQ(i.vy, -40);
    EXPECT_EQ(j.vx, -50);
    EXPECT_EQ(j.vy, 60);
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
    const struct {
        const char* name;
        double dx;
    } cases[] = {{"coincident", 0}, {"distance_underflows_to_0", 1e-300}, {"tiny_distance", 1e-160}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Molecule i = molecule(c.dx, 0, 0, 0, 8);
        Molecule j = molecule(0, 0, 0, 0, 8);
        EXPECT_EQ(physics::interact(i, j), PairOutcome::Push);
        for (double v : {i.x, i.y, j.x, j.y})
            EXPECT_TRUE(std::isfinite(v)) << v;
        EXPECT_GT(i.x, c.dx);
        EXPECT_LT(j.x, 0);
        if (c.dx < 1e-200) {
            // No usable direction: apart by P = 24 each, i towards +x.
            EXPECT_EQ(i.x, 24);
            EXPECT_EQ(j.x, -24);
            EXPECT_EQ(i.y, 0);
            EXPECT_EQ(j.y, 0);
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
        for (double v : {m.x, m.y, m.vx, m.vy})
            EXPECT_TRUE(std::isfinite(v)) << v;
}

struct AdvanceCase {
    const char* name;
    std::int32_t interval;
    double vx, vy;
    double stepX, stepY;
};

TEST_F(TickTest, SingleMoleculeIsOnlyBoundedAndMoved)
{
    const AdvanceCase cases[] = {
        {"quarter_thousand", 10, 250, -37, 2.5, -0.37},
        {"interval_is_read_each_time", 20, 250, -37, 5, -0.74},
        {"at_rest", 10, 0, 0, 0, 0},
    };
    for (const AdvanceCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui.timer1.intervalMs = c.interval;
        fake::setEnsemble(form, {molecule(300, 200, c.vx, c.vy, 8)});
        const int clears = ui.picture1.clears;
        form.goMol();
        EXPECT_EQ(mol(0).x, c.stepX + 300);
        EXPECT_EQ(mol(0).y, c.stepY + 200);
        EXPECT_EQ(mol(0).vx, c.vx);
        EXPECT_EQ(mol(0).vy, c.vy);
        EXPECT_EQ(ui.picture1.clears, clears + 1);
        EXPECT_EQ(ui.picture1.circles.size(), 1u);
    }
}

TEST_F(TickTest, EmptyEnsembleOnlyRedraws)
{
    ui.record();
    form.goMol();
    EXPECT_EQ(ui.journal.entries, std::vector<std::string>{"picture1.cls"});
}

TEST_F(TickTest, PairStepComesBeforeTheAdvance)
{
    fake::setEnsemble(form, {molecule(100, 200, 30, -40, 8), molecule(110, 200, -50, 60, 8)});
    form.goMol();
    EXPECT_EQ(mol(0).x, 0.3 + 91);
    EXPECT_EQ(mol(1).x, -0.5 + (110 - ((91.0 - 110) * 9) / 10));
    EXPECT_EQ(mol(0).vx, 30);
    EXPECT_EQ(mol(1).vx, -50);
}

TEST_F(TickTest, BandPairSwapsBackWithinTheTick)
{
    fake::setEnsemble(form, {molecule(100, 200, 10, 20, 8), molecule(115, 200, -30, 40, 8)});
    form.goMol();
    // Molecule 0 made its step with 1's velocity before 1's pass swapped back.
    EXPECT_EQ(mol(0).x, -0.3 + 100);
    EXPECT_EQ(mol(0).y, 0.4 + 200);
    EXPECT_EQ(mol(1).x, -0.3 + 115);
    EXPECT_EQ(mol(1).y, 0.4 + 200);
    EXPECT_EQ(mol(0).vx, 10);
    EXPECT_EQ(mol(0).vy, 20);
    EXPECT_EQ(mol(1).vx, -30);
    EXPECT_EQ(mol(1).vy, 40);
}

TEST_F(TickTest, LaterPassSeesEarlierMoleculeAlreadyMoved)
{
    // 16.5 apart: nothing in 0's pass; 0 then moves 1 pixel and 1's pass
    // finds it 15.5 away, in the band.
    fake::setEnsemble(form, {molecule(100, 200, 100, 0, 8), molecule(116.5, 200, 0, 0, 8)});
    form.goMol();
    EXPECT_EQ(mol(0).x, 101);
    EXPECT_EQ(mol(0).vx, 0);
    EXPECT_EQ(mol(1).x, 117.5);
    EXPECT_EQ(mol(1).vx, 100);
}

TEST_F(TickTest, PushedMoleculeReachesAThirdInTheSameTick)
{
    // 2 starts 25 from 1; only the push in 0's pass brings 1 close enough.
    fake::setEnsemble(form, {molecule(100, 200, 0, 0, 8), molecule(110, 200, 0, 0, 8),
                             molecule(135, 200, 0, 0, 8)});
    form.goMol();
    const double x1 = 110 - ((91.0 - 110) * 9) / 10;
    const double d = std::sqrt(std::pow(x1 - 135, 2) + std::pow(0.0, 2));
    const double P = (16 - d) * 1.5;
    const double x1After = x1 + ((x1 - 135) * P) / d;
    const double x2After = 135 - ((x1After - 135) * P) / d;
    EXPECT_EQ(mol(0).x, 91);
    EXPECT_EQ(mol(1).x, x1After);
    EXPECT_EQ(mol(2).x, x2After);
    EXPECT_NEAR(x2After, 165.836, 1e-3);
}

struct WrapCase {
    const char* name;
    double x, y, vx, vy;
    double xAfter, yAfter;
};

const WrapCase kWrapCases[] = {
    {"below_0_goes_to_the_width", -0.5, 200, -250, 0, 597.5, 200},
    {"beyond_the_width_goes_to_0", 600.5, 200, 250, 0, 2.5, 200},
    {"at_0_stays", 0, 200, 0, 0, 0, 200},
    {"at_the_width_stays", 600, 200, 0, 0, 600, 200},
    {"within_a_single_step_of_the_width_stays", 600.00001, 200, 0, 0, 600.00001, 200},
    {"far_beyond_wraps_once", 1500, 200, 0, 0, 0, 200},
    {"far_below_wraps_once", -1500, 200, 0, 0, 600, 200},
    {"below_0_vertically", 300, -1, 0, -100, 300, 399},
    {"beyond_the_height", 300, 400.5, 0, 100, 300, 1},
};

TEST_F(TickTest, WrapAroundMovesTheCentreOnly)
{
    form.limtBool = true;
    for (const WrapCase& c : kWrapCases) {
        SCOPED_TRACE(c.name);
        fake::setEnsemble(form, {molecule(c.x, c.y, c.vx, c.vy, 8)});
        form.goMol();
        EXPECT_EQ(mol(0).x, c.xAfter);
        EXPECT_EQ(mol(0).y, c.yAfter);
        EXPECT_EQ(mol(0).vx, c.vx);
        EXPECT_EQ(mol(0).vy, c.vy);
    }
}

struct WallCase {
    const char* name;
    float W;
    double coord;
    bool horizontal;
    double velocity;
    std::int16_t factor;
};

const WallCase kWallCases[] = {
    {"past_0_moving_out", 600, 7.9, true, -250, -1},
    {"past_0_moving_in", 600, 7.9, true, 250, 1},
    {"past_the_width_moving_out", 600, 592.1, true, 250, -1},
    {"past_the_width_moving_in", 600, 592.1, true, -250, 1},
    {"touching_0", 600, 8, true, -250, 1},
    {"touching_the_width", 600, 592, true, 250, 1},
    {"within_a_single_step_of_the_width", 600, 592.00001, true, 250, 1},
    {"at_rest_past_the_edge", 600, 7.9, true, 0, 1},
    {"past_0_vertically", 600, 7.9, false, -250, -1},
    {"past_the_height_moving_out", 600, 392.1, false, 250, -1},
    {"touching_the_height", 600, 392, false, 250, 1},
    {"narrower_than_diameter_moving_left", 10, 5, true, -250, -1},
    {"narrower_than_diameter_moving_right", 10, 5, true, 250, -1},
};

TEST_F(TickTest, WallsTurnBackOnlyWhatMovesOut)
{
    for (const WallCase& c : kWallCases) {
        SCOPED_TRACE(c.name);
        ui.picture1.w = c.W;
        EXPECT_EQ(form.LimType2(c.coord, 8, c.horizontal, c.velocity), c.factor);
    }
}

TEST_F(TickTest, WallTurnsADiscBackOnceAndLetsItComeIn)
{
    fake::setEnsemble(form, {molecule(5, 200, -250, 0, 8)});
    form.goMol();
    EXPECT_EQ(mol(0).vx, 250);
    EXPECT_EQ(mol(0).x, 7.5);
    form.goMol();
    EXPECT_EQ(mol(0).vx, 250);
    EXPECT_EQ(mol(0).x, 10);
}

TEST_F(TickTest, AreaNarrowerThanADiscReversesEveryTick)
{
    ui.picture1.w = 10;
    fake::setEnsemble(form, {molecule(5, 200, 250, 0, 8)});
    for (int t = 0; t < 6; ++t) {
        form.goMol();
        EXPECT_EQ(mol(0).vx, t % 2 == 0 ? -250 : 250);
        EXPECT_EQ(mol(0).x, t % 2 == 0 ? 2.5 : 5);
    }
}

TEST_F(TickTest, ShrunkenAreaSendsMoleculesBackIn)
{
    fake::setEnsemble(form, {molecule(500, 200, 250, 0, 8)});
    ui.picture1.w = 300;
    for (int t = 0; t < 84; ++t) {
        form.goMol();
        ASSERT_EQ(mol(0).vx, -250) << "tick " << t;
    }
    EXPECT_LE(mol(0).x + 8, 300);

    form.limtBool = true;
    fake::setEnsemble(form, {molecule(500, 200, 250, 0, 8)});
    form.goMol();
    EXPECT_EQ(mol(0).x, 2.5);
}

TEST(TickLeak, WallsKeepTheDefaultGasInside)
{
    fake::Ui ui;
    ui.picture1.w = 668;
    ui.picture1.h = 344;
    Form1& form = ui.form;
    form.limtBool = false;
    form.startSmlM(50, 1000, 200);

    long outside = 0;
    int samples = 0;
    for (int tick = 1; tick <= 30000; ++tick) {
        form.goMol();
        if (tick < 29000)
            continue;
        ++samples;
        for (const Molecule& m : form.mols) {
            const double r = m.radius;
            if (m.x + r < 0 || m.x - r > 668 || m.y + r < 0 || m.y - r > 344)
                ++outside;
        }
    }
    EXPECT_LT(static_cast<double>(outside) / samples, 1.0);
}

} // namespace
