#include "document/graph_text_writer.h"

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
    out.appendPlain("v_", "2.0");
    out.appendEncoded("gt_", document.graphType);
    if (!isBlankText(header.edtHeader)) {
        out.appendEncoded("hd_", header.edtHeader);
        out.appendEncodedBytes("hp_", QByteArray(1, kHeaderCodes[int(header.headerPosition)]));
        out.appendEncodedBytes("hb_", ColorToText(header.pnlHeaderBackColour.color));
        out.appendEncodedBytes("hc_", ColorToText(header.pnlHeaderFontColour.color));
    }
    out.appendPlainText("bg_", header.pnlBackColour.caption);
    out.appendPlain("bga_", header.chkBGTrans ? "1" : "0");
    out.appendEncoded("ft_", header.edtFooter);
    out.appendEncodedBytes("fc_", ColorToText(header.pnlFootColor.color));
    const PlacementFields& place = document.placement;
    const std::pair<QByteArrayView, const TrackbarPosition*> positions[] = {
        {"xlx", &place.trkXLabelX}, {"xly", &place.trkXLabelY}, {"xtx", &place.trkXTitleX},
        {"xty", &place.trkXTitleY}, {"ylx", &place.trkYLabelX}, {"yly", &place.trkYLabelY},
        {"ytx", &place.trkYTitleX}, {"yty", &place.trkYTitleY}, {"GScale", &place.trkScaleGraph},
        {"GX", &place.trkGX},       {"GY", &place.trkGY}};
    for (const auto& [key, trackbar] : positions)
        out.appendEncodedBytes(key, number(trackbar->position()));
}

void appendSeriesLists(GraphTextBuilder& out, GraphDocument& document) {
    SeriesFields& series = document.series;
    Grid& properties = series.sgrdProp;
    const int seriesCount = series.sgrdData.rowCount() - 1;
    const int columnCount = series.sgrdData.columnCount() - DataFirstValue;
    // Values are a few characters each: room for them all is made once.
    out.reserve(qsizetype(seriesCount + 1) * (columnCount + 16) * 8 + 4096);
    out.appendEncoded("asp_", series.chkASP ? u"ASP"_s : QString());
    out.appendEncoded("sr_", series.edtSeries);
    out.appendEncoded("co_", series.edtCols);
    out.appendEncoded("XGap", series.edtXGap);
    // An empty line width is made "10" in the grid itself, where the user then sees it.
    for (int row = 1; row <= seriesCount; ++row) {
        if (properties.cell(PropLineWidth, row).isEmpty())
            properties.setCell(PropLineWidth, row, u"10"_s);
    }
    const std::pair<QByteArrayView, int> textLists[] = {
        {"lw_", PropLineWidth},  {"typ_", PropType},          {"CVS_", PropFontSize},
        {"CV_", PropShowValues}, {"GCV_", PropAnimateValues}, {"anim_", PropAnimate},
        {"alp_", PropAlpha}};
    for (const auto& [key, column] : textLists)
        out.appendEncodedList(key, seriesCount, cellsOfColumn(properties, column));
    out.appendEncodedList("bsc_", seriesCount, colorsOfColumn(properties, PropColor));
    out.appendEncodedList("blc_", seriesCount, colorsOfColumn(properties, PropValuesColor));
    const Grid& data = series.sgrdData;
    out.appendEncodedList("sl_", seriesCount, cellsOfColumn(data, DataSeriesName));
    out.appendEncodedList("xl_", columnCount,
                          [&data](int i) { return data.cellView(DataFirstValue + i, 0); });
    for (int row = 1; row <= seriesCount; ++row) {
        const QByteArray key = "y" + number(row) + "v_";
        out.appendEncodedList(key, columnCount, [&data, row](int i) {
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
    out.appendEncoded("YMin", automatic(axes.chkMinYCalc, axes.edtMinYVal));
    out.appendEncoded("YMax", automatic(axes.chkMaxYCalc, axes.edtMaxYVal));
    out.appendEncoded("YStep", automatic(axes.chkYStepCalc, axes.edtYStep));
    out.appendEncoded("XMax", axes.edtMaxX);
    out.appendEncoded("XTitle", axes.edtXTitle);
    out.appendEncoded("YTitle", axes.edtYTitle);
    out.appendEncoded("XTitleCol", axes.pnlXTitleColour.caption);
    out.appendEncoded("YTitleCol", axes.pnlYTitleColour.caption);
    out.appendEncoded("YTFont", axes.edtYTitleFont.text());
    out.appendEncoded("YLFont", axes.edtYLabelFont.text());
    out.appendEncoded("XTFont", axes.edtXTitleFont.text());
    out.appendEncoded("XLFont", axes.edtXLabelFont.text());
    out.appendEncoded("YAxisCol", axes.pnlYAxisColour.caption);
    out.appendEncoded("XAxisCol", axes.pnlXAxisColour.caption);
    out.appendEncoded("YGridCol", axes.pnlYGridColour.caption);
    out.appendEncoded("XLabColor", axes.pnlXLabelColour.caption);
    out.appendEncoded("YLabColor", axes.pnlYLabelColour.caption);
}

void appendEffects(GraphTextBuilder& out, const EffectsFields& effects) {
    out.appendEncoded("pcol_", effects.pnlGBackColor.caption);
    out.appendEncodedBytes("pshl_", number(effects.sbShading.position()));
    out.appendEncodedBytes("psh_", number(effects.cbShading));
    QString images;
    for (const QString* image : {&effects.edtBImage1, &effects.edtBImage2, &effects.edtBImage3}) {
        if (!isBlankText(*image))
            images += *image + u"/x/"_s;
    }
    images.chop(3);
    out.appendEncoded("BImages", images);
    out.appendEncodedBytes("BImageAlpha", number(effects.trkBImageAlpha.position()));
    out.appendEncoded("BEffect", effects.edtBOverlay);
    out.appendEncodedBytes("BEffectAlpha", number(effects.trkBOverlayAlpha.position()));
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
    out.appendEncoded("a_", pie.rdoAnimate ? u"Yes"_s : u"No"_s);
    out.appendEncodedBytes("gs_", number(pie.sbAnimSpeed.position()));
    out.appendEncoded("asp_", pie.chkPieASP ? u"ASP"_s : QString());
    out.appendEncoded("sli_", pie.edtPieSlices);
    out.appendEncoded("pieImage", pie.edtPieImage);
    out.appendEncodedBytes("pieAlpha", number(pie.TBPieOverlay.position()));
    out.appendEncoded("XPLFont", pie.edtPieValueFontSize.text());
    out.appendEncoded("XPVFont", pie.edtPieLabelFontSize.text());
    const Grid& slices = pie.sgrdPieSlices;
    const int sliceCount = slices.rowCount() - 1;
    const std::pair<QByteArrayView, int> lists[] = {
        {"SliceLabels", SliceLabel}, {"OffSets", SliceOffset}, {"LXOff", SliceLblMoveX},
        {"LYOff", SliceLblMoveY},    {"VXOff", SliceValMoveX}, {"VYOff", SliceValMoveY},
        {"SliceValues", SliceValue}};
    for (const auto& [key, column] : lists)
        out.appendEncodedList(key, sliceCount, cellsOfColumn(slices, column));
    out.appendEncodedList("SliceColor", sliceCount, colorsOfColumn(slices, SliceColour));
    out.appendEncodedList("PieLabelColor", sliceCount, colorsOfColumn(slices, SliceLabelClr));
    out.appendEncodedList("PieValueColor", sliceCount, colorsOfColumn(slices, SliceValueClr));
    out.appendEncodedList("SliceShade", sliceCount, cellsOfColumn(slices, SliceShade));
    out.appendEncodedBytes("pieToShow", number(int(pie.valuesShown)));
    out.appendEncodedBytes("pieShadow", pie.rdoShowShadow ? "1" : "0");
    out.appendEncodedBytes("pieShadowAlpha", number(pie.trkShadowAlpha.position()));
    out.appendEncodedBytes("pieShadowY", number(pie.trkShadowUpDown.position()));
    out.appendEncodedBytes("pieShadowX", number(pie.trkShadowLeftRight.position()));
    out.appendEncodedList("SliceAlpha", sliceCount, cellsOfColumn(slices, SliceAlpha));
    return std::nullopt;
}

std::optional<Stop> appendNotes(GraphTextBuilder& out, const NotesFields& notes) {
    // Keys in writing order, each with the notes grid column it comes from.
    static constexpr std::pair<const char*, int> kNoteLists[] = {
        {"nos_", 1},   {"noc_", 2},   {"noal_", 3},  {"nofs_", 4},  {"now_", 5},   {"noh_", 6},
        {"nox_", 7},   {"noy_", 8},   {"nohh_", 9},  {"nohx_", 11}, {"nohy_", 12}, {"nohc_", 13},
        {"noht_", 14}, {"nohl_", 10}, {"nohd_", 15}, {"nhdc_", 16}, {"nohf_", 17}, {"nobd_", 18},
        {"nobc_", 19}, {"nobf_", 20}, {"nbdy_", 22}, {"nhdy_", 21}, {"nsh_", 24},  {"nshx_", 25},
        {"nshy_", 26}, {"nsha_", 27}, {"nurl_", 23}};
    out.appendEncoded("no_", notes.edtNotes);
    const auto count = parseWholeNumber(notes.edtNotes);
    if (!count)
        return failed();
    if (*count > 0) {
        const int rows = notes.sgrdNotes.rowCount() - 1;
        for (const auto& [key, column] : kNoteLists)
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
    out.appendPlain("Textloaded", "OK");
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
