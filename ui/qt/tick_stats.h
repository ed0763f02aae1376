#pragma once

// What one tick of the running program costs, measured inside it: the
// physics, the scene's drawing calls, and the paint and flush of the window
// that shows the frame; and how many ticks a second the timer achieves.
//
// Opt-in, for measuring only: with THERMAL_TICK_STATS set to a file name
// (or to "-" for standard error) the window keeps these figures and appends
// a summary of each run to the file when the run is stopped, and at exit
// for a run still going. Nothing is allocated per tick. A pause counts as
// time in the run's ticks a second; its ticks are not measured.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TickStats {
public:
    using Clock = std::chrono::steady_clock;

    // The measurement the environment asks for, or none.
    static std::unique_ptr<TickStats> fromEnvironment();

    explicit TickStats(std::string path);
    ~TickStats();
    TickStats(const TickStats&) = delete;
    TickStats& operator=(const TickStats&) = delete;

    // A run begins: forget the last one. `settings` heads its summary.
    void runStarted(const std::string& settings);
    // The run ends: append its summary.
    void runStopped();

    // Around the timer's handler while running; `drawingBegins` when the
    // scene starts drawing within it, which ends the physics.
    void tickBegins();
    void drawingBegins();
    void tickEnds();
    // Around the window's paint and flush to the screen.
    void paintBegins();
    void paintEnds();

private:
    // Counts per whole microsecond; the last bin holds everything longer.
    class Histogram {
    public:
        Histogram();
        void add(Clock::duration d);
        void reset();
        std::int64_t count() const { return count_; }
        // Microseconds below which `fraction` of the samples lie.
        double quantile(double fraction) const;
        double maxMicros() const { return max_; }

    private:
        std::vector<std::uint32_t> bins_;
        std::int64_t count_ = 0;
        double max_ = 0;
    };

    void writeSummary();

    std::string path_;
    std::string settings_;
    bool running_ = false;
    bool inTick_ = false;
    bool tickAwaitsPaint_ = false;
    std::int64_t ticks_ = 0;
    std::int64_t paints_ = 0;
    std::int64_t ticksWithoutPaint_ = 0;
    Clock::time_point runStart_{};
    Clock::time_point firstTick_{};
    Clock::time_point lastTick_{};
    Clock::time_point tickStart_{};
    Clock::time_point drawingStart_{};
    Clock::time_point paintStart_{};
    Clock::duration lastHandler_{};
    double cpuAtStart_ = 0;
    Histogram physics_;
    Histogram drawing_;
    Histogram handler_;
    Histogram paint_;
    Histogram whole_;
};
