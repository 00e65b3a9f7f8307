#pragma once

#include <QRect>
#include <QSize>

// Sizes on slides are in English metric units: 914400 to the inch, 12700 to the point.
namespace tivora::exporting::deck {

inline constexpr int kSlideWidth = 12192000; // 13.333 by 7.5 inches: 16:9
inline constexpr int kSlideHeight = 6858000;
inline constexpr int kNotesWidth = 6858000; // a portrait letter page for the speaker's notes
inline constexpr int kNotesHeight = 9144000;
inline constexpr int kMargin = 457200;
inline constexpr QRect kTitleBox{kMargin, 228600, kSlideWidth - 2 * kMargin, 914400};
// The space below the title that a graph's picture fills as far as its shape allows.
inline constexpr QRect kGraphArea{kMargin, 1295400, kSlideWidth - 2 * kMargin,
                                  kSlideHeight - 1295400 - 228600};

// The largest rectangle of picture's shape inside area, centred in it.
QRect fittedIn(const QRect& area, QSize picture);

} // namespace tivora::exporting::deck
