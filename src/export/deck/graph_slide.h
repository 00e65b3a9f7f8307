#pragma once

#include "export/deck/slide_deck.h"
#include "export/render_animated.h"

#include <QString>
#include <optional>

namespace tivora::exporting {

// The slide of a graph file or preview text (or a movie file) read as input, whose animation
// was written to videoPath at fps: its header as title and alternative text, its settled picture
// as the poster, and its description and values table as the speaker's notes. Nothing, and the
// reason in error, when the poster cannot be drawn.
std::optional<DeckSlide> graphSlide(const AnimatedInput& input, const QString& videoPath, int fps,
                                    QString& error);

// Writes a one-slide presentation of a graph file to outPath, as graphSlide makes it. Gives the
// reason when it could not; outPath is then left as it was.
[[nodiscard]] std::optional<QString> renderDeck(const QString& inPath, const QString& outPath,
                                                int fps = kDefaultFps, bool noInformation = false);

} // namespace tivora::exporting
