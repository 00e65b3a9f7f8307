#pragma once

#include "engine/scene/track.h"
#include "export/svg/drawing_samples.h"
#include "export/svg/eased_fit.h"
#include "export/svg/element_shape.h"
#include "export/svg/svg_element.h"

#include <unordered_map>

namespace tivora::exporting {

// Turns the moments of one node's drawing into one SVG element tree that plays them: numbers that
// glide become <animate> elements, parts whose look changes are shown in turn by animating their
// display. A looping node repeats its span forever; any other holds its last moment, which is
// also what a viewer without animation shows.
class SmilAnimator {
public:
    SmilAnimator(engine::Millis span, bool looping);

    SvgElement animate(const std::vector<Moment>& moments);
    // An <animateTransform> of the type whose numbers, written into the pattern's '#' marks, take
    // the given values at the times, each to within the tolerance.
    SvgElement transformGlide(const QString& type, const QString& pattern,
                              const std::vector<engine::Millis>& times,
                              const std::vector<std::vector<double>>& numbers,
                              double tolerance) const;

private:
    using Column = std::vector<const SvgElement*>; // one element per moment
    struct Run {
        std::size_t first;
        std::size_t last; // inclusive
    };

    SvgElement play(const Column& column, const Run& run) const;
    SvgElement build(const Column& column, const Run& run) const;
    std::vector<Run> split(const Column& column, const Run& run) const;
    static Column childColumn(const Column& column, const Run& run, std::size_t index);
    void addGlides(const Column& column, const Run& run, SvgElement& out) const;
    SvgElement glide(const QString& key, const QString& pattern, const QStringList& sampled,
                     const std::vector<engine::Millis>& times,
                     const std::vector<std::vector<double>>& numbers, double tolerance,
                     int decimals) const;
    SvgElement easedGlide(const QString& key, const QString& pattern, const QStringList& sampled,
                          const std::vector<engine::Millis>& times, const EasedFit& fit,
                          int decimals) const;
    SvgElement sampledGlide(const QString& key, const QStringList& sampled,
                            const std::vector<engine::Millis>& times,
                            const std::vector<std::vector<double>>& numbers,
                            double tolerance) const;
    // Shows out only from from to to; the last of a run of parts stays shown from from on.
    void showOnlyBetween(engine::Millis from, engine::Millis to, bool last, SvgElement& out) const;
    SvgElement timing(const QString& attribute) const;
    QString keyTime(engine::Millis time) const;
    std::size_t restingIndex(const Run& run) const { return m_looping ? run.first : run.last; }
    // Shapes are taken apart once per element: the same elements are compared again and again.
    const ElementShape& shapeOf(const SvgElement& element) const;
    bool sameLook(const SvgElement& a, const SvgElement& b) const;
    bool sameStructure(const SvgElement& a, const SvgElement& b) const;

    engine::Millis m_span;
    bool m_looping;
    std::vector<engine::Millis> m_times;
    mutable std::unordered_map<const SvgElement*, ElementShape> m_shapes;
};

} // namespace tivora::exporting
