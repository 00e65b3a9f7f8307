#include "common/file_size_limit.h"
#include "excel/link_options.h"
#include "excel/link_options_file.h"
#include "workbook_fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

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
    void pipesAndDevicesAreRefusedAtOnce();
    void writeFailingPartWayKeepsTheOldFile();

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
    QVERIFY(writeLinkOptionsFile(missingFolder, salesLink())
                ->startsWith(u"Error writing options file. "_s +
                             m_folder.filePath(u"gone/Q1.TVO"_s) +
                             u"\nQ1.TVO could not be written: "_s));
    // Text the single-byte file cannot carry is not written in part: the old file stays.
    const QString graph = m_folder.filePath(u"K.tvx"_s);
    QCOMPARE(writeLinkOptionsFile(graph, salesLink()), std::nullopt);
    LinkOptions cyrillic = salesLink();
    cyrillic.excelFile = u"/д/К.xls"_s;
    QCOMPARE(writeLinkOptionsFile(graph, cyrillic),
             u"Error writing options file. "_s + linkOptionsPath(graph) +
                 u"\nK.TVO cannot hold a character of the text."_s);
    QCOMPARE(readBack(graph), linkOptionsText(salesLink()));
    // Nor is an "&", which would end the value early when read back.
    LinkOptions ampersand = salesLink();
    ampersand.excelFile = u"/R&D/Q1.xls"_s;
    QVERIFY(writeLinkOptionsFile(graph, ampersand)
                ->startsWith(u"Error writing options file. "_s + linkOptionsPath(graph) + u'\n'));
    QCOMPARE(readBack(graph), linkOptionsText(salesLink()));
    // An options path that is a folder cannot be read.
    QVERIFY(QDir(m_folder.path()).mkdir(u"F.TVO"_s));
    QCOMPARE(std::get<QString>(readLinkOptionsFile(m_folder.filePath(u"F.tvx"_s))),
             u"Error opening options file. "_s + m_folder.filePath(u"F.TVO"_s) +
                 u"\nF.TVO is a folder, not a file."_s);
    // Nor written.
    QCOMPARE(writeLinkOptionsFile(m_folder.filePath(u"F.tvx"_s), salesLink()),
             u"Error writing options file. "_s + m_folder.filePath(u"F.TVO"_s) +
                 u"\nF.TVO is a folder: name a file to write."_s);
}

void TstLinkOptions::pipesAndDevicesAreRefusedAtOnce() {
    // A pipe nobody writes to would keep the reader waiting; a device that never ends would fill
    // memory. Both are refused before a byte is read, and neither is written into.
    const QString pipe = m_folder.filePath(u"P.TVO"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QVERIFY(QFile::link(u"/dev/zero"_s, m_folder.filePath(u"Z.TVO"_s)));
    const QString notOrdinary = u" is not an ordinary file (it is a device, pipe or socket)"_s;
    for (const QString& name : {u"P"_s, u"Z"_s}) {
        const QString graph = m_folder.filePath(name + u".tvx"_s);
        const QString path = linkOptionsPath(graph);
        QCOMPARE(std::get<QString>(readLinkOptionsFile(graph)), u"Error opening options file. "_s +
                                                                    path + u'\n' + name +
                                                                    u".TVO"_s + notOrdinary + u'.');
        QCOMPARE(writeLinkOptionsFile(graph, salesLink()),
                 u"Error writing options file. "_s + path + u'\n' + name + u".TVO"_s + notOrdinary +
                     u" and is not replaced."_s);
    }
    QVERIFY(!QFileInfo(pipe).isFile());
}

void TstLinkOptions::writeFailingPartWayKeepsTheOldFile() {
    const QString graph = m_folder.filePath(u"S.tvx"_s);
    QCOMPARE(writeLinkOptionsFile(graph, salesLink()), std::nullopt);
    LinkOptions longer = salesLink();
    longer.excelFile = u"/a/folder/with/a/longer/name/Sales.xls"_s;
    std::optional<QString> error;
    {
        const test::FileSizeLimit disk(40);
        error = writeLinkOptionsFile(graph, longer);
    }
    QVERIFY(error);
    QVERIFY2(error->startsWith(u"Error writing options file. "_s + linkOptionsPath(graph) +
                               u"\nS.TVO could not be written: "_s),
             qPrintable(*error));
    QCOMPARE(readBack(graph), linkOptionsText(salesLink()));
    QCOMPARE(QDir(m_folder.path()).entryList({u"S.TVO*"_s}, QDir::Files),
             QStringList({u"S.TVO"_s}));
}

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstLinkOptions)
#include "tst_link_options.moc"
