// The canvas against the plain drawing, over random runs of frames as the
// scene draws them (a clear, then equal discs that move a little or jump),
// mixed with what a window does to it (a resize, pixels changed behind its
// back) and with what the scene never draws (discs without a clear, a second
// radius in one frame). After every frame the pixels must be the plain
// drawing's, the padding after each row untouched, and every changed pixel
// within the changes the canvas reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <vector>

#include "tests/support/named_rows.h"
#include "tests/support/raster_reference.h"
#include "ui/raster/picture.h"

namespace {

using raster::Pixel;
constexpr Pixel kBackground = 0xFF000000, kYellow = 0xFFFFFF00, kPadding = 0xFF123456;

struct Frames {
    const char* name;
    int maxWidth, maxHeight, molecules; // a resize keeps at least half of each side, or none
    std::vector<int> radii;             // the run's own first, then those it may change to
};

// Radii on both sides of the canvas's small-disc limit (32), in areas from
// none to 1,100 pixels wide, some dense enough that rows are covered early.
const Frames kRuns[] = {
    {"small_sparse", 640, 360, 60, {7, 0, 1, 32}}, {"small_dense", 300, 200, 400, {7, 32}},
    {"past_limit", 260, 200, 120, {33, 32, 40}},   {"large_dense", 400, 300, 250, {40, 33, 7}},
    {"largest_wide", 1100, 240, 30, {178, 90, 3}}, {"strip", 1100, 40, 200, {20, 33}},
    {"one_large", 200, 120, 1, {40, 33}}, // its colour changes with its radius, alone
    {"at_the_limit", 300, 200, 80, {32}},  // the largest drawn one by one
    {"limit_and_past", 640, 360, 100, {32, 33}}, // after discs drawn one by one, a union
};
void PrintTo(const Frames& run, std::ostream* os) { *os << run.name; }

class Canvas : public testing::TestWithParam<Frames> {
protected:
    const Frames& run = GetParam();
    std::mt19937 rng{20261210};
    raster::Canvas canvas;
    reference::Image image{run.maxWidth, run.maxHeight, kPadding, 3}, want = image;
    int radius = run.radii.front();
    bool holdsLast = false;
    struct Disc { int x, y, vx, vy; };
    std::vector<Disc> discs;

    int draw(int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); }

    void SetUp() override
    {
        for (int k = 0; k < run.molecules; ++k) {
            const int x = draw(-radius, run.maxWidth + radius), y = draw(-radius, run.maxHeight);
            discs.push_back({x, y, draw(-4, 4), draw(-4, 4)});
        }
    }

    // Something a window does, or a frame unlike a tick's: a new surface
    // that keeps what fits (0), pixels changed behind the canvas's back (1),
    // a new radius (2), discs over the last picture (3), a second radius in
    // one frame (4), a clear alone (5); then the frame, on the canvas and in
    // the plain drawing.
    void drawFrame(int event)
    {
        if (event == 0) {
            const int width = draw(0, 1) ? draw(run.maxWidth / 2, run.maxWidth) : 0;
            reference::Image fitted(width, draw(run.maxHeight / 2, run.maxHeight), kPadding, 3);
            reference::clear(fitted, kBackground);
            for (int y = 0; y < std::min(fitted.height, want.height); ++y)
                for (int x = 0; x < std::min(fitted.width, want.width); ++x)
                    fitted.at(x, y) = want.at(x, y);
            image = want = fitted;
            holdsLast = false;
        } else if (event == 1 && image.width > 0) {
            for (int k = 0; k < 50; ++k) {
                const int x = draw(0, image.width - 1), y = draw(0, image.height - 1);
                image.at(x, y) = want.at(x, y) = kYellow;
            }
            holdsLast = false;
        } else if (event == 2) {
            radius = run.radii[std::size_t(draw(0, int(run.radii.size()) - 1))];
        }
        if (event != 3) {
            canvas.clear(kBackground);
            reference::clear(want, kBackground);
        }
        for (Disc& d : discs) {
            const int r = event == 4 && &d == &discs.back() ? radius + 5 : radius;
            // One jump in four lands just off the left edge, where the disc's
            // middle row covers column 0 alone.
            const int jump = draw(0, 39);
            d.x = jump == 0 ? -r : jump < 4 ? draw(0, std::max(image.width, 1)) : d.x + d.vx;
            d.y = jump < 4 ? draw(0, std::max(image.height, 1)) : d.y + d.vy;
            const Pixel colour = r == radius ? kYellow : 0xFF00FF00; // a second run, once
            if (event != 5) {
                canvas.disc(d.x, d.y, r, colour);
                reference::disc(want, d.x, d.y, r, colour);
            }
        }
    }
};

TEST_P(Canvas, EveryFrameIsThePlainDrawing)
{
    int wholeFrames = 0; // written whole, or listed as changed everywhere
    for (int frame = 0; frame < 60; ++frame) {
        SCOPED_TRACE(frame);
        // Most frames are plain ones; every tenth has a second radius.
        drawFrame(frame % 10 == 9 ? 4 : draw(0, 19));
        const std::vector<Pixel> before = image.pixels;
        const raster::Canvas::Changes& changes = canvas.draw(image.surface(), holdsLast);
        holdsLast = true;
        ASSERT_EQ(image.pixels, want.pixels);
        wholeFrames += changes.everywhere;
        std::vector<bool> listed(image.pixels.size(), changes.everywhere);
        std::int64_t pixels = 0;
        for (const raster::Canvas::Box& b : changes.boxes) {
            ASSERT_TRUE(b.left >= 0 && b.left <= b.right && b.right < image.width);
            ASSERT_TRUE(b.top >= 0 && b.top <= b.bottom && b.bottom < image.height);
            for (int y = b.top; y <= b.bottom; ++y)
                for (int x = b.left; x <= b.right; ++x, ++pixels)
                    listed[std::size_t(y * image.stride + x)] = true;
        }
        EXPECT_EQ(changes.pixels, pixels);
        for (std::size_t i = 0; i < before.size(); ++i)
            ASSERT_TRUE(before[i] == image.pixels[i] || listed[i]) << "pixel " << i;
    }
    // A frame builds on the last one but after a new surface, memory changed
    // behind the canvas's back, a new radius of small discs or a frame that
    // was not one union after a clear.
    EXPECT_LT(wholeFrames, 30);
}

NAMED_ROWS(Canvas, kRuns);

// The picture as the front ends keep it, a frame at a time.
class Picture : public testing::Test {
protected:
    struct Disc { float x, y, r; };
    // One radius, as a tick draws, and large enough to be drawn as a union.
    std::vector<Disc> discs{{20.4f, 30, 40}, {95, 3, 40}, {160, 79.5f, 40}};
    raster::Picture picture;

    void draw()
    {
        picture.clear(kBackground);
        for (const Disc& d : discs)
            picture.disc(d.x, d.y, d.r, kYellow);
    }
    std::vector<Pixel> pixels() const
    {
        const raster::Surface& s = picture.pixels();
        return std::vector<Pixel>(s.pixels, s.pixels + s.width * s.height);
    }
    // The discs drawn plainly on `w` x `h` device pixels at `ratio`.
    std::vector<Pixel> drawn(int w, int h, float ratio) const
    {
        reference::Image want(w, h, kBackground);
        for (const Disc& d : discs)
            if (const auto device = raster::toDevicePixels(d.x, d.y, d.r, ratio))
                reference::disc(want, device->x, device->y, device->radius, kYellow);
        return want.pixels;
    }
};

// A new size keeps the pixels where they fit; a new ratio draws the picture
// anew at it.
TEST_F(Picture, ANewSizeKeepsThePixelsANewRatioDrawsThemAnew)
{
    draw();
    EXPECT_TRUE(picture.wanted());
    EXPECT_TRUE(picture.frame(100, 80, 1).whole);
    EXPECT_FALSE(picture.wanted());
    EXPECT_EQ(pixels(), drawn(100, 80, 1));

    const std::vector<Pixel> before = pixels();
    reference::Image kept(70, 90, kBackground);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 70; ++x)
            kept.at(x, y) = before[std::size_t(y * 100 + x)];
    EXPECT_TRUE(picture.frame(70, 90, 1).whole);
    EXPECT_EQ(pixels(), kept.pixels);

    EXPECT_TRUE(picture.frame(140, 180, 2).whole);
    EXPECT_EQ(pixels(), drawn(140, 180, 2));
    EXPECT_TRUE(picture.frame(140, 180, 2).empty());
}

// A large disc that moves a pixel changes a thin crescent: what shows is the
// tiles along its edge, not its box (nor anything left of it).
TEST_F(Picture, AMovedDiscShowsWhereItChanged)
{
    draw();
    picture.frame(800, 600, 2);
    discs[2].x += 1;
    draw();
    const raster::Picture::Shown moved = picture.frame(800, 600, 2);
    std::int64_t shown = 0;
    for (const raster::Canvas::Box& b : moved.boxes)
        shown += std::int64_t{b.right - b.left + 1} * (b.bottom - b.top + 1);
    EXPECT_FALSE(moved.whole);
    EXPECT_GT(shown, 0);
    EXPECT_LT(shown, 161 * 161);
    EXPECT_EQ(pixels(), drawn(800, 600, 2));
}

// Boxes are shown while they and an allowance for each cover at most half
// of the picture: here one tile and its allowance, (256 + 1024) * 2 = 2560
// of 3072 pixels.
TEST_F(Picture, BoxesUpToHalfThePicture)
{
    discs = {{8, 8, 1}};
    draw();
    picture.frame(64, 48, 1);
    discs[0].x += 1;
    draw();
    EXPECT_FALSE(picture.frame(64, 48, 1).whole);
}

// A disc in a widget's pixels to whole device pixels: each to the nearest
// (halves away from zero), the radius capped, a centre far out held where no
// sum with it overflows, and nothing for a disc that is not finite.
TEST(DevicePixels, NearestCappedOrNone)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    using Want = std::optional<std::array<int, 3>>;
    const struct { float x, y, r, ratio; Want want; } rows[] = {
        {10.4f, 2.5f, 7.5f, 1, Want{{10, 3, 8}}},
        {10.4f, -2.5f, 7, 2, Want{{21, -5, 14}}},
        {1e30f, -1e30f, -1e30f, 1, Want{{1 << 25, -(1 << 25), raster::kMaxRadius}}},
        {kNaN, 0, 1, 1, std::nullopt}, {0, kInf, 1, 1, std::nullopt}, {0, 0, kNaN, 1, std::nullopt},
    };
    for (const auto& row : rows) {
        const auto got = raster::toDevicePixels(row.x, row.y, row.r, row.ratio);
        EXPECT_EQ((got ? Want{{got->x, got->y, got->radius}} : std::nullopt), row.want) << row.x;
    }
}

} // namespace
