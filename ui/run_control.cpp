#include <string>

#include "sim/state.h"
#include "ui/design.h"

void Form1::Command1_Click()
{
    // Both Start and Stop re-read the fields and the boundary option.
    rePar();
    limtBool = ui_.option1.value();
    if (playBool) {
        pauseBool = false;
        ui_.picture1.cls();
        ui_.command1.setCaption(std::string(design::kStartCaption));
    } else {
        startSmlM(kolMol, speedm, inMass);
        ui_.command1.setCaption(std::string(design::kStopCaption));
    }
    playBool = !playBool;
}

void Form1::Command2_Click()
{
    if (playBool)
        pauseBool = !pauseBool;
}

void Form1::Timer1_Timer()
{
    if (playBool && !pauseBool) {
        anPanel(vizPanel);
        goMol();
    } else {
        // Stopped or paused, the panel slides back whatever the pointer: the
        // button that was pressed from the keyboard may have slid out of
        // sight, and nothing else would bring it back until the next run.
        anPanel(true);
    }
}
