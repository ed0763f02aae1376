// The panel slides with the pointer over the real drawing area, a step a
// tick, at the standard 15 twips a pixel (panel 41 pixels high).

#include <QFrame>
#include <QPushButton>
#include <QTest>

#include "harness.h"

namespace {

// The pointer over the window at (x, y) of the drawing area; whatever
// widget is really there receives the move.
void pointTo(MainWindow& w, int y, int x = 300)
{
    QTest::mouseMove(&w, w.controls().picture1->mapTo(&w, QPoint(x, y)));
}

// The panel's top after each of `ticks` ticks.
QList<int> slide(MainWindow& w, int ticks)
{
    QList<int> tops;
    for (int i = 0; i < ticks; ++i) {
        harness::tick(w);
        tops << w.controls().frame1->y();
    }
    return tops;
}

std::unique_ptr<MainWindow> runningWindow()
{
    auto w = harness::shownWindow();
    if (w)
        harness::click(w->controls().command1);
    return w;
}

} // namespace

class Panel : public QObject {
    Q_OBJECT
private slots:
    void pointerBand_data();
    void pointerBand();
    void hidesInFourteenStepsAndRests();
    void comesBackInFourteenSteps();
    void reversesMidSlide();
    void controlsMoveWithPanel();
    void pointerOverPanelIsNotTheDrawingArea();
    void stillWhileStoppedOrPaused_data();
    void stillWhileStoppedOrPaused();
};

void Panel::pointerBand_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("topAfterOneTick");

    // Shown up to twice the panel's height, 82 included.
    QTest::newRow("y 41, just below the panel") << 41 << 0;
    QTest::newRow("y 82, the band's edge") << 82 << 0;
    QTest::newRow("y 83, beyond the band") << 83 << -3;
    QTest::newRow("y 300, far down") << 300 << -3;
}

void Panel::pointerBand()
{
    QFETCH(int, y);
    QFETCH(int, topAfterOneTick);

    auto w = runningWindow();
    QVERIFY(w);
    pointTo(*w, y);
    harness::tick(*w);
    QCOMPARE(w->controls().frame1->y(), topAfterOneTick);
}

void Panel::hidesInFourteenStepsAndRests()
{
    auto w = runningWindow();
    QVERIFY(w);
    pointTo(*w, 200);
    const QList<int> expected{-3,  -6,  -9,  -12, -15, -18, -21, -24,
                              -27, -30, -33, -36, -39, -42, -42, -42};
    QCOMPARE(slide(*w, 16), expected);
}

void Panel::comesBackInFourteenSteps()
{
    auto w = runningWindow();
    QVERIFY(w);
    pointTo(*w, 200);
    slide(*w, 14);
    // The panel is gone, so the pointer near the top now meets the area.
    pointTo(*w, 20);
    const QList<int> expected{-39, -36, -33, -30, -27, -24, -21, -18,
                              -15, -12, -9,  -6,  -3,  0,   0,   0};
    QCOMPARE(slide(*w, 16), expected);
}

void Panel::reversesMidSlide()
{
    auto w = runningWindow();
    QVERIFY(w);
    pointTo(*w, 200);
    slide(*w, 7);
    QCOMPARE(w->controls().frame1->y(), -21);
    pointTo(*w, 60);
    const QList<int> expected{-18, -15, -12, -9, -6, -3, 0};
    QCOMPARE(slide(*w, 7), expected);
}

void Panel::controlsMoveWithPanel()
{
    auto w = runningWindow();
    QVERIFY(w);
    QPushButton* start = w->controls().command1;
    QCOMPARE(start->mapTo(w.get(), QPoint(0, 0)), QPoint(16, 8));
    pointTo(*w, 200);
    slide(*w, 14);
    QCOMPARE(start->mapTo(w.get(), QPoint(0, 0)), QPoint(16, 8 - 42));
}

void Panel::pointerOverPanelIsNotTheDrawingArea()
{
    auto w = runningWindow();
    QVERIFY(w);
    pointTo(*w, 200);
    // Over the panel, which still covers the area's top: the target stays
    // hidden and the panel slides away under the pointer.
    // (265, 30) lies between the Pause button and the label "m".
    pointTo(*w, 30, 265);
    QCOMPARE(w->childAt(w->controls().picture1->mapTo(w.get(), QPoint(265, 30))),
             w->controls().frame1);
    QCOMPARE(slide(*w, 2), (QList<int>{-3, -6}));
}

void Panel::stillWhileStoppedOrPaused_data()
{
    QTest::addColumn<bool>("paused");

    QTest::newRow("stopped") << false;
    QTest::newRow("paused") << true;
}

void Panel::stillWhileStoppedOrPaused()
{
    QFETCH(bool, paused);

    auto w = runningWindow();
    QVERIFY(w);
    pointTo(*w, 200);
    slide(*w, 5);
    QCOMPARE(w->controls().frame1->y(), -15);
    harness::click(paused ? w->controls().command2 : w->controls().command1);

    // The target still follows the pointer, but nothing moves.
    pointTo(*w, 60);
    QCOMPARE(slide(*w, 5), (QList<int>{-15, -15, -15, -15, -15}));

    // Running again, it heads for the target now in force.
    harness::click(paused ? w->controls().command2 : w->controls().command1);
    QCOMPARE(slide(*w, 2), (QList<int>{-12, -9}));
}

QTEST_MAIN(Panel)
#include "panel_test.moc"
