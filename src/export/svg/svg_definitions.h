#pragma once

#include "export/svg/svg_element.h"

#include <QHash>
#include <QString>
#include <vector>

namespace tivora::exporting {

// The gradients of a whole document, each written once: every bar of a series shares one
// gradient, however many times the painter described it.
class SvgDefinitions {
public:
    // The document-wide id of a definition with this content.
    QString idFor(SvgElement definition);
    const std::vector<SvgElement>& elements() const { return m_elements; }

private:
    QHash<QString, QString> m_ids; // content -> id
    std::vector<SvgElement> m_elements;
};

} // namespace tivora::exporting
