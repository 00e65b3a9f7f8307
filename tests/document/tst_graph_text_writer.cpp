// The graph file writer: entries, completeness, line cutting and safe writing.
#include "common/file_size_limit.h"
#include "document/graph_text_writer.h"
#include "sample_graphs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tivora;
using namespace Qt::StringLiterals;

namespace {

QByteArray build(GraphDocument& document) {
    const GraphTextBuild result = buildGraphText(document);
    if (result.status != GraphTextBuild::Status::Complete)
        qWarning() << "not complete:" << result.message;
    return result.text;
}

QList<QByteArray> keysOf(const QByteArray& text) {
    QList<QByteArray> keys;
    for (const QByteArray& entry : text.split('&')) {
        if (!entry.isEmpty())
            keys.append(entry.left(entry.indexOf('=')));
    }
    return keys;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestGraphTextWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void headerEntriesAsTheEngineExpects();
    void seriesGraphEntriesInOrder();
    void pieGraphEntriesInOrder();
    void headerOfBlanksWritesNoHeader();
    void notesAndImageLists();
    void emptyLineWidthBecomesTen();
    void completeness_data();
    void completeness();
    void numbersThatDoNotConvertFail();
    void textTheFileCannotCarryFails();
    void shortTextLines();
    void longTextLines_data();
    void longTextLines();
    void writesAtomically_data();
    void writesAtomically();
    void aWriteThatFailsPartWayKeepsTheOldFile_data();
    void aWriteThatFailsPartWayKeepsTheOldFile();
    void unsyncedReplaceKeepsPermissions();
};

void TestGraphTextWriter::headerEntriesAsTheEngineExpects() {
    GraphDocument document = samples::seriesGraph(3, 4);
    document.header.edtHeader = u"Sales"_s;
    document.header.edtFooter.clear();
    document.header.pnlFootColor.color = 0;
    const QByteArray text = build(document);
    QVERIFY2(text.startsWith("&v_=2.0&gt_=cbs&hd_=Tbmft&hp_=1&hb_=1y111111&hc_=1yGGGGGG"
                             "&bg_=0xFFFFFF&bga_=0&ft_=&fc_=1y111111&xlx=1&"),
             text.left(120).constData());
    QVERIFY(text.contains("&sr_=4&co_=5&"));
    QVERIFY(text.contains("&GScale=211&GX=1&GY=1&"));
    QVERIFY(text.endsWith("&Textloaded=OK"));

    GraphDocument months = samples::seriesGraph(2, 3);
    for (const auto& [column, label] : {std::pair{3, u"Jan"_s}, {4, u"Feb"_s}, {5, u"Mar"_s}})
        months.series.sgrdData.setCell(column, 0, label);
    QVERIFY(build(months).contains("&xl_=Kbo0y0Gfc0y0Nbs&"));
}

void TestGraphTextWriter::seriesGraphEntriesInOrder() {
    GraphDocument document = samples::seriesGraph(2, 3);
    document.effects.edtBImage1 = u"a.png"_s;
    const QList<QByteArray> expected = {
        "v_",        "gt_",      "hd_",       "hp_",         "hb_",       "hc_",          "bg_",
        "bga_",      "ft_",      "fc_",       "xlx",         "xly",       "xtx",          "xty",
        "ylx",       "yly",      "ytx",       "yty",         "GScale",    "GX",           "GY",
        "asp_",      "sr_",      "co_",       "XGap",        "lw_",       "typ_",         "CVS_",
        "CV_",       "GCV_",     "anim_",     "alp_",        "bsc_",      "blc_",         "sl_",
        "xl_",       "y1v_",     "y2v_",      "YMin",        "YMax",      "YStep",        "XMax",
        "XTitle",    "YTitle",   "XTitleCol", "YTitleCol",   "YTFont",    "YLFont",       "XTFont",
        "XLFont",    "YAxisCol", "XAxisCol",  "YGridCol",    "XLabColor", "YLabColor",    "pcol_",
        "pshl_",     "psh_",     "BImages",   "BImageAlpha", "BEffect",   "BEffectAlpha", "no_",
        "Textloaded"};
    const QByteArray text = build(document);
    QCOMPARE(keysOf(text), expected);
    QVERIFY(text.contains(QByteArray("&y1v_=" + EncodeValue("7/x/10/x/13") + "&")));
    QVERIFY(text.contains(QByteArray("&typ_=" + EncodeValue("bar/x/bar") + "&")));
    QVERIFY(text.contains(QByteArray("&bsc_=" + EncodeValue("0x000080/x/0x000080") + "&")));
    QVERIFY(text.contains(QByteArray("&BImages=" + EncodeValue("a.png") + "&")));
    QVERIFY(text.contains("&no_=1&"));
}

void TestGraphTextWriter::pieGraphEntriesInOrder() {
    GraphDocument document = samples::pieGraph(2);
    const QList<QByteArray> expected = {"v_",
                                        "gt_",
                                        "bg_",
                                        "bga_",
                                        "ft_",
                                        "fc_",
                                        "xlx",
                                        "xly",
                                        "xtx",
                                        "xty",
                                        "ylx",
                                        "yly",
                                        "ytx",
                                        "yty",
                                        "GScale",
                                        "GX",
                                        "GY",
                                        "a_",
                                        "gs_",
                                        "asp_",
                                        "sli_",
                                        "pieImage",
                                        "pieAlpha",
                                        "XPLFont",
                                        "XPVFont",
                                        "SliceLabels",
                                        "OffSets",
                                        "LXOff",
                                        "LYOff",
                                        "VXOff",
                                        "VYOff",
                                        "SliceValues",
                                        "SliceColor",
                                        "PieLabelColor",
                                        "PieValueColor",
                                        "SliceShade",
                                        "pieToShow",
                                        "pieShadow",
                                        "pieShadowAlpha",
                                        "pieShadowY",
                                        "pieShadowX",
                                        "SliceAlpha",
                                        "no_",
                                        "Textloaded"};
    const QByteArray text = build(document);
    QCOMPARE(keysOf(text), expected);
    QVERIFY(text.contains("&a_=Zft&gs_=6&asp_=&sli_=3&"));
    QVERIFY(text.contains(QByteArray("&SliceValues=" + EncodeValue("10/x/20") + "&")));
    QVERIFY(text.contains("&pieToShow=2&pieShadow=1&pieShadowAlpha=61&pieShadowY=231&"));
}

void TestGraphTextWriter::headerOfBlanksWritesNoHeader() {
    GraphDocument document = samples::seriesGraph(1, 1);
    document.header.edtHeader = u"   "_s;
    const QByteArray text = build(document);
    for (const char* key : {"&hd_", "&hp_", "&hb_", "&hc_"})
        QVERIFY2(!text.contains(key), key);
    document.header.edtHeader = u" Top "_s;
    document.header.headerPosition = HeaderPosition::Right;
    QVERIFY(build(document).contains(QByteArray("&hd_=" + EncodeValue(" Top ") + "&hp_=3&")));
}

void TestGraphTextWriter::notesAndImageLists() {
    GraphDocument document = samples::seriesGraph(1, 2);
    document.effects.edtBImage1 = u"one.jpg"_s;
    document.effects.edtBImage2 = u"  "_s;
    document.effects.edtBImage3 = u"three.jpg"_s;
    samples::addNotes(document, 2);
    const QByteArray text = build(document);
    QVERIFY(text.contains(QByteArray("&BImages=" + EncodeValue("one.jpg/x/three.jpg") + "&")));
    QVERIFY(text.contains(QByteArray("&no_=3&nos_=" + EncodeValue("1/x/2") + "&noc_=")));
    QVERIFY(text.contains(QByteArray("&nohd_=" + EncodeValue("Note 1/x/Note 2") + "&")));
    QVERIFY(text.contains(
        QByteArray("&nobd_=" + EncodeValue("Line one\r\nline two/x/Line one\r\nline two"))));
    QVERIFY(
        text.contains(QByteArray("&nsha_=" + EncodeValue("30/x/30") + "&nurl_=0y0&Textloaded=OK")));
    const QList<QByteArray> keys = keysOf(text);
    const qsizetype first = keys.indexOf("nos_");
    QCOMPARE(keys.mid(first, 27),
             (QList<QByteArray>{"nos_",  "noc_",  "noal_", "nofs_", "now_",  "noh_",  "nox_",
                                "noy_",  "nohh_", "nohx_", "nohy_", "nohc_", "noht_", "nohl_",
                                "nohd_", "nhdc_", "nohf_", "nobd_", "nobc_", "nobf_", "nbdy_",
                                "nhdy_", "nsh_",  "nshx_", "nshy_", "nsha_", "nurl_"}));
}

void TestGraphTextWriter::emptyLineWidthBecomesTen() {
    GraphDocument document = samples::seriesGraph(2, 2);
    document.series.sgrdProp.setCell(PropLineWidth, 2, QString());
    document.series.sgrdProp.setCell(PropLineWidth, 1, u"4"_s);
    QVERIFY(build(document).contains(QByteArray("&lw_=" + EncodeValue("4/x/10") + "&")));
    QCOMPARE(document.series.sgrdProp.cell(PropLineWidth, 2), u"10"_s);
    // The filled width stays even when the graph then proves incomplete.
    document.series.sgrdProp.setCell(PropLineWidth, 1, QString());
    document.axes.edtYStep = u"0"_s;
    QCOMPARE(buildGraphText(document).status, GraphTextBuild::Status::Incomplete);
    QCOMPARE(document.series.sgrdProp.cell(PropLineWidth, 1), u"10"_s);
}

void TestGraphTextWriter::completeness_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no series") << u"series"_s << u"0"_s << u"The graph has no series."_s;
    QTest::newRow("blank series") << u"series"_s << u" "_s << u"The graph has no series."_s;
    QTest::newRow("no columns") << u"cols"_s << u"0"_s << u"The graph has no data columns."_s;
    QTest::newRow("blank minimum") << u"min"_s << u""_s << u"The y-axis minimum is blank."_s;
    QTest::newRow("blank maximum") << u"max"_s << u" "_s << u"The y-axis maximum is blank."_s;
    QTest::newRow("blank step") << u"step"_s << u""_s << u"The y-axis step is blank."_s;
    QTest::newRow("step 0") << u"step"_s << u"0"_s << u"The y-axis step must be greater than 0."_s;
    QTest::newRow("200 steps") << u"max"_s << u"2000"_s
                               << u"The y-axis has more than 100 steps: make the step larger."_s;
    QTest::newRow("100 steps") << u"max"_s << u"1000.0"_s << QString();
    QTest::newRow("no slices") << u"slices"_s << u"0"_s << u"The pie has no slices."_s;
    QTest::newRow("blank slice") << u"slice2"_s << u"  "_s << u"The value of slice 2 is blank."_s;
}

void TestGraphTextWriter::completeness() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, reason);
    const bool pie = field.startsWith("slice"_L1);
    GraphDocument document = pie ? samples::pieGraph(3) : samples::seriesGraph(2, 2);
    // Every check holds whether or not the y values are automatic.
    document.axes.chkMinYCalc = document.axes.chkMaxYCalc = document.axes.chkYStepCalc = true;
    document.axes.edtYStep = u"10"_s;
    if (field == "series"_L1)
        document.series.edtSeries = value;
    else if (field == "cols"_L1)
        document.series.edtCols = value;
    else if (field == "min"_L1)
        document.axes.edtMinYVal = value;
    else if (field == "max"_L1)
        document.axes.edtMaxYVal = value;
    else if (field == "step"_L1)
        document.axes.edtYStep = value;
    else if (field == "slices"_L1)
        document.pie.edtPieSlices = value;
    else
        document.pie.sgrdPieSlices.setCell(SliceValue, 2, value);
    document.graphIncomplete = !reason.isEmpty();
    const GraphTextBuild result = buildGraphText(document);
    QCOMPARE(result.message, reason);
    QCOMPARE(result.status, reason.isEmpty() ? GraphTextBuild::Status::Complete
                                             : GraphTextBuild::Status::Incomplete);
    QCOMPARE(document.graphIncomplete, !reason.isEmpty());
    QCOMPARE(result.text.isEmpty(), !reason.isEmpty());
}

void TestGraphTextWriter::numbersThatDoNotConvertFail() {
    const std::function<void(GraphDocument&)> breakers[] = {
        [](GraphDocument& d) { d.axes.edtMaxYVal = u"-"_s; },
        [](GraphDocument& d) { d.axes.edtMinYVal = u"1,5"_s; },
        [](GraphDocument& d) { d.series.edtSeries = u"x3"_s; },
        [](GraphDocument& d) { d.series.edtCols = u"2 "_s; },
        [](GraphDocument& d) { d.notes.edtNotes = u""_s; },
    };
    for (const auto& breakDocument : breakers) {
        GraphDocument document = samples::seriesGraph(2, 2);
        breakDocument(document);
        const GraphTextBuild result = buildGraphText(document);
        QCOMPARE(result.status, GraphTextBuild::Status::Failed);
        QCOMPARE(result.message, u"Error writing Temporary File"_s);
        QVERIFY(!document.graphIncomplete);
    }
    GraphDocument pie = samples::pieGraph(2);
    pie.pie.edtPieSlices = u"two"_s;
    QCOMPARE(buildGraphText(pie).status, GraphTextBuild::Status::Failed);
}

void TestGraphTextWriter::textTheFileCannotCarryFails() {
    GraphDocument document = samples::seriesGraph(2, 2);
    document.header.edtHeader = u"Up 50%"_s;
    GraphTextBuild result = buildGraphText(document);
    QCOMPARE(result.status, GraphTextBuild::Status::Failed);
    QVERIFY2(result.message.contains("\"Header\""_L1) && result.message.contains("\"%\""_L1),
             qPrintable(result.message));
    document.header.edtHeader = u"Fine"_s;
    document.series.sgrdData.setCell(4, 2, u"9★"_s);
    result = buildGraphText(document);
    QCOMPARE(result.status, GraphTextBuild::Status::Failed);
    QVERIFY2(result.message.contains("column 4, row 2"_L1) && result.message.contains("U+2605"_L1),
             qPrintable(result.message));
}

void TestGraphTextWriter::shortTextLines() {
    GraphDocument document = samples::pieGraph(1);
    const QByteArray text = build(document);
    QVERIFY(text.size() < 480);
    const QByteArray body = text.chopped(QByteArray("&Textloaded=OK").size());
    QCOMPARE(layoutGraphLines(text),
             body + "&\r\n" + QByteArray("&\r\n").repeated(5) + "&Textloaded=OK");
}

void TestGraphTextWriter::longTextLines_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("2000") << 2000;
    QTest::newRow("50000") << 50000;
}

void TestGraphTextWriter::longTextLines() {
    QFETCH(int, length);
    QByteArray text = "&v_=2.0";
    for (int entry = 0; text.size() < length - 20; ++entry)
        text += "&k" + QByteArray::number(entry) + "=" + QByteArray(entry % 37, 'v');
    text += "&Textloaded=OK";
    const QByteArray lines = layoutGraphLines(text);
    const QList<QByteArray> split = lines.split('\n');
    QCOMPARE(split.size(), 7);
    QByteArray joined;
    for (int line = 0; line < 6; ++line) {
        QVERIFY(split[line].endsWith("&\r"));
        QVERIFY(split[line].size() - 1 <= 480);
        QVERIFY(split[line].startsWith('&'));
        joined += split[line].chopped(2);
    }
    QVERIFY(!split[6].contains('\r'));
    QVERIFY(split[6].endsWith("&Textloaded=OK"));
    // Nothing is lost: the lines without their added "&" give the whole text back.
    QCOMPARE(joined + split[6], text);
}

void TestGraphTextWriter::writesAtomically_data() {
    QTest::addColumn<Durability>("durability");
    QTest::newRow("synced") << Durability::Synced;
    QTest::newRow("unsynced") << Durability::Unsynced;
}

void TestGraphTextWriter::writesAtomically() {
    QFETCH(Durability, durability);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"graph.tvx"_s);
    writeFile(path, "old contents");
    GraphDocument incomplete = samples::seriesGraph(2, 2);
    incomplete.series.edtCols = u"0"_s;
    GraphWriteResult result = WriteGraphText(incomplete, path, durability);
    QCOMPARE(result.status, GraphWriteResult::Status::Incomplete);
    QCOMPARE(result.message, u"The graph has no data columns."_s);
    GraphDocument bad = samples::seriesGraph(2, 2);
    bad.header.edtFooter = u"100%"_s;
    QCOMPARE(WriteGraphText(bad, path, durability).status, GraphWriteResult::Status::Failed);
    QCOMPARE(readFile(path), QByteArray("old contents"));
    GraphDocument good = samples::seriesGraph(2, 2);
    QVERIFY(WriteGraphText(good, path, durability).written());
    QCOMPARE(readFile(path), layoutGraphLines(build(good)));
    // Written again over itself, and nothing of the temporary files is left beside it.
    QVERIFY(WriteGraphText(good, path, durability).written());
    QCOMPARE(readFile(path), layoutGraphLines(build(good)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"graph.tvx"_s});
    result = WriteGraphText(good, dir.filePath(u"missing/graph.tvx"_s), durability);
    QCOMPARE(result.status, GraphWriteResult::Status::Failed);
    QCOMPARE(result.message, u"Error writing Temporary File"_s);
    QVERIFY(result.detail.startsWith(u"graph.tvx could not be written"_s));
    // A folder in the file's place is refused and stays a folder.
    const QString folder = dir.filePath(u"folder.tvx"_s);
    QVERIFY(QDir(dir.path()).mkdir(u"folder.tvx"_s));
    result = WriteGraphText(good, folder, durability);
    QCOMPARE(result.status, GraphWriteResult::Status::Failed);
    QCOMPARE(result.detail, u"folder.tvx is a folder: name a file to write."_s);
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"graph.tvx"_s});
}

// A temporary file starts readable by its owner alone; the file it replaces must not end up so.
void TestGraphTextWriter::unsyncedReplaceKeepsPermissions() {
    QTemporaryDir dir;
    const QString kept = dir.filePath(u"kept.txt"_s);
    writeFile(kept, "old");
    const auto shared = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                        QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QVERIFY(QFile::setPermissions(kept, shared));
    QVERIFY(!replaceFile(kept, "new", Durability::Unsynced));
    QCOMPARE(readFile(kept), QByteArray("new"));
    // The old file, exchanged for the new one, is not left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"kept.txt"_s});
    QCOMPARE(QFileInfo(kept).permissions(), shared);
    // A new scratch file is its owner's alone.
    const QString fresh = dir.filePath(u"fresh.txt"_s);
    QVERIFY(!replaceFile(fresh, "new", Durability::Unsynced));
    QCOMPARE(readFile(fresh), QByteArray("new"));
    QVERIFY(QFileInfo(fresh).permissions().testFlag(QFileDevice::ReadOwner));
    QVERIFY(!QFileInfo(fresh).permissions().testFlag(QFileDevice::ReadOther));
}

void TestGraphTextWriter::aWriteThatFailsPartWayKeepsTheOldFile_data() {
    QTest::addColumn<int>("seriesCount");
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<int>("limit");
    // A short text waits in the file's buffer and fails only when flushed; a long one fails in
    // the write itself.
    QTest::newRow("buffered") << 2 << 2 << 300;
    QTest::newRow("written through") << 30 << 200 << 4096;
}

void TestGraphTextWriter::aWriteThatFailsPartWayKeepsTheOldFile() {
    QFETCH(int, seriesCount);
    QFETCH(int, columnCount);
    QFETCH(int, limit);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"graph.tvx"_s);
    const QByteArray old = QByteArray("old contents ").repeated(600);
    writeFile(path, old);
    GraphDocument document = samples::seriesGraph(seriesCount, columnCount);
    QVERIFY(build(document).size() > limit);
    GraphWriteResult result;
    {
        const test::FileSizeLimit full{rlim_t(limit)};
        QVERIFY(full.active());
        result = WriteGraphText(document, path);
    }
    QCOMPARE(result.status, GraphWriteResult::Status::Failed);
    QCOMPARE(result.message, u"Error writing Temporary File"_s);
    QCOMPARE(result.detail, u"graph.tvx could not be written: File too large"_s);
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"graph.tvx"_s});
}

QTEST_GUILESS_MAIN(TestGraphTextWriter)
#include "tst_graph_text_writer.moc"
