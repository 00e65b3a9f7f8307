#include "export/render_animated.h"

#include "document/variable_text.h"
#include "engine/layout/graph_file_scene.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"
#include "export/animated_svg.h"
#include "export/animation_writer.h"
#include "export/graph_summary.h"
#include "export/progress_line.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

namespace tivora::exporting {

std::optional<AnimationFormat> animationFormatOf(const QString& outPath) {
    const QString suffix = QFileInfo(outPath).suffix().toLower();
    if (suffix == "svg"_L1)
        return AnimationFormat::Svg;
    if (suffix == "gif"_L1)
        return AnimationFormat::Gif;
    if (suffix == "webp"_L1)
        return AnimationFormat::WebP;
    if (suffix == "mp4"_L1)
        return AnimationFormat::Mp4;
    if (suffix == "webm"_L1)
        return AnimationFormat::WebM;
    return std::nullopt;
}

std::optional<QString> renderAnimated(const QString& inPath, const QString& outPath, int fps) {
    const auto format = animationFormatOf(outPath);
    if (!format)
        return u"cannot tell the animated format of %1: name it .svg, .gif, .webp, .mp4 or .webm"_s
            .arg(outPath);
    if (fps < 1 || fps > kMostFps)
        return u"the frame rate must lie between 1 and %1"_s.arg(kMostFps);
    QFile file(inPath);
    if (!file.open(QIODevice::ReadOnly))
        return u"cannot read %1: %2"_s.arg(inPath, file.errorString());
    const QByteArray bytes = file.readAll();
    std::unique_ptr<Movie> movie;
    GraphSummary summary{QFileInfo(inPath).completeBaseName(), u"An animated picture."_s};
    if (bytes.startsWith("TVMOVIE ")) {
        movie = Movie::load(inPath);
    } else {
        const VariableText text(graphTextOf(bytes));
        movie = std::make_unique<Movie>(layoutGraph(text, QFileInfo(inPath).absoluteDir()));
        summary = summarizeGraph(text);
    }
    if (*format == AnimationFormat::Svg)
        return writeAnimatedSvg(movie->scene(), summary, outPath);
    ProgressLine progress(QFileInfo(outPath).fileName());
    return writeAnimation(*movie, outPath, *format, fps, progress.callback());
}

} // namespace tivora::exporting
