#include "excel/xlsx_workbook.h"

#include "excel/date_serial.h"
#include "excel/xml_text.h"

#include <QHash>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

QString damaged() {
    return QString::fromLatin1(workbook_error::kDamaged);
}

struct Relationship {
    QString type;
    QString path;
};

// The relationships of a part, by id; "xl/workbook.xml" has its own in
// "xl/_rels/workbook.xml.rels".
std::optional<QHash<QString, Relationship>> readRelationships(const ZipArchive& archive,
                                                              const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    const QString folder = part.left(slash + 1);
    const QString relsPath = folder + u"_rels/"_s + part.mid(slash + 1) + u".rels"_s;
    const auto content = archive.read(relsPath);
    if (!content)
        return std::nullopt;
    QHash<QString, Relationship> relationships;
    QXmlStreamReader xml(*content);
    if (xml.readNextStartElement()) {
        while (nextChild(xml, u"Relationship")) {
            relationships.insert(attribute(xml, u"Id").toString(),
                                 {attribute(xml, u"Type").toString(),
                                  resolvePartPath(folder, attribute(xml, u"Target").toString())});
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return relationships;
}

const Relationship* findByType(const QHash<QString, Relationship>& relationships,
                               QStringView typeEnd) {
    for (const Relationship& each : relationships) {
        if (each.type.endsWith(typeEnd))
            return &each;
    }
    return nullptr;
}

// The position of a cell reference such as "AB12"; zeros for parts that are missing.
CellAddress parseReference(QStringView reference) {
    qsizetype letters = 0;
    while (letters < reference.size() && reference[letters].isLetter())
        ++letters;
    return {columnNumber(reference.left(letters)).value_or(0), reference.mid(letters).toInt()};
}

class XlsxWorkbook : public Workbook {
public:
    XlsxWorkbook(std::unique_ptr<ZipArchive> archive, QStringList sheets, QStringList sharedStrings,
                 DateSystem dates)
        : m_archive(std::move(archive))
        , m_sheets(std::move(sheets))
        , m_sharedStrings(std::move(sharedStrings))
        , m_dates(dates) {}

    int worksheetCount() const override { return int(m_sheets.size()); }

    std::optional<QString> readRange(int worksheet, const CellRange& range,
                                     RangeValues& values) override {
        QString error;
        const auto content = m_archive->read(m_sheets.value(worksheet - 1), &error);
        if (!content)
            return error;
        values = RangeValues(range);
        QXmlStreamReader xml(*content);
        if (!xml.readNextStartElement() || !nextChild(xml, u"sheetData"))
            return xml.hasError() ? std::optional(damaged()) : std::nullopt;
        int row = 0;
        while (nextChild(xml, u"row")) {
            const int stated = attribute(xml, u"r").toInt();
            row = stated > 0 ? stated : row + 1;
            // Rows come in order: the rest of the sheet lies below the range.
            if (row > range.last.row)
                return std::nullopt;
            readRow(xml, row, values);
        }
        return xml.hasError() ? std::optional(damaged()) : std::nullopt;
    }

private:
    void readRow(QXmlStreamReader& xml, int row, RangeValues& values) const {
        int column = 0;
        while (nextChild(xml, u"c")) {
            const CellAddress stated = parseReference(attribute(xml, u"r"));
            column = stated.column > 0 ? stated.column : column + 1;
            if (values.range().contains(column, row))
                values.put(column, row, readCell(xml));
            else
                xml.skipCurrentElement();
        }
    }

    CellValue readCell(QXmlStreamReader& xml) const {
        const QString type = attribute(xml, u"t").toString();
        QString value;
        QString inlineText;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"v")
                value = elementText(xml);
            else if (xml.name() == u"is")
                inlineText = joinedText(xml, u"t", u"rPh");
            else
                xml.skipCurrentElement();
        }
        return valueOf(type, value, inlineText);
    }

    CellValue valueOf(const QString& type, const QString& value, const QString& inlineText) const {
        if (type == u"inlineStr")
            return CellValue::ofText(inlineText);
        if (type == u"s") {
            bool ok = false;
            const int index = value.toInt(&ok);
            return ok && index >= 0 && index < m_sharedStrings.size()
                       ? CellValue::ofText(m_sharedStrings[index])
                       : CellValue();
        }
        if (type == u"str")
            return CellValue::ofText(value);
        if (type == u"b")
            return CellValue::ofBoolean(value.trimmed() == u"1" || value.trimmed() == u"true");
        if (type == u"e")
            return CellValue::ofError(value);
        if (type == u"d") {
            const auto serial = dateTimeSerial(value, m_dates);
            return serial ? CellValue::ofNumber(*serial) : CellValue::ofText(value);
        }
        bool ok = false;
        const double number = value.trimmed().toDouble(&ok);
        return ok ? CellValue::ofNumber(number) : CellValue();
    }

    std::unique_ptr<ZipArchive> m_archive;
    QStringList m_sheets;
    QStringList m_sharedStrings;
    DateSystem m_dates;
};

struct SheetList {
    QStringList paths;
    DateSystem dates = DateSystem::From1900;
};

std::optional<SheetList> readSheetList(const ZipArchive& archive, const QString& workbookPath,
                                       const QHash<QString, Relationship>& relationships) {
    const auto content = archive.read(workbookPath);
    if (!content)
        return std::nullopt;
    SheetList list;
    QXmlStreamReader xml(*content);
    if (!xml.readNextStartElement())
        return std::nullopt;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"workbookPr") {
            const QStringView date1904 = attribute(xml, u"date1904");
            if (date1904 == u"1" || date1904 == u"true")
                list.dates = DateSystem::From1904;
            xml.skipCurrentElement();
        } else if (xml.name() == u"sheets") {
            while (nextChild(xml, u"sheet")) {
                // Chart sheets are no worksheets and take no number.
                const auto found = relationships.constFind(attribute(xml, u"id").toString());
                if (found != relationships.cend() && found->type.endsWith(u"/worksheet"))
                    list.paths.append(found->path);
                xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return list;
}

std::optional<QStringList> readSharedStrings(const ZipArchive& archive,
                                             const QHash<QString, Relationship>& relationships) {
    const Relationship* part = findByType(relationships, u"/sharedStrings");
    if (!part)
        return QStringList();
    const auto content = archive.read(part->path);
    if (!content)
        return std::nullopt;
    QStringList strings;
    QXmlStreamReader xml(*content);
    if (xml.readNextStartElement()) {
        while (nextChild(xml, u"si"))
            strings.append(joinedText(xml, u"t", u"rPh"));
    }
    if (xml.hasError())
        return std::nullopt;
    return strings;
}

// The workbook part named by the package's own relationships; "xl/workbook.xml" as a rule.
QString workbookPartPath(const ZipArchive& archive) {
    if (const auto root = readRelationships(archive, QString())) {
        if (const Relationship* document = findByType(*root, u"/officeDocument"))
            return document->path;
    }
    return u"xl/workbook.xml"_s;
}

} // namespace

OpenedWorkbook openXlsxWorkbook(std::unique_ptr<ZipArchive> archive) {
    const QString workbookPath = workbookPartPath(*archive);
    const auto relationships = readRelationships(*archive, workbookPath);
    if (!relationships)
        return {nullptr, damaged()};
    auto sheets = readSheetList(*archive, workbookPath, *relationships);
    auto strings = readSharedStrings(*archive, *relationships);
    if (!sheets || !strings)
        return {nullptr, damaged()};
    return {std::make_unique<XlsxWorkbook>(std::move(archive), std::move(sheets->paths),
                                           std::move(*strings), sheets->dates),
            QString()};
}

} // namespace tivora::excel
