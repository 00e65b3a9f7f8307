// A published graph movie travels with web pages and presentations and may be damaged or edited
// on the way. Its slots are read back from any bytes: at most ten lines, each no longer than its
// slot and without trailing blanks, and the graph they make must lay out and paint.
#include "engine/movies/movie_kinds.h"
#include "engine/movies/published_slots.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Made once and never destroyed: taking it down among the exit handlers, after Qt's own globals
// are gone, would crash the run at its very end.
void ensureApplication() {
    static QGuiApplication* application = nullptr;
    if (application != nullptr)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_published_movie";
    static char* argv[] = {name, nullptr};
    application = new QGuiApplication(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tivora::engine;
    ensureApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const PublishedSlots slots = PublishedSlots::read(bytes);
    if (slots.lines.size() > std::size_t(PublishedSlots::kSlotCount))
        std::abort();
    for (const QByteArray& line : slots.lines) {
        if (line.size() > PublishedSlots::kFillerLength + 8 || line.endsWith(' '))
            std::abort();
    }
    MovieFile movie;
    movie.kind = "published";
    movie.body = bytes;
    const Scene scene = layoutPublishedMovie(movie, QDir(QStringLiteral("/nonexistent")));
    QImage image(140, 95, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.scale(0.2, 0.2);
    const double end = scene.endTime();
    scene.paint(painter, 0.0);
    scene.paint(painter, std::isfinite(end) ? end : 1000.0);
    return 0;
}
