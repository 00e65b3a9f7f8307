#include "excel/ods_workbook.h"

#include "excel/date_serial.h"
#include "excel/xml_text.h"

#include <variant>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

const QString kContent = u"content.xml"_s;

QString damaged() {
    return QString::fromLatin1(workbook_error::kDamaged);
}

// A repeat count as the file states it; at least one.
qint64 repeatCount(const QXmlStreamReader& xml, QStringView name) {
    return std::max<qint64>(1, attribute(xml, name).toLongLong());
}

// Moves the reader to the start of the table numbered table (from 1) of the spreadsheet body;
// false when there is no such table.
bool findTable(QXmlStreamReader& xml, int table) {
    int seen = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"table") {
            if (++seen == table)
                return true;
            xml.skipCurrentElement();
        }
    }
    return false;
}

// The text of a paragraph, its spaces, tabs and line breaks written out.
void appendParagraph(QXmlStreamReader& xml, QString& text) {
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        text.truncate(kCellTextKept);
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == u"s")
                text += QString(int(std::min<qint64>(repeatCount(xml, u"c"), kCellTextKept)), u' ');
            else if (xml.name() == u"tab")
                text += u'\t';
            else if (xml.name() == u"line-break")
                text += u'\n';
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        default:
            break;
        }
    }
}

QString cellText(QXmlStreamReader& xml) {
    QString text;
    bool first = true;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"p") {
            xml.skipCurrentElement();
            continue;
        }
        if (!first)
            text += u'\n';
        first = false;
        appendParagraph(xml, text);
    }
    text.truncate(kCellTextKept);
    return text;
}

// The number a cell of this value type holds, if it holds one.
std::optional<double> numberOf(const QXmlStreamReader& xml, QStringView type) {
    if (type == u"float" || type == u"percentage" || type == u"currency") {
        bool ok = false;
        const double value = attribute(xml, u"value").toDouble(&ok);
        return ok ? std::make_optional(value) : std::nullopt;
    }
    if (type == u"date")
        return dateTimeSerial(attribute(xml, u"date-value"), DateSystem::From1900);
    if (type == u"time")
        return durationDays(attribute(xml, u"time-value"));
    return std::nullopt;
}

CellValue readCell(QXmlStreamReader& xml) {
    const QString type = attribute(xml, u"value-type").toString();
    if (type == u"boolean") {
        const bool value = attribute(xml, u"boolean-value") == u"true";
        xml.skipCurrentElement();
        return CellValue::ofBoolean(value);
    }
    const std::optional<double> number = numberOf(xml, type);
    const QString stringValue = attribute(xml, u"string-value").toString();
    const QString text = cellText(xml);
    if (number.has_value())
        return CellValue::ofNumber(number.value());
    if (!stringValue.isEmpty())
        return CellValue::ofText(stringValue);
    return text.isEmpty() ? CellValue() : CellValue::ofText(text);
}

// One table row's cells that fall into the range's columns, each with its first column and how
// many columns it repeats over.
struct RowCell {
    int column;
    qint64 repeat;
    CellValue value;
};

std::vector<RowCell> readRowCells(QXmlStreamReader& xml, const CellRange& range) {
    std::vector<RowCell> cells;
    qint64 column = 1;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"table-cell" && xml.name() != u"covered-table-cell") {
            xml.skipCurrentElement();
            continue;
        }
        const qint64 repeat = repeatCount(xml, u"number-columns-repeated");
        const bool overlaps = column <= range.last.column && column + repeat > range.first.column;
        if (overlaps && xml.name() == u"table-cell")
            cells.push_back({int(column), repeat, readCell(xml)});
        else
            xml.skipCurrentElement();
        column += repeat;
    }
    return cells;
}

void putRow(RangeValues& values, int row, const std::vector<RowCell>& cells) {
    const CellRange& range = values.range();
    for (const RowCell& cell : cells) {
        const qint64 from = std::max<qint64>(cell.column, range.first.column);
        const qint64 to = std::min<qint64>(cell.column + cell.repeat - 1, range.last.column);
        for (qint64 column = from; column <= to; ++column)
            values.put(int(column), row, cell.value);
    }
}

// The content is unpacked as it is read, and only up to the range's last row, so that it is
// never held whole.
class OdsWorkbook : public Workbook {
public:
    OdsWorkbook(std::unique_ptr<ZipArchive> archive, int tables)
        : m_archive(std::move(archive))
        , m_tables(tables) {}

    int worksheetCount() const override { return m_tables; }

    std::optional<QString> readRange(int worksheet, const CellRange& range,
                                     RangeValues& values) override {
        QString error;
        const auto content = m_archive->openEntry(kContent, &error);
        if (!content)
            return error;
        values = RangeValues(range);
        QXmlStreamReader xml(content.get());
        if (!findTable(xml, worksheet))
            return streamFailure(xml, *content).value_or(damaged());
        qint64 row = 1;
        int depth = 1;
        while (depth > 0 && row <= range.last.row && !xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                --depth;
            } else if (token == QXmlStreamReader::StartElement && xml.name() == u"table-row") {
                const qint64 repeat = repeatCount(xml, u"number-rows-repeated");
                const bool overlaps = row <= range.last.row && row + repeat > range.first.row;
                if (overlaps) {
                    const auto cells = readRowCells(xml, range);
                    const qint64 last = std::min<qint64>(row + repeat - 1, range.last.row);
                    for (qint64 each = std::max<qint64>(row, range.first.row); each <= last; ++each)
                        putRow(values, int(each), cells);
                } else {
                    xml.skipCurrentElement();
                }
                row += repeat;
            } else if (token == QXmlStreamReader::StartElement) {
                // Row groups and header rows hold rows; columns and shapes are passed over.
                if (xml.name() == u"table-column" || xml.name() == u"table-columns" ||
                    xml.name() == u"shapes" || xml.name() == u"table")
                    xml.skipCurrentElement();
                else
                    ++depth;
            }
        }
        return streamFailure(xml, *content);
    }

private:
    std::unique_ptr<ZipArchive> m_archive;
    int m_tables;
};

// The number of tables in the spreadsheet body, or why the content cannot be read.
std::variant<int, QString> countTables(const ZipArchive& archive) {
    QString error;
    const auto content = archive.openEntry(kContent, &error);
    if (!content)
        return error;
    QXmlStreamReader xml(content.get());
    int tables = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"table") {
            ++tables;
            xml.skipCurrentElement();
        }
    }
    if (const auto failure = streamFailure(xml, *content))
        return *failure;
    return tables;
}

} // namespace

OpenedWorkbook openOdsWorkbook(std::unique_ptr<ZipArchive> archive) {
    const auto tables = countTables(*archive);
    if (const auto* error = std::get_if<QString>(&tables))
        return {nullptr, *error};
    return {std::make_unique<OdsWorkbook>(std::move(archive), std::get<int>(tables)), QString()};
}

} // namespace tivora::excel
