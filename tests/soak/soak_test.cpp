// Long runs of the tick over settings and drawing areas drawn from their whole
// ranges, resized, paused and restarted along the way, with the invariants
// checked after every event.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

#include "sim/params.h"
#include "sim/text_rules.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/invariants.h"
#include "tests/support/named_rows.h"

namespace {

std::mt19937_64 rng(20261206);
int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }

// The bounds one time in three; log-uniform otherwise, so small values get
// their share of a range spanning four orders of magnitude.
double pick(double lo, double hi)
{
    const int k = integer(0, 5);
    return k == 0 ? lo : k == 1 ? hi : std::exp(uniform(std::log(lo), std::log(hi)));
}

void newArea(fake::PictureBox& p)
{
    // Empty, tiny, fractional as the layout makes, the largest.
    const int k = integer(0, 3);
    const auto side = [&](double largest) {
        return static_cast<float>(k == 0   ? 0
                                  : k == 1 ? integer(1, 40)
                                  : k == 2 ? uniform(0, largest)
                                           : largest);
    };
    p.w = side(4000);
    p.h = side(3000);
}

TEST(Soak, InvariantsHoldOverRandomRuns)
{
    // The sanitizer preset asks for fewer ticks.
    const char* env = std::getenv("THERMAL_SOAK_TICKS");
    const long target = env && std::atol(env) > 0 ? std::atol(env) : 100'000;
    fake::Ui ui;
    Form1& f = ui.form;
    f.Form_Load();
    long ticks = 0;
    for (bool wrap = true; ticks < target; wrap = !wrap) {
        const double count = std::nearbyint(pick(params::kMinMolecules, params::kMaxMolecules));
        ui.text3.value = numberToText(count);
        ui.text2.value = numberToText(pick(params::kMinSpeed, params::kMaxSpeed));
        ui.text1.value = numberToText(std::nearbyint(pick(params::kMinMass, params::kMaxMass)));
        ui.option1.selected = wrap;
        newArea(ui.picture1);
        f.Command1_Click(); // Start
        ASSERT_EQ(f.mols.size(), count);
        // Large ensembles get shorter runs so the mix stays affordable.
        const long length = std::clamp<long>(50'000'000L / long(count * count + 1), 100, 1000);
        for (long t = 0; t < length && ticks < target; ++t) {
            switch (integer(0, 99)) {
            case 0: newArea(ui.picture1); break;
            case 1: f.Command2_Click(); break; // pause or resume
            case 2: f.Picture1_MouseMove(0, 0, 0, static_cast<float>(uniform(-50, 3000))); break;
            }
            f.Timer1_Timer();
            ticks += f.pauseBool ? 0 : 1;
            ASSERT_EQ(invariants::violation(f, ui.frame1.topValue, ui.picture1.circles), "")
                << "tick " << ticks;
        }
        f.Command1_Click(); // Stop
    }
}

// Walled gases run long, counted over their last thousand ticks. A push that
// threw the far molecule without bound left a third of the dense gas out of
// sight, thousands of pixels beyond the walls.
struct WalledGas {
    const char* name;
    std::int16_t n;
    std::int32_t mass;
    double outside;  // centres outside the area, on average at most
    double farthest; // px beyond a wall, at most, for any centre
};

constexpr WalledGas kWalledGases[] = {
    {"defaults_N50_m200", 50, 200, 1, 100},
    {"dense_N500_m200", 500, 200, 50, 100},
    {"dense_N100_m1000", 100, 1000, 15, 200},
};

class Walls : public testing::TestWithParam<WalledGas> {};

TEST_P(Walls, KeepTheGasNearItsBox)
{
    const WalledGas& c = GetParam();
    constexpr float W = 668, H = 344;
    fake::Ui ui;
    ui.picture1.w = W;
    ui.picture1.h = H;
    ui.form.limtBool = false;
    ui.form.startSmlM(c.n, params::kDefaultSpeed, c.mass);
    int outside = 0; // centre-ticks
    double farthest = 0;
    for (int tick = 1; tick <= 30000; ++tick) {
        ui.form.goMol();
        if (tick < 29000)
            continue;
        for (const Molecule& m : ui.form.mols) {
            const double beyond = std::max({-m.x, m.x - W, -m.y, m.y - H});
            outside += beyond > 0;
            farthest = std::max(farthest, beyond);
        }
    }
    EXPECT_LE(outside / 1001.0, c.outside);
    EXPECT_LE(farthest, c.farthest);
}

NAMED_ROWS(Walls, kWalledGases);

} // namespace
