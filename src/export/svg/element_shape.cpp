#include "export/svg/element_shape.h"

#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

void take(const SvgElement& element, ElementShape& shape) {
    shape.structure += u'<' + element.name;
    for (const auto& [key, value] : element.attributes) {
        shape.structure += u' ' + key + u'=';
        if (!isGliding(key)) {
            shape.structure += value;
            continue;
        }
        shape.structure += blankNumbers(value, &shape.numbers);
        // Opacities run from 0 to 1, positions over hundreds of units.
        const double tolerance = key.contains("opacity"_L1) || key == "offset"_L1 ? 0.02 : 0.4;
        shape.tolerances.resize(shape.numbers.size(), tolerance);
    }
    shape.structure += u'/' + QString::number(element.children.size());
    shape.texts += element.text + u'\x1f';
    for (const SvgElement& child : element.children)
        take(child, shape);
}

} // namespace

ElementShape::ElementShape(const SvgElement& element) {
    take(element, *this);
}

bool isGliding(const QString& attributeName) {
    static const QSet<QString> gliding{u"d"_s,
                                       u"points"_s,
                                       u"x"_s,
                                       u"y"_s,
                                       u"width"_s,
                                       u"height"_s,
                                       u"cx"_s,
                                       u"cy"_s,
                                       u"r"_s,
                                       u"rx"_s,
                                       u"ry"_s,
                                       u"x1"_s,
                                       u"y1"_s,
                                       u"x2"_s,
                                       u"y2"_s,
                                       u"opacity"_s,
                                       u"fill-opacity"_s,
                                       u"stroke-opacity"_s,
                                       u"stroke-width"_s,
                                       u"offset"_s,
                                       u"stop-opacity"_s};
    return gliding.contains(attributeName);
}

QString blankNumbers(const QString& value, std::vector<double>* numbers) {
    static const QRegularExpression number(u"-?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?"_s);
    QString blanked;
    qsizetype last = 0;
    for (auto match = number.globalMatch(value); match.hasNext();) {
        const auto found = match.next();
        blanked += QStringView(value).mid(last, found.capturedStart() - last);
        blanked += u'#';
        if (numbers)
            numbers->push_back(found.captured().toDouble());
        last = found.capturedEnd();
    }
    blanked += QStringView(value).mid(last);
    return blanked;
}

} // namespace tivora::exporting
