// The fast canvas (runs of equal discs drawn as one union, a frame written
// only where it differs from the last) must show exactly what the obvious
// one-at-a-time drawing shows; and the disc itself must have the shape worked
// out by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <utility>
#include <vector>

#include "reference.h"

namespace {

using raster::Pixel;

constexpr Pixel kBlack = 0xFF000000;
constexpr Pixel kRed = 0xFFFF0000;
constexpr Pixel kYellow = 0xFFFFFF00;
// What the memory holds before the first clear. No operation draws it, so it
// also marks the padding after every row, as an image with a wider stride has.
constexpr Pixel kUntouched = 0x12345678;
constexpr int kPaddingPixels = 3;
constexpr int kLargestSceneRadius = 178; // mass 100000

// The same operations on the canvas and on the reference, in equal memory.
struct Both {
    int w;
    int h;
    reference::Image slow{w, h, kUntouched, kPaddingPixels};
    reference::Image fast = slow;
    raster::Canvas canvas{};

    raster::Surface surface()
    {
        // A surface of no pixels may well come with no memory.
        return {fast.pixels.empty() ? nullptr : fast.pixels.data(), w, h, fast.stride};
    }
    void clear(Pixel colour)
    {
        canvas.clear(colour);
        reference::clear(slow, colour);
    }
    void circle(int x, int y, int r, Pixel outline, bool filled, Pixel fill)
    {
        canvas.circle(surface(), x, y, r, outline, filled, fill);
        reference::circle(slow, x, y, r, outline, filled, fill);
    }
    // After a flush, where the canvas's memory first differs; -1 if nowhere.
    std::ptrdiff_t firstDifference()
    {
        canvas.flush(surface());
        const auto& [at, _] = std::ranges::mismatch(fast.pixels, slow.pixels);
        return at == fast.pixels.end() ? -1 : at - fast.pixels.begin();
    }
};

TEST(DiscShape, PixelCountsWorkedOutByHand)
{
    // Rows are |dx| <= floor(sqrt(r*r + r - dy*dy)); radius 7 has half-widths
    // 7 7 7 6 6 5 4 2 for dy = 0..7: 15 + 2 * 81 = 177 pixels.
    const struct {
        int radius, disc, ring;
    } cases[] = {{0, 1, 1}, {1, 9, 8}, {2, 21, 12}, {7, 177, 40}};
    for (const auto& c : cases) {
        for (const bool filled : {true, false}) {
            Both both{2 * c.radius + 3, 2 * c.radius + 3}; // a free pixel all round
            both.circle(c.radius + 1, c.radius + 1, c.radius, kYellow, filled, kYellow);
            ASSERT_EQ(both.firstDifference(), -1) << "radius " << c.radius;
            EXPECT_EQ(std::ranges::count(both.fast.pixels, kYellow), filled ? c.disc : c.ring)
                << "radius " << c.radius << (filled ? " disc" : " outline");
        }
    }
}

// Frames as the scene draws them: mostly a clear, then equal discs from well
// inside to well outside the area, wrap-around images a width or a height away
// among them; now and then something else in between.
TEST(Canvas, MatchesTheOneAtATimeDrawingOnRandomFrames)
{
    std::mt19937 rng(12345u);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
    const auto chance = [&](int percent) { return pick(1, 100) <= percent; };
    const auto anywhere = [&](int lo, int hi) { // sometimes at the ends of int
        return chance(90) ? pick(lo, hi) : chance(50) ? INT_MIN : INT_MAX;
    };
    // Sizes without pixels, single rows and columns, rows ending at or near a
    // 64-bit word's edge, many small areas and a few large ones.
    std::vector<std::pair<int, int>> sizes;
    for (int k = 0; k < 40; ++k) {
        sizes.insert(sizes.end(), {{0, 0}, {0, 7}, {9, 0}, {1, 1}, {50, 1}, {1, 40}, {63, 5}});
        sizes.insert(sizes.end(), {{64, 5}, {pick(1, 8), pick(1, 8)}});
        sizes.push_back({pick(1, 200), pick(1, 150)});
    }
    for (int k = 0; k < 5; ++k)
        sizes.insert(sizes.end(), {{668, 344}, {pick(600, 1300), pick(300, 800)}});

    for (const auto& [w, h] : sizes) {
        Both both{w, h};
        for (int frame = 0; frame < 4; ++frame) {
            if (chance(10)) { // other memory, as a resized image has
                both.fast = reference::Image{w, h, kUntouched, kPaddingPixels};
                both.slow = both.fast;
            }
            const int r = chance(10) ? pick(0, 3) : pick(1, kLargestSceneRadius);
            // Half the frames crowd the area, so that many discs share a row.
            const int reach = r + (chance(50) ? 2 * kLargestSceneRadius : 0);
            if (chance(80))
                both.clear(chance(50) ? kBlack : kRed);
            for (int n = chance(5) ? 0 : pick(1, 120); n > 0; --n) {
                int x = pick(-reach, w + reach);
                int y = pick(-reach, h + reach);
                if (chance(20)) { // an image a width or a height over, as wrapping draws
                    x += chance(50) ? w : -w;
                    y += chance(50) ? h : -h;
                }
                both.circle(x, y, r, kYellow, true, kYellow);
                // One disc in fifty is followed by something else: a hollow
                // circle, one in two colours, one in another colour, a clear,
                // or another radius.
                const int odd = chance(2) ? pick(0, 4) : -1;
                if (odd == 3)
                    both.clear(kBlack);
                else if (odd >= 0)
                    both.circle(anywhere(-20, w + 20), anywhere(-20, h + 20), anywhere(-40, 40),
                                odd == 2 ? kRed : kYellow, odd != 0,
                                odd == 1 || odd == 2 ? kRed : kYellow);
            }
            ASSERT_EQ(both.firstDifference(), -1) << w << " x " << h << ", frame " << frame;
        }
    }
}

// Frames of discs that move a little, as the scene's do. Every pixel that
// differs from the picture at the last take of the record lies in a listed
// tile, unless the record says "everywhere"; the tiles are a valid banded
// region; and a frame drawn again unchanged lists nothing.
TEST(Canvas, ChangedTilesCoverEveryChangedPixel)
{
    std::mt19937 rng(777u);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
    const auto chance = [&](int percent) { return pick(1, 100) <= percent; };
    std::vector<raster::Canvas::Box> rects;
    int listed = 0;
    for (int run = 0; run < 200; ++run) {
        const int w = chance(20) ? pick(1, 40) : pick(100, 700);
        const int h = chance(20) ? pick(1, 40) : pick(100, 400);
        const int r = chance(10) ? pick(0, 3) : pick(1, 40);
        std::vector<std::pair<int, int>> discs(static_cast<std::size_t>(pick(0, 60)));
        for (auto& [x, y] : discs)
            x = pick(-r, w + r), y = pick(-r, h + r);
        Both both{w, h};
        for (int frame = 0; frame < 8; ++frame) {
            both.canvas.flush(both.surface());
            const std::vector<Pixel> before = both.fast.pixels;
            both.canvas.takeChanges();
            const bool again = chance(15);
            if (!again)
                for (auto& [x, y] : discs)
                    x += pick(-3, 3), y += pick(-3, 3);
            if (again || chance(90))
                both.clear(chance(95) ? kBlack : kRed);
            for (const auto& [x, y] : discs) {
                both.circle(x, y, r, kYellow, true, kYellow);
                if (!again && chance(1))
                    both.circle(x, y, r, kRed, false, kRed);
            }
            ASSERT_EQ(both.firstDifference(), -1);
            if (both.canvas.changedEverywhere())
                continue;
            ++listed;
            const std::int64_t covered = both.canvas.changedTiles(rects);
            std::int64_t counted = 0;
            for (std::size_t k = 0; k < rects.size(); ++k) {
                const raster::Canvas::Box& b = rects[k];
                ASSERT_TRUE(0 <= b.left && b.left <= b.right && b.right < w);
                ASSERT_TRUE(0 <= b.top && b.top <= b.bottom && b.bottom < h);
                counted += (std::int64_t{b.right} - b.left + 1) * (b.bottom - b.top + 1);
                if (k > 0) {
                    const raster::Canvas::Box& a = rects[k - 1];
                    // Same band: same rows, apart; else the next band below.
                    if (a.top == b.top)
                        ASSERT_TRUE(a.bottom == b.bottom && a.right + 1 < b.left);
                    else
                        ASSERT_GT(b.top, a.bottom);
                }
            }
            ASSERT_EQ(covered, counted);
            if (again && before == both.fast.pixels) {
                ASSERT_EQ(covered, 0);
            }
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const auto at = static_cast<std::size_t>(y * both.fast.stride + x);
                    if (both.fast.pixels[at] == before[at])
                        continue;
                    ASSERT_TRUE(std::ranges::any_of(rects, [&](const raster::Canvas::Box& b) {
                        return b.left <= x && x <= b.right && b.top <= y && y <= b.bottom;
                    })) << x << ", " << y << " of " << w << "x" << h;
                }
        }
    }
    EXPECT_GT(listed, 500); // the record is not just "everywhere"
}

} // namespace
