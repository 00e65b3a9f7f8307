#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Every file the programs read or replace is an ordinary file. A path may name anything, though:
// a folder, a pipe that never delivers, a device that never ends. Readers refuse such a path at
// once instead of waiting on it, and writers refuse to put a file in its place.
namespace tivora {

// No graph, movie or effect file comes near this size; a larger input is refused rather than held
// in memory whole.
inline constexpr qint64 kLargestInputFile = 64 * 1024 * 1024;

// Why the file at path cannot be read as a whole (it is missing, a folder, not an ordinary file,
// too large, or unreadable), in a sentence that names it by its file name; nothing when it can.
std::optional<QString> checkInputFile(const QString& path);

// Reads the whole ordinary file at path into bytes. Gives the reason, as checkInputFile does,
// when it could not; a pipe or device is never opened in a way that could wait.
std::optional<QString> readInputFile(const QString& path, QByteArray& bytes);

// Why path cannot be written as a file: it names a folder, a device, a pipe or anything else that
// is not an ordinary file, which writing there would replace or feed. Nothing for an ordinary file
// or a path where nothing lies yet.
std::optional<QString> checkOutputFile(const QString& path);

// Puts bytes in place of the file at path in one step: they go to a temporary file beside it,
// which replaces the old file only once every byte is written and flushed. Gives the reason, naming
// the file, when that could not be done; the old file is then left as it was.
std::optional<QString> replaceFile(const QString& path, QByteArrayView bytes);

} // namespace tivora
