#pragma once

#include "engine/render/render.h"
#include "engine/scene/drawn_items.h"

#include <QByteArray>
#include <QJsonObject>
#include <QSize>
#include <QStringList>
#include <optional>
#include <vector>

namespace tivora::engine {

class Movie;

// What one frame of a graph draws, as a reader of the picture sees it.
struct Inspection {
    QSize picture;
    std::vector<DrawnItem> items;
};

// The frame of movie at time, in the pixels of a picture of size.
Inspection inspectMovie(const Movie& movie, Millis time, QSize size);

// A graph file (or movie) laid out as a render lays it out, inspected at options.time (default:
// when it has settled); nothing, and the reason in error, when it cannot be drawn.
std::optional<Inspection> inspectFile(const QString& inPath, const RenderOptions& options,
                                      QString& error);

// {"width":..,"height":..,"items":[{"kind":..,"rect":[x,y,w,h],...}]}
QJsonObject inspectionJson(const Inspection& inspection);

// "tivora inspect GRAPH [--time MS] [--width W]": the JSON on stdout; the exit code.
int runInspectCommand(const QStringList& args);

} // namespace tivora::engine
