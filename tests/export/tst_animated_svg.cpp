// The animated SVG as a document: well-formed, safe with hostile graph text, titled and described,
// its note links usable and nothing but safe links written.
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "export/animated_svg.h"
#include "export/effect_motion.h"
#include "export/graph_summary.h"
#include "export_fixture.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::exporting;
using namespace tivora::exporting::testing;

namespace {

struct Parsed {
    bool wellFormed = false;
    QStringList elements;
    QString title;
    QString description;
    QStringList links;
    QString viewBox;
};

Parsed parse(const QByteArray& svg) {
    Parsed parsed;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = reader.name().toString();
        parsed.elements.append(name);
        if (name == "svg"_L1)
            parsed.viewBox = reader.attributes().value("viewBox"_L1).toString();
        else if (name == "a"_L1)
            parsed.links.append(reader.attributes().value("href"_L1).toString());
        else if (name == "title"_L1 && parsed.title.isEmpty())
            parsed.title = reader.readElementText();
        else if (name == "desc"_L1)
            parsed.description = reader.readElementText();
    }
    parsed.wellFormed = !reader.hasError();
    return parsed;
}

QByteArray svgOf(const GraphTextBuilder& text) {
    const VariableText variables(text.text());
    return animatedSvg(engine::layoutGraph(variables, QDir()), summarizeGraph(variables));
}

const QByteArray kHostile = "<script>alert(\"x\")</script> & 'Co' ]]> <!--";

} // namespace

class TestAnimatedSvg : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void isAWellFormedStageSizedDocument();
    void hostileTextStaysText_data();
    void hostileTextStaysText();
    void writesOnlySafeLinks_data();
    void writesOnlySafeLinks();
    void describesTheGraph();
    void animatesGrowthWithFewValues();
    void stretchesNarrowBarsAsAWhole();
    void effectsMoveInASmallFile_data();
    void effectsMoveInASmallFile();
    void writesTheFileWholeOrNotAtAll();
};

void TestAnimatedSvg::isAWellFormedStageSizedDocument() {
    GraphTextBuilder text = seriesTestGraph("bar", {"bar", "line"});
    addHeader(text, "Quarterly sales");
    const Parsed svg = parse(svgOf(text));
    QVERIFY(svg.wellFormed);
    QCOMPARE(svg.viewBox, u"0 0 700 475"_s);
    QCOMPARE(svg.title, u"Quarterly sales"_s);
    QVERIFY(svg.elements.contains(u"animate"_s));
    QVERIFY(!svg.elements.contains(u"script"_s));
    QVERIFY(!svg.elements.contains(u"foreignObject"_s));
}

void TestAnimatedSvg::hostileTextStaysText_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addRow("header") << QByteArray("hd_");
    QTest::addRow("column labels") << QByteArray("xl_");
    QTest::addRow("series names") << QByteArray("sl_");
    QTest::addRow("note heading") << QByteArray("nohd_");
}

void TestAnimatedSvg::hostileTextStaysText() {
    QFETCH(QByteArray, key);
    GraphTextBuilder text = seriesTestGraph("bar", {"bar", "bar"});
    // A later entry of the same key wins, so the hostile text replaces the fixture's.
    if (key == "nohd_")
        addNotes(text, 1, {{"nohd_", kHostile}});
    else if (key == "hd_")
        addHeader(text, kHostile);
    else
        text.encoded(key, kHostile + "/x/" + kHostile + "/x/" + kHostile + "/x/" + kHostile +
                              "/x/" + kHostile);
    const QByteArray bytes = svgOf(text);
    const Parsed svg = parse(bytes);
    QVERIFY(svg.wellFormed);
    QVERIFY(!svg.elements.contains(u"script"_s));
    QVERIFY(!bytes.contains("<script"));
    QVERIFY(!bytes.contains("<!--"));
    if (key == "hd_")
        QCOMPARE(svg.title, QString::fromLatin1(kHostile));
}

void TestAnimatedSvg::writesOnlySafeLinks_data() {
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<QString>("written"); // empty: no link at all
    QTest::addRow("https") << QByteArray("https://example.com/a?b=1&c=2")
                           << u"https://example.com/a?b=1&c=2"_s;
    QTest::addRow("bare host") << QByteArray("www.example.com") << u"http://www.example.com"_s;
    QTest::addRow("mailto") << QByteArray("mailto:sales@example.com")
                            << u"mailto:sales@example.com"_s;
    QTest::addRow("javascript") << QByteArray("javascript:alert(1)") << QString();
    QTest::addRow("javascript, mixed case") << QByteArray("JaVaScRiPt:alert(1)") << QString();
    QTest::addRow("data") << QByteArray("data:text/html,<b>x</b>") << QString();
    QTest::addRow("file") << QByteArray("file:///etc/passwd") << QString();
    QTest::addRow("quote breaking out") << QByteArray("https://example.com/\"><script>")
                                        << u"https://example.com/%22%3E%3Cscript%3E"_s;
}

void TestAnimatedSvg::writesOnlySafeLinks() {
    QFETCH(QByteArray, url);
    QFETCH(QString, written);
    GraphTextBuilder text = seriesTestGraph("bar", {"bar"});
    addLinkedNote(text, url);
    const QByteArray bytes = svgOf(text);
    const Parsed svg = parse(bytes);
    QVERIFY(svg.wellFormed);
    QCOMPARE(svg.links, written.isEmpty() ? QStringList() : QStringList{written});
    QVERIFY(!bytes.contains("javascript:"));
}

void TestAnimatedSvg::describesTheGraph() {
    const Parsed bar = parse(svgOf(seriesTestGraph("bar", {"bar", "bar"})));
    QCOMPARE(bar.title, u"Graph"_s); // no header
    QCOMPARE(bar.description,
             u"A bar graph of 2 series (Series 1, Series 2) over 5 columns, with values from 20 "
             u"to 80."_s);
    const Parsed mixed = parse(svgOf(seriesTestGraph("bar", {"area", "bar", "line"})));
    QVERIFY(mixed.description.startsWith("A graph of mixed bars, lines and areas of 3 series"_L1));
    const Parsed pie =
        parse(svgOf(pieGraph({{"40", "0xE07B24", "North"}, {"25", "0x2E6FB7", "South"}})));
    QCOMPARE(pie.description, u"A pie graph of 2 slices (North 40, South 25), totalling 65."_s);
}

void TestAnimatedSvg::animatesGrowthWithFewValues() {
    // A growing bar follows one easing curve: two values and a spline, not a value per frame.
    const QByteArray bytes = svgOf(seriesTestGraph("bar", {"bar"}));
    QXmlStreamReader reader(bytes);
    int splines = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != "animate"_L1)
            continue;
        const auto attributes = reader.attributes();
        if (attributes.value("attributeName"_L1) == "d"_L1 &&
            attributes.value("calcMode"_L1) == "spline"_L1) {
            ++splines;
            QVERIFY(attributes.value("keySplines"_L1).contains("0.3333 1 0.6667 1"_L1));
            QVERIFY(attributes.value("values"_L1).count(u';') <= 8);
        }
    }
    QVERIFY(splines >= 5);
}

void TestAnimatedSvg::stretchesNarrowBarsAsAWhole() {
    // 180 bars grow with one curve: drawn once as a path per series and stretched from the
    // baseline, not animated bar by bar.
    const QByteArray bytes = svgOf(narrowBarsGraph());
    QXmlStreamReader reader(bytes);
    int stretches = 0;
    int barGlides = 0;
    int rects = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = reader.attributes();
        rects += reader.name() == "rect"_L1;
        if (reader.name() == "animateTransform"_L1 && attributes.value("type"_L1) == "scale"_L1)
            ++stretches;
        if (reader.name() == "animate"_L1 && (attributes.value("attributeName"_L1) == "height"_L1 ||
                                              attributes.value("attributeName"_L1) == "y"_L1))
            ++barGlides;
    }
    QVERIFY(!reader.hasError());
    QCOMPARE(stretches, 1);
    QCOMPARE(barGlides, 0);
    QVERIFY(rects < 10);
    // Most of what the bars add is the title each one carries for a reader pointing at it.
    QCOMPARE(bytes.count("class=\"value-mark\""), 180);
    QVERIFY2(bytes.size() < 48 * 1024, qPrintable(QString::number(bytes.size())));
}

void TestAnimatedSvg::effectsMoveInASmallFile_data() {
    QTest::addColumn<QByteArray>("effect");
    QTest::addColumn<int>("particles"); // in the file
    QTest::addRow("snow, capped") << QByteArray("snow.eff") << 29;
    QTest::addRow("confetti, capped") << QByteArray("confetti.eff") << 30;
    QTest::addRow("sparkles, capped") << QByteArray("sparkles.eff") << 29;
    QTest::addRow("bubbles, capped") << QByteArray("bubbles.eff") << 29;
    QTest::addRow("light rays") << QByteArray("lightrays.eff") << 24;
}

// Every kept particle plays its own endless movements; the file stays fit for a web page.
void TestAnimatedSvg::effectsMoveInASmallFile() {
    QFETCH(QByteArray, effect);
    QFETCH(int, particles);
    GraphTextBuilder text = seriesTestGraph("bar", {"bar", "line", "bar"});
    text.encoded("BEffect", effect).encoded("BEffectAlpha", "70");
    const VariableText variables(text.text());
    const QByteArray bytes = animatedSvg(
        engine::layoutGraph(variables, QDir(QStringLiteral(TIVORA_SOURCE_DIR) + u"/data"_s)),
        summarizeGraph(variables));
    qInfo("%s: %lld bytes", QTest::currentDataTag(), qint64(bytes.size()));
    QVERIFY(bytes.size() < 150 * 1024);
    QXmlStreamReader reader(bytes);
    int sprites = 0;
    int endless = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = reader.attributes();
        sprites += reader.name() == "use"_L1;
        if (attributes.value("repeatCount"_L1) == "indefinite"_L1) {
            ++endless;
            // Slow drifts take minutes to come round; one that takes days is a rounding error.
            const double seconds = attributes.value("dur"_L1).chopped(1).toDouble();
            QVERIFY2(seconds > 0 && seconds < 3600,
                     qPrintable(attributes.value("dur"_L1).toString()));
        }
    }
    QVERIFY(!reader.hasError());
    QCOMPARE(sprites, particles);
    QVERIFY(sprites <= kSvgEffectParticles);
    QVERIFY(endless >= 2 * particles);
}

void TestAnimatedSvg::writesTheFileWholeOrNotAtAll() {
    QTemporaryDir folder;
    const engine::Scene scene =
        engine::layoutGraph(VariableText(seriesTestGraph("bar", {"bar"}).text()), QDir());
    const QString path = folder.filePath(u"graph.svg"_s);
    QCOMPARE(writeAnimatedSvg(scene, {u"T"_s, u"D"_s, {}}, path), std::nullopt);
    QVERIFY(parse([&] {
                QFile file(path);
                file.open(QIODevice::ReadOnly);
                return file.readAll();
            }())
                .wellFormed);
    // A folder that does not exist: a reason, and no file.
    const QString missing = folder.filePath(u"no/such/graph.svg"_s);
    const auto error = writeAnimatedSvg(scene, {u"T"_s, u"D"_s, {}}, missing);
    QVERIFY(error && error->contains(missing));
    QVERIFY(!QFile::exists(missing));
}

QTEST_MAIN(TestAnimatedSvg)
#include "tst_animated_svg.moc"
