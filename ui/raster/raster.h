#pragma once

// Clearing and discs on a 32-bit canvas, without Qt. The drawing area's
// widget hands its image's memory to the canvas as it is, so a frame is
// drawn in place and never copied.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace raster {

// 0xFFRRGGBB, the layout of QImage::Format_RGB32.
using Pixel = std::uint32_t;

// Pixels that someone else owns, row after row. A surface of no pixels
// (either side 0) takes every operation and shows nothing.
struct Surface {
    Pixel* pixels = nullptr;
    int width{};
    int height{};
    std::ptrdiff_t stride{}; // pixels from the start of one row to the next
};

// The shape of every disc, defined here once: the disc of radius r centred
// on pixel (cx, cy) holds the pixels whose centres lie strictly inside the
// circle of radius r + 1/2 around that pixel's centre, i.e. in whole pixels
//     dx * dx + dy * dy <= r * r + r,  dx = px - cx, dy = py - cy.
// It reaches exactly r pixels either side of its centre pixel (2r + 1
// across), so the scene's edge tests, made with x + r and x - r, agree with
// what shows; it looks round at every size, and radius 0 is still one pixel,
// radius 1 a 3 x 3 square. A negative radius counts as its magnitude.
constexpr bool insideDisc(std::int64_t dx, std::int64_t dy, std::int64_t radius)
{
    return dx * dx + dy * dy <= radius * radius + radius;
}

// The largest radius drawn; the scene's radii are 16-bit, and a larger one
// is drawn as this. Keeps every sum of a coordinate and a radius in range.
inline constexpr int kMaxRadius = 32767;

// A disc given in a widget's pixels, at `ratio` device pixels to one, in
// whole device pixels: centre and radius to the nearest, the radius at most
// the largest drawn and the centre held where no sum with it can overflow.
// Nothing for a disc with no place or no size (not finite).
struct DeviceDisc {
    int x, y, radius;
};
std::optional<DeviceDisc> toDevicePixels(float x, float y, float radius, float ratio);

// The disc's rows: row dy from the centre covers cx - halfWidth(dy) to
// cx + halfWidth(dy). Filled once per radius and kept, so drawing allocates
// nothing while the radius stays the same.
class DiscSpans {
public:
    // Rebuilds the table only when `radius` differs from the one it holds.
    void setRadius(int radius);
    int radius() const { return radius_; }
    // `dy` in -radius..radius.
    int halfWidth(int dy) const { return half_[static_cast<std::size_t>(dy < 0 ? -dy : dy)]; }

private:
    int radius_{};
    std::vector<int> half_{0}; // radius 0's
};

// One disc, clipped to the surface.
void fillDisc(const Surface& s, int cx, int cy, const DiscSpans& shape, Pixel colour);

// The canvas of a drawing area: clears and solid discs as the window's logic
// asks for them, kept until `draw` puts the frame on a surface and tells
// where its pixels changed. What a frame shows is what drawing each call at
// once would show; only when is different.
//
// Discs of one radius and colour that follow each other are drawn together,
// as their union, row by row, writing every pixel once however much they
// overlap. A frame that is a clear and such a union (what the scene draws
// every tick) is drawn over the last one like it on the same surface: large
// discs are remembered one bit a pixel and only the pixels where the two
// frames differ are written (a moving disc changes a thin crescent, not its
// whole box); small ones, which jump their own size, are remembered by their
// centres, and the last frame's are put back to the background before the
// new ones are drawn.
class Canvas {
public:
    // Pixels from `left` to `right` and `top` to `bottom`, all included.
    struct Box {
        int left, top, right, bottom;
    };

    // Where one `draw` changed pixels: everywhere, or within `boxes`, square
    // tiles of `kTileSize` pixels a side joined into few rectangles, clipped
    // to the surface. The boxes are a valid banded region: sorted by top then
    // left, no two overlapping or touching side by side, all of one band
    // equally high. `pixels` is how many they cover.
    static constexpr int kTileSize = 16;
    struct Changes {
        bool everywhere{};
        std::vector<Box> boxes;
        std::int64_t pixels{};
    };

    // Everything to `background`.
    void clear(Pixel background);
    // A whole disc around pixel (cx, cy).
    void disc(int cx, int cy, int radius, Pixel colour);

    // Draws what was asked since the last `draw` onto `s`. Unless
    // `holdsLastFrame` (the same surface, untouched since the last draw),
    // the canvas takes nothing of its pixels as known.
    const Changes& draw(const Surface& s, bool holdsLastFrame);

private:
    struct Centre {
        int x, y;
    };
    // Discs from `first` on, up to the next run's first, share a radius and
    // a colour.
    struct Run {
        std::size_t first;
        int radius;
        Pixel colour;
    };
    enum class Write { WholeFrame, Difference, Over };

    void resize(const Surface& s);
    void drawRun(const Surface& s, const Run& run, std::size_t end, bool clearing);
    void swapSmallDiscs(const Surface& s, const Centre* discs, std::size_t count);
    void drawUnion(const Surface& s, Centre* discs, std::size_t count, Write how);
    void coverRow(int y, const Centre* discs, std::size_t from, std::size_t to,
                  std::size_t centreRow, int width);
    void writeWholeRow(Pixel* row, int width);
    void writeOver(Pixel* row, int y);
    void writeDifference(Pixel* row, int y);
    // The covered runs between lo and hi in the disc colour, and the gaps
    // between them cleared when `gapsToo`.
    void writeRuns(Pixel* row, bool gapsToo);
    void markChanged(int y, std::int64_t from, std::int64_t to);
    void listChangedTiles();

    // Asked for since the last draw.
    bool clearPending_{};
    Pixel background_{};
    std::vector<Centre> discs_;
    std::vector<Run> runs_;

    // The run being drawn.
    DiscSpans shape_;
    Pixel colour_{};
    // One row of the union being built: the columns its discs cover, and
    // the first and last of them (lo > hi when none).
    std::vector<std::uint64_t> rowBits_;
    std::int64_t lo_{};
    std::int64_t hi_{};

    // What the surface of the last draw shows, when `known_`: the
    // background and, where `shown_` has a bit, the disc colour.
    Surface last_;
    bool known_{};
    Pixel knownBackground_{};
    Pixel knownColour_{};
    std::size_t rowWords_{}; // words of one row in shown_ and rowBits_
    std::vector<std::uint64_t> shown_;
    // Of each row, the words from `from` up to `to` (not included) may hold
    // bits in shown_; the others are all clear.
    struct WordSpan {
        std::size_t from = SIZE_MAX;
        std::size_t to{};
    };
    std::vector<WordSpan> shownWords_;
    // The last frame's discs and their radius.
    std::vector<Centre> drawn_;
    int drawnRadius_{};

    std::size_t tileWords_{}; // words of one row of tiles
    std::vector<std::uint64_t> tiles_;
    Changes changes_;
};

} // namespace raster
