#include "export/svg/smil_animator.h"

#include "export/svg/element_shape.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

constexpr engine::Millis kTextStep = 200.0;

bool sameFrame(const SvgElement& a, const SvgElement& b) {
    return a.name == b.name && a.attributes == b.attributes && a.text == b.text &&
           a.children.size() == b.children.size();
}

QString shortNumber(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text == "-0"_L1 ? u"0"_s : text;
}

// The pattern's '#' marks replaced by the numbers in turn.
QString filledIn(const QString& pattern, const std::vector<double>& numbers, int decimals) {
    QString text;
    std::size_t next = 0;
    for (const QChar c : pattern)
        text += c == u'#' && next < numbers.size() ? shortNumber(numbers[next++], decimals)
                                                   : QString(c);
    return text;
}

void takeTexts(const SvgElement& from, SvgElement& to) {
    to.text = from.text;
    for (std::size_t i = 0; i < to.children.size(); ++i)
        takeTexts(from.children[i], to.children[i]);
}

} // namespace

SmilAnimator::SmilAnimator(engine::Millis span, bool looping)
    : m_span(span)
    , m_looping(looping) {}

const ElementShape& SmilAnimator::shapeOf(const SvgElement& element) const {
    auto found = m_shapes.find(&element);
    if (found == m_shapes.end())
        found = m_shapes.emplace(&element, ElementShape(element)).first;
    return found->second;
}

bool SmilAnimator::sameLook(const SvgElement& a, const SvgElement& b) const {
    return shapeOf(a).sameLook(shapeOf(b));
}

bool SmilAnimator::sameStructure(const SvgElement& a, const SvgElement& b) const {
    return shapeOf(a).structure == shapeOf(b).structure;
}

SvgElement SmilAnimator::animate(const std::vector<Moment>& moments) {
    m_times.clear();
    m_shapes.clear();
    Column column;
    for (const Moment& moment : moments) {
        m_times.push_back(moment.time);
        column.push_back(&moment.drawing);
    }
    if (column.empty())
        return SvgElement{u"g"_s, {}, {}, {}};
    return play(column, {0, column.size() - 1});
}

SvgElement SmilAnimator::play(const Column& column, const Run& run) const {
    const std::vector<Run> runs = split(column, run);
    if (runs.size() == 1)
        return build(column, run);
    SvgElement turns{u"g"_s, {}, {}, {}};
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SvgElement part = build(column, runs[i]);
        const bool last = i + 1 == runs.size();
        const engine::Millis to = last ? m_span : m_times[runs[i + 1].first];
        showOnlyBetween(m_times[runs[i].first], to, last, part);
        turns.children.push_back(std::move(part));
    }
    return turns;
}

// Consecutive moments that either look alike (they only glide) or share the element itself and
// differ further down.
std::vector<SmilAnimator::Run> SmilAnimator::split(const Column& column, const Run& run) const {
    std::vector<Run> runs;
    std::size_t first = run.first;
    while (first <= run.last) {
        std::size_t last = first;
        if (first < run.last) {
            const SvgElement& head = *column[first];
            const bool alike = sameStructure(head, *column[first + 1]);
            // A counting label steps through its numbers no faster than kTextStep.
            const auto joins = [&](std::size_t next) {
                if (!alike)
                    return sameFrame(head, *column[next]);
                return sameStructure(head, *column[next]) &&
                       (sameLook(head, *column[next]) ||
                        (m_times[next] - m_times[first] < kTextStep && m_times[next] < m_span));
            };
            while (last < run.last && joins(last + 1))
                ++last;
        }
        runs.push_back({first, last});
        first = last + 1;
    }
    return runs;
}

SvgElement SmilAnimator::build(const Column& column, const Run& run) const {
    const SvgElement& resting = *column[restingIndex(run)];
    const bool alike =
        std::all_of(column.begin() + qsizetype(run.first), column.begin() + qsizetype(run.last) + 1,
                    [&](const SvgElement* e) { return sameStructure(resting, *e); });
    if (alike) {
        SvgElement out = resting;
        // A step shows the text it starts with; the last one starts at the end of the span.
        takeTexts(*column[run.first], out);
        addGlides(column, run, out);
        return out;
    }
    SvgElement out{resting.name, resting.attributes, resting.text, {}};
    for (std::size_t child = 0; child < resting.children.size(); ++child)
        out.children.push_back(play(childColumn(column, run, child), run));
    return out;
}

// The child at index of every element of the run; moments outside the run are never looked at
// and may have other children.
SmilAnimator::Column SmilAnimator::childColumn(const Column& column, const Run& run,
                                               std::size_t index) {
    Column children(column.size(), nullptr);
    for (std::size_t i = run.first; i <= run.last; ++i)
        children[i] = &column[i]->children[index];
    return children;
}

void SmilAnimator::addGlides(const Column& column, const Run& run, SvgElement& out) const {
    const std::size_t childCount = out.children.size();
    for (std::size_t child = 0; child < childCount; ++child)
        addGlides(childColumn(column, run, child), run, out.children[child]);
    for (qsizetype a = 0; a < out.attributes.size(); ++a) {
        const QString key = out.attributes[a].first;
        if (!isGliding(key))
            continue;
        QStringList values;
        std::vector<engine::Millis> times;
        for (std::size_t i = run.first; i <= run.last; ++i) {
            values.append(column[i]->attributes[a].second);
            times.push_back(m_times[i]);
        }
        if (values.count(values.front()) == values.size())
            continue;
        std::vector<std::vector<double>> numbers(values.size());
        QString pattern;
        for (qsizetype i = 0; i < values.size(); ++i)
            pattern = blankNumbers(values[i], &numbers[std::size_t(i)]);
        // Opacities run from 0 to 1, positions over hundreds of units.
        const double tolerance = key.contains("opacity"_L1) ? 0.01 : 0.3;
        out.children.push_back(glide(key, pattern, values, times, numbers, tolerance, 2));
    }
}

SvgElement SmilAnimator::glide(const QString& key, const QString& pattern,
                               const QStringList& sampled, const std::vector<engine::Millis>& times,
                               const std::vector<std::vector<double>>& numbers, double tolerance,
                               int decimals) const {
    const std::vector<double> tolerances(numbers.front().size(), tolerance);
    if (const auto fit = fitEased(times, numbers, tolerances, m_span))
        return easedGlide(key, pattern, sampled, times, *fit, decimals);
    return sampledGlide(key, sampled, times, numbers, tolerance);
}

SvgElement SmilAnimator::transformGlide(const QString& type, const QString& pattern,
                                        const std::vector<engine::Millis>& times,
                                        const std::vector<std::vector<double>>& numbers,
                                        double tolerance) const {
    // A scale of 0.01 off moves a far point by several units: scales are written finer.
    constexpr int kDecimals = 5;
    QStringList sampled;
    for (const std::vector<double>& values : numbers)
        sampled.append(filledIn(pattern, values, kDecimals));
    SvgElement animation =
        glide(u"transform"_s, pattern, sampled, times, numbers, tolerance, kDecimals);
    animation.name = u"animateTransform"_s;
    animation.setAttribute(u"type"_s, type);
    return animation;
}

SvgElement SmilAnimator::easedGlide(const QString& key, const QString& pattern,
                                    const QStringList& sampled,
                                    const std::vector<engine::Millis>& times, const EasedFit& fit,
                                    int decimals) const {
    QStringList values;
    QStringList keyTimes;
    QStringList splines;
    const auto add = [&](const QString& value, engine::Millis time, const QString& spline) {
        if (!values.isEmpty())
            splines.append(spline);
        values.append(value);
        keyTimes.append(keyTime(time));
    };
    const QString straight = u"0 0 1 1"_s;
    if (times.front() > 0 && fit.from > 0)
        add(fit.firstSample > 0 ? sampled.front() : filledIn(pattern, fit.start, decimals), 0.0,
            straight);
    for (std::size_t i = 0; i < fit.firstSample; ++i)
        add(sampled[qsizetype(i)], times[i], straight);
    add(filledIn(pattern, fit.start, decimals), fit.from, straight);
    add(filledIn(pattern, fit.end, decimals), fit.to, fit.keySpline);
    if (fit.to < m_span)
        add(values.back(), m_span, straight);
    SvgElement glide = timing(key);
    glide.setAttribute(u"calcMode"_s, u"spline"_s);
    glide.setAttribute(u"values"_s, values.join(u';'));
    glide.setAttribute(u"keyTimes"_s, keyTimes.join(u';'));
    glide.setAttribute(u"keySplines"_s, splines.join(u';'));
    return glide;
}

SvgElement SmilAnimator::sampledGlide(const QString& key, const QStringList& sampled,
                                      const std::vector<engine::Millis>& times,
                                      const std::vector<std::vector<double>>& numbers,
                                      double tolerance) const {
    // Samples on the straight line between the ones kept around them add nothing.
    const auto onLine = [&](std::size_t before, std::size_t i, std::size_t after) {
        const double share = (times[i] - times[before]) / (times[after] - times[before]);
        for (std::size_t n = 0; n < numbers[i].size(); ++n) {
            const double expected =
                numbers[before][n] + (numbers[after][n] - numbers[before][n]) * share;
            if (std::fabs(expected - numbers[i][n]) > tolerance)
                return false;
        }
        return true;
    };
    QStringList values{sampled.front()};
    QStringList keyTimes{keyTime(times.front())};
    std::size_t kept = 0;
    for (std::size_t i = 1; i < times.size(); ++i) {
        // Every sample since the last kept one must lie on the line to the next for this one to go.
        const auto allOnLine = [&] {
            for (std::size_t j = kept + 1; j <= i; ++j)
                if (!onLine(kept, j, i + 1))
                    return false;
            return true;
        };
        if (i + 1 < times.size() && allOnLine())
            continue;
        values.append(sampled[qsizetype(i)]);
        keyTimes.append(keyTime(times[i]));
        kept = i;
    }
    if (times.front() > 0) {
        values.prepend(values.front());
        keyTimes.prepend(u"0"_s);
    }
    if (times.back() < m_span) {
        values.append(values.back());
        keyTimes.append(u"1"_s);
    }
    SvgElement glide = timing(key);
    glide.setAttribute(u"values"_s, values.join(u';'));
    glide.setAttribute(u"keyTimes"_s, keyTimes.join(u';'));
    return glide;
}

void SmilAnimator::showOnlyBetween(engine::Millis from, engine::Millis to, bool last,
                                   SvgElement& out) const {
    // Every part but the last is hidden again, also when the last starts at the very end: a
    // part left showing there would lie under the last one for good.
    const bool shownAtRest = m_looping ? from <= 0 : last;
    out.setAttribute(u"display"_s, shownAtRest ? u"inline"_s : u"none"_s);
    QStringList values;
    QStringList keyTimes;
    if (from > 0) {
        values.append(u"none"_s);
        keyTimes.append(u"0"_s);
    }
    values.append(u"inline"_s);
    keyTimes.append(keyTime(from));
    if (!last) {
        values.append(u"none"_s);
        keyTimes.append(keyTime(to));
    }
    SvgElement turn = timing(u"display"_s);
    turn.setAttribute(u"calcMode"_s, u"discrete"_s);
    turn.setAttribute(u"values"_s, values.join(u';'));
    turn.setAttribute(u"keyTimes"_s, keyTimes.join(u';'));
    out.children.push_back(std::move(turn));
}

SvgElement SmilAnimator::timing(const QString& attribute) const {
    SvgElement animation{u"animate"_s, {}, {}, {}};
    animation.setAttribute(u"attributeName"_s, attribute);
    animation.setAttribute(u"dur"_s, u"%1s"_s.arg(m_span / 1000.0, 0, 'f', 3));
    if (m_looping)
        animation.setAttribute(u"repeatCount"_s, u"indefinite"_s);
    else
        animation.setAttribute(u"fill"_s, u"freeze"_s);
    return animation;
}

QString SmilAnimator::keyTime(engine::Millis time) const {
    if (time >= m_span)
        return u"1"_s;
    QString text = QString::number(std::max(time, 0.0) / m_span, 'f', 4);
    while (text.endsWith(u'0'))
        text.chop(1);
    return text.endsWith(u'.') ? text + u'0' : text;
}

} // namespace tivora::exporting
