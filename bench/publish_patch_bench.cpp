// Filling a template movie with one graph, against copying the same template: the patch reads
// the template, fills its slots in one pass and writes the result in one step, so it should cost
// little more than the copy itself. Both run on the same 1 MB template in the same run; the
// ratio of their times is the figure to watch.
#include "document/regular_file.h"
#include "publish/file_copy.h"
#include "publish/movie_patcher.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kTemplateSize = 1 << 20;

// A movie of about 1 MB: binary noise with the flag and the ten slots a third of the way in.
QByteArray largeTemplate() {
    QRandomGenerator random(7);
    QByteArray movie = "TVMOVIE 1\nkind=published\n--\n";
    while (movie.size() < kTemplateSize / 3)
        movie += char(random.bounded(256));
    movie += "flag=NOTEMBED\n";
    for (int n = 1; n <= tivora::publish::kSlotCount; ++n)
        movie += "slot" + QByteArray::number(n) + '=' + tivora::publish::slotPlaceholder(n) + '\n';
    while (movie.size() < kTemplateSize)
        movie += char(random.bounded(256));
    return movie;
}

// Seven lines as the graph writer cuts them: six of up to 480 characters and a short last one.
QList<QByteArray> graphLines() {
    QList<QByteArray> lines;
    for (int n = 1; n <= 6; ++n)
        lines.append("&k" + QByteArray::number(n) + '=' + QByteArray(470, char('a' + n)) + '&');
    lines.append("&last=1&");
    return lines;
}

struct TemplateFolder {
    TemplateFolder() {
        if (const auto error = tivora::publish::writeWholeFile(source, largeTemplate()))
            qFatal("%s", qPrintable(*error));
    }
    QTemporaryDir folder;
    QString source = folder.filePath(u"TivoraTrigger.swf"_s);
    QString target = folder.filePath(u"Graph.swf"_s);
};

void copyTemplate(benchmark::State& state) {
    TemplateFolder files;
    for (auto _ : state) {
        if (tivora::publish::copyReplacing(files.source, files.target))
            state.SkipWithError("the copy failed");
    }
    state.SetBytesProcessed(state.iterations() * kTemplateSize);
}

void patchGraphIntoTemplate(benchmark::State& state) {
    TemplateFolder files;
    const QList<QByteArray> lines = graphLines();
    for (auto _ : state) {
        QByteArray movie;
        if (tivora::readInputFile(files.source, movie))
            state.SkipWithError("the template could not be read");
        tivora::publish::PatchGraphSlots(lines, movie);
        if (tivora::publish::writeWholeFile(files.target, movie))
            state.SkipWithError("the movie could not be written");
    }
    state.SetBytesProcessed(state.iterations() * kTemplateSize);
}

} // namespace

BENCHMARK(copyTemplate)->Unit(benchmark::kMicrosecond);
BENCHMARK(patchGraphIntoTemplate)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
