#include "editing/effects_page.h"

#include "controls/scrolling_body.h"
#include "editing/data_file_choice.h"
#include "editing/page_layout.h"
#include "editing/reading_tab_order.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// The shading types, in the order of the indexes the graph file carries.
const QStringList& shadingTypes() {
    static const QStringList types = {
        u"vertical 1"_s,   u"vertical 2"_s,   u"circular"_s,          u"reversed circular"_s,
        u"horizontal 1"_s, u"horizontal 2"_s, u"diagonal 1"_s,        u"diagonal 2"_s,
        u"diagonal 3"_s,   u"diagonal 4"_s,   u"Sunburst top left"_s, u"Sunburst top right"_s};
    return types;
}

// Photo edit index of effects (0 to 2), for reading as for writing.
template <typename Effects> auto& imageOf(Effects& effects, int index) {
    return index == 0 ? effects.edtBImage1 : (index == 1 ? effects.edtBImage2 : effects.edtBImage3);
}

CaptionedTrackbar* opacityBar(const QString& name, const QString& captionName, int pageStep,
                              const QString& hint) {
    auto* bar = new CaptionedTrackbar(name, captionName, Qt::Horizontal);
    bar->setPageStep(pageStep);
    bar->setToolTip(hint);
    return bar;
}

} // namespace

EffectsPage::EffectsPage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , pnlGBackColor(new ColourPanelLabel(u"pnlGBackColor"_s))
    , btnGBackColour(
          ellipsisButton(u"btnGBackColour"_s,
                         u"Set the grahs background colour - If no photos or behind photos."_s))
    , sbShading(opacityBar(u"sbShading"_s, u"lblShading"_s, 5, u"Set the shading depth"_s))
    , cbShading(new QComboBox)
    , edtBImage{named(new QLineEdit, u"edtBImage1"_s), named(new QLineEdit, u"edtBImage2"_s),
                named(new QLineEdit, u"edtBImage3"_s)}
    , btnBImage{ellipsisButton(
                    u"btnBImage1"_s,
                    u"Select a background image for the graph. Images rotate on a timer"_s),
                ellipsisButton(
                    u"btnBImage2"_s,
                    u"Select a background image for the graph.  Images rotate on a timer"_s),
                ellipsisButton(
                    u"btnBImage3"_s,
                    u"Select a background image for the graph. Images rotate on a timer"_s)}
    , trkBImageAlpha(opacityBar(u"trkBImageAlpha"_s, u"lblBImageAlpha"_s, 2,
                                u"How strongly must the images display."_s))
    , edtBOverlay(named(new QLineEdit, u"edtBOverlay"_s))
    , btnBOverlay(ellipsisButton(u"btnBOverlay"_s, u"Select a flash background effect."_s))
    , trkBOverlayAlpha(opacityBar(u"trkBOverlayAlpha"_s, u"lblBOverlayAlpha"_s, 2,
                                  u"How visible must the background flash effect be"_s)) {
    setObjectName(u"TabBarEffects"_s);
    pnlGBackColor->setToolTip(btnGBackColour->toolTip());
    cbShading->setObjectName(u"cbShading"_s);
    cbShading->setToolTip(u"Select a type of shading for the background colour"_s);
    cbShading->addItems(shadingTypes());
    edtBOverlay->installEventFilter(this);
    connect(btnBOverlay, &QPushButton::clicked, this, &EffectsPage::btnBOverlayClick);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(backgroundGroup());
    layout->addWidget(imagesGroup());
    layout->addWidget(overlayGroup());
    layout->addStretch();
    scrollingBody(this, body);
    bindControls();
    setReadingTabOrder(this);
}

QString EffectsPage::caption() const {
    return u"Effects"_s;
}

bool EffectsPage::shownFor(const QString& baseType) const {
    return baseType != u"pie"_s;
}

bool EffectsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtBOverlay && event->type() == QEvent::MouseButtonPress)
        refresh();
    return BoundPage::eventFilter(watched, event);
}

QWidget* EffectsPage::backgroundGroup() {
    auto* colour = new QHBoxLayout;
    colour->addWidget(fieldLabel(u"Background Colour"_s, btnGBackColour));
    colour->addWidget(pnlGBackColor);
    colour->addWidget(btnGBackColour);
    colour->addStretch();
    auto* shading = new QHBoxLayout;
    shading->addWidget(endedBar(u"Level of Shading"_s, sbShading, u"None"_s, u"Max"_s), 1);
    shading->addWidget(cbShading, 0, Qt::AlignVCenter);
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(compactGroup(u"Graph background"_s, colour));
    layout->addWidget(compactGroup(u"Background Shading"_s, shading));
    return widget;
}

QWidget* EffectsPage::imagesGroup() {
    auto* layout = new QGridLayout;
    for (int index = 0; index < 3; ++index) {
        layout->addWidget(fieldLabel(QString::number(index + 1), edtBImage[std::size_t(index)]),
                          index, 0);
        layout->addWidget(edtBImage[std::size_t(index)], index, 1);
        layout->addWidget(btnBImage[std::size_t(index)], index, 2);
    }
    layout->addWidget(endedBar(u"How Transparent must the images be?"_s, trkBImageAlpha,
                               u"Transparent"_s, u"Opaque"_s),
                      3, 0, 1, 3);
    return compactGroup(u"Background Images"_s, layout);
}

QWidget* EffectsPage::overlayGroup() {
    auto* name = new QHBoxLayout;
    name->addWidget(fieldLabel(u"Name"_s, edtBOverlay));
    name->addWidget(edtBOverlay, 1);
    name->addWidget(btnBOverlay);
    auto* layout = new QVBoxLayout;
    layout->addLayout(name);
    layout->addWidget(endedBar(u"How Transparent must the overlay effect be?"_s, trkBOverlayAlpha,
                               u"Transparent"_s, u"Opaque"_s));
    return compactGroup(u"Background Overlay Effect"_s, layout);
}

void EffectsPage::bindControls() {
    bindColour(
        pnlGBackColor, btnGBackColour, [](auto& d) -> auto& { return d.effects.pnlGBackColor; });
    bindTrackbar(
        sbShading, [](auto& d) -> auto& { return d.effects.sbShading; });
    addLoader([this](const GraphDocument& d) { cbShading->setCurrentIndex(d.effects.cbShading); });
    connect(cbShading, &QComboBox::currentIndexChanged, this, [this](int index) {
        edit([index](GraphDocument& d) { d.effects.cbShading = index; });
    });
    for (int index = 0; index < 3; ++index)
        bindImage(index);
    bindTrackbar(
        trkBImageAlpha, [](auto& d) -> auto& { return d.effects.trkBImageAlpha; });
    bindText(
        edtBOverlay, u"Background Overlay Effect"_s,
        [](auto& d) -> auto& { return d.effects.edtBOverlay; });
    bindTrackbar(
        trkBOverlayAlpha, [](auto& d) -> auto& { return d.effects.trkBOverlayAlpha; });
    reload();
}

void EffectsPage::bindImage(int index) {
    const auto access = [index](auto& d) -> auto& {
        return imageOf(d.effects, index);
    };
    bindText(edtBImage[std::size_t(index)], u"Background Image %1"_s.arg(index + 1), access);
    connect(btnBImage[std::size_t(index)], &QPushButton::clicked, this,
            [this, index] { btnBImageClick(index); });
}

void EffectsPage::btnBImageClick(int index) {
    QLineEdit* field = edtBImage[std::size_t(index)];
    const QString path = choosePictureFile();
    const QString fieldName = u"Background Image %1"_s.arg(index + 1);
    if (path.isEmpty() || !acceptText(field, fieldName, path)) {
        refresh();
        return;
    }
    const QString native = QDir::toNativeSeparators(path);
    field->setText(native);
    edit([index, &native](GraphDocument& d) { imageOf(d.effects, index) = native; });
}

void EffectsPage::btnBOverlayClick() {
    const QString fileName = chooseEffectFile();
    if (!fileName.isEmpty())
        setEffect(fileName);
}

void EffectsPage::setEffect(const QString& fileName) {
    if (!acceptText(edtBOverlay, u"Background Overlay Effect"_s, fileName))
        return;
    edtBOverlay->setText(fileName);
    edit([&fileName](GraphDocument& d) { d.effects.edtBOverlay = fileName; });
}

} // namespace tivora
