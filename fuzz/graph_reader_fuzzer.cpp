// Any bytes either read into a graph or fail with a message, leaving the graph untouched; read
// over another graph, they leave nothing of it beyond their counts; a graph that was read and is
// complete writes a text that reads back to the same text.
#include "document/graph_text_reader.h"
#include "document/graph_text_writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace tivora;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

// A graph with cells in many rows and columns, as the graph opened before may leave them.
const GraphDocument& fullGraph() {
    static const GraphDocument graph = [] {
        GraphDocument document;
        for (Grid* grid : {&document.series.sgrdData, &document.series.sgrdProp,
                           &document.pie.sgrdPieSlices, &document.notes.sgrdNotes}) {
            for (int row = 0; row < 40; ++row) {
                for (int column = 0; column < 40; ++column)
                    grid->setCell(column, row, QStringLiteral("old"));
            }
        }
        return document;
    }();
    return graph;
}

// No cell of the row and the column just beyond a grid's counts holds anything.
bool emptyBeyondCounts(const Grid& grid) {
    const int rows = grid.rowCount();
    const int columns = grid.columnCount();
    for (int row = 0; row <= rows; ++row) {
        if (!grid.cellView(columns, row).isEmpty())
            return false;
    }
    for (int column = 0; column <= columns; ++column) {
        if (!grid.cellView(column, rows).isEmpty())
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    GraphDocument document;
    const GraphDocument before = document;
    const GraphReadResult read = ReadGraphText(document, bytes);
    if (!read) {
        require(!read.error.isEmpty());
        require(document == before);
        return 0;
    }
    require(!document.loadingGraph);
    // Read over another graph, nothing of it is left beyond the counts of the grids read.
    GraphDocument over = fullGraph();
    if (ReadGraphText(over, bytes)) {
        const bool isPie = over.graphType.toUpper() == QStringLiteral("PIE");
        require(emptyBeyondCounts(isPie ? over.pie.sgrdPieSlices : over.series.sgrdData));
        require(isPie || emptyBeyondCounts(over.series.sgrdProp));
    }
    // Grids large enough to matter take long to write; the reader alone covers them.
    if (document.series.sgrdData.rowCount() * document.series.sgrdData.columnCount() > 20000 ||
        document.notes.sgrdNotes.rowCount() > 2000 || document.pie.sgrdPieSlices.rowCount() > 2000)
        return 0;
    const GraphTextBuild first = buildGraphText(document);
    if (first.status != GraphTextBuild::Status::Complete)
        return 0;
    // One round may normalise (image lists fill three fields, font sizes take their range); the
    // next must change nothing.
    GraphDocument second;
    require(bool(ReadGraphText(second, layoutGraphLines(first.text))));
    const GraphTextBuild secondText = buildGraphText(second);
    require(secondText.status == GraphTextBuild::Status::Complete);
    GraphDocument third;
    require(bool(ReadGraphText(third, layoutGraphLines(secondText.text))));
    const GraphTextBuild thirdText = buildGraphText(third);
    require(thirdText.status == GraphTextBuild::Status::Complete);
    require(thirdText.text == secondText.text);
    return 0;
}
