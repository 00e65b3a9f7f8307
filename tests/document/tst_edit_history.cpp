#include "document/graph_content.h"
#include "document/graph_document_model.h"
#include "document/graph_text_writer.h"
#include "sample_graphs.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

void setHeader(GraphDocumentModel& model, const QString& text, const void* mergeKey = nullptr) {
    model.edit([&](GraphDocument& d) { d.header.edtHeader = text; }, mergeKey);
}

void setValue(GraphDocumentModel& model, int column, int row, const QString& text) {
    model.edit(
        [&](GraphDocument& d) { d.series.sgrdData.setCell(DataFirstValue + column, row, text); });
}

} // namespace

class TestEditHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void undoAndRedoWalkThroughTheChanges() {
        GraphDocumentModel model;
        model.replace(samples::seriesGraph(3, 4));
        model.clearHistory();
        const GraphDocument start = model.document();
        setHeader(model, u"One"_s);
        setValue(model, 2, 1, u"77"_s);
        QVERIFY(model.canUndo());
        QVERIFY(!model.canRedo());

        QSignalSpy changed(&model, &GraphDocumentModel::changed);
        QVERIFY(model.undo());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.document().series.sgrdData.cell(DataFirstValue + 2, 1),
                 start.series.sgrdData.cell(DataFirstValue + 2, 1));
        QCOMPARE(model.document().header.edtHeader, u"One"_s);
        QVERIFY(model.undo());
        QVERIFY(sameContent(model.document(), start));
        QVERIFY(!model.canUndo());
        QVERIFY(!model.undo());
        QCOMPARE(changed.count(), 2);

        QVERIFY(model.redo());
        QVERIFY(model.redo());
        QCOMPARE(model.document().header.edtHeader, u"One"_s);
        QCOMPARE(model.document().series.sgrdData.cell(DataFirstValue + 2, 1), u"77"_s);
        QVERIFY(!model.redo());

        // A whole graph put in place is one step too.
        model.replace(samples::pieGraph(3));
        QVERIFY(model.undo());
        QCOMPARE(model.document().graphType, u"bar"_s);

        // A new change after an undo drops what could have been redone.
        QVERIFY(model.undo());
        setHeader(model, u"Two"_s);
        QVERIFY(!model.canRedo());
        QVERIFY(model.undo());
        QCOMPARE(model.document().header.edtHeader, u"One"_s);
    }

    void onlyChangesOfTheGraphAreSteps() {
        GraphDocumentModel model;
        QSignalSpy history(&model, &GraphDocumentModel::historyChanged);
        // A refresh request and bookkeeping (file names, the template) change no value.
        model.edit([](GraphDocument&) {});
        model.edit([](GraphDocument& d) {
            d.currentFileName = u"/tmp/a.tvx"_s;
            d.templateFile = u"Data/blank.dat"_s;
            d.graphIncomplete = true;
        });
        setHeader(model, QString()); // the same text again
        QVERIFY(!model.canUndo());
        QCOMPARE(history.count(), 0);
    }

    void undoKeepsTheFileTheWindowHasOpen() {
        GraphDocumentModel model;
        setHeader(model, u"Edited"_s);
        model.edit([](GraphDocument& d) { d.currentFileName = u"/graphs/saved.tvx"_s; });
        QVERIFY(model.undo());
        QCOMPARE(model.document().header.edtHeader, QString());
        QCOMPARE(model.document().currentFileName, u"/graphs/saved.tvx"_s);
    }

    void changesFromOneControlMakeOneStep() {
        GraphDocumentModel model;
        const int slider = 0;
        const int otherSlider = 0;
        model.setEditOrigin(u"TabType"_s);
        setHeader(model, u"H"_s, &slider);
        setHeader(model, u"He"_s, &slider);
        setHeader(model, u"Hel"_s, &slider);
        QVERIFY(model.undo());
        QCOMPARE(model.document().header.edtHeader, QString());
        QVERIFY(!model.canUndo());

        // Another control, another page or an undo in between each start a step of their own.
        QVERIFY(model.redo());
        setHeader(model, u"Hello"_s, &slider);
        setHeader(model, u"Hello!"_s, &otherSlider);
        model.setEditOrigin(u"TabXAxis"_s);
        setHeader(model, u"Hello!!"_s, &otherSlider);
        QVERIFY(model.undo());
        QCOMPARE(model.document().header.edtHeader, u"Hello!"_s);
        QVERIFY(model.undo());
        QCOMPARE(model.document().header.edtHeader, u"Hello"_s);
        QVERIFY(model.undo());
        QCOMPARE(model.document().header.edtHeader, u"Hel"_s);
    }

    void eachStepNamesThePageItWasMadeOn() {
        GraphDocumentModel model;
        QSignalSpy restored(&model, &GraphDocumentModel::restored);
        model.setEditOrigin(u"TabType"_s);
        setHeader(model, u"Title"_s);
        model.setEditOrigin(u"TabXAxis"_s);
        model.edit([](GraphDocument& d) { d.axes.edtXTitle = u"Month"_s; });
        model.setEditOrigin(u"TabSize"_s);
        model.undo();
        model.undo();
        model.redo();
        QCOMPARE(restored.count(), 3);
        QCOMPARE(restored.at(0).at(0).toString(), u"TabXAxis"_s);
        QCOMPARE(restored.at(1).at(0).toString(), u"TabType"_s);
        QCOMPARE(restored.at(2).at(0).toString(), u"TabType"_s);
    }

    void theOldestStepsGoFirst() {
        GraphDocumentModel model;
        const int steps = int(EditHistory::kDepth) + 5;
        for (int step = 1; step <= steps; ++step)
            setHeader(model, QString::number(step));
        int undone = 0;
        while (model.undo())
            ++undone;
        QCOMPARE(undone, int(EditHistory::kDepth));
        QCOMPARE(model.document().header.edtHeader, u"5"_s);
    }

    void rollingBackForgetsOnlyTheStepsSinceTheCheckpoint() {
        GraphDocumentModel model;
        int key = 0;
        // A full history, so that each new step pushes the oldest out.
        for (int step = 1; step <= int(EditHistory::kDepth); ++step)
            setHeader(model, QString::number(step));
        setHeader(model, u"kept"_s, &key);
        const auto point = model.checkpoint();
        // The same key again: without the checkpoint this would join the kept step.
        setHeader(model, u"dropped"_s, &key);
        setValue(model, 0, 1, u"99"_s);
        QSignalSpy changed(&model, &GraphDocumentModel::changed);
        model.rollBack(point);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.document().header.edtHeader, u"kept"_s);
        QVERIFY(!model.canRedo());
        QVERIFY(model.undo());
        QCOMPARE(model.document().header.edtHeader, QString::number(EditHistory::kDepth));

        // Rolling back with nothing changed since leaves the history as it was, redo included.
        const auto unchanged = model.checkpoint();
        model.rollBack(unchanged);
        QVERIFY(model.canRedo());
        QVERIFY(model.redo());
        QCOMPARE(model.document().header.edtHeader, u"kept"_s);
    }

    void readingAGraphStartsANewHistory() {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"graph.tvx"_s);
        GraphDocument graph = samples::seriesGraph(2, 3);
        QVERIFY(WriteGraphText(graph, path).written());

        GraphDocumentModel model;
        setHeader(model, u"Before"_s);
        // A file that cannot be read leaves the graph and its history alone.
        QVERIFY(!model.read(folder.filePath(u"missing.tvx"_s)));
        QVERIFY(model.canUndo());
        QVERIFY(model.read(path));
        QVERIFY(!model.canUndo());
        QVERIFY(!model.canRedo());
    }

    void copiesShareTheCellsTheyDoNotChange() {
        // Snapshots of the largest graph rely on this: a copy compares equal, a one-cell change
        // is found, and changing the copy leaves the original alone.
        const GraphDocument original = samples::seriesGraph(99, 999);
        GraphDocument copy = original;
        QVERIFY(copy == original);
        copy.series.sgrdData.setCell(DataFirstValue + 998, 99, u"-1"_s);
        QVERIFY(!(copy == original));
        QCOMPARE(original.series.sgrdData.cell(DataFirstValue + 998, 99),
                 samples::seriesGraph(99, 999).series.sgrdData.cell(DataFirstValue + 998, 99));
        copy.series.sgrdData.setCell(DataFirstValue + 998, 99,
                                     original.series.sgrdData.cell(DataFirstValue + 998, 99));
        QVERIFY(copy == original);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::TestEditHistory)
#include "tst_edit_history.moc"
