#pragma once

#include "export/deck/slide_deck.h"
#include "export/progress_line.h"
#include "export/render_animated.h"

#include <QString>
#include <atomic>
#include <optional>

namespace tivora::exporting {

// The slide of a graph file or preview text (or a movie file) read as input, whose animation
// was written to videoPath at fps: its header as title and alternative text, its settled picture
// as the poster, and its description and values table as the speaker's notes. Nothing, and the
// reason in error, when the poster cannot be drawn.
std::optional<DeckSlide> graphSlide(const AnimatedInput& input, const QString& videoPath, int fps,
                                    QString& error);

// Writes a one-slide presentation of an input to outPath, as graphSlide makes it, its video
// made at fps. Gives the reason when it could not (kAnimationCancelled once cancel is set, from
// any thread); outPath is then left as it was.
[[nodiscard]] std::optional<QString> writeGraphDeck(const AnimatedInput& input,
                                                    const QString& outPath, int fps,
                                                    const Progress& progress = {},
                                                    const std::atomic_bool* cancel = nullptr);

// Writes a one-slide presentation of a graph file to outPath, as writeGraphDeck does, with a
// progress line on a terminal. Gives the reason when it could not; outPath is then left as it
// was.
[[nodiscard]] std::optional<QString> renderDeck(const QString& inPath, const QString& outPath,
                                                int fps = kDefaultFps, bool noInformation = false);

} // namespace tivora::exporting
