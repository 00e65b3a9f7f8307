#pragma once

#include <QRectF>
#include <cstddef>
#include <vector>

namespace tivora::engine {

// What painting one frame of an effect may cost. Every setting of an effect file has a limit, yet
// limits that are each sensible multiply: sixteen layers of the widest and longest rays, or two
// thousand of the largest particles, would fill the graph area hundreds of times over in every
// frame. The cost of a part is the area it covers within the effect's area, plus a fixed amount
// for handing it to the painter at all; a frame may cost what painting the area a few times over
// and a few hundred small parts costs. An effect above that is thinned out evenly within each of
// its layers, the costliest layers first, until it fits; layers that cost little keep every part,
// and every layer keeps at least one.
class EffectBudget {
public:
    // One layer's parts, a run of the effect's parts.
    struct Layer {
        std::size_t first;
        std::size_t count;
        double covered = 0; // the area its parts cover together, each at its largest
    };

    // The fixed cost of one part, as an area in stage units.
    static constexpr double kPartCost = 700.0;
    // The frame's allowance: the effect's area this many times over ...
    static constexpr double kAreaTimes = 6.0;
    // ... and this many parts' fixed cost.
    static constexpr double kParts = 400.0;

    explicit EffectBudget(QRectF area);

    double allowance() const;
    // The area a part covers in a frame: what it covers on its own, but no more than the whole
    // effect area it is clipped to.
    double coveredBy(double partArea) const;
    // Which of partCount parts stay, one flag each, for parts made of layers.
    std::vector<bool> kept(std::size_t partCount, const std::vector<Layer>& layers) const;

private:
    double m_area;
};

} // namespace tivora::engine
