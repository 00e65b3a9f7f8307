#include "shell/preview_panel.h"

#include "controls/movie_player.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {

PreviewPanel::PreviewPanel(QWidget* parent)
    : QWidget(parent)
    , ShockwaveFlash1(new MoviePlayer(this))
    , btnRefresh(new QPushButton(u"Refresh"_s, this))
    , btnPreview(new QPushButton(u"Preview"_s, this)) {
    setObjectName(u"Panel9"_s);
    ShockwaveFlash1->setObjectName(u"ShockwaveFlash1"_s);
    ShockwaveFlash1->setFixedSize(337, 231);
    btnRefresh->setObjectName(u"btnRefresh"_s);
    btnRefresh->setToolTip(u"Refresh the preview"_s);
    btnPreview->setObjectName(u"btnPreview"_s);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnRefresh);
    buttons->addWidget(btnPreview);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ShockwaveFlash1, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    layout->addStretch();
}

} // namespace tivora
