// The program's goMol against the plain tick, side by side, tick after tick:
// every field of every molecule must agree to the bit. The program rules out
// pairs that are certainly apart with a single-precision test; any slip in
// that (a margin too tight, a stale lane, a wrong order) shows up as the first
// tick on which a bit differs.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <ostream>
#include <tuple>
#include <vector>

#include "core/fake_toolkit.h"
#include "plain_tick.h"
#include "sim/pair_scan.h"
#include "sim/physics.h"
#include "sim/params.h"

namespace {

// Every field of a molecule, the doubles as their bits.
auto fields(const Molecule& m)
{
    const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
    return std::tuple(bits(m.x), bits(m.y), bits(m.vx), bits(m.vy), m.mass, m.radius);
}

// Ensembles set on the edges of the single-precision test. Molecule 0 is
// pushed by molecule 1; molecules 2 and 3 sit a hair inside and a hair
// outside contact with the centre that push gives it, so they are tested
// from the lanes taken anew after a push. The origins put the lanes well
// inside, at and beyond the range single precision holds; the largest
// radius, beyond what the settings make, is where the margin's share that
// grows with it matters. One tick of each must match the plain tick bit for
// bit.
TEST(PassEdges, PartnersAHairFromContactAfterAPush)
{
    constexpr double kHair = 1e-6;
    constexpr std::int16_t kRadii[] = {1, 7, 178, 3000};
    constexpr double kTurn = 6.283185307179586 / 8;
    constexpr double kRange = physics::kLaneRange;
    const double origins[][2] = {
        {300, 200}, {kRange - 400, 3}, {-kRange + 200, -50}, {kRange - 0.25, kRange - 7000},
        {3e7, -3e7}};
    int checked = 0;
    for (const auto& origin : origins) {
        for (const std::int16_t radius : kRadii) {
            const double S = 2.0 * radius;
            for (const double depth : {0.3, S / 3, S - 2}) {
                for (int a = 0; a < 8; ++a) {
                    for (int b = 0; b < 8; ++b) {
                        // Distinct velocities, so that a missed exchange shows.
                        std::vector<Molecule> ms;
                        const auto at = [&](double x, double y) {
                            const auto k = static_cast<double>(ms.size());
                            return Molecule{10 * k + 1, -7 * k - 2, x, y, 200, radius};
                        };
                        ms.push_back(at(origin[0], origin[1]));
                        ms.push_back(at(origin[0] + (S - depth) * std::cos(a * kTurn),
                                        origin[1] + (S - depth) * std::sin(a * kTurn)));
                        Molecule pushed = ms[0];
                        Molecule pusher = ms[1];
                        physics::interact(pushed, pusher);
                        for (const double reach : {S - kHair, S + kHair}) {
                            const double angle = (b + 0.5 * (reach > S)) * kTurn;
                            ms.push_back(at(pushed.x + reach * std::cos(angle),
                                            pushed.y + reach * std::sin(angle)));
                        }
                        fake::Ui plainUi, fastUi;
                        fake::setEnsemble(plainUi.form, ms);
                        fake::setEnsemble(fastUi.form, ms);
                        plain::goMol(plainUi.form, plainUi.timer1);
                        fastUi.form.goMol();
                        for (std::size_t k = 0; k < ms.size(); ++k)
                            ASSERT_EQ(fields(plainUi.form.mols[k]), fields(fastUi.form.mols[k]))
                                << "origin " << origin[0] << ", radius " << radius << ", depth "
                                << depth << ", angles " << a << "/" << b << ", molecule " << k;
                        ++checked;
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 5 * 4 * 3 * 8 * 8);
}

// Mixed radii, every seventh centre on the one before it (the push's way out
// of d = 0), every eleventh far outside the area.
std::vector<Molecule> handBuilt(int n, float w, float h)
{
    constexpr std::int16_t kRadii[] = {1, 2, 7, 8, 40, 178};
    std::mt19937 rng(static_cast<unsigned>(n));
    const auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution(lo, hi)(rng);
    };
    std::vector<Molecule> ms;
    for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
        ms.push_back({std::round(uniform(-3000, 3000)), std::round(uniform(-3000, 3000)),
                      uniform(0, w), uniform(0, h), 200, kRadii[rng() % std::size(kRadii)]});
        if (k % 7 == 6)
            std::tie(ms[k].x, ms[k].y) = std::tuple(ms[k - 1].x, ms[k - 1].y);
        if (k % 11 == 0)
            ms[k].x = -uniform(0, 5000);
    }
    return ms;
}

constexpr std::int32_t kRadius1 = 5; // masses
constexpr std::int32_t kRadius7 = params::kDefaultMass;
constexpr std::int32_t kRadius178 = params::kMaxMass;
constexpr std::int32_t kMixed = 0;

struct Case {
    const char* name;
    std::int16_t molecules;
    std::int32_t mass;
    bool wrap;
    float w, h;
    int ticks;
    int resizeAt = 0; // 0: never
    float resizedW = 0, resizedH = 0;
};

// 668 x 344 is the drawing area at the window's design size, 1904 x 1042 a
// full screen. Fewer ticks where many molecules make each one slow.
const Case kCases[] = {
    {"Two_r178_wrap_tiny", 2, kRadius178, true, 10, 10, 2000},
    {"Two_r1_walls_empty", 2, kRadius1, false, 0, 0, 1000},
    {"Fifty_r7_wrap", 50, kRadius7, true, 668, 344, 1500},
    {"Fifty_r7_walls_shrunk", 50, kRadius7, false, 668, 344, 1500, 500, 120, 80},
    {"Fifty_r178_walls_dense", 50, kRadius178, false, 668, 344, 500},
    {"Fifty_mixed_wrap", 50, kMixed, true, 668, 344, 1000},
    {"FiveHundred_r1_wrap", 500, kRadius1, true, 668, 344, 40},
    {"FiveHundred_r7_walls_full_screen", 500, kRadius7, false, 1904, 1042, 40},
    {"FiveHundred_r178_wrap_dense", 500, kRadius178, true, 668, 344, 15},
    {"FiveHundred_mixed_walls_resized", 500, kMixed, false, 1904, 1042, 30, 15, 668, 344},
    // Past the largest ensemble the settings allow, the tick takes another road.
    {"SixHundred_mixed_walls", 600, kMixed, false, 1904, 1042, 5},
};

// Names a row in test listings by its name rather than its bytes.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class TickEquivalence : public testing::TestWithParam<Case> {};

TEST_P(TickEquivalence, EveryTickMatchesThePlainTickBitForBit)
{
    const Case& c = GetParam();
    fake::Ui plainUi, fastUi;
    for (fake::Ui* ui : {&plainUi, &fastUi}) {
        std::tie(ui->picture1.w, ui->picture1.h) = std::tuple(c.w, c.h);
        ui->form.limtBool = c.wrap;
    }
    if (c.mass == kMixed)
        fake::setEnsemble(plainUi.form, handBuilt(c.molecules, c.w, c.h));
    else
        plainUi.form.startSmlM(c.molecules, params::kDefaultSpeed, c.mass);
    fake::setEnsemble(fastUi.form, plainUi.form.mols);

    for (int tick = 1; tick <= c.ticks; ++tick) {
        for (fake::Ui* ui : {&plainUi, &fastUi}) {
            if (tick == c.resizeAt)
                std::tie(ui->picture1.w, ui->picture1.h) = std::tuple(c.resizedW, c.resizedH);
        }
        plain::goMol(plainUi.form, plainUi.timer1);
        fastUi.form.goMol();
        for (std::size_t k = 0; k < fastUi.form.mols.size(); ++k)
            ASSERT_EQ(fields(plainUi.form.mols[k]), fields(fastUi.form.mols[k]))
                << "after tick " << tick << ", molecule " << k << " (x, y, vx, vy as bits)";
    }
    EXPECT_EQ(plainUi.picture1.circles, fastUi.picture1.circles);
}

INSTANTIATE_TEST_SUITE_P(Cases, TickEquivalence, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

} // namespace
