#include "engine/layout/graph_style.h"

#include "document/variable_text.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <mutex>

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

QColor readableOn(const QColor& preferred, const QColor& background, double leastContrast) {
    // Below the least contrast the colour the graph asks for would all but vanish into what lies
    // behind it (3 suits large text, 4.5 small).
    const double behind = luminance(background);
    if (contrast(luminance(preferred), behind) >= leastContrast)
        return preferred;
    return contrast(0.0, behind) >= contrast(1.0, behind) ? QColor(0x20, 0x20, 0x20)
                                                          : QColor(Qt::white);
}

namespace {

// The faces built into the program, registered once for the whole run.
void loadGraphFaces() {
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        for (const QString& face :
             {u":/fonts/LiberationSans-Regular.ttf"_s, u":/fonts/LiberationSans-Bold.ttf"_s}) {
            if (QFontDatabase::addApplicationFont(face) < 0)
                qWarning("cannot load the graph face %s", qPrintable(face));
        }
    });
}

} // namespace

QFont graphFont(double pixelSize, bool bold) {
    loadGraphFaces();
    QFont font;
    // The face travels with the program (see loadGraphFaces), so labels measure alike on every
    // machine; DejaVu Sans stands in only if it could not be loaded.
    font.setFamilies({u"Liberation Sans"_s, u"DejaVu Sans"_s});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double contrastRatio(const QColor& first, const QColor& second) {
    return contrast(luminance(first), luminance(second));
}

QColor backingFor(const QColor& text, const QColor& surface, double leastContrast) {
    const bool lightText = luminance(text) > 0.18;
    QColor backing = surface;
    for (int step = 0; step < 40 && contrastRatio(text, backing) < leastContrast; ++step)
        backing = lightText ? backing.darker(110) : backing.lighter(110);
    // lighter() cannot lift black: a last resort that always reads.
    if (contrastRatio(text, backing) < leastContrast)
        backing = lightText ? QColor(Qt::black) : QColor(Qt::white);
    return backing;
}

QColor readableOnAll(const QColor& preferred, std::initializer_list<QColor> backgrounds,
                     double leastContrast) {
    const auto weakest = [&backgrounds](const QColor& text) {
        double least = 21.0;
        for (const QColor& background : backgrounds)
            least = std::min(least, contrast(luminance(text), luminance(background)));
        return least;
    };
    if (weakest(preferred) >= leastContrast)
        return preferred;
    const QColor dark(0x20, 0x20, 0x20);
    return weakest(dark) >= weakest(Qt::white) ? dark : QColor(Qt::white);
}

QFont valueLabelFont(double pixelSize) {
    return graphFont(pixelSize);
}

} // namespace tivora::engine
