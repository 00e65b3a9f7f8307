#pragma once

#include "engine/backdrop/effect_file.h"
#include "engine/scene/scene.h"

#include <QImage>
#include <QRectF>
#include <vector>

namespace tivora::engine {

// A background effect playing over the graph area, forever. Every particle's start, size, speed
// and phase are drawn from the layer's seed at layout, so a frame is a pure function of time.
class EffectNode : public SceneNode {
public:
    EffectNode(const EffectFile& effect, QRectF area, double opacity);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return kForever; }

private:
    struct Particle {
        QPointF start; // fraction of the area
        double size;
        double speed;
        double opacity;
        double phase; // 0..1
        double turn;  // starting rotation, degrees
        std::size_t sprite;
    };
    struct Layer {
        EffectLayer settings;
        std::vector<Particle> particles;
        std::vector<QImage> sprites; // one per colour
    };
    void paintParticles(QPainter& painter, const Layer& layer, Millis time) const;
    void paintRays(QPainter& painter, const Layer& layer, Millis time) const;
    void paintGlow(QPainter& painter, const Layer& layer, Millis time) const;
    static Layer prepare(const EffectLayer& settings);

    std::vector<Layer> m_layers;
    QRectF m_area;
    double m_opacity;
};

} // namespace tivora::engine
