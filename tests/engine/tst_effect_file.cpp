#include "engine/backdrop/effect_file.h"
#include "engine/backdrop/effect_node.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

class TestEffectFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shippedEffectsReadAndDraw();
    void readsLayersAndSettings();
    void outOfRangeSettingsAreBrought();
    void faultsNameTheirLine_data();
    void faultsNameTheirLine();
};

void TestEffectFile::shippedEffectsReadAndDraw() {
    const QDir data(QStringLiteral(TIVORA_SOURCE_DIR) + u"/data"_s);
    const QStringList names = data.entryList({u"*.eff"_s}, QDir::Files);
    QVERIFY(names.size() >= 4);
    for (const QString& name : names) {
        QFile file(data.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString error;
        const auto effect = EffectFile::parse(file.readAll(), &error);
        QVERIFY2(effect, qPrintable(name + u": "_s + error));
        QVERIFY(!effect->layers.empty());
        QVERIFY(!effect->name.isEmpty());
        QImage image(700, 475, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        EffectNode(*effect, QRectF(0, 0, 700, 475), 1.0).paint(painter, 3000);
        painter.end();
        int lit = 0;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2)
                lit += qGray(image.pixel(x, y)) > 40 ? 1 : 0;
        }
        QVERIFY2(lit > 50, qPrintable(name));
    }
}

void TestEffectFile::readsLayersAndSettings() {
    const QByteArray text = "TVEFFECT 1\r\n"
                            "# falling leaves\r\n"
                            "name=Leaves\r\n"
                            "\r\n"
                            "particles shape=Square count=12 size=3-6 color=0xFF0000,0x00ff00 "
                            "opacity=40 angle=-90 speed=-5--2 sway=4 spin=90 seed=9\r\n"
                            "rays count=5 x=10 y=-5 width=7 length=500 swing=3 period=6000\r\n"
                            "glow x=50 y=50 radius=90 color=0x112233 opacity=60\r\n";
    QString error;
    const auto effect = EffectFile::parse(text, &error);
    QVERIFY2(effect, qPrintable(error));
    QCOMPARE(effect->name, u"Leaves"_s);
    QCOMPARE(effect->layers.size(), std::size_t(3));
    const EffectLayer& leaves = effect->layers[0];
    QCOMPARE(leaves.kind, EffectLayer::Kind::Particles);
    QCOMPARE(leaves.shape, ParticleShape::Square);
    QCOMPARE(leaves.count, 12);
    QCOMPARE(leaves.size.low, 3.0);
    QCOMPARE(leaves.size.high, 6.0);
    QCOMPARE(leaves.colors, (std::vector<QColor>{QColor(255, 0, 0), QColor(0, 255, 0)}));
    QCOMPARE(leaves.opacity.low, 40.0);
    QCOMPARE(leaves.opacity.high, 40.0);
    QCOMPARE(leaves.speed.low, -5.0);
    QCOMPARE(leaves.speed.high, -2.0);
    QCOMPARE(leaves.seed, quint32(9));
    QCOMPARE(effect->layers[1].kind, EffectLayer::Kind::Rays);
    QCOMPARE(effect->layers[1].origin, QPointF(10, -5));
    QCOMPARE(effect->layers[2].length, 90.0);
}

void TestEffectFile::outOfRangeSettingsAreBrought() {
    QByteArray text = "TVEFFECT 1\nparticles count=99999 size=500-0 opacity=-20-300\n"
                      "rays count=400\n";
    for (int i = 0; i < 8; ++i)
        text += "particles count=400\n";
    const auto effect = EffectFile::parse(text);
    QVERIFY(effect);
    QCOMPARE(effect->layers[0].count, 400);
    QCOMPARE(effect->layers[0].size.low, 0.2);
    QCOMPARE(effect->layers[0].size.high, 80.0);
    QCOMPARE(effect->layers[0].opacity.low, 0.0);
    QCOMPARE(effect->layers[0].opacity.high, 100.0);
    QCOMPARE(effect->layers[1].count, 36);
    int particles = 0;
    for (const EffectLayer& layer : effect->layers) {
        if (layer.kind == EffectLayer::Kind::Particles)
            particles += layer.count;
    }
    QCOMPARE(particles, 2000); // the whole effect stays cheap to draw
}

void TestEffectFile::faultsNameTheirLine_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("signature") << QByteArray("TVMOVIE 1\n")
                               << u"the first line is not \"TVEFFECT 1\""_s;
    QTest::newRow("empty") << QByteArray() << u"the first line is not \"TVEFFECT 1\""_s;
    QTest::newRow("kind") << QByteArray("TVEFFECT 1\n\nfireworks\n")
                          << u"line 3: \"fireworks\" is not a kind of layer"_s;
    QTest::newRow("setting") << QByteArray("TVEFFECT 1\nparticles colour=0xFFFFFF\n")
                             << u"line 2: \"colour=0xFFFFFF\" is not a setting"_s;
    QTest::newRow("number") << QByteArray("TVEFFECT 1\nparticles count=many\n")
                            << u"line 2: \"many\" is not a number"_s;
    QTest::newRow("colour") << QByteArray("TVEFFECT 1\nglow color=red\n")
                            << u"line 2: \"red\" is not a colour (write 0xRRGGBB)"_s;
    QTest::newRow("shape") << QByteArray("TVEFFECT 1\nparticles shape=heart\n")
                           << u"line 2: \"heart\" is not a particle shape"_s;
    QTest::newRow("no value") << QByteArray("TVEFFECT 1\nparticles count\n")
                              << u"line 2: \"count\" is not a setting"_s;
}

void TestEffectFile::faultsNameTheirLine() {
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QString message;
    QVERIFY(!EffectFile::parse(text, &message));
    QCOMPARE(message, error);
}

QTEST_MAIN(TestEffectFile)
#include "tst_effect_file.moc"
