// The drawing rules every graph keeps, checked through the inspector over the shipped templates
// and a few hundred generated graphs of every type and extreme.
#include "drawing_rules.h"
#include "engine/movies/movie.h"
#include "generated_graphs.h"

#include <QDir>
#include <QTest>
#include <functional>

using namespace tivora::engine;
using namespace tivora::engine::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr int kGeneratedGraphs = 240;
// The breaches a failure lists; the rest are only counted.
constexpr int kListed = 12;

struct Drawn {
    QString name;
    Inspection inspection;
    QImage picture;
};

QImage pictureOf(const Movie& movie, Millis time) {
    QImage image(kStageSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    movie.paint(painter, time);
    return image;
}

Drawn drawn(const QString& name, const Movie& movie) {
    const Millis settled = movie.settledTime();
    return {name, inspectMovie(movie, settled, kStageSize.toSize()), pictureOf(movie, settled)};
}

using Rule = std::function<QStringList(const Drawn&)>;

} // namespace

class TestDrawingRules : public QObject {
    Q_OBJECT

private:
    std::vector<Drawn> m_templates;
    std::vector<Drawn> m_generated;

    void checkAll(const std::vector<Drawn>& graphs, const Rule& rule) {
        QStringList breaches;
        int count = 0;
        for (const Drawn& graph : graphs) {
            for (const QString& breach : rule(graph)) {
                if (++count <= kListed)
                    breaches << graph.name + u": "_s + breach;
            }
        }
        if (count > 0)
            QFAIL(qPrintable(u"%1 breaches, among them:\n"_s.arg(count) + breaches.join(u'\n')));
    }

    void checkBoth(const Rule& rule) {
        checkAll(m_templates, rule);
        checkAll(m_generated, rule);
    }

private Q_SLOTS:
    void initTestCase() {
        const QDir shipped(QStringLiteral(TIVORA_SHIPPED_DATA_DIR));
        for (const QString& name : shipped.entryList({u"*.dat"_s}, QDir::Files, QDir::Name)) {
            QString error;
            const auto input = loadRenderInput(shipped.filePath(name), false, error);
            QVERIFY2(input, qPrintable(error));
            m_templates.push_back(drawn(name, *input->movie));
        }
        QCOMPARE(m_templates.size(), std::size_t(12));
        for (int seed = 1; seed <= kGeneratedGraphs; ++seed) {
            const auto graph = GraphGenerator(quint32(seed)).next();
            const Movie movie(layoutGraph(tivora::VariableText(graph.text), QDir::current()));
            m_generated.push_back(
                drawn(u"graph %1 (%2)"_s.arg(seed).arg(QString::fromLatin1(graph.type)), movie));
        }
    }

    void everyTypeIsGenerated() {
        // Bars, lines, areas and pies all take part, with labels to check.
        std::map<ItemKind, int> kinds;
        for (const Drawn& graph : m_generated) {
            for (const DrawnItem& item : graph.inspection.items)
                ++kinds[item.tag.kind];
        }
        for (const ItemKind kind :
             {ItemKind::Bar, ItemKind::Line, ItemKind::Area, ItemKind::Slice, ItemKind::ValueLabel,
              ItemKind::PieLabel, ItemKind::XLabel, ItemKind::NoteText, ItemKind::Header})
            QVERIFY2(kinds[kind] > 20, qPrintable(kindName(kind)));
    }

    void textsNeverOverlap() {
        checkBoth([](const Drawn& graph) { return overlappingTexts(graph.inspection); });
    }

    void labelsStayWithTheirSeries() {
        checkBoth([](const Drawn& graph) { return labelsOverOtherSeries(graph.inspection); });
    }

    void textsStayInsideThePicture() {
        checkBoth([](const Drawn& graph) { return textsOutsidePicture(graph.inspection); });
    }

    void textsAreReadableSizes() {
        // Generated graphs ask for nothing below 9 pixels; the templates ask for 10 and more.
        checkBoth([](const Drawn& graph) { return textsBelow(graph.inspection, 9.0); });
    }

    void differentLabelsReadDifferently() {
        checkBoth([](const Drawn& graph) { return labelsShownAlike(graph.inspection); });
    }

    void headersWrapBeforeTheyShrink() {
        checkBoth([](const Drawn& graph) { return headersShrunkOnOneLine(graph.inspection, 22); });
    }

    void valueLabelsStandOut() {
        checkBoth(
            [](const Drawn& graph) { return labelsHardToRead(graph.inspection, graph.picture); });
    }
};

QTEST_MAIN(TestDrawingRules)
#include "tst_drawing_rules.moc"
