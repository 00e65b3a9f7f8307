#pragma once

#include "common/shipped_data.h"
#include "document/graph_document.h"
#include "document/grid_layouts.h"
#include "document/program_folder.h"
#include "document/variable_text.h"
#include "editing/pie_slices.h"
#include "editing/series_rows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tivora::test {

using namespace Qt::StringLiterals;

// A program folder of the test's own, holding a copy of the shipped Data folder, so the option
// dialogs write their preview file there and tests can run side by side.
class OptionFolder {
public:
    OptionFolder() {
        copyShippedData(dataFolder());
        setProgramFolder(m_folder.path());
    }
    ~OptionFolder() { setProgramFolder(QString()); }

    QString dataFolder() const { return m_folder.path() + u"/Data"_s; }
    QString sliceFile() const { return dataFolder() + u"/Slice.dat"_s; }
    // The preview file's text; empty when it was not written.
    QByteArray sliceText() const {
        QFile file(sliceFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Removes the preview file, so that the next write shows.
    void forgetSliceFile() const { QFile::remove(sliceFile()); }

private:
    QTemporaryDir m_folder;
};

// A bar graph of three series and three columns; series 2 is a line with settings of its own.
inline GraphDocument optionSeriesGraph() {
    GraphDocument document;
    document.graphType = document.baseType = u"bar"_s;
    document.header.pnlBackColour = {u"0xFFFFF0"_s, TextToColor("0xFFFFF0").value()};
    document.series.edtSeries = u"3"_s;
    document.series.edtCols = u"3"_s;
    applySeriesCounts(document, 3, 3);
    document.series.sgrdData.setFixedColumnCount(2);
    Grid& data = document.series.sgrdData;
    Grid& properties = document.series.sgrdProp;
    for (int row = 1; row <= 3; ++row) {
        data.setCell(DataSeriesName, row, u"S%1"_s.arg(row));
        for (int column = 0; column < 3; ++column)
            data.setCell(DataFirstValue + column, row, QString::number(row * 10 + column));
    }
    const std::pair<int, QString> second[] = {
        {PropType, u"line"_s},     {PropAlpha, u"53"_s},          {PropAnimate, u"40"_s},
        {PropShowValues, u"NO"_s}, {PropAnimateValues, u"YES"_s}, {PropFontSize, u"30"_s},
        {PropLineWidth, u"7"_s}};
    for (const auto& [column, text] : second)
        properties.setCell(column, 2, text);
    data.setCell(DataType, 2, u"line"_s);
    properties.setCell(PropColor, 2, u"0x00C000"_s);
    properties.setCellColor(PropColor, 2, TextToColor("0x00C000"));
    data.setCellColor(DataColor, 2, TextToColor("0x00C000"));
    return document;
}

// A pie graph of three slices; slice 2 has colours, shade, opacity and moves of its own.
inline GraphDocument optionPieGraph() {
    GraphDocument document;
    document.graphType = document.baseType = u"pie"_s;
    document.header.pnlBackColour = {u"0xFFFFFF"_s, 0xFFFFFF};
    document.pie.edtPieSlices = u"3"_s;
    applySliceCount(document.pie, 3);
    Grid& slices = document.pie.sgrdPieSlices;
    const std::pair<int, QString> second[] = {{SliceShade, u"30"_s},   {SliceAlpha, u"70"_s},
                                              {SliceValMoveX, u"5"_s}, {SliceValMoveY, u"-6"_s},
                                              {SliceLblMoveX, u"7"_s}, {SliceLblMoveY, u"-8"_s}};
    for (const auto& [column, text] : second)
        slices.setCell(column, 2, text);
    slices.setCell(SliceColour, 2, u"0xFF0000"_s);
    slices.setCellColor(SliceColour, 2, TextToColor("0xFF0000"));
    return document;
}

} // namespace tivora::test
