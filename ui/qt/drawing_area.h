#pragma once

// The widget behind `Picture1`: it keeps what was drawn on it, so a frame
// survives being covered and shows sharp at the screen's device pixels.
// The picture is ui/raster's, as on every front end; the frame that the
// window's logic draws in one event is drawn once the event is over.

#include <cstdint>
#include <vector>

#include <QColor>
#include <QRect>
#include <QWidget>

#include "ui/raster/picture.h"

class DrawingArea : public QWidget {
    Q_OBJECT
public:
    // While the area has the keyboard focus, a frame this many pixels wide
    // in the style's highlight colour lies over the picture's edge.
    static constexpr int kFocusFrame = 2;

    explicit DrawingArea(QWidget* parent = nullptr);

    void setBackground(const QColor& color) { background_ = color; }

    // Erases everything to the background colour.
    void clear();
    // A whole solid disc of radius `radius` around pixel (x, y), in raster's
    // shape at the screen's device pixels. Aliasing is deliberate: a disc is
    // exactly its colour, edge pixels included.
    void drawDisc(float x, float y, float radius, const QColor& colour);

signals:
    // The pointer moved over the area: button and shift states as bit sets
    // (left, right, middle; shift, ctrl, alt: 1, 2, 4), position in the
    // area's pixels.
    void pointerMoved(std::int16_t button, std::int16_t shift, float x, float y);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Asks for the frame, once, after the event that draws it.
    void wantFrame();
    // Brings the picture to the widget's size and the screen's ratio and
    // draws what was asked since the last frame.
    raster::Picture::Shown drawFrame();
    // Asks Qt to paint where the frame changed the pixels.
    void show(const raster::Picture::Shown& shown);
    bool fitsWidget() const;

    QColor background_;
    raster::Picture picture_;
    bool frameWanted_{};
    std::vector<QRect> rects_; // kept, so that a frame allocates nothing
};
