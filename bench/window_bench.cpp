// The program's window, timed from outside it: the same MainWindow as the
// program, in an application that counts the timer's events that find the
// gas running. Nothing in the window knows it is measured. When a run stops
// (the first tick after Stop finds it over), one line goes to standard
// output, which bench/run-xvfb reads:
//
//   summary ticks_per_second=...

#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "ui/qt/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    MainWindow* window = nullptr;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (window == nullptr || receiver != window->controls().timer1 ||
            event->type() != QEvent::Timer)
            return QApplication::notify(receiver, event);
        const Form1& f = window->form();
        if (f.playBool && !f.pauseBool) {
            last_ = Clock::now();
            if (ticks_++ == 0)
                first_ = last_;
        } else if (ticks_ > 1 && !f.playBool) {
            const double span = std::chrono::duration<double>(last_ - first_).count();
            std::printf("summary ticks_per_second=%.1f\n", static_cast<double>(ticks_ - 1) / span);
            std::fflush(stdout);
            ticks_ = 0;
        }
        return QApplication::notify(receiver, event);
    }

private:
    long long ticks_ = 0;
    Clock::time_point first_{}, last_{};
};

} // namespace

int main(int argc, char** argv)
{
    TimedApplication app(argc, argv);
    MainWindow window;
    app.window = &window;
    window.show();
    return QApplication::exec();
}
