#include "engine/graph_style.h"

#include "document/variable_text.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora::engine {

QColor colorFromText(QByteArrayView text, const QColor& fallback) {
    const auto color = TextToColor(text);
    if (!color)
        return fallback;
    return QColor(redOf(*color), greenOf(*color), blueOf(*color));
}

QColor withOpacity(QColor color, double percent) {
    color.setAlphaF(float(std::clamp(percent, 0.0, 100.0) / 100.0));
    return color;
}

namespace {

double luminance(const QColor& color) {
    return 0.2126 * color.redF() + 0.7152 * color.greenF() + 0.0722 * color.blueF();
}

} // namespace

QColor readableOn(const QColor& preferred, const QColor& background) {
    constexpr double kLeastContrast = 0.3;
    const double backgroundLuminance = luminance(background);
    if (std::fabs(luminance(preferred) - backgroundLuminance) >= kLeastContrast)
        return preferred;
    return backgroundLuminance > 0.5 ? QColor(0x20, 0x20, 0x20) : QColor(Qt::white);
}

QFont graphFont(double pixelSize, bool bold) {
    QFont font;
    // Faces with the same metrics as the common office sans-serif come first, so labels measure
    // alike on every machine that has them; DejaVu Sans is on every Linux desktop.
    font.setFamilies({u"Liberation Sans"_s, u"Arimo"_s, u"Arial"_s, u"DejaVu Sans"_s});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace tivora::engine
