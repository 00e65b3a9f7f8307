#include "windows/animation_export_job.h"

#include "document/regular_file.h"
#include "engine/movies/movie.h"
#include "export/animation_writer.h"
#include "export/render_animated.h"

#include <QDir>

using namespace Qt::StringLiterals;
using namespace tivora::exporting;

namespace tivora {

namespace {

std::optional<AnimationFormat> pictureSequenceOf(const QString& outPath) {
    const std::optional<AnimationFormat> format = animationFormatOf(outPath);
    if (format == AnimationFormat::Svg)
        return std::nullopt;
    return format;
}

} // namespace

AnimationExportJob::AnimationExportJob(QObject* parent)
    : QObject(parent) {}

AnimationExportJob::~AnimationExportJob() {
    cancel();
    wait();
}

bool AnimationExportJob::writes(const QString& outPath) {
    return pictureSequenceOf(outPath).has_value();
}

void AnimationExportJob::start(const QString& moviePath, const QString& outPath) {
    wait();
    m_cancel = false;
    m_thread.reset(QThread::create([this, moviePath, outPath] {
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
            [this](int done, int total) { Q_EMIT progressed(done, total); }, &m_cancel));
    }));
    m_thread->start();
}

bool AnimationExportJob::isRunning() const {
    return m_thread && m_thread->isRunning();
}

void AnimationExportJob::wait() {
    if (m_thread) {
        m_thread->wait();
        m_thread.reset();
    }
}

} // namespace tivora
