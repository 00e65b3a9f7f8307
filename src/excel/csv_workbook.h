#pragma once

#include "excel/workbook_file.h"

#include <QByteArray>
#include <stop_token>

namespace tivora::excel {

// Opens separated text (.csv) as a workbook of one worksheet, each line a worksheet row. The
// separator is a tab, a semicolon or a comma, whichever the first lines use throughout; fields
// may be quoted, with "" standing for a quote, and then hold separators and line breaks. The text
// is UTF-8 when it is valid UTF-8 (a byte order mark is passed over), else Windows-1252. Fields
// that read as numbers (with a decimal point, or a decimal comma when the separator is no comma)
// become numbers; the rest stays text. Reading gives up, with workbook_error::kCancelled, once
// stop is requested.
OpenedWorkbook openCsvWorkbook(QByteArray bytes, std::stop_token stop = {});

// Whether path names separated text, by its extension in any letter case.
bool isCsvPath(const QString& path);

} // namespace tivora::excel
