// The drawing area's rasterizer: the disc's shape, the outline, and the fast
// canvas (runs of equal discs drawn as one union) against the obvious
// pixel-by-pixel drawing over many random frames.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "reference.h"
#include "ui/toolkit/raster.h"

namespace {

using raster::Pixel;

constexpr Pixel kBlack = 0xFF000000;
constexpr Pixel kYellow = 0xFFFFFF00;
constexpr Pixel kRed = 0xFFFF0000;
constexpr Pixel kBlue = 0xFF0000FF;
// Never drawn: marks the pixels between the end of a row and the next row,
// which the canvas must leave alone.
constexpr Pixel kPadding = 0x12345678;
constexpr int kPaddingPixels = 3;
// The largest radius the scene draws (mass 100000).
constexpr int kLargestSceneRadius = 178;

// Pixels with a gap after every row, as an image with a wider stride has.
struct Padded {
    int width;
    int height;
    std::vector<Pixel> pixels;

    Padded(int w, int h, Pixel colour)
        : width(w), height(h),
          pixels(static_cast<std::size_t>(w + kPaddingPixels) * static_cast<std::size_t>(h),
                 kPadding)
    {
        for (int y = 0; y < h; ++y)
            std::fill_n(row(y), w, colour);
    }
    Pixel* row(int y)
    {
        return pixels.data() + static_cast<std::ptrdiff_t>(y) * (width + kPaddingPixels);
    }
    raster::Surface surface()
    {
        // A surface of no pixels may well come with no memory.
        return {pixels.empty() ? nullptr : pixels.data(), width, height,
                width + kPaddingPixels};
    }
    Pixel at(int x, int y) { return row(y)[x]; }

    // The first pixel that differs from `expected`, as text; empty if none.
    std::string differenceFrom(reference::Image& expected)
    {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (at(x, y) != expected.at(x, y))
                    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                           std::to_string(at(x, y)) + ", expected " +
                           std::to_string(expected.at(x, y));
            }
            for (int x = width; x < width + kPaddingPixels; ++x)
                if (row(y)[x] != kPadding)
                    return "padding after row " + std::to_string(y) + " was written";
        }
        return {};
    }

    int count(Pixel colour)
    {
        int n = 0;
        for (int y = 0; y < height; ++y)
            n += static_cast<int>(std::count(row(y), row(y) + width, colour));
        return n;
    }
};

// --- The disc's shape, from numbers worked out by hand

struct ShapeCase {
    const char* name;
    int radius;
    int pixels;      // of the whole disc
    int rimPixels; // of its outline
};
void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

// Rows of the disc are |dx| <= floor(sqrt(r*r + r - dy*dy)); e.g. radius 7
// has half-widths 7 7 7 6 6 5 4 2 for dy = 0..7: 15 + 2 * 81 = 177 pixels.
const ShapeCase kShapes[] = {
    {"radius_0_one_pixel", 0, 1, 1},
    {"radius_1_three_by_three", 1, 9, 8},
    {"radius_2", 2, 21, 12},
    {"radius_3", 3, 37, 16},
    {"radius_7_default_mass", 7, 177, 40},
};

class DiscShape : public testing::TestWithParam<ShapeCase> {};

TEST_P(DiscShape, PixelCountsAndReach)
{
    const ShapeCase& c = GetParam();
    const int side = 2 * c.radius + 3; // a free pixel all round
    const int centre = c.radius + 1;

    Padded solid(side, side, kBlack);
    raster::Canvas canvas;
    canvas.circle(solid.surface(), centre, centre, c.radius, kYellow, true, kYellow);
    canvas.flush(solid.surface());
    EXPECT_EQ(solid.count(kYellow), c.pixels);
    // It reaches exactly `radius` pixels from its centre pixel on each side.
    EXPECT_EQ(solid.at(centre - c.radius, centre), kYellow);
    EXPECT_EQ(solid.at(centre + c.radius, centre), kYellow);
    EXPECT_EQ(solid.at(centre, centre - c.radius), kYellow);
    EXPECT_EQ(solid.at(centre, centre + c.radius), kYellow);
    EXPECT_EQ(solid.at(centre + c.radius + 1, centre), kBlack);
    EXPECT_EQ(solid.at(centre, centre + c.radius + 1), kBlack);

    Padded ring(side, side, kBlack);
    canvas.circle(ring.surface(), centre, centre, c.radius, kYellow, false, kYellow);
    EXPECT_EQ(ring.count(kYellow), c.rimPixels);

    // Filled in one colour and outlined in another: the two make the disc.
    Padded both(side, side, kBlack);
    canvas.circle(both.surface(), centre, centre, c.radius, kRed, true, kBlue);
    EXPECT_EQ(both.count(kRed), c.rimPixels);
    EXPECT_EQ(both.count(kBlue), c.pixels - c.rimPixels);
}

INSTANTIATE_TEST_SUITE_P(Raster, DiscShape, testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DiscShape, SymmetricAcrossBothAxesAndTheDiagonal)
{
    for (int r = 0; r <= kLargestSceneRadius; ++r) {
        SCOPED_TRACE("radius " + std::to_string(r));
        for (int dy = -r - 1; dy <= r + 1; ++dy) {
            for (int dx = -r - 1; dx <= r + 1; ++dx) {
                const bool in = raster::insideDisc(dx, dy, r);
                ASSERT_EQ(in, raster::insideDisc(-dx, dy, r));
                ASSERT_EQ(in, raster::insideDisc(dx, -dy, r));
                ASSERT_EQ(in, raster::insideDisc(dy, dx, r));
            }
        }
    }
}

TEST(DiscSpans, RowsMatchTheDefinitionAtEveryRadius)
{
    std::vector<int> radii;
    for (int r = 0; r <= 2 * kLargestSceneRadius; ++r)
        radii.push_back(r);
    radii.insert(radii.end(),
                 {1000, 4095, 4096, 20000, raster::kMaxRadius - 1, raster::kMaxRadius});
    raster::DiscSpans spans;
    for (const int r : radii) {
        spans.setRadius(r);
        ASSERT_EQ(spans.radius(), r);
        for (int dy = -r; dy <= r; ++dy) {
            const int h = spans.halfWidth(dy);
            ASSERT_TRUE(raster::insideDisc(h, dy, r)) << "radius " << r << " row " << dy;
            ASSERT_FALSE(raster::insideDisc(h + 1, dy, r)) << "radius " << r << " row " << dy;
        }
    }
}

// --- Random frames: the fast canvas against the one-by-one drawing

struct Op {
    enum Kind { Clear, Circle } kind;
    int x, y, r;
    Pixel outline;
    bool filled;
    Pixel fill;
};

void apply(const Op& op, raster::Canvas& canvas, Padded& fast, reference::Image& slow)
{
    if (op.kind == Op::Clear) {
        canvas.clear(op.fill);
        reference::clear(slow, op.fill);
    } else {
        canvas.circle(fast.surface(), op.x, op.y, op.r, op.outline, op.filled, op.fill);
        reference::circle(slow, op.x, op.y, op.r, op.outline, op.filled, op.fill);
    }
}

// One frame as the scene draws it: mostly a clear and then equal yellow
// discs anywhere from well inside to well outside the area, wrap-around
// images a width or a height away among them; now and then something
// else in the middle (another radius or colour, a hollow or two-coloured
// circle, a second clear).
std::vector<Op> randomFrame(std::mt19937& rng, int w, int h)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto chance = [&](int percent) { return pick(1, 100) <= percent; };
    const int r = chance(10) ? pick(0, 3) : pick(1, kLargestSceneRadius);
    std::vector<Op> ops;
    if (chance(80))
        ops.push_back({Op::Clear, 0, 0, 0, 0, false, chance(50) ? kBlack : kBlue});
    const int discs = chance(5) ? 0 : pick(1, 120);
    for (int i = 0; i < discs; ++i) {
        const int reach = r + 2 * kLargestSceneRadius;
        int x = pick(-reach, w + reach);
        int y = pick(-reach, h + reach);
        if (chance(20)) { // an image one width or height over
            x += chance(50) ? w : -w;
            y += chance(50) ? h : -h;
        }
        ops.push_back({Op::Circle, x, y, r, kYellow, true, kYellow});
        if (chance(2)) {
            const int odd = pick(0, 4);
            Op other{Op::Circle, pick(-20, w + 20), pick(-20, h + 20), pick(0, 40), kYellow, true,
                     kYellow};
            if (odd == 0)
                other.filled = false;
            else if (odd == 1)
                other.fill = kRed;
            else if (odd == 2)
                other.outline = other.fill = kRed;
            else if (odd == 3)
                other = {Op::Clear, 0, 0, 0, 0, false, kBlack};
            ops.push_back(other); // odd == 4: another radius, same colour
        }
    }
    return ops;
}

struct SizeCase {
    const char* name;
    int width, height; // 0: random, up to the bound in the other member
    int maxWidth, maxHeight;
};
void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

const SizeCase kSizes[] = {
    {"empty", 0, 0, 0, 0},
    {"no_columns", -1, 7, 0, 0},
    {"no_rows", 9, -1, 0, 0},
    {"one_pixel", 1, 1, 0, 0},
    {"one_row", 50, 1, 0, 0},
    {"one_column", 1, 40, 0, 0},
    {"tiny", 0, 0, 8, 8},
    {"narrower_than_a_word_boundary", 63, 5, 0, 0},
    {"a_word_exactly", 64, 5, 0, 0},
    {"small", 0, 0, 200, 150},
    {"default_area", 668, 344, 0, 0},
    {"large", 0, 0, 1300, 800},
};

// A pixel that is not the background although no place the canvas says it
// drew on holds it, as text; empty if none.
std::string drawnOutside(const raster::Canvas& canvas, reference::Image& image, Pixel background)
{
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y) == background)
                continue;
            const auto& boxes = canvas.drawn();
            const bool listed = std::any_of(boxes.begin(), boxes.end(), [&](const auto& b) {
                return b.left <= x && x <= b.right && b.top <= y && y <= b.bottom;
            });
            if (!listed)
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                       ") is drawn but lies in no listed place";
        }
    }
    return {};
}

class RandomFrames : public testing::TestWithParam<SizeCase> {};

TEST_P(RandomFrames, FastCanvasMatchesOneByOne)
{
    const SizeCase& c = GetParam();
    const bool large = c.maxWidth > 1000 || c.width > 600;
    const int canvases = large ? 6 : 60;
    const int framesPerCanvas = 4;
    std::mt19937 rng(12345u + static_cast<unsigned>(c.maxWidth * 7 + c.width));
    for (int k = 0; k < canvases; ++k) {
        auto side = [&](int fixed, int max) {
            if (fixed > 0)
                return fixed;
            if (fixed < 0 || max == 0)
                return 0;
            return std::uniform_int_distribution<int>(1, max)(rng);
        };
        const int w = side(c.width, c.maxWidth);
        const int h = side(c.height, c.maxHeight);
        Padded fast(w, h, kRed);
        reference::Image slow(w, h, kRed);
        raster::Canvas canvas;
        Pixel background = kRed;
        for (int f = 0; f < framesPerCanvas; ++f) {
            for (const Op& op : randomFrame(rng, w, h)) {
                apply(op, canvas, fast, slow);
                if (op.kind == Op::Clear)
                    background = op.fill;
            }
            canvas.flush(fast.surface());
            EXPECT_FALSE(canvas.pending());
            const std::string diff = fast.differenceFrom(slow);
            ASSERT_TRUE(diff.empty()) << w << " x " << h << ", canvas " << k << ", frame " << f
                                      << ": " << diff;
            if (canvas.knowsDrawn()) {
                const std::string stray = drawnOutside(canvas, slow, background);
                ASSERT_TRUE(stray.empty()) << w << " x " << h << ", canvas " << k << ", frame "
                                           << f << ": " << stray;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Raster, RandomFrames, testing::ValuesIn(kSizes),
                         [](const auto& info) { return std::string(info.param.name); });

// --- What the canvas does around the frames

TEST(Canvas, DiscsOverlappingManyTimesShowOnce)
{
    // Forty-five discs on almost the same spot, as in the densest setting.
    Padded fast(400, 300, kBlack);
    reference::Image slow(400, 300, kBlack);
    raster::Canvas canvas;
    canvas.clear(kBlack);
    for (int i = 0; i < 45; ++i) {
        canvas.circle(fast.surface(), 200 + i % 3, 150 - i % 5, kLargestSceneRadius, kYellow, true,
                      kYellow);
        reference::circle(slow, 200 + i % 3, 150 - i % 5, kLargestSceneRadius, kYellow, true,
                          kYellow);
    }
    canvas.flush(fast.surface());
    EXPECT_EQ(fast.differenceFrom(slow), "");
}

TEST(Canvas, LastDiscClosesTheOnlyGapOfAnAlmostCoveredRow)
{
    // One row, 41 columns. Sixteen discs centred on it cover every column
    // but 20; the canvas then knows the row's only gap, and the discs
    // centred a row above, drawn after those, each reach just into it from
    // one side.
    constexpr int kWidth = 41;
    constexpr int kRadius = 1; // a span of 3 on its own row and on the next
    const int onRow[] = {1, 4, 7, 10, 13, 16, 18, 22, 25, 28, 31, 34, 37, 39, 1, 39};
    for (const int closing : {19, 21}) {
        SCOPED_TRACE("closing disc at " + std::to_string(closing));
        Padded fast(kWidth, 1, kBlack);
        reference::Image slow(kWidth, 1, kBlack);
        raster::Canvas canvas;
        canvas.clear(kBlack);
        for (const int x : onRow) {
            canvas.circle(fast.surface(), x, 0, kRadius, kYellow, true, kYellow);
            reference::circle(slow, x, 0, kRadius, kYellow, true, kYellow);
        }
        canvas.circle(fast.surface(), closing, -1, kRadius, kYellow, true, kYellow);
        reference::circle(slow, closing, -1, kRadius, kYellow, true, kYellow);
        canvas.flush(fast.surface());
        EXPECT_EQ(fast.differenceFrom(slow), "");
        EXPECT_EQ(fast.count(kYellow), kWidth);
    }
}

TEST(Canvas, NothingChangesUntilFlushedAndAFlushDrawsOnce)
{
    Padded fast(30, 20, kRed);
    raster::Canvas canvas;
    canvas.clear(kBlack);
    canvas.circle(fast.surface(), 10, 10, 3, kYellow, true, kYellow);
    EXPECT_TRUE(canvas.pending());
    EXPECT_EQ(fast.count(kRed), 30 * 20);
    canvas.flush(fast.surface());
    EXPECT_EQ(fast.count(kYellow), 37);
    // Drawn over by hand: a second flush with nothing pending leaves it.
    fast.row(10)[10] = kBlue;
    canvas.flush(fast.surface());
    EXPECT_EQ(fast.at(10, 10), kBlue);
}

TEST(Canvas, ClearDiscardsDiscsStillPending)
{
    Padded fast(30, 20, kRed);
    raster::Canvas canvas;
    canvas.circle(fast.surface(), 10, 10, 3, kYellow, true, kYellow);
    canvas.clear(kBlack);
    canvas.flush(fast.surface());
    EXPECT_EQ(fast.count(kBlack), 30 * 20);
}

TEST(Canvas, ExtremeCoordinatesAndRadiiAreClippedNotOverflowed)
{
    constexpr int kMax = 2147483647;
    constexpr int kMin = -2147483647 - 1;
    const struct {
        const char* name;
        int x, y, r;
    } cases[] = {
        {"far_right", kMax, 5, 7},       {"far_left", kMin, 5, 7},
        {"far_down", 5, kMax, 7},        {"far_up", 5, kMin, 7},
        {"huge_radius", 5, 5, kMax},     {"most_negative_radius", 5, 5, kMin},
        {"negative_radius", 5, 5, -3},   {"corner_and_huge", kMin, kMax, kMax},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool solid : {true, false}) {
            Padded fast(40, 30, kBlack);
            reference::Image slow(40, 30, kBlack);
            raster::Canvas canvas;
            canvas.circle(fast.surface(), c.x, c.y, c.r, kYellow, solid, kYellow);
            reference::circle(slow, c.x, c.y, c.r, kYellow, solid, kYellow);
            canvas.flush(fast.surface());
            EXPECT_EQ(fast.differenceFrom(slow), "");
        }
    }
}

} // namespace
