#pragma once

#include <QColor>
#include <QPalette>

namespace tivora {

// The colours Qt draws with wherever no rule of the skin reaches: message boxes, input boxes, the
// file and colour dialogs and whatever else Qt shows of its own. A skin's rules style the
// program's windows; without a palette of the same colours a dark skin's light text would land on
// Qt's light grounds there. The palette is read back from the skin's own rules for a window, a
// field and a push button, so a skin needs nothing beyond its style sheet.
class SkinPalette {
public:
    // The palette the style sheet installed on the application gives; roles the sheet leaves
    // alone keep their colours from plain.
    static QPalette fromStyleSheet(const QPalette& plain);

    // Gives the application the palette of its current style sheet. The palette the application
    // had before the first skin is kept for restorePlain().
    static void apply();
    // Gives the application back the palette it had before any skin.
    static void restorePlain();

    // A colour for links on ground: colour itself when it reads well there, otherwise the first
    // step from it towards text that does (text is taken to read well on ground).
    static QColor readableOn(const QColor& colour, const QColor& ground, const QColor& text);
    // The contrast of two colours, 1 to 21, by their relative luminance.
    static double contrast(const QColor& one, const QColor& other);
};

} // namespace tivora
