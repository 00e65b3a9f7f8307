#pragma once

#include "export/svg/svg_element.h"

#include <QString>
#include <vector>

namespace tivora::exporting {

// An element tree taken apart into what can glide between two moments (the numbers of its
// geometry and opacity attributes) and what cannot (everything else), so that the moments a
// drawing passes through can be told apart and joined by animation.
struct ElementShape {
    QString structure;              // names, attributes with numbers blanked, child counts
    QString texts;                  // the text content, which can only change in steps
    std::vector<double> numbers;    // the blanked numbers, in order
    std::vector<double> tolerances; // how far each number may stray from a straight line

    explicit ElementShape(const SvgElement& element);
    bool sameLook(const ElementShape& other) const {
        return structure == other.structure && texts == other.texts;
    }
};

// Whether the attribute's numbers can be animated smoothly.
bool isGliding(const QString& attributeName);
// The attribute's value with every number replaced by '#', and the numbers.
QString blankNumbers(const QString& value, std::vector<double>* numbers);

} // namespace tivora::exporting
