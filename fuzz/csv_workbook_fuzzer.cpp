// Separated text comes from any program or person: whatever the bytes, they open as a workbook of
// one worksheet whose cells are read within the cell text bound, and reading never faults.
#include "excel/csv_workbook.h"
#include "workbook_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    tivora::excel::OpenedWorkbook opened = tivora::excel::openCsvWorkbook(bytes);
    if (!opened.workbook || opened.workbook->worksheetCount() != 1)
        std::abort();
    tivora::fuzz::readEveryValue(*opened.workbook);
    return 0;
}
