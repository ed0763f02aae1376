#pragma once

// Clearing and discs on a 32-bit canvas, without Qt. The drawing area's
// widget hands its image's memory to these functions as it is, so a frame is
// drawn in place and never copied.
//
// The scene draws one radius and one colour for a whole run, so a frame is
// the union of equal discs. `Canvas` collects such runs of discs and draws
// each as a union, row by row, writing every pixel once however much the
// discs overlap; anything else it draws at once, one circle at a time.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace raster {

// 0xFFRRGGBB, the layout of QImage::Format_RGB32.
using Pixel = std::uint32_t;

// Pixels that someone else owns, row after row. A surface of no pixels
// (either side 0) takes every operation and shows nothing.
struct Surface {
    Pixel* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // pixels from the start of one row to the next
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
    int radius_ = -1;
    std::vector<int> half_;
};

// One disc, clipped to the surface.
void fillDisc(const Surface& s, int cx, int cy, const DiscSpans& shape, Pixel colour);

// One circle's outline: the pixels of the disc that have a neighbour to the
// left, right, above or below outside it. A closed ring one pixel thick;
// filling a disc and then drawing its outline covers exactly the disc.
void outlineDisc(const Surface& s, int cx, int cy, const DiscSpans& shape, Pixel colour);

// The canvas of a drawing area: clearing and circles, as the window's logic
// asks for them, onto a surface that the caller passes with every call that
// may draw (it may move or change size between calls, never while work is
// pending).
//
// Solid discs of one radius and colour that follow each other are kept and
// drawn together, as their union, at the next call that needs the pixels:
// `flush`, a different circle, or a clear (which makes them moot). A clear
// is kept too, and done in the same pass as the discs that follow it. So
// every call shows the same pixels in the end as drawing each operation at
// once would; only when is different. Call `flush` before reading pixels.
//
// A frame that is a clear and a union (what the scene draws every tick)
// is also remembered, and the next one like it, in the same colours on the
// same surface, is drawn over it. Large discs are remembered one bit a
// pixel, and only the pixels where the two frames differ are written and
// listed as changed: a moving disc changes a thin crescent on either side,
// not its whole box. Small ones, which jump their own size, are remembered
// by their centres: the last frame's are put back to the background, the
// new ones drawn, and the boxes of both listed.
class Canvas {
public:
    // Pixels from `left` to `right` and `top` to `bottom`, all included.
    struct Box {
        int left;
        int top;
        int right;
        int bottom;
    };

    // Everything to `background`.
    void clear(Pixel background);
    // A whole circle around pixel (cx, cy), outlined in `outline` and, when
    // `filled`, filled with `fill`.
    void circle(const Surface& s, int cx, int cy, int radius, Pixel outline, bool filled,
                Pixel fill);
    // Draws what is pending.
    void flush(const Surface& s);
    bool pending() const { return clearPending_ || !discs_.empty(); }
    // The surface was changed behind the canvas's back: the next frame is
    // written whole.
    void forget();

    // Where the flushes since the last `takeChanges` changed pixels:
    // everywhere, or within the square tiles of `tileSize` pixels a side
    // that `changedTiles` lists.
    static constexpr int kTileSize = 16;
    bool changedEverywhere() const { return changedEverywhere_; }
    // The changed tiles as few rectangles, clipped to the surface: each row
    // of tiles as its runs of changed tiles, a row alike to the one above
    // joining it. A valid banded region: sorted by top then left, no two
    // overlapping or touching side by side, all of one band equally high.
    // Returns the pixels they cover.
    std::int64_t changedTiles(std::vector<Box>& out) const;
    // Starts a new record: nothing has changed.
    void takeChanges();

private:
    struct Centre {
        int x;
        int y;
    };
    void drawUnion(const Surface& s, bool diff);
    void redrawDiscs(const Surface& s);
    void markChanged(int y, std::int64_t from, std::int64_t to);

    bool clearPending_ = false;
    Pixel background_ = 0;
    Pixel discColour_ = 0;
    DiscSpans shape_;
    std::vector<Centre> discs_;
    std::vector<std::uint64_t> rowBits_; // the columns one row's discs cover

    // What the surface of the last flush shows, when `known_`: the
    // background and, where `shown_` has a bit, the disc colour.
    Surface last_;
    bool known_ = false;
    Pixel knownBackground_ = 0;
    Pixel knownColour_ = 0;
    std::size_t rowWords_ = 0; // words of one row in shown_ and rowBits_
    std::vector<std::uint64_t> shown_;
    // Of each row, the words from `from` up to `to` (not included) may hold
    // bits in shown_; the others are all clear.
    struct WordSpan {
        std::size_t from = SIZE_MAX;
        std::size_t to = 0;
    };
    std::vector<WordSpan> shownWords_;
    // The last flush's discs and their radius.
    std::vector<Centre> drawn_;
    int drawnRadius_ = -1;

    bool changedEverywhere_ = true;
    std::size_t tileWords_ = 0; // words of one row of tiles
    std::vector<std::uint64_t> tiles_;
};

} // namespace raster
