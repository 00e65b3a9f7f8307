#pragma once

#include "editing/option_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QStackedWidget;

namespace tivora {

class CaptionedTrackbar;
class TNumEdit;
class UpDownField;

// "Series Options": the type, colours, opacity, growth and value labels of one series of a bar,
// line or area graph, with a sample of the series on the left. Every change goes into the
// series' row of the grids at once, as one change of the graph; "Cancel" takes them all back. The
// window keeps one dialog, so what is not loaded from a series (the speed while "No" is chosen)
// carries over to the next showing.
class TdlgSeriesOpt : public OptionDialog {
    Q_OBJECT

public:
    explicit TdlgSeriesOpt(GraphDocumentModel& model, QWidget* parent = nullptr);

    // Shows the dialog modally for series row of the data grid.
    void showForSeries(int row);
    int seriesRow() const { return m_row; }
    // The series the next showing loads; showForSeries sets it.
    void setSeriesRow(int row) { m_row = row; }

    QRadioButton* rdoBar;
    QRadioButton* rdoLine;
    QRadioButton* rdoArea;
    QPushButton* btnSeriesColor;
    QPushButton* btnTextColour;
    QSlider* trkSeriesAlpha;
    QLineEdit* edtAlpha;
    QRadioButton* rdoAnimate;
    QRadioButton* rdoNoAnimate;
    CaptionedTrackbar* sbAnimSpeed;
    QLabel* lblGrowSpeed;
    QStackedWidget* pgType;
    QWidget* TabBar;
    QWidget* TabLine;
    QWidget* TabArea;
    QCheckBox* chkColValues;
    QCheckBox* chkGCV;
    UpDownField* edtColValSize;
    TNumEdit* edtLineWidth;

    // Loads the controls from the series and shows its sample.
    void FormShow() override;
    void rdoBarClick();
    void btnSeriesColorClick();
    void btnTextColourClick();
    void trkSeriesAlphaChange(int position);
    void rdoAnimateClick();
    void rdoNoAnimateClick();
    void sbAnimSpeedChange(int position);
    void chkColValuesClick(bool checked);
    void chkGCVClick(bool checked);
    void edtColValSizeChange();
    void edtLineWidthChange(const QString& text);

private:
    QWidget* typeGroup();
    QWidget* colourButtons();
    QWidget* alphaGroup();
    QWidget* typePages();
    void connectControls();
    void loadType(const QString& type);
    void loadAnimation(const QString& speed);
    void loadValueLabels();
    // "bar", "line" or "area" of the checked type button; empty when none is checked.
    QString selectedType() const;
    QString property(int column) const;
    // Writes text into the series' column of the properties grid, and for the type also into the
    // data grid; an equal text changes nothing. Consecutive changes made with the same gesture
    // control (the moves of one slider, the steps of one field) are undone together.
    void setProperty(int column, const QString& text, const QObject* gesture = nullptr);
    void showTypePage();
    void enableValueLabelControls(bool enabled);
    void ShowPreview();
};

} // namespace tivora
