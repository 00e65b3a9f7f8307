#include "common/file_size_limit.h"
#include "document/grid_layouts.h"
#include "document/slice_file.h"
#include "document/variable_text.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TestSliceFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void seriesTypesCarryTheirOwnFields();
    void pieSliceCarriesColoursAlphaAndShade();
    void failedWriteLeavesTheFileAndSaysWhy();
};

namespace {

GraphDocument graph() {
    GraphDocument document;
    document.header.pnlBackColour = {u"0x00FF00"_s, 0xFF00};
    shapePropertyGrid(document.series.sgrdProp, 2);
    Grid& properties = document.series.sgrdProp;
    properties.setCellColor(PropColor, 2, TextToColor("0x123456"));
    properties.setCellColor(PropValuesColor, 2, TextToColor("0xABCDEF"));
    properties.setCell(PropAlpha, 2, u"35"_s);
    shapeSliceGrid(document.pie.sgrdPieSlices, 2);
    Grid& slices = document.pie.sgrdPieSlices;
    slices.setCellColor(SliceColour, 1, TextToColor("0xFF0000"));
    slices.setCellColor(SliceValueClr, 1, 0);
    slices.setCellColor(SliceLabelClr, 1, 0);
    slices.setCell(SliceAlpha, 1, u"100"_s);
    slices.setCell(SliceShade, 1, u"0"_s);
    return document;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestSliceFile::seriesTypesCarryTheirOwnFields() {
    const GraphDocument document = graph();
    const QByteArray bar = "&Backgrnd=0x00FF00&CylCol=0x123456&ValueCol=0xABCDEF&Textloaded=OK";
    QCOMPARE(sliceFileText(document, u"bar"_s, 2), "&graphType=bar" + bar);
    // Stacked bars draw their sample as bars do.
    QCOMPARE(sliceFileText(document, u"sbar"_s, 2), "&graphType=sbar" + bar);
    const QByteArray line = "&Backgrnd=0x00FF00&AreaCol=0x123456&AreaAlpha=35&Textloaded=OK";
    QCOMPARE(sliceFileText(document, u"line"_s, 2), "&graphType=line" + line);
    QCOMPARE(sliceFileText(document, u"area"_s, 2), "&graphType=area" + line);
    // A cell whose colour was never set stands for the grid's white.
    QVERIFY(sliceFileText(document, u"bar"_s, 1)->contains("&ValueCol=0xFFFFFF&"));
}

void TestSliceFile::pieSliceCarriesColoursAlphaAndShade() {
    GraphDocument document = graph();
    document.header.pnlBackColour.caption = u"0xFFFFFF"_s;
    QCOMPARE(sliceFileText(document, u"pie"_s, 1),
             "&graphType=pie&Backgrnd=0xFFFFFF&SliceCol=0xFF0000&ValueCol=0x000000"
             "&LabelCol=0x000000&SliceAlpha=100&SliceShade=0&Textloaded=OK");
    // Text that single-byte text cannot carry gives no file text at all.
    document.pie.sgrdPieSlices.setCell(SliceShade, 1, u"\u4e00"_s);
    QVERIFY(!sliceFileText(document, u"pie"_s, 1));
}

void TestSliceFile::failedWriteLeavesTheFileAndSaysWhy() {
    QTemporaryDir folder;
    const QString missing = folder.filePath(u"NoData/Slice.dat"_s);
    const auto reason = WriteSliceFile(graph(), u"bar"_s, 2, missing);
    QVERIFY(reason && !reason->isEmpty());
    QVERIFY(!QFile::exists(missing));

    const QString path = folder.filePath(u"Slice.dat"_s);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("before");
    old.close();
    GraphDocument unsavable = graph();
    unsavable.series.sgrdProp.setCell(PropAlpha, 2, u"\u4e00"_s);
    QVERIFY(WriteSliceFile(unsavable, u"area"_s, 2, path));
    QCOMPARE(contents(path), "before");

    std::optional<QString> tooLarge;
    {
        const test::FileSizeLimit full(10);
        QVERIFY(full.active());
        tooLarge = WriteSliceFile(graph(), u"bar"_s, 2, path);
    }
    QCOMPARE(tooLarge, u"Slice.dat could not be written: File too large"_s);
    QCOMPARE(contents(path), "before");
}

} // namespace tivora

QTEST_GUILESS_MAIN(tivora::TestSliceFile)
#include "tst_slice_file.moc"
