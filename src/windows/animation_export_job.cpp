#include "windows/animation_export_job.h"

#include "document/regular_file.h"
#include "engine/movies/movie.h"
#include "export/animation_writer.h"
#include "export/deck/graph_slide.h"
#include "export/output_formats.h"
#include "export/render_animated.h"

#include <QDir>

using namespace Qt::StringLiterals;
using namespace tivora::exporting;

namespace tivora {

namespace {

// The formats drawn frame by frame, and the deck whose video is: every format of the output table
// but the stills (an SVG is written at once, as a still or a timed drawing).
const OutputFormat* framedFormatOf(const QString& outPath) {
    const OutputFormat* format = outputFormatOf(outPath, true);
    return format && format->kind != OutputKind::Still ? format : nullptr;
}

} // namespace

AnimationExportJob::AnimationExportJob(QObject* parent)
    : QObject(parent) {}

AnimationExportJob::~AnimationExportJob() {
    m_worker.stop();
}

bool AnimationExportJob::writes(const QString& outPath) {
    return framedFormatOf(outPath) != nullptr;
}

void AnimationExportJob::start(const QString& moviePath, const QString& outPath) {
    m_worker.start([this, moviePath, outPath] {
        // Signals emitted here are queued to the job's own thread.
        const auto end = [this](const std::optional<QString>& error) {
            const bool cancelled = error == kAnimationCancelled;
            Q_EMIT finished(cancelled ? QString() : error.value_or(QString()), cancelled);
        };
        const OutputFormat* format = framedFormatOf(outPath);
        if (!format)
            return end(u"%1 is not an animation format"_s.arg(QDir::toNativeSeparators(outPath)));
        if (const auto refusal = checkOutputFile(outPath))
            return end(u"cannot write %1: %2"_s.arg(QDir::toNativeSeparators(outPath), *refusal));
        QString error;
        const auto input = loadAnimatedInput(moviePath, false, error);
        if (!input)
            return end(error);
        const auto progress = [this](int done, int total) {
            Q_EMIT progressed(done, total);
        };
        if (format->kind == OutputKind::Deck)
            return end(
                writeGraphDeck(*input, outPath, kDefaultFps, progress, m_worker.cancelFlag()));
        end(writeAnimation(*input->movie, outPath, *format->animation, kDefaultFps, progress,
                           m_worker.cancelFlag()));
    });
}

} // namespace tivora
