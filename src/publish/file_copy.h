#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tivora::publish {

// Reads the whole file, or gives the reason it could not.
std::optional<QString> readWholeFile(const QString& path, QByteArray& bytes);
// Writes bytes to path in one step, replacing a file of that name; gives the reason it could not.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes);
// Copies source to target, replacing a file of that name, so that target is never left half
// written; gives the reason it could not.
std::optional<QString> copyReplacing(const QString& source, const QString& target);

// The bare file name of a path written with either separator; nothing when that is no usable
// file name ("", "." or ".."), so that nothing read from a file can send a copy outside its
// folder.
std::optional<QString> bareFileName(const QString& path);

} // namespace tivora::publish
