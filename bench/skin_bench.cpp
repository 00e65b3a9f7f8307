// What skins and the splash picture add to the designer's start: the splash picture drawn, shown
// and taken away, and the main window made and first shown with and without the default skin
// (read, checked, installed, and every control of the window bound and restyled).
#include "../tests/shell/shell_environment.h"
#include "controls/skins/skin.h"
#include "controls/splash.h"
#include "shell/tfrm_lumara.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kShippedSkin = QStringLiteral(TIVORA_SOURCE_DIR "/data/skins/Default.skn");

void splashPicture(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(tivora::paintSplashPicture());
}

void splashShownAndEnded(benchmark::State& state) {
    for (auto _ : state) {
        tivora::showSplash();
        tivora::endSplash();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The shipped skin read and checked, Qt's own parse of it included.
void skinFileRead(benchmark::State& state) {
    if (!QFileInfo::exists(kShippedSkin)) {
        state.SkipWithError("no shipped default skin in data/skins");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(tivora::Skin::read(kShippedSkin));
}

// range(0): 0 starts with no skin file (the plain look), 1 with the shipped default skin.
void mainWindowFirstShown(benchmark::State& state) {
    const bool skinned = state.range(0) != 0;
    tivora::test::ShellEnvironment environment;
    if (skinned && !QFile::copy(kShippedSkin, environment.folder() + u"Default.skn"_s)) {
        state.SkipWithError("no shipped default skin in data/skins");
        return;
    }
    for (auto _ : state) {
        auto window = std::make_unique<tivora::TfrmLumara>();
        window->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (skinned == qApp->styleSheet().isEmpty())
            state.SkipWithError("the default skin was not loaded");
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(splashPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(splashShownAndEnded)->Unit(benchmark::kMillisecond);
BENCHMARK(skinFileRead)->Unit(benchmark::kMillisecond);
BENCHMARK(mainWindowFirstShown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(8);
