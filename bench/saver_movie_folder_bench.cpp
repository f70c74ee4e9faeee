// How long choosing and copying the next movie takes as a content folder grows, and how long
// the check that a file is a movie takes for a small movie and for a huge file.
#include "saver/modes/FileList.h"
#include "saver/modes/MovieFile.h"
#include "saver/modes/MovieFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace lumera::saver;

// A folder of `count` small movies (and as many other files), made once per size.
QString movieFolder(QTemporaryDir& dir, int count) {
    const QString folder = dir.filePath(QStringLiteral("movies%1").arg(count));
    if (QDir(folder).exists())
        return folder;
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        QFile movie(folder + QStringLiteral("/m%1.jav").arg(i, 5, 10, QChar('0')));
        if (movie.open(QIODevice::WriteOnly))
            movie.write(QByteArray("FWS\x0a\x20\x00\x00\x00") + QByteArray(24, '\0'));
        QFile other(folder + QStringLiteral("/n%1.txt").arg(i));
        if (other.open(QIODevice::WriteOnly))
            other.write("x");
    }
    return folder;
}

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

void BM_NextMovieOfAFolder(benchmark::State& state) {
    const QString folder = movieFolder(scratch(), static_cast<int>(state.range(0)));
    const QString workingCopy = scratch().filePath(QStringLiteral("dong.swf"));
    int stored = 0;
    for (auto _ : state) {
        FileList list;
        list.setPattern(QStringLiteral("*.jav"));
        list.setPath(folder);
        const int n = movieIndexInList(stored, list.ListCount());
        benchmark::DoNotOptimize(replaceWorkingCopy(folder + '/' + list.List(n), workingCopy));
        stored = n + 1;
    }
}
BENCHMARK(BM_NextMovieOfAFolder)->Arg(3)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LooksLikeMovie(benchmark::State& state) {
    const QString path = scratch().filePath(QStringLiteral("check%1.jav").arg(state.range(0)));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.resize(state.range(0));
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(looksLikeMovieFile(path));
}
BENCHMARK(BM_LooksLikeMovie)
    ->Arg(12 * 1024)
    ->Arg(100ll * 1024 * 1024)
    ->Unit(benchmark::kMicrosecond);

} // namespace
