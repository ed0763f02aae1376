// The window's logic without a real window: sizing, the run control state
// machine and the sliding panel. Loading shows in the widget test.

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"

namespace {

// An outer size of 700 x 420 pixels gives a picture of W - 16 by H - 38.
struct SizeRow {
    const char* name;
    float tppX, tppY, outerW, outerH; // the outer size in pixels
    bool minimized;
    float pictureW, pictureH, frameW;
};

const SizeRow kSizeRows[] = {
    {"factor_15", 15, 15, 700, 420, false, 684, 382, 700},
    {"factor_12", 12, 12, 700, 420, false, 684, 382, 700},
    {"across_15_down_12", 15, 12, 700, 420, false, 684, 382, 700},
    {"below_margins_clamped_at_0", 15, 15, 10, 20, false, 0, 0, 10},
    {"minimised_changes_nothing", 15, 15, 700, 420, true, 600, 400, 665},
};

class Resize : public testing::TestWithParam<SizeRow> {};

TEST_P(Resize, PictureFillsTheWindowPanelSpansIt)
{
    const SizeRow& row = GetParam();
    fake::Ui ui;
    std::tie(ui.screen.tppX, ui.screen.tppY) = std::tuple(row.tppX, row.tppY);
    ui.window.outerWidth = row.outerW * row.tppX;
    ui.window.outerHeight = row.outerH * row.tppY;
    ui.window.minimized = row.minimized;
    ui.frame1.topValue = -21;
    ui.form.Form_Resize();
    EXPECT_EQ(std::tuple(ui.picture1.w, ui.picture1.h, ui.frame1.widthValue, ui.frame1.topValue),
              std::tuple(row.pictureW, row.pictureH, row.frameW, -21));
}

NAMED_ROWS(Resize, kSizeRows);

enum class Run { Stopped, Running, Paused };
enum class Event { Command1, Command2, Tick };

// Whether the fields and option are read back, how many molecules there are
// afterwards, how many clears the event makes, the panel's top (its target
// being hidden).
struct RunRow {
    const char* name;
    Run from;
    Event event;
    Run to;
    bool reads;
    std::size_t count;
    int clears;
    float top;
};

const RunRow kRunRows[] = {
    {"stopped_start", Run::Stopped, Event::Command1, Run::Running, true, 7, 1, 0},
    {"running_stop", Run::Running, Event::Command1, Run::Stopped, true, 50, 1, 0},
    {"paused_stop", Run::Paused, Event::Command1, Run::Stopped, true, 50, 1, 0},
    {"running_pause", Run::Running, Event::Command2, Run::Paused, false, 50, 0, 0},
    {"paused_resume", Run::Paused, Event::Command2, Run::Running, false, 50, 0, 0},
    {"stopped_pause_nothing", Run::Stopped, Event::Command2, Run::Stopped, false, 0, 0, 0},
    {"running_tick", Run::Running, Event::Tick, Run::Running, false, 50, 1, -3},
    {"paused_tick_nothing", Run::Paused, Event::Tick, Run::Paused, false, 50, 0, 0},
    {"stopped_tick_nothing", Run::Stopped, Event::Tick, Run::Stopped, false, 0, 0, 0},
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
    const int clearsBefore = ui.picture1.clears;
    switch (row.event) {
    case Event::Command1: f.Command1_Click(); break;
    case Event::Command2: f.Command2_Click(); break;
    case Event::Tick: f.Timer1_Timer(); break;
    }
    EXPECT_EQ(std::tuple(f.playBool, f.pauseBool, ui.command1.caption),
              std::tuple(row.to != Run::Stopped, row.to == Run::Paused,
                         row.to == Run::Stopped ? "Старт" : "Стоп"));
    EXPECT_EQ(ui.text3.value, row.reads ? " 7" : "7.4");
    EXPECT_EQ(f.limtBool, row.reads ? false : wrapBefore);
    EXPECT_EQ(f.mols.size(), row.count);
    EXPECT_EQ(ui.picture1.clears - clearsBefore, row.clears);
    EXPECT_EQ(ui.frame1.topValue, row.top);
    // Stopped shows nothing; running or paused shows the last picture.
    EXPECT_EQ(ui.picture1.circles.empty(), row.to == Run::Stopped);
}

NAMED_ROWS(RunControl, kRunRows);

// The panel moves 3 pixels a step until it rests: shown at 0, hidden at the
// first step past -41.
struct SlideRow { const char* name; float from; bool shown; int steps; float to; };

const SlideRow kSlideRows[] = {
    {"hide_from_0_in_14", 0, false, 14, -42},   {"hidden_rests_at_42", -42, false, 1, -42},
    {"show_from_42_in_14", -42, true, 14, 0},   {"shown_rests_at_0", 0, true, 1, 0},
    {"show_from_21_in_7", -21, true, 7, 0},     {"rests_at_41", -41, false, 1, -41},
    {"whole_step_past_limit", -40, false, 2, -43},
};

class Slide : public testing::TestWithParam<SlideRow> {};

TEST_P(Slide, ThreePixelsPerStepUntilItRests)
{
    fake::Ui ui;
    ui.frame1.topValue = GetParam().from;
    for (int k = 0; k < GetParam().steps; ++k)
        ui.form.anPanel(GetParam().shown);
    EXPECT_EQ(ui.frame1.topValue, GetParam().to);
}

NAMED_ROWS(Slide, kSlideRows);

} // namespace
