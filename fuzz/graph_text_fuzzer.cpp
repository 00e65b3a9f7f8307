// The engine lays out whatever graph text lies beside it, hand-edited or damaged: layout and
// painting must cope with any bytes. Each input is laid out and painted at its start and its end
// into a small image.
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/graph_file_scene.h"
#include "engine/movies/movie.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>

namespace {

// Fonts need an application object. It is made once and never destroyed: destroying it while the
// process exits would race Qt's own clean-up.
void ensureApplication() {
    static QGuiApplication* application = nullptr;
    if (application)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_graph_text";
    static char* argv[] = {name, nullptr};
    application = new QGuiApplication(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const tivora::VariableText text(tivora::engine::graphTextOf(bytes));
    const tivora::engine::Movie movie(
        tivora::engine::layoutGraph(text, QDir(QStringLiteral("/nonexistent"))));
    QImage image(140, 95, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(0.2, 0.2);
    const double end = movie.endTime();
    movie.paint(painter, 0.0);
    movie.paint(painter, std::isfinite(end) ? end : 1000.0);
    return 0;
}
