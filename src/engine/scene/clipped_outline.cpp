#include "engine/scene/clipped_outline.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

namespace tivora::engine {
namespace {

// The part of segment a..b inside rect, as the share of the way from a at which it enters and
// leaves; none when it misses the rectangle (Liang and Barsky's method).
std::optional<std::pair<double, double>> insideShare(QPointF a, QPointF b, const QRectF& rect) {
    const QPointF d = b - a;
    double enter = 0.0;
    double leave = 1.0;
    const std::array<std::pair<double, double>, 4> sides{{{-d.x(), a.x() - rect.left()},
                                                          {d.x(), rect.right() - a.x()},
                                                          {-d.y(), a.y() - rect.top()},
                                                          {d.y(), rect.bottom() - a.y()}}};
    for (const auto& [p, q] : sides) {
        if (p == 0.0) {
            if (q < 0.0)
                return std::nullopt;
            continue;
        }
        const double t = q / p;
        if (p < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave)
            return std::nullopt;
    }
    return std::pair{enter, leave};
}

bool fullyInside(const QPolygonF& points, const QRectF& rect) {
    return std::ranges::all_of(points, [&rect](QPointF p) { return rect.contains(p); });
}

} // namespace

bool segmentCrosses(const QLineF& segment, const QRectF& rect) {
    return insideShare(segment.p1(), segment.p2(), rect).has_value();
}

std::vector<QPolygonF> clippedPolyline(const QPolygonF& line, const QRectF& rect) {
    if (fullyInside(line, rect))
        return {line};
    std::vector<QPolygonF> runs;
    QPolygonF run;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1];
        const QPointF b = line[i];
        const auto share = insideShare(a, b, rect);
        if (!share) {
            if (!run.isEmpty())
                runs.push_back(std::exchange(run, {}));
            continue;
        }
        const QPointF from = a + (b - a) * share->first;
        const QPointF to = a + (b - a) * share->second;
        if (run.isEmpty() || share->first > 0.0) {
            if (!run.isEmpty())
                runs.push_back(std::exchange(run, {}));
            run.append(from);
        }
        run.append(to);
        if (share->second < 1.0)
            runs.push_back(std::exchange(run, {}));
    }
    if (!run.isEmpty())
        runs.push_back(run);
    return runs;
}

QPolygonF clippedPolygon(const QPolygonF& polygon, const QRectF& rect) {
    if (fullyInside(polygon, rect))
        return polygon;
    // Sutherland and Hodgman: cut by each side of the rectangle in turn.
    using Inside = std::function<bool(QPointF)>;
    using Cross = std::function<QPointF(QPointF, QPointF)>;
    const auto atX = [](double x) {
        return [x](QPointF a, QPointF b) {
            return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
        };
    };
    const auto atY = [](double y) {
        return [y](QPointF a, QPointF b) {
            return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
        };
    };
    const std::array<std::pair<Inside, Cross>, 4> sides{{
        {[&rect](QPointF p) { return p.x() >= rect.left(); }, atX(rect.left())},
        {[&rect](QPointF p) { return p.x() <= rect.right(); }, atX(rect.right())},
        {[&rect](QPointF p) { return p.y() >= rect.top(); }, atY(rect.top())},
        {[&rect](QPointF p) { return p.y() <= rect.bottom(); }, atY(rect.bottom())},
    }};
    QPolygonF result = polygon;
    for (const auto& [inside, cross] : sides) {
        const QPolygonF input = std::exchange(result, {});
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QPointF current = input[i];
            const QPointF previous = input[(i + input.size() - 1) % input.size()];
            if (inside(current)) {
                if (!inside(previous))
                    result.append(cross(previous, current));
                result.append(current);
            } else if (inside(previous)) {
                result.append(cross(previous, current));
            }
        }
    }
    return result;
}

} // namespace tivora::engine
