#pragma once

// The widget behind `Picture1`: a canvas that keeps what was drawn on it, so
// a circle shows as soon as it is drawn and survives being covered.
//
// The pixels are drawn by ui/raster straight into the image that the
// widget paints from. Drawing is collected until the pixels are needed (the
// next paint, or a read of `canvas()`), which lets a frame of equal discs be
// drawn as one union; what shows is the same as drawing each call at once.

#include <cstdint>
#include <vector>

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

#include "ui/raster/raster.h"

class DrawingArea : public QWidget {
    Q_OBJECT
public:
    explicit DrawingArea(QWidget* parent = nullptr);

    void setBackground(const QColor& color);
    QColor background() const { return background_; }

    // Erases everything to the background colour.
    void clear();
    // A whole circle of radius `radius` around pixel (x, y), outlined in
    // `outline`, filled with `fill` when `filled`; centre and radius are
    // taken to the nearest whole pixel, and the disc's shape is raster's.
    // Aliasing is deliberate: a disc is exactly its colour, edge pixels
    // included.
    void drawCircle(float x, float y, float radius, const QColor& outline, bool filled,
                    const QColor& fill);

    // What is drawn, one pixel per device pixel of the widget: a circle's
    // centre and radius are in the widget's logical pixels, and drawn at
    // the screen's device pixel ratio.
    const QImage& canvas() const;

signals:
    // The pointer moved over the area: button and shift states as bit sets
    // (see ui/qt/mouse_state.h), position in the area's pixels.
    void pointerMoved(std::int16_t button, std::int16_t shift, float x, float y);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Brings the canvas to the widget's size, keeping the picture where it
    // still fits. A hidden widget gets its resize event only when shown, so
    // the canvas follows the size itself rather than that event.
    void fitCanvas() const;
    // Draws what the raster canvas holds back into the image.
    void settle() const;
    raster::Surface surface() const;
    // One paint per frame, however many circles the frame has, asked for
    // once the frame's calls are over.
    void scheduleUpdate();
    // Draws what is pending and asks Qt to paint where it changed the
    // pixels.
    void updateChanged();

    QColor background_;
    mutable QImage canvas_;  // of device pixels, `ratio_` to a pixel of the widget
    mutable qreal ratio_ = 1;
    mutable QSize fittedSize_{-1, -1}; // the widget's size the canvas was made for
    mutable raster::Canvas raster_;
    bool updateScheduled_ = false;
    std::vector<raster::Canvas::Box> changedRects_;
    std::vector<QRect> regionRects_;
};
