#pragma once

#include "export/graph_summary.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace tivora::engine {
class Movie;
}

namespace tivora::exporting {

enum class AnimationFormat { Svg, Gif, WebP, Mp4, WebM };

// The animated form an output file's extension names, if any.
std::optional<AnimationFormat> animationFormatOf(const QString& outPath);

inline constexpr int kDefaultFps = 25;
inline constexpr int kMostFps = 60;

// Why fps cannot be an animation's frame rate, if it cannot.
[[nodiscard]] std::optional<QString> checkFrameRate(int fps);

// Writes the animation of a graph file or preview text (or a movie file) to outPath in the form
// its extension names; frame rates apply to the picture formats. A progress line goes to stderr
// when it is a terminal. The input is read as every render reads it (noInformation as for a still
// picture). Gives the reason when it could not; outPath is then left as it was.
[[nodiscard]] std::optional<QString> renderAnimated(const QString& inPath, const QString& outPath,
                                                    int fps = kDefaultFps,
                                                    bool noInformation = false);

// A graph file or preview text (or a movie file) read and laid out once, for writing in several
// animated forms: the movie, the title and summary its SVG carries, and the graph text it was
// drawn from (empty for a movie file or the no-information movie).
struct AnimatedInput {
    std::unique_ptr<engine::Movie> movie;
    GraphSummary summary;
    QByteArray graphText;

    AnimatedInput(std::unique_ptr<engine::Movie> movie, GraphSummary summary, QByteArray graphText);
    AnimatedInput(AnimatedInput&&) noexcept;
    ~AnimatedInput();
};

// Reads and lays out the input as renderAnimated does; nothing, and the reason in error, when it
// cannot be drawn.
std::optional<AnimatedInput> loadAnimatedInput(const QString& inPath, bool noInformation,
                                               QString& error);

// Writes an input's animation to outPath as renderAnimated does.
[[nodiscard]] std::optional<QString> writeAnimated(const AnimatedInput& input,
                                                   const QString& outPath, int fps = kDefaultFps);

} // namespace tivora::exporting
