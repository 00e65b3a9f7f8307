#pragma once

#include "excel/link_options.h"
#include "zip_builder.h"

#include <QFile>
#include <QString>
#include <QStringList>

// Workbooks for the tests: the real files other programs made (in the shared fixtures folder),
// and small zipped workbooks built here for the cases those files do not show.
namespace tivora::test {

using namespace Qt::StringLiterals;

inline QString fixture(const QString& name) {
    return QStringLiteral(TIVORA_FIXTURES_DIR) + u"/spreadsheets/"_s + name;
}

// Link settings, switched on, for the range between the cells first and last ("A1", "C15") of
// worksheet sheet.
inline excel::LinkOptions linkRange(const QString& workbook, int sheet, const QString& first,
                                    const QString& last, bool down = false, bool headers = false) {
    excel::LinkOptions options;
    options.excelLink = true;
    options.excelFile = workbook;
    options.workSheet = QString::number(sheet);
    const auto split = [](const QString& cell, QString& letters, QString& row) {
        qsizetype digits = 0;
        while (digits < cell.size() && cell[digits].isLetter())
            ++digits;
        letters = cell.left(digits);
        row = cell.mid(digits);
    };
    split(first, options.rowFrom, options.colFrom);
    split(last, options.rowTo, options.colTo);
    options.down = down;
    options.headerLine = headers;
    return options;
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An .xlsx whose worksheets are sheetData bodies, listed in the workbook in the given order but
// stored in files numbered backwards, so that file order and workbook order differ. A picture's
// bytes (padding) make the archive larger than its text alone would.
inline QByteArray xlsxWorkbook(const QStringList& sheetData, const QStringList& sharedStrings = {},
                               const QString& workbookProperties = QString(),
                               const QByteArray& padding = QByteArray()) {
    const QString ns = u"http://schemas.openxmlformats.org/spreadsheetml/2006/main"_s;
    const QString rel = u"http://schemas.openxmlformats.org/officeDocument/2006/relationships"_s;
    QString sheets;
    QString relationships;
    ZipBuilder zip;
    zip.add(u"[Content_Types].xml"_s, "<Types/>");
    if (!padding.isEmpty())
        zip.add(u"xl/media/image1.bin"_s, padding);
    zip.add(u"_rels/.rels"_s, (u"<Relationships><Relationship Id=\"rId1\" Type=\""_s + rel +
                               u"/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"_s)
                                  .toUtf8());
    for (qsizetype index = 0; index < sheetData.size(); ++index) {
        const QString id = u"rId%1"_s.arg(index + 10);
        const QString file = u"worksheets/sheet%1.xml"_s.arg(sheetData.size() - index);
        sheets += u"<sheet name=\"S%1\" sheetId=\"%1\" r:id=\"%2\"/>"_s.arg(index + 1).arg(id);
        relationships += u"<Relationship Id=\""_s + id + u"\" Type=\""_s + rel +
                         u"/worksheet\" Target=\""_s + file + u"\"/>"_s;
        zip.add(u"xl/"_s + file, (u"<worksheet xmlns=\""_s + ns + u"\"><sheetData>"_s +
                                  sheetData[index] + u"</sheetData></worksheet>"_s)
                                     .toUtf8());
    }
    QString strings;
    for (const QString& each : sharedStrings)
        strings += u"<si>"_s + each + u"</si>"_s;
    relationships += u"<Relationship Id=\"rId1\" Type=\""_s + rel +
                     u"/sharedStrings\" Target=\"/xl/sharedStrings.xml\"/>"_s;
    zip.add(u"xl/sharedStrings.xml"_s,
            (u"<sst xmlns=\""_s + ns + u"\">"_s + strings + u"</sst>"_s).toUtf8());
    zip.add(u"xl/_rels/workbook.xml.rels"_s,
            (u"<Relationships>"_s + relationships + u"</Relationships>"_s).toUtf8());
    zip.add(u"xl/workbook.xml"_s,
            (u"<workbook xmlns=\""_s + ns + u"\" xmlns:r=\""_s + rel + u"\">"_s +
             workbookProperties + u"<sheets>"_s + sheets + u"</sheets></workbook>"_s)
                .toUtf8());
    return zip.bytes();
}

// An .ods whose tables are the given table bodies (rows), with a picture's bytes (padding) beside
// them when given.
inline QByteArray odsWorkbook(const QStringList& tables, const QByteArray& padding = QByteArray()) {
    QString body;
    for (qsizetype index = 0; index < tables.size(); ++index)
        body += u"<table:table table:name=\"T%1\">"_s.arg(index + 1) + tables[index] +
                u"</table:table>"_s;
    const QString content = u"<office:document-content "
                            u"xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                            u"xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                            u"xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">"
                            u"<office:body><office:spreadsheet>"_s +
                            body +
                            u"</office:spreadsheet></office:body></office:document-content>"_s;
    ZipBuilder zip;
    zip.add(u"mimetype"_s, "application/vnd.oasis.opendocument.spreadsheet")
        .add(u"content.xml"_s, content.toUtf8());
    if (!padding.isEmpty())
        zip.add(u"Pictures/image1.bin"_s, padding);
    return zip.bytes();
}

} // namespace tivora::test
