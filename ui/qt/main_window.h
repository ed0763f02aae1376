#pragma once

// The program's one window on Qt: it builds the controls from the fixed
// design, stands the toolkit adapters in front of them and routes every
// platform event to the handler of `Form1` that owns it.

#include <QWidget>

#include "sim/state.h"
#include "ui/qt/qt_toolkit.h"

class DrawingArea;
class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The window's state and logic.
    Form1& form() { return form_; }
    const Form1& form() const { return form_; }

    // The controls by their design names; each widget's object name is that
    // name too.
    struct Controls {
        DrawingArea* picture1;
        QFrame* frame1;
        QPushButton* command1;
        QPushButton* command2;
        QLineEdit* text1;
        QLineEdit* text2;
        QLineEdit* text3;
        QRadioButton* option1;
        QRadioButton* option2;
        QTimer* timer1;
    };
    const Controls& controls() const { return w_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static Controls buildControls(QWidget& form);
    // Pause shows itself checked exactly while the run is paused.
    void showPause();

    // Declaration order is construction order: widgets, then the adapters
    // that refer to them, then the form that refers to the adapters.
    Controls w_;
    qt_toolkit::Window window_;
    qt_toolkit::Screen screen_;
    qt_toolkit::PictureBox picture1_;
    qt_toolkit::Frame frame1_;
    qt_toolkit::TextBox text1_;
    qt_toolkit::TextBox text2_;
    qt_toolkit::TextBox text3_;
    qt_toolkit::OptionButton option1_;
    qt_toolkit::CommandButton command1_;
    qt_toolkit::Timer timer1_;
    Form1 form_;
};
