#pragma once

// Frames as the scene draws them: an ensemble made and moved by the real
// window logic, and the circles of one redraw (discs and wrap-around images)
// recorded instead of drawn, for the drawing benchmarks to replay.

#include <cstdint>
#include <string>
#include <vector>

#include "null_toolkit.h"
#include "sim/params.h"
#include "sim/state.h"

namespace bench {

struct RecordedCircle {
    int x;
    int y;
    int radius;
};

// A picture box that keeps the circles it is asked for.
struct RecordingPicture : NullPicture {
    std::vector<RecordedCircle> circles;
    void cls() override { circles.clear(); }
    void circle(float x, float y, float r, toolkit::Color) override
    {
        circles.push_back({static_cast<int>(x), static_cast<int>(y), static_cast<int>(r)});
    }
};

struct FrameCase {
    const char* area;
    int width;
    int height;
    std::int16_t molecules;
    std::int32_t mass;
    const char* radius; // what the mass gives, for the case's name
};

// The drawing area at the window's design size, a 720p, a 1080p and a 4K
// one (the window filling the screen), at the default mass (radius 7) and
// the largest (radius 178).
inline constexpr FrameCase kFrameCases[] = {
    {"668x344", 668, 344, params::kDefaultMolecules, params::kDefaultMass, "7"},
    {"1280x720", 1280, 720, params::kDefaultMolecules, params::kDefaultMass, "7"},
    {"1280x720", 1280, 720, params::kMaxMolecules, params::kDefaultMass, "7"},
    {"1280x720", 1280, 720, params::kMaxMolecules, params::kMaxMass, "178"},
    {"1920x1080", 1920, 1080, params::kDefaultMolecules, params::kDefaultMass, "7"},
    {"1920x1080", 1920, 1080, params::kMaxMolecules, params::kDefaultMass, "7"},
    {"1920x1080", 1920, 1080, params::kMaxMolecules, params::kMaxMass, "178"},
    {"3824x2122", 3824, 2122, params::kMaxMolecules, params::kDefaultMass, "7"},
    {"3824x2122", 3824, 2122, params::kMaxMolecules, params::kMaxMass, "178"},
};

inline std::string frameName(const char* variant, const FrameCase& c)
{
    return std::string(variant) + "/" + c.area + "/N:" + std::to_string(c.molecules) +
           "/r:" + c.radius;
}

// Ticks before the frame is taken, so that the random start's overlaps are
// pushed apart as they are in a running program.
inline constexpr int kSettleTicks = 20;

// The circles of one wrap-around redraw after `ticks` ticks.
inline std::vector<RecordedCircle> sceneFrame(const FrameCase& c, int ticks = kSettleTicks)
{
    NullWindow window;
    NullScreen screen;
    RecordingPicture picture;
    NullFrame frame;
    NullText text1, text2, text3;
    NullOption option1;
    NullButton command1;
    FixedTimer timer1;
    Form1 form{toolkit::Controls{window, screen, picture, frame, text1, text2, text3, option1,
                                 command1, timer1}};
    picture.w = static_cast<float>(c.width);
    picture.h = static_cast<float>(c.height);
    form.Form_Load();
    picture.w = static_cast<float>(c.width); // the load sizes the area to the window
    picture.h = static_cast<float>(c.height);
    form.limtBool = true;
    form.startSmlM(c.molecules, params::kDefaultSpeed, c.mass);
    for (int k = 0; k < ticks; ++k)
        form.goMol();
    return picture.circles;
}

} // namespace bench
