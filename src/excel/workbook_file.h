#pragma once

#include "excel/workbook.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <stop_token>

namespace tivora::excel {

// A workbook opened from a file, or the reason it could not be.
struct OpenedWorkbook {
    std::unique_ptr<Workbook> workbook;
    QString error;
};

// Why a workbook cannot be opened, in the words shown to the user.
namespace workbook_error {
inline constexpr auto kMissing = "The workbook does not exist.";
inline constexpr auto kUnreadable = "The workbook cannot be read.";
inline constexpr auto kDamaged = "The workbook is damaged or cut short.";
inline constexpr auto kEncrypted =
    "The workbook is protected with a password; save a copy without one and link to that.";
inline constexpr auto kUnknownFormat =
    "The file is not a workbook that can be read (.xls, .xlsx, .ods or .csv).";
inline constexpr auto kCancelled = "Reading the workbook was cancelled.";
} // namespace workbook_error

// Opens the workbook at path, whatever its name's extension: the kind of file is told by its
// first bytes. A legacy workbook (.xls) is read by FreeXL, a zipped one (.xlsx, .ods) by the
// readers of this folder. Separated text has no mark of its own and is told by its name (.csv).
// Once stop is requested, opening and reading the workbook's ranges give up with kCancelled.
OpenedWorkbook openWorkbook(const QString& path, std::stop_token stop = {});

// Opens a zipped workbook held in memory (an .xlsx or .ods file's bytes).
OpenedWorkbook openZippedWorkbook(QByteArray bytes, std::stop_token stop = {});

} // namespace tivora::excel
