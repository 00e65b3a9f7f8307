#include "editing/template_graphs.h"

#include "document/graph_text_writer.h"
#include "document/grid_layouts.h"
#include "document/variable_text.h"

#include <QDir>
#include <QPoint>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

ColorPanel panel(QByteArrayView text) {
    return ColorPanel{QString::fromLatin1(text), TextToColor(text).value_or(kSilver)};
}

// The colours the samples share, picked to sit well together on white.
constexpr QByteArrayView kNavy = "0x1F4E79";
constexpr QByteArrayView kOrange = "0xED7D31";
constexpr QByteArrayView kGreen = "0x70AD47";
constexpr QByteArrayView kGold = "0xFFC000";
constexpr QByteArrayView kTeal = "0x2E9C9C";
constexpr QByteArrayView kPlum = "0x8E5B9C";
constexpr QByteArrayView kSlate = "0x44546A";
constexpr QByteArrayView kWhite = "0xFFFFFF";
constexpr QByteArrayView kPaper = "0xF4F7FB";

struct Series {
    QString name;
    QString type;
    QByteArrayView colour;
    QStringList values;
};

struct Slice {
    QString label;
    QString value;
    QByteArrayView colour;
    QString offset = u"0"_s;
};

// A graph with every colour panel set, so that no sample falls back to the silver of an unset one.
GraphDocument startGraph(const QString& type, const QString& header) {
    GraphDocument document;
    document.graphType = type;
    document.baseType = type;
    document.header.edtHeader = header;
    document.header.pnlHeaderBackColour = panel(kSlate);
    document.header.pnlHeaderFontColour = panel(kWhite);
    document.header.pnlBackColour = panel(kWhite);
    document.header.pnlFootColor = panel(kSlate);
    AxisFields& axes = document.axes;
    for (ColorPanel* text : {&axes.pnlXTitleColour, &axes.pnlYTitleColour, &axes.pnlXLabelColour,
                             &axes.pnlYLabelColour})
        *text = panel(kSlate);
    axes.pnlXAxisColour = panel("0x7F7F7F");
    axes.pnlYAxisColour = panel("0x7F7F7F");
    axes.pnlYGridColour = panel("0xD9D9D9");
    document.effects.pnlGBackColor = panel(kPaper);
    document.effects.sbShading.setPosition(20);
    resetNotesGrid(document.notes.sgrdNotes);
    setNoteRowCount(document.notes.sgrdNotes, 0);
    return document;
}

void setYAxis(AxisFields& axes, int minimum, int maximum, int step) {
    axes.edtMinYVal = QString::number(minimum);
    axes.edtMaxYVal = QString::number(maximum);
    axes.edtYStep = QString::number(step);
}

GraphDocument seriesGraph(const QString& type, const QString& header, const QStringList& labels,
                          const std::vector<Series>& series) {
    GraphDocument document = startGraph(type, header);
    SeriesFields& fields = document.series;
    const int rows = int(series.size());
    const int columns = int(labels.size());
    fields.edtSeries = QString::number(rows);
    fields.edtCols = QString::number(columns);
    fields.edtXGap = u"0.25"_s;
    fields.chkStacked = type == u"sbar"_s;
    shapeDataGrid(fields.sgrdData, rows, columns);
    shapePropertyGrid(fields.sgrdProp, rows);
    for (int column = 0; column < columns; ++column)
        fields.sgrdData.setCell(DataFirstValue + column, 0, labels[column]);
    for (int row = 1; row <= rows; ++row) {
        const Series& one = series[std::size_t(row - 1)];
        setNewSeriesDefaults(fields.sgrdData, fields.sgrdProp, row, one.type);
        const WindowColor colour = TextToColor(one.colour).value_or(kSilver);
        fields.sgrdProp.setCell(PropColor, row, QString::fromLatin1(one.colour));
        fields.sgrdProp.setCellColor(PropColor, row, colour);
        fields.sgrdProp.setCellColor(PropValuesColor, row, TextToColor(kSlate));
        fields.sgrdProp.setCell(PropFontSize, row, u"11"_s);
        fields.sgrdProp.setCell(PropLineWidth, row, one.type == u"line"_s ? u"8"_s : u"10"_s);
        fields.sgrdData.setCellColor(DataColor, row, colour);
        fields.sgrdData.setCell(DataSeriesName, row, one.name);
        for (int column = 0; column < columns; ++column)
            fields.sgrdData.setCell(DataFirstValue + column, row, one.values.value(column));
    }
    return document;
}

// An empty graph of one base type: one series, named but without values, over four columns. Its
// title is a placeholder to type over: a graph without one would not keep the title's colours,
// and a title typed later would show in the reader's silver on silver.
GraphDocument emptySeriesGraph(const QString& type, const QString& title) {
    GraphDocument document = seriesGraph(type, title, {u"1"_s, u"2"_s, u"3"_s, u"4"_s},
                                         {{u"Series 1"_s, type, kNavy, {}}});
    setYAxis(document.axes, 0, 100, 10);
    document.axes.chkMinYCalc = true;
    document.axes.chkMaxYCalc = true;
    document.axes.chkYStepCalc = true;
    document.effects.sbShading.setPosition(0);
    document.effects.pnlGBackColor = panel(kWhite);
    return document;
}

GraphDocument pieGraph(const QString& header, const std::vector<Slice>& slices) {
    GraphDocument document = startGraph(u"pie"_s, header);
    PieFields& pie = document.pie;
    const int rows = int(slices.size());
    pie.edtPieSlices = QString::number(rows);
    shapeSliceGrid(pie.sgrdPieSlices, rows);
    Grid& grid = pie.sgrdPieSlices;
    for (int row = 1; row <= rows; ++row) {
        const Slice& slice = slices[std::size_t(row - 1)];
        grid.setCell(SliceNo, row, QString::number(row));
        grid.setCell(SliceLabel, row, slice.label);
        grid.setCell(SliceValue, row, slice.value);
        grid.setCell(SliceOffset, row, slice.offset);
        grid.setCell(SliceShade, row, u"YES"_s);
        grid.setCell(SliceAlpha, row, u"90"_s);
        for (int column = SliceLblMoveX; column <= SliceValMoveY; ++column)
            grid.setCell(column, row, u"0"_s);
        const std::pair<int, QByteArrayView> colours[] = {
            {SliceColour, slice.colour}, {SliceValueClr, kWhite}, {SliceLabelClr, kSlate}};
        for (const auto& [column, text] : colours) {
            grid.setCell(column, row, QString::fromLatin1(text.sliced(2)));
            grid.setCellColor(column, row, TextToColor(text));
        }
    }
    return document;
}

// Adds a note with its heading and body lines at (x, y), its highlight spot at (spotX, spotY).
void addNote(GraphDocument& document, const QString& heading, const QString& body, QPoint at,
             QPoint spot) {
    NotesFields& notes = document.notes;
    const int row = notes.edtNotes.toInt() + 1;
    notes.edtNotes = QString::number(row);
    setNoteRowCount(notes.sgrdNotes, row);
    Grid& grid = notes.sgrdNotes;
    for (int column = 1; column < kNoteColumnCount; ++column)
        grid.setCell(column, row, defaultNoteCell(column, row));
    const std::pair<int, QString> cells[] = {{1, u"1"_s},
                                             {2, QString::fromLatin1(kNavy)},
                                             {3, u"85"_s},
                                             {4, u"Shaded"_s},
                                             {5, u"170"_s},
                                             {6, u"70"_s},
                                             {7, QString::number(at.x())},
                                             {8, QString::number(at.y())},
                                             {9, u"Yes"_s},
                                             {10, u"Yes"_s},
                                             {11, QString::number(spot.x())},
                                             {12, QString::number(spot.y())},
                                             {13, QString::fromLatin1(kGold)},
                                             {15, heading},
                                             {16, u"0xFFFFFF"_s},
                                             {17, u"14"_s},
                                             {18, body},
                                             {19, u"0xDDEBF7"_s},
                                             {20, u"11"_s},
                                             {21, u"8"_s},
                                             {22, u"32"_s},
                                             {24, u"Yes"_s},
                                             {25, u"6"_s},
                                             {26, u"6"_s}};
    for (const auto& [column, text] : cells)
        grid.setCell(column, row, text);
}

const QStringList kQuarters = {u"Q1"_s, u"Q2"_s, u"Q3"_s, u"Q4"_s};
const QStringList kMonths = {u"Jan"_s, u"Feb"_s, u"Mar"_s, u"Apr"_s, u"May"_s, u"Jun"_s};

GraphDocument threeSeriesBar() {
    GraphDocument document =
        seriesGraph(u"bar"_s, u"Sales by Region"_s, kQuarters,
                    {{u"North"_s, u"bar"_s, kNavy, {u"42"_s, u"55"_s, u"61"_s, u"70"_s}},
                     {u"South"_s, u"bar"_s, kOrange, {u"35"_s, u"40"_s, u"52"_s, u"58"_s}},
                     {u"West"_s, u"bar"_s, kGreen, {u"28"_s, u"36"_s, u"33"_s, u"47"_s}}});
    setYAxis(document.axes, 0, 80, 10);
    document.axes.edtXTitle = u"Quarter"_s;
    document.axes.edtYTitle = u"Sales ($k)"_s;
    document.header.edtFooter = u"Figures in thousands of dollars"_s;
    return document;
}

GraphDocument threeSeriesStack() {
    GraphDocument document =
        seriesGraph(u"sbar"_s, u"Revenue Mix"_s, kQuarters,
                    {{u"Products"_s, u"bar"_s, kNavy, {u"120"_s, u"135"_s, u"150"_s, u"170"_s}},
                     {u"Services"_s, u"bar"_s, kTeal, {u"60"_s, u"72"_s, u"80"_s, u"95"_s}},
                     {u"Licences"_s, u"bar"_s, kGold, {u"25"_s, u"30"_s, u"28"_s, u"40"_s}}});
    setYAxis(document.axes, 0, 350, 50);
    document.axes.edtXTitle = u"Quarter"_s;
    document.axes.edtYTitle = u"Revenue ($k)"_s;
    return document;
}

GraphDocument threeSeriesLineWithNotes() {
    GraphDocument document = seriesGraph(
        u"line"_s, u"Website Visitors"_s, kMonths,
        {{u"2024"_s, u"line"_s, kNavy, {u"32"_s, u"35"_s, u"41"_s, u"38"_s, u"46"_s, u"52"_s}},
         {u"2025"_s, u"line"_s, kOrange, {u"40"_s, u"44"_s, u"50"_s, u"61"_s, u"58"_s, u"69"_s}},
         {u"Target"_s, u"line"_s, kGreen, {u"45"_s, u"45"_s, u"50"_s, u"50"_s, u"55"_s, u"55"_s}}});
    setYAxis(document.axes, 20, 80, 10);
    document.axes.edtXTitle = u"Month"_s;
    document.axes.edtYTitle = u"Visitors (thousands)"_s;
    addNote(document, u"Spring launch"_s, u"New site went live\\r"_s, {230, 90}, {418, 189});
    addNote(document, u"Record month"_s, u"69,000 visitors\\r"_s, {430, 330}, {630, 142});
    return document;
}

GraphDocument stackWithLine() {
    GraphDocument document =
        seriesGraph(u"sbar"_s, u"Orders and Returns"_s, kQuarters,
                    {{u"Online"_s, u"bar"_s, kNavy, {u"80"_s, u"95"_s, u"110"_s, u"130"_s}},
                     {u"In store"_s, u"bar"_s, kTeal, {u"60"_s, u"58"_s, u"65"_s, u"70"_s}},
                     {u"Returns"_s, u"line"_s, kOrange, {u"20"_s, u"24"_s, u"18"_s, u"15"_s}}});
    setYAxis(document.axes, 0, 250, 50);
    document.axes.edtXTitle = u"Quarter"_s;
    document.axes.edtYTitle = u"Orders"_s;
    return document;
}

GraphDocument excelLinked() {
    GraphDocument document =
        seriesGraph(u"bar"_s, u"Quarterly Figures"_s, kQuarters,
                    {{u"Income"_s, u"bar"_s, kNavy, {u"250"_s, u"280"_s, u"310"_s, u"360"_s}},
                     {u"Costs"_s, u"bar"_s, kOrange, {u"180"_s, u"190"_s, u"205"_s, u"230"_s}},
                     {u"Profit"_s, u"line"_s, kGreen, {u"70"_s, u"90"_s, u"105"_s, u"130"_s}}});
    setYAxis(document.axes, 0, 400, 50);
    document.axes.edtXTitle = u"Quarter"_s;
    document.axes.edtYTitle = u"Amount ($k)"_s;
    document.header.edtFooter = u"Linked to a spreadsheet range"_s;
    return document;
}

GraphDocument areaWithLine() {
    GraphDocument document = seriesGraph(
        u"area"_s, u"Energy Use"_s, kMonths,
        {{u"Heating"_s, u"area"_s, kTeal, {u"90"_s, u"80"_s, u"60"_s, u"40"_s, u"25"_s, u"15"_s}},
         {u"Lighting"_s, u"area"_s, kGold, {u"30"_s, u"28"_s, u"24"_s, u"20"_s, u"18"_s, u"16"_s}},
         {u"Average"_s, u"line"_s, kPlum, {u"55"_s, u"52"_s, u"45"_s, u"36"_s, u"30"_s, u"26"_s}}});
    setYAxis(document.axes, 0, 100, 20);
    document.axes.edtXTitle = u"Month"_s;
    document.axes.edtYTitle = u"kWh (hundreds)"_s;
    return document;
}

GraphDocument barWithLines() {
    GraphDocument document =
        seriesGraph(u"bar"_s, u"Staff and Projects"_s, kQuarters,
                    {{u"Staff"_s, u"bar"_s, kSlate, {u"24"_s, u"28"_s, u"31"_s, u"35"_s}},
                     {u"Projects"_s, u"line"_s, kOrange, {u"12"_s, u"18"_s, u"16"_s, u"22"_s}},
                     {u"Clients"_s, u"line"_s, kTeal, {u"8"_s, u"11"_s, u"15"_s, u"19"_s}}});
    setYAxis(document.axes, 0, 40, 5);
    document.axes.edtXTitle = u"Quarter"_s;
    document.axes.edtYTitle = u"Count"_s;
    return document;
}

GraphDocument samplePie() {
    GraphDocument document = pieGraph(u"Market Share"_s, {{u"Alpha"_s, u"38"_s, kNavy, u"10"_s},
                                                          {u"Beta"_s, u"24"_s, kOrange},
                                                          {u"Gamma"_s, u"18"_s, kGreen},
                                                          {u"Delta"_s, u"12"_s, kGold},
                                                          {u"Others"_s, u"8"_s, kPlum}});
    document.pie.rdoShowShadow = true;
    return document;
}

GraphDocument emptyPie() {
    GraphDocument document = pieGraph(u"Pie Graph"_s, {{u"Slice 1"_s, u"1"_s, kNavy}});
    document.pie.rdoShowShadow = false;
    return document;
}

} // namespace

std::vector<TemplateGraph> templateGraphs() {
    return {{u"blank.dat"_s, emptySeriesGraph(u"bar"_s, u"Bar Graph"_s)},
            {u"blankl.dat"_s, emptySeriesGraph(u"line"_s, u"Line Graph"_s)},
            {u"blankA.dat"_s, emptySeriesGraph(u"area"_s, u"Area Graph"_s)},
            {u"blankPie.dat"_s, emptyPie()},
            {u"P_3Bar.dat"_s, threeSeriesBar()},
            {u"P_3BarStack.dat"_s, threeSeriesStack()},
            {u"P_3LineNote.dat"_s, threeSeriesLineWithNotes()},
            {u"P_3StackLine.dat"_s, stackWithLine()},
            {u"T_Excel.dat"_s, excelLinked()},
            {u"T_Combo2.dat"_s, areaWithLine()},
            {u"T_Combo4.dat"_s, barWithLines()},
            {u"T_Pie.dat"_s, samplePie()}};
}

std::optional<QString> writeTemplateGraphs(const QString& folder) {
    for (TemplateGraph& graph : templateGraphs()) {
        const QString path = QDir(folder).filePath(graph.fileName);
        const GraphWriteResult result = WriteGraphText(graph.document, path);
        if (!result.written())
            return path + u": "_s + result.message;
    }
    return std::nullopt;
}

} // namespace tivora
