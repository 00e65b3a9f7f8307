#pragma once

// A program folder of the test's own with the built Data folder, graphs of every type written
// through the record, and runs of the publishing core that keep their log.
#include "../document/sample_graphs.h"
#include "common/shipped_data.h"
#include "common/test_graph_file.h"
#include "document/graph_text_writer.h"
#include "document/program_folder.h"
#include "publish/publish_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>

namespace tivora::test {

using namespace Qt::StringLiterals;

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// Series colours that stand out in any picture of a graph.
inline constexpr WindowColor kFirstSeriesColor = 0x2020E0;  // red, stored blue-green-red
inline constexpr WindowColor kSecondSeriesColor = 0x20C020; // green

inline void colourSeries(GraphDocument& document, int row, WindowColor color) {
    document.series.sgrdProp.setCell(PropColor, row, QString::fromLatin1(ColorToText(color)));
    document.series.sgrdProp.setCellColor(PropColor, row, color);
    document.series.sgrdData.setCellColor(DataColor, row, color);
}

// A graph of type "bar", "sbar", "line", "area" or "pie" with two series of four points or
// four slices, in colours of its own.
inline GraphDocument graphOfType(const QString& type) {
    if (type == "pie"_L1) {
        GraphDocument pie = samples::pieGraph(4);
        pie.pie.edtPieImage.clear();
        pie.header.edtHeader = u"Pie graph"_s;
        return pie;
    }
    GraphDocument document = samples::seriesGraph(2, 4);
    document.graphType = document.baseType = type;
    const QString seriesType = type == "sbar"_L1 ? u"bar"_s : type;
    for (int row = 1; row <= 2; ++row) {
        setNewSeriesDefaults(document.series.sgrdData, document.series.sgrdProp, row, seriesType);
        document.series.sgrdProp.setCell(PropAlpha, row, u"100"_s);
        colourSeries(document, row, row == 1 ? kFirstSeriesColor : kSecondSeriesColor);
    }
    document.header.edtHeader = u"Sales by quarter"_s;
    return document;
}

class PublishFixture {
public:
    PublishFixture() {
        copyShippedData(dataFolder());
        setProgramFolder(m_folder.path());
        // The wizard remembers the folder graphs were added from.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path(u"settings"_s));
    }
    ~PublishFixture() { setProgramFolder(QString()); }

    QString path(const QString& name) const { return m_folder.path() + u'/' + name; }
    QString dataFolder() const { return path(u"Data/"_s); }
    QString outFolder() const { return path(u"out"_s); }
    QString out(const QString& name) const { return outFolder() + u'/' + name; }

    QString writeGraph(const QString& name, GraphDocument document) const {
        QString file = path(name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        return test::writeTestGraph(std::move(document), file);
    }

    publish::PublishChoices choices(publish::ExportKind kind, const QStringList& graphs) const {
        publish::PublishChoices choices;
        choices.exportKind = kind;
        choices.saveDirectory = outFolder();
        choices.graphs = graphs;
        return choices;
    }

    publish::PublishSummary run(const publish::PublishChoices& choices) {
        log.clear();
        publish::PublishRun run(choices, dataFolder());
        return run.GeneratePublishFiles([this](const QString& line) { log.append(line); });
    }

    QStringList outputFiles() const { return QDir(outFolder()).entryList(QDir::Files, QDir::Name); }

    QStringList log;

private:
    QTemporaryDir m_folder;
};

} // namespace tivora::test
