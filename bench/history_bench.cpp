// Merging his.dat and reading Fav.rar should grow linearly with the file, and a title event
// cost about the same with a full buffer as with an empty one. Run by hand:
// build/bench/history_bench
#include "portal/PortalState.h"
#include "portal/browser/FavoritesFile.h"
#include "portal/browser/History.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace lumera::portal;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// A stored history of `lineBytes`-long lines, 1000 of them (all a merge reads).
void BM_MergeHistory(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray line(state.range(0), 'r');
    QByteArray stored;
    for (int i = 0; i < 1000; ++i)
        stored += line + "\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(QDir(folder.path()).filePath("his.dat"), stored);
        PortalState portal;
        AddHistoryRow(portal, "title", "http://127.0.0.1/");
        state.ResumeTiming();
        benchmark::DoNotOptimize(SaveHistoryFile(portal, folder.path()));
    }
    state.SetBytesProcessed(state.iterations() * stored.size());
}
BENCHMARK(BM_MergeHistory)->Arg(100)->Arg(1000)->Arg(10000);

// One title event with `range` rows already in the buffer; at 1000 the oldest row goes.
void BM_AddHistoryRow(benchmark::State& state) {
    PortalState portal;
    for (int i = 0; i < state.range(0); ++i)
        AddHistoryRow(portal, "标题负载测试：页面标题不停变化的负载测试", "http://127.0.0.1/load/");
    int n = 0;
    for (auto _ : state) {
        AddHistoryRow(portal, "标题" + QString::number(++n), "http://127.0.0.1/load/titles.html");
        if (state.range(0) < HistoryFileLineLimit) {
            state.PauseTiming();
            portal.HistoryBuffer.remove(0, portal.HistoryBuffer.indexOf("\r\n") + 2);
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddHistoryRow)->Arg(10)->Arg(500)->Arg(1000);

void BM_ReadFavorites(benchmark::State& state) {
    QTemporaryDir folder;
    QByteArray list;
    for (int i = 0; i < state.range(0); ++i)
        list += "站点标题" + QByteArray::number(i) + ",http://127.0.0.1/" + QByteArray::number(i) +
                "\r\n";
    writeFile(QDir(folder.path()).filePath("Fav.rar"), list);
    for (auto _ : state)
        benchmark::DoNotOptimize(readFavorites(folder.path()));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadFavorites)->Arg(100)->Arg(1000)->Arg(10000);

} // namespace

BENCHMARK_MAIN();
