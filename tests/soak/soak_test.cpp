// Long runs of the tick over settings and drawing areas drawn from their
// whole ranges, with resizes, pauses and restarts in between. Whatever the
// mix, the gas keeps its size, stays finite, conserves its speeds and is
// drawn only with coordinates a 16-bit drawing call can take.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "sim/params.h"
#include "sim/text_rules.h"
#include "tests/core/fake_toolkit.h"

namespace {

constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();

// A sanitizer build sets a smaller count through the environment; a normal
// build soaks for the full count.
long tickTarget()
{
    if (const char* s = std::getenv("THERMAL_SOAK_TICKS")) {
        const long v = std::strtol(s, nullptr, 10);
        if (v > 0)
            return v;
    }
    return 100'000;
}

struct Extremes {
    long ticks = 0;
    long runs = 0;
    long wrapTicks = 0;
    long wallTicks = 0;
    long resizes = 0;
    long largeEnsembleTicks = 0; // 400 molecules or more
    double maxAbsX = 0, maxAbsY = 0;
    // The same over runs whose area stayed at least 100 pixels on each side:
    // in tinier areas every molecule starts on nearly the same spot, and the
    // push of nearly coincident centres throws the far one a long way.
    double roomyMaxAbsX = 0, roomyMaxAbsY = 0;
    double maxAbsVx = 0, maxAbsVy = 0;
    double maxDrawnAbs = 0;      // largest |coordinate| handed to a circle call
    long outsideMoleculeTicks = 0; // molecule-ticks with a centre beyond the area
    long undrawable = 0;           // molecule-ticks too far out for 16-bit drawing
};

class Soak {
public:
    explicit Soak(std::uint64_t seed) : rng_(seed) {}

    void run(long target)
    {
        ui_.form.Form_Load();
        bool wrap = false;
        while (x_.ticks < target) {
            wrap = !wrap; // both boundary modes, run by run
            oneRun(wrap, target);
            if (::testing::Test::HasFatalFailure())
                return; // the first failure says it all
        }
    }

    const Extremes& extremes() const { return x_; }

private:
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    double logUniform(double lo, double hi) { return std::exp(uniform(std::log(lo), std::log(hi))); }

    // Bounds and the interior alike, with the bounds drawn often.
    double pick(double lo, double hi)
    {
        switch (integer(0, 5)) {
        case 0: return lo;
        case 1: return hi;
        default: return logUniform(lo, hi);
        }
    }

    int moleculeCount()
    {
        switch (integer(0, 7)) {
        case 0: return 1;
        case 1: return 2;
        case 2: return 500;
        case 3: return integer(400, 500);
        case 4: return integer(3, 20);
        default: return integer(1, 500);
        }
    }

    void newArea()
    {
        float w = 0, h = 0;
        switch (integer(0, 6)) {
        case 0: w = h = 0; break;
        case 1: w = h = 1; break;
        case 2: w = 4000; h = 3000; break;
        case 3: w = static_cast<float>(integer(0, 40)); h = static_cast<float>(integer(0, 40)); break;
        case 4: // pctRsz gives fractional sizes
            w = static_cast<float>(uniform(0, 4000));
            h = static_cast<float>(uniform(0, 3000));
            break;
        default:
            w = static_cast<float>(integer(0, 4000));
            h = static_cast<float>(integer(0, 3000));
        }
        ui_.picture1.w = w;
        ui_.picture1.h = h;
        roomy_ = roomy_ && w >= 100 && h >= 100;
    }

    void oneRun(bool wrap, long target)
    {
        Form1& f = ui_.form;
        const int n = moleculeCount();
        ui_.text3.value = numberToText(n);
        ui_.text2.value = numberToText(pick(params::kMinSpeed, params::kMaxSpeed));
        ui_.text1.value = numberToText(std::nearbyint(pick(params::kMinMass, params::kMaxMass)));
        ui_.option1.selected = wrap;
        roomy_ = true;
        newArea();

        f.Command1_Click(); // Start
        ASSERT_TRUE(f.playBool);
        ASSERT_EQ(f.molCount, n);
        ASSERT_EQ(f.limtBool, wrap);
        const std::vector<double> speedsX = absSorted(&Molecule::vx);
        const std::vector<double> speedsY = absSorted(&Molecule::vy);

        // Large ensembles get shorter runs so the mix stays affordable.
        const long length = std::clamp<long>(50'000'000L / (static_cast<long>(n) * n + 1), 100, 1000);
        ++x_.runs;
        for (long t = 0; t < length && x_.ticks < target; ++t) {
            switch (integer(0, 99)) {
            case 0: newArea(); ++x_.resizes; break;
            case 1: f.Command2_Click(); break; // pause or resume
            case 2: f.Picture1_MouseMove(0, 0, 0, static_cast<float>(uniform(-50, 3000))); break;
            default: break;
            }
            if (f.pauseBool) {
                const auto before = f.mols.size();
                f.Timer1_Timer();
                ASSERT_EQ(f.mols.size(), before);
                continue;
            }
            f.Timer1_Timer();
            ++x_.ticks;
            (wrap ? x_.wrapTicks : x_.wallTicks)++;
            if (n >= 400)
                ++x_.largeEnsembleTicks;
            checkTick(n);
            if (::testing::Test::HasFatalFailure())
                return;
            // Exchanges swap whole velocities and walls only turn a component
            // round, so each axis keeps its multiset of speeds.
            if (t % 16 == 0) {
                ASSERT_EQ(absSorted(&Molecule::vx), speedsX) << "tick " << x_.ticks;
                ASSERT_EQ(absSorted(&Molecule::vy), speedsY) << "tick " << x_.ticks;
            }
        }

        f.Command1_Click(); // Stop
        ASSERT_FALSE(f.playBool);
        ASSERT_FALSE(f.pauseBool);
        ASSERT_TRUE(ui_.picture1.circles.empty());
    }

    std::vector<double> absSorted(double Molecule::*field) const
    {
        std::vector<double> v;
        v.reserve(ui_.form.mols.size());
        for (const Molecule& m : ui_.form.mols)
            v.push_back(std::fabs(m.*field));
        std::sort(v.begin(), v.end());
        return v;
    }

    void checkTick(int n)
    {
        const Form1& f = ui_.form;
        ASSERT_EQ(f.molCount, n);
        ASSERT_EQ(f.mols.size(), static_cast<std::size_t>(n));
        const double w = ui_.picture1.w;
        const double h = ui_.picture1.h;
        long mustShow = 0;
        for (const Molecule& m : f.mols) {
            ASSERT_TRUE(std::isfinite(m.x) && std::isfinite(m.y)) << "tick " << x_.ticks;
            ASSERT_TRUE(std::isfinite(m.vx) && std::isfinite(m.vy)) << "tick " << x_.ticks;
            x_.maxAbsX = std::max(x_.maxAbsX, std::fabs(m.x));
            x_.maxAbsY = std::max(x_.maxAbsY, std::fabs(m.y));
            if (roomy_) {
                x_.roomyMaxAbsX = std::max(x_.roomyMaxAbsX, std::fabs(m.x));
                x_.roomyMaxAbsY = std::max(x_.roomyMaxAbsY, std::fabs(m.y));
            }
            x_.maxAbsVx = std::max(x_.maxAbsVx, std::fabs(m.vx));
            x_.maxAbsVy = std::max(x_.maxAbsVy, std::fabs(m.vy));
            const bool inside = m.x >= 0 && m.x <= w && m.y >= 0 && m.y <= h;
            if (!inside)
                ++x_.outsideMoleculeTicks;
            else
                ++mustShow;
            if (std::fabs(m.x) > kInt16Max || std::fabs(m.y) > kInt16Max)
                ++x_.undrawable;
        }

        const auto& circles = ui_.picture1.circles;
        ASSERT_LE(circles.size(), 2 * f.mols.size());
        // Every molecule whose centre is in the area shows at least its disc.
        ASSERT_GE(static_cast<long>(circles.size()), mustShow);
        const float radius = static_cast<float>(f.mols.front().radius);
        for (const fake::Circle& c : circles) {
            ASSERT_TRUE(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.radius));
            ASSERT_TRUE(c.x >= kInt16Min && c.x <= kInt16Max) << c.x;
            ASSERT_TRUE(c.y >= kInt16Min && c.y <= kInt16Max) << c.y;
            ASSERT_EQ(c.radius, radius);
            ASSERT_TRUE(c.filledSolid);
            ASSERT_EQ(c.fillColor, f.mColor);
            x_.maxDrawnAbs = std::max({x_.maxDrawnAbs, std::fabs(double{c.x}), std::fabs(double{c.y})});
        }
    }

    std::mt19937_64 rng_;
    fake::Ui ui_;
    Extremes x_;
    bool roomy_ = true;
};

TEST(Soak, TickStaysFiniteAndDrawableOverRandomRuns)
{
    const long target = tickTarget();
    Soak soak(20261206);
    soak.run(target);
    if (::testing::Test::HasFatalFailure())
        return;

    const Extremes& x = soak.extremes();
    EXPECT_GE(x.ticks, target);
    EXPECT_GT(x.wrapTicks, 0);
    EXPECT_GT(x.wallTicks, 0);
    EXPECT_GT(x.largeEnsembleTicks, 0);
    EXPECT_GT(x.resizes, 0);
    // No speed is ever created: the largest component is the largest drawn.
    EXPECT_LE(x.maxAbsVx, params::kMaxSpeed + 1);
    EXPECT_LE(x.maxAbsVy, params::kMaxSpeed + 1);

    std::cout << "soak: " << x.ticks << " ticks in " << x.runs << " runs (" << x.wrapTicks
              << " wrap-around, " << x.wallTicks << " walls, " << x.largeEnsembleTicks
              << " with 400+ molecules), " << x.resizes << " resizes\n"
              << "soak: largest |x| " << x.maxAbsX << ", |y| " << x.maxAbsY << ", |vx| "
              << x.maxAbsVx << ", |vy| " << x.maxAbsVy << ", largest |drawn coordinate| "
              << x.maxDrawnAbs << "\n"
              << "soak: in areas of 100x100 or more, largest |x| " << x.roomyMaxAbsX << ", |y| "
              << x.roomyMaxAbsY << "\n"
              << "soak: molecule-ticks outside the area " << x.outsideMoleculeTicks
              << ", beyond 16-bit drawing " << x.undrawable << "\n";
    RecordProperty("ticks", static_cast<int>(x.ticks));
}

} // namespace
