#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace tivora::exporting {

// The relationship types a presentation's parts refer to each other by.
namespace relationship {
QString officeType(const char* name); // the format's own types: "slide", "image", "video", ...
QString coreProperties();
QString media(); // the embedded media of a video, as presentation programs since 2010 read it
} // namespace relationship

// The relationships of one part: its ".rels" part, numbering the targets rId1, rId2, ... in the
// order they are added.
class Relationships {
public:
    // Adds a relationship and gives its id.
    QString add(const QString& type, const QString& target);
    QByteArray xml() const;

private:
    struct Relationship {
        QString id;
        QString type;
        QString target;
    };
    std::vector<Relationship> m_relationships;
};

// The ".rels" part name of a part: "ppt/slides/slide1.xml" gives
// "ppt/slides/_rels/slide1.xml.rels".
QString relationshipsPartOf(const QString& partName);

} // namespace tivora::exporting
