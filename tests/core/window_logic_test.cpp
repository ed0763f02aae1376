// The window's logic without a real window: load, sizing, the run control
// state machine and the sliding panel.

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "fake_toolkit.h"

namespace {

TEST(FormLoad, StoresDefaultsFillsFieldsThenSizes)
{
    fake::Ui ui;
    Form1& f = ui.form;
    f.playBool = f.pauseBool = true;
    f.Form_Load();
    EXPECT_EQ(std::tuple(f.mColor, f.playBool, f.pauseBool, f.vizPanel),
              std::tuple(65535, false, false, true));
    EXPECT_EQ(std::tuple(f.speedm, f.kolMol, f.inMass), std::tuple(1000.0, 50, 200));
    EXPECT_EQ(std::tuple(ui.text1.value, ui.text2.value, ui.text3.value),
              std::tuple(" 200", " 1000", " 50"));
    EXPECT_TRUE(ui.window.scaledToPixels && ui.picture1.scaledToPixels);
    EXPECT_EQ(std::tuple(ui.picture1.w, ui.picture1.h, ui.frame1.widthValue),
              std::tuple(700 - 16, 420 - 38, 700));
}

TEST(FormResize, PictureFillsTheWindowPanelSpansIt)
{
    const struct {
        const char* name;
        float outerW, outerH, tppX, tppY; // outer size in twips
        bool minimized;
        float pictureW, pictureH, frameW;
    } cases[] = {
        {"factor_15", 700 * 15, 420 * 15, 15, 15, false, 684, 382, 700},
        {"factor_12", 700 * 12, 420 * 12, 12, 12, false, 684, 382, 700},
        {"across_15_down_12", 700 * 15, 420 * 12, 15, 12, false, 684, 382, 700},
        {"below_margins", 10 * 15, 20 * 15, 15, 15, false, 0, 0, 10},
        {"minimised", 700 * 15, 420 * 15, 15, 15, true, 600, 400, 665},
    };
    for (const auto& c : cases) {
        fake::Ui ui;
        ui.window.outerWidth = c.outerW;
        ui.window.outerHeight = c.outerH;
        ui.window.minimized = c.minimized;
        ui.screen.tppX = c.tppX;
        ui.screen.tppY = c.tppY;
        ui.frame1.topValue = -21;
        ui.form.Form_Resize();
        EXPECT_EQ(std::tuple(ui.picture1.w, ui.picture1.h, ui.frame1.widthValue),
                  std::tuple(c.pictureW, c.pictureH, c.frameW))
            << c.name;
        EXPECT_EQ(ui.frame1.topValue, -21) << "sizing never moves the panel";
    }
}

enum class Run { Stopped, Running, Paused };
enum class Event { Command1, Command2, Tick };

struct RunCase {
    const char* name;
    Run from;
    Event event;
    Run to;
    bool reads;        // fields and option read back
    std::size_t count; // molecules afterwards
    const char* log;   // clears and panel steps, in order
};
void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

const RunCase kRunCases[] = {
    {"stopped_start", Run::Stopped, Event::Command1, Run::Running, true, 7, "cls "},
    {"running_stop", Run::Running, Event::Command1, Run::Stopped, true, 50, "cls "},
    {"paused_stop", Run::Paused, Event::Command1, Run::Stopped, true, 50, "cls "},
    {"running_pause", Run::Running, Event::Command2, Run::Paused, false, 50, ""},
    {"paused_resume", Run::Paused, Event::Command2, Run::Running, false, 50, ""},
    {"stopped_pause", Run::Stopped, Event::Command2, Run::Stopped, false, 0, ""},
    {"running_tick", Run::Running, Event::Tick, Run::Running, false, 50, "setTop cls "},
    {"paused_tick", Run::Paused, Event::Tick, Run::Paused, false, 50, ""},
    {"stopped_tick", Run::Stopped, Event::Tick, Run::Stopped, false, 0, ""},
};

class RunControl : public testing::TestWithParam<RunCase> {};

TEST_P(RunControl, Transition)
{
    const RunCase& c = GetParam();
    fake::Ui ui;
    Form1& f = ui.form;
    f.Form_Load();
    if (c.from != Run::Stopped)
        f.Command1_Click();
    if (c.from == Run::Paused)
        f.Command2_Click();
    // Edits during a run wait for the next click of Command1.
    ui.text3.value = "7.4";
    ui.option1.selected = false;
    f.vizPanel = false;
    const bool wrapBefore = f.limtBool;
    fake::Log log;
    ui.picture1.log = ui.frame1.log = &log;

    switch (c.event) {
    case Event::Command1: f.Command1_Click(); break;
    case Event::Command2: f.Command2_Click(); break;
    case Event::Tick: f.Timer1_Timer(); break;
    }

    EXPECT_EQ(f.playBool, c.to != Run::Stopped);
    EXPECT_EQ(f.pauseBool, c.to == Run::Paused);
    EXPECT_EQ(ui.command1.caption, c.to == Run::Stopped ? "Старт" : "Стоп");
    EXPECT_EQ(ui.text3.value, c.reads ? " 7" : "7.4");
    EXPECT_EQ(f.limtBool, c.reads ? false : wrapBefore);
    EXPECT_EQ(f.mols.size(), c.count);
    EXPECT_EQ(log, c.log);
    // Stopped shows nothing; running or paused shows the last picture.
    EXPECT_EQ(ui.picture1.circles.empty(), c.to == Run::Stopped);
}

INSTANTIATE_TEST_SUITE_P(States, RunControl, testing::ValuesIn(kRunCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The top after each step, the last step finding the panel at rest.
TEST(Panel, SlidesThreePixelsPerStepUntilItRests)
{
    const struct { const char* name; float top; bool target; std::vector<float> path; } cases[] = {
        {"hide_from_0", 0, false,
         {-3, -6, -9, -12, -15, -18, -21, -24, -27, -30, -33, -36, -39, -42, -42}},
        {"show_from_42", -42, true,
         {-39, -36, -33, -30, -27, -24, -21, -18, -15, -12, -9, -6, -3, 0, 0}},
        {"show_from_21", -21, true, {-18, -15, -12, -9, -6, -3, 0, 0}},
        {"rests_at_41", -41, false, {-41}},
        {"step_past_limit_whole", -40, false, {-43, -43}},
    };
    for (const auto& c : cases) {
        fake::Ui ui;
        ui.frame1.topValue = c.top;
        for (float top : c.path) {
            ui.form.anPanel(c.target);
            EXPECT_EQ(ui.frame1.topValue, top) << c.name;
        }
    }
}

TEST(Panel, PointerBandIsTwiceThePanelHeight)
{
    const struct { float height, y; bool shown; } cases[] = {
        {41, 82, true}, {41, 83, false}, {51, 102, true}, {51, 103, false}};
    for (const auto& c : cases) {
        fake::Ui ui;
        ui.frame1.heightValue = c.height;
        ui.form.vizPanel = !c.shown;
        ui.form.Picture1_MouseMove(1, 0, 300, c.y);
        EXPECT_EQ(ui.form.vizPanel, c.shown) << "height " << c.height << ", y " << c.y;
    }
}

} // namespace
