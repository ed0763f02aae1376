#pragma once

// A shown main window whose clock the test drives by hand, and what the
// drawing area shows on screen.

#include <memory>

#include <QColor>
#include <QImage>
#include <QMetaObject>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "ui/qt/drawing_area.h"
#include "ui/qt/main_window.h"

namespace harness {

inline const QColor kYellow(255, 255, 0);

// Long enough for the paints that drawing asked for to reach the screen:
// Qt delivers a window's update request from a timer.
inline constexpr int kPaintsDone = 30; // ms

// Everything runs as in the program, except that the test decides when a
// tick happens.
inline std::unique_ptr<MainWindow> shownWindow()
{
    auto w = std::make_unique<MainWindow>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    w->controls().timer1->stop();
    // A move to where the pointer already is delivers nothing, so park it
    // over the panel's corner: a test's first move then always arrives.
    QTest::mouseMove(w.get(), QPoint(1, 1));
    return w;
}

// Ticks delivered through the timer's own signal.
inline void tick(MainWindow& w, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(w.controls().timer1, "timeout");
}

inline void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// The drawing area as the screen shows it once the paints asked for so far
// are done: what the window's backing store holds, so that a frame the area
// failed to repaint shows as it is, stale.
inline QImage shown(const MainWindow& w)
{
    QTest::qWait(kPaintsDone);
    const QWidget* area = w.controls().picture1;
    const QPoint at = area->mapTo(&w, QPoint(0, 0));
    return w.screen()
        ->grabWindow(w.winId(), at.x(), at.y(), area->width(), area->height())
        .toImage();
}

} // namespace harness
