#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QPainterPath>
#include <memory>
#include <optional>
#include <vector>

namespace tivora::exporting {

class SvgSegmentEngine;

// A paint device that hands every drawing call on to Qt's SVG generator and notes the clip it
// was drawn under. The generator leaves clipping out, so its output is cut into segments, one per
// run of calls under the same clip, for the writer to clip again.
class SvgSegmentDevice : public QPaintDevice {
public:
    struct Segment {
        std::optional<QPainterPath> clip; // in device coordinates
        QByteArray svg;                   // a whole SVG document from the generator
    };

    SvgSegmentDevice();
    ~SvgSegmentDevice() override;

    QPaintEngine* paintEngine() const override;
    // The segments painted so far; call after the painter has ended.
    std::vector<Segment> takeSegments();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<SvgSegmentEngine> m_engine;
};

} // namespace tivora::exporting
