// The drawing area and the panel follow the window's outer size: resizing,
// minimising and restoring the real window.

#include <QFrame>
#include <QTest>

#include "harness.h"

namespace {

// What the drawing area and panel must measure for the window as it stands:
// the outer size, frame included, less the fixed margins of 16 and 38.
struct Expected {
    QSize picture;
    int panelWidth;
};

Expected expectedFor(const MainWindow& w)
{
    const QSize outer = w.frameGeometry().size();
    return {QSize(std::max(0, outer.width() - 16), std::max(0, outer.height() - 38)),
            outer.width()};
}

} // namespace

class Layout : public QObject {
    Q_OBJECT
private slots:
    void firstDisplay();
    void resize_data();
    void resize();
    void panelKeepsHeightAndTop();
    void minimisedKeepsSizes();
    void restoreResizes();
    void maximiseResizes();
};

void Layout::firstDisplay()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    const Expected e = expectedFor(*w);
    QCOMPARE(w->controls().picture1->size(), e.picture);
    QCOMPARE(w->controls().frame1->width(), e.panelWidth);
    // The area reaches under the panel rather than starting below it.
    QCOMPARE(w->controls().picture1->pos(), QPoint(0, 0));
}

void Layout::resize_data()
{
    QTest::addColumn<QSize>("client");

    QTest::newRow("design size") << QSize(684, 382);
    QTest::newRow("wide") << QSize(1200, 400);
    QTest::newRow("tall") << QSize(300, 900);
    QTest::newRow("narrower than the panel") << QSize(200, 150);
    QTest::newRow("below both margins") << QSize(6, 12);
}

void Layout::resize()
{
    QFETCH(QSize, client);

    auto w = harness::shownWindow();
    QVERIFY(w);
    w->resize(client);
    QTRY_COMPARE(w->size(), client);

    const Expected e = expectedFor(*w);
    QCOMPARE(w->controls().picture1->size(), e.picture);
    QCOMPARE(w->controls().picture1->canvas().size(), e.picture);
    QCOMPARE(w->controls().frame1->width(), e.panelWidth);
    // The panel always spans the window: never narrower than the area.
    QVERIFY(w->controls().frame1->width() >= w->controls().picture1->width());
}

void Layout::panelKeepsHeightAndTop()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    // Part-hide the panel: run, send the target down, take two steps.
    harness::click(w->controls().command1);
    QTest::mouseMove(w.get(), QPoint(300, 300));
    harness::tick(*w, 2);
    QCOMPARE(w->controls().frame1->y(), -6);

    w->resize(900, 500);
    QTRY_COMPARE(w->size(), QSize(900, 500));
    QCOMPARE(w->controls().frame1->y(), -6);
    QCOMPARE(w->controls().frame1->height(), 41);
    QCOMPARE(w->form().molCount, 50); // a resize leaves the run alone
}

void Layout::minimisedKeepsSizes()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    const QSize picture = w->controls().picture1->size();
    const int panel = w->controls().frame1->width();

    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    // Whatever the minimised window measures, nothing follows it.
    w->resize(1000, 700);
    QCOMPARE(w->controls().picture1->size(), picture);
    QCOMPARE(w->controls().frame1->width(), panel);
}

void Layout::restoreResizes()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    w->resize(1000, 700);

    w->showNormal();
    QTRY_VERIFY(!w->isMinimized());
    const Expected e = expectedFor(*w);
    QCOMPARE(w->controls().picture1->size(), e.picture);
    QCOMPARE(w->controls().frame1->width(), e.panelWidth);
}

void Layout::maximiseResizes()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    const QSize before = w->controls().picture1->size();
    w->showMaximized();
    QTRY_VERIFY(w->controls().picture1->size() != before);
    const Expected e = expectedFor(*w);
    QCOMPARE(w->controls().picture1->size(), e.picture);
    QCOMPARE(w->controls().frame1->width(), e.panelWidth);
}

QTEST_MAIN(Layout)
#include "layout_test.moc"
