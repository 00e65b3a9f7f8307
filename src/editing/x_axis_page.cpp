#include "editing/x_axis_page.h"

#include "controls/num_edit.h"
#include "controls/scrolling_body.h"
#include "editing/axis_controls.h"
#include "editing/page_layout.h"
#include "editing/reading_tab_order.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {

XAxisPage::XAxisPage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , edtXTitle(named(new QLineEdit, u"edtXTitle"_s, u"The Title text for the X-Axis"_s))
    , trkXTitleX(
          axisTrackbar(u"trkXTitleX"_s, Qt::Horizontal, u"Move the X-Axis title left or right."_s))
    , trkXTitleY(
          axisTrackbar(u"trkXTitleY"_s, Qt::Vertical, u"Move the X-Axis title up or down."_s))
    , pnlXTitleColour(
          axisColourPanel(u"pnlXTitleColour"_s, u"Select the X-Axis title text colour"_s))
    , pnlXLabelColour(
          axisColourPanel(u"pnlXLabelColour"_s, u"Select the X-Axis labels text colour"_s))
    , pnlXAxisColour(axisColourPanel(u"pnlXAxisColour"_s, u"Select the colour of the  X-Axis"_s))
    , edtXTitleFont(new UpDownField(u"edtXTitleFont"_s, u"UDXTitleFont"_s, 8, 40))
    , edtXLabelFont(new UpDownField(u"edtXLabelFont"_s, u"UDXLabelFont"_s, 6, 40))
    , trkXLabelX(
          axisTrackbar(u"trkXLabelX"_s, Qt::Horizontal, u"Move the X-Axis labels left or right."_s))
    , trkXLabelY(
          axisTrackbar(u"trkXLabelY"_s, Qt::Vertical, u"Move the X-Axis labels up or down."_s))
    , edtMaxX(axisNumberEdit(u"edtMaxX"_s, 0, {})) {
    setObjectName(u"TabXAxis"_s);
    edtXTitleFont->setToolTip(u"Set the font size for the X-Axis Title"_s);
    edtXLabelFont->setToolTip(u"Set the font size for the X-Axis labels"_s);

    auto* title = new QHBoxLayout;
    title->addWidget(fieldLabel(u"X-Axis Title"_s, edtXTitle));
    title->addWidget(edtXTitle, 1);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(title);
    layout->addWidget(labelledGroup(u"X-Axis Colours"_s,
                                    {{u"Title Colour"_s, pnlXTitleColour},
                                     {u"Labels Colour"_s, pnlXLabelColour},
                                     {u"Axis Colour"_s, pnlXAxisColour}},
                                    3));
    layout->addWidget(labelledGroup(
        u"X Axis Fonts"_s,
        {{u"Title Font Size"_s, edtXTitleFont}, {u"Labels Font Size"_s, edtXLabelFont}}, 2));
    layout->addWidget(positionGroup(u"X Axis Title Position"_s, trkXTitleX, trkXTitleY));
    layout->addWidget(positionGroup(u"X Axis Labels Position"_s, trkXLabelX, trkXLabelY));
    layout->addWidget(maxLabelsGroup());
    layout->addStretch();
    scrollingBody(this, body);
    bindControls();
    setReadingTabOrder(this);
}

QString XAxisPage::caption() const {
    return u"x-Axis"_s;
}

bool XAxisPage::shownFor(const QString& baseType) const {
    return baseType != u"pie"_s;
}

QWidget* XAxisPage::maxLabelsGroup() {
    auto* layout = new QHBoxLayout;
    layout->addWidget(fieldLabel(u"Maximum number of X-Axis Labels"_s, edtMaxX));
    layout->addWidget(edtMaxX);
    layout->addStretch();
    return compactGroup(u"Number of X Axis Labels"_s, layout);
}

void XAxisPage::bindControls() {
    bindText(
        edtXTitle, u"x-Axis Title"_s, [](auto& d) -> auto& { return d.axes.edtXTitle; });
    bindTrackbar(
        trkXTitleX, [](auto& d) -> auto& { return d.placement.trkXTitleX; });
    bindTrackbar(
        trkXTitleY, [](auto& d) -> auto& { return d.placement.trkXTitleY; });
    bindColour(
        pnlXTitleColour, nullptr, [](auto& d) -> auto& { return d.axes.pnlXTitleColour; });
    bindColour(
        pnlXLabelColour, nullptr, [](auto& d) -> auto& { return d.axes.pnlXLabelColour; });
    bindColour(
        pnlXAxisColour, nullptr, [](auto& d) -> auto& { return d.axes.pnlXAxisColour; });
    bindUpDown(
        edtXTitleFont, [](auto& d) -> auto& { return d.axes.edtXTitleFont; });
    bindUpDown(
        edtXLabelFont, [](auto& d) -> auto& { return d.axes.edtXLabelFont; });
    bindTrackbar(
        trkXLabelX, [](auto& d) -> auto& { return d.placement.trkXLabelX; });
    bindTrackbar(
        trkXLabelY, [](auto& d) -> auto& { return d.placement.trkXLabelY; });
    bindText(
        edtMaxX, u"Number of x-Axis Labels"_s, [](auto& d) -> auto& { return d.axes.edtMaxX; });
    reload();
}

} // namespace tivora
