#pragma once

#include "editing/bound_page.h"

#include <array>

class QComboBox;
class QPushButton;
class QScrollBar;

namespace tivora {

// Page "Effects" of a bar, line or area graph: the plot background colour and its shading, up to
// three background photos the engine rotates, and a background overlay effect from the program's
// Data folder.
class EffectsPage : public BoundPage {
public:
    explicit EffectsPage(GraphDocumentModel& model, QWidget* parent = nullptr);

    QString caption() const override;
    bool shownFor(const QString& baseType) const override;

    ColourPanelLabel* pnlGBackColor;
    QPushButton* btnGBackColour;
    CaptionedTrackbar* sbShading;
    QComboBox* cbShading;
    std::array<QLineEdit*, 3> edtBImage;
    std::array<QPushButton*, 3> btnBImage;
    CaptionedTrackbar* trkBImageAlpha;
    QLineEdit* edtBOverlay;
    QPushButton* btnBOverlay;
    CaptionedTrackbar* trkBOverlayAlpha;

protected:
    // A click into the effect's edit refreshes the preview, so that an effect typed or chosen
    // shows at once.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* backgroundGroup();
    QWidget* imagesGroup();
    QWidget* overlayGroup();
    void bindControls();
    void bindImage(int index);
    // Puts the chosen photo's full path into photo edit index; the preview refreshes either way.
    void btnBImageClick(int index);
    void btnBOverlayClick();
    // Only the file name goes in: the engine looks for the effect in its Data folder.
    void setEffect(const QString& fileName);
};

} // namespace tivora
