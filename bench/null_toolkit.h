#pragma once

// A toolkit whose drawing does nothing, so that a benchmark of the tick
// measures the physics alone; the tick still calls every operation it calls
// in the program.

#include "sim/state.h"
#include "ui/design.h"
#include "ui/toolkit/toolkit.h"

namespace bench {

struct NullWindow : toolkit::Window {
    void setScalePixels() override {}
    bool isMinimized() const override { return false; }
    float outerWidthTwips() const override { return 0; }
    float outerHeightTwips() const override { return 0; }
};

struct NullScreen : toolkit::Screen {
    float twipsPerPixelX() const override { return 1; }
    float twipsPerPixelY() const override { return 1; }
};

struct NullPicture : toolkit::PictureBox {
    float w = 0;
    float h = 0;
    void setScalePixels() override {}
    float width() const override { return w; }
    float height() const override { return h; }
    void setWidth(float v) override { w = v; }
    void setHeight(float v) override { h = v; }
    void cls() override {}
    void setFillStyleSolid() override {}
    void setFillColor(toolkit::Color) override {}
    void circle(float, float, float, toolkit::Color) override {}
};

struct NullFrame : toolkit::Frame {
    float top() const override { return 0; }
    void setTop(float) override {}
    float height() const override { return 0; }
    void setWidth(float) override {}
};

struct NullText : toolkit::TextBox {
    std::string text() const override { return {}; }
    void setText(const std::string&) override {}
};

struct NullOption : toolkit::OptionButton {
    bool value() const override { return true; }
};

struct NullButton : toolkit::CommandButton {
    void setCaption(const std::string&) override {}
};

struct FixedTimer : toolkit::Timer {
    std::int32_t interval() const override { return design::kTimerIntervalMs; }
};

// The controls and a form on them; members first so they outlive the form.
struct NullUi {
    NullWindow window;
    NullScreen screen;
    NullPicture picture1;
    NullFrame frame1;
    NullText text1, text2, text3;
    NullOption option1;
    NullButton command1;
    FixedTimer timer1;
    Form1 form{toolkit::Controls{window, screen, picture1, frame1, text1, text2, text3, option1,
                                 command1, timer1}};

    NullUi() = default;
    NullUi(const NullUi&) = delete;
    NullUi& operator=(const NullUi&) = delete;
};

} // namespace bench
