// Crafted inputs of about 10 MB, each aimed at one way a reader could take time or memory out of
// proportion to its input: millions of keys, one long item repeated into every cell, a list of
// nothing but separators, a value of ten megabytes, nothing but "&". Each is read as the designer
// opens a file and laid out and painted as the engine draws one; a clipboard of nothing but line
// breaks is pasted into the data grid. The peak memory of the whole run
// is reported with each: run one benchmark at a time (--benchmark_filter) to read it per input.
#include "../tests/common/crafted_png.h"
#include "../tests/excel/workbook_fixtures.h"
#include "controls/grids/string_align_grid.h"
#include "document/graph_text_reader.h"
#include "document/variable_text.h"
#include "engine/backdrop/backdrop_files.h"
#include "engine/backdrop/effect_file.h"
#include "engine/backdrop/effect_node.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"
#include "excel/csv_workbook.h"
#include "excel/workbook_file.h"
#include "publish/project_file.h"
#include "publish/publish_run.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>
#include <functional>
#include <sys/resource.h>

using namespace tivora;
using namespace tivora::engine;
using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kInputSize = qsizetype{10} * 1000 * 1000;

QByteArray entry(QByteArrayView key, QByteArrayView value) {
    return '&' + key.toByteArray() + '=' + EncodeValue(value);
}

// The entries every series graph needs, for counts of series and columns.
QByteArray seriesHead(int series, int columns) {
    return "&v_=2.0" + entry("gt_", "bar") + entry("sr_", QByteArray::number(series)) +
           entry("co_", QByteArray::number(columns)) + entry("YTFont", "12") +
           entry("YLFont", "10") + entry("XTFont", "14") + entry("XLFont", "9") +
           entry("BImageAlpha", "60") + entry("YMin", "0") + entry("YMax", "100") +
           entry("YStep", "10");
}

QByteArray manyKeys() {
    QByteArray text = seriesHead(99, 999);
    for (int n = 0; text.size() < kInputSize; ++n)
        text += "&k" + QByteArray::number(n) + "=1";
    return text + "&Textloaded=OK";
}

QByteArray longItemRepeated() {
    // The longest item a reader takes, once, for every cell of the largest graph.
    QByteArray text = seriesHead(99, 999) + entry("xl_", QByteArray(kLongestListItem, 'L')) +
                      entry("sl_", QByteArray(kLongestListItem, 'S'));
    for (int series = 1; series <= 99; ++series)
        text += entry(QByteArray("y" + QByteArray::number(series) + "v_"),
                      QByteArray(kLongestListItem / 2, '7'));
    return text + "&Textloaded=OK";
}

QByteArray onlySeparators() {
    QByteArray list;
    while (list.size() < kInputSize)
        list += "/x/";
    return seriesHead(99, 999) + entry("y1v_", list) + entry("sl_", list) + "&Textloaded=OK";
}

QByteArray tenMegabyteValue() {
    return seriesHead(3, 12) + entry("hd_", QByteArray(kInputSize, 'W')) +
           entry("XTitle", QByteArray(kInputSize / 10, 'x')) + "&Textloaded=OK";
}

QByteArray onlyAmpersands() {
    return QByteArray(kInputSize, '&');
}

QByteArray manyNotes() {
    QByteArray text = seriesHead(3, 12) + entry("no_", "9999");
    for (const char* key : {"nohd_", "nobd_", "now_", "noh_"})
        text += entry(key, QByteArray(kInputSize / 4 - 64, 'n'));
    return text + "&Textloaded=OK";
}

double peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

template <QByteArray (*makeInput)()> void BM_Read(benchmark::State& state) {
    const QByteArray input = makeInput();
    for (auto _ : state) {
        GraphDocument document;
        benchmark::DoNotOptimize(ReadGraphText(document, input).ok);
    }
    state.counters["MB"] = double(input.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemoryMiB();
}

template <QByteArray (*makeInput)()> void BM_Draw(benchmark::State& state) {
    const QByteArray input = makeInput();
    QImage image(700, 475, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const Movie movie(layoutGraph(VariableText(input), QDir(QStringLiteral("/nonexistent"))));
        QPainter painter(&image);
        movie.paint(painter, movie.settledTime());
    }
    state.counters["MB"] = double(input.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemoryMiB();
}

// Ten megabytes of line breaks pasted over the whole data grid of the largest graph: the paste
// takes the rows and cells the selection holds, not a row for every line of the clipboard.
void BM_PasteLineBreaks(benchmark::State& state) {
    TStringAlignGrid view;
    Grid grid(999 + 3, 99 + 1);
    grid.setCell(0, 99, QStringLiteral("before"));
    view.setGrid(grid);
    view.selectAll();
    const QString breaks(kInputSize, u'\n');
    QApplication::clipboard()->setText(breaks);
    for (auto _ : state)
        view.pasteIntoSelection();
    // Every line is an empty cell: the last row of the selection is emptied too.
    if (!view.cell(0, 99).isEmpty())
        state.SkipWithError("the paste did not reach the selection");
    state.counters["MB"] = double(breaks.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemoryMiB();
}

} // namespace

BENCHMARK(BM_PasteLineBreaks)
    ->Name("Paste/lineBreaks")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

#define HOSTILE_INPUT(name)                                                                        \
    BENCHMARK(BM_Read<name>)->Name("Read/" #name)->Unit(benchmark::kMillisecond)->Iterations(3);   \
    BENCHMARK(BM_Draw<name>)                                                                       \
        ->Name("Draw/" #name)                                                                      \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)                                                                            \
        ->MeasureProcessCPUTime()

HOSTILE_INPUT(manyKeys);
HOSTILE_INPUT(longItemRepeated);
HOSTILE_INPUT(onlySeparators);
HOSTILE_INPUT(tenMegabyteValue);
HOSTILE_INPUT(onlyAmpersands);
HOSTILE_INPUT(manyNotes);

// Publish projects of about 10 MB: a graph list of nothing but separators (millions of empty
// entries) and one of millions of short names of graphs that do not exist. Each is loaded as the
// wizard's "Run" and "tivora publish" load it and, when it loads, run into a folder of its own.
namespace {

QByteArray projectWithList(QByteArrayView item) {
    QByteArray list;
    list.reserve(kInputSize);
    while (list.size() < kInputSize)
        list += item;
    return "&ExportTo=1&Excel=NO&SaveDirectory=" + QDir::tempPath().toUtf8() +
           "/tivora-bench-out&Files=" + list + "&Engine=YES&FlaFile=NO&HTMLFile=NO&Embed=YES";
}

QByteArray projectOfEmptyEntries() {
    return projectWithList("/x/");
}

QByteArray projectOfMissingGraphs() {
    return projectWithList("g/x/");
}

template <QByteArray (*makeInput)()> void BM_PublishProject(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Hostile.TVP"));
    QFile file(path);
    const QByteArray input = makeInput();
    if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size() || !file.flush()) {
        state.SkipWithError("cannot write the project file");
        return;
    }
    file.close();
    for (auto _ : state) {
        const publish::ProjectLoad load = publish::LoadProject(path);
        if (load.choices) {
            publish::PublishRun run(*load.choices, folder.path());
            benchmark::DoNotOptimize(run.GeneratePublishFiles([](const QString&) {}).skipped);
        }
    }
    state.counters["MB"] = double(input.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemoryMiB();
}

} // namespace

// Crafted workbooks of at most 10 MB, each aimed at one way a workbook reader could take time or
// memory out of proportion to its input: a part that unpacks to a quarter of a gigabyte of
// nothing but empty shared strings, one shared string or cell of that length, or millions of
// cells beside the range. Each is opened and its range read as an import does; a stored entry of
// random bytes keeps each archive under the hundredfold expansion that is refused outright. The
// peak memory is that of the read alone.
namespace {

constexpr qsizetype kQuarterGigabyte = qsizetype{250} * 1000 * 1000;

QByteArray randomPadding() {
    QByteArray bytes(2'800'000, Qt::Uninitialized);
    std::uint32_t state = 12345;
    for (char& each : bytes) {
        state = state * 1664525u + 1013904223u;
        each = char(state >> 24);
    }
    return bytes;
}

QByteArray xlsxWith(const QString& sheetData, const QStringList& sharedStrings) {
    return test::xlsxWorkbook({sheetData}, sharedStrings, QString(), randomPadding());
}

QByteArray xlsxEmptySharedStrings() {
    // Each is written "<si></si>".
    QStringList strings(kQuarterGigabyte / 9, QString());
    return xlsxWith(
        u"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>%1</v></c></row>"_s.arg(strings.size() - 1), strings);
}

QByteArray xlsxLongSharedString() {
    return xlsxWith(u"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"_s,
                    {u"<t>"_s + QString(kQuarterGigabyte, u'x') + u"</t>"_s});
}

QByteArray xlsxLongSheetCell() {
    return xlsxWith(u"<row r=\"1\"><c r=\"A1\" t=\"str\"><v>"_s + QString(kQuarterGigabyte, u'x') +
                        u"</v></c></row>"_s,
                    {});
}

QByteArray odsLongCell() {
    return test::odsWorkbook({u"<table:table-row><table:table-cell><text:p>"_s +
                              QString(kQuarterGigabyte, u'x') +
                              u"</text:p></table:table-cell></table:table-row>"_s},
                             randomPadding());
}

QByteArray odsCellsBesideTheRange() {
    return test::odsWorkbook({u"<table:table-row>"_s +
                              QString(u"<table:table-cell/>"_s).repeated(13'000'000) +
                              u"</table:table-row>"_s},
                             randomPadding());
}

// The peak memory since the last reset, from the kernel's high-water mark of this process.
void resetPeakMemory() {
    QFile clear(u"/proc/self/clear_refs"_s);
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double peakMemorySinceResetMiB() {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

template <QByteArray (*makeInput)()> void BM_ReadWorkbook(benchmark::State& state) {
    const QByteArray input = makeInput();
    resetPeakMemory();
    for (auto _ : state) {
        excel::OpenedWorkbook opened = excel::openZippedWorkbook(input);
        excel::RangeValues values;
        if (opened.workbook)
            benchmark::DoNotOptimize(
                opened.workbook->readRange(1, excel::CellRange{{1, 1}, {3, 10}}, values));
    }
    state.counters["MB"] = double(input.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemorySinceResetMiB();
}

// Separated text: one field of 250 MB, and millions of empty lines above the range.
QByteArray csvHugeField() {
    return "\"" + QByteArray(qsizetype{250} * 1024 * 1024, 'x') + "\",1\n2,3\n4,5\n";
}

QByteArray csvMillionsOfEmptyRows() {
    return "1,2\n" + QByteArray(5'000'000, '\n') + "3,4\n";
}

template <QByteArray (*makeInput)()> void BM_ReadCsv(benchmark::State& state) {
    const QByteArray input = makeInput();
    const int lastRow = int(input.count('\n'));
    resetPeakMemory();
    for (auto _ : state) {
        excel::OpenedWorkbook opened = excel::openCsvWorkbook(input);
        excel::RangeValues values;
        // The range's last line is the text's, so every line is walked.
        benchmark::DoNotOptimize(opened.workbook->readRange(
            1, excel::CellRange{{1, lastRow - 1}, {2, lastRow}}, values));
    }
    state.counters["MB"] = double(input.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemorySinceResetMiB();
}

} // namespace

// Movies, effects and pictures: each crafted file is loaded as a player loads it and a second of
// its frames painted, 25 of them.
namespace {

constexpr int kFramesPainted = 25;

void paintSecond(const std::function<void(QPainter&, Millis)>& paint) {
    QImage image(700, 475, QImage::Format_ARGB32_Premultiplied);
    for (int frame = 0; frame < kFramesPainted; ++frame) {
        QPainter painter(&image);
        paint(painter, 40.0 * frame);
    }
}

QString writeTemporary(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

QByteArray tutorialOfManyPages() {
    QByteArray movie = "TVMOVIE 1\nkind=tutorial\ntitle=Many pages\npage=1000\n--\n";
    for (int page = 0; movie.size() < 5'400'000; ++page)
        movie +=
            "# Page " + QByteArray::number(page) + "\nOpen the file.\nChoose a graph.\n! Tip\n";
    return movie;
}

void BM_TutorialOfManyPages(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray bytes = tutorialOfManyPages();
    const QString path = writeTemporary(folder, QStringLiteral("Tutorial.swf"), bytes);
    for (auto _ : state) {
        const auto movie = Movie::load(path);
        paintSecond([&](QPainter& painter, Millis time) { movie->paint(painter, time); });
    }
    state.counters["MB"] = double(bytes.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemoryMiB();
}

// Effects that stay within every documented limit of a setting, yet each asks for a lot of
// painting: the largest particles, the most of them, the widest and longest rays, the most glows.
QByteArray largestParticles() {
    QByteArray effect = "TVEFFECT 1\n";
    for (int layer = 0; layer < 5; ++layer)
        effect += "particles shape=bubble count=400 size=80 speed=500 spin=1000\n";
    return effect;
}

QByteArray mostParticles() {
    QByteArray effect = "TVEFFECT 1\n";
    for (int layer = 0; layer < 5; ++layer)
        effect += "particles shape=flake count=400 size=3-6 sway=20 spin=90 twinkle=900\n";
    return effect;
}

QByteArray widestRays() {
    QByteArray effect = "TVEFFECT 1\n";
    for (int layer = 0; layer < 16; ++layer)
        effect += "rays count=36 width=90 length=2000 swing=180 period=100\n";
    return effect;
}

QByteArray mostGlows() {
    QByteArray effect = "TVEFFECT 1\n";
    for (int layer = 0; layer < 16; ++layer)
        effect += "glow radius=2000 period=100\n";
    return effect;
}

template <QByteArray (*makeEffect)()> void BM_Effect(benchmark::State& state) {
    const auto effect = EffectFile::parse(makeEffect());
    if (!effect)
        qFatal("the crafted effect does not read");
    for (auto _ : state) {
        const EffectNode node(*effect, QRectF(60, 70, 600, 340), 1.0);
        paintSecond([&](QPainter& painter, Millis time) { node.paint(painter, time); });
    }
    state.counters["peak_MiB"] = peakMemoryMiB();
}

QByteArray hugePng() {
    return test::craftedPng(16000, 16000, 3);
}

// The largest photo that is still shown: 64 million pixels.
QByteArray largestJpeg() {
    QImage image(8000, 8000, QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y)
        std::memset(image.scanLine(y), (y * 7) % 251, std::size_t(image.bytesPerLine()));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return jpeg;
}

template <QByteArray (*makePicture)()> void BM_Pictures(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray picture = makePicture();
    for (const char* name : {"one.pic", "two.pic", "three.pic"})
        writeTemporary(folder, QString::fromLatin1(name), picture);
    const QByteArray text =
        seriesHead(3, 12) + entry("BImages", "one.pic/x/two.pic/x/three.pic") + "&Textloaded=OK";
    for (auto _ : state) {
        const Movie movie(layoutGraph(VariableText(text), QDir(folder.path())));
        paintSecond([&](QPainter& painter, Millis time) { movie.paint(painter, time); });
    }
    state.counters["MB"] = double(picture.size()) * 3 / 1e6;
    state.counters["peak_MiB"] = peakMemoryMiB();
}

} // namespace

#define HOSTILE_FILE(function, name)                                                               \
    BENCHMARK(function)                                                                            \
        ->Name(name)                                                                               \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)                                                                            \
        ->MeasureProcessCPUTime()

HOSTILE_FILE(BM_TutorialOfManyPages, "Movie/tutorialOfManyPages");
HOSTILE_FILE(BM_Effect<largestParticles>, "Effect/largestParticles");
HOSTILE_FILE(BM_Effect<mostParticles>, "Effect/mostParticles");
HOSTILE_FILE(BM_Effect<widestRays>, "Effect/widestRays");
HOSTILE_FILE(BM_Effect<mostGlows>, "Effect/mostGlows");
HOSTILE_FILE(BM_Pictures<hugePng>, "Picture/threeHugePngs");
HOSTILE_FILE(BM_Pictures<largestJpeg>, "Picture/threeLargestJpegs");
HOSTILE_FILE(BM_PublishProject<projectOfEmptyEntries>, "Publish/projectOfEmptyEntries");
HOSTILE_FILE(BM_PublishProject<projectOfMissingGraphs>, "Publish/projectOfMissingGraphs");

#define HOSTILE_WORKBOOK(name)                                                                     \
    BENCHMARK(BM_ReadWorkbook<name>)                                                               \
        ->Name("Workbook/" #name)                                                                  \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)

HOSTILE_WORKBOOK(xlsxEmptySharedStrings);
HOSTILE_WORKBOOK(xlsxLongSharedString);
HOSTILE_WORKBOOK(xlsxLongSheetCell);
HOSTILE_WORKBOOK(odsLongCell);
HOSTILE_WORKBOOK(odsCellsBesideTheRange);
BENCHMARK(BM_ReadCsv<csvHugeField>)
    ->Name("Workbook/csvHugeField")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_ReadCsv<csvMillionsOfEmptyRows>)
    ->Name("Workbook/csvMillionsOfEmptyRows")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
