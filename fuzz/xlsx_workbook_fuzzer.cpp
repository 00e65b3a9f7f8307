// Office Open XML workbooks (.xlsx) are zip archives of XML from any program: whatever the bytes,
// the archive and its parts give a workbook or a reason, nothing unpacks past the limits, and
// reading its cells never faults.
#include "excel/xlsx_workbook.h"
#include "workbook_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tivora::fuzz::checkZipped(data, size, tivora::excel::openXlsxWorkbook);
    return 0;
}
