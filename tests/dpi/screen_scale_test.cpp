// The window at 12 twips a pixel (120 dots an inch): the panel is 615 / 12 =
// 51.25 pixels high, still comes to rest at -42, and the pointer calls it back
// up to twice its height.

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include "tests/support/harness.h"

namespace {

// A pointer move over the drawing area at a height between two pixels.
void pointAt(MainWindow& w, double y)
{
    QWidget* area = w.controls().picture1;
    const QPointF local(10, y);
    QMouseEvent move(QEvent::MouseMove, local, area->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(area, &move);
}

} // namespace

class ScreenScale : public QObject {
    Q_OBJECT
private slots:
    void panelAtTwelveTwipsAPixel();
};

void ScreenScale::panelAtTwelveTwipsAPixel()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    // Without this, everything below would quietly test the standard setting.
    QCOMPARE(w->screen()->logicalDotsPerInchY(), 120.0);
    const QFrame* panel = w->controls().frame1;
    QCOMPARE(panel->height(), 51);

    // Twice the exact 51.25, not twice the 51 whole pixels the widget shows.
    pointAt(*w, 102.5);
    QVERIFY(w->form().vizPanel);
    pointAt(*w, 102.75);
    QVERIFY(!w->form().vizPanel);

    harness::click(w->controls().command1);
    harness::tick(*w, 14);
    QCOMPARE(panel->y(), -42);
    harness::tick(*w); // at rest, with a strip of the taller panel in view
    QCOMPARE(panel->y(), -42);
}

QTEST_MAIN(ScreenScale)
#include "screen_scale_test.moc"
