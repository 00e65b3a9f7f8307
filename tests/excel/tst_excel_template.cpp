#include "document/graph_document_model.h"
#include "document/grid_layouts.h"
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

    // The workbook holds the template's own figures: loading the range keeps the graph as it is.
    QVERIFY(QFile::copy(kData + u"T_Excel.dat"_s, graph));
    GraphDocumentModel model;
    QVERIFY(model.read(graph));
    const GraphDocument before = model.document();
    QCOMPARE(importRange(*options, model, [](const QString&) { return false; }), std::nullopt);
    QCOMPARE(model.document().series.sgrdData, before.series.sgrdData);
    QCOMPARE(model.document().series.sgrdData.cell(DataFirstValue + 3, 1), u"360"_s);
}

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstExcelTemplate)
#include "tst_excel_template.moc"
