#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>
#include <functional>
#include <utility>
#include <vector>

namespace tivora::exporting {

// The namespaces the presentation parts are written in.
inline constexpr auto kDrawingNs = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr auto kRelationshipNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr auto kPresentationNs =
    "http://schemas.openxmlformats.org/presentationml/2006/main";

using Attributes = std::vector<std::pair<const char*, QString>>;

// One XML part of the package. Elements are written by their prefixed names; the namespaces
// are declared once, on the root.
class PartXml {
public:
    PartXml();

    // The root element with the drawing, relationship and presentation namespaces declared.
    void startPresentationRoot(const char* name, const Attributes& attributes = {});
    void start(const char* name, const Attributes& attributes = {});
    void end();
    // An element without content.
    void empty(const char* name, const Attributes& attributes = {});
    // An element holding text only.
    void text(const char* name, const QString& content, const Attributes& attributes = {});
    // start(name), body(), end().
    void element(const char* name, const Attributes& attributes, const std::function<void()>& body);

    QByteArray finish();

private:
    void writeAttributes(const Attributes& attributes);

    QByteArray m_bytes;
    QXmlStreamWriter m_writer;
};

} // namespace tivora::exporting
