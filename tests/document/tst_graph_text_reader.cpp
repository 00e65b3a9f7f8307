// The graph file reader: round trips, older files, long keys, carried-over fields and failures,
// and resaving a file.
#include "common/file_size_limit.h"
#include "document/graph_file.h"
#include "document/graph_text_reader.h"
#include "document/graph_text_writer.h"
#include "sample_graphs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace tivora;
using namespace Qt::StringLiterals;

namespace {

// "&" + key + "=" + the encoded value.
QByteArray enc(const char* key, QByteArrayView value) {
    return QByteArray("&").append(key).append('=').append(EncodeValue(value));
}

// The entries every series graph needs to read without error.
QByteArray seriesBase(QByteArrayView version, QByteArrayView type, int series, int columns) {
    QByteArray text;
    if (!version.isEmpty())
        text += "&v_=" + version.toByteArray();
    text += enc("gt_", type) + enc("sr_", QByteArray::number(series)) +
            enc("co_", QByteArray::number(columns)) + enc("YTFont", "12") + enc("YLFont", "10") +
            enc("XTFont", "14") + enc("XLFont", "9") + enc("BImageAlpha", "60");
    return text;
}

GraphDocument read(const QByteArray& text, GraphDocument document = GraphDocument()) {
    const GraphReadResult result = ReadGraphText(document, text + "&Textloaded=OK");
    if (!result)
        qWarning() << "read failed:" << result.error;
    return document;
}

QByteArray written(GraphDocument document) {
    return layoutGraphLines(buildGraphText(document).text);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestGraphTextReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void seriesGraphRoundTrip();
    void pieGraphRoundTrip();
    void lineBreaksAnywhereAreDropped();
    void legacyVersionAppliesOneValueToEverySeries();
    void fileWithoutVersionKeepsSeriesProperties();
    void longKeys();
    void shortListsRepeatTheirLastItem();
    void automaticYValues();
    void pieDefaults();
    void notesGridWithoutNotes();
    void fieldsTheFileDoesNotNameCarryOver();
    void rowsAndColumnsBeyondTheCountsStartEmpty();
    void failedReadLeavesTheGraphUntouched_data();
    void failedReadLeavesTheGraphUntouched();
    void unreadableFile();
    void onlyOrdinaryFilesAreRead();
    void repeatedItemsAreSharedAndBounded();
    void resave();
    void resaveNeverReplacesWhatIsNoFile();
    void resaveInPlaceThatCannotWriteKeepsTheFile();
};

void TestGraphTextReader::seriesGraphRoundTrip() {
    GraphDocument original = samples::seriesGraph(3, 4);
    samples::addNotes(original, 2);
    original.effects.edtBImage1 = u"back.png"_s;
    original.effects.edtBImage2 = u"grid.png"_s;
    original.effects.edtBImage3 = u"top.png"_s;
    original.placement.trkXTitleY.setPosition(-33);
    original.effects.cbShading = 7;
    const QByteArray text = written(original);
    GraphDocument copy;
    QVERIFY(ReadGraphText(copy, text));
    QCOMPARE(written(copy), text);
    QCOMPARE(copy.graphType, u"bar"_s);
    QCOMPARE(copy.baseType, u"bar"_s);
    QCOMPARE(copy.header, original.header);
    QCOMPARE(copy.placement, original.placement);
    QCOMPARE(copy.effects, original.effects);
    for (int row = 0; row <= 3; ++row) {
        for (int column = 0; column < 7; ++column) {
            if (column != DataColor)
                QCOMPARE(copy.series.sgrdData.cell(column, row),
                         original.series.sgrdData.cell(column, row));
        }
        QCOMPARE(copy.series.sgrdData.cellColor(DataColor, row),
                 original.series.sgrdData.cellColor(DataColor, row));
    }
    // Colour cells come back as their colour text without "0x", painted in that colour.
    QCOMPARE(copy.series.sgrdProp.cell(PropColor, 2), u"000080"_s);
    QCOMPARE(copy.series.sgrdProp.cellColor(PropColor, 2), std::optional<WindowColor>(0x800000));
    QCOMPARE(copy.series.sgrdData.fixedColumnCount(), 2);
    QCOMPARE(copy.notes.edtNotes, u"2"_s);
    QCOMPARE(copy.notes.sgrdNotes.rowCount(), 3);
    QCOMPARE(copy.notes.sgrdNotes.cell(18, 2), u"Line one\r\nline two"_s);
    QVERIFY(!copy.loadingGraph);
}

// Line breaks of any kind, alone or in runs, at the start, inside keys and values or at the end,
// are no part of the text.
void TestGraphTextReader::lineBreaksAnywhereAreDropped() {
    const GraphDocument original = samples::seriesGraph(3, 4);
    const QByteArray text = written(original);
    QByteArray broken = text;
    broken.insert(text.size() / 2, "\n\r\r").insert(40, '\r').insert(9, '\n').prepend("\r\n");
    broken.append("\n\n");
    GraphDocument copy;
    QVERIFY(ReadGraphText(copy, broken));
    QCOMPARE(written(copy), text);
}

void TestGraphTextReader::pieGraphRoundTrip() {
    GraphDocument original = samples::pieGraph(4);
    samples::addNotes(original, 1);
    original.pie.rdoAnimate = false;
    original.pie.edtPieLabelFontSize.setPosition(7);
    const QByteArray text = written(original);
    GraphDocument copy;
    QVERIFY(ReadGraphText(copy, text));
    QCOMPARE(written(copy), text);
    QCOMPARE(copy.pie, original.pie);
    QCOMPARE(copy.notes.sgrdNotes.cell(15, 1), u"Note 1"_s);
}

void TestGraphTextReader::legacyVersionAppliesOneValueToEverySeries() {
    // "&GScale" comes before "&gs", "&CVS_" before "&CVS" and "&CVS" before "&CV": each must
    // still be read as itself.
    const QByteArray text = seriesBase("1.2.01", "line", 3, 2) + enc("GScale", "120") +
                            enc("CVS_", "1/x/2") + enc("CVS", "18") + enc("GCV", "YES") +
                            enc("lw_", "") + enc("gs", "") + enc("AreaAlpha", "40") +
                            enc("BBarAlpha", "99") + enc("CV", "NO") +
                            enc("AreaColor", "0xFF0000/x/0x00FF00") + enc("barColor", "0x0000FF") +
                            enc("BLabelCol", "0x111111");
    const GraphDocument document = read(text);
    const Grid& properties = document.series.sgrdProp;
    for (int row = 1; row <= 3; ++row) {
        QCOMPARE(properties.cell(PropLineWidth, row), u"10"_s);
        QCOMPARE(properties.cell(PropAnimate, row), u"NO"_s);
        QCOMPARE(properties.cell(PropAnimateValues, row), u"YES"_s);
        QCOMPARE(properties.cell(PropFontSize, row), u"18"_s);
        QCOMPARE(properties.cell(PropShowValues, row), u"NO"_s);
        QCOMPARE(properties.cell(PropAlpha, row), u"40"_s);
        QCOMPARE(properties.cell(PropType, row), u"line"_s);
        QCOMPARE(document.series.sgrdData.cell(DataType, row), u"line"_s);
        QCOMPARE(properties.cell(PropValuesColor, row), u"111111"_s);
    }
    QCOMPARE(document.placement.trkScaleGraph.position(), 120);
    QCOMPARE(properties.cellColor(PropColor, 1), std::optional<WindowColor>(0x0000FF));
    QCOMPARE(document.series.sgrdData.cellColor(DataColor, 3),
             std::optional<WindowColor>(0x00FF00));
}

void TestGraphTextReader::fileWithoutVersionKeepsSeriesProperties() {
    GraphDocument before = samples::seriesGraph(2, 2);
    before.series.sgrdProp.setCell(PropAlpha, 1, u"33"_s);
    const QByteArray text = seriesBase("", "bar", 2, 2) + enc("typ_", "line") +
                            enc("alp_", "1/x/2") + enc("sl_", "North/x/South") +
                            enc("xl_", "Q1/x/") + enc("y2v_", "5/x/6");
    const GraphDocument document = read(text, before);
    QCOMPARE(document.series.sgrdProp.cell(PropAlpha, 1), u"33"_s);
    QCOMPARE(document.series.sgrdProp.cell(PropType, 2), u"bar"_s);
    QCOMPARE(document.series.sgrdData.cell(DataSeriesName, 2), u"South"_s);
    QCOMPARE(document.series.sgrdData.cell(3, 0), u"Q1"_s);
    QCOMPARE(document.series.sgrdData.cell(4, 0), u"Title"_s);
    QCOMPARE(document.series.sgrdData.cell(4, 2), u"6"_s);
    QCOMPARE(document.series.sgrdData.cell(4, 1), before.series.sgrdData.cell(4, 1));
}

void TestGraphTextReader::longKeys() {
    QByteArray text =
        "&v_=2.0" + enc("graphType", "area") + enc("gt_", "pie") + enc("header", "Long") +
        enc("hd_", "Short") + enc("series", "1") + enc("cols", "2") + enc("Y1Values", "8/x/9") +
        enc("y1v_", "1/x/1") + enc("XLabels", "A/x/B") + enc("SeriesLabels", "Only") +
        enc("barColor", "0x102030") + enc("YTFont", "12") + enc("YLFont", "10") +
        enc("XTFont", "14") + enc("XLFont", "9") + enc("BImageAlpha", "60") + "&Backgrnd=0x0A0B0C";
    const GraphDocument document = read(text);
    QCOMPARE(document.graphType, u"area"_s);
    QCOMPARE(document.header.edtHeader, u"Long"_s);
    QCOMPARE(document.series.sgrdData.cell(4, 1), u"9"_s);
    QCOMPARE(document.series.sgrdData.cell(4, 0), u"B"_s);
    QCOMPARE(document.series.sgrdData.cell(DataSeriesName, 1), u"Only"_s);
    QCOMPARE(document.series.sgrdProp.cell(PropColor, 1), u"102030"_s);
    QCOMPARE(document.header.pnlBackColour.caption, u"0x0A0B0C"_s);
    QCOMPARE(document.header.pnlBackColour.color, makeWindowColor(0x0A, 0x0B, 0x0C));
    QCOMPARE(read(enc("hd_", "Short") + enc("gt_", "pie") + enc("sli_", "1") +
                  enc("pieAlpha", "5") + enc("XPLFont", "9") + enc("XPVFont", "9"))
                 .header.edtHeader,
             u"Short"_s);
}

void TestGraphTextReader::shortListsRepeatTheirLastItem() {
    const QByteArray text = seriesBase("2.0", "bar", 4, 1) + enc("typ_", "area") +
                            enc("lw_", "3/x/") + enc("BImages", "only.png");
    const GraphDocument document = read(text);
    for (int row = 1; row <= 4; ++row)
        QCOMPARE(document.series.sgrdProp.cell(PropType, row), u"area"_s);
    QCOMPARE(document.series.sgrdProp.cell(PropLineWidth, 1), u"3"_s);
    QCOMPARE(document.series.sgrdProp.cell(PropLineWidth, 4), u"10"_s);
    QCOMPARE(document.effects.edtBImage3, u"only.png"_s);
}

void TestGraphTextReader::automaticYValues() {
    const QByteArray text = seriesBase("2.0", "bar", 1, 1) + enc("YMin", "auto") +
                            enc("YMax", "Auto") + enc("YStep", "2.5");
    const GraphDocument document = read(text);
    QVERIFY(document.axes.chkMinYCalc);
    QCOMPARE(document.axes.edtMinYVal, u"0"_s);
    QVERIFY(!document.axes.chkMaxYCalc);
    QCOMPARE(document.axes.edtMaxYVal, u"Auto"_s);
    QCOMPARE(document.axes.edtYStep, u"2.5"_s);
    QCOMPARE(document.axes.edtXTitleFont.text(), u"14"_s);
}

void TestGraphTextReader::pieDefaults() {
    GraphDocument sbar = samples::seriesGraph(1, 1);
    sbar.graphType = u"sbar"_s;
    sbar.series.chkStacked = true;
    const QByteArray text = enc("gt_", "pie") + enc("sli_", "2") + enc("pieAlpha", "70") +
                            enc("XPLFont", "50") + enc("XPVFont", "9") + enc("a_", "yes") +
                            enc("SliceValues", "3/x/4");
    const GraphDocument document = read(text, sbar);
    QCOMPARE(document.graphType, u"pie"_s);
    QVERIFY(!document.series.chkStacked);
    QCOMPARE(document.pie.sbAnimSpeed.position(), 5);
    QVERIFY(document.pie.rdoAnimate);
    QCOMPARE(document.pie.edtPieValueFontSize.text(), u"40"_s);
    QCOMPARE(document.pie.sgrdPieSlices.cell(SliceValMoveY, 2), u"0"_s);
    QCOMPARE(document.pie.sgrdPieSlices.cell(SliceValue, 2), u"4"_s);
    QVERIFY(!document.pie.rdoShowShadow);
    QCOMPARE(document.pie.valuesShown, PieValuesShown::Percentages);
}

void TestGraphTextReader::notesGridWithoutNotes() {
    for (const QByteArray& notes : {QByteArray(), enc("no_", "0")}) {
        const GraphDocument document = read(seriesBase("2.0", "line", 1, 1) + notes);
        QCOMPARE(document.notes.edtNotes, u"0"_s);
        QCOMPARE(document.notes.sgrdNotes.columnCount(), 28);
        QCOMPARE(document.notes.sgrdNotes.rowCount(), 2);
        QCOMPARE(document.notes.sgrdNotes.cell(2, 1), u"0xD48B39"_s);
        QCOMPARE(document.notes.sgrdNotes.cell(15, 0), u"Heading"_s);
        QVERIFY(!written(document).contains("nos_"));
    }
}

void TestGraphTextReader::fieldsTheFileDoesNotNameCarryOver() {
    GraphDocument before = samples::seriesGraph(2, 2);
    before.placement.trkGX.setPosition(40);
    before.effects.trkBOverlayAlpha.setPosition(77);
    before.pie.trkShadowAlpha.setPosition(66);
    before.currentFileName = u"/graphs/old.tvx"_s;
    before.graphType = u"sbar"_s;
    before.series.chkStacked = true;
    const GraphDocument document = read(seriesBase("2.0", "line", 2, 2), before);
    QVERIFY(!document.series.chkStacked);
    QCOMPARE(document.baseType, u"line"_s);
    QCOMPARE(document.placement.trkGX.position(), 40);
    QCOMPARE(document.effects.trkBOverlayAlpha.position(), 77);
    QCOMPARE(document.pie.trkShadowAlpha.position(), 66);
    QCOMPARE(document.currentFileName, u"/graphs/old.tvx"_s);
    QCOMPARE(document.graphType, u"line"_s);
    // Fields set unconditionally become empty; an empty colour panel is silver.
    QCOMPARE(document.header.edtHeader, QString());
    QCOMPARE(document.axes.pnlXTitleColour.caption, QString());
    QCOMPARE(document.axes.pnlXTitleColour.color, kSilver);
    QCOMPARE(document.series.sgrdData.cell(DataSeriesName, 1), u"Series 1"_s);
}

void TestGraphTextReader::rowsAndColumnsBeyondTheCountsStartEmpty() {
    GraphDocument before = samples::seriesGraph(5, 6);
    samples::addNotes(before, 14);
    const GraphDocument bigPie = samples::pieGraph(6);
    before.pie = bigPie.pie;

    GraphDocument series = read(seriesBase("2.0", "bar", 3, 2) + enc("sl_", "A/x/B/x/C"), before);
    // Within the counts the carried-over cells stay; beyond them nothing of the old graph does.
    QCOMPARE(series.series.sgrdData.cell(DataFirstValue, 1), u"7"_s);
    for (int row = 4; row <= 5; ++row) {
        for (int column = 0; column < 9; ++column) {
            QCOMPARE(series.series.sgrdData.cell(column, row), QString());
            QCOMPARE(series.series.sgrdData.cellColor(column, row), std::nullopt);
            QCOMPARE(series.series.sgrdProp.cell(column, row), QString());
            QCOMPARE(series.series.sgrdProp.cellColor(column, row), std::nullopt);
        }
    }
    for (int row = 0; row <= 3; ++row) {
        for (int column = DataFirstValue + 2; column < DataFirstValue + 6; ++column)
            QCOMPARE(series.series.sgrdData.cell(column, row), QString());
    }
    // Notes past the prepared rows are gone; the prepared ones hold the defaults.
    QCOMPARE(series.notes.sgrdNotes.cell(15, 12), QString());
    QCOMPARE(series.notes.sgrdNotes.cell(15, 4), u"HEADING"_s);

    const GraphDocument pie =
        read(enc("gt_", "pie") + enc("sli_", "2") + enc("pieAlpha", "70") + enc("XPLFont", "12") +
                 enc("XPVFont", "12") + enc("SliceValues", "3/x/4"),
             before);
    for (int row = 3; row <= 6; ++row) {
        for (int column = 0; column < SliceColumnCount; ++column) {
            QCOMPARE(pie.pie.sgrdPieSlices.cell(column, row), QString());
            QCOMPARE(pie.pie.sgrdPieSlices.cellColor(column, row), std::nullopt);
        }
    }
}

void TestGraphTextReader::failedReadLeavesTheGraphUntouched_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("series count") << enc("gt_", "bar") + enc("sr_", "abc") << u"'abc'"_s;
    QTest::newRow("missing column count") << enc("gt_", "bar") + enc("sr_", "1") << u"''"_s;
    QTest::newRow("missing image opacity")
        << seriesBase("2.0", "bar", 1, 1).replace(enc("BImageAlpha", "60"), "") << u"''"_s;
    QTest::newRow("position") << enc("xlx", "1.5") << u"'1.5'"_s;
    QTest::newRow("colour") << enc("hb_", "0xZZ0000") << u"'0xZZ0000'"_s;
    QTest::newRow("series colour")
        << seriesBase("2.0", "bar", 1, 1) + enc("bsc_", "0x12345Q") << u"'0x12345Q'"_s;
    QTest::newRow("slice count") << enc("gt_", "pie") + enc("sli_", "") << u"''"_s;
    // A file's control bytes are shown escaped, never handed to a terminal or a message box.
    QTest::newRow("control bytes")
        << enc("gt_", "bar") + enc("sr_", "\x1b[2J\x07\x7f\x81") << u"'\\x1B[2J\\x07\\x7F\\x81'"_s;
    QTest::newRow("version without counts") << QByteArray("&v_=2.0") << u"''"_s;
    QTest::newRow("no graph at all")
        << QByteArray("\x89PNG\r\n\x1a\n&")
        << u"This is not a graph file: it names no version, graph type or series count."_s;
    QTest::newRow("note count") << seriesBase("2.0", "bar", 1, 1) + enc("no_", "x") << u"'x'"_s;
    QTest::newRow("too many series")
        << seriesBase("2.0", "bar", 10000, 1)
        << u"The graph file names 10000 series; at most 9999 can be read."_s;
    QTest::newRow("too many values")
        << seriesBase("2.0", "bar", 2000, 501)
        << u"The graph file names 2000 series of 501 values; at most 1000000 values can be read."_s;
    QTest::newRow("too many notes") << seriesBase("2.0", "bar", 1, 1) + enc("no_", "2000000000")
                                    << u"The graph file names 2000000000 notes; at most 9999 can "
                                       "be read."_s;
}

void TestGraphTextReader::failedReadLeavesTheGraphUntouched() {
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    GraphDocument document = samples::seriesGraph(2, 3);
    samples::addNotes(document, 1);
    const GraphDocument before = document;
    const GraphReadResult result = ReadGraphText(document, text + "&Textloaded=OK");
    QVERIFY(!result);
    QCOMPARE(result.error,
             error.startsWith(u'\'') ? error + " is not a valid integer value"_L1 : error);
    QCOMPARE(document, before);
}

void TestGraphTextReader::unreadableFile() {
    GraphDocument document;
    const GraphReadResult result = ReadGraphFile(document, u"/nonexistent/graph.tvx"_s);
    QVERIFY(!result);
    QCOMPARE(result.error, u"File I/O error."_s);
}

void TestGraphTextReader::onlyOrdinaryFilesAreRead() {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(u"pipe.tvx"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const std::pair<QString, QString> refused[] = {
        {pipe, u"pipe.tvx is not an ordinary file"_s},
        {u"/dev/zero"_s, u"zero is not an ordinary file"_s},
        {dir.path(), u"is a folder, not a file"_s}};
    for (const auto& [path, reason] : refused) {
        GraphDocument document = samples::seriesGraph(1, 1);
        const GraphDocument before = document;
        const GraphReadResult result = ReadGraphFile(document, path);
        QVERIFY(!result);
        QCOMPARE(result.error, u"File I/O error."_s);
        QVERIFY2(result.detail.contains(reason), qPrintable(result.detail));
        QCOMPARE(document, before);
    }
}

void TestGraphTextReader::repeatedItemsAreSharedAndBounded() {
    // One long name given to 2000 series is one text, not 2000 copies of it.
    const QByteArray name(kLongestListItem, 'n');
    GraphDocument document;
    QVERIFY(ReadGraphText(document, seriesBase("2.0", "bar", 2000, 1) +
                                        enc("sl_", QByteArray("a/x/" + name)) + "&Textloaded=OK"));
    const Grid& data = document.series.sgrdData;
    QCOMPARE(data.cell(DataSeriesName, 1), u"a"_s);
    QCOMPARE(data.cell(DataSeriesName, 2).size(), kLongestListItem);
    QCOMPARE(data.cellView(DataSeriesName, 2).data(), data.cellView(DataSeriesName, 2000).data());
    // A longer item is refused whole, with the graph left as it was.
    const GraphDocument before = document;
    const GraphReadResult tooLong =
        ReadGraphText(document, seriesBase("2.0", "bar", 2, 1) +
                                    enc("y1v_", QByteArray(name + 'n')) + "&Textloaded=OK");
    QVERIFY(!tooLong);
    QCOMPARE(tooLong.error, u"The graph file holds a list item of 65537 bytes; items of at most "
                            "65536 bytes are read."_s);
    QCOMPARE(document, before);
}

void TestGraphTextReader::resaveNeverReplacesWhatIsNoFile() {
    QTemporaryDir dir;
    const QString in = dir.filePath(u"in.tvx"_s);
    writeFile(in, written(samples::seriesGraph(2, 2)));
    const QString pipe = dir.filePath(u"out.tvx"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    std::optional<QString> error = resaveGraphFile(in, pipe);
    QVERIFY(error && error->contains(u"out.tvx is not an ordinary file"_s));
    struct stat status {};
    QVERIFY(::lstat(QFile::encodeName(pipe).constData(), &status) == 0 && S_ISFIFO(status.st_mode));
    error = resaveGraphFile(in, dir.path());
    QVERIFY(error && error->contains(u"is a folder"_s));
    // Faults of the input name the input; the output is never blamed for them.
    const QString out = dir.filePath(u"new.tvx"_s);
    writeFile(in, seriesBase("2.0", "bar", 1, 1) + enc("YMin", "0") + enc("YMax", "-") +
                      enc("YStep", "1") + "&Textloaded=OK");
    error = resaveGraphFile(in, out);
    QVERIFY(error && error->startsWith(in));
    QVERIFY(!error->contains(u"new.tvx"_s));
    QVERIFY(!QFile::exists(out));
}

void TestGraphTextReader::resave() {
    QTemporaryDir dir;
    const QString in = dir.filePath(u"in.tvx"_s);
    const QString out = dir.filePath(u"out.tvx"_s);
    // An older file with long keys comes out in the current form, lines cut anew.
    GraphDocument original = samples::seriesGraph(2, 2);
    const QByteArray current = written(original);
    QByteArray old = current;
    old.replace("&v_=2.0", "&v_=1.0").replace("&hd_=", "&header=").replace("\r\n", "");
    writeFile(in, old);
    QCOMPARE(resaveGraphFile(in, out), std::nullopt);
    GraphDocument reread;
    QVERIFY(ReadGraphFile(reread, out));
    QCOMPARE(reread.header.edtHeader, original.header.edtHeader);
    QVERIFY(readFile(out).startsWith("&v_=2.0&gt_=cbs&hd_="));

    writeFile(out, "keep me");
    writeFile(in, enc("gt_", "bar") + enc("sr_", "x") + "&");
    std::optional<QString> error = resaveGraphFile(in, out);
    QVERIFY(error && error->contains("'x' is not a valid integer value"_L1));
    writeFile(in, seriesBase("2.0", "bar", 1, 0) + "&");
    error = resaveGraphFile(in, out);
    QVERIFY(error && error->contains("The graph has no data columns."_L1));
    error = resaveGraphFile(dir.filePath(u"none.tvx"_s), out);
    QVERIFY(error && error->contains("none.tvx does not exist."_L1));
    QCOMPARE(readFile(out), QByteArray("keep me"));
}

void TestGraphTextReader::resaveInPlaceThatCannotWriteKeepsTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"graph.tvx"_s);
    QByteArray old = written(samples::seriesGraph(3, 4));
    old.replace("&v_=2.0", "&v_=1.0");
    writeFile(path, old);
    std::optional<QString> error;
    {
        const test::FileSizeLimit full(200);
        QVERIFY(full.active());
        error = resaveGraphFile(path, path);
    }
    QCOMPARE(error, u"Cannot write %1: graph.tvx could not be written: File too large"_s.arg(path));
    QCOMPARE(readFile(path), old);
}

QTEST_GUILESS_MAIN(TestGraphTextReader)
#include "tst_graph_text_reader.moc"
