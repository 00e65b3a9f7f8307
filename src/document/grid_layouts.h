#pragma once

#include "document/grid.h"

#include <QString>

// The shapes, titles and default cells of the four grids of a graph. Every count that reaches a
// grid goes through these, so a grid never has fewer than one row or column, as the window's grids
// never do.
namespace tivora {

// Columns of the series properties grid sgrdProp.
enum PropColumn {
    PropType = 0,
    PropColor = 1,
    PropAlpha = 2,
    PropAnimate = 3,
    PropShowValues = 4,
    PropAnimateValues = 5,
    PropValuesColor = 6,
    PropFontSize = 7,
    PropLineWidth = 8,
    PropColumnCount = 9
};

// The leading columns of the series data grid sgrdData; data columns follow from DataFirstValue.
enum DataColumn { DataType = 0, DataColor = 1, DataSeriesName = 2, DataFirstValue = 3 };

// Columns of the pie slice grid sgrdPieSlices.
enum SliceColumn {
    SliceNo = 0,
    SliceLabel = 1,
    SliceValue = 2,
    SliceOffset = 3,
    SliceColour = 4,
    SliceValueClr = 5,
    SliceLabelClr = 6,
    SliceShade = 7,
    SliceAlpha = 8,
    SliceLblMoveX = 9,
    SliceLblMoveY = 10,
    SliceValMoveX = 11,
    SliceValMoveY = 12,
    SliceColumnCount = 13
};

// Columns of the notes grid sgrdNotes: note properties in columns 1-27; column 0 is unused.
// NoteShape is titled "No": it starts as the row number and holds the shape once one is chosen.
enum NoteColumn {
    NoteShape = 1,
    NoteColour = 2,
    NoteAlpha = 3,
    NoteStyle = 4,
    NoteWidth = 5,
    NoteHeight = 6,
    NoteXOffset = 7,
    NoteYOffset = 8,
    NoteHighlight = 9,
    NoteLink = 10,
    NoteHighX = 11,
    NoteHighY = 12,
    NoteHighColour = 13,
    NoteHighAlpha = 14,
    NoteHeading = 15,
    NoteHeadColour = 16,
    NoteHeadSize = 17,
    NoteText = 18,
    NoteTextColour = 19,
    NoteTextSize = 20,
    NoteHeadY = 21,
    NoteBodyY = 22,
    NoteUrl = 23,
    NoteShadow = 24,
    NoteShadowX = 25,
    NoteShadowY = 26,
    NoteShadowAlpha = 27
};
inline constexpr int kNoteColumnCount = NoteShadowAlpha + 1;
// Rows 1 to this get the default note values before a file's notes are read.
inline constexpr int kDefaultNoteRows = 10;

// sgrdProp: 9 columns and seriesCount + 1 rows, titles in row 0.
void shapePropertyGrid(Grid& grid, int seriesCount);
// sgrdData: columnCount + 3 columns and seriesCount + 1 rows, titles in row 0 of columns 0-2, the
// first two columns fixed.
void shapeDataGrid(Grid& grid, int seriesCount, int columnCount);
// sgrdPieSlices: 13 columns and sliceCount + 1 rows with titles; the first row and column fixed.
void shapeSliceGrid(Grid& grid, int sliceCount);
// sgrdNotes as the reader starts it: 28 columns, titles, 11 rows, rows 1-10 holding the default
// note values.
void resetNotesGrid(Grid& grid);
// Rows for noteCount notes: noteCount + 1, but never fewer than two.
void setNoteRowCount(Grid& grid, int noteCount);

// The value a note row has until the file or the user sets it.
QString defaultNoteCell(int column, int row);
// The value every note has in column until the file or the user sets it; empty for the note
// number and for columns without one.
QStringView noteColumnDefault(NoteColumn column);
// Gives series row its default type, colours and properties in both grids.
void setNewSeriesDefaults(Grid& data, Grid& properties, int row, const QString& type);

} // namespace tivora
