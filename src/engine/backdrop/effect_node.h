#pragma once

#include "engine/backdrop/effect_actor.h"
#include "engine/backdrop/effect_budget.h"
#include "engine/backdrop/effect_file.h"
#include "engine/scene/scene.h"

#include <QRectF>
#include <vector>

namespace tivora::engine {

// A background effect playing over the graph area, forever. Every particle's start, size, speed
// and phase are drawn from the layer's seed at layout, so a frame is a pure function of time. An
// effect that would cost more to paint than a frame allows is thinned out (see EffectBudget).
class EffectNode : public SceneNode {
public:
    EffectNode(const EffectFile& effect, QRectF area, double opacity);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return kForever; }

    // The area the effect is clipped to.
    QRectF area() const { return m_area; }
    // The moving parts in painting order, with at most particleCap particles shared out over the
    // layers by their counts (rays and glows always stay): for a writer that describes every part
    // on its own and must keep the file small. Painted alone they make the frames of the capped
    // effect.
    std::vector<EffectActor> actors(int particleCap) const;
    // Paints parts as this node paints its own.
    void paintActors(QPainter& painter, const std::vector<EffectActor>& actors, Millis time) const;

private:
    struct ParticleRun {
        std::size_t first;
        std::size_t count;
    };
    // Each adds a layer's parts and gives the area they cover together.
    double addParticles(const EffectLayer& settings);
    double addRays(const EffectLayer& settings);
    double addGlow(const EffectLayer& settings);
    double addLayer(const EffectLayer& settings);
    void keepWithinBudget(const std::vector<EffectBudget::Layer>& layers,
                          const std::vector<bool>& particleLayers);

    std::vector<EffectActor> m_actors;
    std::vector<ParticleRun> m_particleRuns; // one per particle layer, into m_actors
    QRectF m_area;
    double m_opacity;
};

} // namespace tivora::engine
