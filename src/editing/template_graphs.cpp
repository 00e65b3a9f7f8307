#include "editing/template_graphs.h"

#include "document/graph_text_writer.h"
#include "document/grid_layouts.h"
#include "document/variable_text.h"

#include <QDir>
#include <QPoint>
#include <QStringList>
#include <array>

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
        // Shade is a number from 0 (none) to 100 (dark); the slice dialog's bar and the engine
        // read nothing else. The slices keep their own colours.
        grid.setCell(SliceShade, row, u"0"_s);
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

// A finished series graph: its series over labelled columns, its y scale and its titles.
struct SeriesSample {
    QString type;
    QString header;
    QStringList labels;
    std::vector<Series> series;
    std::array<int, 3> yScale; // minimum, maximum, step
    QString xTitle;
    QString yTitle;
    QString footer;
};

GraphDocument seriesSample(const SeriesSample& sample) {
    GraphDocument document = seriesGraph(sample.type, sample.header, sample.labels, sample.series);
    setYAxis(document.axes, sample.yScale[0], sample.yScale[1], sample.yScale[2]);
    document.axes.edtXTitle = sample.xTitle;
    document.axes.edtYTitle = sample.yTitle;
    document.header.edtFooter = sample.footer;
    return document;
}

QStringList numbers(std::initializer_list<int> values) {
    QStringList texts;
    for (int value : values)
        texts.append(QString::number(value));
    return texts;
}

GraphDocument threeSeriesBar() {
    return seriesSample({u"bar"_s,
                         u"Sales by Region"_s,
                         kQuarters,
                         {{u"North"_s, u"bar"_s, kNavy, numbers({42, 55, 61, 70})},
                          {u"South"_s, u"bar"_s, kOrange, numbers({35, 40, 52, 58})},
                          {u"West"_s, u"bar"_s, kGreen, numbers({28, 36, 33, 47})}},
                         {0, 80, 10},
                         u"Quarter"_s,
                         u"Sales ($k)"_s,
                         u"Figures in thousands of dollars"_s});
}

GraphDocument threeSeriesStack() {
    return seriesSample({u"sbar"_s,
                         u"Revenue Mix"_s,
                         kQuarters,
                         {{u"Products"_s, u"bar"_s, kNavy, numbers({120, 135, 150, 170})},
                          {u"Services"_s, u"bar"_s, kTeal, numbers({60, 72, 80, 95})},
                          {u"Licences"_s, u"bar"_s, kGold, numbers({25, 30, 28, 40})}},
                         {0, 350, 50},
                         u"Quarter"_s,
                         u"Revenue ($k)"_s,
                         QString()});
}

GraphDocument threeSeriesLineWithNotes() {
    GraphDocument document =
        seriesSample({u"line"_s,
                      u"Website Visitors"_s,
                      kMonths,
                      {{u"2024"_s, u"line"_s, kNavy, numbers({32, 35, 41, 38, 46, 52})},
                       {u"2025"_s, u"line"_s, kOrange, numbers({40, 44, 50, 61, 58, 69})},
                       {u"Target"_s, u"line"_s, kGreen, numbers({45, 45, 50, 50, 55, 55})}},
                      {20, 80, 10},
                      u"Month"_s,
                      u"Visitors (thousands)"_s,
                      QString()});
    addNote(document, u"Spring launch"_s, u"New site went live\\r"_s, {230, 90}, {418, 189});
    addNote(document, u"Record month"_s, u"69,000 visitors\\r"_s, {430, 330}, {630, 142});
    return document;
}

GraphDocument stackWithLine() {
    return seriesSample({u"sbar"_s,
                         u"Orders and Returns"_s,
                         kQuarters,
                         {{u"Online"_s, u"bar"_s, kNavy, numbers({80, 95, 110, 130})},
                          {u"In store"_s, u"bar"_s, kTeal, numbers({60, 58, 65, 70})},
                          {u"Returns"_s, u"line"_s, kOrange, numbers({20, 24, 18, 15})}},
                         {0, 250, 50},
                         u"Quarter"_s,
                         u"Orders"_s,
                         QString()});
}

GraphDocument excelLinked() {
    return seriesSample({u"bar"_s,
                         u"Quarterly Figures"_s,
                         kQuarters,
                         {{u"Income"_s, u"bar"_s, kNavy, numbers({250, 280, 310, 360})},
                          {u"Costs"_s, u"bar"_s, kOrange, numbers({180, 190, 205, 230})},
                          {u"Profit"_s, u"line"_s, kGreen, numbers({70, 90, 105, 130})}},
                         {0, 400, 50},
                         u"Quarter"_s,
                         u"Amount ($k)"_s,
                         u"Linked to a spreadsheet range"_s});
}

GraphDocument areaWithLine() {
    return seriesSample({u"area"_s,
                         u"Energy Use"_s,
                         kMonths,
                         {{u"Heating"_s, u"area"_s, kTeal, numbers({90, 80, 60, 40, 25, 15})},
                          {u"Lighting"_s, u"area"_s, kGold, numbers({30, 28, 24, 20, 18, 16})},
                          {u"Average"_s, u"line"_s, kPlum, numbers({55, 52, 45, 36, 30, 26})}},
                         {0, 100, 20},
                         u"Month"_s,
                         u"kWh (hundreds)"_s,
                         QString()});
}

GraphDocument barWithLines() {
    return seriesSample({u"bar"_s,
                         u"Staff and Projects"_s,
                         kQuarters,
                         {{u"Staff"_s, u"bar"_s, kSlate, numbers({24, 28, 31, 35})},
                          {u"Projects"_s, u"line"_s, kOrange, numbers({12, 18, 16, 22})},
                          {u"Clients"_s, u"line"_s, kTeal, numbers({8, 11, 15, 19})}},
                         {0, 40, 5},
                         u"Quarter"_s,
                         u"Count"_s,
                         QString()});
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
    if (!QDir().mkpath(folder))
        return folder + u": cannot make the folder"_s;
    for (TemplateGraph& graph : templateGraphs()) {
        const QString path = QDir(folder).filePath(graph.fileName);
        const GraphWriteResult result = WriteGraphText(graph.document, path);
        if (!result.written())
            return path + u": "_s + result.message;
    }
    return std::nullopt;
}

} // namespace tivora
