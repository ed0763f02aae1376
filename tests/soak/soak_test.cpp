// Long runs of the tick over settings and drawing areas drawn from their whole
// ranges, resized, paused and restarted along the way. Whatever the mix, the
// gas keeps its size, stays finite, gains no speed and is drawn only with
// coordinates a 16-bit drawing call can take. And long runs of walled gases,
// dense ones too, which must stay near their box.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>

#include "sim/params.h"
#include "sim/text_rules.h"
#include "tests/core/fake_toolkit.h"

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
    double w = 4000, h = 3000; // one time in five the largest
    switch (integer(0, 4)) {
    case 0: w = h = integer(0, 1); break;
    case 1: w = integer(0, 40), h = integer(0, 40); break;
    case 2: w = integer(0, 4000), h = integer(0, 3000); break;
    case 3: w = uniform(0, 4000), h = uniform(0, 3000); break; // fractional, as the layout makes
    }
    p.w = static_cast<float>(w);
    p.h = static_cast<float>(h);
}

bool fitsInt16(float v) { return v >= INT16_MIN && v <= INT16_MAX; } // NaN fails too

TEST(Soak, TickStaysFiniteAndDrawableOverRandomRuns)
{
    // The sanitizer preset asks for fewer ticks.
    const char* env = std::getenv("THERMAL_SOAK_TICKS");
    const long target = env && std::atol(env) > 0 ? std::atol(env) : 100'000;
    fake::Ui ui;
    Form1& f = ui.form;
    f.Form_Load();
    long ticks = 0, runs = 0;
    double maxX = 0, maxY = 0, maxDrawn = 0;
    for (bool wrap = true; ticks < target; wrap = !wrap, ++runs) {
        const double count = std::nearbyint(pick(params::kMinMolecules, params::kMaxMolecules));
        const auto n = static_cast<std::size_t>(count);
        ui.text3.value = numberToText(count);
        ui.text2.value = numberToText(pick(params::kMinSpeed, params::kMaxSpeed));
        ui.text1.value = numberToText(std::nearbyint(pick(params::kMinMass, params::kMaxMass)));
        ui.option1.selected = wrap;
        newArea(ui.picture1);
        f.Command1_Click(); // Start
        ASSERT_TRUE(f.playBool && f.limtBool == wrap && f.mols.size() == n);
        double vx0 = 0, vy0 = 0; // the largest component on each axis at Start
        for (const Molecule& m : f.mols) {
            vx0 = std::max(vx0, std::fabs(m.vx));
            vy0 = std::max(vy0, std::fabs(m.vy));
        }

        // Large ensembles get shorter runs so the mix stays affordable.
        const long length = std::clamp<long>(50'000'000L / static_cast<long>(n * n + 1), 100, 1000);
        for (long t = 0; t < length && ticks < target; ++t) {
            switch (integer(0, 99)) {
            case 0: newArea(ui.picture1); break;
            case 1: f.Command2_Click(); break; // pause or resume
            case 2: f.Picture1_MouseMove(0, 0, 0, static_cast<float>(uniform(-50, 3000))); break;
            }
            f.Timer1_Timer();
            ticks += f.pauseBool ? 0 : 1;
            ASSERT_TRUE(f.mols.size() == n && f.molCount == count) << "tick " << ticks;
            for (const Molecule& m : f.mols) {
                ASSERT_TRUE(std::isfinite(m.x) && std::isfinite(m.y)) << "tick " << ticks;
                // Exchanges swap whole velocities and walls only turn a
                // component round, so no component outgrows its axis's largest.
                ASSERT_TRUE(std::fabs(m.vx) <= vx0 && std::fabs(m.vy) <= vy0) << "tick " << ticks;
                maxX = std::max(maxX, std::fabs(m.x));
                maxY = std::max(maxY, std::fabs(m.y));
            }
            for (const fake::Circle& c : ui.picture1.circles) {
                ASSERT_TRUE(fitsInt16(c.x) && fitsInt16(c.y) && fitsInt16(c.radius))
                    << "tick " << ticks << ": " << c.x << ", " << c.y;
                maxDrawn = std::max({maxDrawn, std::fabs(double{c.x}), std::fabs(double{c.y})});
            }
        }
        f.Command1_Click(); // Stop
        ASSERT_FALSE(f.playBool || f.pauseBool);
    }
    std::cout << "soak: " << ticks << " ticks in " << runs << " runs, largest |x| " << maxX
              << ", |y| " << maxY << ", largest |drawn coordinate| " << maxDrawn << "\n";
}

// Walls keep a gas in its box, dense ones too: a push may leave a molecule
// outside for a while, but never throws it far. Averaged over ticks 29,000 to
// 30,000 of a run in the area at the window's design size.
TEST(Soak, WallsKeepTheGasNearItsBox)
{
    const struct {
        const char* name;
        std::int16_t n;
        std::int32_t mass;
        double outside;  // centres outside the area, on average at most
        double farthest; // px beyond a wall, for any centre at any of those ticks
    } cases[] = {
        {"defaults_N50_m200", 50, 200, 1, 100},
        {"dense_N500_m200", 500, 200, 50, 100},
        {"dense_N100_m1000", 100, 1000, 15, 200},
    };
    constexpr float W = 668, H = 344;
    for (const auto& c : cases) {
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
        EXPECT_LE(outside / 1001.0, c.outside) << c.name;
        EXPECT_LE(farthest, c.farthest) << c.name;
        std::cout << c.name << ": " << outside / 1001.0 << " centres outside on average, farthest "
                  << farthest << " px\n";
    }
}

} // namespace
