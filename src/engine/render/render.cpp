#include "engine/render/render.h"

#include "document/graph_text_reader.h"
#include "document/graph_text_writer.h"
#include "document/program_folder.h"
#include "document/regular_file.h"
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"
#include "engine/movies/movie_file.h"
#include "engine/render/svg_paint_device.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

constexpr int kLargestSide = 16000;
constexpr qint64 kLargestImageBytes = qint64(1) << 30;

std::unique_ptr<Movie> noInformationMovie(QString& error) {
    const QString path = programDataPath(u"NoInfo.swf"_s);
    QByteArray bytes;
    const auto reason = readInputFile(path, bytes);
    const auto movie = reason ? std::nullopt : MovieFile::parse(bytes);
    if (!movie) {
        error = u"cannot draw the no-information movie: %1"_s.arg(
            reason.value_or(u"%1 is not a movie."_s.arg(path)));
        return nullptr;
    }
    return Movie::play(*movie, QFileInfo(path).absoluteDir());
}

// The graph as the designer opens it, drawn from the text the designer writes for it: older
// versions and long keys come out in the one form the engine reads.
std::optional<RenderInput> loadGraph(const QString& inPath, const QByteArray& bytes,
                                     bool noInformation, QString& error) {
    GraphDocument document;
    const GraphReadResult read = ReadGraphText(document, bytes);
    const GraphTextBuild build =
        read ? buildGraphText(document) : GraphTextBuild{GraphTextBuild::Status::Failed, {}, {}};
    if (build.status == GraphTextBuild::Status::Complete) {
        const VariableText text(build.text);
        return RenderInput{
            std::make_unique<Movie>(layoutGraph(text, QFileInfo(inPath).absoluteDir())),
            build.text};
    }
    if (noInformation) {
        if (auto movie = noInformationMovie(error))
            return RenderInput{std::move(movie), {}};
        return std::nullopt;
    }
    if (!read)
        error = u"cannot read %1: %2"_s.arg(inPath, read.error);
    else if (build.status == GraphTextBuild::Status::Incomplete)
        error = u"%1 holds an incomplete graph: %2"_s.arg(inPath, build.message);
    else
        error = u"%1 holds a graph that cannot be drawn: %2"_s.arg(inPath, build.message);
    return std::nullopt;
}

std::unique_ptr<Movie> loadInput(const QString& inPath, bool noInformation, QString& error) {
    auto input = loadRenderInput(inPath, noInformation, error);
    return input ? std::move(input->movie) : nullptr;
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

// The generator gives its size in millimetres; a picture for a page is sized in CSS pixels.
QByteArray sizedInPixels(QByteArray svg, QSize size) {
    static const QRegularExpression kSize(uR"(<svg width="[^"]*" height="[^"]*"\s*viewBox=)"_s);
    const QString sized =
        u"<svg width=\"%1\" height=\"%2\" viewBox="_s.arg(size.width()).arg(size.height());
    const QString head = QString::fromLatin1(svg.left(1024));
    const QRegularExpressionMatch match = kSize.match(head);
    if (match.hasMatch())
        svg.replace(match.capturedStart(), match.capturedLength(), sized.toLatin1());
    return svg;
}

bool writeSvg(const Movie& movie, Millis time, QSize size, QSaveFile& out) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRectF(QPointF(0, 0), movie.stageSize()));
    svg.setTitle(u"Tivora graph"_s);
    SvgPaintDevice device(svg);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paintFrame(painter, movie, time, 1.0);
    if (!painter.end())
        return false;
    const QByteArray sized = sizedInPixels(buffer.data(), size);
    return out.write(sized) == sized.size();
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

// The still pictures this writer draws; which form a name asks for (a still or an animation) is
// the output format table's choice, made before a still is asked of this writer.
bool isStillPictureName(const QString& outPath) {
    const QString suffix = QFileInfo(outPath).suffix().toLower();
    return suffix == "png"_L1 || suffix == "bmp"_L1 || suffix == "svg"_L1 || suffix == "pdf"_L1;
}

} // namespace

// No side may pass kLargestSide and no picture may take more than kLargestImageBytes, whatever
// the stage's aspect.
std::optional<QSize> pictureSize(QSizeF stage, std::optional<int> requestedWidth, QString& error) {
    const int width = requestedWidth.value_or(int(std::lround(stage.width())));
    const double height = std::max(1.0, std::round(width * stage.height() / stage.width()));
    if (width < 1 || width > kLargestSide || height > kLargestSide ||
        qint64(width) * qint64(height) * 4 > kLargestImageBytes) {
        error =
            u"a picture %1 wide would be %2 high; each side must lie between 1 and %3"_s.arg(width)
                .arg(qint64(height))
                .arg(kLargestSide);
        return std::nullopt;
    }
    return QSize(width, int(height));
}

std::optional<RenderInput> loadRenderInput(const QString& inPath, bool noInformation,
                                           QString& error) {
    QByteArray bytes;
    if (const auto reason = readInputFile(inPath, bytes)) {
        error = u"cannot read %1: %2"_s.arg(inPath, *reason);
        return std::nullopt;
    }
    if (!bytes.startsWith("TVMOVIE "))
        return loadGraph(inPath, bytes, noInformation, error);
    const auto movie = MovieFile::parse(bytes);
    if (!movie) {
        error = u"cannot read %1: it begins as a movie file but is not one."_s.arg(inPath);
        return std::nullopt;
    }
    return RenderInput{Movie::play(*movie, QFileInfo(inPath).absoluteDir()), {}};
}

QImage renderImage(const QString& inPath, const RenderOptions& options, QString* error) {
    QString reason;
    const auto movie = loadInput(inPath, options.noInformation, reason);
    if (!movie) {
        if (error)
            *error = reason;
        return {};
    }
    return renderImage(*movie, options, error);
}

QImage renderImage(const Movie& movie, const RenderOptions& options, QString* error) {
    QString reason;
    const auto size = pictureSize(movie.stageSize(), options.width, reason);
    if (!size) {
        if (error)
            *error = reason;
        return {};
    }
    return frameImage(movie, options.time.value_or(movie.settledTime()), *size, false);
}

std::optional<QString> renderToFile(const QString& inPath, const QString& outPath,
                                    const RenderOptions& options) {
    if (!isStillPictureName(outPath))
        return u"cannot tell the format of %1: name it .png, .bmp, .svg or .pdf"_s.arg(outPath);
    const QString suffix = QFileInfo(outPath).suffix().toLower();
    if (const auto refusal = checkOutputFile(outPath))
        return u"cannot write %1: %2"_s.arg(outPath, *refusal);
    QString error;
    const auto movie = loadInput(inPath, options.noInformation, error);
    if (!movie)
        return error;
    const auto size = pictureSize(movie->stageSize(), options.width, error);
    if (!size)
        return error;
    const Millis time = options.time.value_or(movie->settledTime());

    QSaveFile out(outPath);
    const auto failure = [&out, &outPath] {
        // A painter or image writer that fails leaves no error of the file's own to tell.
        return out.error() == QFileDevice::NoError
                   ? u"cannot write %1"_s.arg(outPath)
                   : u"cannot write %1: %2"_s.arg(outPath, out.errorString());
    };
    if (!out.open(QIODevice::WriteOnly))
        return failure();
    bool written = false;
    if (suffix == "svg"_L1)
        written = writeSvg(*movie, time, *size, out);
    else if (suffix == "pdf"_L1)
        written = writePdf(*movie, time, *size, out);
    else
        written = writeImage(*movie, time, *size, out, suffix == "bmp"_L1 ? "BMP" : "PNG");
    if (!written || !out.commit())
        return failure();
    return std::nullopt;
}

} // namespace tivora::engine
