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

// A note (callout) as the graph text describes it, in stage units.
struct NoteData {
    bool oval = true;
    QColor color;
    int alpha = 70; // background opacity, 0..100
    bool flat = false;
    QRectF rect;
    bool spot = false;
    bool linked = false;
    QPointF spotCentre;
    QColor spotColor;
    int spotAlpha = 80;
    QStringList heading;
    QColor headingColor;
    int headingSize = 15;
    double headingY = 20; // from the note's top
    QStringList body;
    QColor bodyColor;
    int bodySize = 12;
    double bodyY = 50;
    QString url;
    bool shadow = true;
    QPointF shadowOffset{15, 15};
    int shadowAlpha = 30;

    // Every note of a graph text, in the order of the lists.
    static std::vector<NoteData> readAll(const VariableText& text);
    // The lines of a note text: each line is followed by the two characters "\r"; a last piece
    // without one is a line too.
    static QStringList splitLines(const QString& noteText);
};

} // namespace tivora::engine
