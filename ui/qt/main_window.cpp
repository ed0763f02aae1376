#include "ui/qt/main_window.h"

#include <cmath>
#include <string_view>

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include "ui/accessibility.h"
#include "ui/design.h"
#include "ui/qt/accessible.h"
#include "ui/qt/drawing_area.h"

namespace {

// The design's controls are sized for a small dialogue font; Qt's default
// would clip the option captions.
constexpr int kPanelFontPixels = 10;

QString qstr(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

int toPixels(int twips, float twipsPerPixel)
{
    return static_cast<int>(std::lround(static_cast<float>(twips) / twipsPerPixel));
}

QRect pixelRect(const design::Control& c, float tppX, float tppY)
{
    return QRect(toPixels(c.left, tppX), toPixels(c.top, tppY), toPixels(c.width, tppX),
                 toPixels(c.height, tppY));
}

template <class W>
W* named(QWidget& form, std::string_view name)
{
    return form.findChild<W*>(qstr(name));
}

float frameHeight(const QWidget& form)
{
    return static_cast<float>(design::control("Frame1").height) / qt_toolkit::twipsPerPixelY(form);
}

// A command button. Return and Enter press it when it has the focus, as
// Space does; Qt gives that only to the buttons of dialogues. Checked (Pause
// while paused), its middle is filled with its caption's colour and the
// caption written in the button's: the style's own pressed look differs
// from the released one by a shade, 1.2:1 in Fusion, where a state should
// stand 3:1 from what surrounds it, as the caption's colour does from the
// button's in any theme. The fill stays inside where the style shows the
// focus.
class Button final : public QPushButton {
public:
    Button(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
    {
        setAutoDefault(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPushButton::paintEvent(event);
        if (!isChecked())
            return;
        QStyleOptionButton option;
        initStyleOption(&option);
        const QRect middle = style()
                                 ->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this)
                                 .adjusted(1, 1, -1, -1);
        QPainter painter(this);
        painter.fillRect(middle, palette().color(QPalette::ButtonText));
        style()->drawItemText(&painter, middle, Qt::AlignCenter, palette(), isEnabled(), text(),
                              QPalette::Button);
    }
};

// One control of the design as a widget, with its caption and the looks
// the design leaves open.
QWidget* makeWidget(const design::Control& c, QWidget* parent)
{
    switch (c.kind) {
    case design::Kind::Picture: {
        auto* area = new DrawingArea(parent);
        area->setBackground(qt_toolkit::toQColor(design::kPictureBackColor));
        area->clear();
        // The first stop of the tab order, so the window also opens with the
        // focus here.
        area->setFocusPolicy(Qt::StrongFocus);
        return area;
    }
    case design::Kind::Frame: {
        auto* frame = new QFrame(parent);
        // Opaque, so the panel hides the strip of the drawing area under it.
        frame->setAutoFillBackground(true);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        QFont font = frame->font();
        font.setPixelSize(kPanelFontPixels);
        frame->setFont(font);
        return frame;
    }
    case design::Kind::Command:
        return new Button(qstr(c.caption), parent);
    case design::Kind::Text:
        return new QLineEdit(qstr(c.caption), parent);
    case design::Kind::Label:
        return new QLabel(qstr(c.caption), parent);
    case design::Kind::Option: {
        auto* option = new QRadioButton(qstr(c.caption), parent);
        // The longer caption only fits its box in a condensed face.
        QFont font = option->font();
        font.setStretch(QFont::SemiCondensed);
        option->setFont(font);
        return option;
    }
    }
    return nullptr;
}

// A control's name, when it is not its caption, and its description; each
// field becomes its label's buddy, which tells a screen reader what the label
// stands beside (the field keeps its own name, see ui/qt/accessible.cpp).
// Nothing of this shows on the screen.
void nameForScreenReaders(QWidget& form)
{
    form.setAccessibleName(qstr(accessibility::kWindowName));
    for (const accessibility::Entry& e : accessibility::kEntries) {
        QWidget* widget = named<QWidget>(form, e.control);
        if (!e.name.empty())
            widget->setAccessibleName(qstr(e.name));
        widget->setAccessibleDescription(qstr(e.description));
        if (!e.label.empty())
            named<QLabel>(form, e.label)->setBuddy(widget);
    }
}

} // namespace

MainWindow::Controls MainWindow::buildControls(QWidget& form)
{
    accessible::install();
    const float tppX = qt_toolkit::twipsPerPixelX(form);
    const float tppY = qt_toolkit::twipsPerPixelY(form);

    QWidget* frame = nullptr;
    QWidget* previousInTabOrder = nullptr;
    // The table lists the controls in tab order, and each container before
    // what it holds; a control made later lies in front of its siblings.
    for (const design::Control& c : design::kControls) {
        QWidget* widget = makeWidget(c, c.container == "Frame1" ? frame : &form);
        if (c.kind == design::Kind::Frame)
            frame = widget;
        widget->setObjectName(qstr(c.name));
        widget->setGeometry(pixelRect(c, tppX, tppY));
        if (widget->focusPolicy() & Qt::TabFocus) {
            if (previousInTabOrder)
                QWidget::setTabOrder(previousInTabOrder, widget);
            previousInTabOrder = widget;
        }
    }

    Controls w{
        named<DrawingArea>(form, "Picture1"), named<QFrame>(form, "Frame1"),
        named<QPushButton>(form, "Command1"), named<QPushButton>(form, "Command2"),
        named<QLineEdit>(form, "Text1"),      named<QLineEdit>(form, "Text2"),
        named<QLineEdit>(form, "Text3"),      named<QRadioButton>(form, "Option1"),
        named<QRadioButton>(form, "Option2"), new QTimer(&form),
    };

    // Each field's box lies in front of the label that reaches under it.
    for (QLineEdit* field : {w.text1, w.text2, w.text3})
        field->raise();
    w.option1->setChecked(true);
    // Checked exactly while paused (showPause): a screen reader reports the
    // pause, and a sighted user sees the button pressed in.
    w.command2->setCheckable(true);

    w.timer1->setObjectName(QStringLiteral("Timer1"));
    w.timer1->setTimerType(Qt::PreciseTimer);
    w.timer1->setInterval(design::kTimerIntervalMs);

    nameForScreenReaders(form);
    return w;
}

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), w_(buildControls(*this)), window_(*this), screen_(*this),
      picture1_(*w_.picture1), frame1_(*w_.frame1, frameHeight(*this)), text1_(*w_.text1),
      text2_(*w_.text2), text3_(*w_.text3), option1_(*w_.option1), command1_(*w_.command1),
      timer1_(*w_.timer1),
      form_(toolkit::Controls{window_, screen_, picture1_, frame1_, text1_, text2_, text3_,
                              option1_, command1_, timer1_})
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qstr(design::kTitle));
    resize(toPixels(design::kClientWidthTwips, qt_toolkit::twipsPerPixelX(*this)),
           toPixels(design::kClientHeightTwips, qt_toolkit::twipsPerPixelY(*this)));

    connect(w_.command1, &QPushButton::clicked, this, [this] {
        form_.Command1_Click();
        showPause(); // a Stop ends the pause
    });
    // A click, Space and a screen reader's toggle all flip the checked state
    // first; each such flip is one click of Pause, and the run then decides.
    connect(w_.command2, &QPushButton::toggled, this, [this](bool checked) {
        if (checked != form_.pauseBool) {
            form_.Command2_Click();
            showPause();
        }
    });
    connect(w_.timer1, &QTimer::timeout, this, [this] { form_.Timer1_Timer(); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && w_.frame1->isAncestorOf(now))
            form_.Frame1_GotFocus();
    });
    connect(w_.picture1, &DrawingArea::pointerMoved, this,
            [this](std::int16_t button, std::int16_t shift, float x, float y) {
                form_.Picture1_MouseMove(button, shift, x, y);
            });

    form_.Form_Load();
    // The timer runs for the window's whole life and is never re-timed.
    w_.timer1->start();
}

void MainWindow::showPause()
{
    w_.command2->setChecked(form_.pauseBool);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    form_.Form_Resize();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // A window manager adds its frame and title bar after the first display
    // and tells of it only by moving the window: the outer size has changed
    // though the client size has not.
    form_.Form_Resize();
}

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Minimising, maximising and restoring count as resizes too.
    if (event->type() == QEvent::WindowStateChange)
        form_.Form_Resize();
}
