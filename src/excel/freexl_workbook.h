#pragma once

#include "excel/workbook_file.h"

#include <QByteArrayList>

namespace tivora::excel {

// Opens a legacy workbook (BIFF 2 to 8, in its compound file or bare) with FreeXL. FreeXL gives
// dates and times as text; they come back here as the day numbers the workbook holds.
// FreeXL itself runs in `tivora isolated-job`, a process of its own for every step. The file's
// bytes give what FreeXL does not: the cached results of formulas, logical and error values as
// such, and the text of workbooks in the Mac's code page.
// Once stop is requested the child is killed and the step gives workbook_error::kCancelled.
OpenedWorkbook openFreeXlWorkbook(const QString& path, QByteArrayView bytes,
                                  std::stop_token stop = {});

// In that process: runs the job arguments name and writes its answer to standard output. Gives
// the exit status.
int serveLegacyWorkbookJob(const QByteArrayList& arguments);

} // namespace tivora::excel
