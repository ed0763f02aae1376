#pragma once

// The toolkit interface on Qt widgets. Each class here adapts one Qt object
// that someone else owns (the main window creates them all) and must outlive
// the adapter.
//
// Qt lays widgets out on whole pixels, while the window's logic works in
// single-precision pixels; the adapters keep the exact values they were given
// and hand the widgets the nearest whole pixel.

#include <cstdint>
#include <string>

#include <QColor>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include "ui/toolkit/toolkit.h"

class DrawingArea;
class QFrame;

namespace qt_toolkit {

// A colour as the window's logic writes it: 0x00BBGGRR, or, with the top bit
// set, the index of a system colour: the system's own on Windows, elsewhere
// the style's standard palette, so a dark theme changes neither.
QColor toQColor(std::uint32_t color);

// Twips per logical pixel of the screen that shows `widget`, across and down.
float twipsPerPixelX(const QWidget& widget);
float twipsPerPixelY(const QWidget& widget);

class Window final : public toolkit::Window {
public:
    explicit Window(QWidget& window) : window_(window) {}
    // Qt measures in pixels from the start.
    void setScalePixels() override {}
    bool isMinimized() const override { return window_.isMinimized(); }
    float outerWidthTwips() const override
    {
        return static_cast<float>(window_.frameGeometry().width()) * twipsPerPixelX(window_);
    }
    float outerHeightTwips() const override
    {
        return static_cast<float>(window_.frameGeometry().height()) * twipsPerPixelY(window_);
    }

private:
    QWidget& window_;
};

class Screen final : public toolkit::Screen {
public:
    // The screen is whichever shows `window` at the moment of asking.
    explicit Screen(QWidget& window) : window_(window) {}
    float twipsPerPixelX() const override { return qt_toolkit::twipsPerPixelX(window_); }
    float twipsPerPixelY() const override { return qt_toolkit::twipsPerPixelY(window_); }

private:
    QWidget& window_;
};

class PictureBox final : public toolkit::PictureBox {
public:
    explicit PictureBox(DrawingArea& area);
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

private:
    DrawingArea& area_;
    float width_, height_;
};

class Frame final : public toolkit::Frame {
public:
    // `height` is the panel's exact height, which the widget holds rounded.
    Frame(QFrame& frame, float height);
    float top() const override { return top_; }
    void setTop(float top) override;
    float height() const override { return height_; }
    void setWidth(float w) override;

private:
    QFrame& frame_;
    float top_, height_;
};

class TextBox final : public toolkit::TextBox {
public:
    explicit TextBox(QLineEdit& edit) : edit_(edit) {}
    std::string text() const override { return edit_.text().toStdString(); }
    void setText(const std::string& text) override { edit_.setText(QString::fromStdString(text)); }

private:
    QLineEdit& edit_;
};

class OptionButton final : public toolkit::OptionButton {
public:
    explicit OptionButton(QRadioButton& button) : button_(button) {}
    bool value() const override { return button_.isChecked(); }

private:
    QRadioButton& button_;
};

class CommandButton final : public toolkit::CommandButton {
public:
    explicit CommandButton(QPushButton& button) : button_(button) {}
    void setCaption(const std::string& caption) override
    {
        button_.setText(QString::fromStdString(caption));
    }

private:
    QPushButton& button_;
};

class Timer final : public toolkit::Timer {
public:
    explicit Timer(QTimer& timer) : timer_(timer) {}
    std::int32_t interval() const override { return timer_.interval(); }

private:
    QTimer& timer_;
};

} // namespace qt_toolkit
