#include "export/frames/video_encoder.h"

#include <QIODevice>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

constexpr int kIoBufferSize = 64 * 1024;

// This FFmpeg hands the bytes over as non-const.
int writePacket(void* device, std::uint8_t* bytes, int size) {
    const qint64 written =
        static_cast<QIODevice*>(device)->write(reinterpret_cast<const char*>(bytes), size);
    return written == size ? size : AVERROR(EIO);
}

std::int64_t seekDevice(void* opaque, std::int64_t offset, int whence) {
    auto* device = static_cast<QIODevice*>(opaque);
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return device->size();
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += device->pos();
        break;
    case SEEK_END:
        offset += device->size();
        break;
    default:
        return AVERROR(EINVAL);
    }
    return device->seek(offset) ? offset : AVERROR(EIO);
}

const AVCodec* videoCodec(VideoEncoder::Container container) {
    if (container == VideoEncoder::Container::WebM) {
        if (const AVCodec* vp9 = avcodec_find_encoder_by_name("libvpx-vp9"))
            return vp9;
        return avcodec_find_encoder(AV_CODEC_ID_VP8);
    }
    if (const AVCodec* h264 = avcodec_find_encoder(AV_CODEC_ID_H264))
        return h264;
    return avcodec_find_encoder(AV_CODEC_ID_MPEG4);
}

} // namespace

VideoEncoder::VideoEncoder(Container container)
    : m_container(container) {}

VideoEncoder::~VideoEncoder() {
    sws_freeContext(m_scale);
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
    avcodec_free_context(&m_codec);
    if (m_format)
        avformat_free_context(m_format);
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
}

QSize VideoEncoder::evenSize(QSize size) {
    return QSize(size.width() + size.width() % 2, size.height() + size.height() % 2);
}

std::optional<QString> VideoEncoder::failure(const char* what, int code) const {
    char reason[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, reason, sizeof reason);
    return u"cannot write the video (%1: %2)"_s.arg(QLatin1StringView(what),
                                                    QLatin1StringView(reason));
}

std::optional<QString> VideoEncoder::openCodec(QSize size, int fps) {
    const AVCodec* codec = videoCodec(m_container);
    if (!codec)
        return u"cannot write the video: this FFmpeg has no encoder for it"_s;
    m_codec = avcodec_alloc_context3(codec);
    m_codec->width = size.width();
    m_codec->height = size.height();
    m_codec->time_base = AVRational{1, fps};
    m_codec->framerate = AVRational{fps, 1};
    m_codec->pix_fmt = AV_PIX_FMT_YUV420P;
    m_codec->gop_size = fps * 2;
    if (m_format->oformat->flags & AVFMT_GLOBALHEADER)
        m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (codec->id == AV_CODEC_ID_H264) {
        // Played by every slide program. The fastest preset keeps encoding below the time the
        // frames take to paint; graphs are mostly flat colour, so the file stays small even so
        // (a typical graph's video is some 200 KB, three times what a slower preset makes).
        av_opt_set(m_codec->priv_data, "preset", "ultrafast", 0);
        av_opt_set(m_codec->priv_data, "crf", "20", 0);
        av_opt_set(m_codec->priv_data, "profile", "high", 0);
    } else if (codec->id == AV_CODEC_ID_VP9 || codec->id == AV_CODEC_ID_VP8) {
        av_opt_set(m_codec->priv_data, "deadline", "realtime", 0);
        av_opt_set(m_codec->priv_data, "cpu-used", "8", 0);
        av_opt_set(m_codec->priv_data, "crf", "28", 0);
        m_codec->bit_rate = 0;
    } else {
        m_codec->bit_rate = 4'000'000;
    }
    if (const int code = avcodec_open2(m_codec, codec, nullptr); code < 0)
        return failure("codec", code);
    m_stream = avformat_new_stream(m_format, nullptr);
    m_stream->time_base = m_codec->time_base;
    if (const int code = avcodec_parameters_from_context(m_stream->codecpar, m_codec); code < 0)
        return failure("stream", code);
    return std::nullopt;
}

std::optional<QString> VideoEncoder::begin(QIODevice& out, QSize size, int fps) {
    // The encoders' own chatter would bury the progress line; failures come back as messages.
    av_log_set_level(AV_LOG_ERROR);
    m_out = &out;
    const char* container = m_container == Container::Mp4 ? "mp4" : "webm";
    if (const int code = avformat_alloc_output_context2(&m_format, nullptr, container, nullptr);
        code < 0)
        return failure("container", code);
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    m_io = avio_alloc_context(buffer, kIoBufferSize, 1, &out, nullptr, writePacket, seekDevice);
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    const QSize even = evenSize(size);
    if (auto error = openCodec(even, fps))
        return error;
    if (const int code = avformat_write_header(m_format, nullptr); code < 0)
        return failure("header", code);
    m_frame = av_frame_alloc();
    m_frame->format = m_codec->pix_fmt;
    m_frame->width = even.width();
    m_frame->height = even.height();
    if (const int code = av_frame_get_buffer(m_frame, 0); code < 0)
        return failure("frame", code);
    m_packet = av_packet_alloc();
    m_scale =
        sws_getContext(even.width(), even.height(), AV_PIX_FMT_BGRA, even.width(), even.height(),
                       AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    return std::nullopt;
}

std::optional<QString> VideoEncoder::add(const QImage& frame) {
    const QSize even(m_frame->width, m_frame->height);
    QImage padded = frame;
    if (frame.size() != even) {
        padded = QImage(even, QImage::Format_RGB32);
        for (int y = 0; y < even.height(); ++y) {
            const uchar* from = frame.constScanLine(std::min(y, frame.height() - 1));
            uchar* to = padded.scanLine(y);
            const qsizetype rowBytes = qsizetype{frame.width()} * 4;
            std::memcpy(to, from, std::size_t(rowBytes));
            if (even.width() > frame.width())
                std::memcpy(to + rowBytes, from + rowBytes - 4, 4);
        }
    }
    if (const int code = av_frame_make_writable(m_frame); code < 0)
        return failure("frame", code);
    const uint8_t* planes[1] = {padded.constBits()};
    const int strides[1] = {int(padded.bytesPerLine())};
    sws_scale(m_scale, planes, strides, 0, even.height(), m_frame->data, m_frame->linesize);
    m_frame->pts = m_next++;
    return send(m_frame);
}

std::optional<QString> VideoEncoder::send(AVFrame* frame) {
    if (const int code = avcodec_send_frame(m_codec, frame); code < 0)
        return failure("encoding", code);
    for (;;) {
        const int code = avcodec_receive_packet(m_codec, m_packet);
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF)
            return std::nullopt;
        if (code < 0)
            return failure("encoding", code);
        // Every frame lasts one tick; without it the container leaves the last frame out.
        m_packet->duration = 1;
        av_packet_rescale_ts(m_packet, m_codec->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        const int written = av_interleaved_write_frame(m_format, m_packet);
        if (written < 0)
            return failure("writing", written);
    }
}

std::optional<QString> VideoEncoder::finish() {
    if (auto error = send(nullptr))
        return error;
    if (const int code = av_write_trailer(m_format); code < 0)
        return failure("trailer", code);
    avio_flush(m_io);
    return std::nullopt;
}

} // namespace tivora::exporting
