// The program's goMol against the plain tick, side by side, tick after tick:
// every field of every molecule must agree to the bit. The program skips the
// pairs that are certainly apart and scans with vector instructions; any
// slip in that bookkeeping (a missed pair, a stale mirror, a wrong order)
// shows up here as the first tick on which a bit differs.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/fake_toolkit.h"
#include "plain_tick.h"
#include "scan_kernels.h"
#include "sim/pair_scan.h"
#include "sim/params.h"

namespace {

constexpr std::int32_t kMassRadius1 = 5;
constexpr std::int32_t kMassRadius7 = params::kDefaultMass;
constexpr std::int32_t kMassRadius178 = params::kMaxMass;

// A 668 x 344 area is the drawing area of the window at its design size; the
// larger one is a full-screen window.
constexpr float kSmallW = 668;
constexpr float kSmallH = 344;
constexpr float kLargeW = 1904;
constexpr float kLargeH = 1042;

// A seeded generator for hand-built ensembles (the program's own source is
// never seeded, so it gives one ensemble per Start and no more).
class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    double uniform()
    {
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * 0x1p-53;
    }

private:
    std::uint64_t state_;
};

// Molecules of mixed radii, some centres shared exactly (the d = 0 way out of
// the push), some far outside the area.
std::vector<Molecule> handBuilt(int n, float w, float h, std::uint64_t seed)
{
    constexpr int kRadiusChoices[] = {1, 2, 7, 8, 40, 178};
    constexpr double kSpeed = 3000;
    constexpr int kEveryNthShared = 7;
    constexpr int kEveryNthFar = 11;
    constexpr double kFarOut = 5000;
    SplitMix rnd(seed);
    std::vector<Molecule> ms;
    for (int k = 0; k < n; ++k) {
        const auto pick = static_cast<std::size_t>(rnd.uniform() * std::size(kRadiusChoices));
        const auto radius = static_cast<std::int16_t>(kRadiusChoices[pick]);
        Molecule m = fake::molecule(rnd.uniform() * w, rnd.uniform() * h,
                                    std::round((rnd.uniform() * 2 - 1) * kSpeed),
                                    std::round((rnd.uniform() * 2 - 1) * kSpeed), radius);
        if (k > 0 && k % kEveryNthShared == 0) {
            m.x = ms.back().x;
            m.y = ms.back().y;
        }
        if (k % kEveryNthFar == 0)
            m.x = -kFarOut * rnd.uniform();
        ms.push_back(m);
    }
    return ms;
}

struct Resize {
    int atTick;
    float w;
    float h;
};

struct Case {
    const char* name;
    std::int16_t molecules;
    std::int32_t mass = 0; // for an ensemble from startSmlM
    double speed = params::kDefaultSpeed;
    float w = kSmallW;
    float h = kSmallH;
    bool wrap = false;
    int ticks = 0;
    int earlierStarts = 0;                            // Starts made before, to vary the ensemble
    std::optional<std::uint64_t> seed = std::nullopt; // set: a hand-built ensemble instead
    std::optional<Resize> resize = std::nullopt;
};

// gtest names a failing row by this rather than by its bytes.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

void build(fake::Ui& ui, const Case& c)
{
    ui.picture1.w = c.w;
    ui.picture1.h = c.h;
    ui.form.limtBool = c.wrap;
    if (c.seed) {
        fake::setEnsemble(ui.form, handBuilt(c.molecules, c.w, c.h, *c.seed));
        return;
    }
    for (int k = 0; k <= c.earlierStarts; ++k)
        ui.form.startSmlM(c.molecules, c.speed, c.mass);
}

std::string hex(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%a", v);
    return buf;
}

// The first field that differs, described; nothing when all agree.
std::optional<std::string> firstDifference(const std::vector<Molecule>& plain,
                                           const std::vector<Molecule>& fast)
{
    if (plain.size() != fast.size())
        return "ensemble sizes differ";
    const auto same = [](double a, double b) {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    };
    for (std::size_t k = 0; k < plain.size(); ++k) {
        const Molecule& p = plain[k];
        const Molecule& f = fast[k];
        const std::pair<const char*, std::pair<double, double>> fields[] = {
            {"x", {p.x, f.x}}, {"y", {p.y, f.y}}, {"vx", {p.vx, f.vx}}, {"vy", {p.vy, f.vy}}};
        for (const auto& [field, values] : fields) {
            if (!same(values.first, values.second))
                return "molecule " + std::to_string(k) + " field " + field + ": plain " +
                       hex(values.first) + ", program " + hex(values.second);
        }
        if (p.mass != f.mass || p.radius != f.radius)
            return "molecule " + std::to_string(k) + ": mass or radius changed";
    }
    return std::nullopt;
}

// The kernel to hold against the plain tick, or kChosenKernel for the one
// the program picks by itself.
constexpr const char* kChosenKernel = "chosen";
using Param = std::tuple<const char*, Case>;

class TickEquivalence : public testing::TestWithParam<Param> {};

TEST_P(TickEquivalence, EveryTickMatchesThePlainTickBitForBit)
{
    const auto& [kind, c] = GetParam();
    const bool chosen = std::string(kind) == kChosenKernel;
    const equivalence::ScopedScanKernel kernel(chosen ? physics::pairScanKind() : kind);
    if (!kernel.selected())
        GTEST_SKIP() << kind << " does not run here";

    fake::Ui plainUi;
    fake::Ui fastUi;
    build(plainUi, c);
    build(fastUi, c);
    ASSERT_FALSE(firstDifference(plainUi.form.mols, fastUi.form.mols)) << "ensembles differ";

    for (int tick = 1; tick <= c.ticks; ++tick) {
        if (c.resize && c.resize->atTick == tick) {
            for (fake::Ui* ui : {&plainUi, &fastUi}) {
                ui->picture1.w = c.resize->w;
                ui->picture1.h = c.resize->h;
            }
        }
        plain::goMol(plainUi.form, plainUi.timer1);
        fastUi.form.goMol();
        const auto diff = firstDifference(plainUi.form.mols, fastUi.form.mols);
        ASSERT_FALSE(diff) << "tick " << tick << " of " << c.ticks << " (scan "
                           << physics::pairScanKind() << "): " << *diff;
    }
    // Both drew the same picture too.
    EXPECT_EQ(plainUi.picture1.circles, fastUi.picture1.circles);
}

// Tick counts are kept so that the whole table runs in seconds in a debug
// build: many ticks for small ensembles, fewer for the 500-molecule ones,
// whose dense variants push nearly every pair on every tick.
const Case kCases[] = {
    {.name = "Two_r7_walls", .molecules = 2, .mass = kMassRadius7, .w = 30, .h = 30,
     .ticks = 4000},
    {.name = "Two_r178_wrap_tiny", .molecules = 2, .mass = kMassRadius178, .w = 10, .h = 10,
     .wrap = true, .ticks = 4000},
    {.name = "Two_r1_walls_empty_area", .molecules = 2, .mass = kMassRadius1, .w = 0, .h = 0,
     .ticks = 2000},
    {.name = "Fifty_r7_wrap", .molecules = 50, .mass = kMassRadius7, .wrap = true, .ticks = 3000},
    {.name = "Fifty_r7_walls", .molecules = 50, .mass = kMassRadius7, .ticks = 3000,
     .earlierStarts = 1},
    {.name = "Fifty_r1_wrap_fast", .molecules = 50, .mass = kMassRadius1,
     .speed = params::kMaxSpeed, .wrap = true, .ticks = 2000},
    {.name = "Fifty_r178_walls_dense", .molecules = 50, .mass = kMassRadius178, .ticks = 1500},
    {.name = "Fifty_r178_wrap_dense", .molecules = 50, .mass = kMassRadius178, .wrap = true,
     .ticks = 1500, .earlierStarts = 2},
    {.name = "Fifty_r7_wrap_tiny", .molecules = 50, .mass = kMassRadius7, .w = 10, .h = 10,
     .wrap = true, .ticks = 1500},
    {.name = "Fifty_r7_walls_empty_area", .molecules = 50, .mass = kMassRadius7, .w = 0, .h = 0,
     .ticks = 1500},
    {.name = "Fifty_r7_walls_shrunk", .molecules = 50, .mass = kMassRadius7, .ticks = 2000,
     .resize = Resize{500, 120, 80}},
    {.name = "Fifty_r7_wrap_shrunk", .molecules = 50, .mass = kMassRadius7, .wrap = true,
     .ticks = 1500, .resize = Resize{300, 50, 40}},
    {.name = "Fifty_hand_built_walls", .molecules = 50, .ticks = 1500, .seed = 11},
    {.name = "Fifty_hand_built_wrap", .molecules = 50, .wrap = true, .ticks = 1500, .seed = 12},
    {.name = "FiveHundred_r7_wrap", .molecules = 500, .mass = kMassRadius7, .wrap = true,
     .ticks = 100},
    {.name = "FiveHundred_r7_walls_large", .molecules = 500, .mass = kMassRadius7, .w = kLargeW,
     .h = kLargeH, .ticks = 100, .earlierStarts = 1},
    {.name = "FiveHundred_r1_walls", .molecules = 500, .mass = kMassRadius1,
     .speed = params::kMaxSpeed, .ticks = 60},
    {.name = "FiveHundred_r178_walls_dense", .molecules = 500, .mass = kMassRadius178,
     .ticks = 40},
    {.name = "FiveHundred_r178_wrap_large", .molecules = 500, .mass = kMassRadius178,
     .w = kLargeW, .h = kLargeH, .wrap = true, .ticks = 40},
    {.name = "FiveHundred_hand_built_wrap_resized", .molecules = 500, .w = kLargeW, .h = kLargeH,
     .wrap = true, .ticks = 40, .seed = 13, .resize = Resize{20, kSmallW, kSmallH}},
    // Beyond the largest ensemble the settings allow, the tick takes a
    // different road; it must still agree.
    {.name = "SixHundred_hand_built_walls", .molecules = 600, .w = kLargeW, .h = kLargeH,
     .ticks = 10, .seed = 14},
};

// A shorter table for every kernel in turn: sparse and dense, shared and
// mixed radii, both boundaries.
const Case kEveryKernelCases[] = {
    {.name = "Fifty_r7_walls", .molecules = 50, .mass = kMassRadius7, .ticks = 500},
    {.name = "Fifty_hand_built_wrap", .molecules = 50, .wrap = true, .ticks = 500, .seed = 21},
    {.name = "FiveHundred_r7_wrap", .molecules = 500, .mass = kMassRadius7, .wrap = true,
     .ticks = 20, .earlierStarts = 3},
    {.name = "FiveHundred_r178_wrap_dense", .molecules = 500, .mass = kMassRadius178,
     .wrap = true, .ticks = 10},
    {.name = "FiveHundred_hand_built_walls", .molecules = 500, .ticks = 10, .seed = 22},
};

std::string paramName(const testing::TestParamInfo<Param>& info)
{
    return std::string(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Ensembles, TickEquivalence,
                         testing::Combine(testing::Values(kChosenKernel),
                                          testing::ValuesIn(kCases)),
                         paramName);

INSTANTIATE_TEST_SUITE_P(EveryKernel, TickEquivalence,
                         testing::Combine(testing::ValuesIn(equivalence::kScanKernels),
                                          testing::ValuesIn(kEveryKernelCases)),
                         paramName);

} // namespace
