// The sliding panel under the timer: it follows the pointer while a run goes
// on, and comes back by itself once the run is stopped or paused, so that a
// button pressed from the keyboard never leaves the controls out of sight.

#include <gtest/gtest.h>

#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"

namespace {

constexpr float kLow = 300; // the pointer far below the panel's band

struct PanelRow {
    const char* name;
    bool play, pause;
    float top;      // the panel's top before
    float pointerY; // the last pointer move over the drawing area
    void (Form1::*event)(); // once before the ticks, if any
    int ticks;
    float want;
};

// Stopped or paused the panel comes back whatever the pointer, 3 pixels a
// tick; where the pointer's band lies is the GUI stress test's.
const PanelRow kPanelRows[] = {
    {"stopped_hidden_13_ticks_not_yet", false, false, -42, kLow, nullptr, 13, -3},
    {"stopped_hidden_shown_in_14", false, false, -42, kLow, nullptr, 14, 0},
    {"paused_halfway_shown_in_7", true, true, -21, kLow, nullptr, 7, 0},
    // The keyboard's way: Space on the focused button, the panel hidden.
    {"stop_from_hidden", true, false, -42, kLow, &Form1::Command1_Click, 14, 0},
    {"pause_from_hidden", true, false, -42, kLow, &Form1::Command2_Click, 14, 0},
    {"resume_follows_the_pointer_again", true, true, 0, kLow, &Form1::Command2_Click, 14, -42},
    // Tab into a panel that has slid away brings it back as the pointer would.
    {"focus_into_hidden_panel", true, false, -42, kLow, &Form1::Frame1_GotFocus, 14, 0},
    // Hiding goes on only while the top is above -41.
    {"running_stops_at_the_limit", true, false, -41, kLow, nullptr, 1, -41},
};

class Panel : public testing::TestWithParam<PanelRow> {};

TEST_P(Panel, FollowsThePointerOnlyWhileRunning)
{
    const PanelRow& row = GetParam();
    fake::Ui ui;
    ui.form.playBool = row.play;
    ui.form.pauseBool = row.pause;
    ui.frame1.topValue = row.top;
    ui.form.Picture1_MouseMove(0, 0, 5, row.pointerY);
    if (row.event)
        (ui.form.*row.event)();
    for (int t = 0; t < row.ticks; ++t)
        ui.form.Timer1_Timer();
    EXPECT_EQ(ui.frame1.topValue, row.want);
}

NAMED_ROWS(Panel, kPanelRows);

} // namespace
