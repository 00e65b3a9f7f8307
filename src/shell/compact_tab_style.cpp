#include "shell/compact_tab_style.h"

namespace tivora {

int CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                 const QWidget* widget) const {
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? size / 2 : size;
}

} // namespace tivora
