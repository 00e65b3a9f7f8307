#pragma once

#include "document/graph_document.h"
#include "document/regular_file.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tivora {

// The message of every failure to build or write a graph text, whatever the target file.
inline constexpr auto kWriteErrorMessage = "Error writing Temporary File";

struct GraphTextBuild {
    enum class Status { Complete, Incomplete, Failed };
    Status status = Status::Failed;
    // The variable text of a complete graph, in one piece.
    QByteArray text;
    // Incomplete: what is missing, for the user. Failed: the error message.
    QString message;
};

// Builds the variable text of the graph, in the fixed key order. Clears graphIncomplete and sets
// it when a completeness check fails; fills empty line width cells with "10" in the grid itself.
// A failure (a count or y value that is not a number, text the file cannot carry) leaves
// graphIncomplete as it was.
GraphTextBuild buildGraphText(GraphDocument& document);

// The seven lines of a graph file: six chunks, each cut at the last "&" within 480 characters and
// followed by "&" and CR LF, then the rest of the text, however long, with no line break.
QByteArray layoutGraphLines(QByteArrayView text);

// Writes the lines of a graph file to path in one atomic step. Gives the reason, naming the file,
// when it could not; path is then left as it was. A path that names a folder, device or pipe is
// refused, never replaced.
[[nodiscard]] std::optional<QString> writeGraphLines(const QString& path, QByteArrayView text,
                                                     Durability durability = Durability::Synced);

struct GraphWriteResult {
    enum class Status { Written, Incomplete, Failed };
    Status status = Status::Failed;
    // Incomplete: what is missing. Failed: the message to show.
    QString message;
    // Failed while writing the file: why, naming it, for a second line under message.
    QString detail;
    // Written: the graph text the file holds (before its lines are laid out).
    QByteArray text;

    bool written() const { return status == Status::Written; }
};

// Builds the graph text and writes it to path in one atomic step: a graph that is incomplete or
// fails leaves the file at path untouched.
[[nodiscard]] GraphWriteResult WriteGraphText(GraphDocument& document, const QString& path,
                                              Durability durability = Durability::Synced);

} // namespace tivora
