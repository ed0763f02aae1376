// The real window on Qt's offscreen platform, in a Russian locale: the design
// as shown, and clicks, typing, pointer moves, ticks and resizes reaching the
// window's logic and the picture.

#include <clocale>
#include <cmath>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "harness.h"
#include "ui/design.h"

namespace {

// Every molecule whose centre lies in `img` from row `fromY` down shows
// yellow there; false when none does.
bool moleculesShown(const MainWindow& w, const QImage& img, int fromY = 0)
{
    int seen = 0;
    for (const Molecule& m : w.form().mols) {
        const QPoint p(int(std::floor(m.x)), int(std::floor(m.y)));
        if (!img.valid(p) || p.y() < fromY)
            continue;
        if (img.pixelColor(p) != harness::kYellow)
            return false;
        ++seen;
    }
    return seen > 0;
}

// All of `img` in the drawing area's background, the system's button-text
// colour: black, whatever the desktop's theme.
bool blank(const QImage& img)
{
    QImage background(img.size(), QImage::Format_RGB32);
    background.fill(Qt::black);
    return img.convertToFormat(QImage::Format_RGB32) == background;
}

void type(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    for (QChar ch : text) // keyClicks takes Latin-1 only
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace

class Window : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init()
    {
        w_ = harness::shownWindow();
        QVERIFY(w_);
    }
    void cleanup() { w_.reset(); }
    void design_data();
    void design();
    void windowAsShown();
    void tabOrder();
    void startTickPauseStop();
    void typedFieldsAndOption();
    void pointerSlidesPanel();
    void resizeAndMinimise();
    void pictureKeptAfterCovering();
    void blackUnderDarkTheme();

private:
    std::unique_ptr<MainWindow> w_;
    const MainWindow::Controls& c() const { return w_->controls(); }
};

void Window::initTestCase()
{
    // Without these the checks below would quietly test another setting.
    QCOMPARE(QString(std::localeconv()->decimal_point), QString(","));
    MainWindow window;
    QCOMPARE(window.screen()->logicalDotsPerInchY(), 96.0);
    QVERIFY(window.controls().timer1->isActive());
    QCOMPARE(window.controls().timer1->interval(), 10);
}

void Window::design_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < design::kControls.size(); ++i)
        QTest::newRow(design::kControls[i].name.data()) << int(i);
}

// At 15 twips a pixel. The drawing area's size, the panel's width and the
// fields' texts are replaced on load.
void Window::design()
{
    QFETCH(int, index);
    const design::Control& d = design::kControls[std::size_t(index)];
    const auto qs = [](std::string_view s) {
        return QString::fromUtf8(s.data(), qsizetype(s.size()));
    };
    const QWidget* widget = w_->findChild<QWidget*>(qs(d.name));
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), qs(d.container));
    QCOMPARE(widget->pos(), QPoint(d.left / 15, d.top / 15));
    if (d.container == "Frame1")
        QCOMPARE(widget->size(), QSize(d.width / 15, d.height / 15));
    const QMap<QString, QString> loaded{{"Text1", " 200"}, {"Text2", " 1000"}, {"Text3", " 50"}};
    QCOMPARE(widget->property("text").toString(), loaded.value(qs(d.name), qs(d.caption)));
    QCOMPARE(widget->property("checked").toBool(), d.name == "Option1");
}

void Window::windowAsShown()
{
    QCOMPARE(w_->windowTitle(), QString::fromUtf8("тепловое движеие"));
    QCOMPARE(w_->size(), QSize(684, 382));
    QCOMPARE(c().frame1->height(), 41);
    QCOMPARE(w_->childAt(2, 2), c().frame1);
    QCOMPARE(w_->childAt(2, 45), c().picture1);
    // Label1's box reaches under the mass field, which lies in front.
    QVERIFY(c().label1->geometry().contains(290, 20));
    QCOMPARE(w_->childAt(c().frame1->mapTo(w_.get(), QPoint(290, 20))), c().text1);
    QVERIFY(blank(harness::shown(*w_)));
}

void Window::tabOrder()
{
    // The drawing area is first and has the focus as the window opens; the
    // two options are one group and one stop.
    const QStringList order{"Picture1", "Command1", "Command2", "Text1",
                            "Text2",    "Text3",    "Option1",  "Picture1"};
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    QVERIFY(QApplication::focusWidget());
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < order.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void Window::startTickPauseStop()
{
    harness::click(c().command1);
    QCOMPARE(c().command1->text(), QString::fromUtf8("Стоп"));
    QCOMPARE(w_->form().mols.size(), std::size_t{50});
    QVERIFY(moleculesShown(*w_, harness::shown(*w_)));

    const double x0 = w_->form().mols[0].x;
    harness::tick(*w_);
    QVERIFY(w_->form().mols[0].x != x0);
    QVERIFY(moleculesShown(*w_, harness::shown(*w_)));

    harness::click(c().command2);
    const QImage frozen = harness::shown(*w_);
    harness::tick(*w_, 3);
    QCOMPARE(harness::shown(*w_), frozen);
    QCOMPARE(c().command2->text(), QString::fromUtf8("Пауза"));

    harness::click(c().command1);
    QCOMPARE(c().command1->text(), QString::fromUtf8("Старт"));
    QVERIFY(blank(harness::shown(*w_)));
}

// The comma of the locale is no decimal separator for the fields.
void Window::typedFieldsAndOption()
{
    type(c().text1, "1,5");
    type(c().text2, "2.5");
    type(c().text3, QString::fromUtf8("7абв"));
    QCOMPARE(c().text3->text(), QString::fromUtf8("7абв"));
    QTest::mouseClick(c().option2, Qt::LeftButton, {}, QPoint(6, 6));
    QVERIFY(!c().option1->isChecked());
    harness::click(c().command1);
    QCOMPARE(c().text1->text(), QString(" 5"));
    QCOMPARE(c().text2->text(), QString(" 2.5"));
    QCOMPARE(c().text3->text(), QString(" 7"));
    QCOMPARE(w_->form().mols.size(), std::size_t{7});
    QVERIFY(!w_->form().limtBool);
}

void Window::pointerSlidesPanel()
{
    harness::click(c().command1);
    QTest::mouseMove(w_.get(), QPoint(300, 200));
    harness::tick(*w_, 14);
    QCOMPARE(c().frame1->y(), -42);
    QCOMPARE(c().command1->mapTo(w_.get(), QPoint(0, 0)), QPoint(16, 8 - 42));
    QTest::mouseMove(w_.get(), QPoint(300, 20)); // over the area now the panel is gone
    harness::tick(*w_, 14);
    QCOMPARE(c().frame1->y(), 0);
}

void Window::resizeAndMinimise()
{
    const auto follows = [&] {
        const QSize outer = w_->frameGeometry().size();
        return c().picture1->size() == outer - QSize(16, 38) &&
               c().frame1->width() == outer.width();
    };
    QVERIFY(follows());
    w_->resize(900, 500);
    QTRY_COMPARE(w_->size(), QSize(900, 500));
    QVERIFY(follows());

    const QSize kept = c().picture1->size();
    w_->showMinimized();
    QTRY_VERIFY(w_->isMinimized());
    w_->resize(400, 300);
    QCOMPARE(c().picture1->size(), kept);
    w_->showNormal();
    QTRY_VERIFY(!w_->isMinimized());
    QTRY_VERIFY(follows());
}

void Window::pictureKeptAfterCovering()
{
    // What the screen shows, below the panel.
    const auto shown = [&] { return w_->screen()->grabWindow(w_->winId()).toImage(); };
    harness::click(c().command1);
    harness::click(c().command2); // paused: nothing draws again
    {
        QWidget cover(w_.get());
        cover.setAutoFillBackground(true);
        cover.setGeometry(w_->rect());
        cover.show();
        QTRY_VERIFY(!moleculesShown(*w_, shown(), 45));
    }
    QTRY_VERIFY(moleculesShown(*w_, shown(), 45));
}

// A dark desktop theme turns the palette's button text white; the picture
// stays black, so the yellow discs stay in sight.
void Window::blackUnderDarkTheme()
{
    w_.reset();
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(dark);
    w_ = harness::shownWindow();
    QApplication::setPalette(light);
    QVERIFY(w_);
    QVERIFY(blank(harness::shown(*w_)));
    harness::click(c().command1);
    QVERIFY(moleculesShown(*w_, harness::shown(*w_)));
}

QTEST_MAIN(Window)
#include "window_test.moc"
