// A disc on a scaled screen (QT_SCALE_FACTOR 2 or 1.25) is drawn on the
// screen's own pixels: as the raster's disc of the scaled radius around the
// scaled centre, not the logical disc blown up in blocks.

#include <cmath>

#include <QApplication>
#include <QTest>

#include "ui/qt/drawing_area.h"
#include "ui/raster/raster.h"

class DevicePixels : public QObject {
    Q_OBJECT
private slots:
    void discAtDeviceResolution();
};

void DevicePixels::discAtDeviceResolution()
{
    DrawingArea area;
    area.resize(40, 40);
    area.setBackground(Qt::black);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    const qreal ratio = area.devicePixelRatioF();
    // Without this the test would quietly check the unscaled screen.
    QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());

    area.clear();
    area.drawCircle(20, 20, 7, Qt::yellow, true, Qt::yellow);
    const QImage shown = area.grab().toImage();
    const auto device = [&](double logical) { return static_cast<int>(std::lround(logical * ratio)); };
    QCOMPARE(shown.size(), QSize(device(40), device(40)));

    // Every device pixel as the raster's disc of the scaled radius has it:
    // blown-up blocks of the logical disc would differ along the rim.
    const int centre = device(20);
    const int radius = device(7);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            QCOMPARE(shown.pixelColor(x, y) == QColor(Qt::yellow),
                     raster::insideDisc(x - centre, y - centre, radius));

    // A repaint of part of the area, as a moving disc asks for, puts the
    // same device pixels in the same place.
    QImage part(shown.size(), QImage::Format_RGB32);
    part.setDevicePixelRatio(ratio);
    part.fill(Qt::red);
    area.render(&part, QPoint(12, 16), QRegion(12, 16, 20, 18));
    const QRect inside(QPoint(device(12) + 1, device(16) + 1),
                       QPoint(device(32) - 2, device(34) - 2));
    QCOMPARE(part.copy(inside), shown.copy(inside));
}

QTEST_MAIN(DevicePixels)
#include "device_pixels_test.moc"
