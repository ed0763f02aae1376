// One whole frame of the drawing area: clear, then every disc and
// wrap-around image of a scene redraw, into a 32-bit image. Each case is
// variant/area/N/radius; the time is per frame and `allocs` counts calls of
// operator new per frame.
//
// union:     the program's canvas: equal discs drawn as one union, row by
//            row; two frames a tick apart in turn, so that, as in a running
//            program, only the pixels where the two differ are written.
// union_full_clear: the same canvas made to forget the last frame, so every
//            pixel is written (a first frame, or after a resize).
// spans:     the same disc shape from the same span table, disc after disc,
//            overlaps drawn again each time.
// per_pixel: disc after disc, every pixel of its box tested against the
//            disc's definition, the plainly right drawing.

#include <algorithm>
#include <cstddef>
#include <vector>

#include <benchmark/benchmark.h>

#include "alloc_counter.h"
#include "run_registered.h"
#include "scene_frames.h"
#include "tests/support/raster_reference.h"
#include "ui/raster/raster.h"

namespace {

constexpr raster::Pixel kBackground = 0xFF000000;
constexpr raster::Pixel kYellow = 0xFFFFFF00;

struct Image {
    int width;
    int height;
    std::vector<raster::Pixel> pixels;
    Image(int w, int h)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h))
    {
    }
    raster::Surface surface() { return {pixels.data(), width, height, width}; }
};

void report(benchmark::State& state, std::size_t allocsBefore, std::size_t circles)
{
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(bench::allocations() - allocsBefore),
                           benchmark::Counter::kAvgIterations);
    state.counters["circles"] = static_cast<double>(circles);
}

void drawCanvas(benchmark::State& state, const bench::FrameCase& c, bool forgetEachFrame)
{
    const std::vector<bench::RecordedCircle> frames[] = {
        bench::sceneFrame(c), bench::sceneFrame(c, bench::kSettleTicks + 1)};
    Image image(c.width, c.height);
    raster::Canvas canvas;
    bool holdsLast = false;
    const auto draw = [&](const std::vector<bench::RecordedCircle>& frame) {
        canvas.clear(kBackground);
        for (const auto& d : frame)
            canvas.disc(d.x, d.y, d.radius, kYellow);
        benchmark::DoNotOptimize(canvas.draw(image.surface(), holdsLast));
        holdsLast = !forgetEachFrame;
    };
    // Both frames once first: the span table and the canvas's memory of
    // the last frame grow once.
    draw(frames[0]);
    draw(frames[1]);
    const std::size_t before = bench::allocations();
    std::size_t next = 0;
    for (auto _ : state) {
        draw(frames[next]);
        next ^= 1;
        benchmark::DoNotOptimize(image.pixels.data());
        benchmark::ClobberMemory();
    }
    report(state, before, frames[0].size());
}

void drawUnion(benchmark::State& state, const bench::FrameCase& c)
{
    drawCanvas(state, c, false);
}

void drawUnionFullClear(benchmark::State& state, const bench::FrameCase& c)
{
    drawCanvas(state, c, true);
}

void drawSpans(benchmark::State& state, const bench::FrameCase& c)
{
    const auto frame = bench::sceneFrame(c);
    Image image(c.width, c.height);
    raster::DiscSpans shape;
    shape.setRadius(frame.empty() ? 0 : frame.front().radius);
    const std::size_t before = bench::allocations();
    for (auto _ : state) {
        const raster::Surface s = image.surface();
        std::ranges::fill(image.pixels, kBackground);
        for (const auto& d : frame)
            raster::fillDisc(s, d.x, d.y, shape, kYellow);
        benchmark::DoNotOptimize(image.pixels.data());
        benchmark::ClobberMemory();
    }
    report(state, before, frame.size());
}

void drawPerPixel(benchmark::State& state, const bench::FrameCase& c)
{
    const auto frame = bench::sceneFrame(c);
    reference::Image image(c.width, c.height, kBackground);
    const std::size_t before = bench::allocations();
    for (auto _ : state) {
        reference::clear(image, kBackground);
        for (const auto& d : frame)
            reference::disc(image, d.x, d.y, d.radius, kYellow);
        benchmark::DoNotOptimize(image.pixels.data());
        benchmark::ClobberMemory();
    }
    report(state, before, frame.size());
}

void registerAll()
{
    using Draw = void (*)(benchmark::State&, const bench::FrameCase&);
    const std::pair<const char*, Draw> variants[] = {
        {"union", drawUnion},
        {"union_full_clear", drawUnionFullClear},
        {"spans", drawSpans},
        {"per_pixel", drawPerPixel}};
    for (const bench::FrameCase& c : bench::kFrameCases)
        for (const auto& [name, draw] : variants)
            benchmark::RegisterBenchmark(bench::frameName(name, c).c_str(),
                                         [draw = draw, &c](benchmark::State& s) { draw(s, c); })
                ->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char** argv)
{
    registerAll();
    return bench::runRegistered(argc, argv);
}
