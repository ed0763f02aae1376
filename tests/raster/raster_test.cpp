// The drawing area's canvas. The disc has the shape worked out by hand; the
// fast canvas (runs of equal discs drawn as one union, a frame written only
// where it differs from the last) shows exactly what drawing one operation
// at a time shows, and lists every pixel it changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <utility>
#include <vector>

#include "tests/support/named_rows.h"
#include "tests/support/raster_reference.h"

namespace {

using raster::Pixel;

constexpr Pixel kBlack = 0xFF000000, kRed = 0xFFFF0000, kYellow = 0xFFFFFF00;
// What the memory holds before the first clear. No operation draws it, so it
// also marks the padding after every row, as an image with a wider stride has.
constexpr Pixel kUntouched = 0x12345678;

// The same operations on the canvas and on the reference, in equal memory.
struct Both {
    int w, h;
    reference::Image slow{w, h, kUntouched, 3};
    reference::Image fast = slow;
    raster::Canvas canvas{};

    raster::Surface surface()
    {
        // A surface of no pixels may well come with no memory.
        return {fast.pixels.empty() ? nullptr : fast.pixels.data(), w, h, fast.stride};
    }
    void clear(Pixel colour) { canvas.clear(colour), reference::clear(slow, colour); }
    void circle(int x, int y, int r, Pixel outline, bool filled, Pixel fill)
    {
        canvas.circle(surface(), x, y, r, outline, filled, fill);
        reference::circle(slow, x, y, r, outline, filled, fill);
    }
    bool same()
    {
        canvas.flush(surface());
        return fast.pixels == slow.pixels;
    }
};

// Rows are |dx| <= floor(sqrt(r*r + r - dy*dy)); radius 7 has half-widths
// 7 7 7 6 6 5 4 2 for dy = 0..7: 15 + 2 * 81 = 177 pixels, 40 on its rim.
struct ShapeRow { const char* name; int radius, disc, ring; };

const ShapeRow kShapeRows[] = {
    {"r0", 0, 1, 1}, {"r1", 1, 9, 8}, {"r2", 2, 21, 12}, {"r7", 7, 177, 40}};

class DiscShape : public testing::TestWithParam<ShapeRow> {};

TEST_P(DiscShape, PixelCountsWorkedOutByHand)
{
    const ShapeRow& row = GetParam();
    for (const bool filled : {true, false}) {
        Both both{2 * row.radius + 3, 2 * row.radius + 3}; // a free pixel all round
        both.circle(row.radius + 1, row.radius + 1, row.radius, kYellow, filled, kYellow);
        ASSERT_TRUE(both.same());
        EXPECT_EQ(std::ranges::count(both.fast.pixels, kYellow), filled ? row.disc : row.ring);
    }
}

NAMED_ROWS(DiscShape, kShapeRows);

// Frames as the scene draws them, on areas from no pixels to a full window:
// a clear, then equal discs that move a little from frame to frame, from well
// inside to well outside; now and then a frame drawn again unchanged, discs
// of another radius or colour, memory changed behind the canvas's back, or
// another circle or a clear in between.
TEST(Canvas, MatchesTheOneAtATimeDrawingAndListsEveryChange)
{
    std::mt19937 rng(12345u);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
    const auto chance = [&](int percent) { return pick(1, 100) <= percent; };
    std::vector<raster::Canvas::Box> tiles;
    for (int run = 0; run < 300; ++run) {
        const int w = run % 10 == 0 ? run % 3 : chance(20) ? pick(1, 70) : pick(100, 1100);
        const int h = run % 10 == 0 ? run % 4 : chance(20) ? pick(1, 40) : pick(100, 400);
        const auto radius = [&] { return chance(10) ? pick(0, 3) : pick(1, 178); };
        int r = radius();
        std::vector<std::pair<int, int>> discs(static_cast<std::size_t>(pick(0, 100)));
        for (auto& [x, y] : discs)
            x = pick(-2 * r, w + 2 * r), y = pick(-2 * r, h + 2 * r);
        Both both{w, h};
        for (int frame = 0; frame < 6; ++frame) {
            if (chance(5)) { // pixels changed behind the canvas, as a resize does
                both.fast = both.slow = reference::Image{w, h, kUntouched, 3};
                both.canvas.forget();
            }
            const std::vector<Pixel> before = both.fast.pixels;
            both.canvas.takeChanges();
            const bool again = chance(15);
            r = chance(10) ? radius() : r; // small discs drawn one by one, large ones compared
            const Pixel disc = chance(5) ? kRed : kYellow;
            for (auto& [x, y] : discs)
                x += again ? 0 : pick(-3, 3), y += again ? 0 : pick(-3, 3);
            both.clear(chance(90) ? kBlack : kRed);
            for (const auto& [x, y] : discs) {
                both.circle(x, y, r, disc, true, disc);
                if (chance(1)) // a hollow circle, one in two colours, or a clear
                    pick(0, 2) == 0 ? both.clear(kBlack)
                                    : both.circle(pick(INT_MIN, INT_MAX), y, pick(-40, 40), kRed,
                                                  chance(50), kYellow);
            }
            ASSERT_TRUE(both.same()) << w << " x " << h << ", frame " << frame;
            if (both.canvas.changedEverywhere())
                continue;
            both.canvas.changedTiles(tiles);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const auto at = static_cast<std::size_t>(y * both.fast.stride + x);
                    ASSERT_TRUE(both.fast.pixels[at] == before[at] ||
                                std::ranges::any_of(tiles, [&](const raster::Canvas::Box& b) {
                                    return b.left <= x && x <= b.right && b.top <= y &&
                                           y <= b.bottom;
                                }))
                        << x << ", " << y << " of " << w << " x " << h;
                }
        }
    }
}

} // namespace
