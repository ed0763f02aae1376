#pragma once

// The pixels behind the page's <canvas>: the project's raster canvas draws
// them in the WebAssembly heap, and the page is handed what changed, viewed
// in place. Every use of raster::Canvas in the browser build is in this class.

#include <cstdint>
#include <vector>

#include "ui/raster/raster.h"

namespace web {

class PictureCanvas {
public:
    // Colours here are 0xAABBGGRR, which in the heap's byte order is the
    // RGBA of the page's ImageData, so nothing is converted to show them.
    // Brings the canvas to `width` x `height` device pixels, keeping the
    // picture where it still fits.
    void fit(int width, int height, std::uint32_t background);
    int width() const { return width_; }
    int height() const { return height_; }
    void clear(std::uint32_t background);
    // A whole solid disc around pixel (cx, cy).
    void disc(int cx, int cy, int radius, std::uint32_t colour);
    // Draws the frame and copies what changed to the page.
    void present();

private:
    raster::Surface surface();

    std::vector<raster::Pixel> pixels_;
    int width_ = 0;
    int height_ = 0;
    raster::Canvas raster_;
    bool replaced_ = true; // the pixels are new since the last frame was drawn
};

} // namespace web
