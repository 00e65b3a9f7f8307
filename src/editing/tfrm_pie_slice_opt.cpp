#include "editing/tfrm_pie_slice_opt.h"

#include "controls/movie_player.h"
#include "controls/skins/skin.h"
#include "document/graph_document_model.h"
#include "document/grid_layouts.h"
#include "document/number_text.h"
#include "document/variable_text.h"
#include "editing/captioned_trackbar.h"
#include "editing/grid_cell_edits.h"
#include "editing/page_layout.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

constexpr QSize kSampleSize(168, 279);

CaptionedTrackbar* bar(const QString& name, const QString& captionName, Qt::Orientation orientation,
                       int minimum, int maximum, int initial = 0) {
    auto* result = new CaptionedTrackbar(name, captionName, orientation);
    result->setRange(minimum, maximum);
    result->setValue(initial);
    result->caption()->setNum(initial);
    return result;
}

// A cell's whole number, or nothing for an empty or unreadable cell.
std::optional<int> cellNumber(const Grid& slices, int column, int row) {
    return parseWholeNumber(slices.cell(column, row).trimmed());
}

} // namespace

TfrmPieSliceOpt::TfrmPieSliceOpt(GraphDocumentModel& model, QWidget* parent)
    : OptionDialog(model, kSampleSize, parent)
    , lblModify(new QLabel(u"Modify:"_s))
    , btnBackground(named(new QPushButton(u"Slice Colour"_s), u"btnBackground"_s))
    , btnTextColour(named(new QPushButton(u"Value Colour"_s), u"btnTextColour"_s))
    , btnSliceLabColour(named(new QPushButton(u"Slice Label Colour"_s), u"btnSliceLabColour"_s))
    , trkSliceAlpha(bar(u"trkSliceAlpha"_s, u"lblSliceAlpha"_s, Qt::Horizontal, 0, 100, 50))
    , trkSliceShade(bar(u"trkSliceShade"_s, u"lblSliceShade"_s, Qt::Horizontal, 0, 100, 50))
    , trkSValueX(bar(u"trkSValueX"_s, u"lblValueX"_s, Qt::Horizontal, -100, 100))
    , trkSValueY(bar(u"trkSValueY"_s, u"lblValueY"_s, Qt::Vertical, -50, 50))
    , trkSLabelX(bar(u"trkSLabelX"_s, u"lblLabelX"_s, Qt::Horizontal, -100, 100))
    , trkSLabelY(bar(u"trkSLabelY"_s, u"lblLabelY"_s, Qt::Vertical, -50, 50)) {
    setObjectName(u"frmPieSliceOpt"_s);
    setWindowTitle(u"Pie Slice Options"_s);

    auto* alpha = new QVBoxLayout;
    alpha->addWidget(endedBar(QString(), trkSliceAlpha, u"Transparent"_s, u"Opaque"_s));
    auto* shade = new QVBoxLayout;
    shade->addWidget(endedBar(QString(), trkSliceShade, u"No Shade"_s, u"Dark"_s));
    auto* moves = new QHBoxLayout;
    moves->addWidget(positionGroup(u"Move Value Position"_s, trkSValueX, trkSValueY));
    moves->addWidget(positionGroup(u"Move Label Position"_s, trkSLabelX, trkSLabelY));
    auto* controls = new QVBoxLayout;
    controls->addWidget(colourButtons());
    controls->addWidget(compactGroup(u"How Transparent must the slice be?"_s, alpha));
    controls->addWidget(compactGroup(u"What shade do you want to add to the slice"_s, shade));
    controls->addLayout(moves);
    layOut(controls);
    setReadingTabOrder({btnBackground, btnTextColour, btnSliceLabColour, trkSliceAlpha,
                        trkSliceShade, trkSValueX, trkSValueY, trkSLabelX, trkSLabelY, btnOK,
                        btnCancel});
    connectControls();
}

QWidget* TfrmPieSliceOpt::colourButtons() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblModify);
    layout->addWidget(btnBackground);
    layout->addWidget(btnTextColour);
    layout->addWidget(btnSliceLabColour);
    layout->addStretch();
    return row;
}

void TfrmPieSliceOpt::connectControls() {
    connect(btnBackground, &QPushButton::clicked, this, &TfrmPieSliceOpt::btnBackgroundClick);
    connect(btnTextColour, &QPushButton::clicked, this, &TfrmPieSliceOpt::btnTextColourClick);
    connect(btnSliceLabColour, &QPushButton::clicked, this,
            &TfrmPieSliceOpt::btnSliceLabColourClick);
    connect(trkSliceAlpha, &QSlider::valueChanged, this, &TfrmPieSliceOpt::trkSliceAlphaChange);
    connect(trkSliceShade, &QSlider::valueChanged, this, &TfrmPieSliceOpt::trkSliceShadeChange);
    for (CaptionedTrackbar* move : {trkSValueX, trkSValueY, trkSLabelX, trkSLabelY})
        connect(move, &QSlider::valueChanged, this, &TfrmPieSliceOpt::trkSValueYChange);
}

void TfrmPieSliceOpt::showForSlice(int row) {
    loadSlice(row);
    exec();
}

void TfrmPieSliceOpt::loadSlice(int row) {
    const QScopedValueRollback guard(m_loading, true);
    m_row = row;
    const Grid& slices = m_model.document().pie.sgrdPieSlices;
    if (const auto shade = cellNumber(slices, SliceShade, row))
        trkSliceShade->setValue(*shade);
    if (const auto alpha = cellNumber(slices, SliceAlpha, row))
        trkSliceAlpha->setValue(*alpha);
    const std::pair<CaptionedTrackbar*, int> moves[] = {{trkSValueX, SliceValMoveX},
                                                        {trkSValueY, SliceValMoveY},
                                                        {trkSLabelX, SliceLblMoveX},
                                                        {trkSLabelY, SliceLblMoveY}};
    for (const auto& [move, column] : moves)
        move->setValue(cellNumber(slices, column, row).value_or(0));
}

void TfrmPieSliceOpt::FormShow() {
    appSkin().skinWindow(*this, allSkinKindsBut(SkinKind::Button | SkinKind::ScrollBar));
    ShowPreview();
}

void TfrmPieSliceOpt::btnBackgroundClick() {
    chooseSliceColour(SliceColour);
}

void TfrmPieSliceOpt::btnTextColourClick() {
    chooseSliceColour(SliceValueClr);
}

void TfrmPieSliceOpt::btnSliceLabColourClick() {
    chooseSliceColour(SliceLabelClr);
}

void TfrmPieSliceOpt::chooseSliceColour(int column) {
    const auto color = chooseCellColor(m_model.document(), GraphGrid::Slices, column, m_row);
    if (!color)
        return;
    const QString text = QString::fromLatin1(ColorToText(*color));
    applyCellEdits(m_model, {{GraphGrid::Slices, column, m_row, text, color}});
    ShowPreview();
}

void TfrmPieSliceOpt::setSliceCell(int column, const QSlider* slider) {
    if (m_loading)
        return;
    // The moves of one slider make one change, undone together.
    applyCellEdits(
        m_model,
        {{GraphGrid::Slices, column, m_row, QString::number(slider->value()), std::nullopt}},
        slider);
    ShowPreview();
}

void TfrmPieSliceOpt::trkSliceAlphaChange() {
    setSliceCell(SliceAlpha, trkSliceAlpha);
}

void TfrmPieSliceOpt::trkSliceShadeChange() {
    setSliceCell(SliceShade, trkSliceShade);
}

void TfrmPieSliceOpt::trkSValueYChange() {
    if (m_loading || !isVisible())
        return;
    const auto cell = [this](int column, CaptionedTrackbar* move) {
        return CellEdit{GraphGrid::Slices, column, m_row, QString::number(move->value()),
                        std::nullopt};
    };
    // The sample shows no moves, so only the main preview follows them.
    // The moves of one bar make one change; the bar is the sender when a move calls this.
    applyCellEdits(m_model,
                   {cell(SliceValMoveX, trkSValueX), cell(SliceValMoveY, trkSValueY),
                    cell(SliceLblMoveX, trkSLabelX), cell(SliceLblMoveY, trkSLabelY)},
                   sender());
}

void TfrmPieSliceOpt::ShowPreview() {
    m_sample.ShowPreview(m_model.document(), u"pie"_s, m_row);
}

} // namespace tivora
