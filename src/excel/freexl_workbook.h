#pragma once

#include "excel/workbook_file.h"

#include <QByteArrayList>

namespace tivora::excel {

// Opens a legacy workbook (BIFF 2 to 8, in its compound file or bare) with FreeXL. FreeXL gives
// dates and times as text; they come back here as the day numbers the workbook holds.
// FreeXL itself runs in `tivora isolated-job`, a process of its own for every step.
OpenedWorkbook openFreeXlWorkbook(const QString& path);

// In that process: runs the job arguments name and writes its answer to standard output. Gives
// the exit status.
int serveLegacyWorkbookJob(const QByteArrayList& arguments);

} // namespace tivora::excel
