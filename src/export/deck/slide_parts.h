#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

namespace tivora::exporting::deck {

// What a graph's slide shows, with the ids its relationships give the layout, the video, its
// poster and the notes.
struct SlideContent {
    QString title;
    QString altText;
    QRect videoBox;      // where the video plays on the slide
    int videoMillis = 0; // how long it plays
    QString videoLink;   // relationship to the video file
    QString mediaLink;   // relationship to the same file as embedded media
    QString posterLink;  // relationship to the poster picture
};

// A slide of the title and the video, which starts by itself as the slide shows.
QByteArray slideXml(const SlideContent& content);

// Speaker notes: the slide's picture above the notes, one paragraph per line.
QByteArray notesSlideXml(const QStringList& lines);

} // namespace tivora::exporting::deck
