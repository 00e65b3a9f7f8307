#include "excel/xml_text.h"

#include "excel/workbook.h"
#include "excel/workbook_file.h"
#include "excel/zip_archive.h"

#include <QStringList>

namespace tivora::excel {

QStringView attribute(const QXmlStreamReader& xml, QStringView localName) {
    for (const QXmlStreamAttribute& each : xml.attributes()) {
        if (each.name() == localName)
            return each.value();
    }
    return {};
}

bool nextChild(QXmlStreamReader& xml, QStringView localName) {
    while (xml.readNextStartElement()) {
        if (xml.name() == localName)
            return true;
        xml.skipCurrentElement();
    }
    return false;
}

namespace {

// The text inside the current element that lies in elements named textElement, or all of it when
// the current element is itself the text element.
QString collectText(QXmlStreamReader& xml, QStringView textElement, QStringView skipped,
                    bool insideTextElement) {
    QString text;
    int depth = 1;
    int skipDepth = 0;
    int textDepth = insideTextElement ? 1 : 0;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (!skipDepth && xml.name() == skipped)
                skipDepth = depth;
            else if (!skipDepth && !textDepth && xml.name() == textElement)
                textDepth = depth;
            break;
        case QXmlStreamReader::EndElement:
            if (depth == skipDepth)
                skipDepth = 0;
            if (depth == textDepth)
                textDepth = 0;
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (textDepth && !skipDepth && text.size() < kCellTextKept)
                text += xml.text().left(kCellTextKept - text.size());
            break;
        default:
            break;
        }
    }
    return text;
}

} // namespace

QString joinedText(QXmlStreamReader& xml, QStringView textElement, QStringView skipped) {
    return collectText(xml, textElement, skipped, false);
}

QString elementText(QXmlStreamReader& xml) {
    return collectText(xml, QStringView(), QStringView(), true);
}

std::optional<QString> streamFailure(const QXmlStreamReader& xml, const QIODevice& part) {
    if (const QString failure = ZipArchive::entryError(part); !failure.isEmpty())
        return failure;
    if (xml.hasError())
        return QString::fromLatin1(workbook_error::kDamaged);
    return std::nullopt;
}

QString resolvePartPath(const QString& folder, const QString& target) {
    const QString joined = target.startsWith(u'/') ? target.mid(1) : folder + target;
    QStringList parts;
    for (const QString& part : joined.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != u".") {
            parts.append(part);
        }
    }
    return parts.join(u'/');
}

} // namespace tivora::excel
