#include "export/svg/drawing_samples.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tivora::exporting {
namespace {

constexpr engine::Millis kFinestStep = 1000.0 / 60.0;

class Sampler {
public:
    explicit Sampler(const std::function<SvgElement(engine::Millis)>& draw)
        : m_draw(draw) {}

    const Moment& at(engine::Millis time) {
        auto found = m_moments.find(time);
        if (found == m_moments.end()) {
            SvgElement drawing = m_draw(time);
            ElementShape shape(drawing);
            found =
                m_moments.emplace(time, Moment{time, std::move(drawing), std::move(shape)}).first;
        }
        return found->second;
    }

    void refine(engine::Millis from, engine::Millis to) {
        const ElementShape& a = at(from).shape;
        const ElementShape& b = at(to).shape;
        if (to - from < 2 * kFinestStep)
            return;
        // Text changes alone are not followed closely: counting labels step.
        const engine::Millis middle = (from + to) / 2;
        const ElementShape& m = at(middle).shape;
        if (a.structure == b.structure && a.structure == m.structure && !bends(a, m, b))
            return;
        refine(from, middle);
        refine(middle, to);
    }

    std::vector<Moment> moments() {
        std::vector<Moment> result;
        for (auto& [time, moment] : m_moments)
            result.push_back(std::move(moment));
        return result;
    }

private:
    // Whether the middle moment lies off the straight line between its neighbours.
    static bool bends(const ElementShape& a, const ElementShape& m, const ElementShape& b) {
        for (std::size_t i = 0; i < m.numbers.size(); ++i) {
            if (std::fabs((a.numbers[i] + b.numbers[i]) / 2 - m.numbers[i]) > m.tolerances[i])
                return true;
        }
        return false;
    }

    const std::function<SvgElement(engine::Millis)>& m_draw;
    std::map<engine::Millis, Moment> m_moments;
};

} // namespace

std::vector<Moment> sampleDrawing(const std::function<SvgElement(engine::Millis)>& draw,
                                  engine::Millis span) {
    Sampler sampler(draw);
    sampler.at(0.0);
    if (span > 0) {
        // Quarters first, so that a change that starts and ends between two far samples is seen.
        constexpr int kParts = 4;
        for (int part = 0; part < kParts; ++part)
            sampler.refine(span * part / kParts, span * (part + 1) / kParts);
    }
    return sampler.moments();
}

std::vector<Moment> sampleEvenly(const std::function<SvgElement(engine::Millis)>& draw,
                                 engine::Millis span, engine::Millis step) {
    std::vector<Moment> moments;
    const int steps = std::max(1, int(std::ceil(span / step)));
    for (int i = 0; i <= steps; ++i) {
        const engine::Millis time = span * i / steps;
        SvgElement drawing = draw(time);
        ElementShape shape(drawing);
        moments.push_back({time, std::move(drawing), std::move(shape)});
    }
    return moments;
}

} // namespace tivora::exporting
