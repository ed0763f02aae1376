// The sliding panel under the timer: it follows the pointer while a run goes
// on, and comes back by itself once the run is stopped or paused, so that a
// button pressed from the keyboard never leaves the controls out of sight.

#include <gtest/gtest.h>

#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"

namespace {

constexpr float kLow = 300;  // the pointer far below the panel's band
constexpr float kBandEdge = 82; // twice the fake panel's 41 pixels

struct PanelRow {
    const char* name;
    bool play, pause;
    float top;      // the panel's top before
    float pointerY; // the last pointer move over the drawing area
    void (Form1::*click)(); // pressed once before the ticks, if any
    int ticks;
    float want;
};

const PanelRow kPanelRows[] = {
    // Running: the pointer alone decides.
    {"running_low_hides_in_14", true, false, 0, kLow, nullptr, 14, -42},
    {"running_low_rests_at_42", true, false, 0, kLow, nullptr, 30, -42},
    {"running_at_band_edge_shows_in_14", true, false, -42, kBandEdge, nullptr, 14, 0},
    {"running_past_band_edge_hides", true, false, 0, kBandEdge + 1, nullptr, 14, -42},
    // Stopped or paused: back to shown whatever the pointer, 3 pixels a tick.
    {"stopped_hidden_shown_in_14", false, false, -42, kLow, nullptr, 14, 0},
    {"stopped_hidden_13_ticks_not_yet", false, false, -42, kLow, nullptr, 13, -3},
    {"stopped_shown_stays", false, false, 0, kLow, nullptr, 20, 0},
    {"paused_hidden_shown_in_14", true, true, -42, kLow, nullptr, 14, 0},
    {"paused_halfway_shown_in_7", true, true, -21, kLow, nullptr, 7, 0},
    // The keyboard's way: Space on the focused button, the panel hidden.
    {"stop_from_hidden", true, false, -42, kLow, &Form1::Command1_Click, 14, 0},
    {"stop_while_paused_and_hidden", true, true, -42, kLow, &Form1::Command1_Click, 14, 0},
    {"pause_from_hidden", true, false, -42, kLow, &Form1::Command2_Click, 14, 0},
    {"resume_follows_the_pointer_again", true, true, 0, kLow, &Form1::Command2_Click, 14, -42},
    {"pause_while_stopped_and_hidden", false, false, -42, kLow, &Form1::Command2_Click, 14,
     0},
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
    if (row.click)
        (ui.form.*row.click)();
    for (int t = 0; t < row.ticks; ++t)
        ui.form.Timer1_Timer();
    EXPECT_EQ(ui.frame1.topValue, row.want);
}

NAMED_ROWS(Panel, kPanelRows);

} // namespace
