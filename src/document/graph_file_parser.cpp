#include "document/graph_file_parser.h"

#include "document/ansi_text.h"
#include "document/grid_layouts.h"
#include "document/number_text.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// Ends the reading at once, as a conversion error does; caught in run().
struct ReadFailure {
    QString message;
};

// Lines are joined without their line breaks: the text is everything but CR and LF. A graph text
// has a handful of line breaks in hundreds of kilobytes, so the text between them is copied whole.
QByteArray joinLines(QByteArrayView bytes) {
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    const auto nextOf = [end](const char* from, char byte) {
        const void* found = std::memchr(from, byte, std::size_t(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    QByteArray joined;
    joined.reserve(bytes.size());
    const char* nextCr = nextOf(at, '\r');
    const char* nextLf = nextOf(at, '\n');
    while (true) {
        const char* lineEnd = std::min(nextCr, nextLf);
        joined.append(at, lineEnd - at);
        if (lineEnd == end)
            return joined;
        at = lineEnd + 1;
        // Only the break just passed is looked for again: each byte is searched once.
        if (lineEnd == nextCr)
            nextCr = nextOf(at, '\r');
        else
            nextLf = nextOf(at, '\n');
    }
}

// Counts beyond these cannot come from a graph anyone made, and reading them would take the
// memory and time of billions of cells: such a file is refused rather than read.
constexpr int kMaxRowsRead = 9999;
constexpr int kMaxColumnsRead = 9999;
constexpr qint64 kMaxValuesRead = 1000000;

void checkCountLimit(int count, int limit, QStringView what) {
    if (count > limit) {
        throw ReadFailure{
            u"The graph file names %1 %2; at most %3 can be read."_s.arg(count).arg(what).arg(
                limit)};
    }
}

int toInt(const QString& text) {
    const auto value = parseWholeNumber(text);
    if (!value)
        throw ReadFailure{invalidIntegerMessage(text)};
    return *value;
}

WindowColor toColor(QByteArrayView text) {
    const auto color = TextToColor(text);
    if (!color)
        throw ReadFailure{invalidIntegerMessage(ansiToString(text))};
    return *color;
}

void setPanel(ColorPanel& panel, const QByteArray& text) {
    panel.caption = ansiToString(text);
    panel.color = toColor(text);
}

void setPosition(TrackbarPosition& trackbar, const QString& text) {
    trackbar.setPosition(toInt(text));
}

// The items of a list, one request at a time. A list shorter than the requests repeats its last
// item. The list is decoded into one string as far as its items are asked for, and texts are
// views into it: a large graph then costs no string per cell, and a huge list of which a few
// items are used is not decoded whole. An item longer than any cell needs is refused.
class ListTexts {
public:
    explicit ListTexts(const QByteArray& list)
        : m_list(list)
        , m_items(list) {}

    QByteArrayView nextItem() {
        const QByteArrayView item = m_items.nextItem();
        if (item.size() > kLongestListItem) {
            throw ReadFailure{u"The graph file holds a list item of %1 bytes; items of at most %2 "
                              "bytes are read."_s.arg(item.size())
                                  .arg(kLongestListItem)};
        }
        return item;
    }

    // Valid until the next request. Windows-1252 gives one character a byte, so an item's text
    // lies where its bytes lie.
    QStringView nextText() {
        const QByteArrayView item = nextItem();
        const qsizetype start = item.data() - m_list.constData();
        const qsizetype missing = start + item.size() - m_texts.size();
        if (missing > 0) {
            const qsizetype chunk =
                std::min(std::max(missing, kDecodedChunk), m_list.size() - m_texts.size());
            m_texts += ansiToString(QByteArrayView(m_list).sliced(m_texts.size(), chunk));
        }
        return QStringView(m_texts).sliced(start, item.size());
    }

    // The next item as a string of its own, for cells down a column: the repeated last item is
    // made once and shared by every further request, so one long item costs its length once.
    QString nextString() {
        const QStringView text = nextText();
        if (!atLastItem())
            return text.toString();
        if (!m_lastString)
            m_lastString = text.toString();
        return *m_lastString;
    }

    bool atLastItem() const { return m_items.atLastItem(); }

private:
    static constexpr qsizetype kDecodedChunk = qsizetype{64} * 1024;

    QByteArray m_list;
    ListReader m_items;
    QString m_texts; // the list decoded as far as asked for
    std::optional<QString> m_lastString;
};

// Writes the items of list into count cells of row from column on; empty items read as emptyAs.
// Once the list's last item is reached it fills the rest of the row at once.
void fillRowFromList(const QByteArray& list, Grid& grid, int row, int column, int count,
                     QStringView emptyAs = {}) {
    ListTexts items(list);
    for (int written = 0; written < count; ++written) {
        QStringView text = items.nextText();
        if (text.isEmpty())
            text = emptyAs;
        if (items.atLastItem()) {
            grid.fillCells(column + written, row, count - written, text);
            return;
        }
        grid.setCell(column + written, row, text);
    }
}

// Hands rows 1 to rowCount - 1 the items of list, one item per row; a list with fewer items gives
// its last item to every further row.
template <typename ApplyItem>
void forEachListItem(const QByteArray& list, int rowCount, ApplyItem apply) {
    ListTexts items(list);
    for (int row = 1; row < rowCount; ++row)
        apply(row, items.nextItem());
}

void applyTextList(const QByteArray& list, Grid& grid, int column) {
    if (list.isEmpty())
        return;
    ListTexts items(list);
    for (int row = 1; row < grid.rowCount(); ++row)
        grid.setCell(column, row, items.nextString());
}

// Characters 3 to 12 of a colour text: its digits without "0x".
QByteArrayView colorDigits(QByteArrayView item) {
    return item.size() <= 2 ? QByteArrayView()
                            : item.sliced(2, std::min<qsizetype>(10, item.size() - 2));
}

// A colour cell shows its colour text without "0x" and is painted in the colour.
void setColorCell(Grid& grid, int column, int row, QByteArrayView item) {
    grid.setCell(column, row, ansiToString(colorDigits(item)));
    grid.setCellColor(column, row, toColor(item));
}

void applyColorList(const QByteArray& list, Grid& grid, int column) {
    if (list.isEmpty())
        return;
    forEachListItem(list, grid.rowCount(), [&grid, column](int row, QByteArrayView item) {
        setColorCell(grid, column, row, item);
    });
}

void fillColumn(Grid& grid, int column, const QString& value) {
    for (int row = 1; row < grid.rowCount(); ++row)
        grid.setCell(column, row, value);
}

} // namespace

GraphFileParser::GraphFileParser(GraphDocument& document, const QByteArray& fileBytes)
    : m_document(document)
    , m_text(joinLines(fileBytes)) {}

QString GraphFileParser::plain(QByteArrayView key) const {
    return ansiToString(m_text.value(key));
}

QByteArray GraphFileParser::decBytes(QByteArrayView key) const {
    return m_text.encodedValue(key);
}

QByteArray GraphFileParser::decBytes(QByteArrayView longKey, QByteArrayView shortKey) const {
    return m_text.encodedValueAlias(longKey, shortKey);
}

QString GraphFileParser::dec(QByteArrayView key) const {
    return ansiToString(decBytes(key));
}

QString GraphFileParser::dec(QByteArrayView longKey, QByteArrayView shortKey) const {
    return ansiToString(decBytes(longKey, shortKey));
}

std::optional<QString> GraphFileParser::run() {
    try {
        m_version = plain("&v_");
        readHeaderAndPlacement();
        const QString type = dec("&graphType", "&gt_");
        m_document.graphType = type;
        m_document.baseType = type;
        m_document.series.chkStacked = type == "sbar"_L1;
        if (type.toUpper() != "PIE"_L1)
            readSeriesGraph();
        else
            readPieGraph();
        readNotes();
    } catch (const ReadFailure& failure) {
        return failure.message;
    }
    return std::nullopt;
}

void GraphFileParser::readHeaderAndPlacement() {
    HeaderFooterFields& header = m_document.header;
    header.edtHeader = dec("&header", "&hd_");
    header.edtFooter = dec("&footer", "&ft_");
    const QString position = dec("&headPos", "&hp_");
    if (position == "0"_L1)
        header.headerPosition = HeaderPosition::Top;
    else if (position == "3"_L1)
        header.headerPosition = HeaderPosition::Bottom;
    else if (position == "1"_L1)
        header.headerPosition = HeaderPosition::Left;
    else if (position == "2"_L1)
        header.headerPosition = HeaderPosition::Right;
    setPanel(header.pnlHeaderBackColour, decBytes("&headBack", "&hb_"));
    setPanel(header.pnlHeaderFontColour, decBytes("&headCol", "&hc_"));
    header.chkBGTrans = plain("&bga_") == "1"_L1;
    setPanel(header.pnlBackColour, m_text.valueAlias("&Backgrnd", "&bg_"));
    setPanel(header.pnlFootColor, decBytes("&footCol", "&fc_"));
    PlacementFields& place = m_document.placement;
    const std::pair<QByteArrayView, TrackbarPosition*> positions[] = {
        {"&xlx", &place.trkXLabelX}, {"&xly", &place.trkXLabelY}, {"&xtx", &place.trkXTitleX},
        {"&xty", &place.trkXTitleY}, {"&ylx", &place.trkYLabelX}, {"&yly", &place.trkYLabelY},
        {"&ytx", &place.trkYTitleX}, {"&yty", &place.trkYTitleY}, {"&GScale", &place.trkScaleGraph},
        {"&GX", &place.trkGX},       {"&GY", &place.trkGY}};
    for (const auto& [key, trackbar] : positions) {
        const QString value = dec(key);
        if (!value.isEmpty())
            setPosition(*trackbar, value);
    }
}

void GraphFileParser::readSeriesGraph() {
    readSeriesCounts();
    QByteArray seriesColors;
    QByteArray labelColors;
    if (m_version == "1.2.01"_L1)
        readLegacyProperties(seriesColors, labelColors);
    else if (m_version == "2.0"_L1)
        readCurrentProperties(seriesColors, labelColors);
    readSeriesColors(seriesColors, labelColors);
    readSeriesData();
    readAxes();
    readEffects();
    // Rows and columns beyond the file's counts start empty, as a new series or column does:
    // raising a count must not bring back the previous graph's series.
    m_document.series.sgrdProp.discardHiddenCells();
    m_document.series.sgrdData.discardHiddenCells();
}

// A text that names no version, graph type or series count is no graph at all (a picture, a
// document, random bytes): saying so helps more than saying that its missing count is no number.
int GraphFileParser::readSeriesCount(const QString& count) const {
    const bool namesGraph = !count.isEmpty() || !m_version.isEmpty() ||
                            !m_document.graphType.isEmpty() || m_text.contains("&sr_") ||
                            m_text.contains("&series");
    if (!namesGraph) {
        throw ReadFailure{
            u"This is not a graph file: it names no version, graph type or series count."_s};
    }
    return toInt(count);
}

void GraphFileParser::readSeriesCounts() {
    SeriesFields& series = m_document.series;
    series.chkASP = dec("&varLoc", "&asp_") == "ASP"_L1;
    series.edtSeries = dec("&series", "&sr_");
    series.edtCols = dec("&cols", "&co_");
    series.edtXGap = dec("&XGap");
    m_seriesCount = readSeriesCount(series.edtSeries);
    m_columnCount = toInt(series.edtCols);
    checkCountLimit(m_seriesCount, kMaxRowsRead, u"series");
    checkCountLimit(m_columnCount, kMaxColumnsRead, u"data columns");
    if (qint64(m_seriesCount) * m_columnCount > kMaxValuesRead) {
        throw ReadFailure{u"The graph file names %1 series of %2 values; at most %3 values can be "
                          "read."_s.arg(m_seriesCount)
                              .arg(m_columnCount)
                              .arg(kMaxValuesRead)};
    }
    shapePropertyGrid(series.sgrdProp, m_seriesCount);
    shapeDataGrid(series.sgrdData, m_seriesCount, m_columnCount);
}

// Files of version 1.2.01 give one value to every series instead of a list per series. Their
// one-value keys begin other keys ("&gs" begins "&GScale", "&CV" begins "&CVS", "&CVS" begins
// "&CVS_"), which may come first in the text, so each is matched as a whole key.
void GraphFileParser::readLegacyProperties(QByteArray& seriesColors, QByteArray& labelColors) {
    Grid& properties = m_document.series.sgrdProp;
    const QString type = m_document.graphType;
    const bool isBar = type == "bar"_L1;
    const auto legacy = [this](QByteArrayView key) {
        return ansiToString(DecodeValue(m_text.exactValue(key)));
    };
    fillColumn(properties, PropAnimateValues, legacy("&GCV"));
    const QString lineWidth = legacy("&lw_");
    fillColumn(properties, PropLineWidth, lineWidth.isEmpty() ? u"10"_s : lineWidth);
    fillColumn(properties, PropFontSize, legacy("&CVS"));
    fillColumn(properties, PropType, type);
    fillColumn(m_document.series.sgrdData, DataType, type);
    const QString animate = legacy("&gs");
    fillColumn(properties, PropAnimate, animate.isEmpty() ? u"NO"_s : animate);
    fillColumn(properties, PropAlpha, legacy(isBar ? "&BBarAlpha" : "&AreaAlpha"));
    const QString showValues = legacy("&CV");
    if (!showValues.isEmpty())
        fillColumn(properties, PropShowValues, showValues);
    seriesColors = isBar ? decBytes("&barColor", "&bsc_") : decBytes("&AreaColor", "&arc_");
    labelColors = decBytes("&BLabelCol", "&blc_");
}

void GraphFileParser::readCurrentProperties(QByteArray& seriesColors, QByteArray& labelColors) {
    Grid& properties = m_document.series.sgrdProp;
    applyTextList(decBytes("&GCV_"), properties, PropAnimateValues);
    const QByteArray lineWidths = decBytes("&lw_");
    if (!lineWidths.isEmpty()) {
        forEachListItem(lineWidths, properties.rowCount(),
                        [&properties](int row, QByteArrayView item) {
                            properties.setCell(PropLineWidth, row,
                                               item.isEmpty() ? u"10"_s : ansiToString(item));
                        });
    }
    applyTextList(decBytes("&CVS_"), properties, PropFontSize);
    const QByteArray types = decBytes("&typ_");
    applyTextList(types, properties, PropType);
    applyTextList(types, m_document.series.sgrdData, DataType);
    applyTextList(decBytes("&anim_"), properties, PropAnimate);
    applyTextList(decBytes("&alp_"), properties, PropAlpha);
    applyTextList(decBytes("&CV_"), properties, PropShowValues);
    seriesColors = decBytes("&barColor", "&bsc_");
    labelColors = decBytes("&BLabelCol", "&blc_");
}

void GraphFileParser::readSeriesColors(const QByteArray& seriesColors,
                                       const QByteArray& labelColors) {
    Grid& properties = m_document.series.sgrdProp;
    Grid& data = m_document.series.sgrdData;
    if (!seriesColors.isEmpty()) {
        forEachListItem(seriesColors, properties.rowCount(), [&](int row, QByteArrayView item) {
            setColorCell(properties, PropColor, row, item);
            data.setCellColor(DataColor, row, toColor(item));
        });
    }
    if (!labelColors.isEmpty()) {
        forEachListItem(labelColors, data.rowCount(), [&](int row, QByteArrayView item) {
            setColorCell(properties, PropValuesColor, row, item);
        });
    }
}

void GraphFileParser::readSeriesData() {
    Grid& data = m_document.series.sgrdData;
    const QByteArray labels = decBytes("&XLabels", "&xl_");
    if (!labels.isEmpty())
        fillRowFromList(labels, data, 0, DataFirstValue, m_columnCount, u"Title");
    const QByteArray names = decBytes("&SeriesLabels", "&sl_");
    if (!names.isEmpty()) {
        ListTexts items(names);
        for (int row = 1; row <= m_seriesCount; ++row)
            data.setCell(DataSeriesName, row, items.nextString());
    }
    for (int row = 1; row <= m_seriesCount; ++row) {
        const QByteArray number = QByteArray::number(row);
        const QByteArray longKey = "&Y" + number + "Values";
        const QByteArray shortKey = "&y" + number + "v_";
        const QByteArray values = decBytes(longKey, shortKey);
        if (!values.isEmpty())
            fillRowFromList(values, data, row, DataFirstValue, m_columnCount);
    }
}

void GraphFileParser::readAxes() {
    AxisFields& axes = m_document.axes;
    const std::tuple<QByteArrayView, bool*, QString*, QString> yValues[] = {
        {"&YMin", &axes.chkMinYCalc, &axes.edtMinYVal, u"0"_s},
        {"&YMax", &axes.chkMaxYCalc, &axes.edtMaxYVal, u"100"_s},
        {"&YStep", &axes.chkYStepCalc, &axes.edtYStep, u"10"_s}};
    for (const auto& [key, automatic, edit, automaticText] : yValues) {
        const QString value = dec(key);
        *automatic = value == "auto"_L1;
        *edit = *automatic ? automaticText : value;
    }
    axes.edtYTitleFont.setText(dec("&YTFont"));
    axes.edtYLabelFont.setText(dec("&YLFont"));
    axes.edtXTitleFont.setText(dec("&XTFont"));
    axes.edtMaxX = dec("&XMax");
    axes.edtXLabelFont.setText(dec("&XLFont"));
    axes.edtXTitle = dec("&XTitle");
    axes.edtYTitle = dec("&YTitle");
    for (UpDownEdit* font :
         {&axes.edtXTitleFont, &axes.edtYTitleFont, &axes.edtXLabelFont, &axes.edtYLabelFont})
        font->setPosition(toInt(font->text()));
    const std::pair<QByteArrayView, ColorPanel*> panels[] = {
        {"&XTitleCol", &axes.pnlXTitleColour}, {"&YTitleCol", &axes.pnlYTitleColour},
        {"&YAxisCol", &axes.pnlYAxisColour},   {"&XAxisCol", &axes.pnlXAxisColour},
        {"&YGridCol", &axes.pnlYGridColour},   {"&XLabColor", &axes.pnlXLabelColour},
        {"&YLabColor", &axes.pnlYLabelColour}};
    for (const auto& [key, panel] : panels)
        setPanel(*panel, decBytes(key));
}

void GraphFileParser::readEffects() {
    EffectsFields& effects = m_document.effects;
    effects.edtBImage1.clear();
    effects.edtBImage2.clear();
    effects.edtBImage3.clear();
    const QByteArray images = decBytes("&BImages");
    if (!images.isEmpty()) {
        ListTexts items(images);
        for (QString* image : {&effects.edtBImage1, &effects.edtBImage2, &effects.edtBImage3})
            *image = items.nextString();
    }
    const QString shading = dec("&pshl_");
    effects.sbShading.setPosition(shading.isEmpty() ? 50 : toInt(shading));
    const QString shadingType = dec("&psh_");
    const int shadingIndex = shadingType.isEmpty() ? 0 : toInt(shadingType);
    // The shading list has 12 items; an index outside them selects none.
    effects.cbShading = shadingIndex >= 0 && shadingIndex < 12 ? shadingIndex : -1;
    setPanel(effects.pnlGBackColor, decBytes("&pcol_"));
    setPosition(effects.trkBImageAlpha, dec("&BImageAlpha"));
    effects.edtBOverlay = dec("&BEffect");
    const QString overlayAlpha = dec("&BEffectAlpha");
    if (!overlayAlpha.isEmpty())
        setPosition(effects.trkBOverlayAlpha, overlayAlpha);
}

void GraphFileParser::readPieGraph() {
    PieFields& pie = m_document.pie;
    const QString speed = dec("&gs_");
    pie.sbAnimSpeed.setPosition(speed.isEmpty() ? 5 : toInt(speed));
    pie.rdoAnimate = dec("&animate", "&a_").toUpper() == "YES"_L1;
    pie.edtPieSlices = dec("&sli_");
    pie.edtPieImage = dec("&pieImage");
    setPosition(pie.TBPieOverlay, dec("&pieAlpha"));
    const int sliceCount = toInt(pie.edtPieSlices);
    checkCountLimit(sliceCount, kMaxRowsRead, u"slices");
    shapeSliceGrid(pie.sgrdPieSlices, sliceCount);
    for (int column = SliceLblMoveX; column <= SliceValMoveY; ++column)
        fillColumn(pie.sgrdPieSlices, column, u"0"_s);
    pie.chkPieASP = dec("&varLoc", "&asp_") == "ASP"_L1;
    readSliceLists();
    pie.edtPieValueFontSize.setText(dec("&XPLFont"));
    pie.edtPieLabelFontSize.setText(dec("&XPVFont"));
    pie.edtPieLabelFontSize.setPosition(toInt(pie.edtPieLabelFontSize.text()));
    pie.edtPieValueFontSize.setPosition(toInt(pie.edtPieValueFontSize.text()));
    pie.valuesShown = PieValuesShown::Percentages;
    const QString shown = dec("&pieToShow");
    if (shown == "1"_L1)
        pie.valuesShown = PieValuesShown::Values;
    else if (shown == "2"_L1)
        pie.valuesShown = PieValuesShown::None;
    pie.rdoShowShadow = dec("&pieShadow") == "1"_L1;
    const std::pair<QByteArrayView, TrackbarPosition*> shadow[] = {
        {"&pieShadowAlpha", &pie.trkShadowAlpha},
        {"&pieShadowY", &pie.trkShadowUpDown},
        {"&pieShadowX", &pie.trkShadowLeftRight}};
    for (const auto& [key, trackbar] : shadow) {
        const QString value = dec(key);
        if (!value.isEmpty())
            setPosition(*trackbar, value);
    }
}

void GraphFileParser::readSliceLists() {
    Grid& slices = m_document.pie.sgrdPieSlices;
    const QByteArray labels = decBytes("&SliceLabels");
    if (!labels.isEmpty()) {
        forEachListItem(labels, slices.rowCount(), [&slices](int row, QByteArrayView item) {
            slices.setCell(SliceLabel, row, ansiToString(item));
            slices.setCell(SliceNo, row, QString::number(row));
        });
    }
    const std::pair<QByteArrayView, int> lists[] = {
        {"&OffSets", SliceOffset}, {"&LXOff", SliceLblMoveX}, {"&LYOff", SliceLblMoveY},
        {"&VXOff", SliceValMoveX}, {"&VYOff", SliceValMoveY}, {"&SliceValues", SliceValue}};
    for (const auto& [key, column] : lists)
        applyTextList(decBytes(key), slices, column);
    applyColorList(decBytes("&SliceColor"), slices, SliceColour);
    applyColorList(decBytes("&PieLabelColor"), slices, SliceLabelClr);
    applyColorList(decBytes("&PieValueColor"), slices, SliceValueClr);
    applyTextList(decBytes("&SliceShade"), slices, SliceShade);
    applyTextList(decBytes("&SliceAlpha"), slices, SliceAlpha);
    // Slices beyond the count start empty (the count change gives them their defaults), so that
    // raising it does not bring back the previous graph's slices and their colours.
    slices.discardHiddenCells();
}

void GraphFileParser::readNotes() {
    static constexpr std::pair<const char*, int> kNoteLists[] = {
        {"&noc_", 2},   {"&noal_", 3},  {"&nofs_", 4},  {"&now_", 5},   {"&noh_", 6},
        {"&nox_", 7},   {"&noy_", 8},   {"&nohh_", 9},  {"&nohx_", 11}, {"&nohy_", 12},
        {"&nohc_", 13}, {"&noht_", 14}, {"&nohl_", 10}, {"&nos_", 1},   {"&nohd_", 15},
        {"&nhdc_", 16}, {"&nohf_", 17}, {"&nobd_", 18}, {"&nobc_", 19}, {"&nobf_", 20},
        {"&nhdy_", 21}, {"&nbdy_", 22}, {"&nsh_", 24},  {"&nshy_", 26}, {"&nshx_", 25},
        {"&nsha_", 27}, {"&nurl_", 23}};
    NotesFields& notes = m_document.notes;
    resetNotesGrid(notes.sgrdNotes);
    // Rows past the prepared ones keep nothing of the previous graph's notes.
    notes.sgrdNotes.discardHiddenCells();
    notes.edtNotes = u"0"_s;
    setNoteRowCount(notes.sgrdNotes, 0);
    const QString count = dec("&no_");
    if (count.isEmpty())
        return;
    notes.edtNotes = count;
    const int noteCount = toInt(count);
    checkCountLimit(noteCount, kMaxRowsRead, u"notes");
    setNoteRowCount(notes.sgrdNotes, noteCount);
    for (const auto& [key, column] : kNoteLists)
        applyTextList(decBytes(key), notes.sgrdNotes, column);
}

} // namespace tivora
