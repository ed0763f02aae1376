#pragma once

// The obvious drawing of the drawing area's pixels: one operation at a time,
// every pixel of a circle's box tested against the disc's definition: the
// slow, plainly right drawing that the canvas's speed is measured against.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ui/raster/raster.h"

namespace reference {

using raster::Pixel;

// Rows `stride` pixels apart; the `padding` after each is never drawn.
struct Image {
    int width;
    int height;
    int stride;
    std::vector<Pixel> pixels;

    Image(int w, int h, Pixel colour, int padding = 0)
        : width(w), height(h), stride(w + padding),
          pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h), colour)
    {
    }
};

inline void clear(Image& image, Pixel colour)
{
    for (int y = 0; y < image.height; ++y)
        std::fill_n(image.pixels.begin() + y * image.stride, image.width, colour);
}

inline void circle(Image& image, int cx, int cy, int radius, Pixel outline, bool filled,
                   Pixel fill)
{
    // As the canvas takes a radius: its magnitude, at most the largest.
    const auto r = std::min<std::int64_t>(std::abs(std::int64_t{radius}), raster::kMaxRadius);
    const auto in = [r](std::int64_t x, std::int64_t y) { return raster::insideDisc(x, y, r); };
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{cy} + r, image.height - 1);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{cx} + r, image.width - 1);
    for (std::int64_t y = std::max<std::int64_t>(std::int64_t{cy} - r, 0); y <= bottom; ++y) {
        for (std::int64_t x = std::max<std::int64_t>(std::int64_t{cx} - r, 0); x <= right; ++x) {
            const std::int64_t dx = x - cx;
            const std::int64_t dy = y - cy;
            if (!in(dx, dy))
                continue;
            Pixel& p = image.pixels[static_cast<std::size_t>(y * image.stride + x)];
            if (filled)
                p = fill;
            // The rim: a neighbour outside the disc. Skipped when it would
            // only repaint the fill, which keeps the benchmarks' run honest.
            if ((!filled || fill != outline) &&
                !(in(dx - 1, dy) && in(dx + 1, dy) && in(dx, dy - 1) && in(dx, dy + 1)))
                p = outline;
        }
    }
}

} // namespace reference
