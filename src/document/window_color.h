#pragma once

#include <QtGlobal>

namespace tivora {

// A colour as the graph files think of it: red in the low byte, green in the second and blue in the
// third (0x00BBGGRR). The document layer has no QtGui, so colours travel as this plain number.
using WindowColor = quint32;

constexpr WindowColor makeWindowColor(int red, int green, int blue) {
    return WindowColor(red & 0xFF) | (WindowColor(green & 0xFF) << 8) |
           (WindowColor(blue & 0xFF) << 16);
}
constexpr int redOf(WindowColor color) {
    return int(color & 0xFF);
}
constexpr int greenOf(WindowColor color) {
    return int((color >> 8) & 0xFF);
}
constexpr int blueOf(WindowColor color) {
    return int((color >> 16) & 0xFF);
}

// Silver: what an empty or ".." colour text stands for.
inline constexpr WindowColor kSilver = 0xC0C0C0;

} // namespace tivora
