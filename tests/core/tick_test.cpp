// One simulation tick (goMol): the pair step, the edge rules and the advance,
// in the order they run.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"
#include "tests/support/plain_tick.h"

namespace {

using State = std::array<double, 4>; // x, y, vx, vy

State state(const Molecule& m) { return {m.x, m.y, m.vx, m.vy}; }

void expectNear(const State& got, const State& want)
{
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(got[k], want[k], 1e-9) << "field " << k;
}

// Radius `r` each, i at (xi, yi) and j at (xj, yj), the origin unless given,
// velocities (30, -40) and (-50, 60).
struct PairRow {
    const char* name;
    std::int16_t r;
    double xi, yi;
    State i, j;
    double xj = 0, yj = 0;
};

const PairRow kPairRows[] = {
    // S = 16, d = 10: P = 9, and j moves away from i's new place, by 17.1.
    {"push_d_10", 8, -10, 0, {-19, 0, 30, -40}, {17.1, 0, -50, 60}},
    {"push_d_10_away_from_origin", 8, 94, 92, {88.6, 84.8, 30, -40}, {110.26, 113.68, -50, 60},
     100, 100},
    {"exchange_d_15", 8, 15, 0, {15, 0, -50, 60}, {0, 0, 30, -40}},
    {"apart_d_S", 8, 16, 0, {16, 0, 30, -40}, {0, 0, -50, 60}},
    {"exchange_d_S_minus_1_6", 8, 16 - 1.6, 0, {16 - 1.6, 0, -50, 60}, {0, 0, 30, -40}},
    // Just below the band: P = 3, and j lands 17 x 3 / 14 away.
    {"push_d_14_below_band", 8, -14, 0, {-17, 0, 30, -40}, {51.0 / 14, 0, -50, 60}},
    // The squared distance is below S² = 324, its root rounds to 18.
    {"apart_d_rounds_to_S", 9, 0x1.1ffffffffffe3p+4, 0x1p-19,
     {0x1.1ffffffffffe3p+4, 0x1p-19, 30, -40}, {0, 0, -50, 60}},
    // j is thrown at most 2S = 32: at d = 8 (P = 12) it lands 30 away; at
    // d = 7 (P = 13.5) and closer both move P apart along the line instead.
    {"push_d_8_throw_30", 8, -8, 0, {-20, 0, 30, -40}, {30, 0, -50, 60}},
    {"even_push_d_7", 8, -7, 0, {-20.5, 0, 30, -40}, {13.5, 0, -50, 60}},
    {"even_push_d_1_slanted", 8, -0.6, -0.8, {-14.1, -18.8, 30, -40}, {13.5, 18, -50, 60}},
    {"coincident_pushed_along_x", 8, 0, 0, {24, 0, 30, -40}, {-24, 0, -50, 60}},
};

class PairStep : public testing::TestWithParam<PairRow> {};

TEST_P(PairStep, OutcomeFollowsTheDistance)
{
    const PairRow& row = GetParam();
    Molecule i{30, -40, row.xi, row.yi, 200, row.r};
    Molecule j{-50, 60, row.xj, row.yj, 200, row.r};
    plain::interact(i, j);
    expectNear(state(i), row.i);
    expectNear(state(j), row.j);
}

NAMED_ROWS(PairStep, kPairRows);

// Molecules of radius 8 in an area W x 400, after `ticks` ticks.
struct MoveRow {
    const char* name;
    bool wrap;
    float W;
    int ticks;
    std::vector<State> before, after;
};

const MoveRow kMoveRows[] = {
    {"wrap_below_0", true, 600, 1, {{-0.5, 200, -250, 0}}, {{597.5, 200, -250, 0}}},
    {"wrap_past_600", true, 600, 1, {{600.5, 200, 250, 0}}, {{2.5, 200, 250, 0}}},
    {"wrap_at_0", true, 600, 1, {{0, 200, 0, 0}}, {{0, 200, 0, 0}}},
    {"wrap_at_600", true, 600, 1, {{600, 200, 0, 0}}, {{600, 200, 0, 0}}},
    {"wrap_600_00001_is_600_as_single", true, 600, 1, {{600.00001, 200, 0, 0}},
     {{600.00001, 200, 0, 0}}},
    {"wrap_y_below_0", true, 600, 1, {{300, -1, 0, -100}}, {{300, 399, 0, -100}}},
    {"wall_7_9_reversed", false, 600, 1, {{7.9, 200, -250, 0}}, {{10.4, 200, 250, 0}}},
    {"wall_8_not", false, 600, 1, {{8, 200, -250, 0}}, {{5.5, 200, -250, 0}}},
    {"wall_592_not", false, 600, 1, {{592, 200, 250, 0}}, {{594.5, 200, 250, 0}}},
    {"wall_592_1_reversed", false, 600, 1, {{592.1, 200, 250, 0}}, {{589.6, 200, -250, 0}}},
    {"wall_y_392_1_reversed", false, 600, 1, {{300, 392.1, 0, 250}}, {{300, 389.6, 0, -250}}},
    // Turned only while moving out: a disc already coming back keeps on.
    {"wall_7_9_moving_in", false, 600, 1, {{7.9, 200, 250, 0}}, {{10.4, 200, 250, 0}}},
    {"wall_5_then_7_5_then_10", false, 600, 2, {{5, 200, -250, 0}}, {{10, 200, 250, 0}}},
    {"narrower_than_disc", false, 10, 3, {{5, 200, 250, 0}}, {{2.5, 200, -250, 0}}},
    {"step_minus_37", false, 600, 1, {{300, 200, 0, -37}}, {{300, 199.63, 0, -37}}},
    // In the band at both tests of the pair: swapped and swapped back, but
    // 0 made its step with 1's velocity in between.
    {"swap_and_swap_back", false, 600, 1, {{100, 200, 10, 20}, {115, 200, -30, 40}},
     {{99.7, 200.4, 10, 20}, {114.7, 200.4, -30, 40}}},
    // 16.5 apart: nothing in 0's pass; 0 then moves 1 pixel, and 1's pass
    // finds it 15.5 away.
    {"d_16_5_then_15_5", false, 600, 1, {{100, 200, 100, 0}, {116.5, 200, 0, 0}},
     {{101, 200, 0, 0}, {117.5, 200, 100, 0}}},
};

class Move : public testing::TestWithParam<MoveRow> {};

TEST_P(Move, BoundsThenAdvancesEachMoleculeInTurn)
{
    const MoveRow& row = GetParam();
    fake::Ui ui;
    ui.picture1.w = row.W;
    ui.form.limtBool = row.wrap;
    for (const auto& [x, y, vx, vy] : row.before)
        ui.form.mols.push_back({vx, vy, x, y, 200, 8});
    ui.form.molCount = static_cast<std::int16_t>(row.before.size());
    for (int t = 0; t < row.ticks; ++t)
        ui.form.goMol();
    for (std::size_t k = 0; k < row.after.size(); ++k)
        expectNear(state(ui.form.mols[k]), row.after[k]);
}

NAMED_ROWS(Move, kMoveRows);

} // namespace
