// One whole frame of the drawing area: clear, then every disc and
// wrap-around image of a scene redraw, into a 32-bit image. Each case is
// variant/area/N/radius; the time is per frame.
//
// union:       the program's canvas: equal discs drawn as one union, row by
//              row; two frames a tick apart in turn, so that, as in a running
//              program, only the pixels where the two differ are written.
// union_whole: the same canvas made to forget the last frame, so every pixel
//              is written (a first frame, or after a resize).
// spans:       the same disc shape from the same span table, disc after disc,
//              overlaps drawn again each time.

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "sim/params.h"
#include "tests/support/fake_toolkit.h"
#include "ui/raster/raster.h"

namespace {

constexpr raster::Pixel kBackground = 0xFF000000;
constexpr raster::Pixel kYellow = 0xFFFFFF00;

struct Case {
    int width, height;
    std::int16_t molecules;
    std::int32_t mass;
};
// The window at its design size, and filling a 1080p and a 4K screen.
constexpr Case kCases[] = {
    {668, 344, params::kDefaultMolecules, params::kDefaultMass},
    {1920, 1080, params::kMaxMolecules, params::kDefaultMass},
    {1920, 1080, params::kMaxMolecules, params::kMaxMass},
    {3824, 2122, params::kMaxMolecules, params::kDefaultMass},
    {3824, 2122, params::kMaxMolecules, params::kMaxMass},
};

// The circles of one wrap-around redraw after `ticks` ticks of a new gas,
// past the random start's overlaps.
std::vector<fake::Circle> sceneFrame(const Case& c, int ticks)
{
    fake::Ui ui;
    ui.picture1.w = static_cast<float>(c.width);
    ui.picture1.h = static_cast<float>(c.height);
    ui.form.limtBool = true;
    ui.form.startSmlM(c.molecules, params::kDefaultSpeed, c.mass);
    for (int k = 0; k < ticks; ++k)
        ui.form.goMol();
    return ui.picture1.circles;
}

void draw(benchmark::State& state, const Case& c, const std::string& variant)
{
    const std::vector<fake::Circle> frames[] = {sceneFrame(c, 20), sceneFrame(c, 21)};
    std::vector<raster::Pixel> pixels(static_cast<std::size_t>(c.width) *
                                      static_cast<std::size_t>(c.height));
    const raster::Surface surface{pixels.data(), c.width, c.height, c.width};
    raster::Canvas canvas;
    raster::DiscSpans shape;
    shape.setRadius(static_cast<int>(frames[0].front().radius));
    std::size_t next = 0;
    for (auto _ : state) {
        const std::vector<fake::Circle>& frame = frames[next ^= 1];
        if (variant == "spans") {
            std::fill(pixels.begin(), pixels.end(), kBackground);
            for (const fake::Circle& d : frame)
                raster::fillDisc(surface, static_cast<int>(d.x), static_cast<int>(d.y), shape, kYellow);
        } else {
            canvas.clear(kBackground);
            for (const fake::Circle& d : frame)
                canvas.disc(static_cast<int>(d.x), static_cast<int>(d.y), static_cast<int>(d.radius), kYellow);
            benchmark::DoNotOptimize(canvas.draw(surface, variant == "union"));
        }
        benchmark::DoNotOptimize(pixels.data());
    }
}

} // namespace

int main(int argc, char** argv)
{
    for (const Case& c : kCases)
        for (const char* variant : {"union", "union_whole", "spans"}) {
            const std::string name = std::string(variant) + "/" + std::to_string(c.width) + "x" +
                                     std::to_string(c.height) + "/N:" + std::to_string(c.molecules) +
                                     (c.mass == params::kDefaultMass ? "/r:7" : "/r:178");
            benchmark::RegisterBenchmark(name.c_str(), [&c, variant](benchmark::State& s) {
                draw(s, c, variant);
            })->Unit(benchmark::kMicrosecond);
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
