#pragma once

// The drawing area's picture as both front ends keep it. The window's logic
// clears and draws discs in the area's pixels at any moment; what it draws
// shows at the screen's next frame, once the handler that drew it has
// returned. A front end hands the calls on as they come, asks its platform
// for a frame when `wanted()`, and at that frame lets `frame` bring the
// pixels up to date and shows what it reports as changed.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ui/raster/raster.h"

namespace raster {

class Picture {
public:
    // Where one frame changed the pixels: all of them, or within `boxes`.
    struct Shown {
        bool whole{};
        std::span<const Canvas::Box> boxes;
        bool empty() const { return !whole && boxes.empty(); }
    };

    // Each box counts as this many pixels more: the platform shows each on
    // its own. Past half of the picture, boxes save little over the whole.
    static constexpr std::int64_t kPixelsPerBox = 1024;

    void clear(Pixel background);
    // A disc around (x, y) in the area's pixels, as the toolkit is given it.
    void disc(float x, float y, float radius, Pixel colour);

    // Something was drawn that the screen does not show yet.
    bool wanted() const { return cleared_ || drawn_ < discs_.size(); }

    // Brings the pixels to `width` x `height` device pixels, `ratio` of them
    // to one pixel of the area, and draws what was asked since the last
    // frame. A new size keeps what was drawn where it still fits, as a window
    // that grows or shrinks does; a new ratio draws the picture anew, so that
    // it stays sharp and keeps its place.
    Shown frame(int width, int height, float ratio);

    // The pixels, row after row, as the last frame left them.
    const Surface& pixels() const { return surface_; }
    float ratio() const { return ratio_; }

private:
    struct Disc {
        float x, y, radius;
        Pixel colour;
    };
    void refit(int width, int height);

    std::vector<Pixel> store_;
    Surface surface_;
    float ratio_{}; // none yet: the first frame draws the picture whole
    Canvas canvas_;
    // The picture in the area's pixels: the background of the last clear and
    // every disc since, of which the first `drawn_` are on the pixels.
    Pixel background_{};
    std::vector<Disc> discs_;
    std::size_t drawn_{};
    bool cleared_{}; // a clear that the pixels do not show yet
};

} // namespace raster
