#pragma once

#include <QImage>
#include <QString>
#include <optional>

class QIODevice;

namespace tivora::exporting {

// One animated picture format: frames go in one by one, all of one size and at one rate, and the
// finished file goes to the device. Methods give the reason when they fail.
class FrameEncoder {
public:
    virtual ~FrameEncoder() = default;
    [[nodiscard]] virtual std::optional<QString> begin(QIODevice& out, QSize size, int fps) = 0;
    // frame is Format_RGB32 at the size given to begin.
    [[nodiscard]] virtual std::optional<QString> add(const QImage& frame) = 0;
    [[nodiscard]] virtual std::optional<QString> finish() = 0;
};

// The encoders live in a library of their own, opened on the first export that needs one, so that
// a program start never loads the video, WebP and GIF libraries. Its one entry point makes a new
// encoder for the format a file extension names ("gif", "webp", "mp4", "webm"), or gives null for
// any other; the caller owns the encoder. The number in the name changes whenever this class does,
// so that a stale library is refused rather than called.
using CreateFrameEncoder = FrameEncoder* (*)(const char* extension);
inline constexpr char kCreateFrameEncoderSymbol[] = "tivoraCreateFrameEncoder1";

} // namespace tivora::exporting
