#pragma once

// The widget behind `Picture1`: a canvas that keeps what was drawn on it, so
// a circle shows as soon as its frame is drawn and survives being covered.
//
// The pixels are drawn by ui/raster straight into the image that the
// widget paints from. A frame's calls are collected and drawn together once
// they are over, which lets a frame of equal discs be drawn as one union;
// what shows is the same as drawing each call at once.

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

    void setBackground(const QColor& color) { background_ = color; }

    // Erases everything to the background colour.
    void clear();
    // A whole solid disc of radius `radius` around pixel (x, y); centre and
    // radius are taken to the nearest whole pixel, and the disc's shape is
    // raster's. Aliasing is deliberate: a disc is exactly its colour, edge
    // pixels included. Drawn at the screen's device pixel ratio, so that a
    // scaled screen shows a disc as sharp as its text.
    void drawDisc(float x, float y, float radius, const QColor& colour);

signals:
    // The pointer moved over the area: button and shift states as bit sets
    // (left, right, middle; shift, ctrl, alt: 1, 2, 4), position in the
    // area's pixels.
    void pointerMoved(std::int16_t button, std::int16_t shift, float x, float y);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Brings the canvas to the widget's size, keeping the picture where it
    // still fits. A hidden widget gets its resize event only when shown, so
    // the canvas follows the size itself rather than that event.
    void fitCanvas();
    // One frame, however many discs it has, drawn once its calls are over.
    void scheduleFrame();
    // Draws the frame and asks Qt to paint where it changed the pixels.
    void showFrame();

    QColor background_;
    QImage canvas_; // of device pixels, `ratio_` to a pixel of the widget
    qreal ratio_{};
    QSize fittedSize_; // the widget's size the canvas was made for; none yet
    raster::Canvas raster_;
    bool holdsLastFrame_{}; // the canvas is the one the last frame was drawn on
    bool frameScheduled_{};
    std::vector<QRect> regionRects_;
};
