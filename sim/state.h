#pragma once

// The main window object and everything it holds. All of the program's state
// lives here; its operations are defined one concern per file:
//   sim/params.cpp       rePar
//   sim/ensemble.cpp     startSmlM
//   sim/tick.cpp         goMol, finishMolecule, ticksPerSecond
//   sim/boundary.cpp     LimType1, LimType2
//   render/scene.cpp     pictSmlM
//   render/circle.cpp    myCirc
//   ui/layout.cpp        pctRsz, Form_Load, Form_Resize
//   ui/panel.cpp         anPanel, Picture1_MouseMove, Frame1_GotFocus
//   ui/run_control.cpp   Command1_Click, Command2_Click, Timer1_Timer

#include <cstdint>
#include <vector>

#include "sim/random.h"
#include "ui/toolkit/toolkit.h"

struct Molecule {
    double vx{};    // pixels per second, positive towards growing x
    double vy{};    // pixels per second, positive downwards
    double x{};     // centre, pixels from the drawing area's left edge
    double y{};     // centre, pixels from the drawing area's top edge
    std::int32_t mass{};
    std::int16_t radius{};
};

class Form1 {
public:
    // `source`, when given, replaces the program's own random numbers.
    explicit Form1(const toolkit::Controls& controls, UniformSource* source = nullptr)
        : ui_(controls), rnd_(source ? *source : ownSource_)
    {
    }

    // State, in declaration order. Everything starts zero/false/empty; the
    // load event stores the defaults.
    bool vizPanel{}; // panel target: shown (true) or hidden
    bool playBool{}; // a run is in progress (running or paused)
    toolkit::Color mColor{};
    std::vector<Molecule> mols;
    std::int16_t molCount{}; // length of the current ensemble
    bool pauseBool{};
    std::int16_t kolMol{}; // setting: number of molecules
    std::int32_t inMass{}; // setting: mass of one molecule
    double speedm{};       // setting: largest speed of one component
    bool limtBool{};       // true: edges wrap around; false: walls

    // Procedures.
    void anPanel(bool blViz);
    void pctRsz();
    void myCirc(std::int16_t inX, std::int16_t inY, std::int16_t rad, toolkit::Color cColor,
                bool limtBool) const;
    double LimType1(double coord, bool tpCoo) const;
    std::int16_t LimType2(double tpCoo, std::int16_t mrad, bool tpDlt, double velocity) const;
    void pictSmlM(bool boolLim) const;
    void startSmlM(std::int16_t kolMol, double speedm, std::int32_t inMass);
    void goMol();
    void rePar();

    // The end of molecule mi's pass within a tick: its edge rule, then its
    // advance by one tick, `tickRate` being ticksPerSecond().
    void finishMolecule(Molecule& mi, double tickRate) const;
    // Ticks a second at the timer's interval: velocities are per second.
    double ticksPerSecond() const;

    // Event handlers: the only entry points once the window exists.
    void Form_Load();
    void Form_Resize();
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void Picture1_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    // A control on the panel took the keyboard focus.
    void Frame1_GotFocus();

private:
    toolkit::Controls ui_;
    UniformSource ownSource_;
    UniformSource& rnd_;
};
