#pragma once

#include <QPaintDevice>

namespace tivora::engine {

// The metrics of a paint device that stands for the stage itself, one unit a CSS pixel: for
// devices that record or translate drawing calls rather than make pixels.
int stageMetric(QPaintDevice::PaintDeviceMetric metric);

} // namespace tivora::engine
