#include "ui/web/web_toolkit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include <emscripten.h>

#include "ui/design.h"
#include "ui/layout.h"

namespace {

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kButtonText = 0x000000u; // the page's, as the desktop's standard palette

// clang-format off
// The layout viewport, which a phone does not widen for what the page clips.
EM_JS(double, viewport_size, (int down), {
    const root = document.documentElement;
    return down ? root.clientHeight : root.clientWidth;
});
EM_JS(int, page_hidden, (), { return document.hidden ? 1 : 0; });
EM_JS(void, set_style_pixels, (const char* id, const char* property, double pixels), {
    document.getElementById(UTF8ToString(id)).style[UTF8ToString(property)] = pixels + "px";
});
// At `scale` below 1 the panel shows smaller from its top left corner.
EM_JS(void, set_panel_width, (int width, float scale), {
    const panel = document.getElementById("Frame1");
    panel.style.width = width + "px";
    panel.style.transform = scale < 1 ? "scale(" + scale + ")" : "";
});
// The element's text as UTF-8, in memory of the program's, which the caller
// frees.
EM_JS(char*, element_value, (const char* id), {
    const text = document.getElementById(UTF8ToString(id)).value;
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});
EM_JS(void, set_element_value, (const char* id, const char* text), {
    document.getElementById(UTF8ToString(id)).value = UTF8ToString(text);
});
EM_JS(int, element_checked, (const char* id), {
    return document.getElementById(UTF8ToString(id)).checked ? 1 : 0;
});
EM_JS(void, set_element_caption, (const char* id, const char* text), {
    document.getElementById(UTF8ToString(id)).textContent = UTF8ToString(text);
});
static_assert(sizeof(raster::Canvas::Box) == 4 * sizeof(int), "the page reads boxes as ints");
// `boxes` holds `count` boxes of four ints (left, top, right, bottom, all
// included); a count below zero is the whole picture.
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

int wholePixels(float length)
{
    return length > 0 ? static_cast<int>(std::lround(length)) : 0;
}


float twipsPerCssPixel()
{
    return static_cast<float>(design::kTwipsPerInch) / web::kCssPixelsPerInch;
}

} // namespace

namespace web {

std::uint32_t toPagePixel(std::uint32_t color)
{
    return kOpaque | ((color & kSystemColorFlag) ? kButtonText : color);
}

bool Window::isMinimized() const
{
    return page_hidden() != 0;
}

float Window::outerWidthTwips() const
{
    const auto pixels = static_cast<float>(viewport_size(0)) + layout::kPictureWidthMargin;
    return pixels * twipsPerCssPixel();
}

float Window::outerHeightTwips() const
{
    const auto pixels = static_cast<float>(viewport_size(1)) + layout::kPictureHeightMargin;
    return pixels * twipsPerCssPixel();
}

float Screen::twipsPerPixelX() const
{
    return twipsPerCssPixel();
}

float Screen::twipsPerPixelY() const
{
    return twipsPerCssPixel();
}

void PictureBox::setWidth(float w)
{
    width_ = w;
    set_style_pixels("Picture1", "width", wholePixels(w));
}

void PictureBox::setHeight(float h)
{
    height_ = h;
    set_style_pixels("Picture1", "height", wholePixels(h));
}

void PictureBox::cls()
{
    picture_.clear(toPagePixel(design::kPictureBackColor));
}

void PictureBox::circle(float x, float y, float radius, toolkit::Color c)
{
    picture_.disc(x, y, radius, toPagePixel(static_cast<std::uint32_t>(c)));
}

void PictureBox::present(int width, int height, float ratio)
{
    const raster::Picture::Shown shown = picture_.frame(width, height, ratio);
    if (shown.empty())
        return;
    const raster::Surface& s = picture_.pixels();
    show_pixels(s.pixels, s.width, s.height, reinterpret_cast<const int*>(shown.boxes.data()),
                shown.whole ? -1 : static_cast<int>(shown.boxes.size()));
}

void Frame::setTop(float top)
{
    top_ = top;
    set_style_pixels("Frame1", "top", std::round(top));
}

void Frame::setWidth(float w)
{
    const float scale = std::min(1.0f, static_cast<float>(viewport_size(0)) / designWidth_);
    set_panel_width(wholePixels(w / scale), scale);
}

std::string TextBox::text() const
{
    const std::unique_ptr<char, void (*)(void*)> text(element_value(id_), std::free);
    return text.get();
}

void TextBox::setText(const std::string& text)
{
    set_element_value(id_, text.c_str());
}

bool OptionButton::value() const
{
    return element_checked(id_) != 0;
}

void CommandButton::setCaption(const std::string& caption)
{
    set_element_caption(id_, caption.c_str());
}

std::int32_t Timer::interval() const
{
    return design::kTimerIntervalMs;
}

} // namespace web
