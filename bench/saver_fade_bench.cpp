// One fade step over a screen-sized 24-bit surface, four ways: the saver's XFade, the plain
// byte loop, memcpy of the same bytes (the bound of what memory allows) and QPainter drawing
// the picture with opacity onto black, on 24-bit and on 32-bit images. The summary prints each
// as a share of memcpy's speed.
#include "saver/pixels/Asm.h"
#include "saver/pixels/XFadeKernels.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using lumera::saver::Asm;

struct Screen {
    int width;
    int height;
};
const Screen kSurfaces[] = {{1024, 848}, {1920, 1160}, {3840, 2240}};

std::vector<std::uint8_t> randomBytes(std::size_t n) {
    std::vector<std::uint8_t> v(n);
    std::mt19937 gen(7);
    for (auto& b : v)
        b = static_cast<std::uint8_t>(gen());
    return v;
}

std::size_t surfaceBytes(const benchmark::State& state) {
    return 3u * std::size_t(state.range(0)) * std::size_t(state.range(1));
}

void finish(benchmark::State& state) {
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(surfaceBytes(state)));
}

void BM_XFade(benchmark::State& state) {
    const Asm routines;
    const auto src = randomBytes(surfaceBytes(state));
    std::vector<std::uint8_t> dest(src.size());
    const auto pixels = std::int32_t(state.range(0) * state.range(1));
    int level = 0;
    for (auto _ : state) {
        routines.XFade(src.data(), dest.data(), pixels, level);
        level = (level + 4) & 0xFF;
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
    finish(state);
}

void BM_ScalarLoop(benchmark::State& state) {
    const auto src = randomBytes(surfaceBytes(state));
    std::vector<std::uint8_t> dest(src.size());
    int level = 0;
    for (auto _ : state) {
        lumera::saver::xfadeScalar(src.data(), dest.data(), src.size(),
                                   static_cast<std::uint8_t>(level));
        level = (level + 4) & 0xFF;
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
    finish(state);
}

void BM_Memcpy(benchmark::State& state) {
    const auto src = randomBytes(surfaceBytes(state));
    std::vector<std::uint8_t> dest(src.size());
    for (auto _ : state) {
        std::memcpy(dest.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
    finish(state);
}

// QPainter drawing the photo with opacity onto a black screen of the given format: the saver's
// own 24-bit layout, and the 32-bit one Qt's raster engine is quickest on.
void paintWithOpacity(benchmark::State& state, QImage::Format format) {
    const int w = int(state.range(0)), h = int(state.range(1));
    QImage photo(w, h, format);
    const auto bytes = randomBytes(std::size_t(photo.sizeInBytes()));
    std::memcpy(photo.bits(), bytes.data(), bytes.size());
    QImage screen(w, h, format);
    int level = 0;
    for (auto _ : state) {
        screen.fill(Qt::black);
        QPainter painter(&screen);
        painter.setOpacity(level / 256.0);
        painter.drawImage(0, 0, photo);
        painter.end();
        level = (level + 4) & 0xFF;
        benchmark::DoNotOptimize(screen.constBits());
    }
    finish(state);
}

void BM_QPainter24(benchmark::State& state) {
    paintWithOpacity(state, QImage::Format_RGB888);
}

void BM_QPainter32(benchmark::State& state) {
    paintWithOpacity(state, QImage::Format_RGB32);
}

void surfaces(benchmark::internal::Benchmark* b) {
    for (const Screen& s : kSurfaces)
        b->Args({s.width, s.height});
    // Wall time: QPainter spreads a large image over worker threads, whose work the processor
    // time of this thread would leave out. The machine is shared, so the figure is the median
    // of several runs, interleaved with the other ways (see main) so that a busy moment does
    // not fall on one of them only.
    b->Repetitions(9)->DisplayAggregatesOnly(true)->UseRealTime();
}

BENCHMARK(BM_Memcpy)->Apply(surfaces);
BENCHMARK(BM_XFade)->Apply(surfaces);
BENCHMARK(BM_ScalarLoop)->Apply(surfaces);
BENCHMARK(BM_QPainter24)->Apply(surfaces);
BENCHMARK(BM_QPainter32)->Apply(surfaces);

// Whether a run ended without a result; Google Benchmark 1.8 renamed error_occurred to skipped.
template <typename R> bool withoutResult(const R& run) {
    if constexpr (requires { run.skipped; })
        return static_cast<bool>(run.skipped);
    else
        return run.error_occurred;
}

// Prints the usual table and remembers every result for the summary.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (withoutResult(run) || run.run_type != Run::RT_Aggregate ||
                run.aggregate_name != "median")
                continue;
            const auto it = run.counters.find("bytes_per_second");
            if (it == run.counters.end())
                continue;
            speed_[run.run_name.args][run.run_name.function_name.substr(3)] = it->second.value;
        }
    }

    void printRatios() const {
        std::printf("\nThroughput as a share of memcpy of the same bytes (medians, higher is "
                    "faster):\n");
        std::printf("%-12s %8s %11s %11s %11s %15s %15s\n", "surface", "XFade", "ScalarLoop",
                    "QPainter24", "QPainter32", "XFade/QP24", "XFade/QP32");
        for (const auto& [size, byName] : speed_) {
            const auto get = [&byName](const char* n) {
                const auto it = byName.find(n);
                return it == byName.end() ? 0.0 : it->second;
            };
            const auto over = [](double a, double b) { return b > 0 ? a / b : 0.0; };
            const double memcpySpeed = get("Memcpy");
            if (memcpySpeed <= 0)
                continue;
            std::string surface = size;
            std::replace(surface.begin(), surface.end(), '/', 'x');
            std::printf("%-12s %8.2f %11.2f %11.2f %11.2f %15.1f %15.1f\n", surface.c_str(),
                        over(get("XFade"), memcpySpeed), over(get("ScalarLoop"), memcpySpeed),
                        over(get("QPainter24"), memcpySpeed), over(get("QPainter32"), memcpySpeed),
                        over(get("XFade"), get("QPainter24")),
                        over(get("XFade"), get("QPainter32")));
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> speed_;
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
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
