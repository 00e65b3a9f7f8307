#include "excel/widgets/excel_link_tab.h"

#include "controls/dialogs.h"
#include "controls/grids/string_align_grid.h"
#include "controls/last_folder.h"
#include "controls/num_edit.h"
#include "controls/scrolling_body.h"
#include "document/ansi_text.h"
#include "document/graph_document_model.h"
#include "excel/range_import.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTime>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

const QString kAcrossHeaders = u"Top Line of import is column headers"_s;
const QString kDownHeaders = u"First Column of import is column headers"_s;
// Workbooks of every kind the readers take; the file dialog matches the patterns in any letter
// case, so they are shown as a reader would write them.
const QString kWorkbookFilter = u"Microsoft Excel files (*.xls *.xlsx *.ods *.csv)"_s;
// A workbook unreadable when it changed (a program still writing or holding it) is tried again
// this many times, this far apart, before the status bar says it could not be read.
constexpr int kLiveAttempts = 6;
constexpr int kLiveRetryMs = 400;

template <typename Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

TNumEdit* wholeNumberEdit(const QString& name, int width) {
    auto* edit = named(new TNumEdit, name);
    edit->setDecimalPlaces(0);
    edit->setAllowNegative(false);
    edit->setMaxLength(7);
    edit->setFixedWidth(width);
    return edit;
}

// Column letters, shown in upper case as they are typed.
QLineEdit* columnLettersEdit(const QString& name) {
    auto* edit = named(new QLineEdit, name);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u"[A-Za-z]{0,3}"_s), edit));
    edit->setFixedWidth(44);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const int cursor = edit->cursorPosition();
        edit->setText(text.toUpper());
        edit->setCursorPosition(cursor);
    });
    return edit;
}

// Why path cannot be kept in the link options file, if it cannot: the file is single-byte text
// in which "&" ends a value.
std::optional<QString> unstorablePath(const QString& path) {
    if (path.contains(u'&'))
        return u"The workbook's path holds an \"&\", which the link options file cannot keep. "
               u"Rename the folder or the file, or move the workbook."_s;
    if (const auto character = firstUnencodableChar(path))
        return u"The workbook's path holds the character \"%1\", which the link options file "
               u"cannot keep. Rename the folder or the file, or move the workbook."_s.arg(
                   *character);
    return std::nullopt;
}

} // namespace

ExcelLinkTab::ExcelLinkTab(GraphDocumentModel& model, TStringAlignGrid& dataGrid, QWidget* parent)
    : QWidget(parent)
    , chkLinkExcel(
          named(new QCheckBox(u"Link to a Microsoft Excel spreadsheet."_s), u"chkLinkExcel"_s))
    , btnLoadExcel(named(new QPushButton(u"Reload Data"_s), u"btnLoadExcel"_s))
    , edtExcelFile(named(new QLineEdit, u"edtExcelFile"_s))
    , btnExcelFIle(named(new QPushButton(u".."_s), u"btnExcelFIle"_s))
    , edtWorkSheet(wholeNumberEdit(u"edtWorkSheet"_s, 44))
    , edtRow1(columnLettersEdit(u"edtRow1"_s))
    , edtCol1(wholeNumberEdit(u"edtCol1"_s, 60))
    , edtRow2(columnLettersEdit(u"edtRow2"_s))
    , edtCol2(wholeNumberEdit(u"edtCol2"_s, 60))
    , rdoAccross(named(new QRadioButton(u"Rows down and columns across"_s), u"rdoAccross"_s))
    , rdoDown(named(new QRadioButton(u"Columns Down and rows across"_s), u"rdoDown"_s))
    , chkHeaders(named(new QCheckBox(kAcrossHeaders), u"chkHeaders"_s))
    , btnLoadNow(named(new QPushButton(u"Load Now"_s), u"btnLoadNow"_s))
    , chkReloadOnChange(
          named(new QCheckBox(u"Reload when the workbook changes"_s), u"chkReloadOnChange"_s))
    , m_model(model)
    , m_dataGrid(dataGrid)
    , m_linkBar(new QWidget)
    , m_readJob(new excel::RangeReadJob(this))
    , m_watcher(new excel::WorkbookWatcher(this)) {
    setObjectName(u"TabExcel"_s);
    edtExcelFile->setReadOnly(true);
    btnExcelFIle->setFixedWidth(28);
    btnExcelFIle->setToolTip(u"Select Microsoft Excel File"_s);
    edtWorkSheet->setText(u"1"_s);
    rdoAccross->setChecked(true);

    auto* bar = new QHBoxLayout(m_linkBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(chkLinkExcel);
    bar->addStretch();
    bar->addWidget(btnLoadExcel);
    btnLoadExcel->setVisible(false);

    auto* title =
        new QLabel(u"Link to Excel File (Imports data automatically from an Excel File)"_s);
    title->setWordWrap(true);
    auto* note = new QLabel(u"(Reads .xls, .xlsx, .ods and .csv files; Excel is not needed.)"_s);
    note->setWordWrap(true);
    // The page scrolls rather than squeezes its groups when the window leaves it little room.
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(title);
    layout->addWidget(workbookRow());
    layout->addWidget(rangeRow());
    layout->addWidget(orientationGroup());
    layout->addWidget(chkReloadOnChange);
    layout->addWidget(note);
    layout->addStretch();
    scrollingBody(this, body);

    connect(chkLinkExcel, &QCheckBox::toggled, this, &ExcelLinkTab::chkLinkExcelClick);
    connect(btnExcelFIle, &QPushButton::clicked, this, &ExcelLinkTab::btnExcelFIleClick);
    connect(rdoAccross, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rdoAccrossClick();
    });
    connect(rdoDown, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rdoDownClick();
    });
    connect(btnLoadNow, &QPushButton::clicked, this, &ExcelLinkTab::btnLoadNowClick);
    connect(btnLoadExcel, &QPushButton::clicked, this, &ExcelLinkTab::btnLoadNowClick);
    connect(m_readJob, &excel::RangeReadJob::finished, this, &ExcelLinkTab::readFinished);
    connect(m_watcher, &excel::WorkbookWatcher::changed, this, &ExcelLinkTab::reloadOnChange);
    connect(chkLinkExcel, &QCheckBox::toggled, this, &ExcelLinkTab::updateWatch);
    connect(chkReloadOnChange, &QCheckBox::toggled, this, &ExcelLinkTab::updateWatch);
    connect(edtExcelFile, &QLineEdit::textChanged, this, &ExcelLinkTab::updateWatch);
}

QWidget* ExcelLinkTab::workbookRow() {
    auto* row = new QWidget;
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edtExcelFile, 0, 0, 1, 4);
    layout->addWidget(btnExcelFIle, 0, 4);
    auto* sheetLabel = new QLabel(u"Worksheet Number"_s);
    sheetLabel->setBuddy(edtWorkSheet);
    layout->addWidget(sheetLabel, 1, 0);
    layout->addWidget(edtWorkSheet, 1, 1);
    layout->setColumnStretch(2, 1);
    layout->addWidget(btnLoadNow, 1, 3, 1, 2, Qt::AlignRight);
    return row;
}

QWidget* ExcelLinkTab::rangeRow() {
    auto* group = new QGroupBox(u"Cell Range"_s);
    auto* layout = new QGridLayout(group);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setHorizontalSpacing(4);
    layout->addWidget(edtRow1, 0, 0);
    layout->addWidget(new QLabel(u":"_s), 0, 1);
    layout->addWidget(edtCol1, 0, 2);
    layout->addWidget(new QLabel(u"to"_s), 0, 3);
    layout->addWidget(edtRow2, 0, 4);
    layout->addWidget(new QLabel(u":"_s), 0, 5);
    layout->addWidget(edtCol2, 0, 6);
    layout->setColumnStretch(7, 1);
    auto* hint = new QLabel(u"eg:      A  : 1    to   C  : 15"_s);
    // Greyed through the palette rather than a fixed colour, so a dark skin keeps it readable.
    hint->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(hint, 1, 0, 1, 8);
    return group;
}

QWidget* ExcelLinkTab::orientationGroup() {
    auto* group = new QGroupBox(u"Orientation"_s);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    layout->addWidget(rdoAccross);
    layout->addWidget(rdoDown);
    layout->addWidget(chkHeaders);
    return group;
}

void ExcelLinkTab::placeOn(QTabWidget& pageControl) {
    m_pageControl = &pageControl;
    pageControl.addTab(this, u"Excel Link"_s);
    pageControl.setTabVisible(pageControl.indexOf(this), chkLinkExcel->isChecked());
}

excel::LinkOptions ExcelLinkTab::options() const {
    return {chkLinkExcel->isChecked(), edtExcelFile->text(), edtWorkSheet->text(),
            edtRow1->text(),           edtCol1->text(),      edtRow2->text(),
            edtCol2->text(),           rdoDown->isChecked(), chkHeaders->isChecked()};
}

void ExcelLinkTab::setOptions(const excel::LinkOptions& options) {
    chkLinkExcel->setChecked(options.excelLink);
    edtExcelFile->setText(options.excelFile);
    edtWorkSheet->setText(options.workSheet);
    edtRow1->setText(options.rowFrom);
    edtCol1->setText(options.colFrom);
    edtRow2->setText(options.rowTo);
    edtCol2->setText(options.colTo);
    (options.down ? rdoDown : rdoAccross)->setChecked(true);
    chkHeaders->setChecked(options.headerLine);
}

void ExcelLinkTab::chkLinkExcelClick() {
    const bool linked = chkLinkExcel->isChecked();
    btnLoadExcel->setVisible(linked);
    if (!m_pageControl)
        return;
    m_pageControl->setTabVisible(m_pageControl->indexOf(this), linked);
    if (linked)
        m_pageControl->setCurrentWidget(this);
}

void ExcelLinkTab::btnExcelFIleClick() {
    const QString current = edtExcelFile->text().trimmed();
    const QString start =
        current.isEmpty() ? lastFolder(FileKind::Workbook) : QFileInfo(current).absolutePath();
    const QString path =
        appDialogs().openFileName(u"Select Microsoft Excel File"_s, kWorkbookFilter, start);
    rememberFolder(FileKind::Workbook, path);
    if (path.isEmpty())
        return;
    if (const auto refusal = unstorablePath(path)) {
        appDialogs().showError(*refusal, path);
        return;
    }
    edtExcelFile->setText(path);
}

void ExcelLinkTab::rdoAccrossClick() {
    chkHeaders->setText(kAcrossHeaders);
}

void ExcelLinkTab::rdoDownClick() {
    chkHeaders->setText(kDownHeaders);
}

void ExcelLinkTab::btnLoadNowClick() {
    startRead(false);
}

void ExcelLinkTab::startRead(bool live) {
    cancelRead();
    m_liveRead = live;
    if (live)
        m_readStamp = excel::FileStamp::of(edtExcelFile->text().trimmed());
    m_readJob->start(options());
    if (live)
        return;
    // The window stays painted and answering while a slow workbook is read; the dialog keeps the
    // graph from being edited meanwhile and shows only when the read takes a moment.
    m_progress = new QProgressDialog(u"Reading the workbook..."_s, u"Cancel"_s, 0, 0, this);
    m_progress->setObjectName(u"readProgress"_s);
    m_progress->setWindowTitle(u"Excel Link"_s);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(300);
    m_progress->setAutoReset(false);
    m_progress->setValue(0);
    connect(m_progress, &QProgressDialog::canceled, this, &ExcelLinkTab::cancelRead);
}

void ExcelLinkTab::cancelRead() {
    m_readJob->cancel();
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }
}

void ExcelLinkTab::readFinished() {
    const auto result = m_readJob->takeResult();
    cancelRead();
    if (m_liveRead) {
        liveReadFinished(result);
        return;
    }
    if (const auto* failure = std::get_if<excel::ImportFailure>(&result)) {
        appDialogs().showError(failure->text, failure->detail);
        return;
    }
    applyRead(std::get<excel::RangeImport>(result));
}

void ExcelLinkTab::applyRead(const excel::RangeImport& import) {
    m_applying = true;
    excel::applyRangeImport(
        import, m_model, [](const QString& question) { return appDialogs().askYesNo(question); });
    m_applying = false;
    fitDataColumns();
}

void ExcelLinkTab::updateWatch() {
    const bool live = chkLinkExcel->isChecked() && chkReloadOnChange->isChecked();
    m_watcher->watch(live ? edtExcelFile->text().trimmed() : QString());
    m_liveAttempts = 0;
}

void ExcelLinkTab::reloadOnChange() {
    // A pie graph takes no linked data: its settings only stand in the tab until the next graph.
    if (m_watcher->path().isEmpty() || m_model.document().graphType == u"pie"_s)
        return;
    if (m_readJob->running() || m_applying) {
        m_reloadPending = true;
        return;
    }
    m_reloadPending = false;
    ++m_liveAttempts;
    startRead(true);
}

void ExcelLinkTab::liveReadFinished(const excel::RangeReadJob::Result& result) {
    const QString path = edtExcelFile->text().trimmed();
    const QString name = QFileInfo(path).fileName();
    // The link may have been switched off, or the file changed, while the workbook was read.
    if (m_watcher->path() != path || path.isEmpty())
        return;
    const auto* failure = std::get_if<excel::ImportFailure>(&result);
    // A workbook that changed during the read may have been read half-written: read it again.
    const bool settled = excel::FileStamp::of(path) == m_readStamp;
    if (failure || !settled) {
        if (m_liveAttempts < kLiveAttempts) {
            m_watcher->retryLater(kLiveRetryMs);
        } else {
            m_liveAttempts = 0;
            Q_EMIT statusMessage(u"%1 changed but could not be read: %2"_s.arg(
                name, failure ? failure->text : u"it kept changing"_s));
        }
        return;
    }
    m_liveAttempts = 0;
    applyRead(std::get<excel::RangeImport>(result));
    Q_EMIT statusMessage(
        u"Data reloaded from %1 at %2"_s.arg(name, QTime::currentTime().toString(u"HH:mm:ss"_s)));
    if (m_reloadPending)
        reloadOnChange();
}

void ExcelLinkTab::fitDataColumns() {
    for (int column = 0; column < m_dataGrid.grid().columnCount(); ++column)
        m_dataGrid.fitColumn(column);
}

} // namespace tivora
