#include "ui/raster/picture.h"

#include <algorithm>

namespace raster {

void Picture::clear(Pixel background)
{
    background_ = background;
    discs_.clear(); // keeps its memory: a tick allocates nothing
    drawn_ = 0;
    cleared_ = true;
}

void Picture::disc(float x, float y, float radius, Pixel colour)
{
    discs_.push_back({x, y, radius, colour});
}

Picture::Shown Picture::frame(int width, int height, float ratio)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    // Unless the pixels are those of the last frame, the canvas takes
    // nothing of them as known.
    const bool holds = width == surface_.width && height == surface_.height && ratio == ratio_;
    if (width != surface_.width || height != surface_.height)
        refit(width, height);
    if (ratio != ratio_) {
        ratio_ = ratio;
        std::fill(store_.begin(), store_.end(), background_);
        cleared_ = true;
        drawn_ = 0;
    }
    if (cleared_)
        canvas_.clear(background_);
    for (; drawn_ < discs_.size(); ++drawn_) {
        const Disc& d = discs_[drawn_];
        if (const auto device = toDevicePixels(d.x, d.y, d.radius, ratio_))
            canvas_.disc(device->x, device->y, device->radius, d.colour);
    }
    cleared_ = false;
    const Canvas::Changes& changes = canvas_.draw(surface_, holds);
    const auto boxes = static_cast<std::int64_t>(changes.boxes.size());
    const std::int64_t area = std::int64_t{width} * height;
    if (!holds || changes.everywhere || (changes.pixels + boxes * kPixelsPerBox) * 2 > area)
        return {true, {}};
    return {false, changes.boxes};
}

void Picture::refit(int width, int height)
{
    std::vector<Pixel> fitted(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                              background_);
    const int rows = std::min(height, surface_.height);
    const int columns = std::min(width, surface_.width);
    for (int y = 0; y < rows; ++y)
        std::copy_n(store_.begin() + y * surface_.width, columns, fitted.begin() + y * width);
    store_ = std::move(fitted);
    surface_ = {store_.data(), width, height, width};
}

} // namespace raster
