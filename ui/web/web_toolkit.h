#pragma once

// The toolkit interface over the page's own elements. Each control is the
// element whose id is its design name (see page.cpp, which makes them); an
// adapter keeps the exact single-precision values it was given and hands the
// element whole CSS pixels, as the Qt adapters do with widgets.

#include <string>

#include "ui/design.h"

#include "ui/raster/picture.h"
#include "ui/toolkit/toolkit.h"

namespace web {

// A CSS pixel is a 96th of an inch, so the design's 15 twips a pixel hold at
// every zoom; the screen's device pixels are the canvas's business alone.
inline constexpr float kCssPixelsPerInch = 96;

// The page's colour for a design colour: 0x00BBGGRR as it is, or the one
// system colour the design asks for (button text), which is black.
std::uint32_t toPagePixel(std::uint32_t color);

class Window final : public toolkit::Window {
public:
    void setScalePixels() override {}
    bool isMinimized() const override;
    // A page has no frame: the viewport plus the margins that the layout
    // takes off for one, so that the drawing area fills the viewport.
    float outerWidthTwips() const override;
    float outerHeightTwips() const override;
};

class Screen final : public toolkit::Screen {
public:
    float twipsPerPixelX() const override;
    float twipsPerPixelY() const override;
};

// The <canvas>: the picture is ui/raster's, drawn in the WebAssembly heap
// and handed to the page where it changed, at most once a displayed frame.
class PictureBox final : public toolkit::PictureBox {
public:
    // Colours in the heap are 0xAABBGGRR, in byte order the RGBA of the
    // page's ImageData, so nothing is converted to show them.
    PictureBox() { picture_.clear(toPagePixel(design::kPictureBackColor)); }
    void setScalePixels() override {}
    float width() const override { return width_; }
    float height() const override { return height_; }
    void setWidth(float w) override;
    void setHeight(float h) override;
    void cls() override;
    // Every circle is a solid disc in its own colour (see toolkit.h).
    void setFillStyleSolid() override {}
    void setFillColor(toolkit::Color) override {}
    void circle(float x, float y, float radius, toolkit::Color c) override;

    // Something was drawn that the page does not show yet.
    bool wanted() const { return picture_.wanted(); }
    // Draws the frame at the canvas's box of `width` x `height` device
    // pixels, `ratio` to a CSS pixel, and shows where it changed.
    void present(int width, int height, float ratio);

private:
    raster::Picture picture_;
    float width_ = 0;
    float height_ = 0;
};

// The panel. A viewport narrower than its design (a phone held upright, a
// window at a large zoom) shows it whole, scaled down to the viewport's
// width, so that every control stays in sight and in reach; its logic keeps
// the design's pixels.
class Frame final : public toolkit::Frame {
public:
    // The design's width and height, in CSS pixels.
    Frame(float width, float height) : designWidth_(width), height_(height) {}
    float top() const override { return top_; }
    void setTop(float top) override;
    float height() const override { return height_; }
    void setWidth(float w) override;

private:
    float designWidth_;
    float top_ = 0;
    float height_;
};

// The element of one control, by its design name.
class Element {
public:
    explicit Element(const char* id) : id_(id) {}

protected:
    const char* id_;
};

class TextBox final : public toolkit::TextBox, Element {
public:
    using Element::Element;
    std::string text() const override;
    void setText(const std::string& text) override;
};

class OptionButton final : public toolkit::OptionButton, Element {
public:
    using Element::Element;
    bool value() const override;
};

class CommandButton final : public toolkit::CommandButton, Element {
public:
    using Element::Element;
    void setCaption(const std::string& caption) override;
};

class Timer final : public toolkit::Timer {
public:
    std::int32_t interval() const override;
};

} // namespace web
