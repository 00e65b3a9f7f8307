// The main() of every benchmark that paints: Qt needs its application object (widgets for the
// shell's benchmarks, gui for the engine's) before anything is drawn, and no screen.
#include <benchmark/benchmark.h>

#ifdef TIVORA_BENCH_WIDGETS
#include <QApplication>
using BenchmarkApplication = QApplication;
#else
#include <QGuiApplication>
using BenchmarkApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    BenchmarkApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
