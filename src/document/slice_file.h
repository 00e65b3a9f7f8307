#pragma once

#include "document/graph_document.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The option preview file Data/Slice.dat: one line of plain (not encoded) variable text that the
// series and slice option dialogs write for the sample movie beside it, so the sample draws the
// series or slice as the dialog has set it up.
namespace tivora {

// The text for type ("bar", "sbar", "line", "area" or "pie"): the graph's background, then the
// colours and opacity of series row of the properties grid, or of slice row of the slice grid for
// "pie", ending with "&Textloaded=OK". A cell without a colour of its own counts as the grid's
// white. Gives nothing when a cell holds text that single-byte text cannot carry.
std::optional<QByteArray> sliceFileText(const GraphDocument& document, const QString& type,
                                        int row);

// Writes sliceFileText to path in one atomic step, so the sample never reads half a file. Gives
// the reason when it fails; path then keeps what it held.
[[nodiscard]] std::optional<QString>
WriteSliceFile(const GraphDocument& document, const QString& type, int row, const QString& path);

} // namespace tivora
