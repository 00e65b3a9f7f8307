#pragma once

// Small complete graphs built through the record, shared by the document tests.
#include "document/graph_document.h"
#include "document/grid_layouts.h"
#include "document/variable_text.h"

namespace tivora::samples {

using namespace Qt::StringLiterals;

inline void setPanel(ColorPanel& panel, QByteArrayView text) {
    panel.caption = QString::fromLatin1(text);
    panel.color = *TextToColor(text);
}

inline void fillAxes(AxisFields& axes) {
    axes.edtMinYVal = u"0"_s;
    axes.edtMaxYVal = u"100"_s;
    axes.edtYStep = u"10"_s;
    axes.edtXTitle = u"Month"_s;
    axes.edtYTitle = u"Sales"_s;
    axes.edtMaxX = u"5"_s;
    for (ColorPanel* panel :
         {&axes.pnlXTitleColour, &axes.pnlXLabelColour, &axes.pnlXAxisColour, &axes.pnlYTitleColour,
          &axes.pnlYAxisColour, &axes.pnlYLabelColour, &axes.pnlYGridColour})
        setPanel(*panel, "0x336699");
}

// A bar graph of seriesCount series and columnCount data columns with names, labels and values.
inline GraphDocument seriesGraph(int seriesCount, int columnCount) {
    GraphDocument document;
    document.graphType = u"bar"_s;
    document.baseType = u"bar"_s;
    document.header.edtHeader = u"Quarterly €"_s;
    setPanel(document.header.pnlBackColour, "0xFFFFFF");
    setPanel(document.header.pnlHeaderBackColour, "0x000000");
    setPanel(document.header.pnlHeaderFontColour, "0xFFFFFF");
    setPanel(document.header.pnlFootColor, "0x112233");
    document.header.edtFooter = u"Source: ledger"_s;
    fillAxes(document.axes);
    setPanel(document.effects.pnlGBackColor, "0xEEEEEE");
    SeriesFields& series = document.series;
    series.edtSeries = QString::number(seriesCount);
    series.edtCols = QString::number(columnCount);
    series.edtXGap = u"2.50"_s;
    shapeDataGrid(series.sgrdData, seriesCount, columnCount);
    shapePropertyGrid(series.sgrdProp, seriesCount);
    for (int row = 1; row <= seriesCount; ++row) {
        setNewSeriesDefaults(series.sgrdData, series.sgrdProp, row, u"bar"_s);
        series.sgrdProp.setCellColor(PropValuesColor, row, 0xFFFFFF);
        series.sgrdData.setCell(DataSeriesName, row, u"Series %1"_s.arg(row));
        for (int column = 0; column < columnCount; ++column)
            series.sgrdData.setCell(DataFirstValue + column, row,
                                    QString::number((row * 7 + column * 3) % 100));
    }
    for (int column = 0; column < columnCount; ++column)
        series.sgrdData.setCell(DataFirstValue + column, 0, u"C%1"_s.arg(column + 1));
    return document;
}

// A pie of sliceCount slices, every cell filled.
inline GraphDocument pieGraph(int sliceCount) {
    GraphDocument document;
    document.graphType = u"pie"_s;
    document.baseType = u"pie"_s;
    setPanel(document.header.pnlBackColour, "0xFFFFFF");
    PieFields& pie = document.pie;
    pie.edtPieSlices = QString::number(sliceCount);
    pie.edtPieImage = u"images/overlay.png"_s;
    pie.valuesShown = PieValuesShown::Values;
    pie.rdoShowShadow = false;
    pie.trkShadowUpDown.setPosition(120);
    shapeSliceGrid(pie.sgrdPieSlices, sliceCount);
    Grid& slices = pie.sgrdPieSlices;
    for (int row = 1; row <= sliceCount; ++row) {
        slices.setCell(SliceNo, row, QString::number(row));
        slices.setCell(SliceLabel, row, u"Slice %1"_s.arg(row));
        slices.setCell(SliceValue, row, QString::number(row * 10));
        slices.setCell(SliceOffset, row, QString::number(row % 2 * 5));
        slices.setCell(SliceShade, row, u"YES"_s);
        slices.setCell(SliceAlpha, row, u"90"_s);
        for (int column = SliceLblMoveX; column <= SliceValMoveY; ++column)
            slices.setCell(column, row, QString::number(row - column));
        for (int column : {int(SliceColour), int(SliceValueClr), int(SliceLabelClr)}) {
            const WindowColor color = makeWindowColor(row * 20, column * 10, 200);
            slices.setCell(column, row, QString::fromLatin1(ColorToText(color).mid(2)));
            slices.setCellColor(column, row, color);
        }
    }
    return document;
}

// Gives the graph count notes with their default values and a heading of their own.
inline void addNotes(GraphDocument& document, int count) {
    NotesFields& notes = document.notes;
    notes.edtNotes = QString::number(count);
    setNoteRowCount(notes.sgrdNotes, count);
    for (int row = 1; row <= count; ++row) {
        for (int column = 1; column < kNoteColumnCount; ++column)
            notes.sgrdNotes.setCell(column, row, defaultNoteCell(column, row));
        notes.sgrdNotes.setCell(15, row, u"Note %1"_s.arg(row));
        notes.sgrdNotes.setCell(18, row, u"Line one\r\nline two"_s);
    }
}

} // namespace tivora::samples
