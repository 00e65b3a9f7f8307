#pragma once

#include <QPaintDevice>
#include <memory>

class QSvgGenerator;

namespace tivora::engine {

class ClippingSvgEngine;

// Paints into an SVG generator with clipping kept. The generator writes every shape, text and
// image as it comes and ignores the painter's clip, so a bar above a fixed maximum or a line
// beyond the plot would spill over the graph. This device clips each one itself: shapes and
// text outside the clip are cut to it as outlines, images are cut to it as pixels; whatever
// lies wholly inside the clip is written as it comes.
class ClippingSvgDevice : public QPaintDevice {
public:
    explicit ClippingSvgDevice(QSvgGenerator& generator);
    ~ClippingSvgDevice() override;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSvgGenerator& m_generator;
    std::unique_ptr<ClippingSvgEngine> m_engine;
};

} // namespace tivora::engine
