#pragma once

#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>
#include <vector>

namespace tivora::exporting {

// An indexed-colour palette of up to 256 colours chosen by median cut for the pixels of one part
// of a picture, and the mapping of pixels onto it with ordered dithering: a fixed pattern rather
// than spread error, so that pixels that do not change between frames do not shimmer, while
// smooth shading still comes out without bands.
class MedianCutPalette {
public:
    MedianCutPalette(const QImage& image, const QRect& area, int mostColours = 256);

    const std::vector<QRgb>& colours() const { return m_colours; }
    // The palette index of every pixel of area, row by row.
    std::vector<std::uint8_t> indexed(const QImage& image, const QRect& area);

private:
    std::uint8_t nearest(int key);

    std::vector<QRgb> m_colours;
    std::vector<std::int16_t> m_lookup; // 18-bit colour -> index, -1 until needed
};

} // namespace tivora::exporting
