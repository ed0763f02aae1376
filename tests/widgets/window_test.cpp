// The real window on Qt's offscreen platform, in a Russian locale, under a
// dark theme, at the screen setting the environment gives (15 or 12 twips a
// pixel, scaled or not): the design as shown; clicks, keys, texts and ticks
// reaching the window's logic and, exactly, the picture; and ten thousand
// random events that leave it consistent.

#include <array>
#include <clocale>
#include <cmath>
#include <random>

#include <QtTest>
#include <QtWidgets>

#include "tests/support/invariants.h"
#include "ui/design.h"
#include "ui/qt/drawing_area.h"
#include "ui/qt/main_window.h"

namespace {

// Ticks delivered through the timer's own signal.
void tick(MainWindow& w, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(w.controls().timer1, "timeout");
}

// What reaches an object: update requests, and the area of its paints.
struct Spy : QObject {
    bool updated = false;
    std::int64_t painted = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        updated = updated || e->type() == QEvent::UpdateRequest;
        if (e->type() == QEvent::Paint)
            for (const QRect& r : static_cast<QPaintEvent*>(e)->region())
                painted += std::int64_t{r.width()} * r.height();
        return false;
    }
};

// Returns once every paint asked for so far has reached the window's
// backing store: the drawing area's end-of-frame event, then the update
// request Qt sends the window when painting is due (one request serves all
// that were asked for), handled before the wait returns. False if none
// came within the wait's limit.
bool paintsDone(QWidget& window)
{
    QCoreApplication::sendPostedEvents();
    Spy spy;
    QWindow* handle = window.windowHandle();
    handle->installEventFilter(&spy);
    handle->requestUpdate();
    const bool done = QTest::qWaitFor([&] { return spy.updated; });
    handle->removeEventFilter(&spy);
    return done;
}

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
    [&] { QVERIFY(paintsDone(w)); }();
    const QRect sight = inSight(w);
    const QPoint at = w.controls().picture1->mapTo(&w, sight.topLeft());
    return w.screen()->grabWindow(w.winId(), at.x(), at.y(), sight.width(), sight.height())
        .toImage().convertToFormat(QImage::Format_RGB32);
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
    // A new window for each test; everything runs as in the program, except
    // that the test decides when a tick happens.
    void init()
    {
        w_ = std::make_unique<MainWindow>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        c().timer1->stop();
    }

    // The window as it opens: every control of the design where it puts it,
    // with its caption (the fields show the settings instead of their design
    // texts), the title, the size, the clock and a black picture.
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
        for (const QWidget* f : {c().text2, c().text3}) // one row of equal fields
            QCOMPARE(std::pair(f->y(), f->size()), std::pair(c().text1->y(), c().text1->size()));
        QCOMPARE(w_->windowTitle(), qstr(design::kTitle));
        QCOMPARE(w_->size(), QSize(px(10260), px(5730)));
        QCOMPARE(c().timer1->interval(), 10);
        QCOMPARE(qt_toolkit::toQColor(0x00563412), QColor(0x12, 0x34, 0x56)); // 0x00BBGGRR
        QVERIFY(showsOnly(*w_, {}));
    }

    // Each control of the panel lies within it, and none overlaps another
    // but a label and the field it names.
    void panelLegible()
    {
        const auto parts = c().frame1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        const QRegularExpression labelAndField("^Label(\\d)Text\\1|Text(\\d)Label\\2$");
        for (const QWidget* a : parts) {
            QVERIFY(c().frame1->rect().contains(a->geometry()));
            for (const QWidget* b : parts) {
                const QString pair = a->objectName() + b->objectName();
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()) ||
                             labelAndField.match(pair).hasMatch(), qPrintable(pair));
            }
        }
    }

    // The keyboard's focus on the drawing area shows as a frame at its edge.
    void focusShows()
    {
        QApplication::setActiveWindow(w_.get());
        for (QWidget* focus : std::array<QWidget*, 2>{c().picture1, c().command1}) {
            focus->setFocus();
            const QImage area = c().picture1->grab().toImage();
            const QColor frame = focus == c().picture1 ? w_->palette().color(QPalette::Highlight)
                                                       : QColor(Qt::black);
            // Two pixels wide, or more on a scaled screen, at both sides.
            for (const int x : {0, 1, area.width() - 2, area.width() - 1})
                QCOMPARE(area.pixelColor(x, area.height() / 2), frame);
        }
    }

    // A tick of a few small discs repaints only around them, at the ratios
    // where the canvas's tiles fall on whole pixels (1 and 2); at others
    // (1.25, 3) the whole area. Repainting all of it every tick is what a
    // 4K screen cannot keep up with.
    void repaintsWhereThePictureChanged()
    {
        c().text3->setText("5");
        QTest::mouseClick(c().command1, Qt::LeftButton);
        tick(*w_);
        QVERIFY(paintsDone(*w_));
        Spy spy;
        c().picture1->installEventFilter(&spy);
        tick(*w_);
        QVERIFY(paintsDone(*w_));
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
        for (int k = 0; k <= 10; tick(*w_), ++k)
            QVERIFY(showsOnly(*w_, w_->form().mols));

        // Paused, a smaller window keeps the picture where it was.
        QTest::mouseClick(c().command2, Qt::LeftButton);
        w_->resize(w_->size() - QSize(37, 23));
        QVERIFY(showsOnly(*w_, w_->form().mols));

        QTest::keyClick(c().command1, Qt::Key_Return);
        QVERIFY(showsOnly(*w_, {}));
    }

    // Clicks on both buttons and both options, awkward and very long texts,
    // pointer moves, resizes down to the smallest size and back, minimising,
    // and ticks. After every event the invariants hold, the captions tell
    // the run's state, and the drawing area and the panel fit the window.
    void randomEventsKeepTheRunConsistent()
    {
        std::mt19937_64 rng(20261206);
        for (int e = 0; e < 10'000; ++e) {
            randomEvent(rng);
            if (QTest::currentTestFailed())
                return;
            QCoreApplication::processEvents();
            const std::string broken = invariants::violation(w_->form(), float(c().frame1->y()), {});
            QVERIFY2(broken.empty(), qPrintable(QString("event %1: %2").arg(e).arg(broken.c_str())));
            QCOMPARE(c().command1->text(), qstr(w_->form().playBool ? "Стоп" : "Старт"));
            QCOMPARE(c().command2->isChecked(), w_->form().pauseBool);
            // The drawing area and the panel follow the window's outer size.
            const QSize outer = w_->frameGeometry().size();
            QCOMPARE(c().picture1->size(), (outer - QSize(16, 38)).expandedTo(QSize(0, 0)));
            QCOMPARE(c().frame1->width(), outer.width());
        }
    }

private:
    void randomEvent(std::mt19937_64& rng)
    {
        // Never two draws as arguments of one call, whose order each
        // compiler picks: the same events on every build.
        const auto integer = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
        // Texts the leading-number rule reacts to, or must not: blank,
        // letters, fractions, overflowing exponents, a long run of digits,
        // other scripts.
        static const QString texts[] = {"", "abc", " 2.5", "-3", "1e400", "12x", QString(5000, '9'),
                                        QString::fromUtf8("٣５€\u00a0мн,5")};
        QLineEdit* const fields[] = {c().text1, c().text2, c().text3};
        switch (integer(0, 9)) {
        case 0: QTest::mouseClick(c().command1, Qt::LeftButton); break;
        case 1: QTest::mouseClick(c().command2, Qt::LeftButton); break;
        case 2: QTest::mouseClick(integer(0, 1) ? c().option1 : c().option2, Qt::LeftButton); break;
        case 3: fields[integer(0, 2)]->setText(texts[integer(0, 7)]); break;
        case 4: { // within twice the panel's height it is called back
            const double edge = 2 * design::control("Frame1").height / tpp_;
            const QPointF at(5, edge + integer(-24, 24) / 4.0); // quarter pixels about the edge
            QMouseEvent move(QEvent::MouseMove, at, c().picture1->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(c().picture1, &move);
            QCOMPARE(w_->form().vizPanel, at.y() <= edge);
            break;
        }
        case 5: { // one time in four as small as the platform lets it be
            const int width = integer(1, 900);
            w_->resize(integer(0, 3) ? QSize(width, integer(1, 700)) : QSize(1, 1));
            break;
        }
        case 6: { // sizes are kept while minimised
            const QSize kept = c().picture1->size();
            w_->showMinimized();
            w_->resize(integer(1, 900), 300);
            QCOMPARE(c().picture1->size(), kept);
            w_->showNormal();
            break;
        }
        default: tick(*w_, integer(1, 4));
        }
    }
};

QTEST_MAIN(Window)
#include "window_test.moc"
