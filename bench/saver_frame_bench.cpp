// One tick of the photo fade as the window gets it: XFade of the source surface into the
// display surface, then Paint of the display surface into an image of the window's backing
// store format (32 bits a pixel), beside memcpy of the surface's bytes in the same run. The
// summary gives the tick as a multiple of that memcpy; the goal at 1920 × 1080 is 5.
#include "saver/pixels/Asm.h"
#include "saver/pixels/CDIB.h"
#include "saver/pixels/SurfaceSize.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

using lumera::saver::CDIB;
using lumera::saver::SurfaceSize;

// A screen's surfaces are 80 rows higher than the screen; the photo area is 5 rows higher.
SurfaceSize surfaceOf(const benchmark::State& state) {
    return {std::int32_t(state.range(0)), std::int32_t(state.range(1) + 80)};
}

void fillWithNoise(CDIB& dib) {
    std::uint32_t x = 2463534242u;
    for (std::uint32_t i = 0; i < dib.header.biSizeImage; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        dib.lpRGB[i] = std::uint8_t(x);
    }
}

void BM_Memcpy(benchmark::State& state) {
    const SurfaceSize size = surfaceOf(state);
    CDIB from(size), to(size);
    from.Clone(nullptr);
    to.Clone(nullptr);
    fillWithNoise(from);
    for (auto _ : state) {
        std::memcpy(to.lpRGB, from.lpRGB, from.header.biSizeImage);
        benchmark::ClobberMemory();
    }
}

void BM_Tick(benchmark::State& state) {
    const SurfaceSize size = surfaceOf(state);
    const lumera::saver::Asm routines;
    CDIB source(size), display(size);
    source.Clone(nullptr);
    display.Clone(nullptr);
    fillWithNoise(source);
    QImage window(int(state.range(0)), int(state.range(1)) + 5, QImage::Format_RGB32);
    window.fill(Qt::black);
    int level = 0;
    for (auto _ : state) {
        routines.XFade(source.lpRGB, display.lpRGB, display.RGBSize(), level);
        QPainter painter(&window);
        display.Paint(painter, 0, 0);
        painter.end();
        level = (level + 4) & 0xFF;
        benchmark::DoNotOptimize(window.constBits());
        benchmark::ClobberMemory();
    }
}

void screens(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080})->Args({3840, 2160});
    // Wall time, median of several runs taken in turns with memcpy: the machine is shared.
    b->Repetitions(7)->DisplayAggregatesOnly(true)->UseRealTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Memcpy)->Apply(screens);
BENCHMARK(BM_Tick)->Apply(screens);

class MultipleReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medianMs_[run.run_name.args][run.run_name.function_name] =
                    run.GetAdjustedRealTime();
    }

    void printMultiples() const {
        std::printf("\nOne tick (XFade + Paint) as a multiple of memcpy of the surface:\n");
        for (const auto& [screen, byName] : medianMs_) {
            const auto memcpyTime = byName.find("BM_Memcpy");
            const auto tick = byName.find("BM_Tick");
            if (memcpyTime == byName.end() || tick == byName.end() || memcpyTime->second <= 0)
                continue;
            std::printf("%-10s tick %7.3f ms, memcpy %7.3f ms: %.2f x memcpy\n", screen.c_str(),
                        tick->second, memcpyTime->second, tick->second / memcpyTime->second);
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> medianMs_;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    MultipleReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printMultiples();
    benchmark::Shutdown();
    return 0;
}
