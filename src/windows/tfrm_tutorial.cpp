#include "windows/tfrm_tutorial.h"

#include "controls/movie_player.h"
#include "controls/skin.h"
#include "document/program_folder.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

constexpr QSize kClientSize(580, 491);
constexpr QSize kPlayerSize(580, 450);

} // namespace

TfrmTutorial::TfrmTutorial(QWidget* parent)
    : QDialog(parent)
    , ShockwaveFlash1(new MoviePlayer)
    , btnOK(new QPushButton(u"&OK"_s)) {
    setObjectName(u"frmTutorial"_s);
    setWindowTitle(u"Tutorial"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setFixedSize(kClientSize);
    ShockwaveFlash1->setObjectName(u"ShockwaveFlash1"_s);
    ShockwaveFlash1->setFixedSize(kPlayerSize);
    btnOK->setObjectName(u"btnOK"_s);
    btnOK->setDefault(true);

    auto* bottom = new QWidget;
    bottom->setObjectName(u"Panel1"_s);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ShockwaveFlash1);
    layout->addWidget(bottom);
    connect(btnOK, &QPushButton::clicked, this, &TfrmTutorial::btnOKClick);
}

void TfrmTutorial::btnOKClick() {
    hide();
}

void TfrmTutorial::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmTutorial::FormShow() {
    appSkin().skinWindow(*this, allSkinKindsBut(SkinKind::Button));
    ShockwaveFlash1->Stop();
    ShockwaveFlash1->setMovie(programDataPath(u"flGraph.swf"_s));
    ShockwaveFlash1->Play();
    ShockwaveFlash1->Stop();
    ShockwaveFlash1->setMovie(tutorialMovie);
    ShockwaveFlash1->Zoom(100);
    ShockwaveFlash1->Play();
}

} // namespace tivora
