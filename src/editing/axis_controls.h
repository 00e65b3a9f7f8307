#pragma once

#include <QString>

// The controls the two axis pages build alike.
namespace tivora {

class CaptionedTrackbar;
class ColourPanelLabel;
class TNumEdit;

ColourPanelLabel* axisColourPanel(const QString& name, const QString& hint);
CaptionedTrackbar* axisTrackbar(const QString& name, Qt::Orientation orientation,
                                const QString& hint);
TNumEdit* axisNumberEdit(const QString& name, int decimals, const QString& hint);

} // namespace tivora
