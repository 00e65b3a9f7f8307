#include "editing/type_page.h"

#include "controls/scrolling_body.h"
#include "editing/page_layout.h"
#include "editing/reading_tab_order.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {} // namespace

TypePage::TypePage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , edtHeader(named(new QLineEdit, u"edtHeader"_s, u"Header text - Leave blank for no header"_s))
    , rdoHeaderTop(namedRadio(u"rdoHeaderTop"_s, u"Top"_s, u"Position the header at the top"_s))
    , rdoHeaderBottom(
          namedRadio(u"rdoHeaderBottom"_s, u"Bottom"_s, u"Position the header at the bottom"_s))
    , rdoHeaderLeft(namedRadio(u"rdoHeaderLeft"_s, u"Left"_s,
                               u"Position the header on the left (vertically)"_s))
    , rdoHeaderRight(namedRadio(u"rdoHeaderRight"_s, u"Right"_s,
                                u"Position the header on the right (vertically)"_s))
    , pnlHeaderFontColour(new ColourPanelLabel(u"pnlHeaderFontColour"_s))
    , btnHeadFontColour(ellipsisButton(u"btnHeadFontColour"_s, u"Select the header text colour."_s))
    , pnlHeaderBackColour(new ColourPanelLabel(u"pnlHeaderBackColour"_s))
    , btnHeaderBackColour(
          ellipsisButton(u"btnHeaderBackColour"_s, u"Select the header background colour."_s))
    , edtFooter(named(new QLineEdit, u"edtFooter"_s, u"Footer Text - Leave Blank for no footer"_s))
    , pnlFootColor(new ColourPanelLabel(u"pnlFootColor"_s))
    , btnFootTxtColor(ellipsisButton(u"btnFootTxtColor"_s, u"Select the footer text colour."_s))
    , pnlBackColour(new ColourPanelLabel(u"pnlBackColour"_s))
    , btnBackGroundColour(
          ellipsisButton(u"btnBackGroundColour"_s, u"Select the graph background colour."_s))
    , chkBGTrans(new QCheckBox(u"Transparent"_s)) {
    setObjectName(u"TabType"_s);
    chkBGTrans->setObjectName(u"chkBGTrans"_s);
    chkBGTrans->setToolTip(u"No background"_s);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(headerGroup());
    layout->addWidget(footerGroup());
    layout->addWidget(backgroundGroup());
    layout->addStretch();
    scrollingBody(this, body);
    bindControls();
    setReadingTabOrder(this);
}

QString TypePage::caption() const {
    return u"Type"_s;
}

bool TypePage::shownFor(const QString&) const {
    return true;
}

void TypePage::addColourRow(QGridLayout* layout, int row, const QString& label,
                            ColourPanelLabel* panel, QPushButton* button) {
    layout->addWidget(fieldLabel(label, button), row, 0);
    layout->addWidget(panel, row, 1);
    layout->addWidget(button, row, 2);
    layout->setColumnStretch(3, 1);
}

QWidget* TypePage::headerGroup() {
    auto* colours = new QGridLayout;
    addColourRow(colours, 0, u"Text Colour"_s, pnlHeaderFontColour, btnHeadFontColour);
    addColourRow(colours, 1, u"Background Colour"_s, pnlHeaderBackColour, btnHeaderBackColour);
    auto* layout = new QVBoxLayout;
    layout->addWidget(edtHeader);
    layout->addWidget(positionGroup());
    layout->addLayout(colours);
    return compactGroup(u"Header"_s, layout);
}

QWidget* TypePage::positionGroup() {
    auto* layout = new QHBoxLayout;
    for (QRadioButton* button : {rdoHeaderTop, rdoHeaderBottom, rdoHeaderLeft, rdoHeaderRight})
        layout->addWidget(button);
    return compactGroup(u"Position"_s, layout);
}

QWidget* TypePage::footerGroup() {
    auto* colours = new QGridLayout;
    addColourRow(colours, 0, u"Text colour"_s, pnlFootColor, btnFootTxtColor);
    auto* layout = new QVBoxLayout;
    layout->addWidget(edtFooter);
    layout->addLayout(colours);
    return compactGroup(u"Footer"_s, layout);
}

QWidget* TypePage::backgroundGroup() {
    auto* layout = new QHBoxLayout;
    layout->addWidget(pnlBackColour);
    layout->addWidget(btnBackGroundColour);
    layout->addSpacing(12);
    layout->addWidget(chkBGTrans);
    layout->addStretch();
    return compactGroup(u"Background Colour"_s, layout);
}

void TypePage::bindControls() {
    bindText(
        edtHeader, u"Header"_s, [](auto& d) -> auto& { return d.header.edtHeader; });
    const auto position = [](auto& d) -> auto& {
        return d.header.headerPosition;
    };
    bindChoice(rdoHeaderTop, position, HeaderPosition::Top);
    bindChoice(rdoHeaderBottom, position, HeaderPosition::Bottom);
    bindChoice(rdoHeaderLeft, position, HeaderPosition::Left);
    bindChoice(rdoHeaderRight, position, HeaderPosition::Right);
    bindColour(
        pnlHeaderFontColour, btnHeadFontColour,
        [](auto& d) -> auto& { return d.header.pnlHeaderFontColour; });
    bindColour(
        pnlHeaderBackColour, btnHeaderBackColour,
        [](auto& d) -> auto& { return d.header.pnlHeaderBackColour; });
    bindText(
        edtFooter, u"Footer"_s, [](auto& d) -> auto& { return d.header.edtFooter; });
    bindColour(
        pnlFootColor, btnFootTxtColor, [](auto& d) -> auto& { return d.header.pnlFootColor; });
    bindColour(
        pnlBackColour, btnBackGroundColour,
        [](auto& d) -> auto& { return d.header.pnlBackColour; });
    bindCheck(
        chkBGTrans, [](auto& d) -> auto& { return d.header.chkBGTrans; });
    reload();
}

} // namespace tivora
