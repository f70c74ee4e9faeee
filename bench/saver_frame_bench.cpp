// One tick of the photo fade as the window gets it: XFade of the source surface into the
// display surface, then Paint of the display surface into an image of the window's backing
// store format (32 bits a pixel). Every iteration also copies the surface's bytes with memcpy,
// timed apart, so that the counter x_memcpy gives the tick as a multiple of memcpy measured in
// the same moments of a shared machine. The goal at 1920 × 1080 is 5.
#include "saver/pixels/Asm.h"
#include "saver/pixels/CDIB.h"
#include "saver/pixels/SurfaceSize.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>

namespace {

using lumera::saver::CDIB;
using Clock = std::chrono::steady_clock;

void fillWithNoise(CDIB& dib) {
    std::uint32_t x = 2463534242u;
    for (std::uint32_t i = 0; i < dib.header.biSizeImage; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        dib.lpRGB[i] = std::uint8_t(x);
    }
}

void BM_Tick(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    // The surfaces are 80 rows higher than the screen, the photo area 5 rows.
    const lumera::saver::SurfaceSize size{width, height + 80};
    const lumera::saver::Asm routines;
    CDIB source(size), display(size), copy(size);
    source.Clone(nullptr);
    display.Clone(nullptr);
    copy.Clone(nullptr);
    fillWithNoise(source);
    QImage window(width, height + 5, QImage::Format_RGB32);
    window.fill(Qt::black);

    Clock::duration copying{}, ticking{};
    int level = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::memcpy(copy.lpRGB, source.lpRGB, source.header.biSizeImage);
        benchmark::ClobberMemory();
        const auto copied = Clock::now();
        routines.XFade(source.lpRGB, display.lpRGB, display.RGBSize(), level);
        QPainter painter(&window);
        display.Paint(painter, 0, 0);
        painter.end();
        benchmark::ClobberMemory();
        const auto ticked = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(ticked - copied).count());
        copying += copied - start;
        ticking += ticked - copied;
        level = (level + 4) & 0xFF;
    }
    const double iterations = double(state.iterations());
    state.counters["memcpy_ms"] =
        std::chrono::duration<double, std::milli>(copying).count() / iterations;
    state.counters["x_memcpy"] = double(ticking.count()) / double(copying.count());
}

// Median of several runs: the machine is shared.
BENCHMARK(BM_Tick)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->UseManualTime()
    ->Repetitions(7)
    ->DisplayAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
