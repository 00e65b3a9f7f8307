#pragma once

#include "editing/option_dialog.h"

class QLabel;
class QPushButton;
class QSlider;

namespace tivora {

class CaptionedTrackbar;

// "Pie Slice Options": the colours, shade, opacity and label moves of one slice of a pie graph,
// with a sample slice on the left. Every change goes into the slice's row of the slice grid at
// once, as one change of the graph; "Cancel" takes them all back. The window keeps one dialog, so
// a bar whose cell is empty shows where it was left.
class TfrmPieSliceOpt : public OptionDialog {
    Q_OBJECT

public:
    explicit TfrmPieSliceOpt(GraphDocumentModel& model, QWidget* parent = nullptr);

    // Puts slice row of the slice grid into the bars and shows the dialog modally.
    void showForSlice(int row);
    // Puts slice row into the bars without writing anything: the shade and opacity that the
    // cells hold (an empty cell leaves its bar where it was), and the four moves, empty counting
    // as 0.
    void loadSlice(int row);
    int sliceRow() const { return m_row; }

    QLabel* lblModify;
    QPushButton* btnBackground;
    QPushButton* btnTextColour;
    QPushButton* btnSliceLabColour;
    CaptionedTrackbar* trkSliceAlpha;
    CaptionedTrackbar* trkSliceShade;
    CaptionedTrackbar* trkSValueX;
    CaptionedTrackbar* trkSValueY;
    CaptionedTrackbar* trkSLabelX;
    CaptionedTrackbar* trkSLabelY;

    // Shows the slice's sample.
    void FormShow() override;
    void btnBackgroundClick();
    void btnTextColourClick();
    void btnSliceLabColourClick();
    void trkSliceAlphaChange();
    void trkSliceShadeChange();
    // Any of the four move bars: while the dialog is shown, all four positions go into the
    // slice's move cells, which the main preview then shows.
    void trkSValueYChange();

private:
    QWidget* colourButtons();
    void connectControls();
    // Paints cell column of the slice with a colour chosen in the colour dialog and writes its
    // colour text there; cancelling changes nothing.
    void chooseSliceColour(int column);
    // Writes the slider's position into the slice's column.
    void setSliceCell(int column, const QSlider* slider);
    void ShowPreview();
};

} // namespace tivora
