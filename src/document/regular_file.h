#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Every file the programs read or replace is an ordinary file. A path may name anything, though:
// a folder, a pipe that never delivers, a device that never ends. Readers refuse such a path at
// once instead of waiting on it, and writers refuse to put a file in its place.
namespace tivora {

// No graph, movie or effect file comes near this size; a larger input is refused rather than held
// in memory whole.
inline constexpr qint64 kLargestInputFile = qint64{64} * 1024 * 1024;

// Why the file at path cannot be read as a whole (it is missing, a folder, not an ordinary file,
// too large, or unreadable), in a sentence that names it by its file name; nothing when it can.
[[nodiscard]] std::optional<QString> checkInputFile(const QString& path);

// Reads the whole ordinary file at path into bytes. Gives the reason, as checkInputFile does,
// when it could not; a pipe or device is never opened in a way that could wait.
[[nodiscard]] std::optional<QString> readInputFile(const QString& path, QByteArray& bytes);

// Why path cannot be written as a file: it names a folder, a device, a pipe or anything else that
// is not an ordinary file, which writing there would replace or feed. Nothing for an ordinary file
// or a path where nothing lies yet.
[[nodiscard]] std::optional<QString> checkOutputFile(const QString& path);

// How a replaced file is made to last.
enum class Durability {
    // On the disk before it takes the old file's place: a crash just after the write leaves the
    // new file whole, never an empty one. For everything the user keeps.
    Synced,
    // Takes the old file's place by a rename without waiting for the disk. For scratch files that
    // are written again at the next change and never outlive the session: the rename alone keeps
    // a reader from seeing a half-written file.
    Unsynced,
};

// Replaces the file at path with bytes in one atomic step, checking every write: the bytes go to
// a temporary file beside it, which is renamed over path only when all of them were written.
// Gives the reason, naming the file, when it could not; path is then left as it was. A path that
// names a folder, device or pipe is refused, never replaced.
[[nodiscard]] std::optional<QString> replaceFile(const QString& path, QByteArrayView bytes,
                                                 Durability durability = Durability::Synced);

} // namespace tivora
