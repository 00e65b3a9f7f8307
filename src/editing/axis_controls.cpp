#include "editing/axis_controls.h"

#include "controls/num_edit.h"
#include "editing/captioned_trackbar.h"
#include "editing/colour_panel_label.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace tivora {

ColourPanelLabel* axisColourPanel(const QString& name, const QString& hint) {
    auto* panel = new ColourPanelLabel(name);
    panel->setToolTip(hint);
    panel->setCursor(Qt::PointingHandCursor);
    return panel;
}

CaptionedTrackbar* axisTrackbar(const QString& name, Qt::Orientation orientation,
                                const QString& hint) {
    // Every bar's caption label carries the bar's name with "lbl" for "trk".
    auto* bar = new CaptionedTrackbar(name, u"lbl"_s + name.mid(3), orientation);
    bar->setToolTip(hint);
    return bar;
}

TNumEdit* axisNumberEdit(const QString& name, int decimals, const QString& hint) {
    auto* edit = new TNumEdit;
    edit->setObjectName(name);
    edit->setDecimalPlaces(decimals);
    edit->setAllowNegative(true);
    edit->setToolTip(hint);
    edit->setFixedWidth(80);
    return edit;
}

} // namespace tivora
