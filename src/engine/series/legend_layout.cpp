#include "engine/series/legend_layout.h"

#include "engine/layout/graph_style.h"
#include "engine/scene/group_node.h"
#include "engine/scene/shape_node.h"
#include "engine/scene/text_fit.h"
#include "engine/scene/text_node.h"
#include "engine/series/series_data.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <limits>

namespace tivora::engine {
namespace {

constexpr int kLegendPixels = 11;
constexpr int kMostRows = 3;
constexpr double kSwatch = 10.0;
constexpr double kSpacing = 16.0;
constexpr double kLongestName = 160.0;

QFont legendFont() {
    return graphFont(kLegendPixels);
}

QString moreText(std::size_t hidden) {
    return QStringLiteral("+ %1 more").arg(hidden);
}

// Marks the place of the count of names left out in a row.
constexpr std::size_t kMore = std::numeric_limits<std::size_t>::max();

} // namespace

LegendLayout::LegendLayout(const SeriesData& data, const QRectF& box)
    : m_data(data) {
    const bool named =
        std::ranges::any_of(data.series, [](const Series& s) { return !s.name.isEmpty(); });
    if (data.series.size() < 2 || !named)
        return;
    const QFontMetricsF metrics(legendFont());
    const double room = box.width() - 2 * kSpacing;
    using Row = std::vector<std::pair<std::size_t, double>>;
    std::vector<Row> rows(1);
    double rowWidth = 0.0;
    for (std::size_t i = 0; i < data.series.size(); ++i) {
        const double width =
            kSwatch + 4 + std::min(metrics.horizontalAdvance(data.series[i].name), kLongestName);
        if (rowWidth > 0 && rowWidth + width > room) {
            rows.emplace_back();
            rowWidth = 0.0;
        }
        rows.back().push_back({i, width});
        rowWidth += width + kSpacing;
    }
    // Past the last row there is room for, the names left are counted at its end.
    if (int(rows.size()) > kMostRows) {
        rows.resize(kMostRows);
        const auto rowWidthOf = [](const Row& row) {
            double width = -kSpacing;
            for (const auto& item : row)
                width += item.second + kSpacing;
            return width;
        };
        const auto moreWidth = [&metrics](std::size_t hidden) {
            return metrics.horizontalAdvance(moreText(hidden));
        };
        std::size_t shown = 0;
        for (const Row& row : rows)
            shown += row.size();
        Row& last = rows.back();
        while (last.size() > 1 &&
               rowWidthOf(last) + kSpacing + moreWidth(data.series.size() - shown) > room) {
            last.pop_back();
            --shown;
        }
        m_hidden = data.series.size() - shown;
        last.push_back({kMore, moreWidth(m_hidden)});
    }
    const double rowHeight = metrics.height() + 4;
    double y = box.top() + 6;
    for (const Row& row : rows) {
        double width = -kSpacing;
        for (const auto& item : row)
            width += item.second + kSpacing;
        double x = box.center().x() - width / 2;
        for (const auto& [series, itemWidth] : row) {
            if (series == kMore) {
                m_moreAnchor = {x, y + rowHeight / 2};
            } else {
                const QRectF swatch(x, y + (rowHeight - kSwatch) / 2, kSwatch, kSwatch);
                m_entries.push_back({swatch, {x + kSwatch + 4, y + rowHeight / 2}, series});
            }
            m_extent |= QRectF(x, y, itemWidth, rowHeight);
            x += itemWidth + kSpacing;
        }
        y += rowHeight;
    }
    m_height = y - box.top();
}

void LegendLayout::addTo(GroupNode& group, const QColor& textColor) const {
    const QFont font = legendFont();
    const QFontMetricsF metrics(font);
    for (const Entry& entry : m_entries) {
        const Series& series = m_data.series[entry.series];
        QPainterPath swatch;
        if (series.type == SeriesType::Line) {
            swatch.addRoundedRect(entry.swatch.adjusted(0, kSwatch * 0.35, 0, -kSwatch * 0.35), 1.5,
                                  1.5);
        } else {
            swatch.addRoundedRect(entry.swatch, 2, 2);
        }
        const int number = int(entry.series) + 1;
        auto key = std::make_unique<ShapeNode>(
            swatch, withOpacity(series.color, std::max(series.opacity, 60.0)));
        key->setTag({ItemKind::LegendKey, number, 0, {}});
        group.add(std::move(key));
        const QString name = elidedText(series.name, metrics, kLongestName, Qt::ElideMiddle);
        auto text = std::make_unique<TextNode>(name, font, textColor, entry.textAnchor,
                                               Qt::AlignLeft | Qt::AlignVCenter);
        text->setTag({ItemKind::LegendText, number, 0, series.name});
        group.add(std::move(text));
    }
    if (m_hidden > 0) {
        auto more = std::make_unique<TextNode>(moreText(m_hidden), font, textColor, m_moreAnchor,
                                               Qt::AlignLeft | Qt::AlignVCenter);
        more->setTag({ItemKind::LegendText, 0, 0, {}});
        group.add(std::move(more));
    }
}

} // namespace tivora::engine
