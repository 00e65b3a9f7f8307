#include "excel/cell_value.h"
#include "excel/workbook_file.h"
#include "excel/zip_archive.h"
#include "workbook_fixtures.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora::excel {

class TstWorkbookReaders : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void legacyWorkbookFromExcel();
    void legacyWorkbookCountingFrom1904();
    void olderLegacyFormats();
    void legacyFormulasLogicalsAndErrors();
    void legacyWorkbookFromTheMac();
    void officeOpenXmlInWorkbookOrder();
    void officeOpenXmlDatesAndDurations();
    void officeOpenXmlCellKinds();
    void openDocumentDatesAndTimes();
    void openDocumentRepeatsMergesAndText();
    void valuesBecomeGridText();
    void filesThatAreNoWorkbooks();
    void damagedAndCutShortWorkbooks();
    void encryptedWorkbooks();
    void zipsThatWouldUnpackTooFar();
    void largePartsAreReadOnlyAsFarAsTheRange();

private:
    QTemporaryDir m_folder;
};

namespace {

CellRange rangeNamed(const QString& name) {
    const QStringList corners = name.split(u':');
    const auto cell = [](const QString& text) {
        qsizetype letters = 0;
        while (text[letters].isLetter())
            ++letters;
        return std::get<CellAddress>(parseCell(text.left(letters), text.mid(letters)));
    };
    return CellRange::between(cell(corners[0]), cell(corners.value(1, corners[0])));
}

// The texts of a range, row by row, or the error it gave.
QStringList readTexts(Workbook& workbook, int sheet, const QString& range) {
    RangeValues values;
    if (const auto error = workbook.readRange(sheet, rangeNamed(range), values))
        return {u"error: "_s + *error};
    QStringList texts;
    const CellRange& cells = values.range();
    for (int row = cells.first.row; row <= cells.last.row; ++row) {
        for (int column = cells.first.column; column <= cells.last.column; ++column)
            texts.append(cellValueText(values.at(column, row)));
    }
    return texts;
}

std::unique_ptr<Workbook> opened(const QString& path) {
    OpenedWorkbook result = openWorkbook(path);
    if (!result.workbook)
        qWarning("%s: %s", qPrintable(path), qPrintable(result.error));
    return std::move(result.workbook);
}

std::unique_ptr<Workbook> openedBytes(const QByteArray& bytes) {
    OpenedWorkbook result = openZippedWorkbook(bytes);
    if (!result.workbook)
        qWarning("%s", qPrintable(result.error));
    return std::move(result.workbook);
}

// Bytes that do not pack: they keep an archive of much repeated markup under the expansion that
// is refused outright.
QByteArray randomBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    return bytes;
}

QString openError(const QString& path) {
    return openWorkbook(path).error;
}

// Overwrites the four bytes at offset, low byte first.
void patchSize(QByteArray& bytes, qsizetype offset, quint32 size) {
    for (int byte = 0; byte < 4; ++byte)
        bytes[offset + byte] = char((size >> (8 * byte)) & 0xFF);
}

// The offset of the header with this signature whose name, nameOffset bytes in, is entryName.
qsizetype headerOf(const QByteArray& zip, const QByteArray& signature, qsizetype nameOffset,
                   const QByteArray& entryName) {
    for (qsizetype at = zip.indexOf(signature); at >= 0; at = zip.indexOf(signature, at + 1)) {
        if (zip.mid(at + nameOffset, entryName.size()) == entryName)
            return at;
    }
    return -1;
}

// Sets the stated unpacked size of an entry in both its headers.
QByteArray withStatedSize(QByteArray zip, const QByteArray& entryName, quint32 size) {
    const qsizetype local = headerOf(zip, "PK\x03\x04", 30, entryName);
    const qsizetype central = headerOf(zip, "PK\x01\x02", 46, entryName);
    Q_ASSERT(local >= 0 && central >= 0);
    patchSize(zip, local + 22, size);
    patchSize(zip, central + 24, size);
    return zip;
}

} // namespace

void TstWorkbookReaders::legacyWorkbookFromExcel() {
    const auto workbook = opened(test::fixture(u"phpspreadsheet_example1.xls"_s));
    QVERIFY(workbook);
    QCOMPARE(workbook->worksheetCount(), 3);
    // Numbers, text in any script, dates and times as day numbers, short rows ending empty.
    QCOMPARE(readTexts(*workbook, 1, u"B1:F3"_s),
             QStringList({u"123"_s, u"234"_s, u"-345"_s, u"456"_s, QString(), u"1.23"_s, u"23.45"_s,
                          u"3.45E-6"_s, u"-45.678"_s, u"56.78"_s, u"Hello"_s, u"World"_s,
                          u"Привіт Світ!"_s, u"PHPExcel"_s, QString()}));
    QCOMPARE(readTexts(*workbook, 1, u"B5:C6"_s),
             QStringList({u"22269"_s, u"40461"_s, u"0.395833333333333"_s, u"0.999305555555556"_s}));
    // The second sheet's blocks along the diagonal, the cells around them empty.
    QCOMPARE(readTexts(*workbook, 2, u"A1:C3"_s),
             QStringList({u"1"_s, QString(), QString(), QString(), u"1"_s, u"2"_s, QString(),
                          u"3"_s, u"4"_s}));
    // A merged title holds its text in its first cell only.
    QCOMPARE(readTexts(*workbook, 3, u"A1:B2"_s), QStringList({u"NATO Phonetic Alphabet (Modern)"_s,
                                                               QString(), u"Alpha"_s, u"Bravo"_s}));
    // Cells beyond the sheet's used area read as empty.
    QCOMPARE(readTexts(*workbook, 1, u"F8:G9"_s), QStringList(4, QString()));
}

void TstWorkbookReaders::legacyWorkbookCountingFrom1904() {
    const auto workbook = opened(test::fixture(u"readxl_types.xls"_s));
    QVERIFY(workbook);
    QCOMPARE(workbook->worksheetCount(), 7);
    QCOMPARE(readTexts(*workbook, 1, u"C1:E2"_s),
             QStringList({u"date"_s, u"numeric"_s, u"text"_s, u"41331"_s, u"1"_s, u"hello"_s}));
    QCOMPARE(readTexts(*workbook, 3, u"B4:B5"_s), QStringList({u"1.3"_s, u"0"_s}));
}

void TstWorkbookReaders::olderLegacyFormats() {
    const auto biff5 = opened(test::fixture(u"sheetjs_sheet_visibility5.xls"_s));
    QVERIFY(biff5);
    // Hidden sheets keep their numbers.
    QCOMPARE(biff5->worksheetCount(), 3);
    QCOMPARE(readTexts(*biff5, 2, u"A1:C1"_s), QStringList({u"H"_s, u"i"_s, u"d"_s}));
    // A bare worksheet stream, without the compound file around it.
    const auto biff4 = opened(test::fixture(u"sheetjs_CRLFX5_4.xls"_s));
    QVERIFY(biff4);
    QCOMPARE(readTexts(*biff4, 1, u"A1:B1"_s), QStringList({u"Normal"_s, u"abc\ndef"_s}));
}

void TstWorkbookReaders::legacyFormulasLogicalsAndErrors() {
    // Formulas give their last results; logical values read as the other readers give them, and
    // errors as their text, not as the numbers 1 and 0.
    const auto excel = opened(test::fixture(u"phpspreadsheet_example1.xls"_s));
    QVERIFY(excel);
    QCOMPARE(readTexts(*excel, 1, u"B4:C4"_s), QStringList({u"True"_s, u"False"_s}));
    QCOMPARE(readTexts(*excel, 1, u"B7:C8"_s),
             QStringList({u"468"_s, u"-20.99799655"_s, u"#N/A"_s, u"#DIV/0!"_s}));
    const auto mac = opened(test::fixture(u"readxl_types.xls"_s));
    QVERIFY(mac);
    QCOMPARE(readTexts(*mac, 3, u"B2:B20"_s),
             QStringList({u"HELLO WORLD"_s, QString(), u"1.3"_s, u"0"_s, u"1.69"_s, u"True"_s,
                          u"False"_s, u"True"_s, u"False"_s, u"40964"_s, u"40969"_s, u"#N/A"_s,
                          u"#N/A"_s, u"#NAME?"_s, u"#VALUE!"_s, u"#DIV/0!"_s, u"#REF!"_s,
                          u"#NUM!"_s, u"#NULL!"_s}));
    // Text results of the older formats, and the results of a workbook's cached formulas.
    const auto biff4 = opened(test::fixture(u"sheetjs_CRLFX5_4.xls"_s));
    QVERIFY(biff4);
    QCOMPARE(readTexts(*biff4, 1, u"B2"_s), QStringList({u"abc\r\ndef"_s}));
    const auto biff5 = opened(test::fixture(u"sheetjs_sheet_visibility5.xls"_s));
    QVERIFY(biff5);
    QCOMPARE(readTexts(*biff5, 3, u"A2:C2"_s), QStringList({u"86"_s, u"101"_s, u"114"_s}));
}

void TstWorkbookReaders::legacyWorkbookFromTheMac() {
    // An Excel 95 workbook as Excel for the Mac saves it: its text in the Mac Roman code page.
    QFile windows(test::fixture(u"sheetjs_sheet_visibility5.xls"_s));
    QVERIFY(windows.open(QIODevice::ReadOnly));
    QByteArray bytes = windows.readAll();
    const qsizetype codePage = bytes.indexOf(QByteArray("\x42\x00\x02\x00\xE4\x04", 6));
    QVERIFY(codePage > 0);
    bytes[codePage + 4] = '\x10';
    bytes[codePage + 5] = '\x27';
    // The label "v" in A1 becomes the Mac's byte for "ä".
    const qsizetype label = bytes.indexOf(QByteArray("\x04\x02\x09\x00\x00\x00\x00\x00", 8));
    QVERIFY(label > 0);
    bytes[label + 12] = '\x8A';
    const QString path = m_folder.filePath(u"mac95.xls"_s);
    QVERIFY(test::writeFile(path, bytes));
    const auto workbook = opened(path);
    QVERIFY(workbook);
    QCOMPARE(workbook->worksheetCount(), 3);
    QCOMPARE(readTexts(*workbook, 1, u"A1:C2"_s),
             QStringList({u"ä"_s, u"i"_s, u"s"_s, u"118"_s, u"105"_s, u"115"_s}));
    QCOMPARE(readTexts(*workbook, 3, u"I1:K1"_s), QStringList({u"e"_s, u"n"_s, QString()}));
}

void TstWorkbookReaders::officeOpenXmlInWorkbookOrder() {
    const auto workbook = opened(test::fixture(u"calamine_issues.xlsx"_s));
    QVERIFY(workbook);
    QCOMPARE(workbook->worksheetCount(), 6);
    // Numbers, a formula's text and logical results, shared text, a date's day number.
    QCOMPARE(readTexts(*workbook, 1, u"A1:A6"_s),
             QStringList({u"1"_s, u"1.5"_s, u"ab"_s, u"False"_s, u"test"_s, u"42663"_s}));
    // The sheets come in the workbook's order, not in the order of their files.
    QCOMPARE(readTexts(*workbook, 2, u"A1:A2"_s), QStringList({QString(), u"0"_s}));
    QCOMPARE(readTexts(*workbook, 3, u"A1:B3"_s),
             QStringList({u"1"_s, u"a"_s, u"2"_s, u"b"_s, u"3"_s, u"c"_s}));
    QCOMPARE(readTexts(*workbook, 4, u"A1"_s), QStringList({u"0.5"_s}));
    // An empty row and a formatted cell without a value.
    QCOMPARE(readTexts(*workbook, 5, u"A4:A6"_s), QStringList({u"False"_s, QString(), QString()}));
    QCOMPARE(readTexts(*workbook, 6, u"A1:A6"_s),
             QStringList({u"&"_s, u"<"_s, u">"_s, u"aaa ' aaa"_s, u"\""_s, u"☺"_s}));
}

void TstWorkbookReaders::officeOpenXmlDatesAndDurations() {
    const auto workbook = opened(test::fixture(u"calamine_date.xlsx"_s));
    QVERIFY(workbook);
    QCOMPARE(
        readTexts(*workbook, 1, u"A1:B3"_s),
        QStringList({u"44197"_s, u"15"_s, u"44198"_s, u"16"_s, u"10.6320601851852"_s, u"17"_s}));
}

void TstWorkbookReaders::officeOpenXmlCellKinds() {
    const QByteArray bytes = test::xlsxWorkbook(
        {u"<row r=\"2\"><c r=\"B2\" t=\"inlineStr\"><is><r><t>Rich</t></r><r><t xml:space="
         u"\"preserve\"> text</t></r><rPh><t>ignored</t></rPh></is></c>"
         u"<c t=\"e\"><v>#DIV/0!</v></c><c t=\"d\"><v>2021-01-02T12:00:00</v></c>"
         u"<c t=\"s\"><v>1</v></c><c t=\"s\"><v>99</v></c><c t=\"b\"><v>1</v></c></row>"
         u"<row><c><v>7</v></c></row>"_s,
         u"<row r=\"1\"><c r=\"A1\"><v>2</v></c></row>"_s},
        {u"<t>zero</t>"_s, u"<r><t>o</t></r><r><t>ne</t></r>"_s},
        u"<workbookPr date1904=\"1\"/>"_s);
    const auto workbook = openedBytes(bytes);
    QVERIFY(workbook);
    QCOMPARE(workbook->worksheetCount(), 2);
    // Cells without a reference follow the one before; rows without a number the row before.
    // A 1904 workbook's dates count from 1904; a missing shared text reads empty.
    QCOMPARE(
        readTexts(*workbook, 1, u"B2:G3"_s),
        QStringList({u"Rich text"_s, u"#DIV/0!"_s, u"42736.5"_s, u"one"_s, QString(), u"True"_s,
                     QString(), QString(), QString(), QString(), QString(), QString()}));
    QCOMPARE(readTexts(*workbook, 1, u"A3"_s), QStringList({u"7"_s}));
    QCOMPARE(readTexts(*workbook, 2, u"A1"_s), QStringList({u"2"_s}));
}

void TstWorkbookReaders::openDocumentDatesAndTimes() {
    const auto workbook = opened(test::fixture(u"calamine_date.ods"_s));
    QVERIFY(workbook);
    QCOMPARE(workbook->worksheetCount(), 1);
    QCOMPARE(readTexts(*workbook, 1, u"A1:B4"_s),
             QStringList({u"44197"_s, u"15"_s, u"44197.4237268519"_s, u"16"_s,
                          u"0.423726851851852"_s, u"17"_s, u"0.423728280740741"_s, u"18"_s}));
    // The million rows the file repeats are counted, not read one by one.
    QCOMPARE(readTexts(*workbook, 1, u"B1048576:C1048576"_s), QStringList(2, QString()));
}

void TstWorkbookReaders::openDocumentRepeatsMergesAndText() {
    const QByteArray bytes = test::odsWorkbook(
        {u"<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"1\"/>"
         u"</table:table-row>"_s,
         u"<table:table-column table:number-columns-repeated=\"3\"/>"
         u"<table:table-row table:number-rows-repeated=\"2\">"
         u"<table:table-cell office:value-type=\"percentage\" office:value=\"0.25\" "
         u"table:number-columns-repeated=\"2\"/>"
         u"<table:table-cell table:number-columns-spanned=\"2\" office:value-type=\"string\">"
         u"<text:p>two<text:s text:c=\"2\"/>spaces</text:p><text:p>and <text:span>a "
         u"span</text:span></text:p></table:table-cell><table:covered-table-cell/>"
         u"</table:table-row><table:table-row-group><table:table-row>"
         u"<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/>"
         u"<table:table-cell office:value-type=\"currency\" office:value=\"-3.5\"/>"
         u"<table:table-cell/><table:table-cell><text:p>plain</text:p></table:table-cell>"
         u"</table:table-row></table:table-row-group>"_s});
    const auto workbook = openedBytes(bytes);
    QVERIFY(workbook);
    QCOMPARE(workbook->worksheetCount(), 2);
    QCOMPARE(readTexts(*workbook, 1, u"A1"_s), QStringList({u"1"_s}));
    const QString text = u"two  spaces\nand a span"_s;
    QCOMPARE(readTexts(*workbook, 2, u"A1:D3"_s),
             QStringList({u"0.25"_s, u"0.25"_s, text, QString(), u"0.25"_s, u"0.25"_s, text,
                          QString(), u"True"_s, u"-3.5"_s, QString(), u"plain"_s}));
    QCOMPARE(readTexts(*workbook, 2, u"B2:C2"_s), QStringList({u"0.25"_s, text}));
    // Markup that repeats spaces without end gives a cell only one character longer than a
    // spreadsheet's, which the import then refuses.
    const auto spaces =
        openedBytes(test::odsWorkbook({u"<table:table-row><table:table-cell><text:p>"_s +
                                       QString(u"<text:s text:c=\"2000000000\"/>"_s).repeated(3) +
                                       u"x</text:p><text:p>"
                                       u"y</text:p></table:table-cell></table:table-row>"_s}));
    QVERIFY(spaces);
    QCOMPARE(readTexts(*spaces, 1, u"A1"_s), QStringList(QString(kCellTextKept, u' ')));
}

void TstWorkbookReaders::valuesBecomeGridText() {
    QCOMPARE(numberText(1e15, u','), u"1E15"_s);
    QCOMPARE(numberText(999999999999999.0, u','), u"999999999999999"_s);
    QCOMPARE(numberText(-0.5, u','), u"-0,5"_s);
    QCOMPARE(numberText(1.0 / 3.0, u'.'), u"0.333333333333333"_s);
    QCOMPARE(numberText(0.0001, u'.'), u"0.0001"_s);
    QCOMPARE(numberText(2.5e-5, u'.'), u"2.5E-5"_s);
    QCOMPARE(numberText(123456789012345678.0, u'.'), u"1.23456789012346E17"_s);
    QCOMPARE(cellValueText(CellValue()), QString());
    QCOMPARE(cellValueText(CellValue::ofBoolean(false)), u"False"_s);
    QCOMPARE(cellValueText(CellValue::ofText(u" as typed "_s)), u" as typed "_s);
}

void TstWorkbookReaders::filesThatAreNoWorkbooks() {
    QCOMPARE(openError(m_folder.filePath(u"missing.xls"_s)),
             QString::fromLatin1(workbook_error::kMissing));
    const QString text = m_folder.filePath(u"notes.xls"_s);
    QVERIFY(test::writeFile(text, "Quarter;Sales\n1;200\n"));
    QCOMPARE(openError(text), QString::fromLatin1(workbook_error::kUnknownFormat));
    const QString zip = m_folder.filePath(u"pictures.xlsx"_s);
    QVERIFY(test::writeFile(zip, test::ZipBuilder().add(u"a.png"_s, "png").bytes()));
    QCOMPARE(openError(zip), QString::fromLatin1(workbook_error::kUnknownFormat));
    QCOMPARE(openError(m_folder.path()), QString::fromLatin1(workbook_error::kMissing));
}

void TstWorkbookReaders::damagedAndCutShortWorkbooks() {
    const QString damaged = QString::fromLatin1(workbook_error::kDamaged);
    for (const QString& name : {u"calamine_issues.xlsx"_s, u"calamine_date.ods"_s}) {
        QFile source(test::fixture(name));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString cut = m_folder.filePath(u"cut_"_s + name);
        QVERIFY(test::writeFile(cut, source.readAll().left(source.size() / 2)));
        QCOMPARE(openError(cut), damaged);
    }
    // A cut legacy workbook either fails to open or has lost its cells' sheet.
    QFile legacy(test::fixture(u"phpspreadsheet_example1.xls"_s));
    QVERIFY(legacy.open(QIODevice::ReadOnly));
    const QString cut = m_folder.filePath(u"cut.xls"_s);
    QVERIFY(test::writeFile(cut, legacy.readAll().left(4096)));
    QCOMPARE(openError(cut), damaged);
    // A crafted compound file that makes the legacy reader fault costs only its own read.
    QCOMPARE(openError(QStringLiteral(TIVORA_SOURCE_DIR) +
                       u"/fuzz/corpus/xls_workbook/crafted_sector_chain.xls"_s),
             damaged);
    // Broken XML in a sheet is found when the sheet is read.
    const auto workbook = openedBytes(test::xlsxWorkbook({u"<row><c><v>1</v></row>"_s}));
    QVERIFY(workbook);
    QCOMPARE(readTexts(*workbook, 1, u"A1"_s), QStringList({u"error: "_s + damaged}));
    // An entry whose data runs past the size its headers state.
    const QByteArray lying =
        withStatedSize(test::xlsxWorkbook({u"<row><c><v>1</v></c></row>"_s}), "xl/workbook.xml", 3);
    QCOMPARE(openZippedWorkbook(lying).error, damaged);
}

void TstWorkbookReaders::encryptedWorkbooks() {
    const QString encrypted = QString::fromLatin1(workbook_error::kEncrypted);
    // A zip entry encrypted with a password.
    const QByteArray zipped = test::ZipBuilder()
                                  .add(u"[Content_Types].xml"_s, "<Types/>")
                                  .add(u"xl/workbook.xml"_s, "<workbook/>", true)
                                  .bytes();
    QCOMPARE(openZippedWorkbook(zipped).error, encrypted);
    // A workbook saved with a password: a compound file holding the encrypted package.
    QByteArray compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    compound.append(QByteArray(504, '\0'));
    for (const char letter : QByteArrayView("EncryptedPackage"))
        compound.append(letter).append('\0');
    compound.append(QByteArray(1024, '\0'));
    const QString path = m_folder.filePath(u"protected.xlsx"_s);
    QVERIFY(test::writeFile(path, compound));
    QCOMPARE(openError(path), encrypted);
}

void TstWorkbookReaders::zipsThatWouldUnpackTooFar() {
    // Two megabytes of zeros pack into a few kilobytes: far more than a hundred times.
    const QByteArray bomb =
        test::xlsxWorkbook({u"<row><c><v>1</v></c></row>"_s + QString(2'000'000, u' ')});
    QCOMPARE(openZippedWorkbook(bomb).error,
             u"The workbook would unpack to more than 100 times its size; it is not read."_s);
    // A file big enough for the ratio whose entry states more than 256 MiB.
    const QByteArray noise = randomBytes(qsizetype{3} * 1024 * 1024);
    const QByteArray withNoise =
        test::ZipBuilder().add(u"noise.bin"_s, noise).add(u"b.xml"_s, "<b/>").bytes();
    QVERIFY(withNoise.size() > noise.size());
    const QByteArray big = withStatedSize(withNoise, "noise.bin", 300u * 1024 * 1024);
    QCOMPARE(openZippedWorkbook(big).error,
             u"The workbook would unpack to more than 256 MiB; it is not read."_s);
    // A zipped workbook too large to read whole (a sparse file, so the test stays small).
    QFile huge(m_folder.filePath(u"huge.xlsx"_s));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    huge.write("PK\x03\x04");
    QVERIFY(huge.resize(qint64(257) * 1024 * 1024));
    huge.close();
    QCOMPARE(openError(huge.fileName()), u"The workbook is larger than 256 MiB; it is not read."_s);
    huge.remove();
    // An ordinary workbook passes.
    QVERIFY(openZippedWorkbook(test::xlsxWorkbook({u"<row><c><v>1</v></c></row>"_s})).workbook);
}

void TstWorkbookReaders::largePartsAreReadOnlyAsFarAsTheRange() {
    // A sheet and a table of shared strings each larger than what is unpacked to be read.
    const QString sheet = u"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\">"
                          u"<v>3200001</v></c></row>"_s +
                          QString(u"<row><c><v>7</v></c><c><v>77777777777777777777</v></c></row>"_s)
                              .repeated(1'000'000);
    QStringList strings(3'200'002, u"<t>s</t>"_s);
    strings.first() = u"<t>first</t>"_s;
    strings.last() = u"<t>last</t>"_s;
    const auto large =
        openedBytes(test::xlsxWorkbook({sheet}, strings, QString(), randomBytes(1'500'000)));
    QVERIFY(large);
    // A range near the top is read without unpacking the rest.
    QCOMPARE(readTexts(*large, 1, u"A1:A2"_s), QStringList({u"first"_s, u"7"_s}));
    // A range further down, or a string far into the table, is refused.
    const QString tooLarge = u"error: "_s + QString::fromLatin1(ZipArchive::kEntryTooLarge);
    QCOMPARE(readTexts(*large, 1, u"A999999"_s), QStringList({tooLarge}));
    QCOMPARE(readTexts(*large, 1, u"B1"_s), QStringList({tooLarge}));
    // An .ods keeps all its tables in one part, which is counted on opening.
    const QByteArray ods = test::odsWorkbook(
        {u"<table:table-row>"_s + QString(u"<table:table-cell/>"_s).repeated(2'700'000) +
         u"</table:table-row>"_s},
        randomBytes(1'000'000));
    QCOMPARE(openZippedWorkbook(ods).error, QString::fromLatin1(ZipArchive::kEntryTooLarge));
}

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstWorkbookReaders)
#include "tst_workbook_readers.moc"
