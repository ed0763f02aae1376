#pragma once

// The window's fixed design. Positions and sizes are twips (1/1440 inch,
// 15 to a pixel at the standard screen setting), relative to the container.

#include <array>
#include <string_view>

namespace design {

inline constexpr std::string_view kTitle = "тепловое движеие";

inline constexpr std::string_view kStartCaption = "Старт";
inline constexpr std::string_view kStopCaption = "Стоп";
inline constexpr std::string_view kPauseCaption = "Пауза";
inline constexpr std::string_view kWrapCaption = "Замкнутое прространство";
inline constexpr std::string_view kWallsCaption = "Ограниченное пространство";

inline constexpr int kTwipsPerInch = 1440;

// Client area at design.
inline constexpr int kClientWidthTwips = 10260;
inline constexpr int kClientHeightTwips = 5730;

// The drawing area's background: the system colour for button text.
inline constexpr unsigned kPictureBackColor = 0x80000012;

inline constexpr int kTimerIntervalMs = 10;

enum class Kind { Picture, Frame, Command, Text, Label, Option };

struct Control {
    std::string_view name;
    Kind kind;
    std::string_view container; // "Form1" or "Frame1"
    std::string_view caption;   // design caption or text
    int left, top, width, height;
};

// In tab order.
inline constexpr std::array<Control, 12> kControls{{
    {"Picture1", Kind::Picture, "Form1", "", 0, 0, 5160, 3495},
    {"Frame1", Kind::Frame, "Form1", "", 0, 0, 9975, 615},
    {"Command1", Kind::Command, "Frame1", kStartCaption, 240, 120, 1695, 375},
    {"Command2", Kind::Command, "Frame1", kPauseCaption, 2160, 120, 1695, 375},
    {"Text1", Kind::Text, "Frame1", "масса", 4320, 120, 735, 285},
    {"Text2", Kind::Text, "Frame1", "максимальная скорость", 5400, 120, 735, 285},
    {"Text3", Kind::Text, "Frame1", "число частиц", 6480, 120, 735, 285},
    {"Label1", Kind::Label, "Frame1", "m", 4080, 240, 375, 255},
    {"Label2", Kind::Label, "Frame1", "v", 5160, 240, 255, 255},
    {"Label3", Kind::Label, "Frame1", "N", 6240, 240, 255, 255},
    {"Option1", Kind::Option, "Frame1", kWrapCaption, 7320, 120, 2595, 195},
    {"Option2", Kind::Option, "Frame1", kWallsCaption, 7320, 360, 2655, 195},
}};

// Looked up while compiling, so a misspelt name does not build.
consteval const Control& control(std::string_view name)
{
    for (const Control& c : kControls)
        if (c.name == name)
            return c;
    throw "no such control";
}

} // namespace design
