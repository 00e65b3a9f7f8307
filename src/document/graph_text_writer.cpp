#include "document/graph_text_writer.h"

#include "document/graph_keys.h"
#include "document/graph_text_builder.h"
#include "document/grid_layouts.h"
#include "document/number_text.h"
#include "document/regular_file.h"
#include "document/text_field_check.h"
#include "document/variable_text.h"

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// Lines of a graph file are cut at an "&" within this many characters: publishing places each of
// the first six lines into a text slot of that size.
constexpr qsizetype kLineLimit = 480;
constexpr int kCutLines = 6;

// A cell without a colour of its own shows the grid's window colour.
constexpr WindowColor kWindowColor = 0xFFFFFF;

using Status = GraphTextBuild::Status;

// Why building stopped early.
struct Stop {
    Status status;
    QString message;
};

Stop incomplete(const QString& reason) {
    return {Status::Incomplete, reason};
}

Stop failed() {
    return {Status::Failed, QString::fromLatin1(kWriteErrorMessage)};
}

QByteArray number(int value) {
    return QByteArray::number(value);
}

// A count must be given and at least 1; one that is not a whole number is an error.
std::optional<Stop> checkCount(const QString& text, const QString& missingReason) {
    if (isBlankText(text))
        return incomplete(missingReason);
    const auto count = parseWholeNumber(text);
    if (!count)
        return failed();
    if (*count < 1)
        return incomplete(missingReason);
    return std::nullopt;
}

auto cellsOfColumn(const Grid& grid, int column) {
    return [&grid, column](int i) {
        return grid.cellView(column, i + 1);
    };
}

auto colorsOfColumn(const Grid& grid, int column) {
    return [&grid, column](int i) {
        return QString::fromLatin1(
            ColorToText(grid.cellColor(column, i + 1).value_or(kWindowColor)));
    };
}

void appendHeaderAndPlacement(GraphTextBuilder& out, const GraphDocument& document) {
    static constexpr std::array<char, 4> kHeaderCodes = {'0', '3', '1', '2'};
    const HeaderFooterFields& header = document.header;
    out.appendPlain(keys::kVersion, keys::kCurrentVersion);
    out.appendEncoded(keys::kGraphType, document.graphType);
    if (!isBlankText(header.edtHeader)) {
        out.appendEncoded(keys::kHeader, header.edtHeader);
        out.appendEncodedBytes(keys::kHeaderPosition,
                               QByteArray(1, kHeaderCodes[int(header.headerPosition)]));
        out.appendEncodedBytes(keys::kHeaderBackColor,
                               ColorToText(header.pnlHeaderBackColour.color));
        out.appendEncodedBytes(keys::kHeaderFontColor,
                               ColorToText(header.pnlHeaderFontColour.color));
    }
    out.appendPlainText(keys::kBackColor, header.pnlBackColour.caption);
    out.appendPlain(keys::kBackTransparent, header.chkBGTrans ? "1" : "0");
    out.appendEncoded(keys::kFooter, header.edtFooter);
    out.appendEncodedBytes(keys::kFooterColor, ColorToText(header.pnlFootColor.color));
    for (const auto& [key, trackbar] : keys::kPlacementEntries)
        out.appendEncodedBytes(key, number((document.placement.*trackbar).position()));
}

void appendSeriesLists(GraphTextBuilder& out, GraphDocument& document) {
    SeriesFields& series = document.series;
    Grid& properties = series.sgrdProp;
    const int seriesCount = series.sgrdData.rowCount() - 1;
    const int columnCount = series.sgrdData.columnCount() - DataFirstValue;
    // Values are a few characters each: room for them all is made once.
    out.reserve(qsizetype(seriesCount + 1) * (columnCount + 16) * 8 + 4096);
    out.appendEncoded(keys::kAspFlag, series.chkASP ? u"ASP"_s : QString());
    out.appendEncoded(keys::kSeriesCount, series.edtSeries);
    out.appendEncoded(keys::kColumnCount, series.edtCols);
    out.appendEncoded(keys::kColumnGap, series.edtXGap);
    // An empty line width is made "10" in the grid itself, where the user then sees it.
    for (int row = 1; row <= seriesCount; ++row) {
        if (properties.cell(PropLineWidth, row).isEmpty())
            properties.setCell(PropLineWidth, row, u"10"_s);
    }
    const std::pair<QByteArrayView, int> textLists[] = {
        {keys::kLineWidths, PropLineWidth},        {keys::kSeriesTypes, PropType},
        {keys::kValueFontSizes, PropFontSize},     {keys::kShowValues, PropShowValues},
        {keys::kAnimateValues, PropAnimateValues}, {keys::kAnimateSpeeds, PropAnimate},
        {keys::kSeriesAlphas, PropAlpha}};
    for (const auto& [key, column] : textLists)
        out.appendEncodedList(key, seriesCount, cellsOfColumn(properties, column));
    out.appendEncodedList(keys::kSeriesColors, seriesCount, colorsOfColumn(properties, PropColor));
    out.appendEncodedList(keys::kValueColors, seriesCount,
                          colorsOfColumn(properties, PropValuesColor));
    const Grid& data = series.sgrdData;
    out.appendEncodedList(keys::kSeriesNames, seriesCount, cellsOfColumn(data, DataSeriesName));
    out.appendEncodedList(keys::kColumnLabels, columnCount,
                          [&data](int i) { return data.cellView(DataFirstValue + i, 0); });
    for (int row = 1; row <= seriesCount; ++row) {
        out.appendEncodedList(keys::seriesValues(row), columnCount, [&data, row](int i) {
            return data.cellView(DataFirstValue + i, row);
        });
    }
}

// The y axis must have a minimum, a maximum and a step above 0 that divides the range into at
// most 100 steps, whether or not the values are set to automatic.
std::optional<Stop> checkYAxis(const AxisFields& axes) {
    if (isBlankText(axes.edtMinYVal))
        return incomplete(u"The y-axis minimum is blank."_s);
    if (isBlankText(axes.edtMaxYVal))
        return incomplete(u"The y-axis maximum is blank."_s);
    if (isBlankText(axes.edtYStep))
        return incomplete(u"The y-axis step is blank."_s);
    const auto step = parseDecimalNumber(axes.edtYStep);
    if (!step)
        return failed();
    if (*step <= 0)
        return incomplete(u"The y-axis step must be greater than 0."_s);
    const auto maximum = parseDecimalNumber(axes.edtMaxYVal);
    const auto minimum = parseDecimalNumber(axes.edtMinYVal);
    if (!maximum || !minimum)
        return failed();
    if ((*maximum - *minimum) / *step > 100)
        return incomplete(u"The y-axis has more than 100 steps: make the step larger."_s);
    return std::nullopt;
}

void appendAxes(GraphTextBuilder& out, const AxisFields& axes) {
    const auto automatic = [](bool isAutomatic, const QString& text) {
        return isAutomatic ? u"auto"_s : text;
    };
    out.appendEncoded(keys::kYMinimum, automatic(axes.chkMinYCalc, axes.edtMinYVal));
    out.appendEncoded(keys::kYMaximum, automatic(axes.chkMaxYCalc, axes.edtMaxYVal));
    out.appendEncoded(keys::kYStep, automatic(axes.chkYStepCalc, axes.edtYStep));
    out.appendEncoded(keys::kXLabelCount, axes.edtMaxX);
    out.appendEncoded(keys::kXTitle, axes.edtXTitle);
    out.appendEncoded(keys::kYTitle, axes.edtYTitle);
    out.appendEncoded(keys::kXTitleColor, axes.pnlXTitleColour.caption);
    out.appendEncoded(keys::kYTitleColor, axes.pnlYTitleColour.caption);
    out.appendEncoded(keys::kYTitleFont, axes.edtYTitleFont.text());
    out.appendEncoded(keys::kYLabelFont, axes.edtYLabelFont.text());
    out.appendEncoded(keys::kXTitleFont, axes.edtXTitleFont.text());
    out.appendEncoded(keys::kXLabelFont, axes.edtXLabelFont.text());
    out.appendEncoded(keys::kYAxisColor, axes.pnlYAxisColour.caption);
    out.appendEncoded(keys::kXAxisColor, axes.pnlXAxisColour.caption);
    out.appendEncoded(keys::kYGridColor, axes.pnlYGridColour.caption);
    out.appendEncoded(keys::kXLabelColor, axes.pnlXLabelColour.caption);
    out.appendEncoded(keys::kYLabelColor, axes.pnlYLabelColour.caption);
}

void appendEffects(GraphTextBuilder& out, const EffectsFields& effects) {
    out.appendEncoded(keys::kPlotColor, effects.pnlGBackColor.caption);
    out.appendEncodedBytes(keys::kShadingDepth, number(effects.sbShading.position()));
    out.appendEncodedBytes(keys::kShadingType, number(effects.cbShading));
    QString images;
    for (const QString* image : {&effects.edtBImage1, &effects.edtBImage2, &effects.edtBImage3}) {
        if (!isBlankText(*image))
            images += *image + u"/x/"_s;
    }
    images.chop(3);
    out.appendEncoded(keys::kBackImages, images);
    out.appendEncodedBytes(keys::kBackImageAlpha, number(effects.trkBImageAlpha.position()));
    out.appendEncoded(keys::kBackEffect, effects.edtBOverlay);
    out.appendEncodedBytes(keys::kBackEffectAlpha, number(effects.trkBOverlayAlpha.position()));
}

std::optional<Stop> appendSeriesGraph(GraphTextBuilder& out, GraphDocument& document) {
    if (auto stop = checkCount(document.series.edtSeries, u"The graph has no series."_s))
        return stop;
    if (auto stop = checkCount(document.series.edtCols, u"The graph has no data columns."_s))
        return stop;
    appendSeriesLists(out, document);
    if (auto stop = checkYAxis(document.axes))
        return stop;
    appendAxes(out, document.axes);
    appendEffects(out, document.effects);
    return std::nullopt;
}

std::optional<Stop> checkPie(const PieFields& pie) {
    if (auto stop = checkCount(pie.edtPieSlices, u"The pie has no slices."_s))
        return stop;
    for (int row = 1; row < pie.sgrdPieSlices.rowCount(); ++row) {
        if (isBlankText(pie.sgrdPieSlices.cell(SliceValue, row)))
            return incomplete(u"The value of slice %1 is blank."_s.arg(row));
    }
    return std::nullopt;
}

std::optional<Stop> appendPieGraph(GraphTextBuilder& out, const PieFields& pie) {
    if (auto stop = checkPie(pie))
        return stop;
    out.appendEncoded(keys::kPieAnimate, pie.rdoAnimate ? u"Yes"_s : u"No"_s);
    out.appendEncodedBytes(keys::kPieSpeed, number(pie.sbAnimSpeed.position()));
    out.appendEncoded(keys::kAspFlag, pie.chkPieASP ? u"ASP"_s : QString());
    out.appendEncoded(keys::kSliceCount, pie.edtPieSlices);
    out.appendEncoded(keys::kPieImage, pie.edtPieImage);
    out.appendEncodedBytes(keys::kPieImageAlpha, number(pie.TBPieOverlay.position()));
    out.appendEncoded(keys::kPieValueFont, pie.edtPieValueFontSize.text());
    out.appendEncoded(keys::kPieLabelFont, pie.edtPieLabelFontSize.text());
    const Grid& slices = pie.sgrdPieSlices;
    const int sliceCount = slices.rowCount() - 1;
    const std::pair<QByteArrayView, int> lists[] = {
        {keys::kSliceLabels, SliceLabel},        {keys::kSliceOffsets, SliceOffset},
        {keys::kSliceLabelMoveX, SliceLblMoveX}, {keys::kSliceLabelMoveY, SliceLblMoveY},
        {keys::kSliceValueMoveX, SliceValMoveX}, {keys::kSliceValueMoveY, SliceValMoveY},
        {keys::kSliceValues, SliceValue}};
    for (const auto& [key, column] : lists)
        out.appendEncodedList(key, sliceCount, cellsOfColumn(slices, column));
    out.appendEncodedList(keys::kSliceColors, sliceCount, colorsOfColumn(slices, SliceColour));
    out.appendEncodedList(keys::kSliceLabelColors, sliceCount,
                          colorsOfColumn(slices, SliceLabelClr));
    out.appendEncodedList(keys::kSliceValueColors, sliceCount,
                          colorsOfColumn(slices, SliceValueClr));
    out.appendEncodedList(keys::kSliceShades, sliceCount, cellsOfColumn(slices, SliceShade));
    out.appendEncodedBytes(keys::kPieValuesShown, number(int(pie.valuesShown)));
    out.appendEncodedBytes(keys::kPieShadow, pie.rdoShowShadow ? "1" : "0");
    out.appendEncodedBytes(keys::kPieShadowAlpha, number(pie.trkShadowAlpha.position()));
    out.appendEncodedBytes(keys::kPieShadowY, number(pie.trkShadowUpDown.position()));
    out.appendEncodedBytes(keys::kPieShadowX, number(pie.trkShadowLeftRight.position()));
    out.appendEncodedList(keys::kSliceAlphas, sliceCount, cellsOfColumn(slices, SliceAlpha));
    return std::nullopt;
}

std::optional<Stop> appendNotes(GraphTextBuilder& out, const NotesFields& notes) {
    out.appendEncoded(keys::kNoteCount, notes.edtNotes);
    const auto count = parseWholeNumber(notes.edtNotes);
    if (!count)
        return failed();
    if (*count > 0) {
        const int rows = notes.sgrdNotes.rowCount() - 1;
        for (const auto& [key, column] : keys::kNoteLists)
            out.appendEncodedList(key, rows, cellsOfColumn(notes.sgrdNotes, column));
    }
    return std::nullopt;
}

std::optional<Stop> appendGraph(GraphTextBuilder& out, GraphDocument& document) {
    appendHeaderAndPlacement(out, document);
    auto stop = document.graphType == "pie"_L1 ? appendPieGraph(out, document.pie)
                                               : appendSeriesGraph(out, document);
    if (stop)
        return stop;
    if (auto notesStop = appendNotes(out, document.notes))
        return notesStop;
    out.appendPlain(keys::kTextLoaded, "OK");
    return std::nullopt;
}

} // namespace

GraphTextBuild buildGraphText(GraphDocument& document) {
    document.graphIncomplete = false;
    GraphTextBuilder out;
    if (const auto stop = appendGraph(out, document)) {
        if (stop->status == Status::Incomplete)
            document.graphIncomplete = true;
        return {stop->status, {}, stop->message};
    }
    if (out.metUnsavableText()) {
        const auto problem = checkDocumentText(document);
        return {Status::Failed, {}, problem.value_or(QString::fromLatin1(kWriteErrorMessage))};
    }
    return {Status::Complete, out.text(), {}};
}

QByteArray layoutGraphLines(QByteArrayView text) {
    QByteArray lines;
    lines.reserve(text.size() + qsizetype{kCutLines} * 3);
    for (int line = 0; line < kCutLines; ++line) {
        // Text always starts with the "&" of its first entry, so the cut point is found; a cut
        // at the very first "&" leaves a line of "&" alone and the text as it was.
        const qsizetype cut = LastAmpersandWithin(text, kLineLimit);
        if (cut > 0) {
            lines.append(text.first(cut - 1));
            text = text.sliced(cut - 1);
        }
        lines.append("&\r\n");
    }
    lines.append(text);
    return lines;
}

std::optional<QString> writeGraphLines(const QString& path, QByteArrayView text,
                                       Durability durability) {
    return replaceFile(path, layoutGraphLines(text), durability);
}

GraphWriteResult WriteGraphText(GraphDocument& document, const QString& path,
                                Durability durability) {
    using WriteStatus = GraphWriteResult::Status;
    const GraphTextBuild build = buildGraphText(document);
    if (build.status == Status::Incomplete)
        return {WriteStatus::Incomplete, build.message, {}, {}};
    if (build.status == Status::Failed)
        return {WriteStatus::Failed, build.message, {}, {}};
    if (auto reason = writeGraphLines(path, build.text, durability))
        return {WriteStatus::Failed, QString::fromLatin1(kWriteErrorMessage), *reason, {}};
    return {WriteStatus::Written, {}, {}, build.text};
}

} // namespace tivora
