#pragma once

#include "editing/bound_page.h"

class QCheckBox;

namespace tivora {

class TNumEdit;

// Page "y-Axis" of a bar, line or area graph: the axis title, its colours and fonts, where the
// title and the labels sit, and the value range with its step, each given or calculated.
class YAxisPage : public BoundPage {
public:
    explicit YAxisPage(GraphDocumentModel& model, QWidget* parent = nullptr);

    QString caption() const override;
    bool shownFor(const QString& baseType) const override;

    QLineEdit* edtYTitle;
    ColourPanelLabel* pnlYTitleColour;
    ColourPanelLabel* pnlYAxisColour;
    ColourPanelLabel* pnlYLabelColour;
    ColourPanelLabel* pnlYGridColour;
    TNumEdit* edtMaxYVal;
    TNumEdit* edtMinYVal;
    TNumEdit* edtYStep;
    QCheckBox* chkMaxYCalc;
    QCheckBox* chkMinYCalc;
    QCheckBox* chkYStepCalc;
    CaptionedTrackbar* trkYTitleY;
    CaptionedTrackbar* trkYTitleX;
    CaptionedTrackbar* trkYLabelY;
    CaptionedTrackbar* trkYLabelX;
    UpDownField* edtYTitleFont;
    UpDownField* edtYLabelFont;

private:
    QWidget* valuesGroup();
    void bindControls();
};

} // namespace tivora
