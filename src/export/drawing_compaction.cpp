#include "export/drawing_compaction.h"

#include <QSet>

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

void mergeGroups(std::vector<SvgElement>& elements) {
    std::vector<SvgElement> merged;
    for (SvgElement& element : elements) {
        if (!merged.empty() && element.name == "g"_L1 && merged.back().name == "g"_L1 &&
            element.attributes == merged.back().attributes && element.text.isEmpty()) {
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

} // namespace

void compactDrawing(std::vector<SvgElement>& elements) {
    mergeGroups(elements);
    for (SvgElement& element : elements)
        compactDrawing(element.children);
    mergeRects(elements);
}

} // namespace tivora::exporting
