#include "document/graph_keys.h"
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

// The items of a "/x/" list of paths, each cut to its file name.
QByteArray fileNamesOf(QByteArrayView list) {
    QByteArray names;
    for (qsizetype start = 0;;) {
        const qsizetype separator = list.indexOf(kListSeparator, start);
        const qsizetype end = separator < 0 ? list.size() : separator;
        names += fileNameOfPath(QString::fromLatin1(list.sliced(start, end - start))).toLatin1();
        if (separator < 0)
            return names;
        names += kListSeparator;
        start = separator + kListSeparator.size();
    }
}

// Publishing copies a graph's pictures and effect into the movie's folder, and a published movie
// is played from wherever it was put: it may name files of that folder only. Every path the text
// names becomes its bare file name, given ahead of the text so that the lookups, which take the
// first entry of a key, find these.
QByteArray withFileNamesOnly(const QByteArray& graphText) {
    static constexpr QByteArrayView kFileKeys[] = {keys::kBackImages, keys::kBackEffect,
                                                   keys::kPieImage};
    const VariableText text(graphText);
    QByteArray names;
    for (const QByteArrayView key : kFileKeys) {
        if (text.contains(key))
            names += key.toByteArray() + '=' + EncodeValue(fileNamesOf(text.encodedValue(key)));
    }
    return names + graphText;
}

} // namespace

// A published graph movie: a template copy whose slots publishing filled with a graph text. A
// calling movie (one with an "engine" property) draws through the shared engine movie, which must
// lie beside it.
Scene layoutPublishedMovie(const MovieFile& movie, const QDir& movieFolder) {
    const QByteArray engine =
        fileNameOfPath(QString::fromLatin1(movie.property("engine"))).toLatin1();
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
    return layoutGraph(VariableText(withFileNamesOnly(slots.graphText())), movieFolder);
}

} // namespace tivora::engine
