#include "engine/layout/text_fit.h"

#include <QFontMetricsF>
#include <algorithm>

namespace tivora::engine {

QSizeF textSize(const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

FittedText fitText(const QString& text, QFont font, double maxWidth, int minPixelSize) {
    maxWidth = std::max(maxWidth, 1.0);
    const int startSize = font.pixelSize();
    for (int size = startSize; size >= minPixelSize; --size) {
        font.setPixelSize(size);
        const QSizeF measured = textSize(text, font);
        if (measured.width() <= maxWidth)
            return {text, font, measured};
    }
    font.setPixelSize(std::min(startSize, minPixelSize));
    const QFontMetricsF metrics(font);
    const QString elided = metrics.elidedText(text, Qt::ElideRight, maxWidth);
    return {elided, font, textSize(elided, font)};
}

} // namespace tivora::engine
