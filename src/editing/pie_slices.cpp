#include "editing/pie_slices.h"

#include "document/grid_layouts.h"
#include "document/variable_text.h"

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

// A slice row without colours would be drawn white with white value text and an unseen label:
// a new slice takes the next colour of a palette that sits well on white, white values and a
// dark label.
constexpr std::array<QByteArrayView, 8> kSlicePalette = {
    "0x2E6FD8", "0xED7D31", "0x3BAA5C", "0xD8423A", "0x8B5CC7", "0x1FA7B8", "0xE5B92B", "0x8C6D4F"};
constexpr QByteArrayView kSliceValueColour = "0xFFFFFF";
constexpr QByteArrayView kSliceLabelColour = "0x44546A";

void colourIfBlank(Grid& slices, int column, int row, QByteArrayView colour) {
    if (slices.cellColor(column, row))
        return;
    slices.setCell(column, row, QString::fromLatin1(colour));
    slices.setCellColor(column, row, TextToColor(colour));
}

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
        colourIfBlank(slices, SliceColour, row,
                      kSlicePalette[std::size_t(row - 1) % kSlicePalette.size()]);
        colourIfBlank(slices, SliceValueClr, row, kSliceValueColour);
        colourIfBlank(slices, SliceLabelClr, row, kSliceLabelColour);
    }
}

bool moveSlice(PieFields& pie, int row, RowMove move) {
    const std::optional<int> target = rowMovedTo(row, sliceCountOf(pie), move);
    if (!target)
        return false;
    swapGridRows(pie.sgrdPieSlices, row, *target, SliceColumnCount);
    return true;
}

} // namespace tivora
