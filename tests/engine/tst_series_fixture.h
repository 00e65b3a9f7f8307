#pragma once

// Graph texts written by hand for the engine's tests, the way the graph file writer lays them out,
// and the pixel checks the tests share.
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <functional>
#include <utility>
#include <vector>

namespace tivora::engine::testing {

// Entries "&key=value" in the given order; encoded values go through EncodeValue.
class GraphTextBuilder {
public:
    GraphTextBuilder& plain(const QByteArray& key, const QByteArray& value) {
        m_text += '&' + key + '=' + value;
        return *this;
    }
    GraphTextBuilder& encoded(const QByteArray& key, const QByteArray& value) {
        return plain(key, EncodeValue(value));
    }
    QByteArray text() const { return m_text + "&Textloaded=OK"; }

private:
    QByteArray m_text;
};

struct SeriesSpec {
    QByteArray type;                // "bar", "line" or "area"
    QByteArray color;               // colour text
    QByteArray values;              // "/x/" list
    QByteArray name = QByteArray(); // no names, no legend
    QByteArray speed = "0";
    QByteArray showValues = "NO";
};

// A series graph on a white stage with a white plot and no titles, y fixed or automatic.
inline GraphTextBuilder seriesGraph(const QByteArray& graphType,
                                    const std::vector<SeriesSpec>& series, int columns,
                                    const QByteArray& yMin = "0", const QByteArray& yMax = "100",
                                    const QByteArray& yStep = "10") {
    GraphTextBuilder text;
    text.plain("v_", "2.0").encoded("gt_", graphType).plain("bg_", "0xFFFFFF").plain("bga_", "0");
    std::vector<QByteArray> types, colors, speeds, shows, names, alphas;
    for (const SeriesSpec& s : series) {
        types.push_back(s.type);
        colors.push_back(s.color);
        speeds.push_back(s.speed);
        shows.push_back(s.showValues);
        names.push_back(s.name);
        alphas.push_back("100");
    }
    std::vector<QByteArray> labels;
    for (int c = 1; c <= columns; ++c)
        labels.push_back("C" + QByteArray::number(c));
    text.encoded("sr_", QByteArray::number(int(series.size())))
        .encoded("co_", QByteArray::number(columns))
        .encoded("typ_", joinList(types))
        .encoded("CV_", joinList(shows))
        .encoded("GCV_", "NO")
        .encoded("anim_", joinList(speeds))
        .encoded("alp_", joinList(alphas))
        .encoded("bsc_", joinList(colors))
        .encoded("blc_", "0x000000")
        .encoded("sl_", joinList(names))
        .encoded("xl_", joinList(labels));
    for (std::size_t r = 0; r < series.size(); ++r)
        text.encoded("y" + QByteArray::number(int(r + 1)) + "v_", series[r].values);
    text.encoded("YMin", yMin).encoded("YMax", yMax).encoded("YStep", yStep);
    text.encoded("pcol_", "0xFFFFFF").encoded("pshl_", "0").encoded("psh_", "0");
    return text;
}

inline QImage renderText(const QByteArray& text, Millis time, QSize size = {700, 475}) {
    const Movie movie(layoutGraph(VariableText(text), QDir::temp()));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size.width() / kStageSize.width(), size.height() / kStageSize.height());
    movie.paint(painter, time);
    return image;
}

inline Millis endOf(const QByteArray& text) {
    return Movie(layoutGraph(VariableText(text), QDir::temp())).endTime();
}

// A pixel close to a pure colour: the series colour with the cylinder's shading around it.
inline std::function<bool(QRgb)> near(QColor color, int tolerance = 70) {
    return [color, tolerance](QRgb pixel) {
        return qAlpha(pixel) > 200 && std::abs(qRed(pixel) - color.red()) < tolerance &&
               std::abs(qGreen(pixel) - color.green()) < tolerance &&
               std::abs(qBlue(pixel) - color.blue()) < tolerance;
    };
}

inline int countPixels(const QImage& image, const std::function<bool(QRgb)>& matches,
                       QRect area = {}) {
    if (area.isNull())
        area = image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += matches(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

// The first and last row of a column of the image where the colour shows; {-1, -1} when it
// does not.
inline std::pair<int, int> verticalRun(const QImage& image, int x,
                                       const std::function<bool(QRgb)>& matches) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (matches(image.pixel(x, y))) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    return {first, last};
}

// The columns of the image where the colour shows most.
inline int busiestColumn(const QImage& image, const std::function<bool(QRgb)>& matches) {
    int best = -1;
    int bestCount = 0;
    for (int x = 0; x < image.width(); ++x) {
        const int count = countPixels(image, matches, QRect(x, 0, 1, image.height()));
        if (count > bestCount) {
            best = x;
            bestCount = count;
        }
    }
    return best;
}

} // namespace tivora::engine::testing
