#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QPainterPath>
#include <memory>
#include <optional>
#include <vector>

class QSvgGenerator;

namespace tivora::engine {

class SvgPaintEngine;

// Paints into Qt's SVG generator with the painter's clip kept. The generator writes every shape,
// text and image as it comes and ignores the clip, so a bar above a fixed maximum or a line
// beyond the plot would spill over the graph. The device keeps the clip in one of two ways:
// - into a generator of the caller's (a still picture), it cuts each call to the clip itself:
//   shapes and text that cross it as outlines, images as pixels; what lies wholly inside the clip
//   is written as it comes;
// - on its own (for a writer that clips with SVG's clip paths), it writes each run of calls under
//   one clip as an SVG document of its own, a segment, and gives the clip with it.
class SvgPaintDevice : public QPaintDevice {
public:
    struct Segment {
        std::optional<QPainterPath> clip; // in stage coordinates
        QByteArray svg;                   // a whole SVG document, stage-sized
    };

    // Cuts every call to the clip and writes it into generator.
    explicit SvgPaintDevice(QSvgGenerator& generator);
    // Writes segments, each the size of the stage.
    SvgPaintDevice();
    ~SvgPaintDevice() override;

    QPaintEngine* paintEngine() const override;
    // The segments painted so far; call after the painter has ended.
    std::vector<Segment> takeSegments();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSvgGenerator* m_generator = nullptr; // the caller's, when cutting
    std::unique_ptr<SvgPaintEngine> m_engine;
};

} // namespace tivora::engine
