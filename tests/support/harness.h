#pragma once

// A shown main window whose clock the test drives by hand.

#include <memory>

#include <QtTest>
#include <QtWidgets>

#include "ui/qt/drawing_area.h"
#include "ui/qt/main_window.h"

namespace harness {

// Everything runs as in the program, except that the test decides when a
// tick happens.
inline std::unique_ptr<MainWindow> shownWindow()
{
    auto w = std::make_unique<MainWindow>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    w->controls().timer1->stop();
    return w;
}

// Ticks delivered through the timer's own signal.
inline void tick(MainWindow& w, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(w.controls().timer1, "timeout");
}

} // namespace harness
