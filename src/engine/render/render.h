#pragma once

#include "engine/scene/track.h"

#include <QImage>
#include <QString>
#include <optional>

namespace tivora::engine {

struct RenderOptions {
    std::optional<Millis> time; // default: the end of every animation
    std::optional<int> width;   // default: the stage width; height keeps the stage's aspect
    // An input that is not a complete graph draws the no-information movie, as the designer's
    // preview shows it, instead of failing.
    bool noInformation = false;
};

// The frame of a graph file or preview text (or a movie file) as a picture with a transparent
// background, sized as options say; a null image, and the reason in error, when the file cannot
// be read.
QImage renderImage(const QString& inPath, const RenderOptions& options, QString* error = nullptr);

// Renders a graph file or preview text (or a movie file) to OUT, whose extension chooses the form:
// .png, .bmp, .svg or .pdf. A graph is read as the designer opens it and drawn from the text the
// designer would write for it, so a file draws here as it does in the designer's preview. Gives
// the reason when it could not; OUT is then left as it was.
std::optional<QString> renderToFile(const QString& inPath, const QString& outPath,
                                    const RenderOptions& options);

} // namespace tivora::engine
