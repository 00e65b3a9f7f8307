// Legacy workbooks come from anywhere the user keeps spreadsheets, and their records are read here
// before FreeXL sees them: whatever the bytes, scanning them and reading every sheet's values
// never faults, and every value lands inside the range asked for.
#include "excel/biff_cells.h"
#include "excel/cell_value.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tivora::excel;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto cells = BiffCells::scan(bytes);
    if (!cells)
        return 0;
    if (cells->sheetCount() < 0)
        std::abort();
    const CellRange range{{1, 1}, {30, 200}};
    for (int sheet = 0; sheet <= std::min(cells->sheetCount(), 4) + 1; ++sheet) {
        RangeValues values(range);
        cells->putSheet(sheet, values);
        for (int row = 1; row <= 200; ++row) {
            for (int column = 1; column <= 30; ++column) {
                if (cellValueText(values.at(column, row)).size() > kCellTextKept)
                    std::abort();
            }
        }
    }
    return 0;
}
