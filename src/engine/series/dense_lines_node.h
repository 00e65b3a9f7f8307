#pragma once

#include "engine/scene/scene.h"
#include "engine/series/line_series_node.h"

#include <memory>
#include <vector>

namespace tivora::engine {

// Line series drawn together. On a picture where every one of them is a line a LineCanvas can
// draw, they are drawn by one, front to back, so what the lines in front cover is not drawn
// again; anywhere else each series paints itself, the first added at the back.
class DenseLinesNode : public SceneNode {
public:
    // marksValues: whether the lines give their points as value marks; dense lines do not, as a
    // mark for each of thousands of points would swell whatever carries them.
    explicit DenseLinesNode(bool marksValues)
        : m_marksValues(marksValues) {}
    void add(std::unique_ptr<LineSeriesNode> line);

    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override;
    std::optional<std::size_t> settledFingerprint() const override;
    void inspect(DrawnItems& items, Millis time) const override;
    std::vector<ValueMark> valueMarks() const override;

private:
    bool fitCanvasOn(const QPainter& painter) const;

    std::vector<std::unique_ptr<LineSeriesNode>> m_lines;
    bool m_marksValues;
};

} // namespace tivora::engine
