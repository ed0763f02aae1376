#pragma once

// Helpers shared by the widget tests: a shown main window whose timer the
// test drives by hand, and ways to read the drawing area's pixels.

#include <cmath>
#include <memory>

#include <QColor>
#include <QImage>
#include <QMetaObject>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/qt/drawing_area.h"
#include "ui/qt/main_window.h"

namespace harness {

inline const QColor kYellow(255, 255, 0);

// A window as the program shows it, with the clock stopped so that the test
// decides when a tick happens. Everything else runs as in the program.
inline std::unique_ptr<MainWindow> shownWindow()
{
    auto w = std::make_unique<MainWindow>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    w->controls().timer1->stop();
    // Park the pointer over the panel's corner. A move to where the pointer
    // already is delivers nothing, so a test that starts where the last one
    // left off would lose its first move.
    QTest::mouseMove(w.get(), QPoint(1, 1));
    return w;
}

// One tick, delivered through the timer's own signal.
inline void tick(MainWindow& w, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(w.controls().timer1, "timeout");
}

inline void click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

inline QColor pixel(const DrawingArea& area, int x, int y)
{
    return area.canvas().pixelColor(x, y);
}

inline int pixelsOf(const QImage& image, const QColor& color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == color ? 1 : 0;
    return n;
}

// The drawing position of a centre, as the scene drawing takes it.
inline int drawn(double coordinate)
{
    return static_cast<int>(std::floor(coordinate));
}

} // namespace harness
