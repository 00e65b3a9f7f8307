#include "document/series_counts.h"

#include "document/grid_layouts.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivora {

QString newSeriesType(const GraphDocument& document) {
    return document.graphType == u"sbar"_s ? u"bar"_s : document.baseType;
}

void applySeriesCounts(GraphDocument& document, int seriesCount, int columnCount) {
    Grid& data = document.series.sgrdData;
    Grid& properties = document.series.sgrdProp;
    // The first two columns are fixed once a graph is loaded; a count change leaves that as it is.
    const int fixedColumns = data.fixedColumnCount();
    shapeDataGrid(data, seriesCount, columnCount);
    data.setFixedColumnCount(std::min(fixedColumns, data.columnCount() - 1));
    shapePropertyGrid(properties, seriesCount);
    const QString type = newSeriesType(document);
    for (int row = 1; row <= seriesCount; ++row) {
        if (data.cell(DataType, row).isEmpty())
            setNewSeriesDefaults(data, properties, row, type);
    }
}

} // namespace tivora
