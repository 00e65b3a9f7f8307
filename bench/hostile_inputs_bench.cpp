// Crafted inputs of about 10 MB, each aimed at one way a reader could take time or memory out of
// proportion to its input: millions of keys, one long item repeated into every cell, a list of
// nothing but separators, a value of ten megabytes, nothing but "&". Each is read as the designer
// opens a file and laid out and painted as the engine draws one. The peak memory of the whole run
// is reported with each: run one benchmark at a time (--benchmark_filter) to read it per input.
#include "../tests/excel/workbook_fixtures.h"
#include "document/graph_text_reader.h"
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"
#include "excel/workbook_file.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace tivora;
using namespace tivora::engine;
using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kInputSize = 10 * 1000 * 1000;

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

} // namespace

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

// Crafted workbooks of at most 10 MB, each aimed at one way a workbook reader could take time or
// memory out of proportion to its input: a part that unpacks to a quarter of a gigabyte of
// nothing but empty shared strings, one shared string or cell of that length, or millions of
// cells beside the range. Each is opened and its range read as an import does; a stored entry of
// random bytes keeps each archive under the hundredfold expansion that is refused outright. The
// peak memory is that of the read alone.
namespace {

constexpr qsizetype kQuarterGigabyte = 250 * 1000 * 1000;

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

} // namespace

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
