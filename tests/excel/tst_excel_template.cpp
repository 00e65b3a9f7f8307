#include "../document/sample_graphs.h"
#include "document/graph_document_model.h"
#include "excel/link_options_file.h"
#include "excel/range_import.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora::excel {

// The "Link to Excel" template's workbook and link options file, made by a script in the
// repository.
class TstExcelTemplate : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filesAreWhatTheScriptMakes();
    void templateLoadsItsWorkbookWhereverItLies();
};

namespace {

const QString kData = QStringLiteral(TIVORA_SOURCE_DIR) + u"/data/"_s;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TstExcelTemplate::filesAreWhatTheScriptMakes() {
    QTemporaryDir folder;
    QProcess script;
    script.start(QStringLiteral(TIVORA_SOURCE_DIR) + u"/scripts/make_excel_template.py"_s,
                 {folder.path()});
    if (!script.waitForFinished(60000) || script.exitCode() != 0)
        QSKIP("The template script needs /usr/bin/python3 with xlwt (python3-xlwt).");
    for (const QString& name : {u"T_Excel.xls"_s, u"T_Excel.TVO"_s}) {
        const QByteArray made = contents(folder.filePath(name));
        QVERIFY(!made.isEmpty());
        QCOMPARE(contents(kData + name), made);
    }
}

void TstExcelTemplate::templateLoadsItsWorkbookWhereverItLies() {
    QTemporaryDir folder;
    for (const QString& name : {u"T_Excel.xls"_s, u"T_Excel.TVO"_s})
        QVERIFY(QFile::copy(kData + name, folder.filePath(name)));
    const QString graph = folder.filePath(u"T_Excel.dat"_s);
    const auto read = readLinkOptionsFile(graph);
    const auto& options = std::get<std::optional<LinkOptions>>(read);
    QVERIFY(options && options->excelLink);
    QCOMPARE(options->excelFile, folder.filePath(u"T_Excel.xls"_s));

    GraphDocumentModel model;
    model.replace(samples::seriesGraph(3, 4));
    QCOMPARE(importRange(*options, model, [](const QString&) { return false; }), std::nullopt);
    const Grid& data = model.document().series.sgrdData;
    QStringList cells;
    for (int row = 0; row <= 3; ++row) {
        for (int column = DataFirstValue; column < DataFirstValue + 4; ++column)
            cells.append(data.cell(column, row));
    }
    QCOMPARE(cells, QStringList({u"Q1"_s, u"Q2"_s, u"Q3"_s, u"Q4"_s, u"120"_s, u"135"_s, u"150"_s,
                                 u"170"_s, u"90"_s, u"110"_s, u"105"_s, u"130"_s, u"60"_s, u"75"_s,
                                 u"95"_s, u"115"_s}));
}

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstExcelTemplate)
#include "tst_excel_template.moc"
