#pragma once

#include "excel/workbook_file.h"
#include "excel/zip_archive.h"

namespace tivora::excel {

// Opens an Office Open XML workbook (.xlsx) from its zip archive: the worksheets in the order of
// the workbook's sheet list (not the order of their files), shared and inline strings, numbers,
// logical values, errors and the results that formulas last calculated.
OpenedWorkbook openXlsxWorkbook(std::unique_ptr<ZipArchive> archive);

} // namespace tivora::excel
