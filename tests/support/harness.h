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

// Returns once every paint asked for so far has reached the window's
// backing store: the drawing area's end-of-frame event, then the update
// request Qt sends the window when painting is due (one request serves all
// that were asked for), handled before the wait returns. False if none
// came within the wait's limit.
inline bool paintsDone(QWidget& window)
{
    QCoreApplication::sendPostedEvents();
    struct Spy : QObject {
        bool seen = false;
        bool eventFilter(QObject*, QEvent* e) override
        {
            seen = seen || e->type() == QEvent::UpdateRequest;
            return false;
        }
    } spy;
    QWindow* handle = window.windowHandle();
    handle->installEventFilter(&spy);
    handle->requestUpdate();
    const bool done = QTest::qWaitFor([&] { return spy.seen; });
    handle->removeEventFilter(&spy);
    return done;
}

// Ticks delivered through the timer's own signal.
inline void tick(MainWindow& w, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(w.controls().timer1, "timeout");
}

} // namespace harness
