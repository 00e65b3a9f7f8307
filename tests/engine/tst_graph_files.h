#pragma once

// Complete graph files as the designer writes them, for tests that read a file the way the
// designer opens it (rendering does).
#include "../document/sample_graphs.h"
#include "document/graph_text_writer.h"

#include <QList>

namespace tivora::engine::testing {

// A bar graph of one series in colour with these values on an axis of 0 to 100, no header.
inline GraphDocument barGraph(const QList<int>& values, QByteArrayView colour = "0xFF0000") {
    GraphDocument document = samples::seriesGraph(1, int(values.size()));
    document.header.edtHeader.clear();
    SeriesFields& series = document.series;
    for (qsizetype column = 0; column < values.size(); ++column)
        series.sgrdData.setCell(DataFirstValue + int(column), 1, QString::number(values[column]));
    const WindowColor color = *TextToColor(colour);
    series.sgrdProp.setCell(PropColor, 1, QString::fromLatin1(colour.sliced(2)));
    series.sgrdProp.setCellColor(PropColor, 1, color);
    series.sgrdData.setCellColor(DataColor, 1, color);
    series.sgrdProp.setCell(PropShowValues, 1, QStringLiteral("NO"));
    return document;
}

// The lines of the graph file the designer writes for document.
inline QByteArray graphFile(GraphDocument document) {
    return layoutGraphLines(buildGraphText(document).text);
}

} // namespace tivora::engine::testing
