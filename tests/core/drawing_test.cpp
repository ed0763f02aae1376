// Drawing the scene (pictSmlM): each molecule as a yellow solid disc at its
// floored centre, and in wrap-around mode an image across the opposite edge.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "fake_toolkit.h"
#include "sim/numeric.h"

namespace {

using fake::molecule;

fake::Circle disc(float x, float y, float r) { return {x, y, r, 65535, true, 65535}; }

struct ImageCase {
    const char* name;
    float W, H;
    double x, y;
    std::int16_t rad;
    bool image;
    float imageX, imageY;
};
void PrintTo(const ImageCase& c, std::ostream* os) { *os << c.name; }

const ImageCase kImageCases[] = {
    {"floor_10_7", 400, 300, 10.7, 20.2, 5, false, 0, 0},
    {"floor_minus_0_2", 400, 300, -0.2, 150, 5, true, 399, 150},
    {"right_395_none", 400, 300, 395, 150, 5, false, 0, 0},
    {"right_396", 400, 300, 396, 150, 5, true, -4, 150},
    {"left_5_none", 400, 300, 5, 150, 5, false, 0, 0},
    {"left_4", 400, 300, 4, 150, 5, true, 404, 150},
    {"bottom_296", 400, 300, 200, 296, 5, true, 200, -4},
    {"top_4", 400, 300, 200, 4, 5, true, 200, 304},
    {"corner_diagonal_only", 400, 300, 398, 2, 5, true, -2, 302},
    {"rad_250_left_wins", 400, 600, 200, 300, 250, true, 600, 300},
    {"W_683_5_at_681", 683.5f, 300, 681, 150, 5, true, -2, 150},
    {"W_683_5_at_680", 683.5f, 300, 680, 150, 5, true, -4, 150},
};

class ImageTest : public testing::TestWithParam<ImageCase> {};

TEST_P(ImageTest, ImageOnlyInWrapAroundMode)
{
    const ImageCase& c = GetParam();
    fake::Ui ui;
    ui.picture1.w = c.W;
    ui.picture1.h = c.H;
    ui.form.mColor = 65535;
    fake::setEnsemble(ui.form, {molecule(c.x, c.y, 0, 0, c.rad)});
    const fake::Circle own = disc(float(std::floor(c.x)), float(std::floor(c.y)), c.rad);

    ui.form.pictSmlM(true);
    std::vector<fake::Circle> expected{own};
    if (c.image)
        expected.push_back(disc(c.imageX, c.imageY, c.rad));
    EXPECT_EQ(ui.picture1.circles, expected);

    ui.form.pictSmlM(false);
    EXPECT_EQ(ui.picture1.circles, std::vector{own});
}

INSTANTIATE_TEST_SUITE_P(Edges, ImageTest, testing::ValuesIn(kImageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Drawing, FarOutMoleculeSkippedOthersDrawnInOrder)
{
    fake::Ui ui;
    ui.form.mColor = 65535;
    fake::setEnsemble(ui.form, {molecule(100, 100, 0, 0, 5), molecule(1e6, 150, 0, 0, 5),
                                molecule(200, 100, 0, 0, 7)});
    ui.form.pictSmlM(true);
    EXPECT_EQ(ui.picture1.circles, (std::vector{disc(100, 100, 5), disc(200, 100, 7)}));
}

// The redraw's own floor and round-to-nearest agree with the library's for
// every value, including the edges of the 16-bit range, ties, NaN and
// infinities; the random values cover ordinary centres and far-out ones.
TEST(Drawing, SixteenBitConversionsMatchTheLibrary)
{
    const auto libraryFloor = [](double v) -> std::optional<std::int16_t> {
        const double f = std::floor(v);
        if (!(f >= -32768 && f <= 32767))
            return std::nullopt;
        return static_cast<std::int16_t>(f);
    };
    const auto libraryNearest = [](double v) -> std::optional<std::int16_t> {
        const double r = std::nearbyint(v);
        if (!(r >= -32768 && r <= 32767))
            return std::nullopt;
        return static_cast<std::int16_t>(r);
    };
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values{0.0,      -0.0,     -0.2,      0.5,     1.5,      2.5,
                               -0.5,     -1.5,     -2.5,      32767.0, 32767.4,  32767.5,
                               32767.99, 32768.0,  -32768.0,  -32768.4, -32768.5, -32768.6,
                               -32769.0, 2147483647.6, -2147483648.4, 1e300, -1e300, inf,
                               -inf,     std::nan("")};
    std::uint64_t state = 1;
    for (int k = 0; k < 20000; ++k) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;
        values.push_back((unit - 0.5) * (k % 2 ? 80000.0 : 700.0));
    }
    for (const double v : values) {
        EXPECT_EQ(numeric::floorInt16(v), libraryFloor(v)) << v;
        EXPECT_EQ(numeric::nearestInt16(v), libraryNearest(v)) << v;
    }
}

} // namespace
