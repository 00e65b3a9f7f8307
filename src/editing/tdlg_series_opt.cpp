#include "editing/tdlg_series_opt.h"

#include "controls/dialogs.h"
#include "controls/movie_player.h"
#include "controls/num_edit.h"
#include "controls/skins/skin.h"
#include "document/graph_document_model.h"
#include "document/grid_layouts.h"
#include "document/number_text.h"
#include "document/text_field_check.h"
#include "document/variable_text.h"
#include "editing/captioned_trackbar.h"
#include "editing/grid_cell_edits.h"
#include "editing/page_layout.h"
#include "editing/up_down_field.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

constexpr QSize kSampleSize(174, 335);

QString yesNo(bool yes) {
    return yes ? u"YES"_s : u"NO"_s;
}

QSlider* alphaBar() {
    auto* bar = named(new QSlider(Qt::Horizontal), u"trkSeriesAlpha"_s);
    bar->setRange(0, 100);
    bar->setPageStep(5);
    bar->setValue(100);
    return bar;
}

CaptionedTrackbar* speedBar() {
    auto* bar = new CaptionedTrackbar(u"sbAnimSpeed"_s, u"lblGrowSpeed"_s, Qt::Horizontal);
    bar->setRange(5, 100);
    bar->setPageStep(10);
    bar->setValue(5);
    bar->setToolTip(u"Set the Animation Speed "_s);
    bar->caption()->setText(u"1"_s);
    return bar;
}

TNumEdit* lineWidthEdit() {
    auto* edit = named(new TNumEdit, u"edtLineWidth"_s, u"Width of each line/pipe."_s);
    edit->setDecimalPlaces(0);
    edit->setMaxLength(2);
    edit->setText(u"20"_s);
    edit->setFixedWidth(40);
    return edit;
}

UpDownField* valueSizeField() {
    auto* field = new UpDownField(u"edtColValSize"_s, u"UDColValSize"_s, 8, 80);
    field->setText(u"12"_s);
    field->edit()->setToolTip(u"Font size of the values displayed on the columns"_s);
    return field;
}

} // namespace

TdlgSeriesOpt::TdlgSeriesOpt(GraphDocumentModel& model, QWidget* parent)
    : OptionDialog(model, kSampleSize, parent)
    , rdoBar(named(new QRadioButton(u"Bar"_s), u"rdoBar"_s))
    , rdoLine(named(new QRadioButton(u"Line"_s), u"rdoLine"_s))
    , rdoArea(named(new QRadioButton(u"Area"_s), u"rdoArea"_s))
    , btnSeriesColor(named(new QPushButton(u"Series Colour"_s), u"btnSeriesColor"_s))
    , btnTextColour(named(new QPushButton(u"Label Colour"_s), u"btnTextColour"_s))
    , trkSeriesAlpha(alphaBar())
    , edtAlpha(named(new QLineEdit(u"100"_s), u"edtAlpha"_s))
    , rdoAnimate(namedRadio(u"rdoAnimate"_s, u"Yes"_s, u"Animate drawing the graph"_s))
    , rdoNoAnimate(namedRadio(u"rdoNoAnimate"_s, u"No"_s, u"Set to no while testing"_s))
    , sbAnimSpeed(speedBar())
    , lblGrowSpeed(sbAnimSpeed->caption())
    , pgType(named(new QStackedWidget, u"pgType"_s))
    , TabBar(named(new QWidget, u"TabBar"_s))
    , TabLine(named(new QWidget, u"TabLine"_s))
    , TabArea(named(new QWidget, u"TabArea"_s))
    , chkColValues(named(new QCheckBox(u"Show Column Value labels"_s), u"chkColValues"_s))
    , chkGCV(named(new QCheckBox(u"Show Column Value labels Growing"_s), u"chkGCV"_s))
    , edtColValSize(valueSizeField())
    , edtLineWidth(lineWidthEdit()) {
    setObjectName(u"dlgSeriesOpt"_s);
    setWindowTitle(u"Series Options"_s);
    rdoBar->setChecked(true);
    rdoAnimate->setChecked(true);
    chkColValues->setChecked(true);
    chkGCV->setChecked(true);
    edtAlpha->setReadOnly(true);
    edtAlpha->setFixedWidth(36);
    // The edit only mirrors the bar beside it, which is the control to use.
    edtAlpha->setFocusPolicy(Qt::NoFocus);

    auto* controls = new QVBoxLayout;
    controls->addWidget(typeGroup());
    controls->addWidget(colourButtons());
    controls->addWidget(alphaGroup());
    controls->addWidget(
        animateOpeningGroup(u"Animate Series Opening?"_s, rdoAnimate, rdoNoAnimate, sbAnimSpeed));
    controls->addWidget(typePages());
    layOut(controls);
    setReadingTabOrder({rdoBar, rdoLine, rdoArea, btnSeriesColor, btnTextColour, trkSeriesAlpha,
                        rdoAnimate, rdoNoAnimate, sbAnimSpeed, chkColValues, chkGCV,
                        edtColValSize->edit(), edtLineWidth, btnOK, btnCancel});
    connectControls();
    showTypePage();
}

QWidget* TdlgSeriesOpt::typeGroup() {
    auto* layout = new QHBoxLayout;
    layout->addWidget(rdoBar);
    layout->addWidget(rdoLine);
    layout->addWidget(rdoArea);
    layout->addStretch();
    return compactGroup(u"Series Type"_s, layout);
}

QWidget* TdlgSeriesOpt::colourButtons() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(btnSeriesColor);
    layout->addWidget(btnTextColour);
    layout->addStretch();
    return row;
}

QWidget* TdlgSeriesOpt::alphaGroup() {
    auto* layout = new QVBoxLayout;
    layout->addWidget(endedBar(QString(), trkSeriesAlpha, edtAlpha, u"Transparent"_s, u"Opaque"_s));
    return compactGroup(u"How Transparent must the Series be?"_s, layout);
}

QWidget* TdlgSeriesOpt::typePages() {
    auto* bar = new QGridLayout(TabBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(chkColValues, 0, 0, 1, 3);
    bar->addWidget(chkGCV, 1, 0, 1, 3);
    bar->addWidget(fieldLabel(u"Values Font Size"_s, edtColValSize->edit()), 2, 0);
    bar->addWidget(edtColValSize, 2, 1);
    bar->setColumnStretch(2, 1);
    auto* line = new QGridLayout(TabLine);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(fieldLabel(u"Width of Line"_s, edtLineWidth), 0, 0);
    line->addWidget(edtLineWidth, 0, 1);
    line->setColumnStretch(2, 1);
    line->setRowStretch(1, 1);
    pgType->addWidget(TabBar);
    pgType->addWidget(TabLine);
    pgType->addWidget(TabArea);
    return pgType;
}

void TdlgSeriesOpt::connectControls() {
    for (QRadioButton* type : {rdoBar, rdoLine, rdoArea})
        connect(type, &QRadioButton::clicked, this, &TdlgSeriesOpt::rdoBarClick);
    connect(btnSeriesColor, &QPushButton::clicked, this, &TdlgSeriesOpt::btnSeriesColorClick);
    connect(btnTextColour, &QPushButton::clicked, this, &TdlgSeriesOpt::btnTextColourClick);
    connect(trkSeriesAlpha, &QSlider::valueChanged, this, &TdlgSeriesOpt::trkSeriesAlphaChange);
    connect(rdoAnimate, &QRadioButton::clicked, this, &TdlgSeriesOpt::rdoAnimateClick);
    connect(rdoNoAnimate, &QRadioButton::clicked, this, &TdlgSeriesOpt::rdoNoAnimateClick);
    connect(sbAnimSpeed, &QSlider::valueChanged, this, &TdlgSeriesOpt::sbAnimSpeedChange);
    connect(chkColValues, &QCheckBox::clicked, this, &TdlgSeriesOpt::chkColValuesClick);
    connect(chkGCV, &QCheckBox::clicked, this, &TdlgSeriesOpt::chkGCVClick);
    connect(edtColValSize, &UpDownField::stepped, this, &TdlgSeriesOpt::edtColValSizeChange);
    connect(edtLineWidth, &QLineEdit::textChanged, this, &TdlgSeriesOpt::edtLineWidthChange);
}

void TdlgSeriesOpt::showForSeries(int row) {
    m_row = row;
    exec();
}

void TdlgSeriesOpt::FormShow() {
    appSkin().skinWindow(*this, allSkinKindsBut(SkinKind::Button));
    {
        const QScopedValueRollback guard(m_loading, true);
        loadType(property(PropType));
        loadAnimation(property(PropAnimate));
        // A hand-edited alpha that is no number leaves the bar where it was.
        if (const auto alpha = parseWholeNumber(property(PropAlpha)))
            trkSeriesAlpha->setValue(std::clamp(*alpha, 0, 100));
        edtAlpha->setText(QString::number(trkSeriesAlpha->value()));
        edtLineWidth->setText(property(PropLineWidth));
        loadValueLabels();
    }
    ShowPreview();
}

void TdlgSeriesOpt::loadType(const QString& type) {
    const std::pair<QString, QRadioButton*> types[] = {
        {u"area"_s, rdoArea}, {u"bar"_s, rdoBar}, {u"line"_s, rdoLine}};
    // Any other text leaves the buttons as they were.
    for (const auto& [text, button] : types) {
        if (type == text)
            button->setChecked(true);
    }
    showTypePage();
}

void TdlgSeriesOpt::loadAnimation(const QString& speed) {
    const auto value = parseWholeNumber(speed);
    if (!value)
        return;
    const bool animate = *value > 0;
    (animate ? rdoAnimate : rdoNoAnimate)->setChecked(true);
    sbAnimSpeed->setEnabled(animate);
    if (animate)
        sbAnimSpeed->setValue(std::clamp(*value, sbAnimSpeed->minimum(), sbAnimSpeed->maximum()));
    lblGrowSpeed->setNum(sbAnimSpeed->value());
}

void TdlgSeriesOpt::loadValueLabels() {
    chkColValues->setChecked(property(PropShowValues) == u"YES"_s);
    chkGCV->setChecked(property(PropAnimateValues) == u"YES"_s);
    enableValueLabelControls(chkColValues->isChecked());
    edtColValSize->setText(property(PropFontSize));
}

QString TdlgSeriesOpt::selectedType() const {
    if (rdoBar->isChecked())
        return u"bar"_s;
    if (rdoLine->isChecked())
        return u"line"_s;
    if (rdoArea->isChecked())
        return u"area"_s;
    return {};
}

QString TdlgSeriesOpt::property(int column) const {
    return m_model.document().series.sgrdProp.cell(column, m_row);
}

void TdlgSeriesOpt::setProperty(int column, const QString& text, const QObject* gesture) {
    if (m_loading)
        return;
    std::vector<CellEdit> edits{{GraphGrid::Properties, column, m_row, text, std::nullopt}};
    if (column == PropType)
        edits.push_back({GraphGrid::Data, DataType, m_row, text, std::nullopt});
    applyCellEdits(m_model, edits, gesture);
}

void TdlgSeriesOpt::showTypePage() {
    const QString type = selectedType();
    pgType->setCurrentWidget(type == u"line"_s ? TabLine : type == u"area"_s ? TabArea : TabBar);
    btnTextColour->setVisible(type == u"bar"_s);
}

void TdlgSeriesOpt::rdoBarClick() {
    setProperty(PropType, selectedType());
    showTypePage();
    ShowPreview();
}

void TdlgSeriesOpt::btnSeriesColorClick() {
    const auto color = chooseCellColor(m_model.document(), GraphGrid::Properties, PropColor, m_row);
    if (!color)
        return;
    const QString text = QString::fromLatin1(ColorToText(*color));
    applyCellEdits(m_model, {{GraphGrid::Data, DataColor, m_row, std::nullopt, color},
                             {GraphGrid::Properties, PropColor, m_row, text, color}});
    ShowPreview();
}

void TdlgSeriesOpt::btnTextColourClick() {
    const auto color =
        chooseCellColor(m_model.document(), GraphGrid::Properties, PropValuesColor, m_row);
    if (!color)
        return;
    const QString text = QString::fromLatin1(ColorToText(*color));
    applyCellEdits(m_model, {{GraphGrid::Properties, PropValuesColor, m_row, text, color}});
    ShowPreview();
}

void TdlgSeriesOpt::trkSeriesAlphaChange(int position) {
    edtAlpha->setText(QString::number(position));
    if (m_loading)
        return;
    setProperty(PropAlpha, QString::number(position), trkSeriesAlpha);
    ShowPreview();
}

void TdlgSeriesOpt::rdoAnimateClick() {
    sbAnimSpeed->setEnabled(true);
    setProperty(PropAnimate, QString::number(sbAnimSpeed->value()));
}

void TdlgSeriesOpt::rdoNoAnimateClick() {
    sbAnimSpeed->setEnabled(false);
    setProperty(PropAnimate, u"0"_s);
}

void TdlgSeriesOpt::sbAnimSpeedChange(int position) {
    setProperty(PropAnimate, QString::number(position), sbAnimSpeed);
}

void TdlgSeriesOpt::chkColValuesClick(bool checked) {
    setProperty(PropShowValues, yesNo(checked));
    enableValueLabelControls(checked);
}

void TdlgSeriesOpt::enableValueLabelControls(bool enabled) {
    chkGCV->setEnabled(enabled);
    edtColValSize->setEnabled(enabled);
}

void TdlgSeriesOpt::chkGCVClick(bool checked) {
    setProperty(PropAnimateValues, yesNo(checked));
}

void TdlgSeriesOpt::edtColValSizeChange() {
    setProperty(PropFontSize, edtColValSize->edit()->text(), edtColValSize);
}

void TdlgSeriesOpt::edtLineWidthChange(const QString& text) {
    if (m_loading)
        return;
    // Typing can only give digits and signs; pasted text that the graph file cannot carry is
    // refused before it reaches the grid.
    if (const auto refusal = checkEncodedText(u"Width of Line"_s, text)) {
        appDialogs().showMessage(*refusal);
        return;
    }
    setProperty(PropLineWidth, text, edtLineWidth);
}

void TdlgSeriesOpt::ShowPreview() {
    const QString type = selectedType();
    if (!type.isEmpty())
        m_sample.ShowPreview(m_model.document(), type, m_row);
}

} // namespace tivora
