#include "engine/render/stage_metric.h"

#include "engine/scene/scene.h"

#include <climits>

namespace tivora::engine {

int stageMetric(QPaintDevice::PaintDeviceMetric metric) {
    constexpr double kDotsPerInch = 96.0;
    switch (metric) {
    case QPaintDevice::PdmWidth:
        return int(kStageSize.width());
    case QPaintDevice::PdmHeight:
        return int(kStageSize.height());
    case QPaintDevice::PdmWidthMM:
        return int(kStageSize.width() * 25.4 / kDotsPerInch);
    case QPaintDevice::PdmHeightMM:
        return int(kStageSize.height() * 25.4 / kDotsPerInch);
    case QPaintDevice::PdmDpiX:
    case QPaintDevice::PdmDpiY:
    case QPaintDevice::PdmPhysicalDpiX:
    case QPaintDevice::PdmPhysicalDpiY:
        return int(kDotsPerInch);
    case QPaintDevice::PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    case QPaintDevice::PdmNumColors:
        return INT_MAX;
    case QPaintDevice::PdmDepth:
        return 32;
    default:
        return 1;
    }
}

} // namespace tivora::engine
