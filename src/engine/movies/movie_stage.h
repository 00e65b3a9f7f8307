#pragma once

#include <QSizeF>

namespace tivora::engine {

struct MovieFile;

// The stage a movie file declares with its "stage" property ("WIDTHxHEIGHT", e.g. "180x330"), or
// the graph stage when it declares none or one that makes no sense.
QSizeF movieStage(const MovieFile& movie);

} // namespace tivora::engine
