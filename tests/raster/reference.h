#pragma once

// The obvious drawing: one operation at a time, every pixel of a circle's
// box tested against the disc's definition. Slow, and plainly right; the
// fast canvas must show exactly what this shows.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/toolkit/raster.h"

namespace reference {

using raster::Pixel;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;

    Image(int w, int h, Pixel colour)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h),
                                      colour)
    {
    }
    Pixel& at(int x, int y)
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

inline void clear(Image& image, Pixel colour)
{
    image.pixels.assign(image.pixels.size(), colour);
}

// As the canvas takes a radius: its magnitude, at most the largest.
inline std::int64_t radiusOf(int radius)
{
    const std::int64_t r = radius < 0 ? -std::int64_t{radius} : radius;
    return r < raster::kMaxRadius ? r : raster::kMaxRadius;
}

inline void circle(Image& image, int cx, int cy, int radius, Pixel outline, bool filled,
                   Pixel fill)
{
    const std::int64_t r = radiusOf(radius);
    const bool rimDiffers = !filled || fill != outline;
    const std::int64_t top = std::max<std::int64_t>(cy - r, 0);
    const std::int64_t bottom = std::min<std::int64_t>(cy + r, image.height - 1);
    const std::int64_t left = std::max<std::int64_t>(cx - r, 0);
    const std::int64_t right = std::min<std::int64_t>(cx + r, image.width - 1);
    for (std::int64_t y = top; y <= bottom; ++y) {
        const std::int64_t dy = y - cy;
        for (std::int64_t x = left; x <= right; ++x) {
            const std::int64_t dx = x - cx;
            if (!raster::insideDisc(dx, dy, r))
                continue;
            Pixel& p = image.at(static_cast<int>(x), static_cast<int>(y));
            if (filled)
                p = fill;
            if (rimDiffers && (!raster::insideDisc(dx - 1, dy, r) ||
                               !raster::insideDisc(dx + 1, dy, r) ||
                               !raster::insideDisc(dx, dy - 1, r) ||
                               !raster::insideDisc(dx, dy + 1, r)))
                p = outline;
        }
    }
}

} // namespace reference
