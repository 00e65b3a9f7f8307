#include "export/render_animated.h"

#include "document/regular_file.h"
#include "document/variable_text.h"
#include "engine/movies/movie.h"
#include "engine/render/render.h"
#include "export/animated_svg.h"
#include "export/animation_writer.h"
#include "export/graph_summary.h"
#include "export/progress_line.h"

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

std::optional<QString> renderAnimated(const QString& inPath, const QString& outPath, int fps,
                                      bool noInformation) {
    const auto format = animationFormatOf(outPath);
    if (!format)
        return u"cannot tell the animated format of %1: name it .svg, .gif, .webp, .mp4 or .webm"_s
            .arg(outPath);
    if (fps < 1 || fps > kMostFps)
        return u"the frame rate must lie between 1 and %1"_s.arg(kMostFps);
    if (const auto refusal = checkOutputFile(outPath))
        return u"cannot write %1: %2"_s.arg(outPath, *refusal);
    QString error;
    auto input = loadRenderInput(inPath, noInformation, error);
    if (!input)
        return error;
    const std::unique_ptr<Movie> movie = std::move(input->movie);
    const GraphSummary summary =
        input->graphText.isEmpty()
            ? GraphSummary{QFileInfo(inPath).completeBaseName(), u"An animated picture."_s}
            : summarizeGraph(VariableText(input->graphText));
    if (*format == AnimationFormat::Svg)
        return writeAnimatedSvg(movie->scene(), summary, outPath);
    ProgressLine progress(QFileInfo(outPath).fileName());
    return writeAnimation(*movie, outPath, *format, fps, progress.callback());
}

} // namespace tivora::exporting
