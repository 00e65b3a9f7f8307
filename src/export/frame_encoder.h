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
    virtual std::optional<QString> begin(QIODevice& out, QSize size, int fps) = 0;
    // frame is Format_RGB32 at the size given to begin.
    virtual std::optional<QString> add(const QImage& frame) = 0;
    virtual std::optional<QString> finish() = 0;
};

} // namespace tivora::exporting
