#include "export/svg/whole_motion.h"

#include "export/svg/geometry_recorder.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tivora::exporting {
namespace {

using Recording = GeometryRecorder::Recording;

constexpr engine::Millis kFinestStep = 1000.0 / 60.0;
constexpr engine::Millis kAppearingStep = 4.0;
constexpr double kTolerance = 0.3; // stage units

struct Bounds {
    double left = 0, right = 0, top = 0, bottom = 0;

    Bounds(std::vector<QPointF>::const_iterator begin, std::vector<QPointF>::const_iterator end) {
        if (begin == end)
            return;
        left = right = begin->x();
        top = bottom = begin->y();
        for (auto p = begin; p != end; ++p) {
            left = std::min(left, p->x());
            right = std::max(right, p->x());
            top = std::min(top, p->y());
            bottom = std::max(bottom, p->y());
        }
    }
    static Bounds of(const GeometryRecorder::Recording& recording, std::size_t call) {
        const auto points = recording.points.begin();
        return {points + qsizetype(recording.pointsBegin(call)),
                points + qsizetype(recording.callEnds[call])};
    }
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

// The largest part of a drawing, which is the last a stretch makes too thin to draw: by area,
// then by its sides for lines and points.
std::optional<std::size_t> largestCall(const GeometryRecorder::Recording& recording) {
    std::optional<std::size_t> largest;
    std::pair<double, double> most{-1, -1};
    for (std::size_t call = 0; call < recording.callCount(); ++call) {
        const Bounds bounds = Bounds::of(recording, call);
        const std::pair size{bounds.width() * bounds.height(), bounds.width() + bounds.height()};
        if (size > most) {
            most = size;
            largest = call;
        }
    }
    return largest;
}

// The stretch of one axis that takes the span low..high to newLow..newHigh.
std::pair<double, double> axisStretch(double low, double high, double newLow, double newHigh) {
    const double scale = high - low > 1e-9 ? (newHigh - newLow) / (high - low) : 1.0;
    return {scale, newLow - scale * low};
}

QPointF stretched(const QPointF& point, const WholeMotion::Stretch& s) {
    return {s.scaleX * point.x() + s.shiftX, s.scaleY * point.y() + s.shiftY};
}

class MotionSampler {
public:
    MotionSampler(const std::function<void(QPainter&, engine::Millis)>& paint, engine::Millis span)
        : m_paint(paint)
        , m_final(record(span))
        , m_largest(largestCall(m_final)) {
        // How far a point lies from the origin, where a change of scale moves it most.
        for (const QPointF& point : m_final.points) {
            m_farX = std::max(m_farX, std::fabs(point.x()));
            m_farY = std::max(m_farY, std::fabs(point.y()));
        }
    }

    // The drawing at a time: nothing drawn yet, or its final picture stretched.
    struct Sample {
        bool empty = false;
        WholeMotion::Stretch stretch;
    };

    // The sample at a time; nothing when the drawing is no stretch of its final picture.
    std::optional<Sample> at(engine::Millis time) {
        if (const auto found = m_samples.find(time); found != m_samples.end())
            return found->second;
        const Recording now = record(time);
        std::optional<Sample> sample;
        if (now.callEnds.empty())
            sample = Sample{true, {}};
        else if (const auto stretch = fit(now))
            sample = Sample{false, *stretch};
        m_samples.emplace(time, sample);
        return sample;
    }

    // Halves the span between two moments until the points move in straight lines, or until the
    // moment the drawing appears is found to the finest step.
    bool refine(engine::Millis from, engine::Millis to) {
        const auto a = at(from);
        const auto b = at(to);
        if (!a || !b)
            return false;
        // The moment something appears is found closely: it shows at once, not in a glide.
        if (to - from < (a->empty != b->empty ? kAppearingStep : 2 * kFinestStep))
            return true;
        const engine::Millis middle = (from + to) / 2;
        const auto m = at(middle);
        if (!m)
            return false;
        if (a->empty == b->empty && m->empty == a->empty &&
            (a->empty || straight(a->stretch, m->stretch, b->stretch)))
            return true;
        return refine(from, middle) && refine(middle, to);
    }

    // The motion from the first moment something is drawn; nothing when the drawing vanishes
    // again, which no stretch describes.
    std::optional<WholeMotion> motion() const {
        WholeMotion motion;
        for (const auto& [time, sample] : m_samples) {
            if (sample->empty && !motion.times.empty())
                return std::nullopt;
            if (sample->empty)
                continue;
            motion.times.push_back(time);
            motion.stretches.push_back(sample->stretch);
        }
        motion.shownFrom = motion.times.empty() ? 0.0 : motion.times.front();
        return motion;
    }

private:
    Recording record(engine::Millis time) const {
        GeometryRecorder recorder;
        {
            QPainter painter(&recorder);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                                   QPainter::SmoothPixmapTransform);
            m_paint(painter, time);
        }
        return recorder.takeRecording();
    }

    // The stretch that takes the final picture's bounds to the ones at the moment, if every part
    // drawn then is a part of the final picture so stretched. Painters leave out shapes too thin
    // to show, as bars that have only begun to grow: a part that the stretch makes thinner than
    // half a unit may be missing.
    std::optional<WholeMotion::Stretch> fit(const Recording& now) const {
        if (now.texts != m_final.texts || now.pictures != m_final.pictures ||
            now.callCount() > m_final.callCount())
            return std::nullopt;
        // The largest parts of both pictures are one part: the stretch takes one to the other.
        const auto largest = largestCall(now);
        if (!largest || !m_largest || !now.sameCall(*largest, m_final, *m_largest))
            return std::nullopt;
        const Bounds from = Bounds::of(m_final, *m_largest);
        const Bounds to = Bounds::of(now, *largest);
        const auto [scaleX, shiftX] = axisStretch(from.left, from.right, to.left, to.right);
        const auto [scaleY, shiftY] = axisStretch(from.top, from.bottom, to.top, to.bottom);
        const WholeMotion::Stretch stretch{scaleX, shiftX, scaleY, shiftY};
        std::size_t next = 0;
        for (std::size_t call = 0; call < m_final.callCount(); ++call) {
            if (next < now.callCount() && now.sameCall(next, m_final, call) &&
                agrees(call, now, next, stretch)) {
                ++next;
                continue;
            }
            if (!m_final.isShape(call) || !vanishes(call, stretch))
                return std::nullopt;
        }
        if (next != now.callCount())
            return std::nullopt;
        const bool scales =
            std::fabs(stretch.scaleX - 1) > 1e-9 || std::fabs(stretch.scaleY - 1) > 1e-9;
        // Text, pictures, strokes and shades keep their own size: they cannot be stretched.
        if (scales && (!now.texts.empty() || !now.pictures.empty() ||
                       !std::ranges::all_of(now.looks, &GeometryRecorder::Look::stretchesAlike)))
            return std::nullopt;
        return stretch;
    }

    bool agrees(std::size_t call, const Recording& now, std::size_t nowCall,
                const WholeMotion::Stretch& stretch) const {
        std::size_t at = now.pointsBegin(nowCall);
        for (std::size_t p = m_final.pointsBegin(call); p < m_final.callEnds[call]; ++p, ++at) {
            const QPointF expected = stretched(m_final.points[p], stretch);
            if (std::fabs(expected.x() - now.points[at].x()) > kTolerance ||
                std::fabs(expected.y() - now.points[at].y()) > kTolerance)
                return false;
        }
        return true;
    }

    bool vanishes(std::size_t call, const WholeMotion::Stretch& stretch) const {
        const Bounds bounds = Bounds::of(m_final, call);
        constexpr double kThinnest = 0.5;
        return std::fabs(bounds.width() * stretch.scaleX) < kThinnest ||
               std::fabs(bounds.height() * stretch.scaleY) < kThinnest;
    }

    bool straight(const WholeMotion::Stretch& a, const WholeMotion::Stretch& m,
                  const WholeMotion::Stretch& b) const {
        const auto off = [](double from, double middle, double to) {
            return std::fabs((from + to) / 2 - middle);
        };
        return off(a.scaleX, m.scaleX, b.scaleX) * m_farX + off(a.shiftX, m.shiftX, b.shiftX) <=
                   kTolerance &&
               off(a.scaleY, m.scaleY, b.scaleY) * m_farY + off(a.shiftY, m.shiftY, b.shiftY) <=
                   kTolerance;
    }

    const std::function<void(QPainter&, engine::Millis)>& m_paint;
    Recording m_final;
    std::optional<std::size_t> m_largest;
    double m_farX = 0;
    double m_farY = 0;
    std::map<engine::Millis, std::optional<Sample>> m_samples;
};

} // namespace

bool WholeMotion::isStill() const {
    return std::ranges::all_of(stretches, [](const Stretch& s) {
        return s.scaleX == 1 && s.shiftX == 0 && s.scaleY == 1 && s.shiftY == 0;
    });
}

std::optional<WholeMotion>
findWholeMotion(const std::function<void(QPainter&, engine::Millis)>& paint, engine::Millis span) {
    MotionSampler sampler(paint, span);
    if (!sampler.at(0.0))
        return std::nullopt;
    if (span > 0) {
        // Quarters first, so that a change that starts and ends between two far samples is seen.
        constexpr int kParts = 4;
        for (int part = 0; part < kParts; ++part) {
            if (!sampler.refine(span * part / kParts, span * (part + 1) / kParts))
                return std::nullopt;
        }
    }
    return sampler.motion();
}

} // namespace tivora::exporting
