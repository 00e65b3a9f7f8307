#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tivora::publish {

// Graph, template and picture files are read as every input is (document/regular_file.h):
// ordinary files only, of a bounded size, a pipe or device refused at once.

// Writes bytes to path in one step, replacing an ordinary file of that name, never a folder, pipe
// or device; gives the reason it could not.
[[nodiscard]] std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes);
// Copies the input file source to target as writeWholeFile writes, so that target is never left
// half written; gives the reason it could not.
[[nodiscard]] std::optional<QString> copyReplacing(const QString& source, const QString& target);

// The bare file name of a path written with either separator; nothing when that is no usable
// file name ("", "." or ".."), so that nothing read from a file can send a copy outside its
// folder.
std::optional<QString> bareFileName(const QString& path);

} // namespace tivora::publish
