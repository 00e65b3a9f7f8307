#include "windows/animation_export_job.h"

#include "document/regular_file.h"
#include "engine/movies/movie.h"
#include "export/animation_writer.h"
#include "export/output_formats.h"
#include "export/render_animated.h"

#include <QDir>

using namespace Qt::StringLiterals;
using namespace tivora::exporting;

namespace tivora {

namespace {

// The formats drawn frame by frame: every animation of the output table that has no still form
// (an SVG is written at once, as a still or a timed drawing).
std::optional<AnimationFormat> pictureSequenceOf(const QString& outPath) {
    const OutputFormat* format = outputFormatOf(outPath, true);
    if (!format || format->kind != OutputKind::Animation)
        return std::nullopt;
    return format->animation;
}

} // namespace

AnimationExportJob::AnimationExportJob(QObject* parent)
    : QObject(parent) {}

AnimationExportJob::~AnimationExportJob() {
    m_worker.stop();
}

bool AnimationExportJob::writes(const QString& outPath) {
    return pictureSequenceOf(outPath).has_value();
}

void AnimationExportJob::start(const QString& moviePath, const QString& outPath) {
    m_worker.start([this, moviePath, outPath] {
        // Signals emitted here are queued to the job's own thread.
        const auto end = [this](const std::optional<QString>& error) {
            const bool cancelled = error == kAnimationCancelled;
            Q_EMIT finished(cancelled ? QString() : error.value_or(QString()), cancelled);
        };
        const std::optional<AnimationFormat> format = pictureSequenceOf(outPath);
        if (!format)
            return end(u"%1 is not an animation format"_s.arg(QDir::toNativeSeparators(outPath)));
        if (const auto refusal = checkOutputFile(outPath))
            return end(u"cannot write %1: %2"_s.arg(QDir::toNativeSeparators(outPath), *refusal));
        QString error;
        const auto input = loadAnimatedInput(moviePath, false, error);
        if (!input)
            return end(error);
        end(writeAnimation(
            *input->movie, outPath, *format, kDefaultFps,
            [this](int done, int total) { Q_EMIT progressed(done, total); },
            m_worker.cancelFlag()));
    });
}

} // namespace tivora
