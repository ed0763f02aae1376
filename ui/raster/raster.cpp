#include "ui/raster/raster.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

namespace raster {

namespace {

constexpr int kWordBits = 64;
constexpr int kWordShift = 6; // log2 of kWordBits
constexpr std::uint64_t kAllOnes = ~std::uint64_t{0};
// Discs drawn into a row's bits between two looks at whether it is covered.
constexpr int kCoverageCheckEvery = 16;
// Discs of this radius or less are drawn one by one, with no bitmap.
constexpr int kSmallRadius = 32;
int clampRadius(int radius)
{
    // In 64 bits, where the magnitude of INT_MIN fits too.
    return static_cast<int>(std::min<std::int64_t>(std::abs(std::int64_t{radius}), kMaxRadius));
}

Pixel* rowOf(const Surface& s, int y)
{
    return s.pixels + static_cast<std::ptrdiff_t>(y) * s.stride;
}

void fillRun(Pixel* row, std::int64_t from, std::int64_t to, Pixel colour)
{
    std::fill(row + from, row + to + 1, colour);
}

// Columns from - to of one row, cut to 0 .. width - 1; false when none is left.
bool clipColumns(std::int64_t& from, std::int64_t& to, int width)
{
    from = std::max<std::int64_t>(from, 0);
    to = std::min<std::int64_t>(to, width - 1);
    return from <= to;
}

// The rows of a disc that lie on the surface, as [first, last].
bool clipRows(const Surface& s, std::int64_t cy, int radius, std::int64_t& first,
              std::int64_t& last)
{
    first = std::max<std::int64_t>(cy - radius, 0);
    last = std::min<std::int64_t>(cy + radius, s.height - 1);
    return first <= last;
}

inline void setBits(std::uint64_t* bits, std::int64_t from, std::int64_t to)
{
    const auto wordFrom = static_cast<std::size_t>(from >> kWordShift);
    const auto wordTo = static_cast<std::size_t>(to >> kWordShift);
    const std::uint64_t head = kAllOnes << (from & (kWordBits - 1));
    const std::uint64_t tail = kAllOnes >> (kWordBits - 1 - (to & (kWordBits - 1)));
    if (wordFrom == wordTo) { // most spans of small discs, and every changed word's tiles
        bits[wordFrom] |= head & tail;
        return;
    }
    // Read, or, write for every word: a plain store of all ones to the
    // middle words becomes a call of memset, which costs more than the few
    // words a span has.
    for (std::size_t w = wordFrom; w <= wordTo; ++w)
        bits[w] |= (w == wordFrom ? head : kAllOnes) & (w == wordTo ? tail : kAllOnes);
}

// The first column at or after `x` whose bit is `set`, among `words` words
// (x lies within them); past them when there is none. The rows of the union
// end with a clear word, so a search for a clear bit there always finds one.
std::int64_t nextWith(const std::uint64_t* bits, std::int64_t x, bool set, std::size_t words)
{
    auto w = static_cast<std::size_t>(x >> kWordShift);
    const std::uint64_t flip = set ? 0 : kAllOnes;
    std::uint64_t word = (bits[w] ^ flip) & (kAllOnes << (x & (kWordBits - 1)));
    while (word == 0) {
        if (++w == words)
            return static_cast<std::int64_t>(words) * kWordBits;
        word = bits[w] ^ flip;
    }
    return static_cast<std::int64_t>(w) * kWordBits + std::countr_zero(word);
}

} // namespace

std::optional<DeviceDisc> toDevicePixels(float x, float y, float radius, float ratio)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius))
        return std::nullopt;
    // Past this many pixels from the origin no disc reaches a surface of any
    // size a window allows (2^24 and the largest radius).
    static constexpr float kCoordinateLimit = 1 << 25;
    const auto whole = [](float v) {
        return static_cast<int>(std::lround(std::clamp(v, -kCoordinateLimit, kCoordinateLimit)));
    };
    return DeviceDisc{whole(x * ratio), whole(y * ratio),
                      whole(std::min(std::fabs(radius) * ratio, float{kMaxRadius}))};
}

void DiscSpans::setRadius(int radius)
{
    radius = clampRadius(radius);
    if (radius == radius_)
        return;
    radius_ = radius;
    half_.resize(static_cast<std::size_t>(radius) + 1);
    // The largest h with h * h <= r * r + r - dy * dy. That is below 2^52,
    // where the square root is correctly rounded and lies further below the
    // next whole number than half a step of a double: truncating it is exact.
    const std::int64_t r = radius;
    for (std::int64_t dy = 0; dy <= r; ++dy)
        half_[static_cast<std::size_t>(dy)] =
            static_cast<int>(std::sqrt(static_cast<double>(r * r + r - dy * dy)));
}

void fillDisc(const Surface& s, int cx, int cy, const DiscSpans& shape, Pixel colour)
{
    std::int64_t first = 0;
    std::int64_t last = 0;
    if (!clipRows(s, cy, shape.radius(), first, last))
        return;
    for (std::int64_t y = first; y <= last; ++y) {
        const int h = shape.halfWidth(static_cast<int>(y - cy));
        std::int64_t from = std::int64_t{cx} - h;
        std::int64_t to = std::int64_t{cx} + h;
        if (clipColumns(from, to, s.width))
            fillRun(rowOf(s, static_cast<int>(y)), from, to, colour);
    }
}

void Canvas::clear(Pixel background)
{
    // Whatever was asked before is painted over anyway.
    discs_.clear();
    runs_.clear();
    clearPending_ = true;
    background_ = background;
}

void Canvas::disc(int cx, int cy, int radius, Pixel colour)
{
    radius = clampRadius(radius);
    if (runs_.empty() || runs_.back().radius != radius || runs_.back().colour != colour)
        runs_.push_back({discs_.size(), radius, colour});
    discs_.push_back({cx, cy});
}

const Canvas::Changes& Canvas::draw(const Surface& s, bool holdsLastFrame)
{
    const bool sameSize = s.width == last_.width && s.height == last_.height;
    if (!sameSize)
        resize(s);
    if (!holdsLastFrame || !sameSize || s.pixels != last_.pixels || s.stride != last_.stride)
        known_ = false;
    last_ = s;
    changes_.everywhere = false;
    std::fill(tiles_.begin(), tiles_.end(), 0);
    if (clearPending_ || !runs_.empty()) {
        if (runs_.empty()) // a clear alone: a frame of no discs
            drawRun(s, {0, drawnRadius_, knownColour_}, 0, true);
        for (std::size_t k = 0; k < runs_.size(); ++k)
            drawRun(s, runs_[k], k + 1 < runs_.size() ? runs_[k + 1].first : discs_.size(),
                    clearPending_ && k == 0);
    }
    discs_.clear();
    runs_.clear();
    clearPending_ = false;
    listChangedTiles();
    return changes_;
}

void Canvas::resize(const Surface& s)
{
    // One word more a row than it needs, always clear, ends every search.
    const auto rows = static_cast<std::size_t>(std::max(s.height, 0));
    rowWords_ = static_cast<std::size_t>(std::max(s.width, 0) / kWordBits) + 1;
    rowBits_.assign(rowWords_, 0);
    shown_.assign(rowWords_ * rows, 0);
    shownWords_.assign(rows, WordSpan{});
    const int tileColumns = (std::max(s.width, 0) + kTileSize - 1) / kTileSize;
    tileWords_ = static_cast<std::size_t>(tileColumns / kWordBits) + 1;
    tiles_.assign(tileWords_ * ((rows + kTileSize - 1) / kTileSize), 0);
}

void Canvas::drawRun(const Surface& s, const Run& run, std::size_t end, bool clearing)
{
    shape_.setRadius(run.radius);
    colour_ = run.colour;
    Centre* discs = discs_.data() + run.first;
    const std::size_t count = end - run.first;
    const int r = shape_.radius();
    // Small discs change nearly all of their pixels from one frame to the
    // next: putting the background back under the last frame's and drawing
    // the new ones one by one costs less than comparing the frames row by
    // row. That leaves the last frame's bits behind, so a new radius with
    // small discs on either side writes the frame whole.
    const bool small = r <= kSmallRadius;
    const bool overLast = clearing && known_ && knownBackground_ == background_ &&
                          (count == 0 || knownColour_ == colour_) &&
                          (small ? r == drawnRadius_ : drawnRadius_ > kSmallRadius);
    if (clearing && !overLast)
        changes_.everywhere = true;
    if (overLast && small)
        swapSmallDiscs(s, discs, count);
    else
        drawUnion(s, discs, count,
                  !clearing ? Write::Over : (overLast ? Write::Difference : Write::WholeFrame));
    // Discs drawn over a picture without a clear leave it unknown.
    known_ = clearing;
    knownBackground_ = background_;
    drawnRadius_ = r;
    if (count > 0)
        knownColour_ = colour_;
    drawn_.assign(discs, discs + count);
}

void Canvas::swapSmallDiscs(const Surface& s, const Centre* discs, std::size_t count)
{
    const int r = shape_.radius();
    const auto put = [&](const Centre& c, Pixel colour) {
        fillDisc(s, c.x, c.y, shape_, colour);
        std::int64_t left = std::int64_t{c.x} - r, right = std::int64_t{c.x} + r, top, bottom;
        if (clipColumns(left, right, s.width) && clipRows(s, c.y, r, top, bottom))
            for (std::int64_t y = top - top % kTileSize; y <= bottom; y += kTileSize)
                markChanged(static_cast<int>(y), left, right);
    };
    for (const Centre& c : drawn_)
        put(c, background_);
    for (std::size_t k = 0; k < count; ++k)
        put(discs[k], colour_);
}

void Canvas::drawUnion(const Surface& s, Centre* discs, std::size_t count, Write how)
{
    const int r = shape_.radius();
    // In order of rows, the discs that reach one row are a window that
    // slides down as the rows do, since all have the same radius.
    std::sort(discs, discs + count, [](const Centre& a, const Centre& b) { return a.y < b.y; });
    std::size_t first = 0;
    std::size_t last = 0;
    std::size_t centreRow = 0; // the first disc centred on this row or below it
    for (int y = 0; y < s.height; ++y) {
        while (first < count && std::int64_t{discs[first].y} + r < y)
            ++first;
        while (last < count && std::int64_t{discs[last].y} - r <= y)
            ++last;
        while (centreRow < count && discs[centreRow].y < y)
            ++centreRow;
        coverRow(y, discs, first, last, std::clamp(centreRow, first, last), s.width);
        Pixel* row = rowOf(s, y);
        switch (how) {
        case Write::WholeFrame:
            writeWholeRow(row, s.width);
            std::copy_n(rowBits_.begin(), rowWords_,
                        shown_.begin() + static_cast<std::ptrdiff_t>(rowWords_) * y);
            break;
        case Write::Difference:
            writeDifference(row, y);
            break;
        case Write::Over:
            writeOver(row, y);
            break;
        }
        if (how != Write::Over)
            shownWords_[static_cast<std::size_t>(y)] =
                hi_ < 0 ? WordSpan{}
                        : WordSpan{static_cast<std::size_t>(lo_ >> kWordShift),
                                   static_cast<std::size_t>(hi_ >> kWordShift) + 1};
        if (hi_ >= 0)
            std::fill(rowBits_.data() + (lo_ >> kWordShift),
                      rowBits_.data() + (hi_ >> kWordShift) + 1, 0);
    }
}

void Canvas::coverRow(int y, const Centre* discs, std::size_t from, std::size_t to,
                      std::size_t centreRow, int width)
{
    std::uint64_t* bits = rowBits_.data();
    // Centres on this row and below it first, nearest first, then those
    // above, nearest first: the widest spans come early, so in a dense frame
    // the row is covered after a few discs, and the rest of the hundreds
    // that reach it need not be looked at. A span left of the first column
    // that no disc covers yet adds nothing: the columns up to there are
    // covered, and lo already reaches them.
    std::size_t down = centreRow;
    std::size_t up = centreRow;
    int sinceCheck = 0;
    std::int64_t gapFrom = 0;
    lo_ = width;
    hi_ = -1;
    for (std::size_t n = to - from; n > 0; --n) {
        const std::size_t k = down < to ? down++ : --up;
        const int h = shape_.halfWidth(y - discs[k].y);
        std::int64_t left = std::int64_t{discs[k].x} - h;
        std::int64_t right = std::int64_t{discs[k].x} + h;
        if (!clipColumns(left, right, width) || right < gapFrom)
            continue;
        setBits(bits, left, right);
        lo_ = std::min(lo_, left);
        hi_ = std::max(hi_, right);
        if (++sinceCheck == kCoverageCheckEvery) {
            sinceCheck = 0;
            gapFrom = nextWith(bits, 0, false, rowWords_);
            if (gapFrom >= width)
                return;
        }
    }
}

void Canvas::writeWholeRow(Pixel* row, int width)
{
    if (hi_ < 0) {
        std::fill_n(row, width, background_);
        return;
    }
    fillRun(row, 0, lo_ - 1, background_);
    fillRun(row, hi_ + 1, width - 1, background_);
    writeRuns(row, true);
}

void Canvas::writeOver(Pixel* row, int y)
{
    if (hi_ < 0)
        return;
    markChanged(y, lo_, hi_);
    writeRuns(row, false);
}

void Canvas::writeRuns(Pixel* row, bool gapsToo)
{
    for (std::int64_t x = lo_; x <= hi_;) {
        const std::int64_t end = nextWith(rowBits_.data(), x, false, rowWords_);
        fillRun(row, x, end - 1, colour_);
        if (end > hi_)
            break;
        const std::int64_t next = nextWith(rowBits_.data(), end, true, rowWords_);
        if (gapsToo)
            fillRun(row, end, next - 1, background_);
        x = next;
    }
}

void Canvas::writeDifference(Pixel* row, int y)
{
    // Only the pixels whose bit differs from the last frame's, each run of
    // them that now shows one colour in one fill, among the words that hold
    // bits now or held them before.
    const std::uint64_t* bits = rowBits_.data();
    std::uint64_t* shown = shown_.data() + rowWords_ * static_cast<std::size_t>(y);
    const WordSpan held = shownWords_[static_cast<std::size_t>(y)];
    std::size_t wordFrom = held.from;
    std::size_t wordTo = held.to;
    if (hi_ >= 0) {
        wordFrom = std::min(wordFrom, static_cast<std::size_t>(lo_ >> kWordShift));
        wordTo = std::max(wordTo, static_cast<std::size_t>(hi_ >> kWordShift) + 1);
    }
    for (std::size_t w = wordFrom; w < wordTo; ++w) {
        std::uint64_t change = bits[w] ^ shown[w];
        if (change == 0)
            continue;
        const auto base = static_cast<std::int64_t>(w) * kWordBits;
        markChanged(y, base + std::countr_zero(change),
                    base + kWordBits - 1 - std::countl_zero(change));
        const std::uint64_t now = bits[w];
        while (change != 0) {
            const int from = std::countr_zero(change);
            const bool on = ((now >> from) & 1) != 0;
            const int length = std::countr_one((change & (on ? now : ~now)) >> from);
            fillRun(row, base + from, base + from + length - 1, on ? colour_ : background_);
            change = from + length == kWordBits ? 0 : change & (kAllOnes << (from + length));
        }
        shown[w] = now;
    }
}

void Canvas::markChanged(int y, std::int64_t from, std::int64_t to)
{
    if (!changes_.everywhere)
        setBits(tiles_.data() + tileWords_ * static_cast<std::size_t>(y / kTileSize),
                from / kTileSize, to / kTileSize);
}

void Canvas::listChangedTiles()
{
    std::vector<Box>& out = changes_.boxes;
    out.clear();
    changes_.pixels = 0;
    if (changes_.everywhere)
        return;
    const int columns = (last_.width + kTileSize - 1) / kTileSize;
    std::size_t band = out.size(); // where the rectangles of the band above begin
    for (int top = 0; top < last_.height; top += kTileSize) {
        const std::uint64_t* bits =
            tiles_.data() + tileWords_ * static_cast<std::size_t>(top / kTileSize);
        const int bottom = std::min(top + kTileSize, last_.height) - 1;
        // A row of tiles alike to the one above makes its band taller.
        const bool alike = top > 0 && std::equal(bits, bits + tileWords_, bits - tileWords_);
        if (!alike)
            band = out.size();
        for (std::int64_t x = alike ? columns : nextWith(bits, 0, true, tileWords_); x < columns;) {
            const std::int64_t end = nextWith(bits, x, false, tileWords_);
            const auto right = std::min<std::int64_t>(end * kTileSize, last_.width) - 1;
            out.push_back({static_cast<int>(x) * kTileSize, top, static_cast<int>(right), bottom});
            x = nextWith(bits, end, true, tileWords_);
        }
        for (auto it = out.begin() + static_cast<std::ptrdiff_t>(band); it != out.end(); ++it) {
            changes_.pixels += (std::int64_t{it->right} - it->left + 1) * (bottom - top + 1);
            it->bottom = bottom;
        }
    }
}

} // namespace raster
