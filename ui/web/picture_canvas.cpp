#include "ui/web/picture_canvas.h"

#include <algorithm>

#include <emscripten.h>

namespace {

// Past this fraction of the picture (1 / n) the boxes save little, and one
// copy of the whole is cheaper; each box counts as this many pixels more,
// the cost of the page's call for it.
constexpr std::int64_t kBoxesBelowOneIn = 2;
constexpr std::int64_t kPixelsPerBox = 1024;

static_assert(sizeof(raster::Canvas::Box) == 4 * sizeof(int), "the page reads boxes as ints");

// `boxes` holds `count` boxes of four ints (left, top, right, bottom, all
// included); a count below zero is the whole picture.
// clang-format off
EM_JS(void, show_pixels, (const void* pixels, int width, int height, const int* boxes, int count), {
    const canvas = document.getElementById("Picture1");
    if (canvas.width !== width || canvas.height !== height) {
        canvas.width = width;
        canvas.height = height;
        count = -1;
    }
    if (width === 0 || height === 0) return;
    const image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height);
    const context = canvas.getContext("2d");
    if (count < 0) { context.putImageData(image, 0, 0); return; }
    const box = HEAP32.subarray(boxes >> 2, (boxes >> 2) + count * 4);
    for (let i = 0; i < box.length; i += 4)
        context.putImageData(image, 0, 0, box[i], box[i + 1], box[i + 2] - box[i] + 1, box[i + 3] - box[i + 1] + 1);
});
// clang-format on

} // namespace

namespace web {

raster::Surface PictureCanvas::surface()
{
    return {pixels_.data(), width_, height_, width_};
}

void PictureCanvas::fit(int width, int height, std::uint32_t background)
{
    if (width == width_ && height == height_)
        return;
    const auto size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<raster::Pixel> fitted(size, background);
    const int rows = std::min(height, height_);
    const int columns = std::min(width, width_);
    for (int y = 0; y < rows; ++y)
        std::copy_n(pixels_.begin() + y * width_, columns, fitted.begin() + y * width);
    pixels_ = std::move(fitted);
    width_ = width;
    height_ = height;
    replaced_ = true;
}

void PictureCanvas::clear(std::uint32_t background)
{
    raster_.clear(background);
}

void PictureCanvas::disc(int cx, int cy, int radius, std::uint32_t colour)
{
    raster_.disc(cx, cy, radius, colour);
}

void PictureCanvas::present()
{
    const raster::Canvas::Changes& changes = raster_.draw(surface(), !replaced_);
    int count = -1; // the whole picture
    if (!replaced_ && !changes.everywhere) {
        const auto pieces = static_cast<std::int64_t>(changes.boxes.size());
        if ((changes.pixels + pieces * kPixelsPerBox) * kBoxesBelowOneIn <=
            std::int64_t{width_} * height_)
            count = static_cast<int>(pieces);
    }
    replaced_ = false;
    if (count != 0)
        show_pixels(pixels_.data(), width_, height_,
                    reinterpret_cast<const int*>(changes.boxes.data()), count);
}

} // namespace web
