#pragma once

#include "excel/link_options.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tivora {

class GraphDocumentModel;
class TNumEdit;
class TStringAlignGrid;

// The "Excel Link" page of the series data page's inner page control, together with the link
// switch and the "Reload Data" button that sit on its "Data" page. The link settings live in
// these controls; the link options file is read into them and written from them. An import fills
// the data grid through the graph, never through the grid's widget.
class ExcelLinkTab : public QWidget {
    Q_OBJECT

public:
    ExcelLinkTab(GraphDocumentModel& model, TStringAlignGrid& dataGrid, QWidget* parent = nullptr);

    // The link switch and "Reload Data", for the "Data" page to lay out.
    QWidget* linkBar() const { return m_linkBar; }
    // Adds this page to pageControl; its tab shows only while the link is switched on.
    void placeOn(QTabWidget& pageControl);

    excel::LinkOptions options() const;
    // Shows options, running the reactions of the link switch and the orientation options.
    void setOptions(const excel::LinkOptions& options);

    QCheckBox* chkLinkExcel;
    QPushButton* btnLoadExcel;
    QLineEdit* edtExcelFile;
    QPushButton* btnExcelFIle;
    TNumEdit* edtWorkSheet;
    QLineEdit* edtRow1;
    TNumEdit* edtCol1;
    QLineEdit* edtRow2;
    TNumEdit* edtCol2;
    QRadioButton* rdoAccross;
    QRadioButton* rdoDown;
    QCheckBox* chkHeaders;
    QPushButton* btnLoadNow;

    void chkLinkExcelClick();
    void btnExcelFIleClick();
    void rdoAccrossClick();
    void rdoDownClick();
    void btnLoadNowClick();

private:
    QWidget* workbookRow();
    QWidget* rangeRow();
    QWidget* orientationGroup();
    void fitDataColumns();

    GraphDocumentModel& m_model;
    TStringAlignGrid& m_dataGrid;
    QWidget* m_linkBar;
    QTabWidget* m_pageControl = nullptr;
};

} // namespace tivora
