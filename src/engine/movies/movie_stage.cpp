#include "engine/movies/movie_stage.h"

#include "engine/movies/movie_file.h"
#include "engine/scene/scene.h"

namespace tivora::engine {

QSizeF movieStage(const MovieFile& movie) {
    constexpr double kLargestSide = 4000.0;
    const QList<QByteArray> sides = movie.property("stage").toLower().split('x');
    if (sides.size() != 2)
        return kStageSize;
    bool widthOk = false;
    bool heightOk = false;
    const double width = sides[0].trimmed().toDouble(&widthOk);
    const double height = sides[1].trimmed().toDouble(&heightOk);
    if (!widthOk || !heightOk || !(width >= 1 && width <= kLargestSide) ||
        !(height >= 1 && height <= kLargestSide))
        return kStageSize;
    return {width, height};
}

} // namespace tivora::engine
