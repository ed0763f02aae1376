#pragma once

// Recording fakes of the toolkit, and a form wired to them.

#include <string>
#include <vector>

#include "sim/state.h"
#include "ui/toolkit/toolkit.h"

namespace fake {

struct Window : toolkit::Window {
    bool scaledToPixels = false;
    bool minimized = false;
    float outerWidth = 700 * 15.0f;
    float outerHeight = 420 * 15.0f;
    void setScalePixels() override { scaledToPixels = true; }
    bool isMinimized() const override { return minimized; }
    float outerWidthTwips() const override { return outerWidth; }
    float outerHeightTwips() const override { return outerHeight; }
};

struct Screen : toolkit::Screen {
    float tppX = 15;
    float tppY = 15;
    float twipsPerPixelX() const override { return tppX; }
    float twipsPerPixelY() const override { return tppY; }
};

struct Circle {
    float x, y, radius;
    toolkit::Color color;
    bool filledSolid;
    toolkit::Color fillColor;
    bool operator==(const Circle&) const = default;
};

struct PictureBox : toolkit::PictureBox {
    bool scaledToPixels = false;
    float w = 600;
    float h = 400;
    mutable int sizeReads = 0;
    int clears = 0;
    bool fillSolid = false;
    toolkit::Color fillColor = 0;
    // What is on the area since the last clear.
    std::vector<Circle> circles;

    void setScalePixels() override { scaledToPixels = true; }
    float width() const override { ++sizeReads; return w; }
    float height() const override { ++sizeReads; return h; }
    void setWidth(float v) override { w = v; }
    void setHeight(float v) override { h = v; }
    void cls() override { ++clears; circles.clear(); }
    void setFillStyleSolid() override { fillSolid = true; }
    void setFillColor(toolkit::Color c) override { fillColor = c; }
    void circle(float x, float y, float r, toolkit::Color c) override
    {
        circles.push_back({x, y, r, c, fillSolid, fillColor});
    }
};

struct Frame : toolkit::Frame {
    float topValue = 0;
    float heightValue = 41;
    float widthValue = 665;
    float top() const override { return topValue; }
    void setTop(float t) override { topValue = t; }
    float height() const override { return heightValue; }
    void setWidth(float w) override { widthValue = w; }
};

struct TextBox : toolkit::TextBox {
    std::string value;
    int writes = 0;
    std::string text() const override { return value; }
    void setText(const std::string& t) override { value = t; ++writes; }
};

struct OptionButton : toolkit::OptionButton {
    bool selected = true;
    bool value() const override { return selected; }
};

struct CommandButton : toolkit::CommandButton {
    std::string caption = "Старт";
    void setCaption(const std::string& c) override { caption = c; }
};

struct Timer : toolkit::Timer {
    std::int32_t intervalMs = 10;
    std::int32_t interval() const override { return intervalMs; }
};

// The controls and a form on them; members first so they outlive the form.
struct Ui {
    Window window;
    Screen screen;
    PictureBox picture1;
    Frame frame1;
    TextBox text1, text2, text3;
    OptionButton option1;
    CommandButton command1;
    Timer timer1;
    Form1 form{toolkit::Controls{window, screen, picture1, frame1, text1, text2, text3, option1,
                                 command1, timer1}};

    Ui() = default;
    Ui(const Ui&) = delete;
    Ui& operator=(const Ui&) = delete;
};

inline Molecule molecule(double x, double y, double vx, double vy, std::int16_t radius)
{
    Molecule m;
    m.x = x;
    m.y = y;
    m.vx = vx;
    m.vy = vy;
    m.radius = radius;
    m.mass = 200;
    return m;
}

// Puts `ms` into the form as its ensemble.
inline void setEnsemble(Form1& form, std::vector<Molecule> ms)
{
    form.molCount = static_cast<std::int16_t>(ms.size());
    form.mols = std::move(ms);
}

} // namespace fake
