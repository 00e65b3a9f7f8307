#include "editing/series_data_page.h"

#include "controls/grids/string_align_grid.h"
#include "controls/keys/shown_tab_keys.h"
#include "controls/num_edit.h"
#include "document/grid_layouts.h"
#include "document/text_field_check.h"
#include "editing/number_cell_warning.h"
#include "editing/page_layout.h"
#include "editing/row_options_keys.h"
#include "editing/series_rows.h"
#include "editing/tdlg_series_opt.h"
#include "excel/widgets/excel_link_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

TNumEdit* numberEdit(const QString& name, int decimals, int maxLength) {
    auto* edit = new TNumEdit;
    edit->setObjectName(name);
    edit->setDecimalPlaces(decimals);
    edit->setAllowNegative(true);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setFixedWidth(60);
    return edit;
}

TStringAlignGrid* seriesGrid(const QString& name, bool editable) {
    auto* grid = new TStringAlignGrid;
    grid->setObjectName(name);
    grid->setEditable(editable);
    grid->verticalHeader()->setDefaultSectionSize(16);
    grid->horizontalHeader()->setDefaultSectionSize(64);
    // A double-click opens the series options; typing or F2 edits a cell.
    grid->setDoubleClickEdits(false);
    return grid;
}

// The type and the colour swatch are set in the series options, where the colour is chosen:
// typed text would change neither the series' type in its properties nor its saved colour.
void keepSeriesColumnsFromTyping(TStringAlignGrid* grid) {
    grid->setColumnEditable(DataType, false);
    grid->setColumnEditable(DataColor, false);
}

constexpr int kNarrowestColumn = 20;

} // namespace

SeriesDataPage::SeriesDataPage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , edtSeries(numberEdit(u"edtSeries"_s, 0, 2))
    , edtCols(numberEdit(u"edtCols"_s, 0, 3))
    , edtXGap(numberEdit(u"edtXGap"_s, 2, 0))
    , chkStacked(new QCheckBox(u"Stack bars for Bar Graphs"_s))
    , PageControl3(new QTabWidget)
    , TabSheet1(new QWidget)
    , sgrdData(seriesGrid(u"sgrdData"_s, true))
    , sgrdProp(seriesGrid(u"sgrdProp"_s, false))
    , btnDataUp(named(new QPushButton(u"Move Up"_s), u"btnDataUp"_s))
    , btnDataDown(named(new QPushButton(u"Move Down"_s), u"btnDataDown"_s))
    , chkASP(new QCheckBox(u"Allow ASP parameters passed to file to load values"_s))
    , dlgSeriesOpt(new TdlgSeriesOpt(model, this))
    , TabExcel(new ExcelLinkTab(model, *sgrdData)) {
    setObjectName(u"TabBarData"_s);
    edtXGap->setToolTip(u"Set the space between columns"_s);
    chkStacked->setObjectName(u"chkStacked"_s);
    chkASP->setObjectName(u"chkASP"_s);
    chkASP->setToolTip(u"Parameters will be passed into the graph."_s);
    sgrdData->setAutoEditNextCell(true);
    new RowOptionsKeys(sgrdData, DataSeriesName);
    const auto validator = [](int column, int row, const QString& text) {
        return checkEncodedText(u"Data grid, column %1, row %2"_s.arg(column).arg(row), text);
    };
    sgrdData->setEditValidator(validator);
    keepSeriesColumnsFromTyping(sgrdData);
    sgrdData->setCellWarning(
        numberCellWarning([](int column, int row) { return column >= DataFirstValue && row >= 1; },
                          u"Not a number: the graph leaves a gap here."_s));

    // The properties live on a page of their own that is never shown as a tab.
    PageControl3->setObjectName(u"PageControl3"_s);
    TabSheet1->setObjectName(u"TabSheet1"_s);
    PageControl3->addTab(dataTab(), u"Data"_s);
    PageControl3->addTab(sgrdProp, u"Properties"_s);
    PageControl3->setTabVisible(1, false);
    new ShownTabKeys(PageControl3);
    TabExcel->placeOn(*PageControl3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(countsGroup());
    layout->addWidget(PageControl3, 1);
    // Added once every control is on the page, so that the tab order joins controls of one window.
    addToDataSheet(TabExcel->linkBar());
    bindControls();
}

void SeriesDataPage::addToDataSheet(QWidget* row) {
    auto* layout = static_cast<QVBoxLayout*>(TabSheet1->layout());
    layout->insertWidget(layout->indexOf(chkASP) + 1, row);
    setTabOrder();
}

void SeriesDataPage::setTabOrder() {
    std::vector<QWidget*> order{
        edtSeries, edtCols,   edtXGap,     chkStacked, PageControl3->tabBar(),
        sgrdData,  btnDataUp, btnDataDown, chkASP};
    // Rows added to the sheet follow the ASP box, in the order they stand.
    auto* layout = TabSheet1->layout();
    for (int index = layout->indexOf(chkASP) + 1; index < layout->count(); ++index) {
        QWidget* row = layout->itemAt(index)->widget();
        if (!row)
            continue;
        QList<QWidget*> controls = row->findChildren<QWidget*>();
        controls.prepend(row);
        for (QWidget* control : controls) {
            if (control->focusPolicy() & Qt::TabFocus)
                order.push_back(control);
        }
    }
    setReadingTabOrder(order);
}

QString SeriesDataPage::caption() const {
    return u"Data"_s;
}

bool SeriesDataPage::shownFor(const QString& baseType) const {
    return baseType != u"pie"_s;
}

QWidget* SeriesDataPage::countsGroup() {
    auto* body = new QWidget;
    auto* layout = new QGridLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(2);
    layout->addWidget(fieldLabel(u"Number of Series"_s, edtSeries), 0, 0);
    layout->addWidget(edtSeries, 0, 1);
    layout->addWidget(fieldLabel(u"Number of Cols"_s, edtCols), 0, 2);
    layout->addWidget(edtCols, 0, 3);
    layout->addWidget(fieldLabel(u"Gap between columns (bars only)"_s, edtXGap), 1, 0, 1, 3);
    layout->addWidget(edtXGap, 1, 3);
    layout->addWidget(chkStacked, 2, 0, 1, 4);
    layout->setColumnStretch(4, 1);
    return body;
}

QWidget* SeriesDataPage::dataTab() {
    auto* moves = new QHBoxLayout;
    moves->addWidget(btnDataUp);
    moves->addWidget(btnDataDown);
    moves->addStretch();
    QLabel* hint = rowOptionsHint();
    chkASP->setStyleSheet(u"QCheckBox { font-size: 8pt; }"_s);
    auto* layout = new QVBoxLayout(TabSheet1);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(sgrdData, 1);
    layout->addLayout(moves);
    layout->addWidget(chkASP);
    layout->addWidget(hint);
    return TabSheet1;
}

void SeriesDataPage::bindControls() {
    addLoader([this](const GraphDocument& d) {
        setFieldText(edtSeries, d.series.edtSeries);
        setFieldText(edtCols, d.series.edtCols);
        chkStacked->setChecked(d.series.chkStacked);
        if (sgrdData->grid() != d.series.sgrdData)
            sgrdData->setGrid(d.series.sgrdData);
        if (sgrdProp->grid() != d.series.sgrdProp)
            sgrdProp->setGrid(d.series.sgrdProp);
    });
    for (TNumEdit* count : {edtSeries, edtCols}) {
        connect(count, &QLineEdit::textChanged, this, &SeriesDataPage::edtSeriesChange);
        connect(count, &TNumEdit::exited, this, [this, count] { restoreCountText(count); });
    }
    bindText(
        edtXGap, u"Gap between columns"_s, [](auto& d) -> auto& { return d.series.edtXGap; });
    bindCheck(
        chkASP, [](auto& d) -> auto& { return d.series.chkASP; });
    connect(chkStacked, &QCheckBox::clicked, this, &SeriesDataPage::chkStackedClick);
    connect(sgrdData, &TStringAlignGrid::gridEdited, this,
            [this] { edit([this](GraphDocument& d) { d.series.sgrdData = sgrdData->grid(); }); });
    connect(sgrdData, &QAbstractItemView::clicked, this, &SeriesDataPage::sgrdDataClick);
    connect(sgrdProp, &QAbstractItemView::clicked, this, &SeriesDataPage::sgrdDataClick);
    connect(sgrdData, &TStringAlignGrid::openRequested, this, &SeriesDataPage::sgrdDataDblClick);
    connect(sgrdProp, &TStringAlignGrid::openRequested, this, &SeriesDataPage::sgrdDataDblClick);
    connect(btnDataUp, &QPushButton::clicked, this, &SeriesDataPage::btnDataUpClick);
    connect(btnDataDown, &QPushButton::clicked, this, &SeriesDataPage::btnDataDownClick);
    reload();
}

void SeriesDataPage::edtSeriesChange() {
    bool seriesOk = false;
    bool columnsOk = false;
    const int series = edtSeries->text().toInt(&seriesOk);
    const int columns = edtCols->text().toInt(&columnsOk);
    if (!seriesOk || !columnsOk)
        return;
    edit([&](GraphDocument& d) {
        d.series.edtSeries = edtSeries->text();
        d.series.edtCols = edtCols->text();
        applySeriesCounts(d, series, columns);
    });
}

void SeriesDataPage::restoreCountText(TNumEdit* field) {
    bool whole = false;
    field->text().toInt(&whole);
    // Showing the graph again puts its count back, without taking that for a new count.
    if (!whole)
        reload();
}

void SeriesDataPage::sgrdDataClick() {
    if (document().loadingGraph)
        return;
    for (int column = 0; column < sgrdData->grid().columnCount(); ++column) {
        sgrdData->fitColumn(column);
        if (sgrdData->columnWidth(column) < kNarrowestColumn)
            sgrdData->setColumnWidth(column, kNarrowestColumn);
    }
    refresh();
}

void SeriesDataPage::sgrdDataDblClick() {
    const int row = sgrdData->currentRow();
    if (row == 0) {
        sgrdData->edit(sgrdData->currentIndex());
        return;
    }
    // Rows that editing on past the last cell added are no series yet: they have no properties.
    if (row < 1 || row >= document().series.sgrdProp.rowCount())
        return;
    dlgSeriesOpt->showForSeries(row);
    refresh();
}

void SeriesDataPage::btnDataUpClick() {
    moveSelectedRow(*sgrdData, &GraphDocument::series, moveSeries, RowMove::Up);
}

void SeriesDataPage::btnDataDownClick() {
    moveSelectedRow(*sgrdData, &GraphDocument::series, moveSeries, RowMove::Down);
}

void SeriesDataPage::chkStackedClick(bool checked) {
    edit([checked](GraphDocument& d) {
        d.series.chkStacked = checked;
        if (d.graphType != u"pie"_s)
            d.graphType = checked ? u"sbar"_s : u"bar"_s;
    });
}

} // namespace tivora
