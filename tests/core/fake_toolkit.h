#pragma once

// Recording fakes of the toolkit, and a form wired to them.

#include <string>
#include <utility>
#include <vector>

#include "sim/state.h"
#include "ui/toolkit/toolkit.h"

namespace fake {

// What the form did to the controls, in order, across all the fakes of one
// Ui: every change, clear and circle, never a read. Off until a test turns it
// on, so that long runs do not pile up entries.
struct Journal {
    bool recording = false;
    std::vector<std::string> entries;
    void note(std::string entry)
    {
        if (recording)
            entries.push_back(std::move(entry));
    }
};

struct Window : toolkit::Window {
    bool scaledToPixels = false;
    bool minimized = false;
    float outerWidth = 700 * 15.0f;
    float outerHeight = 420 * 15.0f;
    Journal* journal = nullptr;
    void setScalePixels() override
    {
        scaledToPixels = true;
        if (journal) journal->note("form.setScalePixels");
    }
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

    Journal* journal = nullptr;

    void note(std::string entry) { if (journal) journal->note("picture1." + std::move(entry)); }
    void setScalePixels() override { scaledToPixels = true; note("setScalePixels"); }
    float width() const override { ++sizeReads; return w; }
    float height() const override { ++sizeReads; return h; }
    void setWidth(float v) override { w = v; note("setWidth"); }
    void setHeight(float v) override { h = v; note("setHeight"); }
    void cls() override { ++clears; circles.clear(); note("cls"); }
    void setFillStyleSolid() override { fillSolid = true; note("setFillStyleSolid"); }
    void setFillColor(toolkit::Color c) override
    {
        fillColor = c;
        note("setFillColor " + std::to_string(c));
    }
    void circle(float x, float y, float r, toolkit::Color c) override
    {
        circles.push_back({x, y, r, c, fillSolid, fillColor});
        note("circle");
    }
};

struct Frame : toolkit::Frame {
    float topValue = 0;
    float heightValue = 41;
    float widthValue = 665;
    Journal* journal = nullptr;
    float top() const override { return topValue; }
    void setTop(float t) override { topValue = t; if (journal) journal->note("frame1.setTop"); }
    float height() const override { return heightValue; }
    void setWidth(float w) override { widthValue = w; if (journal) journal->note("frame1.setWidth"); }
};

struct TextBox : toolkit::TextBox {
    std::string name = "text";
    std::string value;
    int writes = 0;
    Journal* journal = nullptr;
    std::string text() const override { return value; }
    void setText(const std::string& t) override
    {
        value = t;
        ++writes;
        if (journal) journal->note(name + ".setText" + t);
    }
};

struct OptionButton : toolkit::OptionButton {
    bool selected = true;
    bool value() const override { return selected; }
};

struct CommandButton : toolkit::CommandButton {
    std::string caption = "Старт";
    Journal* journal = nullptr;
    void setCaption(const std::string& c) override
    {
        caption = c;
        if (journal) journal->note("command1.setCaption " + c);
    }
};

struct Timer : toolkit::Timer {
    std::int32_t intervalMs = 10;
    std::int32_t interval() const override { return intervalMs; }
};

// The controls and a form on them; members first so they outlive the form.
struct Ui {
    Journal journal;
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

    Ui()
    {
        window.journal = &journal;
        picture1.journal = &journal;
        frame1.journal = &journal;
        command1.journal = &journal;
        text1.journal = text2.journal = text3.journal = &journal;
        text1.name = "text1";
        text2.name = "text2";
        text3.name = "text3";
    }
    Ui(const Ui&) = delete;

    // Starts the journal afresh.
    void record()
    {
        journal.entries.clear();
        journal.recording = true;
    }
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
