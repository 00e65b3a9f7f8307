#pragma once

#include <QString>
#include <optional>

namespace tivora::exporting {

enum class AnimationFormat { Svg, Gif, WebP, Mp4, WebM };

// The animated form an output file's extension names, if any.
std::optional<AnimationFormat> animationFormatOf(const QString& outPath);

inline constexpr int kDefaultFps = 25;
inline constexpr int kMostFps = 60;

// Writes the animation of a graph file or preview text (or a movie file) to outPath in the form
// its extension names; frame rates apply to the picture formats. A progress line goes to stderr
// when it is a terminal. The input is read as every render reads it (noInformation as for a still
// picture). Gives the reason when it could not; outPath is then left as it was.
std::optional<QString> renderAnimated(const QString& inPath, const QString& outPath,
                                      int fps = kDefaultFps, bool noInformation = false);

} // namespace tivora::exporting
