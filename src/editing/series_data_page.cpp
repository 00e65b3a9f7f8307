#include "editing/series_data_page.h"

#include "controls/num_edit.h"
#include "controls/string_align_grid.h"
#include "document/text_field_check.h"
#include "editing/page_layout.h"
#include "editing/series_rows.h"
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
    return grid;
}

constexpr int kNarrowestColumn = 20;

} // namespace

SeriesDataPage::SeriesDataPage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , edtSeries(numberEdit(u"edtSeries"_s, 0, 2))
    , edtCols(numberEdit(u"edtCols"_s, 0, 3))
    , edtXGap(numberEdit(u"edtXGap"_s, 2, 0))
    , chkStacked(new QCheckBox(u"Stack bars for Bar Graphs"_s))
    , pageControl2(new QTabWidget)
    , sgrdData(seriesGrid(u"sgrdData"_s, true))
    , sgrdProp(seriesGrid(u"sgrdProp"_s, false))
    , btnDataUp(named(new QPushButton(u"Move Up"_s), u"btnDataUp"_s))
    , btnDataDown(named(new QPushButton(u"Move Down"_s), u"btnDataDown"_s))
    , chkASP(new QCheckBox(u"Allow ASP parameters passed to file to load values"_s))
    , TabExcel(new ExcelLinkTab(model, *sgrdData)) {
    setObjectName(u"TabBarData"_s);
    edtXGap->setToolTip(u"Set the space between columns"_s);
    chkStacked->setObjectName(u"chkStacked"_s);
    chkASP->setObjectName(u"chkASP"_s);
    chkASP->setToolTip(u"Parameters will be passed into the graph."_s);
    sgrdData->setAutoEditNextCell(true);
    const auto validator = [](int column, int row, const QString& text) {
        return checkEncodedText(u"Data grid, column %1, row %2"_s.arg(column).arg(row), text);
    };
    sgrdData->setEditValidator(validator);

    // The properties live on a page of their own that is never shown as a tab.
    pageControl2->setObjectName(u"pageControl2"_s);
    pageControl2->addTab(dataTab(), u"Data"_s);
    pageControl2->addTab(sgrdProp, u"Properties"_s);
    pageControl2->setTabVisible(1, false);
    TabExcel->placeOn(*pageControl2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(countsGroup());
    layout->addWidget(pageControl2, 1);
    bindControls();
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
    auto* hint = new QLabel(u"Select line and then Double-Click to edit properties"_s);
    hint->setWordWrap(true);
    chkASP->setStyleSheet(u"QCheckBox { font-size: 8pt; }"_s);
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(sgrdData, 1);
    layout->addLayout(moves);
    layout->addWidget(chkASP);
    layout->addWidget(TabExcel->linkBar());
    layout->addWidget(hint);
    return tab;
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

void SeriesDataPage::btnDataUpClick() {
    moveSelectedSeries(moveSeriesUp, 1);
}

void SeriesDataPage::btnDataDownClick() {
    moveSelectedSeries(moveSeriesDown, 0);
}

void SeriesDataPage::moveSelectedSeries(bool (*move)(SeriesFields&, int), int selectionShift) {
    const int row = sgrdData->currentRow();
    SeriesFields series = document().series;
    // A move that is not possible changes nothing and refreshes nothing.
    if (!move(series, row))
        return;
    const int column = std::max(sgrdData->currentColumn(), 0);
    edit([&](GraphDocument& d) { d.series = std::move(series); });
    // The selection stays where the grid's row insert and delete leave it: on the row below the
    // series moved up, on the row of the series moved down.
    sgrdData->setCurrentCell(column,
                             std::min(row + selectionShift, sgrdProp->grid().rowCount() - 1));
}

void SeriesDataPage::chkStackedClick(bool checked) {
    edit([checked](GraphDocument& d) {
        d.series.chkStacked = checked;
        if (d.graphType != u"pie"_s)
            d.graphType = checked ? u"sbar"_s : u"bar"_s;
    });
}

} // namespace tivora
