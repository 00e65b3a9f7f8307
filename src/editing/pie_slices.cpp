#include "editing/pie_slices.h"

#include "document/grid_layouts.h"
#include "editing/series_rows.h"

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// The cells a slice row must not leave blank, with the value each blank one takes.
const std::array<std::pair<SliceColumn, QString>, 8> kSliceDefaults = {{
    {SliceValue, u"1"_s},
    {SliceAlpha, u"100"_s},
    {SliceShade, u"0"_s},
    {SliceOffset, u"0"_s},
    {SliceValMoveX, u"0"_s},
    {SliceValMoveY, u"0"_s},
    {SliceLblMoveX, u"0"_s},
    {SliceLblMoveY, u"0"_s},
}};

int sliceCountOf(const PieFields& pie) {
    return pie.sgrdPieSlices.rowCount() - 1;
}

} // namespace

void applySliceCount(PieFields& pie, int sliceCount) {
    Grid& slices = pie.sgrdPieSlices;
    shapeSliceGrid(slices, std::max(sliceCount, 0));
    for (int row = 1; row <= sliceCount; ++row) {
        slices.setCell(SliceNo, row, QString::number(row));
        for (const auto& [column, value] : kSliceDefaults) {
            if (slices.cell(column, row).trimmed().isEmpty())
                slices.setCell(column, row, value);
        }
    }
}

bool moveSliceUp(PieFields& pie, int row) {
    if (row <= 1 || row > sliceCountOf(pie))
        return false;
    swapGridRows(pie.sgrdPieSlices, row - 1, row, SliceColumnCount);
    return true;
}

bool moveSliceDown(PieFields& pie, int row) {
    if (row <= 0 || row >= sliceCountOf(pie))
        return false;
    swapGridRows(pie.sgrdPieSlices, row, row + 1, SliceColumnCount);
    return true;
}

} // namespace tivora
