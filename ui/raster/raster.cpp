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
// Places drawn on that a canvas lists before it stops keeping track.
constexpr std::size_t kMaxRememberedBoxes = 4096;
// A clear puts the background back only where the last frames drew, when
// that is less than this fraction of the surface (1 / n).
constexpr std::int64_t kRestoreAtMostOneIn = 2;
// Changes listed before the record says "everywhere": past this many boxes,
// or boxes adding up to more than this fraction of the surface (1 / n), a
// list costs more to use than it saves.
constexpr std::size_t kMaxChangedBoxes = 4096;
constexpr std::int64_t kListChangesBelowOneIn = 2;

// The largest h with h * h <= n, for n >= 0. The square root in double
// precision can be one off near a perfect square, so it is corrected both
// ways.
int isqrt(std::int64_t n)
{
    auto h = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (h * h > n)
        --h;
    while ((h + 1) * (h + 1) <= n)
        ++h;
    return static_cast<int>(h);
}

int clampRadius(int radius)
{
    // The magnitude of INT_MIN does not fit; it is far beyond the limit anyway.
    const int magnitude = radius < -kMaxRadius ? kMaxRadius : std::abs(radius);
    return std::min(magnitude, kMaxRadius);
}

Pixel* rowOf(const Surface& s, int y)
{
    return s.pixels + static_cast<std::ptrdiff_t>(y) * s.stride;
}

bool isEmpty(const Surface& s)
{
    return s.pixels == nullptr || s.width <= 0 || s.height <= 0;
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

void setBits(std::uint64_t* bits, std::int64_t from, std::int64_t to)
{
    const auto wordFrom = static_cast<std::size_t>(from >> kWordShift);
    const auto wordTo = static_cast<std::size_t>(to >> kWordShift);
    const std::uint64_t head = kAllOnes << (from & (kWordBits - 1));
    const std::uint64_t tail = kAllOnes >> (kWordBits - 1 - (to & (kWordBits - 1)));
    // Read, or, write for every word: a plain store of all ones to the
    // middle words becomes a call of memset, which costs more than the few
    // words a span has.
    for (std::size_t w = wordFrom; w <= wordTo; ++w)
        bits[w] |= (w == wordFrom ? head : kAllOnes) & (w == wordTo ? tail : kAllOnes);
}

// The first column at or after `x` whose bit is `set`. The caller knows one
// exists: a set bit at or after x, or a clear one (the words end with a clear
// sentinel word).
std::int64_t nextWith(const std::uint64_t* bits, std::int64_t x, bool set)
{
    auto w = static_cast<std::size_t>(x >> kWordShift);
    const std::uint64_t flip = set ? 0 : kAllOnes;
    std::uint64_t word = (bits[w] ^ flip) & (kAllOnes << (x & (kWordBits - 1)));
    while (word == 0)
        word = bits[++w] ^ flip;
    return static_cast<std::int64_t>(w) * kWordBits + std::countr_zero(word);
}

// The last column before `width` whose bit is clear. The caller knows one
// exists.
std::int64_t lastClear(const std::uint64_t* bits, int width)
{
    auto w = static_cast<std::size_t>((width - 1) >> kWordShift);
    const int used = (width - 1) % kWordBits + 1; // bits of the row in word w
    std::uint64_t word = ~bits[w] & (kAllOnes >> (kWordBits - used));
    while (word == 0)
        word = ~bits[--w];
    return static_cast<std::int64_t>(w) * kWordBits + (kWordBits - 1) - std::countl_zero(word);
}

} // namespace

void DiscSpans::setRadius(int radius)
{
    radius = clampRadius(radius);
    if (radius == radius_)
        return;
    radius_ = radius;
    half_.resize(static_cast<std::size_t>(radius) + 1);
    const std::int64_t r = radius;
    for (std::int64_t dy = 0; dy <= r; ++dy)
        half_[static_cast<std::size_t>(dy)] = isqrt(r * r + r - dy * dy);
}

void fill(const Surface& s, Pixel colour)
{
    if (isEmpty(s))
        return;
    for (int y = 0; y < s.height; ++y)
        std::fill_n(rowOf(s, y), s.width, colour);
}

void fillDisc(const Surface& s, int cx, int cy, const DiscSpans& shape, Pixel colour)
{
    std::int64_t first = 0;
    std::int64_t last = 0;
    if (isEmpty(s) || !clipRows(s, cy, shape.radius(), first, last))
        return;
    for (std::int64_t y = first; y <= last; ++y) {
        const int h = shape.halfWidth(static_cast<int>(y - cy));
        std::int64_t from = std::int64_t{cx} - h;
        std::int64_t to = std::int64_t{cx} + h;
        if (clipColumns(from, to, s.width))
            fillRun(rowOf(s, static_cast<int>(y)), from, to, colour);
    }
}

void outlineDisc(const Surface& s, int cx, int cy, const DiscSpans& shape, Pixel colour)
{
    std::int64_t first = 0;
    std::int64_t last = 0;
    if (isEmpty(s) || !clipRows(s, cy, shape.radius(), first, last))
        return;
    const int r = shape.radius();
    for (std::int64_t y = first; y <= last; ++y) {
        const int dy = std::abs(static_cast<int>(y - cy));
        const int h = shape.halfWidth(dy);
        // The row one further out is the only neighbour row that can be
        // narrower; beyond the radius it is empty.
        const int outer = dy < r ? shape.halfWidth(dy + 1) : -1;
        const int inner = std::min(outer + 1, h);
        Pixel* row = rowOf(s, static_cast<int>(y));
        std::int64_t from = std::int64_t{cx} - h;
        std::int64_t to = std::int64_t{cx} - inner;
        if (clipColumns(from, to, s.width))
            fillRun(row, from, to, colour);
        from = std::int64_t{cx} + inner;
        to = std::int64_t{cx} + h;
        if (clipColumns(from, to, s.width))
            fillRun(row, from, to, colour);
    }
}

bool Canvas::boxOf(const Surface& s, int cx, int cy, int radius, Box& box)
{
    const std::int64_t r = clampRadius(radius);
    std::int64_t left = cx - r;
    std::int64_t right = cx + r;
    std::int64_t top = 0;
    std::int64_t bottom = 0;
    if (isEmpty(s) || !clipColumns(left, right, s.width) ||
        !clipRows(s, cy, static_cast<int>(r), top, bottom))
        return false;
    box = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
           static_cast<int>(bottom)};
    return true;
}

void Canvas::forget()
{
    known_ = false;
    drawn_.clear();
    drawnArea_ = 0;
    markAllChanged();
}

void Canvas::takeChanges()
{
    changedEverywhere_ = false;
    changed_.clear();
    changedArea_ = 0;
}

void Canvas::markAllChanged()
{
    changedEverywhere_ = true;
    changed_.clear();
    changedArea_ = 0;
}

void Canvas::markChanged(const Box& box, std::int64_t surfaceArea)
{
    if (changedEverywhere_)
        return;
    changedArea_ +=
        (std::int64_t{box.right} - box.left + 1) * (std::int64_t{box.bottom} - box.top + 1);
    if (changed_.size() == kMaxChangedBoxes || changedArea_ * kListChangesBelowOneIn > surfaceArea)
        markAllChanged();
    else
        changed_.push_back(box);
}

void Canvas::remember(const Surface& s, int cx, int cy)
{
    Box box{};
    if (!known_ || !boxOf(s, cx, cy, shape_.radius(), box))
        return;
    if (drawn_.size() == kMaxRememberedBoxes) {
        forget();
        return;
    }
    drawn_.push_back(box);
    drawnArea_ +=
        (std::int64_t{box.right} - box.left + 1) * (std::int64_t{box.bottom} - box.top + 1);
}

void Canvas::clear(Pixel background)
{
    // The pixels are the last flushed clear's background but where it drew
    // since; the discs still pending were recorded when they came.
    if (!known_ || knownBackground_ != background) {
        markAllChanged();
    } else {
        const std::int64_t area = std::int64_t{last_.width} * last_.height;
        for (const Box& b : drawn_)
            markChanged(b, area);
    }
    // Whatever was pending is painted over anyway.
    discs_.clear();
    clearPending_ = true;
    background_ = background;
}

void Canvas::circle(const Surface& s, int cx, int cy, int radius, Pixel outline, bool filled,
                    Pixel fill)
{
    radius = clampRadius(radius);
    // Other memory than the last flush's: it holds what the canvas never drew.
    if (s.pixels != last_.pixels || s.width != last_.width || s.height != last_.height ||
        s.stride != last_.stride) {
        markAllChanged();
    } else {
        Box box{};
        if (boxOf(s, cx, cy, radius, box))
            markChanged(box, std::int64_t{s.width} * s.height);
    }
    if (filled && fill == outline) {
        if (!discs_.empty() && (radius != shape_.radius() || outline != discColour_))
            flush(s);
        if (discs_.empty()) {
            shape_.setRadius(radius);
            discColour_ = outline;
        }
        discs_.push_back({cx, cy});
        return;
    }
    // Rare (the scene always draws solid discs): one at a time, in order.
    flush(s);
    shape_.setRadius(radius);
    if (filled)
        fillDisc(s, cx, cy, shape_, fill);
    outlineDisc(s, cx, cy, shape_, outline);
    remember(s, cx, cy);
}

void Canvas::flush(const Surface& s)
{
    if (s.pixels != last_.pixels || s.width != last_.width || s.height != last_.height ||
        s.stride != last_.stride) {
        forget();
        last_ = s;
    }
    if (isEmpty(s)) {
        discs_.clear();
        clearPending_ = false;
        return;
    }

    const int r = shape_.radius();
    const auto off = [&](const Centre& c) {
        const std::int64_t x = c.x;
        const std::int64_t y = c.y;
        return x + r < 0 || x - r >= s.width || y + r < 0 || y - r >= s.height;
    };
    discs_.erase(std::remove_if(discs_.begin(), discs_.end(), off), discs_.end());

    // Discs that together cover less than the surface overlap little, and
    // drawing them one by one costs less than the union's work per row.
    const std::int64_t area = std::int64_t{s.width} * s.height;
    const std::int64_t side = 2 * std::int64_t{r} + 1;
    const bool sparse = static_cast<std::int64_t>(discs_.size()) * side * side < area;

    if (clearPending_) {
        // Where the last frames drew little, putting the background back
        // there costs less than clearing the whole surface.
        if (known_ && knownBackground_ == background_ && sparse &&
            drawnArea_ * kRestoreAtMostOneIn < area) {
            for (const Box& b : drawn_)
                for (int y = b.top; y <= b.bottom; ++y)
                    fillRun(rowOf(s, y), b.left, b.right, background_);
            clearPending_ = false;
        }
        drawn_.clear();
        drawnArea_ = 0;
        known_ = true;
        knownBackground_ = background_;
    }

    if (!sparse) {
        drawUnion(s);
    } else {
        if (clearPending_)
            fill(s, background_);
        for (const Centre& c : discs_)
            fillDisc(s, c.x, c.y, shape_, discColour_);
    }
    for (const Centre& c : discs_)
        remember(s, c.x, c.y);
    discs_.clear();
    clearPending_ = false;
}

void Canvas::drawUnion(const Surface& s)
{
    const int r = shape_.radius();

    // In order of rows, the discs that reach one row are a window that
    // slides down as the rows do, since all have the same radius.
    std::sort(discs_.begin(), discs_.end(),
              [](const Centre& a, const Centre& b) { return a.y < b.y; });

    // One word more than the row needs, always clear, ends every search.
    const auto words = static_cast<std::size_t>((s.width + kWordBits - 1) / kWordBits) + 1;
    if (rowBits_.size() < words)
        rowBits_.resize(words);
    std::uint64_t* bits = rowBits_.data();

    // The first and the last column of the row that no disc covers yet;
    // false when there is none.
    const auto findGap = [&](std::int64_t& gapFrom, std::int64_t& gapTo) {
        gapFrom = nextWith(bits, 0, false);
        if (gapFrom >= s.width)
            return false;
        gapTo = lastClear(bits, s.width);
        return true;
    };

    std::size_t first = 0;
    std::size_t last = 0;
    std::size_t centreRow = 0; // the first disc centred on this row or below it
    for (int y = 0; y < s.height; ++y) {
        while (first < discs_.size() && std::int64_t{discs_[first].y} + r < y)
            ++first;
        while (last < discs_.size() && std::int64_t{discs_[last].y} - r <= y)
            ++last;
        while (centreRow < discs_.size() && discs_[centreRow].y < y)
            ++centreRow;
        Pixel* row = rowOf(s, y);

        // Centres on this row and below it first, nearest first, then those
        // above, nearest first: the widest spans come early, so in a dense
        // frame the row is covered after a few discs, and the rest of the
        // hundreds that reach it need not be looked at.
        std::size_t down = std::clamp(centreRow, first, last);
        std::size_t up = down;
        int sinceCheck = 0;
        std::int64_t gapFrom = 0;
        std::int64_t gapTo = s.width - 1;
        std::int64_t lo = s.width;
        std::int64_t hi = -1;
        for (std::size_t n = last - first; n > 0; --n) {
            const std::size_t k = down < last ? down++ : --up;
            const int h = shape_.halfWidth(y - discs_[k].y);
            std::int64_t from = std::int64_t{discs_[k].x} - h;
            std::int64_t to = std::int64_t{discs_[k].x} + h;
            // A span outside the gap adds nothing: the columns on either
            // side of it are covered, and lo and hi already reach them.
            if (!clipColumns(from, to, s.width) || to < gapFrom || from > gapTo)
                continue;
            setBits(bits, from, to);
            lo = std::min(lo, from);
            hi = std::max(hi, to);
            if (++sinceCheck == kCoverageCheckEvery) {
                sinceCheck = 0;
                if (!findGap(gapFrom, gapTo))
                    break;
            }
        }
        if (hi < 0) {
            if (clearPending_)
                std::fill_n(row, s.width, background_);
            continue;
        }

        if (clearPending_) {
            fillRun(row, 0, lo - 1, background_);
            fillRun(row, hi + 1, s.width - 1, background_);
        }
        // Covered runs in the disc colour, the gaps between them cleared
        // when a clear is pending and left alone otherwise.
        for (std::int64_t x = lo; x <= hi;) {
            const std::int64_t end = nextWith(bits, x, false);
            fillRun(row, x, end - 1, discColour_);
            if (end > hi)
                break;
            const std::int64_t next = nextWith(bits, end, true);
            if (clearPending_)
                fillRun(row, end, next - 1, background_);
            x = next;
        }
        std::fill(bits + (lo >> kWordShift), bits + (hi >> kWordShift) + 1, 0);
    }
}

std::int64_t TileCover::cover(const std::vector<Canvas::Box>& boxes, int width, int height,
                              std::vector<Canvas::Box>& out)
{
    out.clear();
    if (width <= 0 || height <= 0)
        return 0;
    const int columns = (width + tile_ - 1) / tile_;
    const int rows = (height + tile_ - 1) / tile_;
    // One word more a row than it needs, always clear, ends every search.
    const auto words = static_cast<std::size_t>(columns / kWordBits) + 1;
    bits_.assign(words * static_cast<std::size_t>(rows), 0);
    for (const Canvas::Box& b : boxes) {
        const int left = std::clamp(b.left, 0, width - 1) / tile_;
        const int right = std::clamp(b.right, 0, width - 1) / tile_;
        const int top = std::clamp(b.top, 0, height - 1) / tile_;
        const int bottom = std::clamp(b.bottom, 0, height - 1) / tile_;
        for (int ty = top; ty <= bottom; ++ty)
            setBits(bits_.data() + words * static_cast<std::size_t>(ty), left, right);
    }

    std::int64_t covered = 0;
    std::size_t above = 0; // where the rectangles of the last row with any begin
    int aboveBottom = -2;  // the pixel row that last row of tiles ends on
    for (int ty = 0; ty < rows; ++ty) {
        const std::uint64_t* bits = bits_.data() + words * static_cast<std::size_t>(ty);
        const int top = ty * tile_;
        const int bottom = std::min(top + tile_, height) - 1;
        // The first marked tile at or after `x`, or `columns` when none is.
        const auto nextMarked = [&](std::int64_t x) {
            auto w = static_cast<std::size_t>(x >> kWordShift);
            if (w >= words)
                return std::int64_t{columns};
            std::uint64_t word = bits[w] & (kAllOnes << (x & (kWordBits - 1)));
            while (word == 0) {
                if (++w == words)
                    return std::int64_t{columns};
                word = bits[w];
            }
            return static_cast<std::int64_t>(w) * kWordBits + std::countr_zero(word);
        };
        row_.clear();
        for (std::int64_t x = nextMarked(0); x < columns;) {
            const std::int64_t end = nextWith(bits, x, false);
            row_.push_back({static_cast<int>(x) * tile_, top,
                            static_cast<int>(std::min<std::int64_t>(end * tile_, width)) - 1,
                            bottom});
            covered += (std::int64_t{row_.back().right} - row_.back().left + 1) *
                       (std::int64_t{bottom} - top + 1);
            x = nextMarked(end);
        }
        if (row_.empty())
            continue;
        const bool alike =
            aboveBottom == top - 1 && out.size() - above == row_.size() &&
            std::equal(row_.begin(), row_.end(), out.begin() + static_cast<std::ptrdiff_t>(above),
                       [](const Canvas::Box& a, const Canvas::Box& b) {
                           return a.left == b.left && a.right == b.right;
                       });
        if (alike) {
            for (auto it = out.begin() + static_cast<std::ptrdiff_t>(above); it != out.end(); ++it)
                it->bottom = bottom;
        } else {
            above = out.size();
            out.insert(out.end(), row_.begin(), row_.end());
        }
        aboveBottom = bottom;
    }
    return covered;
}

} // namespace raster
