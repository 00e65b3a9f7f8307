#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>
#include <vector>

class QXmlStreamWriter;

namespace tivora::exporting {

// A small, editable tree of SVG elements: what the painter's SVG output is read into so that it
// can be cleaned up, compared between moments and written out again with animation added.
struct SvgElement {
    QString name;
    QList<QPair<QString, QString>> attributes;
    QString text;
    std::vector<SvgElement> children;

    std::optional<QString> attribute(const QString& key) const;
    void setAttribute(const QString& key, const QString& value);
    void removeAttribute(const QString& key);

    // Reads a whole SVG document; nullopt when it is not well-formed XML.
    static std::optional<SvgElement> parse(const QByteArray& document);
    void write(QXmlStreamWriter& writer) const;
};

} // namespace tivora::exporting
