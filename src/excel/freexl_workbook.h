#pragma once

#include "excel/workbook_file.h"

namespace tivora::excel {

// Opens a legacy workbook (BIFF 2 to 8, in its compound file or bare) with FreeXL. FreeXL gives
// dates and times as text; they come back here as the day numbers the workbook holds.
OpenedWorkbook openFreeXlWorkbook(const QString& path);

} // namespace tivora::excel
