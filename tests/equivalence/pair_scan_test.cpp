// The scan on its own: for every start and end of a range, each kernel must
// name the same first partner as a pair-by-pair loop, so that no block
// boundary, tail length or NaN can hide a touching pair.

#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "scan_kernels.h"
#include "sim/pair_scan.h"

namespace {

constexpr int kMolecules = 37; // not a multiple of any vector width
constexpr double kRadius = 7;
constexpr double kOtherRadius = 3;
constexpr double kProbeX = -100;
constexpr double kProbeY = 3;
constexpr double kSpacing = 50; // the centres' spacing along the line

struct Layout {
    const char* name;
    int touchingEvery; // every this many sits just inside contact; 0: none
    bool withNaN;
};

struct Line {
    std::vector<double> x, y, r;
};

// Centres on a line, all far from the probe except the chosen ones; the
// first sits exactly at contact, which counts as apart.
Line line(const Layout& l, bool sharedRadius)
{
    Line m;
    for (int k = 0; k < kMolecules; ++k) {
        const double r = sharedRadius || k % 2 == 0 ? kRadius : kOtherRadius;
        const double reach = kRadius + r;
        m.r.push_back(r);
        m.y.push_back(kProbeY);
        m.x.push_back(k == 0 ? kProbeX + reach : kSpacing * k);
        if (l.touchingEvery && k % l.touchingEvery == l.touchingEvery - 1)
            m.x.back() = kProbeX + reach - 0x1p-40;
    }
    if (l.withNaN)
        m.y[kMolecules / 2] = std::numeric_limits<double>::quiet_NaN();
    return m;
}

int firstByHand(const Line& m, int from, int to)
{
    for (int j = from; j < to; ++j) {
        const auto k = static_cast<std::size_t>(j);
        const double dx = kProbeX - m.x[k];
        const double dy = kProbeY - m.y[k];
        const double s = kRadius + m.r[k];
        if (!(dx * dx + dy * dy >= s * s))
            return j;
    }
    return to;
}

using Param = std::tuple<const char*, Layout, bool>;

class PairScan : public testing::TestWithParam<Param> {};

TEST_P(PairScan, FindsTheFirstPossibleContactOfEveryRange)
{
    const auto& [kind, layout, sharedRadius] = GetParam();
    const equivalence::ScopedScanKernel kernel(kind);
    if (!kernel.selected())
        GTEST_SKIP() << kind << " does not run here";

    const Line m = line(layout, sharedRadius);
    const physics::PairScanView view{m.x.data(), m.y.data(), sharedRadius ? nullptr : m.r.data(),
                                     kRadius};
    for (int from = 0; from <= kMolecules; ++from) {
        for (int to = from; to <= kMolecules; ++to) {
            ASSERT_EQ(physics::nextContact(view, from, to, kProbeX, kProbeY, kRadius),
                      firstByHand(m, from, to))
                << "range [" << from << ", " << to << ")";
        }
    }
}

const Layout kLayouts[] = {
    {"AllApart", 0, false},
    {"EveryThirdTouches", 3, false},
    {"EverySeventeenthTouches", 17, false},
    {"NaNInTheMiddle", 0, true},
    {"EveryFifthTouchesAndNaN", 5, true},
};

INSTANTIATE_TEST_SUITE_P(
    Layouts, PairScan,
    testing::Combine(testing::ValuesIn(equivalence::kScanKernels), testing::ValuesIn(kLayouts),
                     testing::Bool()),
    [](const testing::TestParamInfo<Param>& info) {
        return std::string(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name +
               (std::get<2>(info.param) ? "_SharedRadius" : "_MixedRadii");
    });

} // namespace
