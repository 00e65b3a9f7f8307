#pragma once

#include <QPixmap>

namespace tivora {

// The product's logo: three rising bars with a trend line over them, and the name. Drawn rather
// than shipped so that it is sharp at any size and screen density.
class TivoraLogo {
public:
    static QPixmap paint(QSize size, qreal devicePixelRatio = 1.0);
};

} // namespace tivora
