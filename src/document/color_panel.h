#pragma once

#include "document/window_color.h"

#include <QString>

namespace tivora {

// A colour panel holds its colour twice: as its background colour and as its caption, the colour
// text "0xRRGGBB". Pickers and the reader set both together; the writer takes some colours from
// the caption and others from the background, so both are kept exactly as they were set.
struct ColorPanel {
    QString caption;
    WindowColor color = kSilver;

    bool operator==(const ColorPanel&) const = default;
};

} // namespace tivora
