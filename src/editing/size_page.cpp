#include "editing/size_page.h"

#include "controls/scrolling_body.h"
#include "editing/axis_controls.h"
#include "editing/page_layout.h"
#include "editing/reading_tab_order.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {

SizePage::SizePage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , trkGX(axisTrackbar(u"trkGX"_s, Qt::Horizontal, u"Move the graph left or right"_s))
    , trkGY(axisTrackbar(u"trkGY"_s, Qt::Vertical, u"Move the graph up or down"_s))
    , trkScaleGraph(axisTrackbar(u"trkScaleGraph"_s, Qt::Vertical,
                                 u"Make the graph itself bigger or smaller."_s)) {
    setObjectName(u"TabSize"_s);
    auto* note = new QLabel(u"Move the graph up or down, left or right.  You may need to do this "
                            "when you add a header if it overlaps the graph."_s);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(positionGroup(u"Graph Position"_s, trkGX, trkGY, note));
    layout->addWidget(sizeGroup());
    layout->addStretch();
    scrollingBody(this, body);
    bindControls();
    setReadingTabOrder(this);
}

QString SizePage::caption() const {
    return u"Size"_s;
}

bool SizePage::shownFor(const QString&) const {
    return true;
}

QWidget* SizePage::sizeGroup() {
    // The scale grows upwards, as a size does.
    trkScaleGraph->setInvertedAppearance(false);
    trkScaleGraph->setFixedHeight(80);
    auto* percent = new QHBoxLayout;
    percent->setSpacing(1);
    percent->addWidget(trkScaleGraph->caption());
    percent->addWidget(new QLabel(u"%"_s));
    auto* layout = new QHBoxLayout;
    layout->addWidget(trkScaleGraph);
    layout->addLayout(percent);
    layout->addStretch();
    return compactGroup(u"Graph Size"_s, layout);
}

void SizePage::bindControls() {
    bindTrackbar(
        trkGX, [](auto& d) -> auto& { return d.placement.trkGX; });
    bindTrackbar(
        trkGY, [](auto& d) -> auto& { return d.placement.trkGY; });
    bindTrackbar(
        trkScaleGraph, [](auto& d) -> auto& { return d.placement.trkScaleGraph; });
    reload();
}

} // namespace tivora
