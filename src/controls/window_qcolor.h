#pragma once

#include "document/window_color.h"

#include <QColor>

// The document keeps colours as plain numbers; the widgets paint with QColor.
namespace tivora {

inline QColor toQColor(WindowColor color) {
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

inline WindowColor toWindowColor(const QColor& color) {
    return makeWindowColor(color.red(), color.green(), color.blue());
}

} // namespace tivora
