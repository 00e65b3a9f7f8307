#pragma once

#include "document/graph_document.h"
#include "excel/link_options.h"
#include "excel/workbook.h"

#include <QString>
#include <functional>
#include <optional>
#include <stop_token>
#include <variant>

namespace tivora {
class GraphDocumentModel;
}

namespace tivora::excel {

// Why an import did not happen: a message and, for a workbook that cannot be opened, its path as
// a second line.
struct ImportFailure {
    QString text;
    QString detail;

    bool operator==(const ImportFailure&) const = default;
};

inline constexpr auto kNoWorkbookMessage = "Please select an Excel file to link to.";
inline constexpr auto kAdjustCountsQuestion =
    "Adjust the Number of Columns and Series to fit the data?";

// The values of a worksheet range, read whole, laid out as lines of the data grid: with the
// range across, each worksheet row becomes a grid row; down, each worksheet column does. The
// first line lands in the heading row when the range starts with headers.
class RangeImport {
public:
    // Opens the workbook the options name and reads their range. Nothing of the graph is touched,
    // so this may run on any thread; once stop is requested it gives up with
    // workbook_error::kCancelled.
    static std::variant<RangeImport, ImportFailure> read(const LinkOptions& options,
                                                         std::stop_token stop = {});
    // The same from a workbook already open.
    static std::variant<RangeImport, ImportFailure> read(const LinkOptions& options,
                                                         Workbook& workbook);

    int lineCount() const;
    int lineLength() const;
    int seriesCount() const;

    // Whether the graph's counts differ from the data's, either way, so that the user is asked
    // whether to fit them: a graph left larger than the data would show the old values of the
    // cells outside the range beside the new ones.
    bool countsDiffer(const GraphDocument& document) const;
    // Puts the values into the data grid, having first fitted the counts to the data when
    // fitCounts is set; the grid then shows exactly the graph's counts. Cells outside the range
    // keep their text, as do the type, colour and name columns.
    void applyTo(GraphDocument& document, bool fitCounts) const;

private:
    RangeImport(RangeValues values, bool down, bool headerLine);
    QString valueText(int line, int position) const;
    // Why the values cannot go into a graph, naming the first cell at fault; nothing when they
    // can.
    [[nodiscard]] std::optional<QString> refusal() const;
    int fittedColumnCount() const;
    int fittedSeriesCount() const;

    RangeValues m_values;
    bool m_down = false;
    bool m_headerLine = false;
};

// The whole import of the link options' range into the model's graph, in one change: the range is
// read and checked completely before the graph changes, so a failure leaves the grid and the
// counts exactly as they were. askFitCounts is asked the counts question and answers true for
// Yes. Gives the failure, if any.
[[nodiscard]] std::optional<ImportFailure>
importRange(const LinkOptions& options, GraphDocumentModel& model,
            const std::function<bool(const QString&)>& askFitCounts);

// The second half of importRange, for a range read elsewhere: asks the counts question where the
// counts differ, then puts the values into the model's graph as one change.
void applyRangeImport(const RangeImport& import, GraphDocumentModel& model,
                      const std::function<bool(const QString&)>& askFitCounts);

} // namespace tivora::excel
