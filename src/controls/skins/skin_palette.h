#pragma once

#include <QColor>
#include <QList>
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

    // colour, moved as little as needed towards white (on dark grounds) or black (on light ones)
    // to read on every one of grounds.
    static QColor readableOn(const QColor& colour, const QList<QColor>& grounds);
    // Whether white reads better than black on ground.
    static bool isDark(const QColor& ground);
    // The contrast of two colours, 1 to 21, by their relative luminance.
    static double contrast(const QColor& one, const QColor& other);

private:
    // Bevels, alternate rows, placeholders, tooltips and links, from the skin's grounds and texts.
    static void deriveShades(QPalette& palette, QPalette::ColorGroup group);
    // Moves each text colour of group just as far as it takes to read on its ground; a skin's
    // pale disabled texts, for one, would otherwise fade into Qt's shaded buttons.
    static void keepTextsReadable(QPalette& palette, QPalette::ColorGroup group);
};

} // namespace tivora
