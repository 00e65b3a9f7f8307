#pragma once

#include "export/frames/frame_encoder.h"

struct WebPAnimEncoder;

namespace tivora::exporting {

// Animated WebP through libwebp's animation encoder, lossy at a quality that keeps text sharp;
// plays once.
class WebPEncoder : public FrameEncoder {
public:
    ~WebPEncoder() override;
    [[nodiscard]] std::optional<QString> begin(QIODevice& out, QSize size, int fps) override;
    [[nodiscard]] std::optional<QString> add(const QImage& frame) override;
    [[nodiscard]] std::optional<QString> finish() override;

private:
    int timestamp(int frame) const;

    WebPAnimEncoder* m_encoder = nullptr;
    QIODevice* m_out = nullptr;
    int m_fps = 25;
    int m_frames = 0;
};

} // namespace tivora::exporting
