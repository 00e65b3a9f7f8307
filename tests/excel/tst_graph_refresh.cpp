#include "../document/sample_graphs.h"
#include "common/file_size_limit.h"
#include "document/graph_document_model.h"
#include "excel/graph_refresh.h"
#include "excel/link_options_file.h"
#include "excel/workbook_file.h"
#include "workbook_fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora::excel {

class TstGraphRefresh : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void refreshesFromTheWorkbookBesideTheGraph();
    void refusesWithoutTouchingTheGraph();
    void failedSaveKeepsTheGraphAndSaysWhy();

private:
    QByteArray graphBytes() const;

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_graph;
};

namespace {

LinkOptions besideLink() {
    return test::linkRange(u"<find>book.xlsx"_s, 3, u"A1"_s, u"B3"_s, true);
}

} // namespace

void TstGraphRefresh::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    m_graph = m_folder->filePath(u"Q1.tvx"_s);
    GraphDocument graph = samples::seriesGraph(1, 2);
    QVERIFY(WriteGraphText(graph, m_graph).written());
    QVERIFY(
        QFile::copy(test::fixture(u"calamine_issues.xlsx"_s), m_folder->filePath(u"book.xlsx"_s)));
    QCOMPARE(writeLinkOptionsFile(m_graph, besideLink()), std::nullopt);
}

QByteArray TstGraphRefresh::graphBytes() const {
    QFile file(m_graph);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TstGraphRefresh::refreshesFromTheWorkbookBesideTheGraph() {
    QCOMPARE(refreshLinkedGraph(m_graph), std::nullopt);
    GraphDocumentModel model;
    QVERIFY(model.read(m_graph));
    // Counts too small for the data are fitted, as answering Yes does.
    const SeriesFields& series = model.document().series;
    QCOMPARE(series.edtSeries, u"2"_s);
    QCOMPARE(series.edtCols, u"3"_s);
    QCOMPARE(series.sgrdData.cell(DataFirstValue + 2, 1), u"3"_s);
    QCOMPARE(series.sgrdData.cell(DataFirstValue, 2), u"a"_s);
    QCOMPARE(series.sgrdData.cell(DataSeriesName, 1), u"Series 1"_s);
}

void TstGraphRefresh::refusesWithoutTouchingTheGraph() {
    const QByteArray before = graphBytes();
    QVERIFY(QFile::remove(m_folder->filePath(u"book.xlsx"_s)));
    QCOMPARE(refreshLinkedGraph(m_graph), QString::fromLatin1(workbook_error::kMissing) + u" ("_s +
                                              m_folder->filePath(u"book.xlsx"_s) + u')');
    LinkOptions off = besideLink();
    off.excelLink = false;
    QCOMPARE(writeLinkOptionsFile(m_graph, off), std::nullopt);
    QVERIFY(refreshLinkedGraph(m_graph)->contains(u"is not linked to a workbook"_s));
    QVERIFY(QFile::remove(linkOptionsPath(m_graph)));
    QVERIFY(refreshLinkedGraph(m_graph)->contains(u"is not linked to a workbook"_s));
    QCOMPARE(graphBytes(), before);

    QVERIFY(refreshLinkedGraph(m_folder->filePath(u"none.tvx"_s))->startsWith(u"cannot read"_s));
    GraphDocument pie = samples::pieGraph(3);
    const QString pieFile = m_folder->filePath(u"pie.tvx"_s);
    QVERIFY(WriteGraphText(pie, pieFile).written());
    QCOMPARE(writeLinkOptionsFile(pieFile, besideLink()), std::nullopt);
    QVERIFY(refreshLinkedGraph(pieFile)->contains(u"pie graph"_s));
}

void TstGraphRefresh::failedSaveKeepsTheGraphAndSaysWhy() {
    const QByteArray before = graphBytes();
    QVERIFY(before.size() > 200);
    std::optional<QString> error;
    {
        // The disk fills up part way through the new graph file.
        const test::FileSizeLimit disk(rlim_t(before.size() / 2));
        error = refreshLinkedGraph(m_graph);
    }
    QVERIFY(error);
    QVERIFY2(error->startsWith(u"cannot save "_s + m_graph + u": Error writing Temporary File: "_s),
             qPrintable(*error));
    QVERIFY2(error->contains(u"Q1.tvx could not be written"_s), qPrintable(*error));
    QCOMPARE(graphBytes(), before);
    QCOMPARE(QDir(m_folder->path()).entryList({u"Q1.tvx*"_s}, QDir::Files),
             QStringList({u"Q1.tvx"_s}));
}

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstGraphRefresh)
#include "tst_graph_refresh.moc"
