#pragma once

#include "export/deck/part_xml.h"

#include <QRect>
#include <QStringList>
#include <optional>

// The pieces of shape XML that masters, layouts, slides and notes share.
namespace tivora::exporting::deck {

// Opens a shape tree with the group properties every tree starts with; end() closes it.
void startShapeTree(PartXml& xml);

// The position and size of a shape.
void transform(PartXml& xml, const QRect& box);

struct Placeholder {
    int id = 0;
    const char* name = "";
    const char* type = nullptr; // nothing: a body placeholder
    std::optional<int> index;
    std::optional<QRect> box; // nothing: as the layout or master places it
};

// A placeholder shape holding paragraphs, one per line; none gives an empty text body, as a
// master's placeholders have.
void placeholderShape(PartXml& xml, const Placeholder& placeholder, const QStringList& lines = {},
                      int fontSize = 0);

// The colour map of masters: background and text colours taken from the theme's light and dark.
void colourMap(PartXml& xml, const char* element);

} // namespace tivora::exporting::deck
