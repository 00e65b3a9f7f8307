#include "excel/link_options.h"
#include "excel/link_options_file.h"
#include "workbook_fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora::excel {

class TstLinkOptions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pathBesideTheGraph();
    void lineInFixedOrder();
    void readingTakesOnlyExactValues();
    void markerLooksBesideTheGraph();
    void fileRoundTrips();
    void fileFailuresNameThePath();

private:
    QTemporaryDir m_folder;
};

namespace {

LinkOptions salesLink() {
    return test::linkRange(u"C:\\Sales\\Q1.xls"_s, 1, u"A1"_s, u"C15"_s, false, true);
}

QString readBack(const QString& graphFile) {
    QFile file(linkOptionsPath(graphFile));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : u"<none>"_s;
}

} // namespace

void TstLinkOptions::pathBesideTheGraph() {
    QCOMPARE(linkOptionsPath(u"/sales/Q1.tvx"_s), u"/sales/Q1.TVO"_s);
    QCOMPARE(linkOptionsPath(u"/sales/Q1"_s), u"/sales/Q1.TVO"_s);
    QCOMPARE(linkOptionsPath(u"/sales/year.2024.TVX"_s), u"/sales/year.2024.TVO"_s);
    QCOMPARE(linkOptionsPath(u"/sales.v2/Q1"_s), u"/sales.v2/Q1.TVO"_s);
}

void TstLinkOptions::lineInFixedOrder() {
    QCOMPARE(linkOptionsText(salesLink()),
             u"&ExcelLink=YES&ExcelFile=C:\\Sales\\Q1.xls&ExcelWorkSheet=1&RowFrom=A&ColFrom=1"
             u"&RowTo=C&ColTo=15&ExcelOrient=ACCROSS&HeaderLine=YES&"_s);
    LinkOptions off;
    off.down = true;
    off.workSheet = u" 2 "_s;
    QCOMPARE(linkOptionsText(off),
             u"&ExcelLink=NO&ExcelFile=&ExcelWorkSheet= 2 &RowFrom=&ColFrom=&RowTo=&ColTo="
             u"&ExcelOrient=DOWN&HeaderLine=NO&"_s);
}

void TstLinkOptions::readingTakesOnlyExactValues() {
    const LinkOptions read = parseLinkOptions(
        "&excellink=YES&EXCELFILE=/d/a.xls&ExcelWorkSheet=3&RowFrom=b&ColFrom=2&RowTo=D"
        "&ColTo=9&ExcelOrient=DOWN&HeaderLine=YES",
        u"/graphs"_s);
    QVERIFY(read.excelLink);
    QCOMPARE(read.excelFile, u"/d/a.xls"_s);
    QCOMPARE(read.workSheet, u"3"_s);
    QCOMPARE(read.rowFrom, u"b"_s);
    QCOMPARE(read.colTo, u"9"_s);
    QVERIFY(read.down);
    // The last value of a line without its final "&" reads as empty.
    QVERIFY(!read.headerLine);
    // Values are compared as they stand; anything but "DOWN" is across.
    const LinkOptions lower =
        parseLinkOptions("&ExcelLink=yes&ExcelOrient=down&HeaderLine=Yes&", u"/graphs"_s);
    QVERIFY(!lower.excelLink);
    QVERIFY(!lower.down);
    QVERIFY(!lower.headerLine);
    QVERIFY(!parseLinkOptions("&ExcelLink=YES&", u"/graphs"_s).down);
    QCOMPARE(parseLinkOptions("&ExcelLink=YES&", u"/graphs"_s).workSheet, QString());
}

void TstLinkOptions::markerLooksBesideTheGraph() {
    QCOMPARE(parseLinkOptions("&ExcelFile=<find>Data.xls&", u"/d/Graphs"_s).excelFile,
             u"/d/Graphs/Data.xls"_s);
    // A name stored on Windows may name a sub-folder with a backslash.
    QCOMPARE(parseLinkOptions("&ExcelFile=<find>books\\Q1.xlsx&", u"/d/Graphs"_s).excelFile,
             u"/d/Graphs/books/Q1.xlsx"_s);
    // At most 100 characters follow the marker.
    const QByteArray longName = QByteArray(120, 'n');
    QCOMPARE(parseLinkOptions(QByteArray("&ExcelFile=<find>" + longName + "&"), u"/g"_s).excelFile,
             u"/g/"_s + QString(100, u'n'));
    // The marker counts only at the start, in its own letter case.
    QCOMPARE(parseLinkOptions("&ExcelFile=<FIND>a.xls&", u"/g"_s).excelFile, u"<FIND>a.xls"_s);
}

void TstLinkOptions::fileRoundTrips() {
    const QString graph = m_folder.filePath(u"Q1.tvx"_s);
    LinkOptions options = salesLink();
    options.excelFile = m_folder.filePath(u"Qüarter 1.xls"_s);
    options.down = true;
    QCOMPARE(writeLinkOptionsFile(graph, options), std::nullopt);
    QVERIFY(!readBack(graph).endsWith(u'\n'));
    const auto read = readLinkOptionsFile(graph);
    QCOMPARE(std::get<std::optional<LinkOptions>>(read), std::optional(options));
    // Linking off still writes the whole file.
    QCOMPARE(writeLinkOptionsFile(graph, LinkOptions()), std::nullopt);
    QVERIFY(readBack(graph).startsWith(u"&ExcelLink=NO&ExcelFile=&"_s));
    // A graph without an options file has no link.
    const auto none = readLinkOptionsFile(m_folder.filePath(u"Q2.tvx"_s));
    QCOMPARE(std::get<std::optional<LinkOptions>>(none), std::nullopt);
    // A file written on Windows ends its line with CR LF.
    QVERIFY(test::writeFile(m_folder.filePath(u"W.TVO"_s),
                            "&ExcelLink=YES&ExcelFile=<find>W.xls&HeaderLine=YES&\r\n"));
    const auto windows =
        std::get<std::optional<LinkOptions>>(readLinkOptionsFile(m_folder.filePath(u"W.tvx"_s)));
    QVERIFY(windows && windows->headerLine);
    QCOMPARE(windows->excelFile, m_folder.filePath(u"W.xls"_s));
}

void TstLinkOptions::fileFailuresNameThePath() {
    const QString missingFolder = m_folder.filePath(u"gone/Q1.tvx"_s);
    QCOMPARE(writeLinkOptionsFile(missingFolder, salesLink()),
             u"Error writing options file. "_s + m_folder.filePath(u"gone/Q1.TVO"_s));
    // Text the single-byte file cannot carry is not written in part: the old file stays.
    const QString graph = m_folder.filePath(u"K.tvx"_s);
    QCOMPARE(writeLinkOptionsFile(graph, salesLink()), std::nullopt);
    LinkOptions cyrillic = salesLink();
    cyrillic.excelFile = u"/д/К.xls"_s;
    QCOMPARE(writeLinkOptionsFile(graph, cyrillic),
             u"Error writing options file. "_s + linkOptionsPath(graph));
    QCOMPARE(readBack(graph), linkOptionsText(salesLink()));
    // Nor is an "&", which would end the value early when read back.
    LinkOptions ampersand = salesLink();
    ampersand.excelFile = u"/R&D/Q1.xls"_s;
    QCOMPARE(writeLinkOptionsFile(graph, ampersand),
             u"Error writing options file. "_s + linkOptionsPath(graph));
    QCOMPARE(readBack(graph), linkOptionsText(salesLink()));
    // An options path that is a folder cannot be read.
    QVERIFY(QDir(m_folder.path()).mkdir(u"F.TVO"_s));
    QCOMPARE(std::get<QString>(readLinkOptionsFile(m_folder.filePath(u"F.tvx"_s))),
             u"Error opening options file. "_s + m_folder.filePath(u"F.TVO"_s));
}

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstLinkOptions)
#include "tst_link_options.moc"
