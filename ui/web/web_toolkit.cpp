#include "ui/web/web_toolkit.h"

#include <algorithm>
#include <cmath>

#include <emscripten.h>

#include "ui/design.h"
#include "ui/layout.h"
#include "ui/raster/raster.h"

namespace {

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kButtonText = 0x000000u; // the page's, as the desktop's standard palette

// clang-format off
EM_JS(double, viewport_size, (int down), { return down ? window.innerHeight : window.innerWidth; });
EM_JS(double, device_ratio, (), { return window.devicePixelRatio || 1; });
EM_JS(int, page_hidden, (), { return document.hidden ? 1 : 0; });
EM_JS(void, set_style_pixels, (const char* id, const char* property, double pixels), {
    document.getElementById(UTF8ToString(id)).style[UTF8ToString(property)] = pixels + "px";
});
// The element's text as UTF-8: its length first, then the bytes and a nul.
EM_JS(int, element_value_bytes, (const char* id), {
    return lengthBytesUTF8(document.getElementById(UTF8ToString(id)).value);
});
EM_JS(void, copy_element_value, (const char* id, char* out, int size), {
    stringToUTF8(document.getElementById(UTF8ToString(id)).value, out, size);
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

void PictureBox::fit()
{
    ratio_ = static_cast<float>(device_ratio());
    const auto device = [this](float length) {
        return static_cast<int>(std::ceil(static_cast<float>(wholePixels(length)) * ratio_));
    };
    canvas_.fit(device(width_), device(height_), toPagePixel(design::kPictureBackColor));
}

void PictureBox::cls()
{
    // The ratio is looked up once a frame, here: a zoom changes it.
    fit();
    canvas_.clear(toPagePixel(design::kPictureBackColor));
}

void PictureBox::circle(float x, float y, float radius, toolkit::Color c)
{
    if (const auto disc = raster::toDevicePixels(x, y, radius, ratio_))
        canvas_.disc(disc->x, disc->y, disc->radius, toPagePixel(static_cast<std::uint32_t>(c)));
}

void Frame::setTop(float top)
{
    top_ = top;
    set_style_pixels("Frame1", "top", std::round(top));
}

void Frame::setWidth(float w)
{
    set_style_pixels("Frame1", "width", wholePixels(w));
}

std::string TextBox::text() const
{
    std::string text(static_cast<std::size_t>(element_value_bytes(id_)) + 1, '\0');
    copy_element_value(id_, text.data(), static_cast<int>(text.size()));
    text.pop_back();
    return text;
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
