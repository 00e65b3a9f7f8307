#include "document/grid_layouts.h"

#include "document/variable_text.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

constexpr std::array<QStringView, PropColumnCount> kPropertyTitles = {
    u"Type",           u"Color",        u"Alpha",     u"Animate",   u"Show Values",
    u"Animate Values", u"Values Color", u"Font Size", u"Line Width"};

constexpr std::array<QStringView, DataFirstValue> kDataTitles = {u"Type", u"Color", u"Series Name"};

constexpr std::array<QStringView, SliceColumnCount> kSliceTitles = {
    u"No",    u"Label", u"Value",      u"Offset",     u"Colour",     u"Value Clr", u"Label Clr",
    u"Shade", u"Alpha", u"Lbl Move X", u"Lbl Move Y", u"Val Move X", u"Val Move Y"};

struct NoteColumnInfo {
    QStringView title;
    QStringView defaultValue;
};

// Columns NoteShape to NoteShadowAlpha; the note number defaults to the row number.
constexpr std::array<NoteColumnInfo, kNoteColumnCount - 1> kNoteColumns = {{
    {u"No", u""},
    {u"Colour", u"0xD48B39"},
    {u"Alpha", u"70"},
    {u"Style", u"1"},
    {u"Width", u"150"},
    {u"Height", u"120"},
    {u"X Offset", u"200"},
    {u"Y Offset", u"150"},
    {u"Highlight", u"NO"},
    {u"Link", u""},
    {u"High X", u"200"},
    {u"High Y", u"300"},
    {u"Colour", u"0xFFFFFF"},
    {u"H Alpha", u"80"},
    {u"Heading", u"HEADING"},
    {u"Head Col", u"0xffffff"},
    {u"Head Size", u"15"},
    {u"Text", u""},
    {u"Text Col", u"0xAAAAAA"},
    {u"Text Size", u"12"},
    {u"Head Y", u"20"},
    {u"Body Y", u"50"},
    {u"URL", u""},
    {u"Shadow", u"Yes"},
    {u"Shadow X", u"15"},
    {u"Shadow Y", u"15"},
    {u"Alpha", u"30"},
}};

template <std::size_t Count>
void setTitles(Grid& grid, const std::array<QStringView, Count>& titles) {
    for (std::size_t column = 0; column < Count; ++column)
        grid.setCell(int(column), 0, titles[column].toString());
}

// A grid keeps at least one row and column, and always one more of each than it has fixed.
void setShape(Grid& grid, int columnCount, int rowCount, int fixedColumns, int fixedRows) {
    grid.setColumnCount(std::max(columnCount, 1));
    grid.setRowCount(std::max(rowCount, 1));
    grid.setFixedColumnCount(std::min(fixedColumns, grid.columnCount() - 1));
    grid.setFixedRowCount(std::min(fixedRows, grid.rowCount() - 1));
}

} // namespace

void shapePropertyGrid(Grid& grid, int seriesCount) {
    setShape(grid, PropColumnCount, seriesCount + 1, 0, 0);
    setTitles(grid, kPropertyTitles);
}

void shapeDataGrid(Grid& grid, int seriesCount, int columnCount) {
    setShape(grid, columnCount + DataFirstValue, seriesCount + 1, 2, 0);
    setTitles(grid, kDataTitles);
}

void shapeSliceGrid(Grid& grid, int sliceCount) {
    setShape(grid, SliceColumnCount, sliceCount + 1, 1, 1);
    setTitles(grid, kSliceTitles);
}

void resetNotesGrid(Grid& grid) {
    setShape(grid, kNoteColumnCount, kDefaultNoteRows + 1, 0, 1);
    for (int column = 1; column < kNoteColumnCount; ++column) {
        grid.setCell(column, 0, kNoteColumns[std::size_t(column - NoteShape)].title.toString());
        for (int row = 1; row <= kDefaultNoteRows; ++row)
            grid.setCell(column, row, defaultNoteCell(column, row));
    }
}

void setNoteRowCount(Grid& grid, int noteCount) {
    grid.setRowCount(std::max(noteCount + 1, 2));
}

QString defaultNoteCell(int column, int row) {
    if (column == NoteShape)
        return QString::number(row);
    if (column < NoteShape || column >= kNoteColumnCount)
        return {};
    return noteColumnDefault(NoteColumn(column)).toString();
}

QStringView noteColumnDefault(NoteColumn column) {
    if (column < NoteShape || column > NoteShadowAlpha)
        return {};
    return kNoteColumns[std::size_t(column - NoteShape)].defaultValue;
}

void setNewSeriesDefaults(Grid& data, Grid& properties, int row, const QString& type) {
    static constexpr std::array<QStringView, PropColumnCount - PropAlpha> kDefaults = {
        u"80", u"15", u"YES", u"NO", u"0xFFFFFF", u"25", u"10"};
    static constexpr QByteArrayView kSeriesColor = "0x000080";
    data.setCell(DataType, row, type);
    properties.setCell(PropType, row, type);
    properties.setCell(PropColor, row, QString::fromLatin1(kSeriesColor));
    const auto color = TextToColor(kSeriesColor);
    properties.setCellColor(PropColor, row, color);
    data.setCellColor(DataColor, row, color);
    for (int column = PropAlpha; column < PropColumnCount; ++column)
        properties.setCell(column, row, kDefaults[std::size_t(column - PropAlpha)].toString());
}

} // namespace tivora
