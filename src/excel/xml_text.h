#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <optional>

// Small helpers the zipped-workbook readers share over QXmlStreamReader.
namespace tivora::excel {

// The attribute with this local name, whatever its namespace prefix; empty when missing.
QStringView attribute(const QXmlStreamReader& xml, QStringView localName);

// Moves to the next start element named localName inside the current element; false at the
// current element's end (or at an error).
bool nextChild(QXmlStreamReader& xml, QStringView localName);

// The text of every element named textElement inside the current element, joined, except inside
// elements named skipped, kept to kCellTextKept characters; leaves the reader at the current
// element's end.
QString joinedText(QXmlStreamReader& xml, QStringView textElement, QStringView skipped);

// The text of the current element and all inside it, kept to kCellTextKept characters; leaves
// the reader at the element's end.
QString elementText(QXmlStreamReader& xml);

// Why reading a part unpacked as it was read (ZipArchive::openEntry) failed: the part's own
// reason (too large, cut short) or damaged markup; nothing when it did not.
[[nodiscard]] std::optional<QString> streamFailure(const QXmlStreamReader& xml,
                                                   const QIODevice& part);

// A folder-relative target of a package relationship made a path from the archive's root:
// "worksheets/sheet1.xml" from "xl/" is "xl/worksheets/sheet1.xml"; "/xl/a.xml" is "xl/a.xml".
QString resolvePartPath(const QString& folder, const QString& target);

} // namespace tivora::excel
