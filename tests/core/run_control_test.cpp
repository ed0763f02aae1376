// The run control and the sliding panel under it: each state (stopped,
// running, paused) and what each event does to it, with the captions, the
// picture and the panel. The pointer stays low, so a running gas hides the
// panel; stopped or paused the panel comes back by itself, so that a button
// pressed from the keyboard never leaves the controls out of sight. Where
// the pointer's band lies is the window test's.

#include <gtest/gtest.h>

#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"

namespace {

enum class Run { Stopped, Running, Paused };

struct RunRow {
    const char* name;
    Run from;
    float top;              // the panel's top before
    void (Form1::*event)(); // once, before the ticks, if any
    int ticks;
    Run to;
    float wantTop;
};

constexpr auto Start = &Form1::Command1_Click;
constexpr auto Pause = &Form1::Command2_Click;

const RunRow kRunRows[] = {
    {"start", Run::Stopped, 0, Start, 0, Run::Running, 0},
    {"stop", Run::Running, 0, Start, 0, Run::Stopped, 0},
    {"stop_while_paused", Run::Paused, 0, Start, 0, Run::Stopped, 0},
    {"pause", Run::Running, 0, Pause, 0, Run::Paused, 0},
    {"resume", Run::Paused, 0, Pause, 0, Run::Running, 0},
    {"pause_while_stopped_does_nothing", Run::Stopped, 0, Pause, 0, Run::Stopped, 0},
    // Hiding moves 3 pixels a tick while the top is above -41.
    {"running_hides_in_14_ticks", Run::Running, 0, nullptr, 14, Run::Running, -42},
    {"running_stops_at_the_limit", Run::Running, -41, nullptr, 1, Run::Running, -41},
    {"stopped_comes_back_in_14_ticks", Run::Stopped, -42, nullptr, 14, Run::Stopped, 0},
    {"stopped_13_ticks_not_yet", Run::Stopped, -42, nullptr, 13, Run::Stopped, -3},
    {"paused_halfway_back_in_7", Run::Paused, -21, nullptr, 7, Run::Paused, 0},
    // The keyboard's way: Space on a button that slid away with the panel.
    {"stop_from_hidden", Run::Running, -42, Start, 14, Run::Stopped, 0},
    {"pause_from_hidden", Run::Running, -42, Pause, 14, Run::Paused, 0},
    {"resume_follows_the_pointer", Run::Paused, 0, Pause, 14, Run::Running, -42},
    // Tab into the hidden panel brings it back as the pointer would.
    {"focus_into_hidden_panel", Run::Running, -42, &Form1::Frame1_GotFocus, 14, Run::Running, 0},
};

class RunControl : public testing::TestWithParam<RunRow> {};

TEST_P(RunControl, StateCaptionPictureAndPanel)
{
    const RunRow& row = GetParam();
    fake::Ui ui;
    Form1& f = ui.form;
    f.Form_Load();
    if (row.from != Run::Stopped)
        f.Command1_Click();
    f.pauseBool = row.from == Run::Paused;
    ui.frame1.topValue = row.top;
    f.Picture1_MouseMove(0, 0, 5, 300);
    const int clears = ui.picture1.clears;
    if (row.event)
        (f.*row.event)();
    for (int t = 0; t < row.ticks; ++t)
        f.Timer1_Timer();

    EXPECT_EQ(f.playBool, row.to != Run::Stopped);
    EXPECT_EQ(f.pauseBool, row.to == Run::Paused);
    EXPECT_EQ(ui.command1.caption, row.to == Run::Stopped ? "Старт" : "Стоп");
    EXPECT_EQ(ui.frame1.topValue, row.wantTop);
    // Start draws the new gas and Stop clears it, once each; a running tick
    // redraws, and nothing else touches the picture.
    const bool starts = row.from == Run::Stopped && row.to == Run::Running;
    const bool stops = row.from != Run::Stopped && row.to == Run::Stopped;
    const int redraws = row.to == Run::Running ? row.ticks : 0;
    EXPECT_EQ(ui.picture1.clears - clears, int(starts) + int(stops) + redraws);
    EXPECT_EQ(ui.picture1.circles.empty(), row.to == Run::Stopped);
    // A stopped run keeps its molecules until the next Start.
    EXPECT_EQ(f.mols.size(), row.from == Run::Stopped && !starts ? 0u : 50u);
}

NAMED_ROWS(RunControl, kRunRows);

} // namespace
