#pragma once

// Hand-written pie and note texts for the pie, note, backdrop and published movie tests.
#include "tst_series_fixture.h"

#include <QList>
#include <map>

namespace tivora::engine::testing {

struct SliceSpec {
    QByteArray value;
    QByteArray color = "0xFF0000";
    QByteArray label = {};
    QByteArray offset = "0";
};

inline QByteArray repeated(const QByteArray& item, std::size_t count) {
    return joinList(std::vector<QByteArray>(count, item));
}

// A pie graph on a white stage with no header, no shadow and no opening animation; overrides
// replace the value of any pie entry.
inline GraphTextBuilder pieGraph(const std::vector<SliceSpec>& slices, QByteArray show = "2",
                                 QByteArray animate = "No", QByteArray shadow = "0",
                                 const std::map<QByteArray, QByteArray>& overrides = {}) {
    GraphTextBuilder text;
    text.plain("v_", "2.0").encoded("gt_", "pie").plain("bg_", "0xFFFFFF").plain("bga_", "0");
    text.encoded("ft_", "").encoded("GScale", "100").encoded("GX", "0").encoded("GY", "0");
    std::vector<QByteArray> values, colors, labels, offsets;
    for (const SliceSpec& slice : slices) {
        values.push_back(slice.value);
        colors.push_back(slice.color);
        labels.push_back(slice.label);
        offsets.push_back(slice.offset);
    }
    const std::size_t n = slices.size();
    const std::vector<std::pair<QByteArray, QByteArray>> entries{
        {"a_", animate},
        {"gs_", "50"},
        {"asp_", ""},
        {"sli_", QByteArray::number(int(n))},
        {"pieImage", ""},
        {"pieAlpha", "50"},
        {"XPLFont", "12"},
        {"XPVFont", "12"},
        {"SliceLabels", joinList(labels)},
        {"OffSets", joinList(offsets)},
        {"LXOff", repeated("0", n)},
        {"LYOff", repeated("0", n)},
        {"VXOff", repeated("0", n)},
        {"VYOff", repeated("0", n)},
        {"SliceValues", joinList(values)},
        {"SliceColor", joinList(colors)},
        {"PieLabelColor", repeated("0x000000", n)},
        {"PieValueColor", repeated("0xFFFFFF", n)},
        {"SliceShade", repeated("0", n)},
        {"pieToShow", show},
        {"pieShadow", shadow},
        {"pieShadowAlpha", "100"},
        {"pieShadowY", "100"},
        {"pieShadowX", "100"},
        {"SliceAlpha", repeated("100", n)}};
    for (const auto& [key, value] : entries) {
        const auto given = overrides.find(key);
        text.encoded(key, given == overrides.end() ? value : given->second);
    }
    return text;
}

// The note lists for notes that all share the given settings; keys not given keep the designer's
// defaults for a new note.
inline GraphTextBuilder& addNotes(GraphTextBuilder& text, int count,
                                  const std::map<QByteArray, QByteArray>& settings) {
    const std::map<QByteArray, QByteArray> defaults{
        {"nos_", "1"},   {"noc_", "0xD48B39"}, {"noal_", "100"},      {"nofs_", "flat"},
        {"now_", "150"}, {"noh_", "120"},      {"nox_", "200"},       {"noy_", "150"},
        {"nohh_", "NO"}, {"nohx_", "200"},     {"nohy_", "300"},      {"nohc_", "0xFFFFFF"},
        {"noht_", "80"}, {"nohl_", ""},        {"nohd_", ""},         {"nhdc_", "0xffffff"},
        {"nohf_", "15"}, {"nobd_", ""},        {"nobc_", "0xAAAAAA"}, {"nobf_", "12"},
        {"nbdy_", "50"}, {"nhdy_", "20"},      {"nsh_", "No"},        {"nshx_", "15"},
        {"nshy_", "15"}, {"nsha_", "30"},      {"nurl_", ""}};
    text.encoded("no_", QByteArray::number(count));
    for (const auto& [key, fallback] : defaults) {
        const auto given = settings.find(key);
        text.encoded(
            key, repeated(given == settings.end() ? fallback : given->second, std::size_t(count)));
    }
    return text;
}

inline QImage paintScene(const Scene& scene, Millis time, QColor background = Qt::white) {
    QImage image(kStageSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    scene.paint(painter, time);
    return image;
}

// The mean x of the pixels that match, or -1 when none do.
inline double meanX(const QImage& image, const std::function<bool(QRgb)>& matches) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (matches(image.pixel(x, y))) {
                sum += x;
                ++count;
            }
        }
    }
    return count > 0 ? sum / count : -1;
}

} // namespace tivora::engine::testing
