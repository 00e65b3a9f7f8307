#include "export/svg/drawing_compaction.h"

#include <QColor>
#include <QSet>
#include <cmath>
#include <optional>
#include <ranges>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

QString number(const QString& value) {
    QString text = QString::number(value.toDouble(), 'f', 2);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text == "-0"_L1 ? u"0"_s : text;
}

bool isPlainRect(const SvgElement& element) {
    static const QSet<QString> geometry{u"x"_s, u"y"_s, u"width"_s, u"height"_s};
    return element.name == "rect"_L1 && element.children.empty() && element.text.isEmpty() &&
           std::ranges::all_of(element.attributes, [](const auto& attribute) {
               return geometry.contains(attribute.first);
           });
}

QString rectPath(const SvgElement& rect) {
    const auto value = [&rect](const QString& key) {
        return number(rect.attribute(key).value_or(u"0"_s));
    };
    const QString width = value(u"width"_s);
    return u'M' + value(u"x"_s) + u',' + value(u"y"_s) + u'h' + width + u'v' + value(u"height"_s) +
           u'h' + (width.startsWith(u'-') ? width.mid(1) : u'-' + width) + u'z';
}

bool isAnimation(const SvgElement& element) {
    return element.name == "animate"_L1 || element.name == "animateTransform"_L1 ||
           element.name == "set"_L1;
}

bool isStillGroup(const SvgElement& element) {
    return element.name == "g"_L1 && element.text.isEmpty() &&
           std::ranges::none_of(element.children, isAnimation);
}

void mergeGroups(std::vector<SvgElement>& elements) {
    std::vector<SvgElement> merged;
    for (SvgElement& element : elements) {
        if (!merged.empty() && isStillGroup(element) && isStillGroup(merged.back()) &&
            element.attributes == merged.back().attributes) {
            auto& into = merged.back().children;
            std::move(element.children.begin(), element.children.end(), std::back_inserter(into));
            continue;
        }
        merged.push_back(std::move(element));
    }
    elements = std::move(merged);
}

// Rectangles of one group share its look; as one path they are drawn alike. The path fills by
// winding, as overlapping rectangles would, whatever rule the group inherits.
void mergeRects(std::vector<SvgElement>& elements) {
    std::vector<SvgElement> merged;
    bool inRun = false; // merged.back() is the path of the current run of rectangles
    for (SvgElement& element : elements) {
        if (!isPlainRect(element)) {
            merged.push_back(std::move(element));
            inRun = false;
            continue;
        }
        if (inRun) {
            merged.back().attributes.first().second += rectPath(element);
            continue;
        }
        merged.push_back(SvgElement{
            u"path"_s, {{u"d"_s, rectPath(element)}, {u"fill-rule"_s, u"nonzero"_s}}, {}, {}});
        inRun = true;
    }
    elements = std::move(merged);
}

struct Stop {
    double offset;
    QColor color;
    double opacity;
};

std::optional<Stop> stopOf(const SvgElement& element) {
    if (element.name != "stop"_L1 || !element.children.empty())
        return std::nullopt;
    bool offsetRead = false;
    bool opacityRead = true;
    const double offset = element.attribute(u"offset"_s).value_or(QString()).toDouble(&offsetRead);
    const QColor color =
        QColor::fromString(element.attribute(u"stop-color"_s).value_or(u"black"_s));
    const double opacity =
        element.attribute(u"stop-opacity"_s).value_or(u"1"_s).toDouble(&opacityRead);
    if (!offsetRead || !opacityRead || !color.isValid() || element.attributes.size() > 3)
        return std::nullopt;
    return Stop{offset, color, opacity};
}

// Whether the middle stop lies within a level of colour and opacity of the line between the
// other two.
bool onLine(const Stop& a, const Stop& middle, const Stop& b) {
    if (b.offset <= a.offset)
        return false;
    const double share = (middle.offset - a.offset) / (b.offset - a.offset);
    const auto near = [share](double from, double at, double to, double tolerance) {
        return std::fabs(from + (to - from) * share - at) <= tolerance;
    };
    constexpr double kLevel = 1.5; // of 255
    return near(a.color.red(), middle.color.red(), b.color.red(), kLevel) &&
           near(a.color.green(), middle.color.green(), b.color.green(), kLevel) &&
           near(a.color.blue(), middle.color.blue(), b.color.blue(), kLevel) &&
           near(a.opacity, middle.opacity, b.opacity, kLevel / 255);
}

// Whether every stop after the last kept one, up to and including stop `i`, lies on the line
// from the kept stop to the one after `i`: then all of them can go.
bool stopsBetweenLieOnLine(const std::vector<Stop>& stops, std::size_t last, std::size_t i) {
    for (std::size_t j = last + 1; j <= i; ++j)
        if (!onLine(stops[last], stops[j], stops[i + 1]))
            return false;
    return true;
}

} // namespace

void mergeStillGroups(SvgElement& element) {
    mergeGroups(element.children);
    for (SvgElement& child : element.children)
        mergeStillGroups(child);
}

void simplifyGradient(SvgElement& gradient) {
    std::vector<Stop> stops;
    for (const SvgElement& child : gradient.children) {
        const auto stop = stopOf(child);
        if (!stop)
            return; // something else lives here: left as it is
        stops.push_back(*stop);
    }
    std::vector<SvgElement> kept;
    std::size_t last = 0; // the last stop kept
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const bool inner = i > 0 && i + 1 < stops.size();
        // A stop is dropped when every stop since the last kept one lies on the line from that
        // one to the stop after it.
        if (inner && stopsBetweenLieOnLine(stops, last, i))
            continue;
        kept.push_back(std::move(gradient.children[i]));
        last = i;
    }
    gradient.children = std::move(kept);
}

void compactDrawing(std::vector<SvgElement>& elements) {
    mergeGroups(elements);
    for (SvgElement& element : elements)
        compactDrawing(element.children);
    mergeRects(elements);
}

} // namespace tivora::exporting
