#include "editing/size_page.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TstSizePage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTheInitialScaleWithoutWritingIt();
    void barsStayInRangeAndKeepTheirCaptions();
};

void TstSizePage::showsTheInitialScaleWithoutWritingIt() {
    GraphDocumentModel model;
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    SizePage page(model);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(page.trkScaleGraph->value(), 100);
    QCOMPARE(page.findChild<QLabel*>(u"lblScaleGraph"_s)->text(), u"100"_s);
    QCOMPARE(page.findChild<QLabel*>(u"lblGX"_s)->text(), u"0"_s);
    QVERIFY(page.shownFor(u"pie"_s));

    GraphDocument graph;
    graph.placement.trkGY.setPosition(-40);
    graph.placement.trkScaleGraph.setPosition(75);
    model.replace(graph);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(page.findChild<QLabel*>(u"lblGY"_s)->text(), u"-40"_s);
    QCOMPARE(page.trkScaleGraph->caption()->text(), u"75"_s);
}

void TstSizePage::barsStayInRangeAndKeepTheirCaptions() {
    GraphDocumentModel model;
    SizePage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.trkScaleGraph->setValue(20);
    QCOMPARE(model.document().placement.trkScaleGraph.position(), 50);
    QCOMPARE(page.trkScaleGraph->caption()->text(), u"50"_s);
    page.trkScaleGraph->setValue(151);
    QCOMPARE(model.document().placement.trkScaleGraph.position(), 150);
    page.trkGX->setValue(33);
    QCOMPARE(model.document().placement.trkGX.position(), 33);
    QCOMPARE(page.trkGX->caption()->text(), u"33"_s);
    QCOMPARE(changed.count(), 3);
}

} // namespace tivora

QTEST_MAIN(tivora::TstSizePage)
#include "tst_size_page.moc"
