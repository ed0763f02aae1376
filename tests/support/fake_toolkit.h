#pragma once

// Recording fakes of the toolkit, and a form wired to them: shared by the
// core tests, the soak and the fuzz target.

#include <string>
#include <vector>

#include "sim/state.h"
#include "ui/toolkit/toolkit.h"

namespace fake {

// A window of 700 x 420 pixels at 15 twips a pixel.
struct Window : toolkit::Window {
    void setScalePixels() override {}
    bool isMinimized() const override { return false; }
    float outerWidthTwips() const override { return 700 * 15; }
    float outerHeightTwips() const override { return 420 * 15; }
};

struct Screen : toolkit::Screen {
    float twipsPerPixelX() const override { return 15; }
    float twipsPerPixelY() const override { return 15; }
};

struct Circle {
    float x, y, radius;
    toolkit::Color color;
    bool filledSolid;
    toolkit::Color fillColor;
    bool operator==(const Circle&) const = default;
};

struct PictureBox : toolkit::PictureBox {
    bool fillSolid = false;
    float w = 600, h = 400;
    int clears = 0;
    toolkit::Color fillColor = 0;
    std::vector<Circle> circles; // what is on the area since the last clear
    void setScalePixels() override {}
    float width() const override { return w; }
    float height() const override { return h; }
    void setWidth(float v) override { w = v; }
    void setHeight(float v) override { h = v; }
    void cls() override { ++clears, circles.clear(); }
    void setFillStyleSolid() override { fillSolid = true; }
    void setFillColor(toolkit::Color c) override { fillColor = c; }
    void circle(float x, float y, float r, toolkit::Color c) override
    {
        circles.push_back({x, y, r, c, fillSolid, fillColor});
    }
};

struct Frame : toolkit::Frame {
    float topValue = 0;
    float top() const override { return topValue; }
    void setTop(float t) override { topValue = t; }
    float height() const override { return 41; }
    void setWidth(float) override {}
};

struct TextBox : toolkit::TextBox {
    std::string value;
    std::string text() const override { return value; }
    void setText(const std::string& t) override { value = t; }
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
    std::int32_t interval() const override { return 10; }
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
    Form1 form;
    // `source`, when given, supplies the random draws of every Start.
    explicit Ui(UniformSource* source = nullptr)
        : form({window, screen, picture1, frame1, text1, text2, text3, option1, command1, timer1},
               source)
    {
    }
    Ui(const Ui&) = delete; // a copy's form would still drive the original's controls

    // Puts `ms` into the form as its ensemble.
    void setEnsemble(std::vector<Molecule> ms)
    {
        form.molCount = static_cast<std::int16_t>(ms.size());
        form.mols = std::move(ms);
    }
};

} // namespace fake
