#pragma once

#include "excel/cell_value.h"
#include "excel/workbook.h"
#include "excel/workbook_file.h"
#include "excel/zip_archive.h"

#include <cstdint>
#include <cstdlib>

// What the workbook fuzz targets do with every workbook that opens: read a bounded range of its
// first sheets and turn each value into grid text, as an import does.
namespace tivora::fuzz {

inline void readEveryValue(excel::Workbook& workbook) {
    if (workbook.worksheetCount() < 0)
        std::abort();
    const excel::CellRange range{{1, 1}, {40, 300}};
    for (int sheet = 1; sheet <= std::min(workbook.worksheetCount(), 3); ++sheet) {
        excel::RangeValues values;
        if (workbook.readRange(sheet, range, values))
            continue;
        if (values.cellCount() != range.cellCount())
            std::abort();
        for (int row = 1; row <= 300; ++row) {
            for (int column = 1; column <= 40; ++column)
                (void)excel::cellValueText(values.at(column, row));
        }
    }
}

// Whatever opened gives: a workbook whose every value is read, or a reason.
inline void checkOpened(excel::OpenedWorkbook opened) {
    if (!opened.workbook) {
        if (opened.error.isEmpty())
            std::abort();
        return;
    }
    readEveryValue(*opened.workbook);
}

// The bytes as a zip archive, opened as a workbook by open when the archive itself is sound.
// Mutated archives seldom get past their checksums to the XML inside, so input that does not
// start like a zip archive is taken as XML and packed into a sound archive by wrap first.
template <typename Open, typename Wrap>
void checkZipped(const std::uint8_t* data, std::size_t size, Open open, Wrap wrap) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    excel::ZipArchive::Opened archive =
        excel::ZipArchive::open(bytes.startsWith("PK") ? bytes.toByteArray() : wrap(bytes));
    if (!archive.archive) {
        if (archive.error.isEmpty())
            std::abort();
        return;
    }
    checkOpened(open(std::move(archive.archive)));
}

} // namespace tivora::fuzz
