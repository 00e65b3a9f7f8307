#include "document/graph_file_parser.h"

#include "document/ansi_text.h"
#include "document/graph_keys.h"
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
        m_version = plain(keys::kVersion);
        readHeaderAndPlacement();
        const QString type = dec(keys::kGraphTypeLong, keys::kGraphType);
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
    header.edtHeader = dec(keys::kHeaderLong, keys::kHeader);
    header.edtFooter = dec(keys::kFooterLong, keys::kFooter);
    const QString position = dec(keys::kHeaderPositionLong, keys::kHeaderPosition);
    if (position == "0"_L1)
        header.headerPosition = HeaderPosition::Top;
    else if (position == "3"_L1)
        header.headerPosition = HeaderPosition::Bottom;
    else if (position == "1"_L1)
        header.headerPosition = HeaderPosition::Left;
    else if (position == "2"_L1)
        header.headerPosition = HeaderPosition::Right;
    setPanel(header.pnlHeaderBackColour,
             decBytes(keys::kHeaderBackColorLong, keys::kHeaderBackColor));
    setPanel(header.pnlHeaderFontColour,
             decBytes(keys::kHeaderFontColorLong, keys::kHeaderFontColor));
    header.chkBGTrans = plain(keys::kBackTransparent) == "1"_L1;
    setPanel(header.pnlBackColour, m_text.valueAlias(keys::kBackColorLong, keys::kBackColor));
    setPanel(header.pnlFootColor, decBytes(keys::kFooterColorLong, keys::kFooterColor));
    for (const auto& [key, trackbar] : keys::kPlacementEntries) {
        const QString value = dec(key);
        if (!value.isEmpty())
            setPosition(m_document.placement.*trackbar, value);
    }
}

void GraphFileParser::readSeriesGraph() {
    readSeriesCounts();
    QByteArray seriesColors;
    QByteArray labelColors;
    if (m_version == QLatin1StringView(keys::kLegacyVersion))
        readLegacyProperties(seriesColors, labelColors);
    else if (m_version == QLatin1StringView(keys::kCurrentVersion))
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
    const bool namesGraph =
        !count.isEmpty() || !m_version.isEmpty() || !m_document.graphType.isEmpty() ||
        m_text.contains(keys::kSeriesCount) || m_text.contains(keys::kSeriesCountLong);
    if (!namesGraph) {
        throw ReadFailure{
            u"This is not a graph file: it names no version, graph type or series count."_s};
    }
    return toInt(count);
}

void GraphFileParser::readSeriesCounts() {
    SeriesFields& series = m_document.series;
    series.chkASP = dec(keys::kAspFlagLong, keys::kAspFlag) == "ASP"_L1;
    series.edtSeries = dec(keys::kSeriesCountLong, keys::kSeriesCount);
    series.edtCols = dec(keys::kColumnCountLong, keys::kColumnCount);
    series.edtXGap = dec(keys::kColumnGap);
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
    fillColumn(properties, PropAnimateValues, legacy(keys::kLegacyAnimateValues));
    const QString lineWidth = legacy(keys::kLineWidths);
    fillColumn(properties, PropLineWidth, lineWidth.isEmpty() ? u"10"_s : lineWidth);
    fillColumn(properties, PropFontSize, legacy(keys::kLegacyValueFontSize));
    fillColumn(properties, PropType, type);
    fillColumn(m_document.series.sgrdData, DataType, type);
    const QString animate = legacy(keys::kLegacyAnimateSpeed);
    fillColumn(properties, PropAnimate, animate.isEmpty() ? u"NO"_s : animate);
    fillColumn(properties, PropAlpha, legacy(isBar ? keys::kLegacyBarAlpha : keys::kAreaAlpha));
    const QString showValues = legacy(keys::kLegacyShowValues);
    if (!showValues.isEmpty())
        fillColumn(properties, PropShowValues, showValues);
    seriesColors = isBar ? decBytes(keys::kSeriesColorsLong, keys::kSeriesColors)
                         : decBytes(keys::kLegacyAreaColorsLong, keys::kLegacyAreaColors);
    labelColors = decBytes(keys::kValueColorsLong, keys::kValueColors);
}

void GraphFileParser::readCurrentProperties(QByteArray& seriesColors, QByteArray& labelColors) {
    Grid& properties = m_document.series.sgrdProp;
    applyTextList(decBytes(keys::kAnimateValues), properties, PropAnimateValues);
    const QByteArray lineWidths = decBytes(keys::kLineWidths);
    if (!lineWidths.isEmpty()) {
        forEachListItem(lineWidths, properties.rowCount(),
                        [&properties](int row, QByteArrayView item) {
                            properties.setCell(PropLineWidth, row,
                                               item.isEmpty() ? u"10"_s : ansiToString(item));
                        });
    }
    applyTextList(decBytes(keys::kValueFontSizes), properties, PropFontSize);
    const QByteArray types = decBytes(keys::kSeriesTypes);
    applyTextList(types, properties, PropType);
    applyTextList(types, m_document.series.sgrdData, DataType);
    applyTextList(decBytes(keys::kAnimateSpeeds), properties, PropAnimate);
    applyTextList(decBytes(keys::kSeriesAlphas), properties, PropAlpha);
    applyTextList(decBytes(keys::kShowValues), properties, PropShowValues);
    seriesColors = decBytes(keys::kSeriesColorsLong, keys::kSeriesColors);
    labelColors = decBytes(keys::kValueColorsLong, keys::kValueColors);
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
    const QByteArray labels = decBytes(keys::kColumnLabelsLong, keys::kColumnLabels);
    if (!labels.isEmpty())
        fillRowFromList(labels, data, 0, DataFirstValue, m_columnCount, u"Title");
    const QByteArray names = decBytes(keys::kSeriesNamesLong, keys::kSeriesNames);
    if (!names.isEmpty()) {
        ListTexts items(names);
        for (int row = 1; row <= m_seriesCount; ++row)
            data.setCell(DataSeriesName, row, items.nextString());
    }
    for (int row = 1; row <= m_seriesCount; ++row) {
        const QByteArray values = decBytes(keys::seriesValuesLong(row), keys::seriesValues(row));
        if (!values.isEmpty())
            fillRowFromList(values, data, row, DataFirstValue, m_columnCount);
    }
}

void GraphFileParser::readAxes() {
    AxisFields& axes = m_document.axes;
    const std::tuple<QByteArrayView, bool*, QString*, QString> yValues[] = {
        {keys::kYMinimum, &axes.chkMinYCalc, &axes.edtMinYVal, u"0"_s},
        {keys::kYMaximum, &axes.chkMaxYCalc, &axes.edtMaxYVal, u"100"_s},
        {keys::kYStep, &axes.chkYStepCalc, &axes.edtYStep, u"10"_s}};
    for (const auto& [key, automatic, edit, automaticText] : yValues) {
        const QString value = dec(key);
        *automatic = value == "auto"_L1;
        *edit = *automatic ? automaticText : value;
    }
    axes.edtYTitleFont.setText(dec(keys::kYTitleFont));
    axes.edtYLabelFont.setText(dec(keys::kYLabelFont));
    axes.edtXTitleFont.setText(dec(keys::kXTitleFont));
    axes.edtMaxX = dec(keys::kXLabelCount);
    axes.edtXLabelFont.setText(dec(keys::kXLabelFont));
    axes.edtXTitle = dec(keys::kXTitle);
    axes.edtYTitle = dec(keys::kYTitle);
    for (UpDownEdit* font :
         {&axes.edtXTitleFont, &axes.edtYTitleFont, &axes.edtXLabelFont, &axes.edtYLabelFont})
        font->setPosition(toInt(font->text()));
    const std::pair<QByteArrayView, ColorPanel*> panels[] = {
        {keys::kXTitleColor, &axes.pnlXTitleColour}, {keys::kYTitleColor, &axes.pnlYTitleColour},
        {keys::kYAxisColor, &axes.pnlYAxisColour},   {keys::kXAxisColor, &axes.pnlXAxisColour},
        {keys::kYGridColor, &axes.pnlYGridColour},   {keys::kXLabelColor, &axes.pnlXLabelColour},
        {keys::kYLabelColor, &axes.pnlYLabelColour}};
    for (const auto& [key, panel] : panels)
        setPanel(*panel, decBytes(key));
}

void GraphFileParser::readEffects() {
    EffectsFields& effects = m_document.effects;
    effects.edtBImage1.clear();
    effects.edtBImage2.clear();
    effects.edtBImage3.clear();
    const QByteArray images = decBytes(keys::kBackImages);
    if (!images.isEmpty()) {
        ListTexts items(images);
        for (QString* image : {&effects.edtBImage1, &effects.edtBImage2, &effects.edtBImage3})
            *image = items.nextString();
    }
    const QString shading = dec(keys::kShadingDepth);
    effects.sbShading.setPosition(shading.isEmpty() ? 50 : toInt(shading));
    const QString shadingType = dec(keys::kShadingType);
    const int shadingIndex = shadingType.isEmpty() ? 0 : toInt(shadingType);
    // The shading list has 12 items; an index outside them selects none.
    effects.cbShading = shadingIndex >= 0 && shadingIndex < 12 ? shadingIndex : -1;
    setPanel(effects.pnlGBackColor, decBytes(keys::kPlotColor));
    setPosition(effects.trkBImageAlpha, dec(keys::kBackImageAlpha));
    effects.edtBOverlay = dec(keys::kBackEffect);
    const QString overlayAlpha = dec(keys::kBackEffectAlpha);
    if (!overlayAlpha.isEmpty())
        setPosition(effects.trkBOverlayAlpha, overlayAlpha);
}

void GraphFileParser::readPieGraph() {
    PieFields& pie = m_document.pie;
    const QString speed = dec(keys::kPieSpeed);
    pie.sbAnimSpeed.setPosition(speed.isEmpty() ? 5 : toInt(speed));
    pie.rdoAnimate = dec(keys::kPieAnimateLong, keys::kPieAnimate).toUpper() == "YES"_L1;
    pie.edtPieSlices = dec(keys::kSliceCount);
    pie.edtPieImage = dec(keys::kPieImage);
    setPosition(pie.TBPieOverlay, dec(keys::kPieImageAlpha));
    const int sliceCount = toInt(pie.edtPieSlices);
    checkCountLimit(sliceCount, kMaxRowsRead, u"slices");
    shapeSliceGrid(pie.sgrdPieSlices, sliceCount);
    for (int column = SliceLblMoveX; column <= SliceValMoveY; ++column)
        fillColumn(pie.sgrdPieSlices, column, u"0"_s);
    pie.chkPieASP = dec(keys::kAspFlagLong, keys::kAspFlag) == "ASP"_L1;
    readSliceLists();
    pie.edtPieValueFontSize.setText(dec(keys::kPieValueFont));
    pie.edtPieLabelFontSize.setText(dec(keys::kPieLabelFont));
    pie.edtPieLabelFontSize.setPosition(toInt(pie.edtPieLabelFontSize.text()));
    pie.edtPieValueFontSize.setPosition(toInt(pie.edtPieValueFontSize.text()));
    pie.valuesShown = PieValuesShown::Percentages;
    const QString shown = dec(keys::kPieValuesShown);
    if (shown == "1"_L1)
        pie.valuesShown = PieValuesShown::Values;
    else if (shown == "2"_L1)
        pie.valuesShown = PieValuesShown::None;
    pie.rdoShowShadow = dec(keys::kPieShadow) == "1"_L1;
    const std::pair<QByteArrayView, TrackbarPosition*> shadow[] = {
        {keys::kPieShadowAlpha, &pie.trkShadowAlpha},
        {keys::kPieShadowY, &pie.trkShadowUpDown},
        {keys::kPieShadowX, &pie.trkShadowLeftRight}};
    for (const auto& [key, trackbar] : shadow) {
        const QString value = dec(key);
        if (!value.isEmpty())
            setPosition(*trackbar, value);
    }
}

void GraphFileParser::readSliceLists() {
    Grid& slices = m_document.pie.sgrdPieSlices;
    const QByteArray labels = decBytes(keys::kSliceLabels);
    if (!labels.isEmpty()) {
        forEachListItem(labels, slices.rowCount(), [&slices](int row, QByteArrayView item) {
            slices.setCell(SliceLabel, row, ansiToString(item));
            slices.setCell(SliceNo, row, QString::number(row));
        });
    }
    const std::pair<QByteArrayView, int> lists[] = {
        {keys::kSliceOffsets, SliceOffset},      {keys::kSliceLabelMoveX, SliceLblMoveX},
        {keys::kSliceLabelMoveY, SliceLblMoveY}, {keys::kSliceValueMoveX, SliceValMoveX},
        {keys::kSliceValueMoveY, SliceValMoveY}, {keys::kSliceValues, SliceValue}};
    for (const auto& [key, column] : lists)
        applyTextList(decBytes(key), slices, column);
    applyColorList(decBytes(keys::kSliceColors), slices, SliceColour);
    applyColorList(decBytes(keys::kSliceLabelColors), slices, SliceLabelClr);
    applyColorList(decBytes(keys::kSliceValueColors), slices, SliceValueClr);
    applyTextList(decBytes(keys::kSliceShades), slices, SliceShade);
    applyTextList(decBytes(keys::kSliceAlphas), slices, SliceAlpha);
    // Slices beyond the count start empty (the count change gives them their defaults), so that
    // raising it does not bring back the previous graph's slices and their colours.
    slices.discardHiddenCells();
}

void GraphFileParser::readNotes() {
    NotesFields& notes = m_document.notes;
    resetNotesGrid(notes.sgrdNotes);
    // Rows past the prepared ones keep nothing of the previous graph's notes.
    notes.sgrdNotes.discardHiddenCells();
    notes.edtNotes = u"0"_s;
    setNoteRowCount(notes.sgrdNotes, 0);
    const QString count = dec(keys::kNoteCount);
    if (count.isEmpty())
        return;
    notes.edtNotes = count;
    const int noteCount = toInt(count);
    checkCountLimit(noteCount, kMaxRowsRead, u"notes");
    setNoteRowCount(notes.sgrdNotes, noteCount);
    // Each list fills a column of its own, so the order they are read in makes no difference.
    for (const auto& [key, column] : keys::kNoteLists)
        applyTextList(decBytes(key), notes.sgrdNotes, column);
}

} // namespace tivora
