#pragma once

#include "editing/bound_page.h"

class QCheckBox;
class QPushButton;
class QTabWidget;

namespace tivora {

class ExcelLinkTab;
class TNumEdit;
class TStringAlignGrid;
class TdlgSeriesOpt;

// Page "Data" of a bar, line or area graph: the series and column counts, the data grid with the
// series names, column labels and values, and the hidden grid of the series' properties.
class SeriesDataPage : public BoundPage {
public:
    explicit SeriesDataPage(GraphDocumentModel& model, QWidget* parent = nullptr);

    QString caption() const override;
    bool shownFor(const QString& baseType) const override;

    // Adds a row of controls to the "Data" sheet, below the ASP box, next in the tab order.
    void addToDataSheet(QWidget* row);

    TNumEdit* edtSeries;
    TNumEdit* edtCols;
    TNumEdit* edtXGap;
    QCheckBox* chkStacked;
    QTabWidget* PageControl3;
    QWidget* TabSheet1;
    TStringAlignGrid* sgrdData;
    TStringAlignGrid* sgrdProp;
    QPushButton* btnDataUp;
    QPushButton* btnDataDown;
    QCheckBox* chkASP;
    TdlgSeriesOpt* dlgSeriesOpt;
    ExcelLinkTab* TabExcel;

    void edtSeriesChange();
    void sgrdDataClick();
    // Opens the series options for the selected series row, then refreshes the preview. On the
    // title row, which has no options, it edits the column label instead.
    void sgrdDataDblClick();
    void btnDataUpClick();
    void btnDataDownClick();
    void chkStackedClick(bool checked);

private:
    QWidget* countsGroup();
    QWidget* dataTab();
    void bindControls();
    void setTabOrder();
    // A count field whose text is not a whole number yet (empty while it is retyped) takes the
    // graph's count back when it is left.
    void restoreCountText(TNumEdit* field);
};

} // namespace tivora
