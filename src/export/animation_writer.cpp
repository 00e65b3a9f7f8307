#include "export/animation_writer.h"

#include "engine/movies/movie.h"
#include "export/frames/encoder_library.h"
#include "export/svg/animated_svg.h"

#include <QPainter>
#include <QSaveFile>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

namespace tivora::exporting {

int frameCount(const Movie& movie, int fps) {
    return int(std::floor(animationLength(movie.scene()) * fps / 1000.0)) + 1;
}

QImage paintAnimationFrame(const Movie& movie, int index, int fps) {
    QImage frame(movie.stageSize().toSize(), QImage::Format_RGB32);
    frame.fill(Qt::white);
    QPainter painter(&frame);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    movie.paint(painter, index * 1000.0 / fps);
    return frame;
}

std::optional<QString> writeAnimation(const Movie& movie, const QString& outPath,
                                      AnimationFormat format, int fps, const Progress& progress,
                                      const std::atomic_bool* cancel) {
    QString refusal;
    const std::unique_ptr<FrameEncoder> encoder = createFrameEncoder(format, refusal);
    if (!encoder)
        return u"cannot write %1: %2"_s.arg(outPath, refusal);
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly))
        return u"cannot write %1: %2"_s.arg(outPath, out.errorString());
    if (auto error = encoder->begin(out, movie.stageSize().toSize(), fps))
        return error;
    const int frames = frameCount(movie, fps);
    for (int i = 0; i < frames; ++i) {
        // The save file is dropped uncommitted, so a cancelled export leaves nothing behind.
        if (cancel && *cancel)
            return kAnimationCancelled;
        if (auto error = encoder->add(paintAnimationFrame(movie, i, fps)))
            return error;
        if (progress)
            progress(i + 1, frames);
    }
    if (auto error = encoder->finish())
        return error;
    // A failed last write only shows in the flush; a commit after it would keep a short file.
    if (!out.flush() || !out.commit())
        return u"cannot write %1: %2"_s.arg(outPath, out.errorString());
    return std::nullopt;
}

} // namespace tivora::exporting
