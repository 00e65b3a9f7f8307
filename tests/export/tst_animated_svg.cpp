// The animated SVG as a document: well-formed, safe with hostile graph text, titled and described,
// its note links usable and nothing but safe links written.
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "export/graph_summary.h"
#include "export/svg/animated_svg.h"
#include "export/svg/effect_motion.h"
#include "export/svg/svg_element.h"
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
    QStringList scripts;
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
        else if (name == "script"_L1)
            parsed.scripts.append(reader.readElementText());
    }
    parsed.wellFormed = !reader.hasError();
    return parsed;
}

QByteArray svgOf(const GraphTextBuilder& text) {
    const VariableText variables(text.text());
    return animatedSvg(engine::layoutGraph(variables, QDir()), summarizeGraph(variables));
}

// How many copies of text show once the animation has ended (played: the display animations'
// last values count, else only the attributes) or, with everyCopy, are written at all.
int shownAtEnd(const SvgElement& element, const QString& text, bool played,
               bool everyCopy = false) {
    if (!everyCopy) {
        QString display = element.attribute(u"display"_s).value_or(u"inline"_s);
        for (const SvgElement& child : element.children) {
            if (played && child.name == "animate"_L1 &&
                child.attribute(u"attributeName"_s) == u"display"_s)
                display = child.attribute(u"values"_s).value_or(QString()).split(u';').last();
        }
        if (display == "none"_L1)
            return 0;
    }
    int shown = element.name == "text"_L1 && element.text.contains(text) ? 1 : 0;
    for (const SvgElement& child : element.children)
        shown += shownAtEnd(child, text, played, everyCopy);
    return shown;
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
    void opensAPieOfManySlicesInASmallFile();
    void drawsEachNoteOnceAtRest();
    void settlesAtOnceForReducedMotion();
};

void TestAnimatedSvg::isAWellFormedStageSizedDocument() {
    GraphTextBuilder text = seriesTestGraph("bar", {"bar", "line"});
    addHeader(text, "Quarterly sales");
    const Parsed svg = parse(svgOf(text));
    QVERIFY(svg.wellFormed);
    QCOMPARE(svg.viewBox, u"0 0 700 475"_s);
    QCOMPARE(svg.title, u"Quarterly sales"_s);
    QVERIFY(svg.elements.contains(u"animate"_s));
    // The one script settles the graph at once for a reader who asks for less motion.
    QCOMPARE(svg.scripts.size(), 1);
    QVERIFY(svg.scripts.front().contains("prefers-reduced-motion: reduce"_L1));
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
    // Only the document's own script, which carries nothing of the graph's text.
    QCOMPARE(svg.scripts.size(), 1);
    QCOMPARE(bytes.count("<script"), 1);
    QVERIFY(!svg.scripts.front().contains("alert"_L1));
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
    QVERIFY2(bytes.size() < qsizetype{48} * 1024, qPrintable(QString::number(bytes.size())));
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
    QVERIFY(bytes.size() < qsizetype{150} * 1024);
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

// The opening sweep uncovers the finished pie: the pie is drawn once, and only the outline of
// what is uncovered moves.
void TestAnimatedSvg::opensAPieOfManySlicesInASmallFile() {
    std::vector<SliceSpec> slices;
    for (int i = 0; i < 60; ++i) {
        slices.push_back({QByteArray::number(5 + (i * 7) % 20),
                          i % 3 == 0   ? "0xE07B24"
                          : i % 3 == 1 ? "0x2E6FB7"
                                       : "0x3AA655",
                          "Slice " + QByteArray::number(i + 1), i == 7 ? "20" : "0"});
    }
    const QByteArray bytes = svgOf(pieGraph(slices, "2", "Yes", "1"));
    qInfo("%lld bytes", qint64(bytes.size()));
    QVERIFY2(bytes.size() < qsizetype{300} * 1024, qPrintable(QString::number(bytes.size())));
    QXmlStreamReader reader(bytes);
    int sweeps = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == "clipPath"_L1 &&
            reader.attributes().value("id"_L1).endsWith("-uncovered"_L1))
            ++sweeps;
    }
    QVERIFY(!reader.hasError());
    QCOMPARE(sweeps, 1);
}

// A note fades in over the graph: once in, one copy of it shows, as on the engine's picture.
// Each moment of its fade is a part of its own, shown in turn; at the end only the last shows,
// whether a viewer plays the animation to its end or shows none of it.
void TestAnimatedSvg::drawsEachNoteOnceAtRest() {
    GraphTextBuilder text = seriesTestGraph("bar", {"bar"});
    addNotes(text, 1, {{"nohd_", "Only once"}, {"nobd_", ""}});
    const auto svg = SvgElement::parse(svgOf(text));
    QVERIFY(svg);
    QVERIFY(shownAtEnd(*svg, u"Only once"_s, true, true) > 1);
    QCOMPARE(shownAtEnd(*svg, u"Only once"_s, true), 1);
    QCOMPARE(shownAtEnd(*svg, u"Only once"_s, false), 1);
}

// The script pauses the animations where the graph has settled, and only when the reader asks
// for less motion.
void TestAnimatedSvg::settlesAtOnceForReducedMotion() {
    const VariableText variables(seriesTestGraph("bar", {"bar", "line"}).text());
    const engine::Scene scene = engine::layoutGraph(variables, QDir());
    const Parsed svg = parse(animatedSvg(scene, summarizeGraph(variables)));
    QCOMPARE(svg.scripts.size(), 1);
    const QString& script = svg.scripts.front();
    QVERIFY(script.contains("matchMedia('(prefers-reduced-motion: reduce)').matches"_L1));
    QVERIFY(script.contains("pauseAnimations()"_L1));
    QVERIFY(script.contains(u"setCurrentTime(%1)"_s.arg(scene.settledTime() / 1000.0, 0, 'f', 3)));
}

QTEST_MAIN(TestAnimatedSvg)
#include "tst_animated_svg.moc"
