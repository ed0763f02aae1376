#pragma once

// The obvious drawing of the drawing area's pixels: one operation at a time,
// every pixel of a disc's box tested against the disc's definition. The
// canvas's test checks it against this, and its benchmark measures it.

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
    raster::Surface surface() { return {pixels.data(), width, height, stride}; }
    Pixel& at(int x, int y) { return pixels[static_cast<std::size_t>(y * stride + x)]; }
};

inline void clear(Image& image, Pixel colour)
{
    for (int y = 0; y < image.height; ++y)
        std::fill_n(image.pixels.begin() + y * image.stride, image.width, colour);
}

inline void disc(Image& image, int cx, int cy, int radius, Pixel colour)
{
    // As the canvas takes a radius: its magnitude, at most the largest.
    const auto r = std::min<std::int64_t>(std::abs(std::int64_t{radius}), raster::kMaxRadius);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{cy} + r, image.height - 1);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{cx} + r, image.width - 1);
    for (std::int64_t y = std::max<std::int64_t>(std::int64_t{cy} - r, 0); y <= bottom; ++y)
        for (std::int64_t x = std::max<std::int64_t>(std::int64_t{cx} - r, 0); x <= right; ++x)
            if (raster::insideDisc(x - cx, y - cy, r))
                image.pixels[static_cast<std::size_t>(y * image.stride + x)] = colour;
}

} // namespace reference
