#include "engine/pie/pie_label_placer.h"

#include <algorithm>
#include <numeric>

namespace tivora::engine {

PieLabelPlacer::PieLabelPlacer(double top, double bottom)
    : m_top(top)
    , m_bottom(std::max(top, bottom)) {}

void PieLabelPlacer::dropSmallest(std::vector<Label>& labels) const {
    std::vector<std::size_t> bySize(labels.size());
    std::iota(bySize.begin(), bySize.end(), 0);
    std::stable_sort(bySize.begin(), bySize.end(), [&](std::size_t a, std::size_t b) {
        return labels[a].weight > labels[b].weight;
    });
    double used = 0;
    for (const std::size_t index : bySize) {
        Label& label = labels[index];
        label.shown = label.shown && used + label.height <= m_bottom - m_top;
        if (label.shown)
            used += label.height;
    }
}

void PieLabelPlacer::place(std::vector<Label>& labels) const {
    dropSmallest(labels);
    std::vector<Label*> column;
    for (Label& label : labels) {
        if (label.shown)
            column.push_back(&label);
    }
    std::stable_sort(column.begin(), column.end(),
                     [](const Label* a, const Label* b) { return a->wantedY < b->wantedY; });
    // Down the column: nobody above its wish, nobody over the one before.
    double nextFree = m_top;
    for (Label* label : column) {
        const double top = std::max(label->wantedY - label->height / 2, nextFree);
        label->y = top + label->height / 2;
        nextFree = top + label->height;
    }
    // Up again: whoever ran out at the bottom pushes the ones above it up.
    double lastFree = m_bottom;
    for (auto it = column.rbegin(); it != column.rend(); ++it) {
        Label* label = *it;
        const double bottom = std::min(label->y + label->height / 2, lastFree);
        label->y = bottom - label->height / 2;
        lastFree = bottom - label->height;
    }
}

} // namespace tivora::engine
