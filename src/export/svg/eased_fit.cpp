#include "export/svg/eased_fit.h"

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

struct Curve {
    double x1, y1, x2, y2;
    const char* text;
    // The curve's value at progress x, by bisection on its parameter.
    double at(double x) const {
        const auto bezier = [](double s, double p1, double p2) {
            const double r = 1 - s;
            return 3 * r * r * s * p1 + 3 * r * s * s * p2 + s * s * s;
        };
        double low = 0, high = 1;
        for (int i = 0; i < 30; ++i) {
            const double middle = (low + high) / 2;
            (bezier(middle, x1, x2) < x ? low : high) = middle;
        }
        return bezier((low + high) / 2, y1, y2);
    }
};

// The engine's easings: linear, out-cubic (exactly this Bezier) and in-out sine (closely).
constexpr std::array kCurves{Curve{0, 0, 1, 1, "0 0 1 1"},
                             Curve{1.0 / 3, 1, 2.0 / 3, 1, "0.3333 1 0.6667 1"},
                             Curve{0.37, 0, 0.63, 1, "0.37 0 0.63 1"}};

std::optional<EasedFit> fitWindow(const std::vector<engine::Millis>& times,
                                  const std::vector<std::vector<double>>& samples,
                                  const std::vector<double>& tolerances, engine::Millis from,
                                  engine::Millis to, const Curve& curve) {
    if (to <= from)
        return std::nullopt;
    std::vector<double> progress;
    progress.reserve(times.size());
    for (const engine::Millis time : times)
        progress.push_back(curve.at(std::clamp((time - from) / (to - from), 0.0, 1.0)));
    EasedFit fit{0, from, to, QString::fromLatin1(curve.text), {}, {}};
    // Each number by least squares as start + (end - start) * progress, then checked.
    for (std::size_t n = 0; n < samples.front().size(); ++n) {
        double sp = 0, sv = 0, spp = 0, spv = 0;
        const auto count = double(times.size());
        for (std::size_t k = 0; k < times.size(); ++k) {
            sp += progress[k];
            sv += samples[k][n];
            spp += progress[k] * progress[k];
            spv += progress[k] * samples[k][n];
        }
        const double spread = count * spp - sp * sp;
        const double slope = std::fabs(spread) > 1e-12 ? (count * spv - sp * sv) / spread : 0.0;
        const double start = (sv - slope * sp) / count;
        for (std::size_t k = 0; k < times.size(); ++k) {
            if (std::fabs(start + slope * progress[k] - samples[k][n]) > tolerances[n])
                return std::nullopt;
        }
        fit.start.push_back(start);
        fit.end.push_back(start + slope);
    }
    return fit;
}

std::optional<EasedFit> fitOnCurves(const std::vector<engine::Millis>& times,
                                    const std::vector<std::vector<double>>& samples,
                                    const std::vector<double>& tolerances,
                                    std::initializer_list<std::pair<double, double>> windows) {
    for (const Curve& curve : kCurves) {
        for (const auto& [from, to] : windows) {
            if (auto fit = fitWindow(times, samples, tolerances, from, to, curve))
                return fit;
        }
    }
    return std::nullopt;
}

// The stretch from sample first on, over which the numbers change, to the nearest samples.
std::optional<EasedFit> fitFrom(std::size_t first, const std::vector<engine::Millis>& times,
                                const std::vector<std::vector<double>>& samples,
                                const std::vector<double>& tolerances) {
    std::size_t last = times.size() - 1;
    while (last > first && samples[last - 1] == samples[last])
        --last;
    if (last <= first)
        return std::nullopt;
    const std::vector<engine::Millis> someTimes(times.begin() + qsizetype(first), times.end());
    const std::vector<std::vector<double>> someSamples(samples.begin() + qsizetype(first),
                                                       samples.end());
    auto fit = fitOnCurves(someTimes, someSamples, tolerances, {{times[first], times[last]}});
    if (fit)
        fit->firstSample = first;
    return fit;
}

} // namespace

std::optional<EasedFit> fitEased(const std::vector<engine::Millis>& times,
                                 const std::vector<std::vector<double>>& samples,
                                 const std::vector<double>& tolerances, engine::Millis span) {
    if (times.size() < 2 || samples.front().empty())
        return std::nullopt;
    std::size_t first = 0;
    while (first + 1 < times.size() && samples[first + 1] == samples[first])
        ++first;
    if (auto whole = fitOnCurves(times, samples, tolerances, {{0.0, span}}))
        return whole;
    // The earliest start from which the rest lies on a curve, found by halving: a later start
    // fits whenever an earlier one does.
    std::size_t low = first, high = times.size() - 2;
    std::optional<EasedFit> best;
    while (low <= high) {
        const std::size_t middle = (low + high) / 2;
        if (auto fit = fitFrom(middle, times, samples, tolerances)) {
            best = std::move(fit);
            if (middle == 0)
                break;
            high = middle - 1;
        } else {
            low = middle + 1;
        }
    }
    return best;
}

} // namespace tivora::exporting
