// The real window on Qt's offscreen platform, in a Russian locale, under a
// dark theme, at the screen setting the environment gives (15 or 12 twips a
// pixel): the design as shown, and clicks, typing, pointer moves, ticks and
// resizes reaching the window's logic and the picture.

#include <clocale>
#include <cmath>

#include "app/identity.h"
#include "tests/support/harness.h"

namespace {

// Long enough for the paints that drawing asked for to reach the screen:
// Qt delivers a window's update request from a timer.
constexpr int kPaintsDone = 30; // ms

// The part of the drawing area that the panel leaves in sight.
QRect inSight(const MainWindow& w)
{
    const int belowPanel = w.controls().frame1->geometry().bottom() + 1;
    return w.controls().picture1->rect().adjusted(0, std::max(0, belowPanel), 0, 0);
}

// What the screen shows there once the paints asked for so far are done:
// what the window's backing store holds, so that a frame the area failed to
// repaint shows as it is, stale.
QImage shown(const MainWindow& w)
{
    QTest::qWait(kPaintsDone);
    const QRect sight = inSight(w);
    const QPoint at = w.controls().picture1->mapTo(&w, sight.topLeft());
    return w.screen()
        ->grabWindow(w.winId(), at.x(), at.y(), sight.width(), sight.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The screen shows exactly what was drawn, with every molecule whose centre
// is in sight yellow there; false when none is.
bool moleculesShown(const MainWindow& w)
{
    const QImage screen = shown(w);
    const QRect sight = inSight(w);
    int seen = 0;
    for (const Molecule& m : w.form().mols) {
        const QPoint p = QPoint(int(std::floor(m.x)), int(std::floor(m.y))) - sight.topLeft();
        if (!screen.rect().contains(p))
            continue;
        if (screen.pixelColor(p) != QColor(Qt::yellow))
            return false;
        ++seen;
    }
    return seen > 0 && screen == w.controls().picture1->canvas().copy(sight);
}

// All of the picture in sight in its background: black, whatever the theme.
bool blank(const MainWindow& w)
{
    const QImage screen = shown(w);
    QImage black(screen.size(), screen.format());
    black.fill(Qt::black);
    return screen == black;
}

// A pointer move over the drawing area at a height between two pixels.
void pointAt(MainWindow& w, double y)
{
    QWidget* area = w.controls().picture1;
    QMouseEvent move(QEvent::MouseMove, QPointF(10, y), area->mapToGlobal(QPointF(10, y)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(area, &move);
}

} // namespace

class Window : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w_;
    double tpp_ = 0; // twips per pixel
    const MainWindow::Controls& c() const { return w_->controls(); }
    int px(int twips) const { return int(std::lround(twips / tpp_)); }

private slots:
    void initTestCase()
    {
        // Without these the checks below would quietly test another setting.
        QCOMPARE(QString(std::localeconv()->decimal_point), QString(","));
        tpp_ = 1440 / QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        QCOMPARE(tpp_, qEnvironmentVariable("THERMAL_TWIPS_PER_PIXEL").toDouble());
        // A dark theme turns the palette's button text white; the picture
        // stays black, so the yellow discs stay in sight.
        QPalette dark = QApplication::palette();
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
    }
    void init() { QVERIFY(w_ = harness::shownWindow()); }
    void cleanup() { w_.reset(); }

    // The design's rectangles in twips. The drawing area's size, the panel's
    // width and the fields' texts are replaced on load.
    void design_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("twips");
        const QString in("Frame1");
        QTest::newRow("Picture1") << "Form1" << "" << QRect(0, 0, 0, 0);
        QTest::newRow("Frame1") << "Form1" << "" << QRect(0, 0, 0, 615);
        QTest::newRow("Command1") << in << "Старт" << QRect(240, 120, 1695, 375);
        QTest::newRow("Command2") << in << "Пауза" << QRect(2160, 120, 1695, 375);
        QTest::newRow("Text1") << in << " 200" << QRect(4320, 120, 735, 285);
        QTest::newRow("Text2") << in << " 1000" << QRect(5400, 120, 735, 285);
        QTest::newRow("Text3") << in << " 50" << QRect(6480, 120, 735, 285);
        QTest::newRow("Label1") << in << "m" << QRect(4080, 240, 375, 255);
        QTest::newRow("Label2") << in << "v" << QRect(5160, 240, 255, 255);
        QTest::newRow("Label3") << in << "N" << QRect(6240, 240, 255, 255);
        QTest::newRow("Option1") << in << "Замкнутое прространство" << QRect(7320, 120, 2595, 195);
        QTest::newRow("Option2") << in << "Ограниченное пространство" << QRect(7320, 360, 2655, 195);
    }
    void design()
    {
        QFETCH(QString, container);
        QFETCH(QString, text);
        QFETCH(QRect, twips);
        const QWidget* widget = w_->findChild<QWidget*>(QTest::currentDataTag());
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(widget->pos(), QPoint(px(twips.x()), px(twips.y())));
        QCOMPARE(widget->width(), twips.width() ? px(twips.width()) : widget->width());
        QCOMPARE(widget->height(), twips.height() ? px(twips.height()) : widget->height());
        QCOMPARE(widget->property("text").toString(), text);
        // Captions in the panel's small font fit their boxes.
        QVERIFY(widget->fontMetrics().horizontalAdvance(text) < widget->width());
        QCOMPARE(widget->property("checked").toBool(), widget->objectName() == "Option1");
    }

    void windowAsShown()
    {
        QCOMPARE(w_->windowTitle(), QString::fromUtf8("тепловое движеие"));
        QCOMPARE(w_->size(), QSize(px(10260), px(5730)));
        QCOMPARE(c().timer1->interval(), 10);
        QCOMPARE(w_->childAt(2, 2), c().frame1);
        QCOMPARE(w_->childAt(2, c().frame1->height() + 4), c().picture1);
        // Label1's box reaches under the mass field, which lies in front.
        const QPoint underBoth(px(4320) + 2, px(240) + 2);
        QVERIFY(c().label1->geometry().contains(underBoth));
        QCOMPARE(w_->childAt(c().frame1->mapTo(w_.get(), underBoth)), c().text1);
        QVERIFY(blank(*w_));
        // The icon in the title bar's size and Alt-Tab's, and the menu entry
        // that docks group the window under.
        setUpApplicationIdentity();
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)));
        QVERIFY(QFile::exists(QStringLiteral(THERMAL_SOURCE_DIR "/packaging/%1.desktop")
                                  .arg(QGuiApplication::desktopFileName())));
    }

    // The drawing area is first and has the focus as the window opens; the
    // two options are one group and one stop.
    void tabOrder()
    {
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        QStringList visited;
        for (int k = 0; k < 8; ++k, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            visited << QApplication::focusWidget()->objectName();
        QCOMPARE(visited, QStringList({"Picture1", "Command1", "Command2", "Text1", "Text2",
                                       "Text3", "Option1", "Picture1"}));
    }

    void startTickPauseStop()
    {
        harness::click(c().command1);
        QCOMPARE(c().command1->text(), QString::fromUtf8("Стоп"));
        QCOMPARE(w_->form().mols.size(), std::size_t{50});
        const double x0 = w_->form().mols[0].x;
        QVERIFY(moleculesShown(*w_));
        for (int k = 0; k < 10; ++k) {
            harness::tick(*w_);
            QVERIFY(moleculesShown(*w_));
        }
        QVERIFY(w_->form().mols[0].x != x0);

        harness::click(c().command2);
        const QImage frozen = shown(*w_);
        harness::tick(*w_, 3);
        QCOMPARE(shown(*w_), frozen);

        harness::click(c().command1);
        QCOMPARE(c().command1->text(), QString::fromUtf8("Старт"));
        QVERIFY(blank(*w_));
    }

    // The comma of the locale is no decimal separator for the fields.
    void typedFieldsAndOption()
    {
        const std::pair<QLineEdit*, const char*> typed[] = {
            {c().text1, "1,5"}, {c().text2, "2.5"}, {c().text3, "7abc"}};
        for (const auto& [field, text] : typed) {
            field->selectAll();
            QTest::keyClicks(field, text);
        }
        QTest::mouseClick(c().option2, Qt::LeftButton, {}, QPoint(6, 6));
        harness::click(c().command1);
        QCOMPARE(c().text1->text() + c().text2->text() + c().text3->text(), " 5 2.5 7");
        QCOMPARE(w_->form().mols.size(), std::size_t{7});
        QVERIFY(!w_->form().limtBool);
    }

    // The pointer calls the panel back within twice its exact height (615
    // twips: 41 pixels, or 51.25 at 12 twips a pixel); hiding rests at -42.
    void pointerSlidesPanel()
    {
        harness::click(c().command1);
        pointAt(*w_, 2 * 615 / tpp_);
        QVERIFY(w_->form().vizPanel);
        pointAt(*w_, 2 * 615 / tpp_ + 0.25);
        QVERIFY(!w_->form().vizPanel);
        harness::tick(*w_, 15);
        QCOMPARE(c().frame1->y(), -42);
        QCOMPARE(c().command1->mapTo(w_.get(), QPoint(0, 0)), QPoint(px(240), px(120) - 42));
        pointAt(*w_, 20); // over the area now the panel is gone
        harness::tick(*w_, 14);
        QCOMPARE(c().frame1->y(), 0);
    }

    void resizeAndMinimise()
    {
        const auto follows = [&] {
            const QSize outer = w_->frameGeometry().size();
            return c().picture1->size() == outer - QSize(16, 38) &&
                   c().frame1->width() == outer.width();
        };
        QVERIFY(follows());
        harness::click(c().command1);
        harness::click(c().command2); // paused: the picture stays as it is
        const QImage paused = shown(*w_);
        w_->resize(900, 500);
        QTRY_COMPARE(w_->size(), QSize(900, 500));
        QVERIFY(follows());
        QCOMPARE(shown(*w_).copy(paused.rect()), paused);
        const QSize kept = c().picture1->size();
        w_->showMinimized();
        QTRY_VERIFY(w_->isMinimized());
        w_->resize(400, 300);
        QCOMPARE(c().picture1->size(), kept);
        w_->showNormal();
        QTRY_VERIFY(follows());
        harness::click(c().command1); // Stop clears all of the larger area
        QVERIFY(blank(*w_));
    }
};

QTEST_MAIN(Window)
#include "window_test.moc"
