#include "export/deck/deck_geometry.h"

#include <cmath>

namespace tivora::exporting::deck {

QRect fittedIn(const QRect& area, QSize picture) {
    if (picture.isEmpty())
        return area;
    const double scale =
        std::min(double(area.width()) / picture.width(), double(area.height()) / picture.height());
    const int width = int(std::lround(picture.width() * scale));
    const int height = int(std::lround(picture.height() * scale));
    return {area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2, width,
            height};
}

} // namespace tivora::exporting::deck
