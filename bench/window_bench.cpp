// The program's window, timed from outside it: the same MainWindow as the
// program, in an application that watches the events going to it. Nothing in
// the window knows it is measured.
//
// A run is the time between Start and Stop. In it this counts the timer's
// ticks, times each tick's handler (the physics and the scene's drawing
// calls, with the frame that the drawing area draws in an event of its own
// right after) and each update request of the window (its paint and the flush to
// the screen); a tick's whole cost is its handler plus the paint that shows
// its frame. When a run stops, one line goes to standard output:
//
//   summary ticks_per_second=... tick_median_us=... tick_p95_us=...
//           handler_median_us=... paint_median_us=...
//
// bench/run-xvfb drives it like the program and reads that line.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "ui/qt/drawing_area.h"
#include "ui/qt/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double micros(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

// The value below which `fraction` of the samples lie; reorders them.
double quantile(std::vector<double>& v, double fraction)
{
    if (v.empty())
        return 0;
    const auto k = static_cast<std::size_t>(fraction * static_cast<double>(v.size() - 1));
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(k), v.end());
    return v[k];
}

class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;

    void watch(MainWindow* window) { window_ = window; }

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (window_ == nullptr)
            return QApplication::notify(receiver, event);
        if (receiver == window_->controls().timer1 && event->type() == QEvent::Timer)
            return timedTick(receiver, event);
        if (receiver == window_ && event->type() == QEvent::UpdateRequest && running())
            return timedPaint(receiver, event);
        if (receiver == window_->controls().picture1 && event->type() >= QEvent::User &&
            running())
            return timedFrame(receiver, event);
        return QApplication::notify(receiver, event);
    }

private:
    static constexpr std::size_t kReserved = 1 << 17; // over twenty minutes of ticks

    bool running() const { return window_->form().playBool && !window_->form().pauseBool; }

    bool timedTick(QObject* receiver, QEvent* event)
    {
        const bool wasRunning = running();
        const Clock::time_point start = Clock::now();
        const bool handled = QApplication::notify(receiver, event);
        const Clock::time_point end = Clock::now();
        if (wasRunning) {
            // A tick whose frame was never painted on its own costs its handler.
            if (awaitsPaint_)
                whole_.push_back(lastHandler_);
            if (ticks_ == 0)
                firstTick_ = start;
            lastTick_ = start;
            ++ticks_;
            lastHandler_ = micros(end - start);
            handler_.push_back(lastHandler_);
            awaitsPaint_ = true;
        }
        // Stop is a click, so the first tick after it finds the run over.
        const bool inRun = ticks_ > 0;
        if (inRun && !window_->form().playBool)
            report();
        return handled;
    }

    // The frame the tick asked for, drawn once its calls are over: part of
    // the tick.
    bool timedFrame(QObject* receiver, QEvent* event)
    {
        const Clock::time_point start = Clock::now();
        const bool handled = QApplication::notify(receiver, event);
        const double d = micros(Clock::now() - start);
        lastHandler_ += d;
        if (!handler_.empty())
            handler_.back() += d;
        return handled;
    }

    bool timedPaint(QObject* receiver, QEvent* event)
    {
        const Clock::time_point start = Clock::now();
        const bool handled = QApplication::notify(receiver, event);
        const double d = micros(Clock::now() - start);
        paint_.push_back(d);
        if (awaitsPaint_) {
            whole_.push_back(lastHandler_ + d);
            awaitsPaint_ = false;
        }
        return handled;
    }

    void report()
    {
        if (awaitsPaint_)
            whole_.push_back(lastHandler_);
        const double span = micros(lastTick_ - firstTick_) / 1e6;
        const double rate = ticks_ > 1 && span > 0 ? static_cast<double>(ticks_ - 1) / span : 0;
        std::printf("summary ticks_per_second=%.1f tick_median_us=%.1f tick_p95_us=%.1f "
                    "handler_median_us=%.1f paint_median_us=%.1f\n",
                    rate, quantile(whole_, 0.5), quantile(whole_, 0.95), quantile(handler_, 0.5),
                    quantile(paint_, 0.5));
        std::fflush(stdout);
        ticks_ = 0;
        awaitsPaint_ = false;
        for (std::vector<double>* v : {&whole_, &handler_, &paint_})
            v->clear();
    }

    MainWindow* window_ = nullptr;
    long long ticks_ = 0;
    Clock::time_point firstTick_{};
    Clock::time_point lastTick_{};
    double lastHandler_ = 0;
    bool awaitsPaint_ = false;
    std::vector<double> whole_ = reservedSamples();
    std::vector<double> handler_ = reservedSamples();
    std::vector<double> paint_ = reservedSamples();

    static std::vector<double> reservedSamples()
    {
        std::vector<double> v;
        v.reserve(kReserved);
        return v;
    }
};

} // namespace

int main(int argc, char** argv)
{
    TimedApplication app(argc, argv);
    MainWindow window;
    app.watch(&window);
    window.show();
    return QApplication::exec();
}
