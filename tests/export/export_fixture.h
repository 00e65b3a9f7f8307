#pragma once

// Graph files for the export tests: the graph types with notes, a link and background pictures,
// written into a temporary folder, and the still pictures they must match.
#include "../document/sample_graphs.h"
#include "document/graph_text_writer.h"
#include "engine/render/render.h"
#include "tst_pie_fixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>

namespace tivora::exporting::testing {

using namespace Qt::StringLiterals;

using namespace tivora::engine::testing;

inline void addHeader(GraphTextBuilder& text, const QByteArray& header) {
    text.encoded("hd_", header);
}

inline GraphTextBuilder seriesTestGraph(const QByteArray& type, std::vector<QByteArray> types) {
    std::vector<SeriesSpec> series;
    const QList<QByteArray> colours{"0xE07B24", "0x2E6FB7", "0x3AA655"};
    const QList<QByteArray> values{"20/x/45/x/70/x/35/x/60", "55/x/30/x/80/x/65/x/25",
                                   "10/x/25/x/40/x/30/x/50"};
    for (std::size_t i = 0; i < types.size(); ++i) {
        series.push_back({types[i], colours[qsizetype(i)], values[qsizetype(i)],
                          "Series " + QByteArray::number(int(i) + 1), "15", "YES"});
    }
    GraphTextBuilder text = seriesGraph(type, series, 5);
    text.encoded("pcol_", "0xF4F7FB").encoded("pshl_", "40");
    return text;
}

// Bars too narrow to be drawn as cylinders: the SVG draws them once and stretches them as a whole.
inline GraphTextBuilder narrowBarsGraph() {
    constexpr int kColumns = 60;
    std::vector<SeriesSpec> series;
    for (int s = 0; s < 3; ++s) {
        std::vector<QByteArray> values;
        for (int c = 0; c < kColumns; ++c)
            values.push_back(QByteArray::number((s * 37 + c * 11) % 90 + 5));
        series.push_back({"bar", s % 2 ? "0x2E6FB7" : "0xE07B24", joinList(values),
                          "Series " + QByteArray::number(s + 1), "15", "NO"});
    }
    return seriesGraph("bar", series, kColumns);
}

// A picture with a smooth shade from one colour to another, as photographs have.
inline void savePicture(const QString& path, QColor from, QColor to) {
    QImage image(320, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient shade(0, 0, 320, 200);
    shade.setColorAt(0, from);
    shade.setColorAt(1, to);
    painter.fillRect(image.rect(), shade);
    painter.end();
    image.save(path);
}

inline GraphTextBuilder& addLinkedNote(GraphTextBuilder& text, const QByteArray& url) {
    return addNotes(text, 1,
                    {{"nohd_", "Read more"},
                     {"nobd_", "Numbers & notes"},
                     {"nurl_", url},
                     {"nox_", "420"},
                     {"noy_", "120"}});
}

// The keys a designer's graph file carries that the short test texts leave out, with the values
// the designer writes. Keys are found by their first occurrence, so appended after a test text
// they fill only what it lacks, and the file reads as the designer would open it.
inline QByteArray designerKeys() {
    GraphDocument series = samples::seriesGraph(1, 1);
    GraphDocument pie = samples::pieGraph(1);
    return buildGraphText(series).text + buildGraphText(pie).text;
}

// The graph files the browser test plays: name -> path.
inline std::vector<std::pair<QString, QString>> writeTestGraphs(const QDir& folder) {
    savePicture(folder.filePath(u"first.png"_s), QColor(250, 230, 200), QColor(200, 220, 250));
    savePicture(folder.filePath(u"second.png"_s), QColor(210, 250, 210), QColor(250, 250, 250));
    std::vector<std::pair<QString, GraphTextBuilder>> graphs;
    graphs.emplace_back(u"bar"_s, seriesTestGraph("bar", {"bar", "bar"}));
    graphs.emplace_back(u"line"_s, seriesTestGraph("line", {"line", "line"}));
    graphs.emplace_back(u"area"_s, seriesTestGraph("area", {"area", "area"}));
    GraphTextBuilder mixed = seriesTestGraph("bar", {"area", "bar", "line"});
    mixed.encoded("BImages", "first.png/x/second.png").encoded("BImageAlpha", "60");
    addLinkedNote(mixed, "https://example.com/report?a=1&b=2");
    graphs.emplace_back(u"mixed"_s, mixed);
    GraphTextBuilder pie = pieGraph(
        {{"40", "0xE07B24", "North"}, {"25", "0x2E6FB7", "South"}, {"35", "0x3AA655", "East"}}, "2",
        "Yes", "0", {{"pieImage", "first.png"}});
    addLinkedNote(pie, "mailto:sales@example.com");
    graphs.emplace_back(u"pie"_s, pie);
    graphs.emplace_back(u"narrow"_s, narrowBarsGraph());
    // An effect whose particles all fit an SVG, so that the browser plays every one of them.
    for (const QString& effect : {u"lightrays"_s}) {
        QFile::copy(QStringLiteral(TIVORA_SOURCE_DIR) + u"/data/%1.eff"_s.arg(effect),
                    folder.filePath(effect + u".eff"_s));
        GraphTextBuilder text = seriesTestGraph("bar", {"bar", "line"});
        text.encoded("BEffect", effect.toLatin1() + ".eff").encoded("BEffectAlpha", "80");
        graphs.emplace_back(effect, text);
    }
    std::vector<std::pair<QString, QString>> paths;
    for (auto& [name, text] : graphs) {
        addHeader(text, "Sales of " + name.toLatin1());
        const QString path = folder.filePath(name + u".txt"_s);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text.text() + designerKeys());
        paths.emplace_back(name, path);
    }
    return paths;
}

// The picture `tivora render --still --time` gives.
inline QImage stillPicture(const QString& graphPath, engine::Millis time, const QDir& folder) {
    const QString out = folder.filePath(u"still.png"_s);
    engine::RenderOptions options;
    options.time = time;
    if (const auto error = engine::renderToFile(graphPath, out, options)) {
        qWarning("%s", qPrintable(*error));
        return {};
    }
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}

// The mean difference of two pictures' colour channels, 0 .. 255.
inline double meanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 255.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            sum += std::abs(qRed(p[column]) - qRed(q[column])) +
                   std::abs(qGreen(p[column]) - qGreen(q[column])) +
                   std::abs(qBlue(p[column]) - qBlue(q[column]));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

} // namespace tivora::exporting::testing
