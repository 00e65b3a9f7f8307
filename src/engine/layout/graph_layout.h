#pragma once

#include "engine/scene/scene.h"

#include <QDir>
#include <QRectF>

namespace tivora {
class VariableText;
}

namespace tivora::engine {

// What the frame of a graph (stage background, header, footer) leaves for the graph itself.
struct GraphFrame {
    QRectF plotArea;    // stage area inside the header and footer, before scaling
    double scale = 1.0; // GScale / 100, applied about the centre of plotArea
    QPointF offset;     // GX, GY in stage units
    // Where the moved and scaled graph may reach: the stage outside the header band, less a hair
    // along its edges so that no text is cut by the edge itself.
    QRectF reach = QRectF(QPointF(3, 3), kStageSize - QSizeF(6, 6));
    // The header's text size: no other text of the graph is drawn larger than its title.
    double titlePixels = 22.0;
};

// Lays out a whole graph text: frame, then the series or pie graph, backdrop and notes. Files the
// text names by relative path (images, effects) are looked up in movieFolder.
Scene layoutGraph(const VariableText& text, const QDir& movieFolder);

// The parts layoutGraph composes; each adds its nodes to the scene.
GraphFrame layoutFrame(const VariableText& text, Scene& scene);
void layoutSeriesGraph(const VariableText& text, const GraphFrame& frame, Scene& scene);
void layoutPieGraph(const VariableText& text, const GraphFrame& frame, const QDir& movieFolder,
                    Scene& scene);
void layoutBackdrop(const VariableText& text, const GraphFrame& frame, const QDir& movieFolder,
                    Scene& scene);
void layoutNotes(const VariableText& text, Scene& scene);

} // namespace tivora::engine
