#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>

namespace tivora::engine {

// A movie file as stored in the Data folder. The format is plain single-byte text, so that a
// published movie's text slots can be found and patched by a byte search:
//
//   TVMOVIE 1            first line, the signature and format version
//   kind=<kind>          what the movie is: blank, message, engine, sample, graph, tutorial,
//   published <name>=<value>       further properties of that kind, one a line
//   --                   end of the properties
//   <body>               the rest of the file, the kind's own bytes (may be empty)
//
// Lines end in LF or CR LF. Property names are case-sensitive; values are taken as they stand.
struct MovieFile {
    QByteArray kind;
    std::map<QByteArray, QByteArray> properties;
    QByteArray body;

    QByteArray property(const QByteArray& name, const QByteArray& fallback = {}) const;

    // Parses file bytes; gives nothing for bytes that are not a movie file.
    static std::optional<MovieFile> parse(const QByteArray& bytes);
    QByteArray serialize() const;
};

} // namespace tivora::engine
