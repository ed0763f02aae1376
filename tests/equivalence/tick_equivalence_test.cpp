// The program's goMol against the plain tick, side by side, tick after tick:
// every field of every molecule must agree to the bit. The program rules out
// pairs that are certainly apart with a single-precision test; any slip in
// that (a margin too tight, a stale lane, a wrong order) shows up as the first
// tick on which a bit differs.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <tuple>

#include "sim/params.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"
#include "tests/support/plain_tick.h"

namespace {

// Every field of a molecule, the doubles as their bits.
auto fields(const Molecule& m)
{
    const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
    return std::tuple(bits(m.x), bits(m.y), bits(m.vx), bits(m.vy), m.mass, m.radius);
}

// Ensembles as Start makes them: 668 x 344 is the drawing area at the
// window's design size, 1904 x 1042 a full screen. Fewer ticks where many
// molecules make each one slow.
struct Row {
    const char* name;
    std::int16_t molecules;
    std::int32_t mass;
    bool wrap;
    float w, h;
    int ticks;
};

const Row kRows[] = {
    {"Two_r178_wrap_tiny", 2, params::kMaxMass, true, 10, 10, 500},
    {"Fifty_r7_wrap", 50, params::kDefaultMass, true, 668, 344, 1000},
    {"Fifty_r178_walls_dense", 50, params::kMaxMass, false, 668, 344, 300},
    {"FiveHundred_r1_wrap", 500, params::kMinMass, true, 668, 344, 30},
    {"FiveHundred_r7_walls_full_screen", 500, params::kDefaultMass, false, 1904, 1042, 30},
};

class TickEquivalence : public testing::TestWithParam<Row> {};

TEST_P(TickEquivalence, EveryTickMatchesThePlainTickBitForBit)
{
    const Row& row = GetParam();
    fake::Ui plainUi, fastUi; // each Start draws the same numbers
    for (fake::Ui* ui : {&plainUi, &fastUi}) {
        std::tie(ui->picture1.w, ui->picture1.h, ui->form.limtBool) =
            std::tuple(row.w, row.h, row.wrap);
        ui->form.startSmlM(row.molecules, params::kDefaultSpeed, row.mass);
    }
    for (int tick = 1; tick <= row.ticks; ++tick) {
        plain::goMol(plainUi.form);
        fastUi.form.goMol();
        for (std::size_t k = 0; k < fastUi.form.mols.size(); ++k)
            ASSERT_EQ(fields(plainUi.form.mols[k]), fields(fastUi.form.mols[k]))
                << "after tick " << tick << ", molecule " << k << " (x, y, vx, vy as bits)";
    }
    EXPECT_EQ(plainUi.picture1.circles, fastUi.picture1.circles);
}

NAMED_ROWS(TickEquivalence, kRows);

} // namespace
