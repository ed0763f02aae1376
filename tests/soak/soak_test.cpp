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

} // namespace
