#include "engine/backdrop/backdrop_files.h"
#include "engine/backdrop/backdrop_images_node.h"
#include "tst_pie_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::engine;
using namespace tivora::engine::testing;

namespace {

const GraphFrame kFrame{QRectF(0, 40, 700, 435), 1.0, {}};

void savePicture(const QDir& folder, const QString& name, QColor color) {
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(folder.filePath(name)));
}

Scene backdrop(const QDir& folder, const QByteArray& images, const QByteArray& effect = {},
               const QByteArray& alpha = "100") {
    GraphTextBuilder text;
    text.plain("v_", "2.0").encoded("gt_", "bar");
    text.encoded("BImages", images).encoded("BImageAlpha", alpha);
    text.encoded("BEffect", effect).encoded("BEffectAlpha", "100");
    Scene scene;
    layoutBackdrop(VariableText(text.text()), kFrame, folder, scene);
    return scene;
}

void copyShippedEffect(const QDir& folder, const QString& name, const QString& as) {
    QVERIFY(
        QFile::copy(QStringLiteral(TIVORA_SOURCE_DIR) + u"/data/"_s + name, folder.filePath(as)));
}

} // namespace

class TestBackdropLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsFilesByNameWhateverTheFolder();
    void picturesTakeTurnsWithACrossFade();
    void onePictureStaysAndHalfOpacityMixes();
    void missingFilesAreSkippedQuietly();
    void effectIsDrawnAndMoves();
};

void TestBackdropLayout::findsFilesByNameWhateverTheFolder() {
    QTemporaryDir temp;
    const QDir folder(temp.path());
    savePicture(folder, u"Sky.jpg"_s, Qt::blue);
    QCOMPARE(fileNameOfPath(u"C:\\Photos\\Sky.jpg"_s), u"Sky.jpg"_s);
    QCOMPARE(fileNameOfPath(u"/home/me/Sky.jpg"_s), u"Sky.jpg"_s);
    QCOMPARE(locatePicture(u"C:\\Photos\\Sky.jpg"_s, folder), folder.filePath(u"Sky.jpg"_s));
    QCOMPARE(locatePicture(u"d:/other/SKY.JPG"_s, folder), folder.filePath(u"Sky.jpg"_s));
    QCOMPARE(locatePicture(folder.filePath(u"Sky.jpg"_s), QDir(u"/nonexistent"_s)),
             folder.filePath(u"Sky.jpg"_s));
    QVERIFY(!locatePicture(u"C:\\Photos\\"_s, folder));
    QVERIFY(!findInFolder(folder, u".."_s));
}

void TestBackdropLayout::picturesTakeTurnsWithACrossFade() {
    QTemporaryDir temp;
    const QDir folder(temp.path());
    savePicture(folder, u"red.jpg"_s, QColor(220, 0, 0));
    savePicture(folder, u"blue.jpg"_s, QColor(0, 0, 220));
    const Scene scene = backdrop(folder, "C:\\Pictures\\red.jpg/x/C:\\Pictures\\blue.jpg");
    QCOMPARE(scene.endTime(), kForever);
    const auto red = near(QColor(220, 0, 0), 40);
    const auto blue = near(QColor(0, 0, 220), 40);
    const QPoint inside(350, 250);
    const Millis show = BackdropImagesNode::kShowTime;
    QVERIFY(red(paintScene(scene, 1000).pixel(inside)));
    QVERIFY(blue(paintScene(scene, show + 1000).pixel(inside)));
    QVERIFY(red(paintScene(scene, 2 * show + 1000).pixel(inside))); // round again
    // Half way through the fade both show, mixed.
    const QRgb mixed = paintScene(scene, show - BackdropImagesNode::kFadeTime / 2).pixel(inside);
    QVERIFY(qRed(mixed) > 60 && qBlue(mixed) > 60);
    // The pictures cover the graph area only.
    QCOMPARE(paintScene(scene, 1000).pixel(350, 20), qRgb(255, 255, 255));
}

void TestBackdropLayout::onePictureStaysAndHalfOpacityMixes() {
    QTemporaryDir temp;
    const QDir folder(temp.path());
    savePicture(folder, u"black.png"_s, Qt::black);
    // A short list repeats its last item: the same picture three times is one picture.
    const Scene scene = backdrop(folder, "black.png/x/black.png/x/black.png", {}, "50");
    QCOMPARE(scene.endTime(), 0.0);
    const QRgb pixel = paintScene(scene, 9000).pixel(350, 250);
    QVERIFY(std::abs(qGray(pixel) - 128) < 8);
}

void TestBackdropLayout::missingFilesAreSkippedQuietly() {
    QTemporaryDir temp;
    const QDir folder(temp.path());
    QFile notAPicture(folder.filePath(u"broken.jpg"_s));
    QVERIFY(notAPicture.open(QIODevice::WriteOnly));
    notAPicture.write("not a picture");
    notAPicture.close();
    QFile badEffect(folder.filePath(u"bad.eff"_s));
    QVERIFY(badEffect.open(QIODevice::WriteOnly));
    badEffect.write("TVEFFECT 1\nfireworks count=3\n");
    badEffect.close();
    QVERIFY(backdrop(folder, "C:\\gone.jpg/x/broken.jpg", "missing.eff").isEmpty());
    QVERIFY(backdrop(folder, "", "bad.eff").isEmpty());
}

void TestBackdropLayout::effectIsDrawnAndMoves() {
    QTemporaryDir temp;
    const QDir folder(temp.path());
    copyShippedEffect(folder, u"snow.eff"_s, u"Snow.eff"_s);
    // The text may name the effect with any folder and letter case.
    const Scene scene = backdrop(folder, "", "C:\\Program Files\\Tivora\\Data\\SNOW.EFF");
    QCOMPARE(scene.endTime(), kForever);
    const auto lit = [](QRgb p) {
        return qGray(p) > 60;
    };
    const QImage early = paintScene(scene, 500, Qt::black);
    const QImage later = paintScene(scene, 2500, Qt::black);
    QVERIFY(countPixels(early, lit) > 200);
    QVERIFY(early != later);
    QCOMPARE(countPixels(early, lit, QRect(0, 0, 700, 39)), 0); // kept inside the graph area
}

QTEST_MAIN(TestBackdropLayout)
#include "tst_backdrop_layout.moc"
