#pragma once

#include "engine/scene/track.h"

#include <QImage>
#include <QString>
#include <optional>

namespace tivora {

// A still of a player: the movie area exactly as the player shows it, and which movie it showed
// at which moment, so that drawing formats can paint the same frame again.
struct Snapshot {
    QImage picture;
    QString moviePath;
    engine::Millis time = 0.0;
};

// The file formats a snapshot can be exported in, chosen by the file name's extension: the
// player's picture as it stands, and every format the graph writers know.
class SnapshotFormats {
public:
    // The save dialog's filter: one entry per format, the default first.
    static QString filter();
    // The extension a name without one gets.
    static QString defaultSuffix();
    // Writes snapshot to path in the format its extension names, whole or not at all. Gives the
    // reason when it could not.
    [[nodiscard]] static std::optional<QString> write(const Snapshot& snapshot,
                                                      const QString& path);
};

} // namespace tivora
