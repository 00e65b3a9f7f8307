#include "document/variable_text.h"
#include "engine/backdrop/backdrop_files.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie_kinds.h"
#include "engine/movies/published_slots.h"

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

Scene notice(const QByteArray& title, const QByteArray& text) {
    MovieFile message;
    message.kind = "message";
    message.properties = {{"kind", "message"}, {"title", title}, {"text", text}};
    return layoutMessageMovie(message);
}

} // namespace

// A published graph movie: a template copy whose slots publishing filled with a graph text. A
// calling movie (one with an "engine" property) draws through the shared engine movie, which must
// lie beside it.
Scene layoutPublishedMovie(const MovieFile& movie, const QDir& movieFolder) {
    const QByteArray engine = movie.property("engine").trimmed();
    if (!engine.isEmpty() && !findInFolder(movieFolder, QString::fromLatin1(engine))) {
        return notice(engine + " is missing", "This graph plays with the graph engine movie " +
                                                  engine + ". Copy " + engine +
                                                  " into the same folder as this movie.");
    }
    const PublishedSlots slots = PublishedSlots::read(movie.body);
    if (slots.lines.empty()) {
        if (!slots.embedded) {
            return notice("A graph movie template",
                          "Publish a graph with the publish wizard of Tivora Designer: it copies "
                          "this movie and fills it with your graph.");
        }
        return notice("This movie holds no graph",
                      "Publish the graph again with the publish wizard of Tivora Designer.");
    }
    return layoutGraph(VariableText(slots.graphText()), movieFolder);
}

} // namespace tivora::engine
