// The window's logic without a real window: load, sizing, the run control
// state machine and the sliding panel.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fake_toolkit.h"

namespace {

bool has(const fake::Journal& journal, const std::string& entry)
{
    return std::find(journal.entries.begin(), journal.entries.end(), entry) !=
           journal.entries.end();
}

TEST(FormLoad, StoresDefaultsFillsFieldsThenSizes)
{
    fake::Ui ui;
    Form1& f = ui.form;
    f.playBool = f.pauseBool = true;
    ui.record();
    f.Form_Load();

    const std::vector<std::string> expected{
        "form.setScalePixels", "picture1.setScalePixels", "text1.setText 200",
        "text2.setText 1000",  "text3.setText 50",        "picture1.setWidth",
        "picture1.setHeight",  "frame1.setWidth"};
    EXPECT_EQ(ui.journal.entries, expected);
    EXPECT_EQ(std::tuple(f.mColor, f.playBool, f.pauseBool, f.vizPanel, f.limtBool),
              std::tuple(65535, false, false, true, false));
    EXPECT_EQ(std::tuple(f.speedm, f.kolMol, f.inMass, f.molCount), std::tuple(1000.0, 50, 200, 0));
    EXPECT_TRUE(f.mols.empty());
    EXPECT_TRUE(ui.window.scaledToPixels && ui.picture1.scaledToPixels);
    EXPECT_EQ(std::tuple(ui.picture1.w, ui.picture1.h, ui.frame1.widthValue),
              std::tuple(700 - 16, 420 - 38, 700));
}

TEST(Sizing, PictureFillsTheWindowPanelSpansIt)
{
    const struct {
        const char* name;
        float outerW, outerH; // twips
        float tppX, tppY;
        bool minimized;
        float pictureW, pictureH, frameW;
    } cases[] = {
        {"standard_setting", 700 * 15, 420 * 15, 15, 15, false, 684, 382, 700},
        {"twelve_twips_per_pixel", 700 * 12, 420 * 12, 12, 12, false, 684, 382, 700},
        {"factors_differ_across_and_down", 700 * 15, 420 * 12, 15, 12, false, 684, 382, 700},
        {"fractions_kept", 10237.5f, 6307.5f, 15, 15, false, 666.5f, 382.5f, 682.5f},
        {"smaller_than_the_margins", 10 * 15, 20 * 15, 15, 15, false, 0, 0, 10},
        {"minimised_changes_nothing", 700 * 15, 420 * 15, 15, 15, true, 600, 400, 665},
    };
    for (const auto& c : cases) {
        for (bool viaResizeEvent : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (viaResizeEvent ? " (resize event)" : ""));
            fake::Ui ui;
            ui.window.outerWidth = c.outerW;
            ui.window.outerHeight = c.outerH;
            ui.window.minimized = c.minimized;
            ui.screen.tppX = c.tppX;
            ui.screen.tppY = c.tppY;
            ui.frame1.topValue = -21;
            viaResizeEvent ? ui.form.Form_Resize() : ui.form.pctRsz();
            EXPECT_EQ(std::tuple(ui.picture1.w, ui.picture1.h, ui.frame1.widthValue),
                      std::tuple(c.pictureW, c.pictureH, c.frameW));
            EXPECT_EQ(std::pair(ui.frame1.topValue, ui.frame1.heightValue),
                      std::pair(-21.0f, 41.0f));
        }
    }
}

enum class Run { Stopped, Running, Paused };
enum class Event { Command1, Command2, Tick };

struct RunCase {
    const char* name;
    Run from;
    Event event;
    Run to;
    const char* caption;
    bool fieldsReRead, cleared, drawn, panelMoved;
};

const RunCase kRunCases[] = {
    {"stopped_start", Run::Stopped, Event::Command1, Run::Running, "Стоп", true, true, true, false},
    {"running_stop", Run::Running, Event::Command1, Run::Stopped, "Старт", true, true, false, false},
    {"paused_stop", Run::Paused, Event::Command1, Run::Stopped, "Старт", true, true, false, false},
    {"running_pause", Run::Running, Event::Command2, Run::Paused, "Стоп", false, false, false, false},
    {"paused_resume", Run::Paused, Event::Command2, Run::Running, "Стоп", false, false, false, false},
    {"stopped_pause_ignored", Run::Stopped, Event::Command2, Run::Stopped, "Старт", false, false,
     false, false},
    {"running_tick", Run::Running, Event::Tick, Run::Running, "Стоп", false, true, true, true},
    {"paused_tick", Run::Paused, Event::Tick, Run::Paused, "Стоп", false, false, false, false},
    {"stopped_tick", Run::Stopped, Event::Tick, Run::Stopped, "Старт", false, false, false, false},
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class RunControl : public testing::TestWithParam<RunCase> {};

std::vector<double> snapshot(const Form1& f)
{
    std::vector<double> out;
    for (const Molecule& m : f.mols)
        out.insert(out.end(), {m.x, m.y, m.vx, m.vy});
    return out;
}

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
    f.vizPanel = false; // a tick that moves the panel moves it up
    const std::vector<double> before = snapshot(f);

    ui.record();
    switch (c.event) {
    case Event::Command1: f.Command1_Click(); break;
    case Event::Command2: f.Command2_Click(); break;
    case Event::Tick: f.Timer1_Timer(); break;
    }

    EXPECT_EQ(f.playBool, c.to != Run::Stopped);
    EXPECT_EQ(f.pauseBool, c.to == Run::Paused);
    EXPECT_EQ(ui.command1.caption, c.caption);
    EXPECT_EQ(has(ui.journal, "text3.setText 50"), c.fieldsReRead);
    EXPECT_EQ(has(ui.journal, "picture1.cls"), c.cleared);
    EXPECT_EQ(has(ui.journal, "picture1.circle"), c.drawn);
    EXPECT_EQ(has(ui.journal, "frame1.setTop"), c.panelMoved);
    EXPECT_EQ(ui.frame1.topValue, c.panelMoved ? -3 : 0);
    EXPECT_EQ(snapshot(f) != before, c.drawn) << "only a Start or a running tick changes mols";
    if (c.panelMoved) {
        EXPECT_EQ(ui.journal.entries.front(), "frame1.setTop") << "the panel steps before goMol";
    }
}

INSTANTIATE_TEST_SUITE_P(States, RunControl, testing::ValuesIn(kRunCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunControlSequence, StartBuildsFromTheFieldsAsTheyStand)
{
    fake::Ui ui;
    Form1& f = ui.form;
    f.Form_Load();
    f.Command1_Click();
    EXPECT_EQ(std::tuple(f.molCount, f.mols[0].mass, f.mols[0].radius), std::tuple(50, 200, 7));
    EXPECT_TRUE(f.limtBool) << "Option1 starts selected";

    // Edits during a run wait for the next click, which is Stop here.
    ui.option1.selected = false;
    ui.text3.value = "7.4";
    f.Timer1_Timer();
    EXPECT_TRUE(f.limtBool);
    EXPECT_EQ(f.kolMol, 50);
    EXPECT_EQ(ui.text3.value, "7.4");

    const std::vector<double> last = snapshot(f);
    f.Command1_Click();
    EXPECT_FALSE(f.limtBool);
    EXPECT_EQ(f.kolMol, 7);
    EXPECT_EQ(ui.text3.value, " 7");
    EXPECT_EQ(snapshot(f), last) << "Stop keeps the last ensemble";
    EXPECT_TRUE(ui.picture1.circles.empty());

    ui.option1.selected = true;
    f.Command1_Click();
    EXPECT_TRUE(f.limtBool);
    EXPECT_EQ(f.molCount, 7);
}

TEST(RunControlSequence, PauseFreezesTheRunAndThePanelButNotTheTarget)
{
    fake::Ui ui;
    Form1& f = ui.form;
    f.Form_Load();
    f.Command2_Click(); // ignored while stopped, so the run starts unpaused
    f.Command1_Click();
    f.Picture1_MouseMove(0, 0, 100, 200);
    std::vector<double> before = snapshot(f);
    f.Timer1_Timer();
    EXPECT_NE(snapshot(f), before);
    EXPECT_EQ(ui.frame1.topValue, -3);

    f.Command2_Click();
    f.Picture1_MouseMove(0, 0, 100, 10);
    EXPECT_TRUE(f.vizPanel);
    before = snapshot(f);
    f.Timer1_Timer();
    EXPECT_EQ(snapshot(f), before);
    EXPECT_EQ(ui.frame1.topValue, -3);

    f.Command2_Click();
    f.Timer1_Timer();
    EXPECT_EQ(ui.frame1.topValue, 0);

    f.Command2_Click();
    f.Command1_Click(); // Stop while paused
    f.Command1_Click();
    EXPECT_FALSE(f.pauseBool);
    before = snapshot(f);
    f.Timer1_Timer();
    EXPECT_NE(snapshot(f), before);
}

struct SlideCase {
    const char* name;
    float top;
    bool target;
    std::vector<float> path; // the top after each step, until it rests
};

const SlideCase kSlideCases[] = {
    {"hide_from_shown", 0, false,
     {-3, -6, -9, -12, -15, -18, -21, -24, -27, -30, -33, -36, -39, -42}},
    {"show_from_hidden", -42, true,
     {-39, -36, -33, -30, -27, -24, -21, -18, -15, -12, -9, -6, -3, 0}},
    {"show_from_halfway", -21, true, {-18, -15, -12, -9, -6, -3, 0}},
    {"already_shown", 0, true, {}},
    {"already_hidden", -42, false, {}},
    {"hidden_limit_is_fixed_at_41", -41, false, {}},
    {"step_past_hidden_limit_taken_whole", -40, false, {-43}},
    {"step_past_shown_taken_whole", -1, true, {2}},
};

TEST(Panel, SlidesThreePixelsPerStepUntilItRests)
{
    for (const SlideCase& c : kSlideCases) {
        SCOPED_TRACE(c.name);
        fake::Ui ui;
        ui.frame1.topValue = c.top;
        std::vector<float> path;
        for (std::size_t k = 0; k <= c.path.size(); ++k) {
            ui.form.anPanel(c.target);
            path.push_back(ui.frame1.topValue);
        }
        std::vector<float> expected = c.path;
        expected.push_back(c.path.empty() ? c.top : c.path.back()); // at rest: no change
        EXPECT_EQ(path, expected);
    }
}

TEST(Panel, PointerBandIsTwiceThePanelHeight)
{
    const struct { const char* name; float height, y; bool shown; } cases[] = {
        {"top_of_the_area", 41, 0, true},        {"band_edge", 41, 82, true},
        {"just_past_band", 41, 82.01f, false},   {"below_band", 41, 83, false},
        {"taller_panel_band_edge", 51, 102, true}, {"taller_panel_below_band", 51, 103, false},
        {"twelve_twips_panel", 51.25f, 102.5f, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::Ui ui;
        ui.frame1.heightValue = c.height;
        ui.form.vizPanel = !c.shown;
        ui.form.Picture1_MouseMove(1, 0, 300, c.y);
        EXPECT_EQ(ui.form.vizPanel, c.shown);
    }
}

} // namespace
