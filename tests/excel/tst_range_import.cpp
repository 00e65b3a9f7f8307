#include "../document/sample_graphs.h"
#include "document/graph_document_model.h"
#include "document/text_field_check.h"
#include "excel/range_import.h"
#include "excel/workbook_file.h"
#include "workbook_fixtures.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tivora::excel::LinkOptions)

namespace tivora::excel {

class TstRangeImport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void acrossWithHeaders();
    void downWithHeaders();
    void acrossWithoutHeadersFitsTheCounts();
    void downWithoutHeadersKeepingTheCounts();
    void largerGridAsksAndFitsOnYes();
    void largerGridKeptOnNo();
    void matchingCountsAskNothing();
    void cornersInAnyOrderAndSingleCells();
    void fittedCountsStayWithinTheFields();
    void everyFailureLeavesTheGraphAsItWas_data();
    void everyFailureLeavesTheGraphAsItWas();

private:
    QTemporaryDir m_folder;
};

namespace {

// Runs the import, answering the counts question with answer; records the questions asked.
struct ImportRun {
    std::optional<ImportFailure> failure;
    QStringList questions;
};

ImportRun runImport(GraphDocumentModel& model, const LinkOptions& options, bool answer) {
    ImportRun run;
    run.failure = importRange(options, model, [&](const QString& question) {
        run.questions.append(question);
        return answer;
    });
    return run;
}

// The texts of a grid row from column 3 on, count of them.
QStringList rowValues(const Grid& grid, int row, int count) {
    QStringList values;
    for (int column = DataFirstValue; column < DataFirstValue + count; ++column)
        values.append(grid.cell(column, row));
    return values;
}

const QString kPhonetic = test::fixture(u"phpspreadsheet_example1.xls"_s);
const QString kIssues = test::fixture(u"calamine_issues.xlsx"_s);

} // namespace

void TstRangeImport::acrossWithHeaders() {
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(3, 2));
    // 15 worksheet rows of 3 values: 14 series under a heading row.
    const ImportRun run =
        runImport(model, test::linkRange(kPhonetic, 3, u"A1"_s, u"C15"_s, false, true), true);
    QCOMPARE(run.failure, std::nullopt);
    QCOMPARE(run.questions, QStringList({QString::fromLatin1(kAdjustCountsQuestion)}));
    const SeriesFields& series = model.document().series;
    QCOMPARE(series.edtCols, u"3"_s);
    QCOMPARE(series.edtSeries, u"14"_s);
    QCOMPARE(series.sgrdData.columnCount(), 6);
    QCOMPARE(series.sgrdData.rowCount(), 15);
    QCOMPARE(series.sgrdProp.rowCount(), 15);
    QCOMPARE(rowValues(series.sgrdData, 0, 3),
             QStringList({u"NATO Phonetic Alphabet (Modern)"_s, QString(), QString()}));
    QCOMPARE(rowValues(series.sgrdData, 1, 3), QStringList({u"Alpha"_s, u"Bravo"_s, u"Charlie"_s}));
    QCOMPARE(rowValues(series.sgrdData, 13, 3),
             QStringList({u"Uncle"_s, u"Victor"_s, u"William"_s}));
    QCOMPARE(rowValues(series.sgrdData, 14, 3), QStringList({QString(), QString(), u"Zebra"_s}));
    // Headings, names and colours of existing series stay; new series get their defaults.
    QCOMPARE(series.sgrdData.cell(DataType, 0), u"Type"_s);
    QCOMPARE(series.sgrdData.cell(DataSeriesName, 2), u"Series 2"_s);
    QCOMPARE(series.sgrdData.cell(DataType, 14), u"bar"_s);
    QCOMPARE(series.sgrdProp.cell(PropColor, 14), u"0x000080"_s);
}

void TstRangeImport::downWithHeaders() {
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(3, 20));
    const ImportRun run =
        runImport(model, test::linkRange(kPhonetic, 3, u"A1"_s, u"C15"_s, true, true), false);
    QCOMPARE(run.failure, std::nullopt);
    // 3 lines of 15: 2 series. The graph is larger, which is asked about too; No keeps it.
    QCOMPARE(run.questions.size(), 1);
    const SeriesFields& series = model.document().series;
    QCOMPARE(series.edtCols, u"20"_s);
    QCOMPARE(series.edtSeries, u"3"_s);
    QCOMPARE(series.sgrdData.cell(DataFirstValue, 0), u"NATO Phonetic Alphabet (Modern)"_s);
    QCOMPARE(series.sgrdData.cell(DataFirstValue + 1, 0), u"Alpha"_s);
    QCOMPARE(series.sgrdData.cell(DataFirstValue + 13, 0), u"Uncle"_s);
    QCOMPARE(series.sgrdData.cell(DataFirstValue + 1, 2), u"Charlie"_s);
    // Cells past the range keep their values, and the third series its own.
    QCOMPARE(series.sgrdData.cell(DataFirstValue + 15, 1),
             samples::seriesGraph(3, 20).series.sgrdData.cell(DataFirstValue + 15, 1));
    QCOMPARE(rowValues(series.sgrdData, 3, 2),
             rowValues(samples::seriesGraph(3, 20).series.sgrdData, 3, 2));
}

void TstRangeImport::acrossWithoutHeadersFitsTheCounts() {
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(1, 1));
    const ImportRun run =
        runImport(model, test::linkRange(kIssues, 3, u"A1"_s, u"B3"_s, false, false), true);
    QCOMPARE(run.failure, std::nullopt);
    QCOMPARE(run.questions.size(), 1);
    const SeriesFields& series = model.document().series;
    QCOMPARE(series.edtSeries, u"3"_s);
    QCOMPARE(series.edtCols, u"2"_s);
    QCOMPARE(rowValues(series.sgrdData, 0, 2), QStringList({u"C1"_s, QString()}));
    QCOMPARE(rowValues(series.sgrdData, 1, 2), QStringList({u"1"_s, u"a"_s}));
    QCOMPARE(rowValues(series.sgrdData, 3, 2), QStringList({u"3"_s, u"c"_s}));
}

void TstRangeImport::downWithoutHeadersKeepingTheCounts() {
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(1, 2));
    const ImportRun run =
        runImport(model, test::linkRange(kIssues, 3, u"A1"_s, u"B3"_s, true, false), false);
    QCOMPARE(run.failure, std::nullopt);
    QCOMPARE(run.questions.size(), 1);
    // Answering No keeps the counts: the grid shows only what fits, the rest waits in hidden
    // cells for larger counts.
    const SeriesFields& series = model.document().series;
    QCOMPARE(series.edtSeries, u"1"_s);
    QCOMPARE(series.edtCols, u"2"_s);
    QCOMPARE(series.sgrdData.rowCount(), 2);
    QCOMPARE(series.sgrdData.columnCount(), 5);
    QCOMPARE(rowValues(series.sgrdData, 1, 3), QStringList({u"1"_s, u"2"_s, u"3"_s}));
    QCOMPARE(rowValues(series.sgrdData, 2, 3), QStringList({u"a"_s, u"b"_s, u"c"_s}));
}

namespace {

LinkOptions dateOdsHeaders() {
    return test::linkRange(test::fixture(u"calamine_date.ods"_s), 1, u"A1"_s, u"B3"_s, false, true);
}

} // namespace

void TstRangeImport::largerGridAsksAndFitsOnYes() {
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(4, 4));
    QSignalSpy changes(&model, &GraphDocumentModel::changed);
    const ImportRun run = runImport(model, dateOdsHeaders(), true);
    QCOMPARE(run.failure, std::nullopt);
    QCOMPARE(run.questions, QStringList({QString::fromLatin1(kAdjustCountsQuestion)}));
    // One change for the whole import; the graph shows the data and nothing of the old values.
    QCOMPARE(changes.size(), 1);
    const SeriesFields& series = model.document().series;
    QCOMPARE(series.edtSeries, u"2"_s);
    QCOMPARE(series.edtCols, u"2"_s);
    QCOMPARE(series.sgrdData.rowCount(), 3);
    QCOMPARE(series.sgrdData.columnCount(), DataFirstValue + 2);
    QCOMPARE(rowValues(series.sgrdData, 0, 2), QStringList({u"44197"_s, u"15"_s}));
    QCOMPARE(rowValues(series.sgrdData, 2, 2), QStringList({u"0.423726851851852"_s, u"17"_s}));
}

void TstRangeImport::largerGridKeptOnNo() {
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(4, 4));
    const ImportRun run = runImport(model, dateOdsHeaders(), false);
    QCOMPARE(run.failure, std::nullopt);
    QCOMPARE(run.questions.size(), 1);
    const SeriesFields& series = model.document().series;
    QCOMPARE(series.edtSeries, u"4"_s);
    QCOMPARE(rowValues(series.sgrdData, 0, 4),
             QStringList({u"44197"_s, u"15"_s, u"C3"_s, u"C4"_s}));
    QCOMPARE(rowValues(series.sgrdData, 3, 4),
             rowValues(samples::seriesGraph(4, 4).series.sgrdData, 3, 4));
}

void TstRangeImport::matchingCountsAskNothing() {
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(2, 2));
    const ImportRun run = runImport(model, dateOdsHeaders(), false);
    QCOMPARE(run.failure, std::nullopt);
    QVERIFY(run.questions.isEmpty());
    // A range of headers alone still leaves the graph a series to show.
    model.replace(samples::seriesGraph(3, 3));
    LinkOptions headersOnly = dateOdsHeaders();
    headersOnly.rowTo = u"A"_s;
    headersOnly.colTo = u"1"_s;
    QCOMPARE(runImport(model, headersOnly, true).failure, std::nullopt);
    QCOMPARE(model.document().series.edtSeries, u"1"_s);
    QCOMPARE(model.document().series.edtCols, u"1"_s);
}

void TstRangeImport::cornersInAnyOrderAndSingleCells() {
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(3, 3));
    QCOMPARE(
        runImport(model, test::linkRange(kIssues, 3, u"B3"_s, u"A1"_s, false, false), true).failure,
        std::nullopt);
    QCOMPARE(rowValues(model.document().series.sgrdData, 1, 2), QStringList({u"1"_s, u"a"_s}));
    QCOMPARE(
        runImport(model, test::linkRange(kIssues, 4, u"A1"_s, u"A1"_s, false, false), true).failure,
        std::nullopt);
    QCOMPARE(rowValues(model.document().series.sgrdData, 1, 2), QStringList({u"0.5"_s, u"a"_s}));
    // Lower-case letters and blanks around the fields are taken as a spreadsheet takes them.
    LinkOptions loose = test::linkRange(kIssues, 3, u"a1"_s, u"b1"_s, false, false);
    loose.colFrom = u" 2 "_s;
    loose.workSheet = u" 3"_s;
    QCOMPARE(runImport(model, loose, true).failure, std::nullopt);
    QCOMPARE(rowValues(model.document().series.sgrdData, 1, 2), QStringList({u"1"_s, u"a"_s}));
    QCOMPARE(rowValues(model.document().series.sgrdData, 2, 2), QStringList({u"2"_s, u"b"_s}));
}

void TstRangeImport::fittedCountsStayWithinTheFields() {
    const QString wide = m_folder.filePath(u"wide.ods"_s);
    QVERIFY(test::writeFile(
        wide,
        test::odsWorkbook({u"<table:table-row table:number-rows-repeated=\"120\">"
                           u"<table:table-cell office:value-type=\"float\" office:value=\"5\" "
                           u"table:number-columns-repeated=\"1200\"/></table:table-row>"_s})));
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(2, 2));
    QCOMPARE(runImport(model, test::linkRange(wide, 1, u"A1"_s, u"ATD120"_s, false, false), true)
                 .failure,
             std::nullopt);
    // The fields hold two and three digits; the values beyond stay in hidden cells.
    QCOMPARE(model.document().series.edtSeries, u"99"_s);
    QCOMPARE(model.document().series.edtCols, u"999"_s);
    QCOMPARE(model.document().series.sgrdData.cell(DataFirstValue + 1199, 120), u"5"_s);
}

void TstRangeImport::everyFailureLeavesTheGraphAsItWas_data() {
    QTest::addColumn<LinkOptions>("options");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("detail");

    const QString legacy = kPhonetic;
    const QString missing = m_folder.filePath(u"missing.xlsx"_s);
    QTest::newRow("no workbook") << test::linkRange(u"  "_s, 1, u"A1"_s, u"B2"_s, false, false)
                                 << u"Please select an Excel file to link to."_s << QString();
    QTest::newRow("missing workbook") << test::linkRange(missing, 1, u"A1"_s, u"B2"_s, false, false)
                                      << QString::fromLatin1(workbook_error::kMissing) << missing;
    QTest::newRow("worksheet past the last")
        << test::linkRange(legacy, 4, u"A1"_s, u"B2"_s, false, false)
        << u"Worksheet 4 does not exist: the workbook has 3 worksheet(s)."_s << QString();
    // FreeXL finds no worksheet it can read in this workbook from another program.
    QTest::newRow("workbook without readable worksheets")
        << test::linkRange(test::fixture(u"xlrd_Formate.xls"_s), 1, u"A1"_s, u"B2"_s, false, false)
        << u"No worksheet of the workbook can be read."_s << QString();
    LinkOptions wordSheet = test::linkRange(legacy, 1, u"A1"_s, u"B2"_s, false, false);
    wordSheet.workSheet = u"first"_s;
    QTest::newRow("worksheet not a number")
        << wordSheet << u"'first' is not a valid worksheet number."_s << QString();
    QTest::newRow("bad cell name") << test::linkRange(legacy, 1, u"A0"_s, u"B2"_s, false, false)
                                   << u"'A0' is not a valid cell name."_s << QString();
    QTest::newRow("column past the last")
        << test::linkRange(legacy, 1, u"A1"_s, u"XFE2"_s, false, false)
        << u"'XFE2' is not a valid cell name."_s << QString();
    LinkOptions digits = test::linkRange(legacy, 1, u"A1"_s, u"B2"_s, false, false);
    digits.rowTo = u"B2"_s;
    QTest::newRow("digits among the letters")
        << digits << u"'B22' is not a valid cell name."_s << QString();
    LinkOptions wordRow = test::linkRange(legacy, 1, u"A1"_s, u"B2"_s, false, false);
    wordRow.colTo = u"two"_s;
    QTest::newRow("row not a number")
        << wordRow << u"'two' is not a valid row number.  Cell Btwo cannot be read."_s << QString();
    QTest::newRow("huge range")
        << test::linkRange(legacy, 1, u"A1"_s, u"XFD1048576"_s, false, false)
        << u"The range A1:XFD1048576 holds 17179869184 cells; at most 1000000 can be imported."_s
        << QString();
    QTest::newRow("text a graph cannot carry")
        << test::linkRange(legacy, 1, u"A3"_s, u"D3"_s, false, false)
        << *checkEncodedText(u"Worksheet cell D3"_s, u"Привіт Світ!"_s) << QString();

    const QString cut = m_folder.filePath(u"cut.xlsx"_s);
    QFile source(kIssues);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QVERIFY(test::writeFile(cut, source.readAll().left(6000)));
    QTest::newRow("cut short") << test::linkRange(cut, 1, u"A1"_s, u"B2"_s, false, false)
                               << QString::fromLatin1(workbook_error::kDamaged) << cut;
    const QString locked = m_folder.filePath(u"locked.xlsx"_s);
    QVERIFY(test::writeFile(
        locked, test::ZipBuilder().add(u"[Content_Types].xml"_s, "<Types/>", true).bytes()));
    QTest::newRow("encrypted") << test::linkRange(locked, 1, u"A1"_s, u"B2"_s, false, false)
                               << QString::fromLatin1(workbook_error::kEncrypted) << locked;
    // A legacy workbook saved with a password: its workbook stream starts with a FILEPASS record.
    QFile plain(QStringLiteral(TIVORA_SOURCE_DIR) + u"/data/T_Excel.xls"_s);
    QVERIFY(plain.open(QIODevice::ReadOnly));
    QByteArray protectedBytes = plain.readAll();
    const qsizetype afterBof = protectedBytes.indexOf(QByteArray("\xE1\x00\x02\x00\xB0\x04", 6));
    QVERIFY(afterBof > 0);
    protectedBytes[afterBof] = '\x2F';
    const QString lockedLegacy = m_folder.filePath(u"locked.xls"_s);
    QVERIFY(test::writeFile(lockedLegacy, protectedBytes));
    QTest::newRow("encrypted legacy workbook")
        << test::linkRange(lockedLegacy, 1, u"A1"_s, u"B2"_s)
        << QString::fromLatin1(workbook_error::kEncrypted) << lockedLegacy;
    const QString text = m_folder.filePath(u"sales.xls"_s);
    QVERIFY(test::writeFile(text, "Quarter,Sales\n1,200\n"));
    QTest::newRow("not a workbook") << test::linkRange(text, 1, u"A1"_s, u"B2"_s)
                                    << QString::fromLatin1(workbook_error::kUnknownFormat) << text;
    // Text no spreadsheet program writes, which would make the graph file unreadable.
    const QString longCell = m_folder.filePath(u"long-cell.xlsx"_s);
    QVERIFY(test::writeFile(
        longCell, test::xlsxWorkbook({u"<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>"_s +
                                      QString(40'000, u'x') +
                                      u"</t></is></c><c r=\"B1\"><v>1</v></c></row><row r=\"2\">"
                                      u"<c r=\"B2\" t=\"str\"><v>"_s +
                                      QString(40'000, u'y') + u"</v></c></row>"_s})));
    const QString tooLong = u" holds more than 32767 characters, more than a graph cell takes. "
                            u"Nothing was imported."_s;
    QTest::newRow("inline text longer than a cell takes")
        << test::linkRange(longCell, 1, u"A1"_s, u"B1"_s) << u"Worksheet cell A1"_s + tooLong
        << QString();
    QTest::newRow("formula text longer than a cell takes")
        << test::linkRange(longCell, 1, u"B2"_s, u"B2"_s) << u"Worksheet cell B2"_s + tooLong
        << QString();
    // Cells that share one long string: each fits, all of them together do not.
    QString rows;
    for (int row = 1; row <= 100; ++row) {
        rows += u"<row r=\"%1\">"_s.arg(row);
        for (int column = 0; column < 11; ++column)
            rows += u"<c t=\"s\"><v>0</v></c>"_s;
        rows += u"</row>"_s;
    }
    const QString manyLong = m_folder.filePath(u"many-long.xlsx"_s);
    QVERIFY(test::writeFile(
        manyLong, test::xlsxWorkbook({rows}, {u"<t>"_s + QString(32'000, u'z') + u"</t>"_s})));
    QTest::newRow("more text than a graph file carries")
        << test::linkRange(manyLong, 1, u"A1"_s, u"K100"_s)
        << u"The range holds more than 32 MB of text, more than a graph file can carry. Nothing "
           u"was imported."_s
        << QString();
    const QString bomb = m_folder.filePath(u"bomb.xlsx"_s);
    QVERIFY(test::writeFile(bomb, test::xlsxWorkbook({QString(3'000'000, u' ')})));
    QTest::newRow("zip bomb")
        << test::linkRange(bomb, 1, u"A1"_s, u"B2"_s, false, false)
        << u"The workbook would unpack to more than 100 times its size; it is not read."_s << bomb;
}

void TstRangeImport::everyFailureLeavesTheGraphAsItWas() {
    QFETCH(LinkOptions, options);
    QFETCH(QString, message);
    QFETCH(QString, detail);
    GraphDocumentModel model;
    GraphDocument before = samples::seriesGraph(2, 3);
    // A row the grid appended past the series count stays too.
    before.series.sgrdData.setRowCount(4);
    model.replace(before);
    QSignalSpy changes(&model, &GraphDocumentModel::changed);
    const ImportRun run = runImport(model, options, true);
    QVERIFY(run.failure);
    QCOMPARE(run.failure->text, message);
    QCOMPARE(run.failure->detail, detail);
    QVERIFY(run.questions.isEmpty());
    QCOMPARE(changes.size(), 0);
    QVERIFY(model.document() == before);
}

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstRangeImport)
#include "tst_range_import.moc"
