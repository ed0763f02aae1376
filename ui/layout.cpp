#include "ui/layout.h"

#include <algorithm>

#include "sim/params.h"
#include "sim/state.h"
#include "sim/text_rules.h"

void Form1::Form_Load()
{
    mColor = params::kMoleculeColor;
    pauseBool = false;
    ui_.form.setScalePixels();
    ui_.picture1.setScalePixels();
    playBool = false;
    vizPanel = true;
    speedm = params::kDefaultSpeed;
    kolMol = params::kDefaultMolecules;
    inMass = params::kDefaultMass;
    ui_.text1.setText(numberToText(inMass));
    ui_.text2.setText(numberToText(speedm));
    ui_.text3.setText(numberToText(kolMol));
    pctRsz();
}

void Form1::Form_Resize() { pctRsz(); }

void Form1::pctRsz()
{
    if (ui_.form.isMinimized())
        return;
    const float width = ui_.form.outerWidthTwips() / ui_.screen.twipsPerPixelX();
    const float height = ui_.form.outerHeightTwips() / ui_.screen.twipsPerPixelY();
    // A window shrunk below the margins gets an empty area, not a negative one.
    ui_.picture1.setWidth(std::max(0.0f, width - layout::kPictureWidthMargin));
    ui_.picture1.setHeight(std::max(0.0f, height - layout::kPictureHeightMargin));
    ui_.frame1.setWidth(width);
}
