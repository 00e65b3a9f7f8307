#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tivora::exporting {

// One graph's slide: its title, its animation as a video that starts when the slide shows, the
// settled picture shown before it plays, and notes for the speaker.
struct DeckSlide {
    QString title;
    QString altText;
    QString videoPath; // an MP4 file, embedded whole
    int videoMillis = 0;
    QByteArray posterPng;
    QSize pictureSize; // the video's and the poster's size in pixels
    QStringList notes; // one paragraph per line
};

// Writes a 16:9 presentation of the slides, in their order, to outPath: whole or not at all.
// Gives the reason, naming the file, when it could not; outPath is then left as it was.
[[nodiscard]] std::optional<QString> writeDeck(const QString& outPath, const QString& title,
                                               const std::vector<DeckSlide>& slides);

} // namespace tivora::exporting
