#pragma once

#include "engine/render/render.h"
#include "export/render_animated.h"

#include <QLatin1StringView>
#include <QString>
#include <optional>
#include <span>

namespace tivora::exporting {

// What a file written from a graph holds.
enum class OutputKind {
    Still,     // one picture, at the settled moment or a chosen one
    Animation, // the whole animation, played by browsers and video players
    Deck,      // a presentation with a slide of the graph
};

// What a writer is asked for beyond its input and output.
struct OutputRequest {
    engine::RenderOptions picture; // for stills; noInformation for every kind
    int fps = kDefaultFps;         // for animations and decks
};

using OutputWriter = std::optional<QString> (*)(const QString& inPath, const QString& outPath,
                                                const OutputRequest& request);

// One file format a graph can be written in, chosen by the output name's extension. Every
// writer of graphs (the command line, the preview's export, publishing) takes its formats from
// the one table of these; a new format is added there alone.
struct OutputFormat {
    QLatin1StringView suffix; // lower case, without the dot
    QLatin1StringView description;
    OutputKind kind;
    OutputWriter write;
    std::optional<AnimationFormat> animation; // the form an animation is encoded in
};

// Every format, stills first. An extension may name a still and an animated form (".svg").
std::span<const OutputFormat> outputFormats();

// The format outPath's extension names: its still form when preferStill and it has one,
// else its animated form or deck; nothing for an extension of no format.
const OutputFormat* outputFormatOf(const QString& outPath, bool preferStill = false);

// ".png, .bmp, ... or .pptx": the extensions of every format, or of the formats of one kind, for
// messages.
QString outputSuffixList(std::optional<OutputKind> kind = std::nullopt);

// Writes inPath to outPath in the format its extension names (see outputFormatOf). Gives the
// reason when it could not; outPath is then left as it was.
[[nodiscard]] std::optional<QString> writeOutput(const QString& inPath, const QString& outPath,
                                                 const OutputRequest& request,
                                                 bool preferStill = false);

} // namespace tivora::exporting
