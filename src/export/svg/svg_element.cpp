#include "export/svg/svg_element.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace tivora::exporting {

std::optional<QString> SvgElement::attribute(const QString& key) const {
    for (const auto& [name, value] : attributes) {
        if (name == key)
            return value;
    }
    return std::nullopt;
}

void SvgElement::setAttribute(const QString& key, const QString& value) {
    for (auto& [name, old] : attributes) {
        if (name == key) {
            old = value;
            return;
        }
    }
    attributes.append({key, value});
}

void SvgElement::removeAttribute(const QString& key) {
    attributes.removeIf([&key](const auto& attribute) { return attribute.first == key; });
}

std::optional<SvgElement> SvgElement::parse(const QByteArray& document) {
    QXmlStreamReader reader(document);
    reader.setNamespaceProcessing(false);
    std::vector<SvgElement> open;
    std::optional<SvgElement> root;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            SvgElement element;
            element.name = reader.qualifiedName().toString();
            for (const QXmlStreamAttribute& attribute : reader.attributes())
                element.attributes.append(
                    {attribute.qualifiedName().toString(), attribute.value().toString()});
            open.push_back(std::move(element));
            break;
        }
        case QXmlStreamReader::EndElement: {
            SvgElement done = std::move(open.back());
            open.pop_back();
            if (open.empty())
                root = std::move(done);
            else
                open.back().children.push_back(std::move(done));
            break;
        }
        case QXmlStreamReader::Characters:
            // Layout whitespace between elements carries nothing; text inside a text element does.
            if (!open.empty() &&
                (!reader.isWhitespace() || open.back().name == QLatin1String("text")))
                open.back().text += reader.text();
            break;
        default:
            break;
        }
    }
    if (reader.hasError() || !root)
        return std::nullopt;
    return root;
}

void SvgElement::write(QXmlStreamWriter& writer) const {
    writer.writeStartElement(name);
    for (const auto& [key, value] : attributes)
        writer.writeAttribute(key, value);
    if (!text.isEmpty())
        writer.writeCharacters(text);
    for (const SvgElement& child : children)
        child.write(writer);
    writer.writeEndElement();
}

} // namespace tivora::exporting
