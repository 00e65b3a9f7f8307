// Office Open XML workbooks (.xlsx) are zip archives of XML from any program: whatever the bytes,
// the archive and its parts give a workbook or a reason, nothing unpacks past the limits, and
// reading its cells never faults.
#include "../tests/excel/zip_builder.h"
#include "excel/xlsx_workbook.h"
#include "workbook_fuzz_input.h"

namespace {

// XML input becomes the first worksheet and, after a NUL byte, the shared strings.
QByteArray wrapXml(QByteArrayView xml) {
    const qsizetype split = xml.indexOf('\0');
    const QByteArrayView sheet = split < 0 ? xml : xml.first(split);
    const QByteArrayView strings = split < 0 ? QByteArrayView() : xml.sliced(split + 1);
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    return tivora::test::ZipBuilder()
        .add(QStringLiteral("[Content_Types].xml"), "<Types/>")
        .add(QStringLiteral("xl/workbook.xml"),
             "<workbook xmlns:r=\"" + rel + "\"><sheets><sheet r:id=\"rId1\"/></sheets></workbook>")
        .add(QStringLiteral("xl/_rels/workbook.xml.rels"),
             "<Relationships><Relationship Id=\"rId1\" Type=\"" + rel +
                 "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                 "Type=\"" +
                 rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>")
        .add(QStringLiteral("xl/worksheets/sheet1.xml"), sheet.toByteArray())
        .add(QStringLiteral("xl/sharedStrings.xml"), strings.toByteArray())
        .bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tivora::fuzz::checkZipped(data, size, tivora::excel::openXlsxWorkbook, wrapXml);
    return 0;
}
