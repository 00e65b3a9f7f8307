// Importing a range of 100 columns by 1000 rows (A1:CV1000, down, its first column the headings)
// from a legacy workbook and from an Office Open XML workbook: the whole "Load Now", from opening
// the file to the values in the data grid. The workbooks are written by a script of the
// repository before the runs.
#include "document/graph_document_model.h"
#include "excel/range_import.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tivora;
using namespace Qt::StringLiterals;

namespace {

const QTemporaryDir& workbookFolder() {
    static const QTemporaryDir folder;
    static const bool made = [] {
        QProcess script;
        script.start(QStringLiteral(TIVORA_SOURCE_DIR) + u"/scripts/make_bench_workbooks.py"_s,
                     {folder.path()});
        return script.waitForFinished(120000) && script.exitCode() == 0;
    }();
    if (!made)
        qFatal("The benchmark workbooks need /usr/bin/python3 with xlwt (python3-xlwt).");
    return folder;
}

void importRange(benchmark::State& state, const QString& workbook) {
    excel::LinkOptions options;
    options.excelLink = true;
    options.excelFile = workbookFolder().filePath(workbook);
    options.rowFrom = u"A"_s;
    options.colFrom = u"1"_s;
    options.rowTo = u"CV"_s;
    options.colTo = u"1000"_s;
    options.down = true;
    options.headerLine = true;
    GraphDocumentModel model;
    model.edit([](GraphDocument& document) { document.graphType = document.baseType = u"bar"_s; });
    for (auto _ : state) {
        const auto failure =
            excel::importRange(options, model, [](const QString&) { return true; });
        if (failure)
            state.SkipWithError(qPrintable(failure->text));
        benchmark::DoNotOptimize(model.document().series.sgrdData.rowCount());
    }
}

void BM_ImportFromXls(benchmark::State& state) {
    importRange(state, u"bench.xls"_s);
}
BENCHMARK(BM_ImportFromXls)->Unit(benchmark::kMillisecond);

void BM_ImportFromXlsx(benchmark::State& state) {
    importRange(state, u"bench.xlsx"_s);
}
BENCHMARK(BM_ImportFromXlsx)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
