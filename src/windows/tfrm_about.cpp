#include "windows/tfrm_about.h"

#include "controls/skins/skin.h"
#include "windows/tivora_logo.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

constexpr QSize kClientSize(377, 223);
constexpr QSize kIconSize(291, 87);

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , Panel1(new QFrame(this))
    , ProgramIcon(new QLabel(Panel1))
    , ProductName(makeLabel(u"ProductName"_s, u"Tivora"_s, Panel1))
    , Copyright(
          makeLabel(u"Copyright"_s, u"Copyright \u00A9 Orvanta. All rights reserved."_s, Panel1))
    , Version(makeLabel(u"Version"_s, u"Version 2.1.1"_s, Panel1))
    , OKButton(new QPushButton(u"OK"_s, this)) {
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"About"_s);
    setFixedSize(kClientSize);

    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    // The logo is drawn for a light ground, whatever the window's own colour.
    Panel1->setBackgroundRole(QPalette::Base);
    Panel1->setAutoFillBackground(true);
    ProgramIcon->setObjectName(u"ProgramIcon"_s);
    ProgramIcon->setFixedSize(kIconSize);
    ProgramIcon->setAlignment(Qt::AlignCenter);
    QFont nameFont = ProductName->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.25);
    ProductName->setFont(nameFont);
    OKButton->setObjectName(u"OKButton"_s);
    OKButton->setDefault(true);

    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(12, 10, 12, 10);
    panelLayout->setSpacing(4);
    panelLayout->addWidget(ProgramIcon, 0, Qt::AlignHCenter);
    panelLayout->addSpacing(4);
    panelLayout->addWidget(ProductName);
    panelLayout->addWidget(Copyright);
    panelLayout->addWidget(Version);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(Panel1, 1);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

// The logo is drawn for the screen the window opens on, so it stays sharp on dense screens; a
// skin may draw a logo of its own instead.
void TfrmAbout::showEvent(QShowEvent* event) {
    appSkin().skinWindow(*this, allSkinKindsBut(SkinKind::Button | SkinKind::Panel),
                         {{ProgramIcon, u"Logo"_s}, {Panel1, u"Panel"_s}});
    ProgramIcon->setPixmap(skinPaintsPicture(*ProgramIcon)
                               ? QPixmap()
                               : TivoraLogo::paint(kIconSize, devicePixelRatio()));
    QDialog::showEvent(event);
}

} // namespace tivora
