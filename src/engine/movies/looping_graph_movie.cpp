#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/graph_file_scene.h"
#include "engine/movies/movie_kinds.h"
#include "engine/scene/looping_scene_node.h"

#include <algorithm>
#include <cmath>

namespace tivora::engine {
namespace {

// How long the finished graph stays before it starts again, when the movie does not say.
constexpr Millis kHold = 4000.0;
constexpr Millis kLoopWhenEndless = 10000.0;

} // namespace

// A sample graph that plays again and again: the graph text is the movie's body (lines of a graph
// file), and the "loop" property gives the time in ms from one start to the next.
Scene layoutLoopingGraphMovie(const MovieFile& movie, const QDir& movieFolder) {
    Scene graph = layoutGraph(VariableText(graphTextOf(movie.body)), movieFolder);
    const Millis end = graph.endTime();
    Millis period = std::isfinite(end) ? end + kHold : kLoopWhenEndless;
    bool ok = false;
    const double loop = movie.property("loop").toDouble(&ok);
    if (ok && loop >= 100)
        period = loop;
    Scene scene;
    scene.add(Layer::Background, std::make_unique<LoopingSceneNode>(std::move(graph), period));
    return scene;
}

} // namespace tivora::engine
