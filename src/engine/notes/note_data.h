#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <vector>

namespace tivora {
class VariableText;
}

namespace tivora::engine {

// A note (callout) as the graph text describes it, in stage units. A note read from a text has
// every field set; what the text leaves out takes the notes grid's default for that column.
struct NoteData {
    bool oval = true;
    QColor color;
    int alpha = 0; // background opacity, 0..100
    bool flat = false;
    QRectF rect;
    bool spot = false;
    bool linked = false;
    QPointF spotCentre;
    QColor spotColor;
    int spotAlpha = 0;
    QStringList heading;
    QColor headingColor;
    int headingSize = 0;
    double headingY = 0; // from the note's top
    QStringList body;
    QColor bodyColor;
    int bodySize = 0;
    double bodyY = 0;
    QString url;
    bool shadow = true;
    QPointF shadowOffset;
    int shadowAlpha = 0;

    // Every note of a graph text, in the order of the lists.
    static std::vector<NoteData> readAll(const VariableText& text);
    // The lines of a note text: each line is followed by the two characters "\r"; a last piece
    // without one is a line too.
    static QStringList splitLines(const QString& noteText);
};

} // namespace tivora::engine
