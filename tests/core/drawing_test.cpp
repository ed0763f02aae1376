// Drawing the scene (pictSmlM): each molecule as a yellow solid disc at its
// floored centre, and in wrap-around mode an image across the opposite edge.

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"

namespace {

fake::Circle disc(float x, float y, float r) { return {x, y, r, 65535, true, 65535}; }

// One molecule of radius `rad` at (x, y) in a W x H area: its disc, and the
// image wrap-around adds, if any.
struct ImageRow {
    const char* name;
    float W, H;
    double x, y;
    std::int16_t rad;
    std::vector<fake::Circle> wrapped;
};

const ImageRow kImageRows[] = {
    {"floor_10_7", 400, 300, 10.7, 20.2, 5, {disc(10, 20, 5)}},
    {"floor_minus_0_2", 400, 300, -0.2, 150, 5, {disc(-1, 150, 5), disc(399, 150, 5)}},
    {"right_395_none", 400, 300, 395, 150, 5, {disc(395, 150, 5)}},
    {"right_396", 400, 300, 396, 150, 5, {disc(396, 150, 5), disc(-4, 150, 5)}},
    {"left_5_none", 400, 300, 5, 150, 5, {disc(5, 150, 5)}},
    {"left_4", 400, 300, 4, 150, 5, {disc(4, 150, 5), disc(404, 150, 5)}},
    {"bottom_295_none", 400, 300, 200, 295, 5, {disc(200, 295, 5)}},
    {"bottom_296", 400, 300, 200, 296, 5, {disc(200, 296, 5), disc(200, -4, 5)}},
    {"top_5_none", 400, 300, 200, 5, 5, {disc(200, 5, 5)}},
    {"top_4", 400, 300, 200, 4, 5, {disc(200, 4, 5), disc(200, 304, 5)}},
    {"corner_diagonal_only", 400, 300, 398, 2, 5, {disc(398, 2, 5), disc(-2, 302, 5)}},
    {"rad_250_left_wins", 400, 600, 200, 300, 250, {disc(200, 300, 250), disc(600, 300, 250)}},
    {"W_683_5_at_681", 683.5f, 300, 681, 150, 5, {disc(681, 150, 5), disc(-2, 150, 5)}},
    {"W_683_5_at_680", 683.5f, 300, 680, 150, 5, {disc(680, 150, 5), disc(-4, 150, 5)}},
    {"far_out_not_drawn", 400, 300, 1e6, 150, 5, {}},
    // Edge sums of exactly 32767 and -32768 still fit 16 bits.
    {"right_edge_at_16_bit_limit", 400, 300, 32762, 150, 5,
     {disc(32762, 150, 5), disc(32362, 150, 5)}},
    {"left_edge_at_16_bit_limit", 400, 300, -32763, 150, 5,
     {disc(-32763, 150, 5), disc(-32363, 150, 5)}},
    {"edge_beyond_16_bits_not_drawn", 400, 300, 32767, 150, 5, {}},
    {"image_beyond_16_bits_dropped", 40000, 300, 4, 150, 5, {disc(4, 150, 5)}},
};

class Image : public testing::TestWithParam<ImageRow> {};

TEST_P(Image, OnlyInWrapAroundMode)
{
    const ImageRow& row = GetParam();
    fake::Ui ui;
    ui.picture1.w = row.W;
    ui.picture1.h = row.H;
    ui.form.mColor = 65535;
    ui.setEnsemble({{0, 0, row.x, row.y, 200, row.rad}});

    ui.form.pictSmlM(true);
    EXPECT_EQ(ui.picture1.circles, row.wrapped);
    ui.form.pictSmlM(false);
    EXPECT_EQ(ui.picture1.circles,
              std::vector(row.wrapped.begin(), row.wrapped.begin() + !row.wrapped.empty()));
    EXPECT_EQ(ui.picture1.clears, 2);
}

NAMED_ROWS(Image, kImageRows);

} // namespace
