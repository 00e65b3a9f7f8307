#pragma once

#include "editing/bound_page.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace tivora {

class TNumEdit;
class TStringAlignGrid;
class TfrmPieSliceOpt;

// Page "Data" of a pie graph: the slice count and the slice grid, how the slice values are
// labelled and in which font sizes, and whether and how fast the pie opens animated.
class PieDataPage : public BoundPage {
public:
    explicit PieDataPage(GraphDocumentModel& model, QWidget* parent = nullptr);

    QString caption() const override;
    bool shownFor(const QString& baseType) const override;

    TNumEdit* edtPieSlices;
    TStringAlignGrid* sgrdPieSlices;
    QPushButton* btnPieDataUp;
    QPushButton* btnPieDataDown;
    QRadioButton* rdoPiePercen;
    QRadioButton* rdoPieValues;
    QRadioButton* rdoPieNone;
    UpDownField* edtPieValueFontSize;
    UpDownField* edtPieLabelFontSize;
    QCheckBox* chkPieASP;
    QRadioButton* rdoAnimate;
    QRadioButton* rdoNoAnimate;
    CaptionedTrackbar* sbAnimSpeed;
    TfrmPieSliceOpt* frmPieSliceOpt;

    void edtPieSlicesChange();
    void sgrdPieSlicesClick();
    // Opens the slice options for the selected slice, then refreshes the preview.
    void sgrdPieSlicesDblClick();
    void btnPieDataUpClick();
    void btnPieDataDownClick();

private:
    QWidget* slicesGroup();
    QWidget* labelsGroup();
    void bindControls();
    // Fits every column to its widest text, but never narrower than a cell can be clicked. The
    // grid is fitted whenever it shows a new shape or new cells of the graph, and on a click.
    void fitColumns();
    // A font size stepped: written together with the renumbering and defaulting of the slices
    // that every font size change also brings.
    void fontSizeStepped(UpDownEdit PieFields::*field, int position);
    // A count that is not a whole number yet (empty while it is retyped) takes the graph's count
    // back when the field is left.
    void restoreCountText();
};

} // namespace tivora
