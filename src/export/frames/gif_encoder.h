#pragma once

#include "export/frames/frame_encoder.h"

#include <QImage>

struct GifFileType;

namespace tivora::exporting {

// Animated GIF through giflib. Each frame stores only the rectangle that changed since the frame
// before, with a palette of its own chosen for that rectangle, so shaded areas keep their
// smoothness and unchanged parts cost nothing. The animation plays once and stays on its last
// frame.
class GifEncoder : public FrameEncoder {
public:
    ~GifEncoder() override;
    [[nodiscard]] std::optional<QString> begin(QIODevice& out, QSize size, int fps) override;
    [[nodiscard]] std::optional<QString> add(const QImage& frame) override;
    [[nodiscard]] std::optional<QString> finish() override;

private:
    [[nodiscard]] std::optional<QString> failure(const char* what) const;
    QRect changedArea(const QImage& frame) const;

    GifFileType* m_gif = nullptr;
    QImage m_previous;
    int m_fps = 25;
    int m_frames = 0;
};

} // namespace tivora::exporting
