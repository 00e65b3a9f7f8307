#pragma once

#include "editing/bound_page.h"

namespace tivora {

class TNumEdit;

// Page "x-Axis" of a bar, line or area graph: the axis title, its colours and fonts, where the
// title and the labels sit, and how many labels there are at most.
class XAxisPage : public BoundPage {
public:
    explicit XAxisPage(GraphDocumentModel& model, QWidget* parent = nullptr);

    QString caption() const override;
    bool shownFor(const QString& baseType) const override;

    QLineEdit* edtXTitle;
    CaptionedTrackbar* trkXTitleX;
    CaptionedTrackbar* trkXTitleY;
    ColourPanelLabel* pnlXTitleColour;
    ColourPanelLabel* pnlXLabelColour;
    ColourPanelLabel* pnlXAxisColour;
    UpDownField* edtXTitleFont;
    UpDownField* edtXLabelFont;
    CaptionedTrackbar* trkXLabelX;
    CaptionedTrackbar* trkXLabelY;
    TNumEdit* edtMaxX;

private:
    QWidget* maxLabelsGroup();
    void bindControls();
};

} // namespace tivora
