// Rendering files from the command line: every file the designer opens draws as it does there,
// anything else fails with the reader's reason, and no input or output path can make it hang,
// replace a device or allocate without bound.
#include "engine/render/render.h"
#include "tst_graph_files.h"
#include "tst_series_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace tivora;
using namespace tivora::engine;
using namespace tivora::engine::testing;
using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray encodedEntry(QByteArrayView key, QByteArrayView value) {
    return '&' + key.toByteArray() + '=' + EncodeValue(value);
}

// The same graph as an older designer saved it: version 1.2.01, long keys, and one value for
// every series where the current form has a list per series.
QByteArray legacyLongKeyFile(const QByteArray& current) {
    QByteArray text = current;
    text.replace("\r\n", "");
    const std::pair<QByteArrayView, QByteArrayView> longKeys[] = {
        {"&v_=2.0", "&v_=1.2.01"}, {"&gt_=", "&graphType="}, {"&sr_=", "&series="},
        {"&co_=", "&cols="},       {"&xl_=", "&XLabels="},   {"&sl_=", "&SeriesLabels="},
        {"&y1v_=", "&Y1Values="},  {"&bsc_=", "&barColor="}, {"&blc_=", "&BLabelCol="},
        {"&hd_=", "&header="},     {"&ft_=", "&footer="},    {"&bg_=", "&Backgrnd="}};
    for (const auto& [from, to] : longKeys)
        text.replace(from, to);
    const QByteArray oneValueEach = encodedEntry("GCV", "NO") + encodedEntry("CVS", "25") +
                                    encodedEntry("gs", "15") + encodedEntry("BBarAlpha", "80") +
                                    encodedEntry("CV", "NO");
    text.replace("&Textloaded=OK", QByteArray(oneValueEach + "&Textloaded=OK"));
    return text;
}

QByteArray randomBytes() {
    QRandomGenerator generator(15);
    QByteArray bytes(4096, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

bool isFifo(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

} // namespace

class RenderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_folder.emplace(); }

    void olderFilesDrawLikeTheirCurrentForm() {
        const QString current = m_folder->filePath(u"current.tvx"_s);
        const QString legacy = m_folder->filePath(u"legacy.tvx"_s);
        const QByteArray text = graphFile(barGraph({50, 70, 30}));
        QVERIFY(writeFile(current, text));
        QVERIFY(writeFile(legacy, legacyLongKeyFile(text)));
        QVERIFY(!readFile(legacy).contains("&sr_="));
        for (const QString& in : {current, legacy}) {
            const auto error = renderToFile(in, in + u".png"_s, {});
            QVERIFY2(!error, qPrintable(error.value_or(QString())));
        }
        const QImage drawn(legacy + u".png"_s);
        QVERIFY(countPixels(drawn, near(QColor(0xFF, 0, 0))) > 5000);
        QCOMPARE(drawn, QImage(current + u".png"_s));
    }

    void inputsThatAreNoGraphFail_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QString noGraph = u"This is not a graph file"_s;
        QTest::newRow("garbage") << QByteArray("garbage\x01\x02") << noGraph;
        QTest::newRow("empty") << QByteArray() << noGraph;
        QTest::newRow("nul bytes") << QByteArray(300, '\0') << noGraph;
        QTest::newRow("random bytes") << randomBytes() << noGraph;
        QTest::newRow("counts cut off")
            << QByteArray("&v_=2.0&gt_=cbs&sr_=3&Textloaded=OK") << u"is not a valid integer"_s;
        QTest::newRow("no columns") << graphFile(barGraph({10})).replace("&co_=2", "&co_=1")
                                    << u"incomplete graph: The graph has no data columns."_s;
        QTest::newRow("movie header only") << QByteArray("TVMOVIE 1\nnothing") << u"movie"_s;
    }

    void inputsThatAreNoGraphFail() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString in = m_folder->filePath(u"in.tvx"_s);
        const QString out = m_folder->filePath(u"out.png"_s);
        QVERIFY(writeFile(in, bytes));
        const auto error = renderToFile(in, out, {});
        QVERIFY(error);
        QVERIFY2(error->contains(reason) && error->contains(u"in.tvx"_s), qPrintable(*error));
        QVERIFY(!QFileInfo::exists(out));
        if (!bytes.startsWith("TVMOVIE")) {
            RenderOptions noInformation;
            noInformation.noInformation = true;
            QCOMPARE(renderToFile(in, out, noInformation), std::nullopt);
            QCOMPARE(QImage(out).size(), QSize(700, 475));
        }
    }

    void pathsThatAreNoFilesAreRefused() {
        const QString graph = m_folder->filePath(u"graph.tvx"_s);
        QVERIFY(writeFile(graph, graphFile(barGraph({50}))));
        const QString pipe = m_folder->filePath(u"pipe.png"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        // Reading a pipe that no one writes would wait for ever.
        auto error = renderToFile(pipe, m_folder->filePath(u"out.png"_s), {});
        QVERIFY(error && error->contains(u"not an ordinary file"_s));
        error = renderToFile(u"/dev/zero"_s, m_folder->filePath(u"out.png"_s), {});
        QVERIFY(error && error->contains(u"not an ordinary file"_s));
        error = renderToFile(m_folder->path(), m_folder->filePath(u"out.png"_s), {});
        QVERIFY(error && error->contains(u"is a folder"_s));
        // Outputs: a pipe stays a pipe, a folder a folder.
        error = renderToFile(graph, pipe, {});
        QVERIFY(error && error->startsWith(u"cannot write "_s));
        QVERIFY(isFifo(pipe));
        QVERIFY(QDir(m_folder->path()).mkdir(u"folder.png"_s));
        error = renderToFile(graph, m_folder->filePath(u"folder.png"_s), {});
        QVERIFY(error && error->contains(u"is a folder"_s));
        QVERIFY(QFileInfo(m_folder->filePath(u"folder.png"_s)).isDir());
        // A missing input is named as the input, never as the output.
        error = renderToFile(m_folder->filePath(u"none.tvx"_s), m_folder->filePath(u"o.png"_s), {});
        QVERIFY(error && error->contains(u"none.tvx does not exist"_s));
        QVERIFY(!error->contains(u"o.png"_s));
        QVERIFY(!error->contains(u"Unknown error"_s));
    }

    // The designer stores the bare name of an effect from its Data folder; the graph draws it
    // wherever the graph file lies.
    void effectsComeFromTheDataFolder() {
        GraphDocument document = barGraph({50, 70, 30});
        const QString plain = m_folder->filePath(u"plain.tvx"_s);
        QVERIFY(writeFile(plain, graphFile(document)));
        document.effects.edtBOverlay = u"snow.eff"_s;
        const QString snowing = m_folder->filePath(u"snowing.tvx"_s);
        QVERIFY(writeFile(snowing, graphFile(document)));
        QVERIFY(!QFileInfo::exists(m_folder->filePath(u"snow.eff"_s)));
        const RenderOptions options{3000, std::nullopt};
        QCOMPARE(renderToFile(plain, plain + u".png"_s, options), std::nullopt);
        QCOMPARE(renderToFile(snowing, snowing + u".png"_s, options), std::nullopt);
        QVERIFY(QImage(plain + u".png"_s) != QImage(snowing + u".png"_s));
    }

    void picturesStayWithinBounds() {
        const QString tall = m_folder->filePath(u"tall.swf"_s);
        QVERIFY(writeFile(tall, "TVMOVIE 1\nkind=blank\nstage=1x4000\n--\n"));
        const QString out = m_folder->filePath(u"out.png"_s);
        // 16000 wide at that aspect would be 64 million pixels high.
        auto error = renderToFile(tall, out, {std::nullopt, 16000});
        QVERIFY(error && error->contains(u"each side must lie between 1 and 16000"_s));
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(renderToFile(tall, out, {std::nullopt, 4}), std::nullopt);
        QCOMPARE(QImage(out).size(), QSize(4, 16000));
        const QString graph = m_folder->filePath(u"graph.tvx"_s);
        QVERIFY(writeFile(graph, graphFile(barGraph({50}))));
        QVERIFY(renderToFile(graph, out, {std::nullopt, 16001}));
    }

    void svgIsSizedInPixels() {
        const QString graph = m_folder->filePath(u"graph.tvx"_s);
        QVERIFY(writeFile(graph, graphFile(barGraph({50}))));
        const QString out = m_folder->filePath(u"out.svg"_s);
        QCOMPARE(renderToFile(graph, out, {}), std::nullopt);
        const QByteArray svg = readFile(out);
        QVERIFY2(svg.contains(R"(width="700" height="475" viewBox="0 0 700 475")"),
                 svg.left(600).constData());
        QCOMPARE(renderToFile(graph, out, {std::nullopt, 350}), std::nullopt);
        QVERIFY(readFile(out).contains(R"(width="350" height="238" viewBox="0 0 700 475")"));
    }

    void svgKeepsThePlotClipping() {
        // A line through a point far above a fixed maximum is cut at the plot's top in every
        // form, not drawn up to the stage's edge.
        GraphDocument document = barGraph({5000, 50, 50});
        document.graphType = document.baseType = u"line"_s;
        document.series.sgrdProp.setCell(PropType, 1, u"line"_s);
        document.series.sgrdData.setCell(DataType, 1, u"line"_s);
        document.header.edtHeader = u"Under the plot"_s;
        document.header.headerPosition = HeaderPosition::Bottom;
        const QString graph = m_folder->filePath(u"graph.tvx"_s);
        QVERIFY(writeFile(graph, graphFile(document)));
        const QString svg = m_folder->filePath(u"out.svg"_s);
        const QString png = m_folder->filePath(u"out.png"_s);
        QCOMPARE(renderToFile(graph, svg, {}), std::nullopt);
        QCOMPARE(renderToFile(graph, png, {}), std::nullopt);
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QImage drawn(700, 475, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::white);
        QPainter painter(&drawn);
        renderer.render(&painter);
        painter.end();
        const auto red = near(QColor(0xFF, 0, 0));
        const QRect abovePlot(0, 0, 700, 8);
        QCOMPARE(countPixels(QImage(png), red, abovePlot), 0);
        QCOMPARE(countPixels(drawn, red, abovePlot), 0);
        QVERIFY(countPixels(drawn, red) > 500);
    }

private:
    std::optional<QTemporaryDir> m_folder;
};

QTEST_MAIN(RenderTest)
#include "tst_render.moc"
