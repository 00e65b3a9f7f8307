#pragma once

#include "engine/backdrop/effect_file.h"

#include <QImage>

namespace tivora::engine {

// The picture of one particle, drawn once at layout in its colour and then only scaled onto the
// stage each frame, which keeps a few hundred particles cheap to paint.
QImage makeEffectSprite(ParticleShape shape, const QColor& color);

// The size in pixels of a sprite; a particle of size s covers 2s stage units.
inline constexpr int kEffectSpriteSize = 64;

} // namespace tivora::engine
