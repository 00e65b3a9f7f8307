#include "excel/cell_value.h"
#include "excel/csv_workbook.h"
#include "excel/range_import.h"
#include "workbook_fixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora::excel {

class TstCsvWorkbook : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void separatorsAreTold_data();
    void separatorsAreTold();
    void quotedFieldsKeepSeparatorsBreaksAndQuotes();
    void numbersAndTextAreTold();
    void encodings();
    void linkedLikeAOneSheetWorkbook();
    void onlyTheRangeIsKept();
    void hostileFieldsAndRowsStayBounded();
    void aStopRequestEndsTheRead();

private:
    QTemporaryDir m_folder;
};

namespace {

// The texts of the cells between first and last (column, row), row by row, as grid text.
QStringList textsOf(const QByteArray& csv, CellAddress first, CellAddress last) {
    OpenedWorkbook opened = openCsvWorkbook(csv);
    if (!opened.workbook)
        return {u"error: "_s + opened.error};
    RangeValues values;
    if (const auto error = opened.workbook->readRange(1, CellRange{first, last}, values))
        return {u"error: "_s + *error};
    QStringList texts;
    for (int row = first.row; row <= last.row; ++row) {
        for (int column = first.column; column <= last.column; ++column)
            texts.append(cellValueText(values.at(column, row)));
    }
    return texts;
}

CellValue valueAt(const QByteArray& csv, int column, int row) {
    OpenedWorkbook opened = openCsvWorkbook(csv);
    RangeValues values;
    if (opened.workbook->readRange(1, CellRange{{column, row}, {column, row}}, values))
        return CellValue::ofError(u"unread"_s);
    return values.at(column, row);
}

} // namespace

void TstCsvWorkbook::separatorsAreTold_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("texts");
    const QStringList plain{u"a"_s, u"b"_s, u"c"_s, u"1"_s, u"2"_s, u"3"_s};
    QTest::newRow("comma") << QByteArray("a,b,c\n1,2,3\n") << plain;
    QTest::newRow("semicolon") << QByteArray("a;b;c\n1;2;3\n") << plain;
    QTest::newRow("tab") << QByteArray("a\tb\tc\n1\t2\t3") << plain;
    // Decimal commas beside semicolons: the semicolon is the one used on every line.
    QTest::newRow("semicolons over decimal commas")
        << QByteArray("x;y;z\n1,5;2,5;3,5\n")
        << QStringList{u"x"_s, u"y"_s, u"z"_s, u"1.5"_s, u"2.5"_s, u"3.5"_s};
    // A comma inside quotes does not count as a separator.
    QTest::newRow("commas only in quotes")
        << QByteArray("\"a,1\"\t\"b,2\"\tc\n1\t2\t3\n")
        << QStringList{u"a,1"_s, u"b,2"_s, u"c"_s, u"1"_s, u"2"_s, u"3"_s};
    QTest::newRow("one column") << QByteArray("a\nb\n")
                                << QStringList{u"a"_s, QString(), QString(),
                                               u"b"_s, QString(), QString()};
    QTest::newRow("old Mac line ends") << QByteArray("a,b,c\r1,2,3\r") << plain;
}

void TstCsvWorkbook::separatorsAreTold() {
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, texts);
    QCOMPARE(textsOf(csv, {1, 1}, {3, 2}), texts);
}

void TstCsvWorkbook::quotedFieldsKeepSeparatorsBreaksAndQuotes() {
    const QByteArray csv = "name,note,value\r\n"
                           "\"Smith, J\",\"line one\r\nline two\",\"say \"\"hi\"\"\"\r\n"
                           "\"open\"tail,\"\",last\r\n"
                           "\"never closed,x\n";
    QCOMPARE(textsOf(csv, {1, 2}, {3, 4}),
             (QStringList{u"Smith, J"_s, u"line one\r\nline two"_s, u"say \"hi\""_s, u"opentail"_s,
                          QString(), u"last"_s, u"never closed,x\n"_s, QString(), QString()}));
    // A separator at a line's end leaves one empty field after it, and an empty line is a row.
    QCOMPARE(textsOf("a,\n\nb,c", {1, 1}, {2, 3}),
             (QStringList{u"a"_s, QString(), QString(), QString(), u"b"_s, u"c"_s}));
}

void TstCsvWorkbook::numbersAndTextAreTold() {
    QCOMPARE(valueAt("12.5,x", 1, 1), CellValue::ofNumber(12.5));
    QCOMPARE(valueAt(" -3e2 ,x", 1, 1), CellValue::ofNumber(-300));
    QCOMPARE(valueAt("\"42\",x", 1, 1), CellValue::ofNumber(42));
    QCOMPARE(valueAt("x;1,25", 2, 1), CellValue::ofNumber(1.25));
    // With commas separating, "1,250" is no number: it would be two fields. Quoted, it stays
    // text rather than becoming one thousand two hundred and fifty or 1.25.
    QCOMPARE(valueAt("\"1,250\",x", 1, 1), CellValue::ofText(u"1,250"_s));
    QCOMPARE(valueAt("inf,nan", 1, 1), CellValue::ofText(u"inf"_s));
    QCOMPARE(valueAt("inf,nan", 2, 1), CellValue::ofText(u"nan"_s));
    QCOMPARE(valueAt("1.2.3,x", 1, 1), CellValue::ofText(u"1.2.3"_s));
    QCOMPARE(valueAt(",x", 1, 1), CellValue());
}

void TstCsvWorkbook::encodings() {
    QCOMPARE(textsOf("\xEF\xBB\xBFK\xC3\xB6ln,\xE2\x82\xAC", {1, 1}, {2, 1}),
             (QStringList{u"Köln"_s, u"€"_s}));
    // Bytes that are no UTF-8 are the Windows code page's, for the whole file.
    QCOMPARE(textsOf("K\xF6ln,\x80,\xC3\xB6", {1, 1}, {3, 1}),
             (QStringList{u"Köln"_s, u"€"_s, u"Ã¶"_s}));
    // A character cut off at the end makes the text no UTF-8.
    QCOMPARE(textsOf("\xC3\xB6,\xC3", {1, 1}, {1, 1}), QStringList{u"Ã¶"_s});
}

void TstCsvWorkbook::linkedLikeAOneSheetWorkbook() {
    // Opened by its name's extension in any letter case.
    const QString path = m_folder.filePath(u"Sales.CSV"_s);
    QFile::copy(test::fixture(u"team_regional_sales.csv"_s), path);
    OpenedWorkbook opened = openWorkbook(path);
    QVERIFY(opened.workbook);
    QCOMPARE(opened.workbook->worksheetCount(), 1);

    auto read = RangeImport::read(test::linkRange(path, 1, u"A1"_s, u"D4"_s, false, true));
    QVERIFY(std::holds_alternative<RangeImport>(read));
    GraphDocument document;
    std::get<RangeImport>(read).applyTo(document, true);
    const Grid& grid = document.series.sgrdData;
    QCOMPARE(document.series.edtSeries, u"3"_s);
    QCOMPARE(document.series.edtCols, u"4"_s);
    QCOMPARE(grid.cell(3, 0), u"Region"_s);
    QCOMPARE(grid.cell(4, 0), u"Q1; est."_s);
    QCOMPARE(grid.cell(4, 1), u"1.5"_s);
    QCOMPARE(grid.cell(3, 2), u"Süd"_s);
    QCOMPARE(grid.cell(5, 2), u"5.5"_s);
    QCOMPARE(grid.cell(3, 3), u"Café \"Ost\""_s);

    // Only worksheet 1 exists.
    const auto second = RangeImport::read(test::linkRange(path, 2, u"A1"_s, u"B2"_s));
    QVERIFY(std::holds_alternative<ImportFailure>(second));
    // Text under another name is still no workbook.
    const QString text = m_folder.filePath(u"sales.txt"_s);
    QVERIFY(test::writeFile(text, "a,b\n1,2\n"));
    QCOMPARE(openWorkbook(text).error, QString::fromLatin1(workbook_error::kUnknownFormat));
}

void TstCsvWorkbook::onlyTheRangeIsKept() {
    QByteArray csv;
    for (int row = 1; row <= 200; ++row)
        csv += QByteArray::number(row) + ',' + QByteArray::number(row * 10) + ",skip\n";
    QCOMPARE(textsOf(csv, {2, 99}, {2, 101}), (QStringList{u"990"_s, u"1000"_s, u"1010"_s}));
    // Past the last line and beyond the last field the cells are empty.
    QCOMPARE(textsOf(csv, {4, 200}, {4, 201}), (QStringList{QString(), QString()}));
}

void TstCsvWorkbook::hostileFieldsAndRowsStayBounded() {
    // A field far longer than any cell keeps one character more than a cell takes, so that the
    // import refuses it instead of cutting it short.
    QByteArray csv = "\"" + QByteArray(qsizetype{3} * 1024 * 1024, 'x') + "\",1\n";
    OpenedWorkbook opened = openCsvWorkbook(csv);
    RangeValues values;
    QVERIFY(!opened.workbook->readRange(1, CellRange{{1, 1}, {2, 1}}, values));
    QCOMPARE(values.at(1, 1).text.size(), kCellTextKept);
    QCOMPARE(values.at(2, 1), CellValue::ofNumber(1));
    // Millions of empty lines below the range are never walked.
    csv = "1,2\n" + QByteArray(qsizetype{8} * 1024 * 1024, '\n');
    QCOMPARE(textsOf(csv, {1, 1}, {2, 1}), (QStringList{u"1"_s, u"2"_s}));
    QCOMPARE(textsOf(csv, {1, 3000000}, {1, 3000000}), QStringList{QString()});
}

void TstCsvWorkbook::aStopRequestEndsTheRead() {
    std::stop_source stop;
    const QByteArray csv = QByteArray("1,2\n").repeated(qsizetype{1024} * 1024);
    OpenedWorkbook opened = openCsvWorkbook(csv, stop.get_token());
    QVERIFY(opened.workbook);
    stop.request_stop();
    RangeValues values;
    QCOMPARE(opened.workbook->readRange(1, CellRange{{1, 1}, {2, 1000000}}, values),
             std::optional(QString::fromLatin1(workbook_error::kCancelled)));
    QCOMPARE(openCsvWorkbook(csv, stop.get_token()).error,
             QString::fromLatin1(workbook_error::kCancelled));
}

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstCsvWorkbook)
#include "tst_csv_workbook.moc"
