// The canvas against the plain drawing: random runs of frames as the scene
// draws them (a clear, then equal discs that move a little or jump), mixed
// with what a window does to it (a resize, pixels changed behind its back)
// and with what the scene never draws (discs without a clear, two radii in
// one frame). After every frame the pixels must be the plain drawing's, the
// padding after each row untouched, and every changed pixel within the
// changes the canvas reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <vector>

#include "tests/support/named_rows.h"
#include "tests/support/raster_reference.h"

namespace {

using raster::Pixel;

constexpr Pixel kBackground = 0xFF000000;
constexpr Pixel kYellow = 0xFFFFFF00;
constexpr Pixel kPadding = 0xFF123456;
constexpr int kPaddingPixels = 3;
constexpr int kFrames = 60;

struct Frames {
    const char* name;
    int maxWidth; // areas are drawn from half of it to all of it, and 0
    int maxHeight;
    int molecules;
    std::vector<int> radii; // the first is the run's own; a change picks another
};

// Radii on both sides of the canvas's small-disc limit (32), in areas from
// none to 1,100 pixels wide; dense enough that rows are covered early.
const Frames kRuns[] = {
    {"small_sparse", 640, 360, 60, {7, 0, 1, 32}},
    {"small_dense", 300, 200, 400, {7, 32}},
    {"limit_and_past", 260, 200, 120, {33, 32, 40}},
    {"large_dense", 400, 300, 250, {40, 33, 7}},
    {"largest_wide", 1100, 240, 30, {178, 90, 3}},
    {"strip", 1100, 40, 200, {20, 33}},
};

void PrintTo(const Frames& run, std::ostream* os) { *os << run.name; }

class Canvas : public testing::TestWithParam<Frames> {};

struct Disc {
    int x, y, vx, vy;
};

TEST_P(Canvas, EveryFrameIsThePlainDrawing)
{
    const Frames& run = GetParam();
    std::mt19937 rng(20261210);
    const auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };

    raster::Canvas canvas;
    reference::Image image(run.maxWidth, run.maxHeight, kPadding, kPaddingPixels);
    reference::Image want = image;
    int radius = run.radii.front();
    bool holdsLast = false;
    std::vector<Disc> discs(static_cast<std::size_t>(run.molecules));
    for (Disc& d : discs) {
        d.x = uniform(-radius, run.maxWidth + radius);
        d.y = uniform(-radius, run.maxHeight + radius);
        d.vx = uniform(-4, 4);
        d.vy = uniform(-4, 4);
    }
    const auto ask = [&](const Disc& d, int r, Pixel colour) {
        canvas.disc(d.x, d.y, r, colour);
        reference::disc(want, d.x, d.y, r, colour);
    };

    for (int frame = 0; frame < kFrames; ++frame) {
        SCOPED_TRACE(frame);
        const int event = uniform(0, 19);
        if (event == 0) { // a resize: a new surface that keeps what fits
            const int width = uniform(0, 1) ? uniform(run.maxWidth / 2, run.maxWidth) : 0;
            const int height = uniform(run.maxHeight / 2, run.maxHeight);
            reference::Image fitted(width, height, kPadding, kPaddingPixels);
            reference::clear(fitted, kBackground);
            for (int y = 0; y < std::min(height, want.height); ++y)
                for (int x = 0; x < std::min(width, want.width); ++x)
                    fitted.at(x, y) = want.at(x, y);
            image = want = fitted;
            holdsLast = false;
        } else if (event == 1 && image.width > 0) { // pixels changed behind its back
            for (int k = 0; k < 50; ++k) {
                const int x = uniform(0, image.width - 1);
                const int y = uniform(0, image.height - 1);
                image.at(x, y) = want.at(x, y) = kYellow;
            }
            holdsLast = false;
        } else if (event == 2) {
            radius = run.radii[static_cast<std::size_t>(uniform(0, int(run.radii.size()) - 1))];
        }
        for (Disc& d : discs) {
            const bool jump = uniform(0, 9) == 0;
            d.x = jump ? uniform(0, std::max(image.width, 1)) : d.x + d.vx;
            d.y = jump ? uniform(0, std::max(image.height, 1)) : d.y + d.vy;
        }

        if (event != 3) { // once in a while, discs over the last picture
            canvas.clear(kBackground);
            reference::clear(want, kBackground);
        }
        const std::size_t shown = event == 4 ? 0 : discs.size(); // a clear alone
        for (std::size_t k = 0; k < shown; ++k)
            ask(discs[k], radius, kYellow);
        if (event == 5) // another radius and colour after the run
            ask(discs.front(), radius + 5, 0xFF00FF00);

        const std::vector<Pixel> before = image.pixels;
        const raster::Canvas::Changes& changes = canvas.draw(image.surface(), holdsLast);
        holdsLast = true;
        ASSERT_EQ(image.pixels, want.pixels);
        if (changes.everywhere)
            continue;
        std::vector<bool> listed(image.pixels.size());
        std::int64_t pixels = 0;
        for (const raster::Canvas::Box& b : changes.boxes) {
            ASSERT_TRUE(b.left >= 0 && b.left <= b.right && b.right < image.width);
            ASSERT_TRUE(b.top >= 0 && b.top <= b.bottom && b.bottom < image.height);
            for (int y = b.top; y <= b.bottom; ++y)
                for (int x = b.left; x <= b.right; ++x, ++pixels)
                    listed[static_cast<std::size_t>(y * image.stride + x)] = true;
        }
        EXPECT_EQ(changes.pixels, pixels);
        for (std::size_t i = 0; i < before.size(); ++i)
            ASSERT_TRUE(before[i] == image.pixels[i] || listed[i]) << "pixel " << i;
    }
}

NAMED_ROWS(Canvas, kRuns);

} // namespace
