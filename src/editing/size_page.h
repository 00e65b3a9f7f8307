#pragma once

#include "editing/bound_page.h"

namespace tivora {

// Page "Size": where the graph sits and how large it is drawn.
class SizePage : public BoundPage {
public:
    explicit SizePage(GraphDocumentModel& model, QWidget* parent = nullptr);

    QString caption() const override;
    bool shownFor(const QString& baseType) const override;

    CaptionedTrackbar* trkGX;
    CaptionedTrackbar* trkGY;
    CaptionedTrackbar* trkScaleGraph;

private:
    QWidget* sizeGroup();
    void bindControls();
};

} // namespace tivora
