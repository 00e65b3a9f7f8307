#include "engine/series/value_label_layout.h"

#include "engine/layout/graph_style.h"
#include "engine/series/axis_scale.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace tivora::engine {
namespace {

constexpr double kPadding = 3.0;
constexpr double kAir = 1.0;
// Labels shrink together down to this share of the asked size before short forms are used.
constexpr double kLeastShrink = 0.8;
constexpr int kReadablePixels = 9;
constexpr int kSmallestPixels = 7;

int bucketOf(double x, double bucket) {
    return int(std::floor(x / bucket));
}

} // namespace

ValueLabelLayout::ValueLabelLayout(const QRectF& plot, double pixelSize, double columnWidth)
    : m_plot(plot)
    , m_pixelSize(std::max(pixelSize, double(kSmallestPixels)))
    , m_bucket(std::max(columnWidth, 8.0)) {}

void ValueLabelLayout::addMarker(const QRectF& marker) {
    take(marker, m_markers, m_bucket);
}

bool ValueLabelLayout::canFit(double room) {
    return room >= kSmallestPixels * 0.6;
}

void ValueLabelLayout::add(const ValueLabelSource& source) {
    const bool placeable = std::isfinite(source.tip.x()) && std::isfinite(source.tip.y()) &&
                           std::isfinite(source.rootY) && std::isfinite(source.value);
    if (placeable && canFit(source.room))
        m_sources.push_back(source);
}

void ValueLabelLayout::take(const QRectF& rect, std::map<int, std::vector<QRectF>>& taken,
                            double bucket) {
    for (int b = bucketOf(rect.left(), bucket); b <= bucketOf(rect.right(), bucket); ++b)
        taken[b].push_back(rect);
}

bool ValueLabelLayout::isFree(QRectF rect, const std::map<int, std::vector<QRectF>>& taken) const {
    // Labels that touch read as one number: keep a little air between them.
    rect.adjust(-kAir, -kAir / 2, kAir, kAir / 2);
    for (int b = bucketOf(rect.left(), m_bucket); b <= bucketOf(rect.right(), m_bucket); ++b) {
        for (const auto* rects : {&taken, &m_markers}) {
            const auto found = rects->find(b);
            if (found == rects->end())
                continue;
            for (const QRectF& other : found->second) {
                if (other.intersects(rect))
                    return false;
            }
        }
    }
    return true;
}

std::vector<ValueLabelLayout::Candidate> ValueLabelLayout::candidates(const ValueLabelSource& s,
                                                                      QSizeF size) const {
    const bool upward = s.tip.y() <= s.rootY;
    const double left = std::clamp(s.tip.x() - size.width() / 2, m_plot.left(),
                                   std::max(m_plot.left(), m_plot.right() - size.width()));
    const auto at = [&](double top, bool inside) {
        return Candidate{QRectF(QPointF(left, top), size), inside};
    };
    const double inward = s.insideClearance + kPadding;
    const double outward = s.outsideClearance + kPadding;
    const Candidate inside =
        upward ? at(s.tip.y() + inward, true) : at(s.tip.y() - inward - size.height(), true);
    const Candidate outside =
        upward ? at(s.tip.y() - outward - size.height(), false) : at(s.tip.y() + outward, false);
    const bool fitsInside = s.insideDepth >= size.height() + s.insideClearance + 2 * kPadding;
    std::vector<Candidate> found;
    if (fitsInside)
        found.push_back(inside);
    if (!s.insideOnly) {
        found.push_back(outside);
        // A point's label may also sit on its other side.
        if (s.insideDepth <= 0.0)
            found.push_back(upward ? at(s.tip.y() + outward, false)
                                   : at(s.tip.y() - outward - size.height(), false));
    }
    std::erase_if(found, [this](const Candidate& c) {
        return c.rect.top() < m_plot.top() || c.rect.bottom() > m_plot.bottom();
    });
    return found;
}

// Every label measured once, at the asked size, in full and in short.
std::vector<ValueLabelLayout::Measured> ValueLabelLayout::measure() const {
    const QFontMetricsF asked(graphFont(m_pixelSize, true));
    std::vector<Measured> measured;
    measured.reserve(m_sources.size());
    for (std::size_t i = 0; i < m_sources.size(); ++i) {
        const ValueLabelSource& s = m_sources[i];
        Measured m{i, formatNumber(s.value, s.decimals), formatShortNumber(s.value, s.decimals),
                   0.0, 0.0};
        m.fullWidth = asked.horizontalAdvance(m.full);
        m.shortWidth = m.shortForm == m.full ? m.fullWidth : asked.horizontalAdvance(m.shortForm);
        measured.push_back(std::move(m));
    }
    return measured;
}

// Widths grow with the font's size, so the measurements at the asked size tell the size at which
// every label fits in full, or failing that in short.
int ValueLabelLayout::fittingPixels(const std::vector<Measured>& measured) const {
    const double readable = std::min(m_pixelSize, double(kReadablePixels));
    double fullPixels = m_pixelSize;
    double shortPixels = m_pixelSize;
    for (const Measured& m : measured) {
        const double room = m_sources[m.source].room;
        const double fitsShort = m_pixelSize * room / std::max(m.shortWidth, 1.0);
        // A label that cannot be read even short is dropped; it does not shrink the others.
        if (fitsShort >= readable) {
            fullPixels = std::min(fullPixels, m_pixelSize * room / std::max(m.fullWidth, 1.0));
            shortPixels = std::min(shortPixels, fitsShort);
        }
    }
    double pixels = std::floor(fullPixels);
    if (pixels < std::max(std::ceil(m_pixelSize * kLeastShrink), readable))
        pixels = std::max(std::floor(shortPixels), readable);
    return int(std::min(pixels, m_pixelSize));
}

std::unique_ptr<ValueLabelsNode> ValueLabelLayout::build(std::vector<Track> tracks) const {
    if (m_sources.empty())
        return nullptr;
    std::vector<Measured> measured = measure();
    const int pixels = fittingPixels(measured);
    QFont font = graphFont(pixels, true);
    const QFontMetricsF metrics(font);
    const double scale = pixels / m_pixelSize;
    // Earlier series keep their places: a later label moves or is dropped.
    std::ranges::stable_sort(measured, {},
                             [this](const Measured& m) { return m_sources[m.source].track; });
    std::map<int, std::vector<QRectF>> taken;
    std::vector<ValueLabelsNode::Label> labels;
    for (const Measured& m : measured) {
        const ValueLabelSource& s = m_sources[m.source];
        const bool full = m.fullWidth * scale <= s.room;
        if (!full && m.shortWidth * scale > s.room)
            continue;
        const QString text = full ? m.full : m.shortForm;
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        for (const Candidate& candidate : candidates(s, size)) {
            if (!isFree(candidate.rect, taken))
                continue;
            take(candidate.rect, taken, m_bucket);
            labels.push_back({text, candidate.rect.topLeft(), s.rootY - s.tip.y(), size.width(),
                              candidate.inside ? s.insideColor : s.outsideColor, s.track, s.counts,
                              !full, s.value, s.decimals});
            break;
        }
    }
    if (labels.empty())
        return nullptr;
    return std::make_unique<ValueLabelsNode>(font, std::move(tracks), std::move(labels));
}

} // namespace tivora::engine
