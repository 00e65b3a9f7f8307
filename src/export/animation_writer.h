#pragma once

#include "export/progress_line.h"
#include "export/render_animated.h"

#include <QImage>
#include <QString>
#include <atomic>
#include <optional>

namespace tivora::engine {
class Movie;
}

namespace tivora::exporting {

// The frames of a movie's animation at fps: from time 0 until it settles (and one round of what
// loops), both ends included.
int frameCount(const engine::Movie& movie, int fps);
// Frame index painted on the movie's stage, opaque, at the stage's size.
QImage paintAnimationFrame(const engine::Movie& movie, int index, int fps);

// What writeAnimation gives when it was cancelled.
inline const QString kAnimationCancelled = QStringLiteral("cancelled");

// Writes the movie's animation as a GIF, WebP, MP4 or WebM file, whole or not at all. Gives the
// reason when it could not. Setting cancel (from any thread) stops it before the next frame,
// leaving outPath as it was.
[[nodiscard]] std::optional<QString> writeAnimation(const engine::Movie& movie,
                                                    const QString& outPath, AnimationFormat format,
                                                    int fps, const Progress& progress = {},
                                                    const std::atomic_bool* cancel = nullptr);

} // namespace tivora::exporting
