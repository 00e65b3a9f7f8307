#include "excel/range_import.h"

#include "document/graph_document_model.h"
#include "document/grid_layouts.h"
#include "document/regular_file.h"
#include "document/series_counts.h"
#include "document/text_field_check.h"
#include "excel/workbook_file.h"

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

// The most text an import puts into a graph: half of the largest graph file that can be read
// again, leaving the other half for the rest of the graph and the lists' separators.
constexpr qint64 kMostImportedText = kLargestInputFile / 2;

// The largest counts the series and column fields hold (two and three digits).
constexpr int kMostSeries = 99;
constexpr int kMostColumns = 999;

ImportFailure failure(QString text, QString detail = QString()) {
    return {std::move(text), std::move(detail)};
}

std::variant<CellRange, ImportFailure> rangeOf(const LinkOptions& options) {
    const auto first = parseCell(options.rowFrom, options.colFrom);
    if (const auto* error = std::get_if<QString>(&first))
        return failure(*error);
    const auto last = parseCell(options.rowTo, options.colTo);
    if (const auto* error = std::get_if<QString>(&last))
        return failure(*error);
    const CellRange range =
        CellRange::between(std::get<CellAddress>(first), std::get<CellAddress>(last));
    if (range.cellCount() > kMostRangeCells) {
        return failure(u"The range %1 holds %2 cells; at most %3 can be imported."_s.arg(
            range.name(), QString::number(range.cellCount()), QString::number(kMostRangeCells)));
    }
    return range;
}

std::variant<int, ImportFailure> worksheetOf(const LinkOptions& options, const Workbook& workbook) {
    bool whole = false;
    const int number = options.workSheet.trimmed().toInt(&whole);
    if (!whole)
        return failure(u"'%1' is not a valid worksheet number."_s.arg(options.workSheet.trimmed()));
    if (workbook.worksheetCount() == 0)
        return failure(u"No worksheet of the workbook can be read."_s);
    if (number < 1 || number > workbook.worksheetCount()) {
        return failure(
            u"Worksheet %1 does not exist: the workbook has %2 worksheet(s)."_s.arg(number).arg(
                workbook.worksheetCount()));
    }
    return number;
}

// The graph's count in a count field, or the grid's when the field holds no whole number.
int countOf(const QString& field, int gridCount) {
    bool whole = false;
    const int count = field.toInt(&whole);
    return whole ? count : gridCount;
}

int columnCountOf(const GraphDocument& document) {
    return countOf(document.series.edtCols,
                   document.series.sgrdData.columnCount() - DataFirstValue);
}

int seriesCountOf(const GraphDocument& document) {
    return countOf(document.series.edtSeries, document.series.sgrdData.rowCount() - 1);
}

} // namespace

RangeImport::RangeImport(RangeValues values, bool down, bool headerLine)
    : m_values(std::move(values))
    , m_down(down)
    , m_headerLine(headerLine) {}

std::variant<RangeImport, ImportFailure> RangeImport::read(const LinkOptions& options,
                                                           std::stop_token stop) {
    const QString path = options.excelFile.trimmed();
    if (path.isEmpty())
        return failure(QString::fromLatin1(kNoWorkbookMessage));
    OpenedWorkbook opened = openWorkbook(path, std::move(stop));
    if (!opened.workbook)
        return failure(opened.error, path);
    return read(options, *opened.workbook);
}

std::variant<RangeImport, ImportFailure> RangeImport::read(const LinkOptions& options,
                                                           Workbook& workbook) {
    const auto worksheet = worksheetOf(options, workbook);
    if (const auto* error = std::get_if<ImportFailure>(&worksheet))
        return *error;
    const auto range = rangeOf(options);
    if (const auto* error = std::get_if<ImportFailure>(&range))
        return *error;
    RangeValues values;
    if (const auto error =
            workbook.readRange(std::get<int>(worksheet), std::get<CellRange>(range), values))
        return failure(*error, options.excelFile.trimmed());
    RangeImport import(std::move(values), options.down, options.headerLine);
    if (auto refusal = import.refusal())
        return failure(std::move(*refusal));
    return import;
}

std::optional<QString> RangeImport::refusal() const {
    // Every value must be one the graph file can carry, and all of them together must leave a
    // graph file that can be read again, before any of them goes into the grid.
    qint64 totalText = 0;
    for (int line = 1; line <= lineCount(); ++line) {
        for (int position = 1; position <= lineLength(); ++position) {
            const QString text = valueText(line, position);
            const auto cell = [&]() -> QString {
                const CellAddress first = m_values.range().first;
                return u"Worksheet cell "_s +
                       cellName(
                           m_down ? CellAddress{first.column + line - 1, first.row + position - 1}
                                  : CellAddress{first.column + position - 1, first.row + line - 1});
            };
            if (text.size() > kLongestCellText) {
                return u"%1 holds more than %2 characters, more than a graph cell takes. Nothing "
                       u"was imported."_s.arg(cell())
                           .arg(kLongestCellText);
            }
            if (checkEncodedText(QString(), text))
                return checkEncodedText(cell(), text);
            totalText += text.size();
            if (totalText > kMostImportedText) {
                return u"The range holds more than %1 MB of text, more than a graph file can "
                       u"carry. "
                       u"Nothing was imported."_s.arg(kMostImportedText / (qint64{1024} * 1024));
            }
        }
    }
    return std::nullopt;
}

int RangeImport::lineCount() const {
    const CellRange& range = m_values.range();
    return m_down ? range.columnCount() : range.rowCount();
}

int RangeImport::lineLength() const {
    const CellRange& range = m_values.range();
    return m_down ? range.rowCount() : range.columnCount();
}

int RangeImport::seriesCount() const {
    return m_headerLine ? lineCount() - 1 : lineCount();
}

QString RangeImport::valueText(int line, int position) const {
    const CellAddress first = m_values.range().first;
    const int column = first.column + (m_down ? line : position) - 1;
    const int row = first.row + (m_down ? position : line) - 1;
    return cellValueText(m_values.at(column, row));
}

// The counts fitted to the data, within what the count fields hold; a range of headers alone
// still leaves the graph one series.
int RangeImport::fittedColumnCount() const {
    return std::clamp(lineLength(), 1, kMostColumns);
}

int RangeImport::fittedSeriesCount() const {
    return std::clamp(seriesCount(), 1, kMostSeries);
}

bool RangeImport::countsDiffer(const GraphDocument& document) const {
    return columnCountOf(document) != fittedColumnCount() ||
           seriesCountOf(document) != fittedSeriesCount();
}

void RangeImport::applyTo(GraphDocument& document, bool fitCounts) const {
    if (fitCounts) {
        document.series.edtCols = QString::number(fittedColumnCount());
        document.series.edtSeries = QString::number(fittedSeriesCount());
    }
    Grid& grid = document.series.sgrdData;
    const int rowOffset = m_headerLine ? -1 : 0;
    for (int line = 1; line <= lineCount(); ++line) {
        for (int position = 1; position <= lineLength(); ++position)
            grid.setCell(position + DataSeriesName, line + rowOffset, valueText(line, position));
    }
    // The grid shows exactly the graph's counts; values beyond them stay in their hidden cells.
    applySeriesCounts(document, seriesCountOf(document), columnCountOf(document));
}

std::optional<ImportFailure> importRange(const LinkOptions& options, GraphDocumentModel& model,
                                         const std::function<bool(const QString&)>& askFitCounts) {
    auto read = RangeImport::read(options);
    if (const auto* error = std::get_if<ImportFailure>(&read))
        return *error;
    applyRangeImport(std::get<RangeImport>(read), model, askFitCounts);
    return std::nullopt;
}

void applyRangeImport(const RangeImport& import, GraphDocumentModel& model,
                      const std::function<bool(const QString&)>& askFitCounts) {
    const bool fitCounts = import.countsDiffer(model.document()) &&
                           askFitCounts(QString::fromLatin1(kAdjustCountsQuestion));
    model.edit([&](GraphDocument& document) { import.applyTo(document, fitCounts); });
}

} // namespace tivora::excel
