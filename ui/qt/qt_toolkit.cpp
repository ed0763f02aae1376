#include "ui/qt/qt_toolkit.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QFrame>
#include <QPalette>
#include <QScreen>
#include <QStyle>

#ifdef _WIN32
#ifndef NOMINMAX // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#include "ui/design.h"
#include "ui/qt/drawing_area.h"

namespace qt_toolkit {

namespace {

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
constexpr std::uint32_t kSystemColorIndexMask = 0x00FFFFFFu;

int byteAt(std::uint32_t value, int shift)
{
    return static_cast<int>((value >> shift) & 0xFFu);
}

// Whole pixels for a widget from an exact length; never negative.
int wholePixels(float length)
{
    return static_cast<int>(std::max(0L, std::lround(length)));
}

float logicalDpiTwips(qreal dpi)
{
    return static_cast<float>(design::kTwipsPerInch / dpi);
}

const QScreen* screenOf(const QWidget& widget)
{
    const QScreen* s = widget.screen();
    return s ? s : QGuiApplication::primaryScreen();
}

QColor fromBgr(std::uint32_t color)
{
    return QColor(byteAt(color, 0), byteAt(color, 8), byteAt(color, 16));
}

} // namespace

QColor toQColor(std::uint32_t color)
{
    if (!(color & kSystemColorFlag))
        return fromBgr(color);
    const std::uint32_t index = color & kSystemColorIndexMask;
#ifdef _WIN32
    // Dark mode leaves these colours as they always were.
    return fromBgr(static_cast<std::uint32_t>(GetSysColor(static_cast<int>(index))));
#else
    constexpr std::uint32_t kButtonTextIndex = 0x12; // the one the window asks for
    // The style's own palette, not the desktop's: a dark theme would turn
    // button text white, and the picture's black background with it.
    const QPalette standard = QApplication::style()->standardPalette();
    return standard.color(QPalette::Active,
                          index == kButtonTextIndex ? QPalette::ButtonText : QPalette::WindowText);
#endif
}

float twipsPerPixelX(const QWidget& widget)
{
    return logicalDpiTwips(screenOf(widget)->logicalDotsPerInchX());
}

float twipsPerPixelY(const QWidget& widget)
{
    return logicalDpiTwips(screenOf(widget)->logicalDotsPerInchY());
}

// --- Drawing area

PictureBox::PictureBox(DrawingArea& area)
    : area_(area), width_(static_cast<float>(area.width())),
      height_(static_cast<float>(area.height()))
{
}

void PictureBox::setWidth(float w)
{
    width_ = w;
    area_.resize(wholePixels(w), area_.height());
}

void PictureBox::setHeight(float h)
{
    height_ = h;
    area_.resize(area_.width(), wholePixels(h));
}

void PictureBox::cls()
{
    area_.clear();
}

void PictureBox::circle(float x, float y, float radius, toolkit::Color c)
{
    area_.drawDisc(x, y, radius, toQColor(static_cast<std::uint32_t>(c)));
}

// --- Panel

Frame::Frame(QFrame& frame, float height)
    : frame_(frame), top_(static_cast<float>(frame.y())), height_(height)
{
}

void Frame::setTop(float top)
{
    top_ = top;
    frame_.move(frame_.x(), static_cast<int>(std::lround(top)));
}

void Frame::setWidth(float w)
{
    frame_.resize(wholePixels(w), frame_.height());
}

} // namespace qt_toolkit
