#include "export/svg/svg_definitions.h"

#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;

namespace tivora::exporting {

QString SvgDefinitions::idFor(SvgElement definition) {
    definition.removeAttribute(u"id"_s);
    QString content;
    QXmlStreamWriter writer(&content);
    definition.write(writer);
    if (const auto known = m_ids.constFind(content); known != m_ids.constEnd())
        return *known;
    QString id = u"p%1"_s.arg(m_elements.size() + 1);
    definition.setAttribute(u"id"_s, id);
    m_elements.push_back(std::move(definition));
    m_ids.insert(content, id);
    return id;
}

} // namespace tivora::exporting
