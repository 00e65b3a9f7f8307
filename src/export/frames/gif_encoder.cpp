#include "export/frames/gif_encoder.h"

#include "export/frames/median_cut_palette.h"

#include <QIODevice>
#include <cmath>
#include <gif_lib.h>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

int writeToDevice(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return int(device->write(reinterpret_cast<const char*>(bytes), length));
}

// Centiseconds from the start to frame index, so that rounding never adds up.
int centiseconds(int index, int fps) {
    return int(std::lround(index * 100.0 / fps));
}

} // namespace

GifEncoder::~GifEncoder() {
    if (m_gif)
        EGifCloseFile(m_gif, nullptr);
}

std::optional<QString> GifEncoder::failure(const char* what) const {
    return u"cannot write the GIF (%1: %2)"_s.arg(QLatin1StringView(what),
                                                  QLatin1StringView(GifErrorString(m_gif->Error)));
}

std::optional<QString> GifEncoder::begin(QIODevice& out, QSize size, int fps) {
    int error = 0;
    m_gif = EGifOpen(&out, writeToDevice, &error);
    if (!m_gif)
        return u"cannot write the GIF: %1"_s.arg(QLatin1StringView(GifErrorString(error)));
    m_fps = fps;
    m_previous = QImage(size, QImage::Format_RGB32);
    EGifSetGifVersion(m_gif, true);
    if (EGifPutScreenDesc(m_gif, size.width(), size.height(), 8, 0, nullptr) == GIF_ERROR)
        return failure("screen");
    return std::nullopt;
}

QRect GifEncoder::changedArea(const QImage& frame) const {
    if (m_frames == 0)
        return frame.rect();
    int top = frame.height(), bottom = -1, left = frame.width(), right = -1;
    for (int y = 0; y < frame.height(); ++y) {
        const auto* now = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        const auto* before = reinterpret_cast<const QRgb*>(m_previous.constScanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            if (now[x] != before[x]) {
                top = std::min(top, y);
                bottom = y;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    // A frame like the one before still takes its place in time, as one unchanged pixel.
    if (bottom < 0)
        return QRect(0, 0, 1, 1);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

std::optional<QString> GifEncoder::add(const QImage& frame) {
    const QRect area = changedArea(frame);
    MedianCutPalette palette(frame, area);
    std::vector<GifColorType> colours;
    for (const QRgb colour : palette.colours())
        colours.push_back(
            {GifByteType(qRed(colour)), GifByteType(qGreen(colour)), GifByteType(qBlue(colour))});
    // A colour map must have a power-of-two size.
    int mapSize = 2;
    while (mapSize < int(colours.size()))
        mapSize *= 2;
    colours.resize(std::size_t(mapSize), colours.back());
    ColorMapObject* map = GifMakeMapObject(mapSize, colours.data());
    GraphicsControlBlock control{DISPOSE_DO_NOT, false,
                                 centiseconds(m_frames + 1, m_fps) - centiseconds(m_frames, m_fps),
                                 NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const size_t extensionLength = EGifGCBToExtension(&control, extension);
    bool written = EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, int(extensionLength),
                                    extension) != GIF_ERROR &&
                   EGifPutImageDesc(m_gif, area.left(), area.top(), area.width(), area.height(),
                                    false, map) != GIF_ERROR;
    GifFreeMapObject(map);
    std::vector<std::uint8_t> indices = palette.indexed(frame, area);
    for (int row = 0; written && row < area.height(); ++row) {
        written = EGifPutLine(m_gif, indices.data() + std::size_t(row) * std::size_t(area.width()),
                              area.width()) != GIF_ERROR;
    }
    if (!written)
        return failure("frame");
    m_previous = frame;
    ++m_frames;
    return std::nullopt;
}

std::optional<QString> GifEncoder::finish() {
    int error = 0;
    const bool closed = EGifCloseFile(m_gif, &error) != GIF_ERROR;
    m_gif = nullptr;
    if (!closed)
        return u"cannot write the GIF: %1"_s.arg(QLatin1StringView(GifErrorString(error)));
    return std::nullopt;
}

} // namespace tivora::exporting
