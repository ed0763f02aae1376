// The real window on Qt's offscreen platform, in a Russian locale, under a
// dark theme, at the screen setting the environment gives (15 or 12 twips a
// pixel, scaled or not): the design as shown, and clicks, texts and ticks
// reaching the window's logic and, exactly, the picture. (Resizes and pointer
// moves are the GUI stress test's.)

#include <array>
#include <clocale>
#include <cmath>

#include "tests/support/harness.h"
#include "ui/design.h"

namespace {

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// The part of the drawing area that the panel and the focus frame leave in
// sight.
QRect inSight(const MainWindow& w)
{
    const int belowPanel = w.controls().frame1->geometry().bottom() + 1;
    const int edge = DrawingArea::kFocusFrame;
    return w.controls().picture1->rect().adjusted(edge, std::max(edge, belowPanel), -edge, -edge);
}

// What the screen shows there once the paints asked for so far are done:
// what the window's backing store holds, so that a frame the area failed to
// repaint shows as it is, stale.
QImage shown(MainWindow& w)
{
    [&] { QVERIFY(harness::paintsDone(w)); }();
    const QRect sight = inSight(w);
    const QPoint at = w.controls().picture1->mapTo(&w, sight.topLeft());
    return w.screen()
        ->grabWindow(w.winId(), at.x(), at.y(), sight.width(), sight.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The screen shows exactly the discs of `mols` on black, where the panel
// leaves the picture in sight. A disc is drawn on the screen's own pixels:
// those whose centres lie inside the circle of the scaled radius plus half a
// pixel around the scaled centre. Only in bounded space: wrap-around would
// add images across the edges.
bool showsOnly(MainWindow& w, const std::vector<Molecule>& mols)
{
    const QImage screen = shown(w);
    const QRect sight = inSight(w);
    const qreal ratio = w.devicePixelRatioF();
    const auto device = [&](double logical) { return int(std::lround(logical * ratio)); };
    QImage want(screen.size(), screen.format());
    want.fill(Qt::black); // whatever the theme
    for (const Molecule& m : mols) {
        const QPoint c(device(std::floor(m.x)) - device(sight.left()),
                       device(std::floor(m.y)) - device(sight.top()));
        const int r = device(m.radius);
        const QRect box = QRect(c, c).adjusted(-r, -r, r, r) & want.rect();
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (std::pow(x - c.x(), 2) + std::pow(y - c.y(), 2) < std::pow(r + 0.5, 2))
                    want.setPixelColor(x, y, Qt::yellow);
    }
    return screen == want;
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
        QCOMPARE(qApp->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        // A dark theme turns the palette's button text white; the picture
        // stays black, so the yellow discs stay in sight.
        QPalette dark = QApplication::palette();
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
    }
    void init() { QVERIFY(w_ = harness::shownWindow()); } // the last test's window goes

    // Every control of the design where it puts it, with its caption; the
    // fields show the settings instead of their design texts, and the
    // drawing area's size and the panel's width follow the window.
    void design()
    {
        const char* shown[] = {" 200", " 1000", " 50"};
        int field = 0;
        for (const design::Control& d : design::kControls) {
            const QWidget* widget = w_->findChild<QWidget*>(qstr(d.name));
            QVERIFY(widget);
            QCOMPARE(widget->parentWidget()->objectName(), qstr(d.container));
            QCOMPARE(widget->pos(), QPoint(px(d.left), px(d.top)));
            if (d.container == "Frame1")
                QCOMPARE(widget->size(), QSize(px(d.width), px(d.height)));
            const QString text = d.kind == design::Kind::Text ? shown[field++] : qstr(d.caption);
            QCOMPARE(widget->property("text").toString(), text);
            // Captions in the panel's small font fit their boxes.
            QVERIFY(widget->fontMetrics().horizontalAdvance(text) < widget->width());
            QCOMPARE(widget->property("checked").toBool(), d.name == "Option1");
            if (d.kind == design::Kind::Label) // Label1 names Text1, for a screen reader too
                QCOMPARE(static_cast<const QLabel*>(widget)->buddy()->objectName(),
                         "Text" + qstr(d.name).right(1));
        }
        QCOMPARE(c().frame1->height(), px(design::control("Frame1").height));
    }

    // The keyboard's focus on the drawing area shows as a frame at its edge.
    void focusShows()
    {
        QApplication::setActiveWindow(w_.get());
        for (QWidget* focus : std::array<QWidget*, 2>{c().picture1, c().command1}) {
            focus->setFocus();
            const QImage edge = c().picture1->grab(QRect(0, c().picture1->height() / 2, 4, 4)).toImage();
            QCOMPARE(edge.pixelColor(0, 0), focus == c().picture1 ? w_->palette().color(QPalette::Highlight)
                                                                   : QColor(Qt::black));
        }
    }

    void windowAsShown()
    {
        QCOMPARE(w_->windowTitle(), qstr(design::kTitle));
        QCOMPARE(w_->size(), QSize(px(10260), px(5730)));
        QCOMPARE(c().timer1->interval(), 10);
        QCOMPARE(qt_toolkit::toQColor(0x00563412), QColor(0x12, 0x34, 0x56)); // 0x00BBGGRR
        QVERIFY(showsOnly(*w_, {}));
    }

    // A tick of a few small discs repaints only around them, at the ratios
    // where the canvas's tiles fall on whole pixels (1 and 2); at others
    // (1.25, 3) the whole area. Repainting all of it every tick is what a
    // 4K screen cannot keep up with.
    void repaintsWhereThePictureChanged()
    {
        c().text3->setText("5");
        QTest::mouseClick(c().command1, Qt::LeftButton);
        harness::tick(*w_);
        QVERIFY(harness::paintsDone(*w_));
        struct Spy : QObject {
            std::int64_t painted = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::Paint)
                    for (const QRect& r : static_cast<QPaintEvent*>(e)->region())
                        painted += std::int64_t{r.width()} * r.height();
                return false;
            }
        } spy;
        c().picture1->installEventFilter(&spy);
        harness::tick(*w_);
        QVERIFY(harness::paintsDone(*w_));
        const qreal ratio = w_->devicePixelRatioF();
        const std::int64_t area = std::int64_t{c().picture1->width()} * c().picture1->height();
        if (ratio == 1 || ratio == 2)
            QVERIFY2(spy.painted * 4 < area, qPrintable(QString::number(spy.painted)));
        else
            QVERIFY2(spy.painted * 2 > area, qPrintable(QString::number(spy.painted)));
    }

    // Typed settings, run in bounded space, where the discs are the
    // molecules' own. Radius 20 is drawn disc by disc at ratios 1 and 1.25,
    // and as a union at 2. The comma of the locale is no decimal separator.
    void runAsTyped()
    {
        c().text1->setText("1300,9");
        c().text3->setText("30abc");
        QTest::mouseClick(c().option2, Qt::LeftButton, {}, QPoint(6, 6));
        // The keypad's Enter presses the focused button, as Return does.
        QTest::keyClick(c().command1, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(c().text1->text() + c().text3->text(), " 1300 30");
        QVERIFY(!w_->form().limtBool);
        for (int k = 0; k <= 10; harness::tick(*w_), ++k)
            QVERIFY(showsOnly(*w_, w_->form().mols));

        QTest::mouseClick(c().command2, Qt::LeftButton);
        const QImage frozen = shown(*w_);
        harness::tick(*w_, 3);
        QCOMPARE(shown(*w_), frozen);
        // A smaller window keeps the paused picture where it was.
        w_->resize(w_->size() - QSize(37, 23));
        QVERIFY(showsOnly(*w_, w_->form().mols));

        QTest::keyClick(c().command1, Qt::Key_Return);
        QVERIFY(showsOnly(*w_, {}));
    }
};

QTEST_MAIN(Window)
#include "window_test.moc"
