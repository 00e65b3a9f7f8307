// OpenDocument spreadsheets (.ods) are zip archives of XML from any program: whatever the bytes,
// the archive and its content give a workbook or a reason, nothing unpacks past the limits, and
// reading its cells never faults.
#include "../tests/excel/zip_builder.h"
#include "excel/ods_workbook.h"
#include "workbook_fuzz_input.h"

namespace {

// XML input becomes the spreadsheet's content.
QByteArray wrapXml(QByteArrayView xml) {
    return tivora::test::ZipBuilder()
        .add(QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
        .add(QStringLiteral("content.xml"), xml.toByteArray())
        .bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tivora::fuzz::checkZipped(data, size, tivora::excel::openOdsWorkbook, wrapXml);
    return 0;
}
