#include "export/deck/relationships.h"

#include "export/deck/part_xml.h"

using namespace Qt::StringLiterals;

namespace tivora::exporting {

namespace relationship {

QString officeType(const char* name) {
    return QString::fromLatin1(kRelationshipNs) + u'/' + QString::fromLatin1(name);
}

QString coreProperties() {
    return u"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties"_s;
}

QString media() {
    return u"http://schemas.microsoft.com/office/2007/relationships/media"_s;
}

} // namespace relationship

QString Relationships::add(const QString& type, const QString& target) {
    QString id = u"rId%1"_s.arg(m_relationships.size() + 1);
    m_relationships.push_back({id, type, target});
    return id;
}

QByteArray Relationships::xml() const {
    PartXml xml;
    xml.start("Relationships",
              {{"xmlns", u"http://schemas.openxmlformats.org/package/2006/relationships"_s}});
    for (const Relationship& relationship : m_relationships) {
        xml.empty("Relationship", {{"Id", relationship.id},
                                   {"Type", relationship.type},
                                   {"Target", relationship.target}});
    }
    xml.end();
    return xml.finish();
}

QString relationshipsPartOf(const QString& partName) {
    const qsizetype slash = partName.lastIndexOf(u'/');
    return partName.left(slash + 1) + u"_rels/"_s + partName.mid(slash + 1) + u".rels"_s;
}

} // namespace tivora::exporting
