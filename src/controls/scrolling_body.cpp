#include "controls/scrolling_body.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace tivora {

QScrollArea* scrollingBody(QWidget* page, QWidget* body) {
    auto* scroll = new QScrollArea;
    scroll->setWidget(body);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return scroll;
}

} // namespace tivora
