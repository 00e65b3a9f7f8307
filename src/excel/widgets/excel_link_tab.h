#pragma once

#include "excel/link_options.h"
#include "excel/range_read_job.h"
#include "excel/workbook_watcher.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QProgressDialog;
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
// the data grid through the graph, never through the grid's widget. The workbook is read on a
// thread of its own behind a progress dialog that can cancel it; with "Reload when the workbook
// changes" ticked, a change of the linked workbook on disk imports it again by itself.
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
    // Kept in the user's settings, not in the link options file: the shell stores it.
    QCheckBox* chkReloadOnChange;

    void chkLinkExcelClick();
    void btnExcelFIleClick();
    void rdoAccrossClick();
    void rdoDownClick();
    void btnLoadNowClick();

    // The reader of the workbook, for tests to replace.
    excel::RangeReadJob& readJob() const { return *m_readJob; }
    // The progress of a read started by "Load Now" or "Reload Data" while it runs, else null.
    QProgressDialog* readProgress() const { return m_progress; }

Q_SIGNALS:
    // A line for the window's status bar: when a changed workbook was reloaded, or why not.
    void statusMessage(const QString& text);

private:
    QWidget* workbookRow();
    QWidget* rangeRow();
    QWidget* orientationGroup();
    void fitDataColumns();
    void startRead(bool live);
    void cancelRead();
    void readFinished();
    void applyRead(const excel::RangeImport& import);
    // Watches the workbook while the link is on and live reloading ticked.
    void updateWatch();
    void reloadOnChange();
    void liveReadFinished(const excel::RangeReadJob::Result& result);

    GraphDocumentModel& m_model;
    TStringAlignGrid& m_dataGrid;
    QWidget* m_linkBar;
    QTabWidget* m_pageControl = nullptr;
    excel::RangeReadJob* m_readJob;
    excel::WorkbookWatcher* m_watcher;
    QProgressDialog* m_progress = nullptr;
    // The read running is a live reload (no dialog; retried when the workbook is unreadable).
    bool m_liveRead = false;
    // A change came while a read ran or its values went in: read again afterwards.
    bool m_reloadPending = false;
    bool m_applying = false;
    int m_liveAttempts = 0;
    excel::FileStamp m_readStamp;
};

} // namespace tivora
