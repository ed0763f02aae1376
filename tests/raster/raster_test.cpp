// The drawing area's canvas: the disc has the shape worked out by hand, and
// a frame as the scene draws it, however the canvas gets there (runs of
// equal discs drawn as one union, a frame written only where it differs from
// the last), shows exactly the union of its discs and lists every pixel it
// changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "tests/support/named_rows.h"
#include "ui/raster/raster.h"

namespace {

using raster::Pixel;

constexpr Pixel kBlack = 0xFF000000, kRed = 0xFFFF0000, kYellow = 0xFFFFFF00;
// What the memory holds before the first clear. No operation draws it, so it
// also marks the padding after every row, as an image with a wider stride has.
constexpr Pixel kUntouched = 0x12345678;
constexpr int kPadding = 3;

// Rows are |dx| <= floor(sqrt(r*r + r - dy*dy)); radius 7 has half-widths
// 7 7 7 6 6 5 4 2 for dy = 0..7: 15 + 2 * 81 = 177 pixels, 40 on its rim.
struct ShapeRow { const char* name; int radius, disc, ring; };

const ShapeRow kShapeRows[] = {
    {"r0", 0, 1, 1}, {"r1", 1, 9, 8}, {"r2", 2, 21, 12}, {"r7", 7, 177, 40}};

class DiscShape : public testing::TestWithParam<ShapeRow> {};

TEST_P(DiscShape, PixelCountsWorkedOutByHand)
{
    const ShapeRow& row = GetParam();
    const int side = 2 * row.radius + 3; // a free pixel all round
    for (const bool filled : {true, false}) {
        std::vector<Pixel> memory(static_cast<std::size_t>(side * side), kBlack);
        const raster::Surface surface{memory.data(), side, side, side};
        raster::Canvas canvas;
        canvas.circle(surface, row.radius + 1, row.radius + 1, row.radius, kYellow, filled, kRed);
        canvas.flush(surface);
        EXPECT_EQ(std::ranges::count(memory, kYellow), row.ring);
        EXPECT_EQ(std::ranges::count(memory, kRed), filled ? row.disc - row.ring : 0);
    }
}

NAMED_ROWS(DiscShape, kShapeRows);

// Frames on areas from no pixels to a full window: discs from well inside to
// well outside move a little from frame to frame; now and then a frame is
// drawn again unchanged, in another radius or colour, or over memory changed
// behind the canvas's back.
TEST(Canvas, ShowsTheUnionOfTheDiscsAndListsEveryChange)
{
    std::mt19937 rng(12345u);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
    const auto chance = [&](int percent) { return pick(1, 100) <= percent; };
    std::vector<raster::Canvas::Box> tiles;
    for (int run = 0; run < 300; ++run) {
        const int w = run % 10 == 0 ? run % 3 : chance(20) ? pick(1, 70) : pick(100, 1100);
        const int h = run % 10 == 0 ? run % 4 : chance(20) ? pick(1, 40) : pick(100, 400);
        const int stride = w + kPadding;
        std::vector<Pixel> memory(static_cast<std::size_t>(stride * h), kUntouched);
        // A surface of no pixels may well come with no memory.
        const raster::Surface surface{memory.empty() ? nullptr : memory.data(), w, h, stride};
        raster::Canvas canvas;
        const auto radius = [&] { return chance(10) ? pick(0, 3) : pick(1, 178); };
        int r = radius();
        std::vector<std::pair<int, int>> discs(static_cast<std::size_t>(pick(0, 100)));
        for (auto& [x, y] : discs)
            x = pick(-2 * r, w + 2 * r), y = pick(-2 * r, h + 2 * r);
        for (int frame = 0; frame < 6; ++frame) {
            if (chance(5)) { // as a resize does
                std::ranges::fill(memory, kUntouched);
                canvas.forget();
            }
            const std::vector<Pixel> before = memory;
            const bool again = chance(15);
            r = chance(10) ? radius() : r; // small discs are drawn one by one, large ones compared
            for (auto& [x, y] : discs)
                x += again ? 0 : pick(-3, 3), y += again ? 0 : pick(-3, 3);
            const Pixel background = chance(90) ? kBlack : kRed, disc = chance(5) ? kRed : kYellow;
            canvas.takeChanges();
            canvas.clear(background);
            for (const auto& [x, y] : discs)
                canvas.circle(surface, x, y, r, disc, true, disc);
            canvas.flush(surface);

            std::vector<Pixel> want(memory.size(), kUntouched);
            for (int y = 0; y < h; ++y)
                std::fill_n(want.begin() + y * stride, w, background);
            for (const auto& [cx, cy] : discs)
                for (int y = std::max(cy - r, 0); y <= std::min(cy + r, h - 1); ++y)
                    for (int x = std::max(cx - r, 0); x <= std::min(cx + r, w - 1); ++x)
                        if (raster::insideDisc(x - cx, y - cy, r))
                            want[static_cast<std::size_t>(y * stride + x)] = disc;
            ASSERT_TRUE(memory == want) << w << " x " << h << ", frame " << frame;
            if (canvas.changedEverywhere())
                continue;
            canvas.changedTiles(tiles);
            const auto listed = [&](int x, int y) {
                return std::ranges::any_of(tiles, [&](const raster::Canvas::Box& b) {
                    return b.left <= x && x <= b.right && b.top <= y && y <= b.bottom;
                });
            };
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const auto at = static_cast<std::size_t>(y * stride + x);
                    ASSERT_TRUE(memory[at] == before[at] || listed(x, y)) << x << ", " << y;
                }
        }
    }
}

} // namespace
