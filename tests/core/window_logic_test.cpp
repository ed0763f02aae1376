// The window's logic without a real window: load, sizing, the run control
// state machine and the sliding panel.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"

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
              std::tuple(684, 382, 700));
}

// The outer size in pixels is W x H; the picture gets W - 16 by H - 38.
struct SizeRow {
    const char* name;
    float outerW, outerH, tppX, tppY;
    bool minimized;
    float pictureW, pictureH, frameW;
};

const SizeRow kSizeRows[] = {
    {"factor_15", 700 * 15, 420 * 15, 15, 15, false, 684, 382, 700},
    {"factor_12", 700 * 12, 420 * 12, 12, 12, false, 684, 382, 700},
    {"across_15_down_12", 700 * 15, 420 * 12, 15, 12, false, 684, 382, 700},
    {"below_margins_clamped", 10 * 15, 20 * 15, 15, 15, false, 0, 0, 10},
    {"minimised_changes_nothing", 700 * 15, 420 * 15, 15, 15, true, 600, 400, 665},
};

class Resize : public testing::TestWithParam<SizeRow> {};

TEST_P(Resize, PictureFillsTheWindowPanelSpansIt)
{
    const SizeRow& row = GetParam();
    fake::Ui ui;
    ui.window.outerWidth = row.outerW;
    ui.window.outerHeight = row.outerH;
    ui.window.minimized = row.minimized;
    ui.screen.tppX = row.tppX;
    ui.screen.tppY = row.tppY;
    ui.frame1.topValue = -21;
    ui.form.Form_Resize();
    EXPECT_EQ(std::tuple(ui.picture1.w, ui.picture1.h, ui.frame1.widthValue),
              std::tuple(row.pictureW, row.pictureH, row.frameW));
    EXPECT_EQ(ui.frame1.topValue, -21); // sizing never moves the panel
}

NAMED_ROWS(Resize, kSizeRows);

enum class Run { Stopped, Running, Paused };
enum class Event { Command1, Command2, Tick };

struct RunRow {
    const char* name;
    Run from;
    Event event;
    Run to;
    bool reads;        // fields and option read back
    std::size_t count; // molecules afterwards
    const char* log;   // clears and panel steps, in order
};

const RunRow kRunRows[] = {
    {"stopped_start", Run::Stopped, Event::Command1, Run::Running, true, 7, "cls "},
    {"running_stop", Run::Running, Event::Command1, Run::Stopped, true, 50, "cls "},
    {"paused_stop", Run::Paused, Event::Command1, Run::Stopped, true, 50, "cls "},
    {"running_pause", Run::Running, Event::Command2, Run::Paused, false, 50, ""},
    {"paused_resume", Run::Paused, Event::Command2, Run::Running, false, 50, ""},
    {"stopped_pause_nothing", Run::Stopped, Event::Command2, Run::Stopped, false, 0, ""},
    {"running_tick", Run::Running, Event::Tick, Run::Running, false, 50, "setTop cls "},
    {"paused_tick_nothing", Run::Paused, Event::Tick, Run::Paused, false, 50, ""},
    {"stopped_tick_nothing", Run::Stopped, Event::Tick, Run::Stopped, false, 0, ""},
};

class RunControl : public testing::TestWithParam<RunRow> {};

TEST_P(RunControl, Transition)
{
    const RunRow& row = GetParam();
    fake::Ui ui;
    Form1& f = ui.form;
    f.Form_Load();
    if (row.from != Run::Stopped)
        f.Command1_Click();
    if (row.from == Run::Paused)
        f.Command2_Click();
    // Edits during a run wait for the next click of Command1.
    ui.text3.value = "7.4";
    ui.option1.selected = false;
    f.vizPanel = false;
    const bool wrapBefore = f.limtBool;
    fake::Log log;
    ui.picture1.log = ui.frame1.log = &log;
    switch (row.event) {
    case Event::Command1: f.Command1_Click(); break;
    case Event::Command2: f.Command2_Click(); break;
    case Event::Tick: f.Timer1_Timer(); break;
    }
    EXPECT_EQ(f.playBool, row.to != Run::Stopped);
    EXPECT_EQ(f.pauseBool, row.to == Run::Paused);
    EXPECT_EQ(ui.command1.caption, row.to == Run::Stopped ? "Старт" : "Стоп");
    EXPECT_EQ(ui.text3.value, row.reads ? " 7" : "7.4");
    EXPECT_EQ(f.limtBool, row.reads ? false : wrapBefore);
    EXPECT_EQ(f.mols.size(), row.count);
    EXPECT_EQ(log, row.log);
    // Stopped shows nothing; running or paused shows the last picture.
    EXPECT_EQ(ui.picture1.circles.empty(), row.to == Run::Stopped);
}

NAMED_ROWS(RunControl, kRunRows);

// The top after each step, the last step finding the panel at rest.
struct SlideRow {
    const char* name;
    float top;
    bool target;
    std::vector<float> path;
};

const SlideRow kSlideRows[] = {
    {"hide_from_0_in_14", 0, false,
     {-3, -6, -9, -12, -15, -18, -21, -24, -27, -30, -33, -36, -39, -42, -42}},
    {"show_from_42_in_14", -42, true,
     {-39, -36, -33, -30, -27, -24, -21, -18, -15, -12, -9, -6, -3, 0, 0}},
    {"show_from_21_in_7", -21, true, {-18, -15, -12, -9, -6, -3, 0, 0}},
    {"rests_at_41", -41, false, {-41}},
    {"whole_step_past_the_limit", -40, false, {-43, -43}},
};

class Slide : public testing::TestWithParam<SlideRow> {};

TEST_P(Slide, ThreePixelsPerStepUntilItRests)
{
    fake::Ui ui;
    ui.frame1.topValue = GetParam().top;
    std::vector<float> path;
    for (std::size_t k = 0; k < GetParam().path.size(); ++k) {
        ui.form.anPanel(GetParam().target);
        path.push_back(ui.frame1.topValue);
    }
    EXPECT_EQ(path, GetParam().path);
}

NAMED_ROWS(Slide, kSlideRows);

// The pointer calls the panel back within twice its height.
struct BandRow {
    const char* name;
    float height, y;
    bool shown;
};

const BandRow kBandRows[] = {{"h41_y82_shown", 41, 82, true},
                             {"h41_y83_hidden", 41, 83, false},
                             {"h51_y102_shown", 51, 102, true},
                             {"h51_y103_hidden", 51, 103, false}};

class PointerBand : public testing::TestWithParam<BandRow> {};

TEST_P(PointerBand, SetsThePanelsTarget)
{
    fake::Ui ui;
    ui.frame1.heightValue = GetParam().height;
    ui.form.vizPanel = !GetParam().shown;
    ui.form.Picture1_MouseMove(1, 0, 300, GetParam().y);
    EXPECT_EQ(ui.form.vizPanel, GetParam().shown);
}

NAMED_ROWS(PointerBand, kBandRows);

} // namespace
