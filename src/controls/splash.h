#pragma once

#include <QPixmap>

namespace tivora {

// The splash picture: the product's name over a small bar and pie motif, drawn rather than
// shipped so that it is sharp on any screen and costs no file to find at start-up.
QPixmap paintSplashPicture(qreal devicePixelRatio = 1.0);

// Shows the splash picture, from the start of the program until endSplash.
void showSplash();
// Takes the splash picture away; nothing when none is shown.
void endSplash();

} // namespace tivora
