// Drawing the scene (pictSmlM) and one disc with its wrap-around image
// (myCirc), as the recording picture box sees them.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fake_toolkit.h"

namespace {

using fake::molecule;

// A yellow solid disc, as every circle of the scene must be.
fake::Circle disc(float x, float y, float r) { return {x, y, r, 65535, true, 65535}; }

// A loaded form whose drawing area is 400 x 300.
struct DrawingTest : testing::Test {
    fake::Ui ui;
    Form1& form = ui.form;
    DrawingTest()
    {
        form.Form_Load();
        ui.picture1.w = 400;
        ui.picture1.h = 300;
    }
};

TEST_F(DrawingTest, CentresAreFlooredNotRounded)
{
    const struct { const char* name; double x, y; float drawnX, drawnY; } cases[] = {
        {"fraction_dropped", 10.7, 20.2, 10, 20},
        {"just_below_0_is_minus_1", -0.2, 50, -1, 50},
        {"minus_half_down", 12.9, -0.5, 12, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::setEnsemble(form, {molecule(c.x, c.y, 0, 0, 5)});
        form.pictSmlM(false);
        EXPECT_EQ(ui.picture1.circles, std::vector{disc(c.drawnX, c.drawnY, 5)});
    }
}

TEST_F(DrawingTest, ClearsThenDrawsInIndexOrderEachDiscFilledAfresh)
{
    // Molecule 0 crosses the right edge, so its image comes before molecule 1.
    fake::setEnsemble(form, {molecule(398, 100, 0, 0, 5), molecule(50, 60, 0, 0, 5),
                             molecule(50, 60, 0, 0, 7)});
    ui.record();
    form.pictSmlM(true);

    const std::string fill[] = {"picture1.setFillStyleSolid", "picture1.setFillColor 65535"};
    const std::vector<std::string> expected{
        "picture1.cls",    fill[0], fill[1], "picture1.circle", "picture1.circle",
        fill[0], fill[1], "picture1.circle", fill[0],           fill[1], "picture1.circle"};
    EXPECT_EQ(ui.journal.entries, expected);
    EXPECT_EQ(ui.picture1.circles,
              (std::vector{disc(398, 100, 5), disc(-2, 100, 5), disc(50, 60, 5), disc(50, 60, 7)}));
}

TEST_F(DrawingTest, EmptyEnsembleOnlyClears)
{
    ui.record();
    form.pictSmlM(true);
    EXPECT_EQ(ui.journal.entries, std::vector<std::string>{"picture1.cls"});
}

struct ImageCase {
    const char* name;
    float W, H;
    std::int16_t inX, inY, rad;
    bool image;
    float imageX, imageY;
};
void PrintTo(const ImageCase& c, std::ostream* os) { *os << c.name; }

const ImageCase kImageCases[] = {
    {"touching_right_edge", 400, 300, 395, 150, 5, false, 0, 0},
    {"crossing_right_edge", 400, 300, 396, 150, 5, true, -4, 150},
    {"touching_left_edge", 400, 300, 5, 150, 5, false, 0, 0},
    {"crossing_left_edge", 400, 300, 4, 150, 5, true, 404, 150},
    {"touching_bottom_edge", 400, 300, 200, 295, 5, false, 0, 0},
    {"crossing_bottom_edge", 400, 300, 200, 296, 5, true, 200, -4},
    {"touching_top_edge", 400, 300, 200, 5, 5, false, 0, 0},
    {"crossing_top_edge", 400, 300, 200, 4, 5, true, 200, 304},
    {"corner_gets_one_diagonal_image", 400, 300, 398, 2, 5, true, -2, 302},
    {"wider_than_area_left_test_wins", 400, 600, 200, 300, 250, true, 600, 300},
    {"half_pixel_width_ties_to_even_up", 683.5f, 300, 681, 150, 5, true, -2, 150},
    {"half_pixel_width_ties_to_even_down", 683.5f, 300, 680, 150, 5, true, -4, 150},
    {"far_outside_shifted_once", 400, 300, 1000, 150, 5, true, 600, 150},
    {"image_beyond_16_bits_dropped", 40000, 300, 4, 150, 5, false, 0, 0},
};

class ImageTest : public testing::TestWithParam<ImageCase> {};

TEST_P(ImageTest, SecondDiscOnTheOppositeSide)
{
    const ImageCase& c = GetParam();
    fake::Ui ui;
    ui.picture1.w = c.W;
    ui.picture1.h = c.H;
    const fake::Circle own = disc(c.inX, c.inY, c.rad);

    ui.form.myCirc(c.inX, c.inY, c.rad, 65535, true);
    std::vector<fake::Circle> expected{own};
    if (c.image)
        expected.push_back(disc(c.imageX, c.imageY, c.rad));
    EXPECT_EQ(ui.picture1.circles, expected);

    // The edge tests run in both modes; only the drawing of the image waits for wrap-around.
    ui.picture1.cls();
    ui.form.myCirc(c.inX, c.inY, c.rad, 65535, false);
    EXPECT_EQ(ui.picture1.circles, std::vector{own});
}

INSTANTIATE_TEST_SUITE_P(Edges, ImageTest, testing::ValuesIn(kImageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DrawingTest, MoleculesBeyond16BitsAreSkipped)
{
    const struct { const char* name; double x, y; bool drawn; } cases[] = {
        {"a_million_across", 1e6, 150, false},   {"a_million_down", 200, 1e6, false},
        {"past_16_bits", 40000, 150, false},     {"below_16_bits", -40000, 150, false},
        {"edge_sum_past_16_bits", 32767, 150, false},
        {"edge_difference_below_16_bits", -32768, 150, false},
        {"edge_sum_just_fits", 32762, 150, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::setEnsemble(form, {molecule(100, 100, 0, 0, 5), molecule(c.x, c.y, 0, 0, 5),
                                 molecule(200, 100, 0, 0, 5)});
        form.pictSmlM(true);
        const auto& circles = ui.picture1.circles;
        // A far disc that is drawn brings its image along.
        ASSERT_EQ(circles.size(), c.drawn ? 4u : 2u);
        EXPECT_EQ(circles.front(), disc(100, 100, 5));
        EXPECT_EQ(circles.back(), disc(200, 100, 5));
    }
}

} // namespace
