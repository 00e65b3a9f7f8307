#include "editing/pie_effects_page.h"

#include "controls/scrolling_body.h"
#include "editing/axis_controls.h"
#include "editing/data_file_choice.h"
#include "editing/page_layout.h"
#include "editing/reading_tab_order.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
PieEffectsPage::PieEffectsPage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , edtPieImage(new QLineEdit)
    , btnFindFile(ellipsisButton(u"btnFindFile"_s, u"Select an image to diplay on the pie."_s))
    , TBPieOverlay(axisTrackbar(u"TBPieOverlay"_s, Qt::Horizontal,
                                u"How transparent the image on the pie must be."_s))
    , rdoShowShadow(
          namedRadio(u"rdoShowShadow"_s, u"Show Shadow"_s, u"Show a shadow of the graph"_s))
    , rdoHideShadow(
          namedRadio(u"rdoHideShadow"_s, u"Hide Shadow"_s, u"Do not show a shadow of the graph"_s))
    , trkShadowAlpha(
          axisTrackbar(u"trkShadowAlpha"_s, Qt::Horizontal, u"How visible should the shadow be."_s))
    , trkShadowUpDown(
          axisTrackbar(u"trkShadowUpDown"_s, Qt::Vertical, u"Move the shadow up or down"_s))
    , trkShadowLeftRight(axisTrackbar(u"trkShadowLeftRight"_s, Qt::Horizontal,
                                      u"Move the shadow left or right"_s)) {
    setObjectName(u"TabPieEffects"_s);
    edtPieImage->setObjectName(u"edtPieImage"_s);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(imageGroup());
    layout->addWidget(shadowGroup());
    layout->addStretch();
    scrollingBody(this, body);
    bindControls();
    setReadingTabOrder(this);
}

QString PieEffectsPage::caption() const {
    return u"Effects"_s;
}

bool PieEffectsPage::shownFor(const QString& baseType) const {
    return baseType == u"pie"_s;
}

QWidget* PieEffectsPage::imageGroup() {
    auto* file = new QHBoxLayout;
    file->setSpacing(2);
    file->addWidget(edtPieImage);
    file->addWidget(btnFindFile);
    auto* layout = new QVBoxLayout;
    layout->addLayout(file);
    layout->addWidget(endedBar(u"How Transparent must the overlay image be?"_s, TBPieOverlay,
                               u"Transparent"_s, u"Opaque"_s));
    return compactGroup(u"Pie Image Overlay"_s, layout);
}

QWidget* PieEffectsPage::shadowGroup() {
    auto* choice = new QHBoxLayout;
    choice->addWidget(rdoShowShadow);
    choice->addWidget(rdoHideShadow);
    choice->addStretch();
    auto* layout = new QVBoxLayout;
    layout->addLayout(choice);
    layout->addWidget(endedBar(u"How Transparent must the shadow be?"_s, trkShadowAlpha,
                               u"Transparent"_s, u"Opaque"_s));

    trkShadowUpDown->setFixedHeight(64);
    auto* offset = new QGridLayout;
    offset->setVerticalSpacing(1);
    offset->addWidget(fieldLabel(u"Left/Right"_s, trkShadowLeftRight), 0, 0);
    offset->addWidget(trkShadowLeftRight, 1, 0);
    offset->addWidget(trkShadowLeftRight->caption(), 1, 1);
    offset->addWidget(fieldLabel(u"Move Down"_s, trkShadowUpDown), 0, 2, Qt::AlignHCenter);
    offset->addWidget(trkShadowUpDown, 1, 2, 2, 1, Qt::AlignHCenter);
    offset->addWidget(trkShadowUpDown->caption(), 1, 3, 2, 1);
    offset->setColumnStretch(0, 1);
    layout->addWidget(compactGroup(u"Offset"_s, offset));
    return compactGroup(u"Shadow"_s, layout);
}

void PieEffectsPage::bindControls() {
    bindLiveText(
        edtPieImage, u"Pie Image"_s, [](auto& d) -> auto& { return d.pie.edtPieImage; });
    connect(btnFindFile, &QPushButton::clicked, this, &PieEffectsPage::btnFindFileClick);
    bindTrackbar(
        TBPieOverlay, [](auto& d) -> auto& { return d.pie.TBPieOverlay; });
    const auto shadow = [](auto& d) -> auto& {
        return d.pie.rdoShowShadow;
    };
    bindChoice(rdoShowShadow, shadow, true);
    bindChoice(rdoHideShadow, shadow, false);
    bindTrackbar(
        trkShadowAlpha, [](auto& d) -> auto& { return d.pie.trkShadowAlpha; });
    bindTrackbar(
        trkShadowUpDown, [](auto& d) -> auto& { return d.pie.trkShadowUpDown; });
    bindTrackbar(
        trkShadowLeftRight, [](auto& d) -> auto& { return d.pie.trkShadowLeftRight; });
    reload();
}

void PieEffectsPage::btnFindFileClick() {
    const QString path = choosePictureFile();
    // Cancel gives no path and changes nothing.
    if (!path.isEmpty())
        edtPieImage->setText(path);
}

} // namespace tivora
