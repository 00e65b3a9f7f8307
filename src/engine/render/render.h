#pragma once

#include "engine/scene/track.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>

namespace tivora::engine {

struct RenderOptions {
    std::optional<Millis> time; // default: the end of every animation
    std::optional<int> width;   // default: the stage width; height keeps the stage's aspect
    // An input that is not a complete graph draws the no-information movie, as the designer's
    // preview shows it, instead of failing.
    bool noInformation = false;
};

class Movie;

// What a render draws: the movie, and for a graph file the graph text the designer would write
// for it (empty for a movie file, or for the no-information movie drawn in place of a graph).
struct RenderInput {
    std::unique_ptr<Movie> movie;
    QByteArray graphText;
};

// Reads a graph file or preview text (or a movie file) as every render does: ordinary files only,
// a graph read as the designer opens it. Nothing, and the reason in error, when it cannot be
// drawn (unless noInformation asks for the no-information movie instead).
std::optional<RenderInput> loadRenderInput(const QString& inPath, bool noInformation,
                                           QString& error);

// The frame of a graph file or preview text (or a movie file) as a picture with a transparent
// background, sized as options say; a null image, and the reason in error, when the file cannot
// be read.
QImage renderImage(const QString& inPath, const RenderOptions& options, QString* error = nullptr);
// The same picture of a movie already loaded (options.noInformation does not apply).
QImage renderImage(const Movie& movie, const RenderOptions& options, QString* error = nullptr);

// The picture size for a width (the stage's width when none), or nothing and why when it would be
// too large to make.
std::optional<QSize> pictureSize(QSizeF stage, std::optional<int> requestedWidth, QString& error);

// Renders a graph file or preview text (or a movie file) to OUT, whose extension chooses the form:
// .png, .bmp, .svg or .pdf. A graph is read as the designer opens it and drawn from the text the
// designer would write for it, so a file draws here as it does in the designer's preview. Gives
// the reason when it could not; OUT is then left as it was.
[[nodiscard]] std::optional<QString> renderToFile(const QString& inPath, const QString& outPath,
                                                  const RenderOptions& options);

} // namespace tivora::engine
