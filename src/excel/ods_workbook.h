#pragma once

#include "excel/workbook_file.h"
#include "excel/zip_archive.h"

namespace tivora::excel {

// Opens an OpenDocument spreadsheet (.ods) from its zip archive: its tables in document order,
// repeated rows and cells counted out, merged-over cells empty, dates, times and durations as day
// numbers, text paragraphs joined by line breaks.
OpenedWorkbook openOdsWorkbook(std::unique_ptr<ZipArchive> archive);

} // namespace tivora::excel
