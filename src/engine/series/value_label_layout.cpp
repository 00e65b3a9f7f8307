#include "engine/series/value_label_layout.h"

#include "engine/layout/graph_style.h"
#include "engine/scene/clipped_outline.h"
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
    , m_pixelSize(std::max(pixelSize, 1.0))
    , m_barReach(labelHeight(m_pixelSize))
    , m_bucket(std::max(columnWidth, 8.0)) {}

template <typename Item>
void ValueLabelLayout::file(double left, double right, const Item& item,
                            std::map<int, std::vector<Item>>& filed) const {
    for (int b = bucketOf(left, m_bucket); b <= bucketOf(right, m_bucket); ++b)
        filed[b].push_back(item);
}

void ValueLabelLayout::addMarker(const QRectF& marker) {
    file(marker.left(), marker.right(), marker, m_markers);
}

double ValueLabelLayout::labelHeight(double pixels) {
    return QFontMetricsF(valueLabelFont(pixels)).height() + kPadding;
}

void ValueLabelLayout::addBar(const QRectF& bar, bool upward, std::size_t track) {
    if (!bar.isValid())
        return;
    // The place beyond the bar's end is where its own label would stand: another series' label
    // there would read as this bar's value.
    const QRectF kept =
        upward ? bar.adjusted(0, -m_barReach, 0, 0) : bar.adjusted(0, 0, 0, m_barReach);
    file(kept.left(), kept.right(), Mark{kept, track}, m_bars);
}

void ValueLabelLayout::addSegment(const QLineF& segment, double reach) {
    if (!std::isfinite(segment.x1()) || !std::isfinite(segment.x2()) ||
        !std::isfinite(segment.y1()) || !std::isfinite(segment.y2()))
        return;
    file(std::min(segment.x1(), segment.x2()) - reach, std::max(segment.x1(), segment.x2()) + reach,
         Segment{segment, reach}, m_segments);
}

void ValueLabelLayout::addSurface(const QPolygonF& area, std::size_t track) {
    m_surfaces.push_back({area, track});
}

bool ValueLabelLayout::needsPill(const QRectF& rect, bool inside,
                                 const ValueLabelSource& source) const {
    if (inside)
        return source.insidePill || rect.width() + 2 * kAir > source.insideWidth;
    if (m_darkestGround.isValid() &&
        contrastRatio(source.outsideColor, m_darkestGround) < kSmallTextContrast)
        return true;
    // Its colour was chosen for the plot: on an area, another's or its own where a label has to
    // go below its point, it needs a ground of its own.
    const QPolygonF box(rect);
    return std::ranges::any_of(
        m_surfaces, [&](const Surface& surface) { return surface.area.intersects(box); });
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

double ValueLabelLayout::askedPixels(double gridSize) {
    constexpr double kAxisNumberPixels = 12.0;
    constexpr double kGridDefault = 25.0;
    if (gridSize <= kAxisNumberPixels)
        return gridSize;
    return kAxisNumberPixels + std::max(gridSize - kGridDefault, 0.0) / 2;
}

double ValueLabelLayout::pixelsOf(const ValueLabelSource& source) const {
    return source.pixels > 0 ? std::min(source.pixels, m_pixelSize) : m_pixelSize;
}

bool ValueLabelLayout::crossesSegment(const QRectF& rect) const {
    for (int b = bucketOf(rect.left(), m_bucket); b <= bucketOf(rect.right(), m_bucket); ++b) {
        const auto found = m_segments.find(b);
        if (found == m_segments.end())
            continue;
        for (const Segment& segment : found->second) {
            const double r = segment.reach;
            if (segmentCrosses(segment.line, rect.adjusted(-r, -r, r, r)))
                return true;
        }
    }
    return false;
}

bool ValueLabelLayout::isFree(QRectF rect, std::size_t track,
                              const std::map<int, std::vector<QRectF>>& taken) const {
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
        if (const auto bars = m_bars.find(b); bars != m_bars.end()) {
            for (const Mark& bar : bars->second) {
                if (bar.track != track && bar.rect.intersects(rect))
                    return false;
            }
        }
    }
    return !crossesSegment(rect);
}

std::vector<ValueLabelLayout::Candidate> ValueLabelLayout::candidates(const ValueLabelSource& s,
                                                                      QSizeF size) const {
    const bool upward = s.tip.y() <= s.rootY;
    const double centred = s.tip.x() - size.width() / 2;
    const auto inPlot = [&](double left) {
        return std::clamp(left, m_plot.left(),
                          std::max(m_plot.left(), m_plot.right() - size.width()));
    };
    const auto at = [&](double top, bool inside, double left) {
        return Candidate{QRectF(QPointF(inPlot(left), top), size), inside};
    };
    const double inward = s.insideClearance + kPadding;
    const double outward = s.outsideClearance + kPadding;
    const double above = s.tip.y() - outward - size.height();
    const double below = s.tip.y() + outward;
    std::vector<Candidate> found;
    if (s.insideDepth >= size.height() + s.insideClearance + 2 * kPadding)
        found.push_back(upward ? at(s.tip.y() + inward, true, centred)
                               : at(s.tip.y() - inward - size.height(), true, centred));
    if (!s.insideOnly) {
        found.push_back(upward ? at(above, false, centred) : at(below, false, centred));
        // A point's label may also sit on its other side, or beside it.
        if (s.insideDepth <= 0.0) {
            found.push_back(upward ? at(below, false, centred) : at(above, false, centred));
            const double middle = s.tip.y() - size.height() / 2;
            // Clear of labels centred above and below it.
            const double aside = outward + kPadding;
            found.push_back(at(middle, false, s.tip.x() + aside));
            found.push_back(at(middle, false, s.tip.x() - aside - size.width()));
        }
    }
    std::erase_if(found, [this](const Candidate& c) {
        return c.rect.top() < m_plot.top() || c.rect.bottom() > m_plot.bottom();
    });
    return found;
}

// Every label measured once, at its series' asked size, in full and in short.
std::vector<ValueLabelLayout::Measured> ValueLabelLayout::measure() const {
    std::map<double, QFontMetricsF> metricsBySize;
    std::vector<Measured> measured;
    measured.reserve(m_sources.size());
    for (std::size_t i = 0; i < m_sources.size(); ++i) {
        const ValueLabelSource& s = m_sources[i];
        const double pixels = pixelsOf(s);
        const QFontMetricsF& asked =
            metricsBySize.try_emplace(pixels, valueLabelFont(pixels)).first->second;
        Measured m{i, formatNumber(s.value, s.decimals), formatShortNumber(s.value, s.decimals),
                   0.0, 0.0};
        m.fullWidth = asked.horizontalAdvance(m.full);
        m.shortWidth = m.shortForm == m.full ? m.fullWidth : asked.horizontalAdvance(m.shortForm);
        measured.push_back(std::move(m));
    }
    return measured;
}

// Widths grow with the font's size, so the measurements at the asked size tell the size at which
// every label of a series fits in full, or failing that in short.
std::map<std::size_t, int>
ValueLabelLayout::fittingPixels(const std::vector<Measured>& measured) const {
    struct Fit {
        double asked = 0.0;
        double full = 0.0;
        double brief = 0.0;
    };
    std::map<std::size_t, Fit> fits;
    for (const Measured& m : measured) {
        const ValueLabelSource& s = m_sources[m.source];
        const double asked = pixelsOf(s);
        Fit& fit = fits.try_emplace(s.track, Fit{asked, asked, asked}).first->second;
        const double readable = std::min(asked, double(kReadablePixels));
        const double fitsShort = asked * s.room / std::max(m.shortWidth, 1.0);
        // A label that cannot be read even short is dropped; it does not shrink the others.
        if (fitsShort >= readable) {
            fit.full = std::min(fit.full, asked * s.room / std::max(m.fullWidth, 1.0));
            fit.brief = std::min(fit.brief, fitsShort);
        }
    }
    std::map<std::size_t, int> pixels;
    for (const auto& [track, fit] : fits) {
        const double readable = std::min(fit.asked, double(kReadablePixels));
        double size = std::floor(fit.full);
        if (size < std::max(std::ceil(fit.asked * kLeastShrink), readable))
            size = std::max(std::floor(fit.brief), std::ceil(readable));
        pixels[track] = std::max(1, int(std::min(size, fit.asked)));
    }
    return pixels;
}

std::unique_ptr<ValueLabelsNode> ValueLabelLayout::build(std::vector<Track> tracks) const {
    if (m_sources.empty())
        return nullptr;
    std::vector<Measured> measured = measure();
    const std::map<std::size_t, int> pixels = fittingPixels(measured);
    std::vector<QFont> fonts(tracks.size(), valueLabelFont(m_pixelSize));
    for (const auto& [track, size] : pixels) {
        if (track < fonts.size())
            fonts[track] = valueLabelFont(size);
    }
    // Earlier series keep their places: a later label moves or is dropped.
    std::ranges::stable_sort(measured, {},
                             [this](const Measured& m) { return m_sources[m.source].track; });
    std::map<int, std::vector<QRectF>> taken;
    std::vector<ValueLabelsNode::Label> labels;
    for (const Measured& m : measured) {
        const ValueLabelSource& s = m_sources[m.source];
        if (s.track >= fonts.size())
            continue;
        const QFontMetricsF metrics(fonts[s.track]);
        const double scale = fonts[s.track].pixelSize() / pixelsOf(s);
        const bool full = m.fullWidth * scale <= s.room;
        if (!full && m.shortWidth * scale > s.room)
            continue;
        const QString text = full ? m.full : m.shortForm;
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        for (const Candidate& candidate : candidates(s, size)) {
            if (!isFree(candidate.rect, s.track, taken))
                continue;
            file(candidate.rect.left(), candidate.rect.right(), candidate.rect, taken);
            labels.push_back({text, candidate.rect.topLeft(), s.rootY - s.tip.y(), size.width(),
                              candidate.inside ? s.insideColor : s.outsideColor,
                              candidate.inside ? s.insideHalo : s.outsideHalo,
                              needsPill(candidate.rect, candidate.inside, s), s.track, s.column,
                              s.counts, !full, s.value, s.decimals});
            break;
        }
    }
    if (labels.empty())
        return nullptr;
    return std::make_unique<ValueLabelsNode>(std::move(fonts), std::move(tracks),
                                             std::move(labels));
}

} // namespace tivora::engine
