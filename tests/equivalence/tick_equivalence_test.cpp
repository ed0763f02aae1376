// The program's goMol against the plain tick, side by side, tick after tick:
// every field of every molecule must agree to the bit. The program rules out
// pairs that are certainly apart with a single-precision test; any slip in
// that (a margin too tight, a stale lane, a wrong order) shows up as the first
// tick on which a bit differs.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

#include "sim/pair_scan.h"
#include "sim/params.h"
#include "sim/physics.h"
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

// `ticks` ticks of `ms` both ways, stopping at the first bit that differs.
void expectSameTick(const std::vector<Molecule>& ms, bool wrap, float w, float h, int ticks)
{
    fake::Ui plainUi, fastUi;
    for (fake::Ui* ui : {&plainUi, &fastUi}) {
        std::tie(ui->picture1.w, ui->picture1.h, ui->form.limtBool) = std::tuple(w, h, wrap);
        ui->setEnsemble(ms);
    }
    for (int tick = 1; tick <= ticks; ++tick) {
        plain::goMol(plainUi.form, plainUi.timer1);
        fastUi.form.goMol();
        for (std::size_t k = 0; k < ms.size(); ++k)
            ASSERT_EQ(fields(plainUi.form.mols[k]), fields(fastUi.form.mols[k]))
                << "after tick " << tick << ", molecule " << k << " (x, y, vx, vy as bits)";
    }
    EXPECT_EQ(plainUi.picture1.circles, fastUi.picture1.circles);
}

// Molecule 0 is pushed by molecule 1; molecules 2 and 3 sit a hair inside
// and a hair outside contact with the centre that push gives it, so they are
// tested from the lanes taken anew after a push. The origins put the lanes
// inside, at and beyond the range single precision holds; radius 3000, beyond
// what the settings make, is where the margin's share that grows with it
// matters.
TEST(PassEdges, PartnersAHairFromContactAfterAPush)
{
    constexpr double kHair = 1e-6;
    constexpr double kTurn = 6.283185307179586 / 8;
    constexpr double kRange = physics::kLaneRange;
    const double origins[][2] = {{300, 200}, {kRange - 0.25, kRange - 7000}, {3e7, -3e7}};
    for (const auto& origin : origins) {
        for (const std::int16_t radius : std::initializer_list<std::int16_t>{1, 7, 178, 3000}) {
            const double S = 2.0 * radius;
            for (int a = 0; a < 8; ++a) {
                // Distinct velocities, so that a missed exchange shows.
                std::vector<Molecule> ms;
                const auto add = [&](double x, double y) {
                    const auto k = static_cast<double>(ms.size());
                    ms.push_back({10 * k + 1, -7 * k - 2, x, y, 200, radius});
                };
                add(origin[0], origin[1]);
                add(origin[0] + S / 3 * 2 * std::cos(a * kTurn),
                    origin[1] + S / 3 * 2 * std::sin(a * kTurn));
                Molecule pushed = ms[0], pusher = ms[1];
                physics::interact(pushed, pusher);
                for (const double reach : {S - kHair, S + kHair}) {
                    const double angle = (a + 3 + 0.5 * (reach > S)) * kTurn;
                    add(pushed.x + reach * std::cos(angle), pushed.y + reach * std::sin(angle));
                }
                SCOPED_TRACE(testing::Message() << "origin " << origin[0] << ", radius " << radius
                                                << ", angle " << a);
                expectSameTick(ms, false, 600, 400, 1);
            }
        }
    }
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
    fake::Ui start;
    std::tie(start.picture1.w, start.picture1.h) = std::tuple(row.w, row.h);
    start.form.startSmlM(row.molecules, params::kDefaultSpeed, row.mass);
    expectSameTick(start.form.mols, row.wrap, row.w, row.h, row.ticks);
}

NAMED_ROWS(TickEquivalence, kRows);

} // namespace
