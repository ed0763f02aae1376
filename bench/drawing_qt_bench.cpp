// For context beside bench_drawing: the same frames drawn with QPainter, one
// painter and one drawEllipse per circle into a QImage, as the drawing area
// did before it had its own rasterizer. Time per frame.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <benchmark/benchmark.h>

#include "scene_frames.h"
#include "run_registered.h"

namespace {

void drawWithQPainter(benchmark::State& state, const bench::FrameCase& c)
{
    const auto frame = bench::sceneFrame(c);
    QImage image(c.width, c.height, QImage::Format_RGB32);
    const QColor background(0, 0, 0);
    const QColor yellow(255, 255, 0);
    for (auto _ : state) {
        image.fill(background);
        for (const auto& d : frame) {
            QPainter p(&image);
            p.setPen(QPen(yellow, 0));
            p.setBrush(QBrush(yellow));
            p.drawEllipse(QPointF(d.x, d.y), d.radius, d.radius);
        }
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
    state.counters["circles"] = static_cast<double>(frame.size());
}

} // namespace

int main(int argc, char** argv)
{
    for (const bench::FrameCase& c : bench::kFrameCases)
        benchmark::RegisterBenchmark(bench::frameName("qpainter", c).c_str(),
                                     [&c](benchmark::State& s) { drawWithQPainter(s, c); })
            ->Unit(benchmark::kMicrosecond);
    return bench::runRegistered(argc, argv);
}
