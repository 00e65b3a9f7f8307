#pragma once

#include "publish/publish_log.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

namespace tivora::publish {

// What publishing one graph needs from its graph file.
struct PreparedGraph {
    QByteArray aspFlag;       // "ASP" when the page passes the graph's values to its movie
    QByteArray aspParameters; // built only for ASP graphs
    QByteArray pageColour;    // the background colour text as stored
    QByteArray header;        // for the text that stands in for the picture
    // The graph file's lines (at most ten) with every picture named by its bare file name, so
    // that the published files work from any one folder: the text the movie's slots take.
    QList<QByteArray> lines;
};

// Where a graph's supporting files come from and go.
struct PublishPlaces {
    QString outputFolder;
    QString dataFolder; // the effects
    // The names of the files the run writes itself, in lower case: no picture or effect of the
    // same name takes their place, in this folder or once it is copied to a server that ignores
    // letter case.
    QSet<QString> runOutputs;
};

// Copies the graph's pictures (from wherever the graph names them, or beside the graph file)
// and its effect (from the program's data folder) into the output folder under their bare file
// names, logging each, and gathers the graph's values. Only what reads as a picture or an effect
// is copied; anything else the graph names is logged and left behind. Gives nothing, after
// logging why, when the graph cannot be published: its file cannot be read, has more lines than
// the movie has slots, or its ASP parameters cannot be built.
std::optional<PreparedGraph> PrepareGraphForPublish(const QString& graphPath,
                                                    const PublishPlaces& places, PublishLog& log);

// The picture references of one graph file line reduced to bare file names (three background
// pictures, a short list repeating its last; the pie picture).
QByteArray withBarePictureNames(const QByteArray& line);

} // namespace tivora::publish
