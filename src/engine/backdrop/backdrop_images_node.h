#pragma once

#include "engine/scene/scene.h"

#include <QImage>
#include <QRectF>
#include <vector>

namespace tivora::engine {

// The graph's background pictures, shown one after another with a cross-fade, forever. A single
// picture simply stays.
class BackdropImagesNode : public SceneNode {
public:
    static constexpr Millis kShowTime = 5000.0; // from one change to the next
    static constexpr Millis kFadeTime = 1200.0; // the last part of which is the cross-fade

    BackdropImagesNode(std::vector<QImage> images, QRectF area, double opacity);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return m_images.size() > 1 ? kForever : 0.0; }
    Millis cycleTime() const override {
        return m_images.size() > 1 ? kShowTime * double(m_images.size()) : 0.0;
    }

private:
    void paintImage(QPainter& painter, std::size_t index, double opacity) const;

    std::vector<QImage> m_images;
    std::vector<QRectF> m_sources;
    QRectF m_area;
    double m_opacity;
};

} // namespace tivora::engine
