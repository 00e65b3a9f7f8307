#pragma once

#include "export/frames/frame_encoder.h"

#include <QByteArray>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;
struct SwsContext;

namespace tivora::exporting {

// Video through FFmpeg's libraries: H.264 in MP4 for slide programs (MPEG-4 part 2 where this
// FFmpeg has no H.264 encoder), VP9 in WebM for browsers. 4:2:0 colour needs an even size, so an
// odd stage height gets one more row, a copy of the last.
class VideoEncoder : public FrameEncoder {
public:
    enum class Container { Mp4, WebM };
    explicit VideoEncoder(Container container);
    ~VideoEncoder() override;
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    [[nodiscard]] std::optional<QString> begin(QIODevice& out, QSize size, int fps) override;
    [[nodiscard]] std::optional<QString> add(const QImage& frame) override;
    [[nodiscard]] std::optional<QString> finish() override;

    // The picture size a stage of this size is stored at.
    static QSize evenSize(QSize size);

private:
    [[nodiscard]] std::optional<QString> openCodec(QSize size, int fps);
    [[nodiscard]] std::optional<QString> send(AVFrame* frame);
    [[nodiscard]] std::optional<QString> failure(const char* what, int code) const;

    Container m_container;
    QIODevice* m_out = nullptr;
    AVFormatContext* m_format = nullptr;
    AVIOContext* m_io = nullptr;
    AVCodecContext* m_codec = nullptr;
    AVStream* m_stream = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    SwsContext* m_scale = nullptr;
    std::int64_t m_next = 0;
};

} // namespace tivora::exporting
