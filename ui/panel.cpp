#include "ui/panel.h"

#include "sim/state.h"

void Form1::anPanel(bool blViz)
{
    // One whole step per call, never clamped at the limit.
    if (blViz) {
        if (ui_.frame1.top() < panel::kShownTop)
            ui_.frame1.setTop(ui_.frame1.top() + panel::kStep);
    } else {
        if (ui_.frame1.top() > panel::kHiddenLimit)
            ui_.frame1.setTop(ui_.frame1.top() - panel::kStep);
    }
}

void Form1::Picture1_MouseMove(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/, float y)
{
    const float band = ui_.frame1.height() * panel::kBandFactor;
    vizPanel = !(y > band);
}

void Form1::Frame1_GotFocus()
{
    // Tab may lead into a panel that has slid away: it comes back, as it
    // does for the pointer, so the focus is never out of sight.
    vizPanel = true;
}
