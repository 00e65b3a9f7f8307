#include "editing/y_axis_page.h"

#include "controls/num_edit.h"
#include "controls/scrolling_body.h"
#include "editing/axis_controls.h"
#include "editing/page_layout.h"
#include "editing/reading_tab_order.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

QCheckBox* autoBox(const QString& name, const QString& hint) {
    auto* box = new QCheckBox(u"Auto Calculate"_s);
    box->setObjectName(name);
    box->setToolTip(hint);
    return box;
}

} // namespace

YAxisPage::YAxisPage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , edtYTitle(named(new QLineEdit, u"edtYTitle"_s, u"Y Axis Title text"_s))
    , pnlYTitleColour(
          axisColourPanel(u"pnlYTitleColour"_s, u"Select the Y-Axis title text colour"_s))
    , pnlYAxisColour(axisColourPanel(u"pnlYAxisColour"_s, u"Select the Y-Axis colour"_s))
    , pnlYLabelColour(
          axisColourPanel(u"pnlYLabelColour"_s, u"Select the Y-Axis label text colour"_s))
    , pnlYGridColour(
          axisColourPanel(u"pnlYGridColour"_s, u"Select the background grid line colour."_s))
    , edtMaxYVal(axisNumberEdit(u"edtMaxYVal"_s, 4, u"The Maximum Y value on the Y-Axis"_s))
    , edtMinYVal(axisNumberEdit(u"edtMinYVal"_s, 4, u"The Minimum Y value on the Y-Axis"_s))
    , edtYStep(axisNumberEdit(u"edtYStep"_s, 4, u"The increment on the Y-Axis"_s))
    , chkMaxYCalc(autoBox(u"chkMaxYCalc"_s, u"Calculate the Max Y value from the data."_s))
    , chkMinYCalc(autoBox(u"chkMinYCalc"_s, u"Calculate the Min Y value from the data."_s))
    , chkYStepCalc(autoBox(u"chkYStepCalc"_s, u"Calculate a reasonable increment from the data."_s))
    , trkYTitleY(
          axisTrackbar(u"trkYTitleY"_s, Qt::Vertical, u"Move the Y-Axis title up or down."_s))
    , trkYTitleX(
          axisTrackbar(u"trkYTitleX"_s, Qt::Horizontal, u"Move the Y-Axis title left or right."_s))
    , trkYLabelY(
          axisTrackbar(u"trkYLabelY"_s, Qt::Vertical, u"Move the Y-Axis labels up or down."_s))
    , trkYLabelX(
          axisTrackbar(u"trkYLabelX"_s, Qt::Horizontal, u"Move the Y-Axis labels left or right."_s))
    , edtYTitleFont(new UpDownField(u"edtYTitleFont"_s, u"UDYTitleFont"_s, 8, 40))
    , edtYLabelFont(new UpDownField(u"edtYLabelFont"_s, u"UDYLabelFont"_s, 6, 40)) {
    setObjectName(u"TabYAxis"_s);
    edtYTitleFont->setToolTip(u"Set the font size for the Y-Axis Title"_s);
    edtYLabelFont->setToolTip(u"Set the font size for the Y-Axis labels"_s);

    auto* title = new QHBoxLayout;
    title->addWidget(fieldLabel(u"Y-Axis Title"_s, edtYTitle));
    title->addWidget(edtYTitle, 1);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(title);
    // Both groups carry the caption "Y Axis Fonts", the colours' as well as the fonts'.
    layout->addWidget(labelledGroup(u"Y Axis Fonts"_s,
                                    {{u"Title Colour"_s, pnlYTitleColour},
                                     {u"Axis Colour"_s, pnlYAxisColour},
                                     {u"Labels Colour"_s, pnlYLabelColour},
                                     {u"Grid Lines Colour"_s, pnlYGridColour}},
                                    2));
    layout->addWidget(valuesGroup());
    layout->addWidget(positionGroup(u"Y Axis Title Position"_s, trkYTitleX, trkYTitleY));
    layout->addWidget(positionGroup(u"Y Axis Labels Position"_s, trkYLabelX, trkYLabelY));
    layout->addWidget(labelledGroup(
        u"Y Axis Fonts"_s,
        {{u"Title Font Size"_s, edtYTitleFont}, {u"Labels Font Size"_s, edtYLabelFont}}, 2));
    layout->addStretch();
    scrollingBody(this, body);
    bindControls();
    setReadingTabOrder(this);
}

QString YAxisPage::caption() const {
    return u"y-Axis"_s;
}

bool YAxisPage::shownFor(const QString& baseType) const {
    return baseType != u"pie"_s;
}

QWidget* YAxisPage::valuesGroup() {
    auto* layout = new QGridLayout;
    layout->setVerticalSpacing(2);
    const std::pair<QString, std::pair<TNumEdit*, QCheckBox*>> rows[] = {
        {u"Max Y Value"_s, {edtMaxYVal, chkMaxYCalc}},
        {u"Min Y Value"_s, {edtMinYVal, chkMinYCalc}},
        {u"Y Step"_s, {edtYStep, chkYStepCalc}}};
    int row = 0;
    for (const auto& [label, controls] : rows) {
        layout->addWidget(fieldLabel(label, controls.first), row, 0);
        layout->addWidget(controls.first, row, 1);
        layout->addWidget(controls.second, row, 2);
        ++row;
    }
    layout->setColumnStretch(3, 1);
    return compactGroup(u"y-Axis values"_s, layout);
}

void YAxisPage::bindControls() {
    bindText(
        edtYTitle, u"y-Axis Title"_s, [](auto& d) -> auto& { return d.axes.edtYTitle; });
    bindColour(
        pnlYTitleColour, nullptr, [](auto& d) -> auto& { return d.axes.pnlYTitleColour; });
    bindColour(
        pnlYAxisColour, nullptr, [](auto& d) -> auto& { return d.axes.pnlYAxisColour; });
    bindColour(
        pnlYLabelColour, nullptr, [](auto& d) -> auto& { return d.axes.pnlYLabelColour; });
    bindColour(
        pnlYGridColour, nullptr, [](auto& d) -> auto& { return d.axes.pnlYGridColour; });
    bindText(
        edtMaxYVal, u"y Maximum"_s, [](auto& d) -> auto& { return d.axes.edtMaxYVal; });
    bindText(
        edtMinYVal, u"y Minimum"_s, [](auto& d) -> auto& { return d.axes.edtMinYVal; });
    bindText(
        edtYStep, u"y Step"_s, [](auto& d) -> auto& { return d.axes.edtYStep; });
    bindCheck(
        chkMaxYCalc, [](auto& d) -> auto& { return d.axes.chkMaxYCalc; });
    bindCheck(
        chkMinYCalc, [](auto& d) -> auto& { return d.axes.chkMinYCalc; });
    bindCheck(
        chkYStepCalc, [](auto& d) -> auto& { return d.axes.chkYStepCalc; });
    bindTrackbar(
        trkYTitleY, [](auto& d) -> auto& { return d.placement.trkYTitleY; });
    bindTrackbar(
        trkYTitleX, [](auto& d) -> auto& { return d.placement.trkYTitleX; });
    bindTrackbar(
        trkYLabelY, [](auto& d) -> auto& { return d.placement.trkYLabelY; });
    bindTrackbar(
        trkYLabelX, [](auto& d) -> auto& { return d.placement.trkYLabelX; });
    bindUpDown(
        edtYTitleFont, [](auto& d) -> auto& { return d.axes.edtYTitleFont; });
    bindUpDown(
        edtYLabelFont, [](auto& d) -> auto& { return d.axes.edtYLabelFont; });
    reload();
}

} // namespace tivora
