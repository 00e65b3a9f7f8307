#include "editing/option_dialog.h"

#include "controls/movie_player.h"
#include "editing/page_layout.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tivora {

OptionDialog::OptionDialog(GraphDocumentModel& model, QSize sampleSize, QWidget* parent)
    : QDialog(parent)
    , btnOK(named(new QPushButton(QStringLiteral("OK")), QStringLiteral("btnOK")))
    , ShockwaveFlash1(named(new MoviePlayer, QStringLiteral("ShockwaveFlash1")))
    , m_model(model)
    , m_sample(*ShockwaveFlash1) {
    ShockwaveFlash1->setFixedSize(sampleSize);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

void OptionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored by the desktop is no new showing.
    if (event->spontaneous())
        return;
    m_sample.startShowing();
    FormShow();
}

void OptionDialog::layOut(QVBoxLayout* controls) {
    controls->setSpacing(6);
    controls->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    controls->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(ShockwaveFlash1, 0, Qt::AlignTop);
    layout->addLayout(controls, 1);
    setFixedSize(sizeHint());
}

} // namespace tivora
