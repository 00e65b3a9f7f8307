#include "engine/render/render.h"

#include "document/variable_text.h"
#include "engine/layout/graph_file_scene.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

constexpr int kLargestWidth = 16000;

std::unique_ptr<Movie> loadInput(const QString& inPath, QString& error) {
    QFile file(inPath);
    if (!file.open(QIODevice::ReadOnly)) {
        error = u"cannot read %1: %2"_s.arg(inPath, file.errorString());
        return nullptr;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("TVMOVIE "))
        return Movie::load(inPath);
    const VariableText text(graphTextOf(bytes));
    return std::make_unique<Movie>(layoutGraph(text, QFileInfo(inPath).absoluteDir()));
}

void paintFrame(QPainter& painter, const Movie& movie, Millis time, double scale) {
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    movie.paint(painter, time);
}

QImage frameImage(const Movie& movie, Millis time, QSize size, bool opaque) {
    QImage image(size, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    paintFrame(painter, movie, time, size.width() / movie.stageSize().width());
    return image;
}

bool writeImage(const Movie& movie, Millis time, QSize size, QSaveFile& out, const char* format) {
    const bool opaque = qstrcmp(format, "BMP") == 0;
    return frameImage(movie, time, size, opaque).save(&out, format);
}

QSize pictureSize(const Movie& movie, const RenderOptions& options) {
    const QSizeF stage = movie.stageSize();
    const int width = options.width.value_or(int(stage.width()));
    return QSize(width, std::max(1, int(std::lround(width * stage.height() / stage.width()))));
}

bool writeSvg(const Movie& movie, Millis time, QSize size, QSaveFile& out) {
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(size);
    svg.setViewBox(QRectF(QPointF(0, 0), movie.stageSize()));
    svg.setTitle(u"Tivora graph"_s);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintFrame(painter, movie, time, 1.0);
    return painter.end();
}

bool writePdf(const Movie& movie, Millis time, QSize size, QSaveFile& out) {
    QPdfWriter pdf(&out);
    // One page the size of the picture, a pixel taken as a point at 72 dots per inch.
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setCreator(u"Tivora Designer"_s);
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    paintFrame(painter, movie, time, pdf.width() / movie.stageSize().width());
    return painter.end();
}

} // namespace

QImage renderImage(const QString& inPath, const RenderOptions& options, QString* error) {
    QString reason;
    const auto movie = loadInput(inPath, reason);
    if (!movie) {
        if (error)
            *error = reason;
        return {};
    }
    return frameImage(*movie, options.time.value_or(movie->settledTime()),
                      pictureSize(*movie, options), false);
}

std::optional<QString> renderToFile(const QString& inPath, const QString& outPath,
                                    const RenderOptions& options) {
    const QString suffix = QFileInfo(outPath).suffix().toLower();
    if (suffix != "png"_L1 && suffix != "bmp"_L1 && suffix != "svg"_L1 && suffix != "pdf"_L1)
        return u"cannot tell the format of %1: name it .png, .bmp, .svg or .pdf"_s.arg(outPath);
    if (options.width && (*options.width < 1 || *options.width > kLargestWidth))
        return u"the width must lie between 1 and %1"_s.arg(kLargestWidth);
    QString error;
    const auto movie = loadInput(inPath, error);
    if (!movie)
        return error;
    const QSize size = pictureSize(*movie, options);
    const Millis time = options.time.value_or(movie->settledTime());

    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly))
        return u"cannot write %1: %2"_s.arg(outPath, out.errorString());
    bool written = false;
    if (suffix == "svg"_L1)
        written = writeSvg(*movie, time, size, out);
    else if (suffix == "pdf"_L1)
        written = writePdf(*movie, time, size, out);
    else
        written = writeImage(*movie, time, size, out, suffix == "bmp"_L1 ? "BMP" : "PNG");
    if (!written || !out.commit())
        return u"cannot write %1: %2"_s.arg(outPath, out.errorString());
    return std::nullopt;
}

} // namespace tivora::engine
