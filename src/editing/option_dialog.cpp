#include "editing/option_dialog.h"

#include "controls/movie_player.h"
#include "document/graph_document_model.h"
#include "editing/page_layout.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tivora {

OptionDialog::OptionDialog(GraphDocumentModel& model, QSize sampleSize, QWidget* parent)
    : QDialog(parent)
    , btnOK(named(new QPushButton(QStringLiteral("OK")), QStringLiteral("btnOK")))
    , btnCancel(named(new QPushButton(QStringLiteral("Cancel")), QStringLiteral("btnCancel")))
    , ShockwaveFlash1(named(new MoviePlayer, QStringLiteral("ShockwaveFlash1")))
    , m_model(model)
    , m_sample(*ShockwaveFlash1) {
    ShockwaveFlash1->setFixedSize(sampleSize);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void OptionDialog::reject() {
    if (m_shownAt)
        m_model.rollBack(*m_shownAt);
    m_shownAt.reset();
    QDialog::reject();
}

void OptionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored by the desktop is no new showing.
    if (event->spontaneous())
        return;
    m_shownAt = m_model.checkpoint();
    m_sample.startShowing();
    FormShow();
}

void OptionDialog::layOut(QVBoxLayout* controls) {
    controls->setSpacing(6);
    controls->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    controls->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(ShockwaveFlash1, 0, Qt::AlignTop);
    layout->addLayout(controls, 1);
    setFixedSize(sizeHint());
}

} // namespace tivora
