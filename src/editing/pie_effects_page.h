#pragma once

#include "editing/bound_page.h"

class QPushButton;
class QRadioButton;

namespace tivora {

// Page "Effects" of a pie graph: the image laid over the pie with its opacity, and the pie's
// shadow with its opacity and offset.
class PieEffectsPage : public BoundPage {
public:
    explicit PieEffectsPage(GraphDocumentModel& model, QWidget* parent = nullptr);

    QString caption() const override;
    bool shownFor(const QString& baseType) const override;

    QLineEdit* edtPieImage;
    QPushButton* btnFindFile;
    CaptionedTrackbar* TBPieOverlay;
    QRadioButton* rdoShowShadow;
    QRadioButton* rdoHideShadow;
    CaptionedTrackbar* trkShadowAlpha;
    CaptionedTrackbar* trkShadowUpDown;
    CaptionedTrackbar* trkShadowLeftRight;

    // Chooses the pie image; on OK its full path goes into edtPieImage, whose change writes it.
    void btnFindFileClick();

private:
    QWidget* imageGroup();
    QWidget* shadowGroup();
    void bindControls();
};

} // namespace tivora
