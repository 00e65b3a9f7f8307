#include "export/deck/part_xml.h"

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

// XML cannot carry control characters other than tab and line ends; a graph's texts may hold
// them, and a part holding one would not open at all.
QString xmlSafe(const QString& text) {
    QString safe = text;
    safe.removeIf(
        [](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r'; });
    return safe;
}

} // namespace

PartXml::PartXml()
    : m_writer(&m_bytes) {
    m_writer.writeStartDocument(u"1.0"_s, true);
}

void PartXml::startPresentationRoot(const char* name, const Attributes& attributes) {
    start(name);
    m_writer.writeAttribute(u"xmlns:a"_s, QString::fromLatin1(kDrawingNs));
    m_writer.writeAttribute(u"xmlns:r"_s, QString::fromLatin1(kRelationshipNs));
    m_writer.writeAttribute(u"xmlns:p"_s, QString::fromLatin1(kPresentationNs));
    writeAttributes(attributes);
}

void PartXml::start(const char* name, const Attributes& attributes) {
    m_writer.writeStartElement(QString::fromLatin1(name));
    writeAttributes(attributes);
}

void PartXml::end() {
    m_writer.writeEndElement();
}

void PartXml::empty(const char* name, const Attributes& attributes) {
    m_writer.writeEmptyElement(QString::fromLatin1(name));
    writeAttributes(attributes);
}

void PartXml::text(const char* name, const QString& content, const Attributes& attributes) {
    start(name, attributes);
    m_writer.writeCharacters(xmlSafe(content));
    end();
}

void PartXml::element(const char* name, const Attributes& attributes,
                      const std::function<void()>& body) {
    start(name, attributes);
    body();
    end();
}

QByteArray PartXml::finish() {
    m_writer.writeEndDocument();
    return m_bytes;
}

void PartXml::writeAttributes(const Attributes& attributes) {
    for (const auto& [attribute, value] : attributes)
        m_writer.writeAttribute(QString::fromLatin1(attribute), xmlSafe(value));
}

} // namespace tivora::exporting
