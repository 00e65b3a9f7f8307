#include "engine/backdrop/effect_budget.h"

#include <algorithm>
#include <numeric>

namespace tivora::engine {
namespace {

// How many of a layer's parts stay when the layer may cost cap: all when it fits, else as many
// as the cap pays for, and never none.
std::size_t partsWithin(std::size_t count, double layerCost, double cap) {
    if (count == 0 || layerCost <= cap)
        return count;
    const double perPart = layerCost / double(count);
    return std::clamp(std::size_t(cap / perPart), std::size_t(1), count);
}

double costWithin(const std::vector<EffectBudget::Layer>& layers, const std::vector<double>& costs,
                  double cap) {
    double total = 0;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const std::size_t parts = partsWithin(layers[i].count, costs[i], cap);
        total += layers[i].count == 0 ? 0.0 : costs[i] * double(parts) / double(layers[i].count);
    }
    return total;
}

} // namespace

EffectBudget::EffectBudget(QRectF area)
    : m_area(std::max(area.width() * area.height(), 0.0)) {}

double EffectBudget::allowance() const {
    return kAreaTimes * m_area + kParts * kPartCost;
}

double EffectBudget::coveredBy(double partArea) const {
    return std::min(std::max(partArea, 0.0), m_area);
}

std::vector<bool> EffectBudget::kept(std::size_t partCount,
                                     const std::vector<Layer>& layers) const {
    std::vector<bool> keep(partCount, true);
    std::vector<double> costs;
    costs.reserve(layers.size());
    for (const Layer& layer : layers)
        costs.push_back(layer.covered + double(layer.count) * kPartCost);
    if (layers.empty() || std::accumulate(costs.begin(), costs.end(), 0.0) <= allowance())
        return keep;
    // The largest cap on any one layer's cost that keeps the frame within the allowance.
    double low = 0;
    double high = *std::max_element(costs.begin(), costs.end());
    for (int step = 0; step < 60; ++step) {
        const double middle = (low + high) / 2;
        (costWithin(layers, costs, middle) <= allowance() ? low : high) = middle;
    }
    for (std::size_t l = 0; l < layers.size(); ++l) {
        const Layer& layer = layers[l];
        const std::size_t parts = partsWithin(layer.count, costs[l], low);
        // Evenly spread: part i stays when it starts a new step of count / parts.
        for (std::size_t i = 0; i < layer.count; ++i)
            keep[layer.first + i] = (i * parts) / layer.count != ((i + 1) * parts) / layer.count;
    }
    return keep;
}

} // namespace tivora::engine
