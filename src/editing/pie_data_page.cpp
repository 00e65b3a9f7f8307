#include "editing/pie_data_page.h"

#include "controls/grids/string_align_grid.h"
#include "controls/num_edit.h"
#include "document/grid_layouts.h"
#include "editing/number_cell_warning.h"
#include "editing/page_layout.h"
#include "editing/pie_slices.h"
#include "editing/row_options_keys.h"
#include "editing/tfrm_pie_slice_opt.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

TNumEdit* countEdit() {
    auto* edit = new TNumEdit;
    edit->setObjectName(u"edtPieSlices"_s);
    edit->setDecimalPlaces(0);
    edit->setMaxLength(2);
    edit->setFixedWidth(60);
    return edit;
}

TStringAlignGrid* sliceGrid() {
    auto* grid = new TStringAlignGrid;
    grid->setObjectName(u"sgrdPieSlices"_s);
    grid->setEditable(true);
    grid->verticalHeader()->setDefaultSectionSize(16);
    grid->horizontalHeader()->setDefaultSectionSize(64);
    grid->setEditValidator([](int column, int row, const QString& text) {
        return checkEncodedText(u"Slice grid, column %1, row %2"_s.arg(column).arg(row), text);
    });
    // The colours are the cells' own colours, chosen in the slice options that a double-click
    // opens; their colour text is there to read, and typing over it would change nothing saved.
    grid->setDoubleClickEdits(false);
    grid->setAutoEditNextCell(true);
    // The slice count sets the rows; Enter on the last cell ends the editing there.
    grid->setGrowsPastLastCell(false);
    new RowOptionsKeys(grid, SliceLabel);
    for (int column : {SliceColour, SliceValueClr, SliceLabelClr})
        grid->setColumnEditable(column, false);
    grid->setCellWarning(
        numberCellWarning([](int column, int row) { return column == SliceValue && row >= 1; },
                          u"Not a number: the slice is drawn with no size."_s));
    return grid;
}

// A font size field within the range of the graph's field.
UpDownField* fontSize(const QString& editName, const QString& upDownName, const UpDownEdit& field,
                      const QString& hint) {
    auto* result = new UpDownField(editName, upDownName, field.minimum(), field.maximum());
    result->edit()->setToolTip(hint);
    return result;
}

CaptionedTrackbar* speedBar() {
    auto* bar = new CaptionedTrackbar(u"sbAnimSpeed"_s, u"lblGrowSpeed"_s, Qt::Horizontal);
    bar->setPageStep(10);
    bar->setToolTip(u"Set the Animation Speed "_s);
    return bar;
}

constexpr int kNarrowestColumn = 20;

} // namespace

PieDataPage::PieDataPage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , edtPieSlices(countEdit())
    , sgrdPieSlices(sliceGrid())
    , btnPieDataUp(named(new QPushButton(u"Move Up"_s), u"btnPieDataUp"_s))
    , btnPieDataDown(named(new QPushButton(u"Move Down"_s), u"btnPieDataDown"_s))
    , rdoPiePercen(
          namedRadio(u"rdoPiePercen"_s, u"Percentages"_s,
                     u"The percentage size of each slice will be calculated and displayed"_s))
    , rdoPieValues(namedRadio(u"rdoPieValues"_s, u"Values"_s,
                              u"The actual value of each slice will be displayed as entered"_s))
    , rdoPieNone(namedRadio(u"rdoPieNone"_s, u"None"_s, u"No slice values displayed"_s))
    , edtPieValueFontSize(fontSize(u"edtPieValueFontSize"_s, u"UDPieValueFont"_s,
                                   model.document().pie.edtPieValueFontSize,
                                   u"The font size of the value labels on each slice"_s))
    , edtPieLabelFontSize(fontSize(u"edtPieLabelFontSize"_s, u"UDPieLabelFont"_s,
                                   model.document().pie.edtPieLabelFontSize,
                                   u"The font size of the labels next to each slice"_s))
    , chkPieASP(new QCheckBox(u"Allow ASP parameters passed to file to load values"_s))
    , rdoAnimate(namedRadio(u"rdoAnimate"_s, u"Yes"_s, u"Animate drawing the graph"_s))
    , rdoNoAnimate(namedRadio(u"rdoNoAnimate"_s, u"No"_s, u"Set to no while testing"_s))
    , sbAnimSpeed(speedBar())
    , frmPieSliceOpt(new TfrmPieSliceOpt(model, this)) {
    setObjectName(u"TabPieData"_s);
    chkPieASP->setObjectName(u"chkPieASP"_s);
    chkPieASP->setToolTip(u"Parameters will be passed into the graph."_s);
    chkPieASP->setStyleSheet(u"QCheckBox { font-size: 8pt; }"_s);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(slicesGroup(), 1);
    layout->addWidget(labelsGroup());
    QGroupBox* animate =
        animateOpeningGroup(u"Animate Opening?"_s, rdoAnimate, rdoNoAnimate, sbAnimSpeed);
    animate->setObjectName(u"gbAnimate"_s);
    layout->addWidget(animate);
    layout->addWidget(chkPieASP);
    bindControls();
    setReadingTabOrder({edtPieSlices, sgrdPieSlices, btnPieDataUp, btnPieDataDown, rdoPiePercen,
                        rdoPieValues, rdoPieNone, edtPieValueFontSize->edit(),
                        edtPieLabelFontSize->edit(), rdoAnimate, rdoNoAnimate, sbAnimSpeed,
                        chkPieASP});
}

QString PieDataPage::caption() const {
    return u"Data"_s;
}

bool PieDataPage::shownFor(const QString& baseType) const {
    return baseType == u"pie"_s;
}

QWidget* PieDataPage::slicesGroup() {
    auto* count = new QHBoxLayout;
    count->addWidget(fieldLabel(u"Number of Slices"_s, edtPieSlices));
    count->addWidget(edtPieSlices);
    count->addStretch();
    auto* moves = new QHBoxLayout;
    moves->addWidget(btnPieDataUp);
    moves->addWidget(btnPieDataDown);
    moves->addStretch();
    QLabel* hint = rowOptionsHint();
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(count);
    layout->addWidget(sgrdPieSlices, 1);
    layout->addLayout(moves);
    layout->addWidget(hint);
    return body;
}

QWidget* PieDataPage::labelsGroup() {
    auto* layout = new QGridLayout;
    layout->setVerticalSpacing(1);
    layout->addWidget(rdoPiePercen, 0, 0);
    layout->addWidget(rdoPieValues, 0, 1);
    layout->addWidget(rdoPieNone, 0, 2);
    layout->addWidget(fieldLabel(u"Values Font Size"_s, edtPieValueFontSize->edit()), 1, 0);
    layout->addWidget(edtPieValueFontSize, 1, 1);
    layout->addWidget(fieldLabel(u"Labels Font Size"_s, edtPieLabelFontSize->edit()), 2, 0);
    layout->addWidget(edtPieLabelFontSize, 2, 1);
    layout->setColumnStretch(3, 1);
    return compactGroup(u"Show Segment Labels as "_s, layout);
}

void PieDataPage::bindControls() {
    addLoader([this](const GraphDocument& d) {
        setFieldText(edtPieSlices, d.pie.edtPieSlices);
        if (sgrdPieSlices->grid() != d.pie.sgrdPieSlices) {
            sgrdPieSlices->setGrid(d.pie.sgrdPieSlices);
            fitColumns();
        }
        edtPieValueFontSize->setText(d.pie.edtPieValueFontSize.text());
        edtPieLabelFontSize->setText(d.pie.edtPieLabelFontSize.text());
    });
    connect(edtPieSlices, &QLineEdit::textChanged, this, &PieDataPage::edtPieSlicesChange);
    connect(edtPieSlices, &TNumEdit::exited, this, &PieDataPage::restoreCountText);
    connect(edtPieValueFontSize, &UpDownField::stepped, this,
            [this](int position) { fontSizeStepped(&PieFields::edtPieValueFontSize, position); });
    connect(edtPieLabelFontSize, &UpDownField::stepped, this,
            [this](int position) { fontSizeStepped(&PieFields::edtPieLabelFontSize, position); });
    const auto shown = [](auto& d) -> auto& {
        return d.pie.valuesShown;
    };
    bindChoice(rdoPiePercen, shown, PieValuesShown::Percentages);
    bindChoice(rdoPieValues, shown, PieValuesShown::Values);
    bindChoice(rdoPieNone, shown, PieValuesShown::None);
    bindCheck(
        chkPieASP, [](auto& d) -> auto& { return d.pie.chkPieASP; });
    const auto animate = [](auto& d) -> auto& {
        return d.pie.rdoAnimate;
    };
    bindChoice(rdoAnimate, animate, true);
    bindChoice(rdoNoAnimate, animate, false);
    bindTrackbar(
        sbAnimSpeed, [](auto& d) -> auto& { return d.pie.sbAnimSpeed; });
    connect(sgrdPieSlices, &TStringAlignGrid::gridEdited, this, [this] {
        edit([this](GraphDocument& d) { d.pie.sgrdPieSlices = sgrdPieSlices->grid(); });
    });
    connect(sgrdPieSlices, &QAbstractItemView::clicked, this, &PieDataPage::sgrdPieSlicesClick);
    connect(sgrdPieSlices, &TStringAlignGrid::openRequested, this,
            &PieDataPage::sgrdPieSlicesDblClick);
    connect(btnPieDataUp, &QPushButton::clicked, this, &PieDataPage::btnPieDataUpClick);
    connect(btnPieDataDown, &QPushButton::clicked, this, &PieDataPage::btnPieDataDownClick);
    reload();
}

void PieDataPage::edtPieSlicesChange() {
    bool whole = false;
    const int count = edtPieSlices->text().toInt(&whole);
    if (!whole)
        return;
    edit([&](GraphDocument& d) {
        d.pie.edtPieSlices = edtPieSlices->text();
        applySliceCount(d.pie, count);
    });
}

void PieDataPage::fontSizeStepped(UpDownEdit PieFields::*field, int position) {
    bool whole = false;
    const int count = document().pie.edtPieSlices.toInt(&whole);
    edit([&](GraphDocument& d) {
        (d.pie.*field).setPosition(position);
        if (whole)
            applySliceCount(d.pie, count);
    });
}

void PieDataPage::restoreCountText() {
    bool whole = false;
    edtPieSlices->text().toInt(&whole);
    // Showing the graph again puts its count back, without taking that for a new count.
    if (!whole)
        reload();
}

void PieDataPage::sgrdPieSlicesClick() {
    if (document().loadingGraph)
        return;
    fitColumns();
    refresh();
}

void PieDataPage::sgrdPieSlicesDblClick() {
    const int row = sgrdPieSlices->currentRow();
    if (row < 1 || row >= document().pie.sgrdPieSlices.rowCount())
        return;
    frmPieSliceOpt->showForSlice(row);
    refresh();
}

void PieDataPage::fitColumns() {
    for (int column = 0; column < SliceColumnCount; ++column) {
        sgrdPieSlices->fitColumn(column);
        if (sgrdPieSlices->columnWidth(column) < kNarrowestColumn)
            sgrdPieSlices->setColumnWidth(column, kNarrowestColumn);
    }
}

void PieDataPage::btnPieDataUpClick() {
    moveSelectedRow(*sgrdPieSlices, &GraphDocument::pie, moveSlice, RowMove::Up);
}

void PieDataPage::btnPieDataDownClick() {
    moveSelectedRow(*sgrdPieSlices, &GraphDocument::pie, moveSlice, RowMove::Down);
}

} // namespace tivora
