#include "excel/xlsx_workbook.h"

#include "excel/date_serial.h"
#include "excel/xml_text.h"

#include <QHash>
#include <QStringList>
#include <algorithm>

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

// A cell that names a shared string, whose text is looked up once the sheet is read.
struct SharedStringCell {
    int index;
    int column;
    int row;
};

class XlsxWorkbook : public Workbook {
public:
    XlsxWorkbook(std::unique_ptr<ZipArchive> archive, QStringList sheets, QString sharedStringsPath,
                 DateSystem dates)
        : m_archive(std::move(archive))
        , m_sheets(std::move(sheets))
        , m_sharedStringsPath(std::move(sharedStringsPath))
        , m_dates(dates) {}

    int worksheetCount() const override { return int(m_sheets.size()); }

    // The sheet is unpacked as it is read and only up to the range's last row; of the shared
    // strings only those the range names are kept, so neither a large sheet nor a large table
    // of strings is held whole.
    std::optional<QString> readRange(int worksheet, const CellRange& range,
                                     RangeValues& values) override {
        QString error;
        const auto sheet = m_archive->openEntry(m_sheets.value(worksheet - 1), &error);
        if (!sheet)
            return error;
        values = RangeValues(range);
        std::vector<SharedStringCell> shared;
        QXmlStreamReader xml(sheet.get());
        if (xml.readNextStartElement() && nextChild(xml, u"sheetData")) {
            int row = 0;
            while (nextChild(xml, u"row")) {
                const int stated = attribute(xml, u"r").toInt();
                row = stated > 0 ? stated : row + 1;
                // Rows come in order: the rest of the sheet lies below the range.
                if (row > range.last.row)
                    break;
                readRow(xml, row, values, shared);
            }
        }
        if (auto failure = streamFailure(xml, *sheet))
            return failure;
        return putSharedStrings(std::move(shared), values);
    }

private:
    void readRow(QXmlStreamReader& xml, int row, RangeValues& values,
                 std::vector<SharedStringCell>& shared) const {
        int column = 0;
        while (nextChild(xml, u"c")) {
            const CellAddress stated = parseReference(attribute(xml, u"r"));
            column = stated.column > 0 ? stated.column : column + 1;
            if (!values.range().contains(column, row)) {
                xml.skipCurrentElement();
                continue;
            }
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
            if (type == u"s") {
                bool ok = false;
                const int index = value.toInt(&ok);
                if (ok && index >= 0)
                    shared.push_back({index, column, row});
            } else {
                values.put(column, row, valueOf(type, value, inlineText));
            }
        }
    }

    CellValue valueOf(const QString& type, const QString& value, const QString& inlineText) const {
        if (type == u"inlineStr")
            return CellValue::ofText(inlineText);
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

    // Reads the shared strings in order up to the last one the cells name, keeping only those.
    // A cell naming a string the table does not hold stays empty.
    std::optional<QString> putSharedStrings(std::vector<SharedStringCell> shared,
                                            RangeValues& values) const {
        if (shared.empty() || m_sharedStringsPath.isEmpty())
            return std::nullopt;
        std::sort(shared.begin(), shared.end(),
                  [](const auto& a, const auto& b) { return a.index < b.index; });
        QString error;
        const auto strings = m_archive->openEntry(m_sharedStringsPath, &error);
        if (!strings)
            return error;
        QXmlStreamReader xml(strings.get());
        auto next = shared.cbegin();
        if (xml.readNextStartElement()) {
            for (int index = 0; next != shared.cend() && nextChild(xml, u"si"); ++index) {
                if (next->index != index) {
                    xml.skipCurrentElement();
                    continue;
                }
                const QString text = joinedText(xml, u"t", u"rPh");
                for (; next != shared.cend() && next->index == index; ++next)
                    values.put(next->column, next->row, CellValue::ofText(text));
            }
        }
        return next == shared.cend() ? std::nullopt : streamFailure(xml, *strings);
    }

    std::unique_ptr<ZipArchive> m_archive;
    QStringList m_sheets;
    QString m_sharedStringsPath;
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
    if (!sheets)
        return {nullptr, damaged()};
    const Relationship* strings = findByType(*relationships, u"/sharedStrings");
    return {std::make_unique<XlsxWorkbook>(std::move(archive), std::move(sheets->paths),
                                           strings ? strings->path : QString(), sheets->dates),
            QString()};
}

} // namespace tivora::excel
