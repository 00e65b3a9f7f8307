#include "export/frames/webp_encoder.h"

#include <QIODevice>
#include <cmath>
#include <webp/encode.h>
#include <webp/mux.h>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

constexpr float kQuality = 88.0f;
constexpr int kMethod = 3; // speed against size: 0 fastest, 6 smallest

WebPConfig frameConfig() {
    WebPConfig config;
    WebPConfigInit(&config);
    config.quality = kQuality;
    config.method = kMethod;
    return config;
}

} // namespace

WebPEncoder::~WebPEncoder() {
    if (m_encoder)
        WebPAnimEncoderDelete(m_encoder);
}

int WebPEncoder::timestamp(int frame) const {
    return int(std::lround(frame * 1000.0 / m_fps));
}

std::optional<QString> WebPEncoder::begin(QIODevice& out, QSize size, int fps) {
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        return u"cannot write the WebP: the library does not match"_s;
    options.anim_params.loop_count = 1;
    options.anim_params.bgcolor = 0xFFFFFFFF;
    m_encoder = WebPAnimEncoderNew(size.width(), size.height(), &options);
    if (!m_encoder)
        return u"cannot write the WebP: out of memory"_s;
    m_out = &out;
    m_fps = fps;
    return std::nullopt;
}

std::optional<QString> WebPEncoder::add(const QImage& frame) {
    WebPPicture picture;
    if (!WebPPictureInit(&picture))
        return u"cannot write the WebP: the library does not match"_s;
    picture.use_argb = 1;
    picture.width = frame.width();
    picture.height = frame.height();
    // An RGB32 image lies in memory as B, G, R, A bytes.
    const bool imported =
        WebPPictureImportBGRA(&picture, frame.constBits(), int(frame.bytesPerLine()));
    const WebPConfig config = frameConfig();
    const bool added =
        imported && WebPAnimEncoderAdd(m_encoder, &picture, timestamp(m_frames), &config);
    WebPPictureFree(&picture);
    if (!added)
        return u"cannot write the WebP: %1"_s.arg(
            QLatin1StringView(WebPAnimEncoderGetError(m_encoder)));
    ++m_frames;
    return std::nullopt;
}

std::optional<QString> WebPEncoder::finish() {
    WebPData data;
    WebPDataInit(&data);
    const bool assembled = WebPAnimEncoderAdd(m_encoder, nullptr, timestamp(m_frames), nullptr) &&
                           WebPAnimEncoderAssemble(m_encoder, &data);
    if (!assembled)
        return u"cannot write the WebP: %1"_s.arg(
            QLatin1StringView(WebPAnimEncoderGetError(m_encoder)));
    const auto size = qint64(data.size);
    const qint64 written = m_out->write(reinterpret_cast<const char*>(data.bytes), size);
    WebPDataClear(&data);
    if (written != size)
        return u"cannot write the WebP: %1"_s.arg(m_out->errorString());
    return std::nullopt;
}

} // namespace tivora::exporting
