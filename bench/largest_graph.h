#pragma once

// The largest graph the data page allows: 99 series of 999 columns, with ten notes. Shared by
// the benchmarks that must stay fast however large the graph is.
#include "document/graph_document.h"
#include "document/grid_layouts.h"

namespace tivora::bench {

using namespace Qt::StringLiterals;

inline constexpr int kSeries = 99;
inline constexpr int kColumns = 999;
inline constexpr int kNotes = 10;

inline GraphDocument largestGraph() {
    GraphDocument document;
    document.graphType = u"bar"_s;
    document.baseType = u"bar"_s;
    SeriesFields& series = document.series;
    series.edtSeries = QString::number(kSeries);
    series.edtCols = QString::number(kColumns);
    shapeDataGrid(series.sgrdData, kSeries, kColumns);
    shapePropertyGrid(series.sgrdProp, kSeries);
    for (int row = 1; row <= kSeries; ++row) {
        setNewSeriesDefaults(series.sgrdData, series.sgrdProp, row, u"bar"_s);
        series.sgrdData.setCell(DataSeriesName, row, u"Series %1"_s.arg(row));
        for (int column = 0; column < kColumns; ++column)
            series.sgrdData.setCell(DataFirstValue + column, row,
                                    QString::number((row * 131 + column * 17) % 10000 / 10.0));
    }
    for (int column = 0; column < kColumns; ++column)
        series.sgrdData.setCell(DataFirstValue + column, 0, u"Week %1"_s.arg(column + 1));
    document.axes.edtMinYVal = u"0"_s;
    document.axes.edtMaxYVal = u"1000"_s;
    document.axes.edtYStep = u"100"_s;
    document.notes.edtNotes = QString::number(kNotes);
    resetNotesGrid(document.notes.sgrdNotes);
    setNoteRowCount(document.notes.sgrdNotes, kNotes);
    return document;
}

} // namespace tivora::bench
