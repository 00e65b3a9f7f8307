#include "engine/layout/graph_style.h"

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
    const auto linear = [](float channel) {
        return channel <= 0.04045f ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

double contrast(double first, double second) {
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

} // namespace

QColor readableOn(const QColor& preferred, const QColor& background) {
    // The contrast large text needs to be read with ease; below it the colour the graph asks for
    // would all but vanish into what lies behind it.
    constexpr double kLeastContrast = 3.0;
    const double behind = luminance(background);
    if (contrast(luminance(preferred), behind) >= kLeastContrast)
        return preferred;
    return contrast(0.0, behind) >= contrast(1.0, behind) ? QColor(0x20, 0x20, 0x20)
                                                          : QColor(Qt::white);
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
