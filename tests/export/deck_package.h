#pragma once

// A slide deck read back part by part, with the XML helpers its tests check the parts with.
#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <vector>
#include <zip.h>

namespace tivora::exporting::testing {

struct DeckPart {
    QByteArray bytes;
    bool stored = false; // kept as it is, not compressed
};

struct DeckPackageRead {
    QStringList order; // part names as they lie in the archive
    QMap<QString, DeckPart> parts;
    bool valid = false;
};

inline DeckPackageRead readDeckPackage(const QString& path) {
    DeckPackageRead read;
    int error = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive)
        return read;
    read.valid = true;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        DeckPart part;
        part.stored = stat.comp_method == ZIP_CM_STORE;
        part.bytes.resize(qsizetype(stat.size));
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        const bool whole =
            file && zip_fread(file, part.bytes.data(), stat.size) == zip_int64_t(stat.size);
        if (file)
            zip_fclose(file);
        read.valid = read.valid && whole;
        const QString name = QString::fromUtf8(stat.name);
        read.order.append(name);
        read.parts.insert(name, part);
    }
    zip_close(archive);
    return read;
}

// The attributes of every element of that (prefixed) name, in document order.
inline std::vector<QXmlStreamAttributes> elementsNamed(const QByteArray& xml, const QString& name) {
    std::vector<QXmlStreamAttributes> found;
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.qualifiedName() == name)
            found.push_back(reader.attributes());
    }
    return found;
}

// The text of every element of that name, in document order.
inline QStringList textsOf(const QByteArray& xml, const QString& name) {
    QStringList texts;
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.qualifiedName() == name)
            texts.append(reader.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    return texts;
}

// Why the XML is not well-formed, or empty when it is.
inline QString xmlProblem(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return reader.hasError() ? reader.errorString() : QString();
}

struct Relationship {
    QString type;
    QString target; // the part it names, from the package's root
};

// The relationships of a part (an empty name for the package's own), targets resolved against
// the part's folder; by id.
inline QMap<QString, Relationship> relationshipsOf(const DeckPackageRead& package,
                                                   const QString& partName) {
    const qsizetype slash = partName.lastIndexOf(u'/');
    const QString folder = partName.left(slash + 1);
    const QString relsName =
        folder + QStringLiteral("_rels/") + partName.mid(slash + 1) + QStringLiteral(".rels");
    QMap<QString, Relationship> relationships;
    for (const QXmlStreamAttributes& attributes :
         elementsNamed(package.parts.value(relsName).bytes, QStringLiteral("Relationship"))) {
        const QString target =
            QDir::cleanPath(folder + attributes.value(QStringLiteral("Target")).toString());
        relationships.insert(attributes.value(QStringLiteral("Id")).toString(),
                             {attributes.value(QStringLiteral("Type")).toString(), target});
    }
    return relationships;
}

} // namespace tivora::exporting::testing
