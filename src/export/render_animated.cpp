#include "export/render_animated.h"

#include "document/regular_file.h"
#include "document/variable_text.h"
#include "engine/movies/movie.h"
#include "engine/render/render.h"
#include "export/animation_writer.h"
#include "export/graph_summary.h"
#include "export/output_formats.h"
#include "export/progress_line.h"
#include "export/svg/animated_svg.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

namespace tivora::exporting {

std::optional<AnimationFormat> animationFormatOf(const QString& outPath) {
    const OutputFormat* format = outputFormatOf(outPath);
    return format ? format->animation : std::nullopt;
}

namespace {

std::optional<QString> checkAnimatedOutput(const QString& outPath, int fps) {
    if (!animationFormatOf(outPath))
        return u"cannot tell the animated format of %1: name it %2"_s.arg(
            outPath, outputSuffixList(OutputKind::Animation));
    if (auto refusal = checkFrameRate(fps))
        return refusal;
    if (const auto refusal = checkOutputFile(outPath))
        return u"cannot write %1: %2"_s.arg(outPath, *refusal);
    return std::nullopt;
}

} // namespace

std::optional<QString> checkFrameRate(int fps) {
    if (fps < 1 || fps > kMostFps)
        return u"the frame rate must lie between 1 and %1"_s.arg(kMostFps);
    return std::nullopt;
}

AnimatedInput::AnimatedInput(std::unique_ptr<Movie> movie, GraphSummary summary,
                             QByteArray graphText)
    : movie(std::move(movie))
    , summary(std::move(summary))
    , graphText(std::move(graphText)) {}

AnimatedInput::AnimatedInput(AnimatedInput&&) noexcept = default;

AnimatedInput::~AnimatedInput() = default;

std::optional<AnimatedInput> loadAnimatedInput(const QString& inPath, bool noInformation,
                                               QString& error) {
    auto input = loadRenderInput(inPath, noInformation, error);
    if (!input)
        return std::nullopt;
    GraphSummary summary =
        input->graphText.isEmpty()
            ? GraphSummary{QFileInfo(inPath).completeBaseName(), u"An animated picture."_s, {}}
            : summarizeGraph(VariableText(input->graphText));
    return AnimatedInput(std::move(input->movie), std::move(summary), std::move(input->graphText));
}

std::optional<QString> writeAnimated(const AnimatedInput& input, const QString& outPath, int fps) {
    if (auto refusal = checkAnimatedOutput(outPath, fps))
        return refusal;
    const auto format = animationFormatOf(outPath);
    if (*format == AnimationFormat::Svg)
        return writeAnimatedSvg(input.movie->scene(), input.summary, outPath);
    ProgressLine progress(QFileInfo(outPath).fileName());
    return writeAnimation(*input.movie, outPath, *format, fps, progress.callback());
}

std::optional<QString> renderAnimated(const QString& inPath, const QString& outPath, int fps,
                                      bool noInformation) {
    // The output is checked before the input is read and laid out, which may take a while.
    if (auto refusal = checkAnimatedOutput(outPath, fps))
        return refusal;
    QString error;
    const auto input = loadAnimatedInput(inPath, noInformation, error);
    if (!input)
        return error;
    return writeAnimated(*input, outPath, fps);
}

} // namespace tivora::exporting
