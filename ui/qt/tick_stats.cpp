#include "ui/qt/tick_stats.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>

#include <QString>

#if defined(__unix__) || defined(__APPLE__)
#include <time.h>
#endif

namespace {

constexpr const char* kVariable = "THERMAL_TICK_STATS";
constexpr const char* kStandardError = "-";
// A tick longer than this lands in the last bin: a tenth of a second is
// ten missed ticks, far past any goal.
constexpr std::size_t kBinCount = 100000 + 1;
constexpr double kMicrosPerSecond = 1e6;
constexpr double kMedian = 0.5;
constexpr double kP95 = 0.95;
constexpr double kPercent = 100;
constexpr std::size_t kLineLength = 256;

double micros(TickStats::Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

// Processor time of the whole process, user and system, in seconds; 0 where
// the platform has no such clock.
double processCpuSeconds()
{
#if defined(CLOCK_PROCESS_CPUTIME_ID)
    timespec t{};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t) == 0)
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
#endif
    return 0;
}

} // namespace

std::unique_ptr<TickStats> TickStats::fromEnvironment()
{
    const QString path = qEnvironmentVariable(kVariable);
    if (path.isEmpty())
        return nullptr;
    return std::make_unique<TickStats>(path.toStdString());
}

TickStats::TickStats(std::string path) : path_(std::move(path)) {}

TickStats::~TickStats()
{
    if (running_)
        runStopped();
}

TickStats::Histogram::Histogram() : bins_(kBinCount, 0) {}

void TickStats::Histogram::add(Clock::duration d)
{
    const double us = micros(d);
    const auto bin = std::min(static_cast<std::size_t>(std::max(us, 0.0)), kBinCount - 1);
    ++bins_[bin];
    ++count_;
    max_ = std::max(max_, us);
}

void TickStats::Histogram::reset()
{
    std::fill(bins_.begin(), bins_.end(), 0);
    count_ = 0;
    max_ = 0;
}

double TickStats::Histogram::quantile(double fraction) const
{
    if (count_ == 0)
        return 0;
    const auto wanted = static_cast<std::int64_t>(fraction * static_cast<double>(count_ - 1));
    std::int64_t seen = 0;
    for (std::size_t b = 0; b < bins_.size(); ++b) {
        seen += bins_[b];
        if (seen > wanted)
            return static_cast<double>(b) + 0.5; // the middle of the bin's microsecond
    }
    return max_;
}

void TickStats::runStarted(const std::string& settings)
{
    settings_ = settings;
    running_ = true;
    inTick_ = false;
    tickAwaitsPaint_ = false;
    ticks_ = paints_ = ticksWithoutPaint_ = 0;
    for (Histogram* h : {&physics_, &drawing_, &handler_, &paint_, &whole_})
        h->reset();
    runStart_ = Clock::now();
    cpuAtStart_ = processCpuSeconds();
}

void TickStats::tickBegins()
{
    if (!running_)
        return;
    tickStart_ = Clock::now();
    drawingStart_ = Clock::time_point{};
    inTick_ = true;
    // Two ticks with no paint between them: the first one's frame was never
    // shown on its own, so its cost is its handler alone.
    if (tickAwaitsPaint_) {
        whole_.add(lastHandler_);
        ++ticksWithoutPaint_;
        tickAwaitsPaint_ = false;
    }
    if (ticks_ == 0)
        firstTick_ = tickStart_;
    lastTick_ = tickStart_;
    ++ticks_;
}

void TickStats::drawingBegins()
{
    if (inTick_ && drawingStart_ == Clock::time_point{})
        drawingStart_ = Clock::now();
}

void TickStats::tickEnds()
{
    if (!inTick_)
        return;
    inTick_ = false;
    const Clock::time_point end = Clock::now();
    const Clock::time_point drawn = drawingStart_ == Clock::time_point{} ? end : drawingStart_;
    physics_.add(drawn - tickStart_);
    drawing_.add(end - drawn);
    lastHandler_ = end - tickStart_;
    handler_.add(lastHandler_);
    tickAwaitsPaint_ = true;
}

void TickStats::paintBegins()
{
    paintStart_ = Clock::now();
}

void TickStats::paintEnds()
{
    if (!running_)
        return;
    const Clock::duration d = Clock::now() - paintStart_;
    paint_.add(d);
    ++paints_;
    if (tickAwaitsPaint_) {
        whole_.add(lastHandler_ + d);
        tickAwaitsPaint_ = false;
    }
}

void TickStats::runStopped()
{
    if (!running_)
        return;
    if (tickAwaitsPaint_)
        whole_.add(lastHandler_);
    tickAwaitsPaint_ = false;
    writeSummary();
    running_ = false;
}

void TickStats::writeSummary()
{
    const double seconds = micros(Clock::now() - runStart_) / kMicrosPerSecond;
    const double tickSpan = micros(lastTick_ - firstTick_) / kMicrosPerSecond;
    const double tickRate =
        ticks_ > 1 && tickSpan > 0 ? static_cast<double>(ticks_ - 1) / tickSpan : 0;
    const double paintRate = seconds > 0 ? static_cast<double>(paints_) / seconds : 0;
    const double cpu = processCpuSeconds() - cpuAtStart_;
    const double cpuPercent = seconds > 0 ? kPercent * cpu / seconds : 0;

    std::string text;
    const auto line = [&text](const char* format, auto... values) {
        char buffer[kLineLength];
        std::snprintf(buffer, sizeof buffer, format, values...);
        text += buffer;
    };
    line("run: %s\n", settings_.c_str());
    line("  %.2f s, %lld ticks (%.1f a second), %lld paints (%.1f a second), "
         "%lld ticks not painted on their own\n",
         seconds, static_cast<long long>(ticks_), tickRate, static_cast<long long>(paints_),
         paintRate, static_cast<long long>(ticksWithoutPaint_));
    text += "  microseconds          median      p95      max\n";
    const struct {
        const char* name;
        const Histogram& h;
    } rows[] = {{"physics", physics_},
                {"scene drawing calls", drawing_},
                {"timer handler", handler_},
                {"paint and flush", paint_},
                {"whole tick", whole_}};
    for (const auto& r : rows)
        line("  %-20s %8.1f %8.1f %8.1f\n", r.name, r.h.quantile(kMedian), r.h.quantile(kP95),
             r.h.maxMicros());
    line("  process CPU %.2f s, %.1f%% of one core\n", cpu, cpuPercent);
    // One line for scripts.
    line("summary ticks_per_second=%.1f tick_median_us=%.1f tick_p95_us=%.1f "
         "physics_median_us=%.1f paint_median_us=%.1f cpu_percent=%.1f\n",
         tickRate, whole_.quantile(kMedian), whole_.quantile(kP95), physics_.quantile(kMedian),
         paint_.quantile(kMedian), cpuPercent);

    if (path_ == kStandardError) {
        std::cerr << text << std::flush;
    } else {
        std::ofstream out(path_, std::ios::app);
        out << text;
    }
}
