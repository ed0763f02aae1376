#pragma once

// The window operations the program relies on, and nothing more. The core is
// written against these; a Qt implementation stands behind them in the real
// program and small recording fakes stand behind them in the tests.
//
// Lengths are pixels unless a name says twips; all are single-precision.

#include <cstdint>
#include <string>

namespace toolkit {

// 0x00BBGGRR, so 0x0000FFFF is yellow.
using Color = std::int32_t;

class Window {
public:
    virtual ~Window() = default;
    virtual void setScalePixels() = 0;
    virtual bool isMinimized() const = 0;
    // Outer size, frame and title bar included.
    virtual float outerWidthTwips() const = 0;
    virtual float outerHeightTwips() const = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual float twipsPerPixelX() const = 0;
    virtual float twipsPerPixelY() const = 0;
};

// The drawing area. Drawing needs no refresh call: what the handler of one
// event draws shows together at the screen's next frame, once the handler
// has returned, and stays until drawn over.
class PictureBox {
public:
    virtual ~PictureBox() = default;
    virtual void setScalePixels() = 0;
    virtual float width() const = 0;
    virtual float height() const = 0;
    virtual void setWidth(float w) = 0;
    virtual void setHeight(float h) = 0;
    virtual void cls() = 0;
    virtual void setFillStyleSolid() = 0;
    virtual void setFillColor(Color c) = 0;
    // A whole circle in `c`. The program sets a solid fill in `c` before
    // every circle and relies on nothing more: a solid disc in `c`.
    virtual void circle(float x, float y, float radius, Color c) = 0;
};

class Frame {
public:
    virtual ~Frame() = default;
    virtual float top() const = 0;
    virtual void setTop(float top) = 0;
    virtual float height() const = 0;
    virtual void setWidth(float w) = 0;
};

// Texts are UTF-8.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

class OptionButton {
public:
    virtual ~OptionButton() = default;
    virtual bool value() const = 0;
};

class CommandButton {
public:
    virtual ~CommandButton() = default;
    virtual void setCaption(const std::string& caption) = 0;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual std::int32_t interval() const = 0;
};

// Every control the main window's logic touches. The owner of the real
// controls outlives the form that holds these references.
struct Controls {
    Window& form;
    Screen& screen;
    PictureBox& picture1;
    Frame& frame1;
    TextBox& text1;
    TextBox& text2;
    TextBox& text3;
    OptionButton& option1;
    CommandButton& command1;
    Timer& timer1;
};

} // namespace toolkit
