#include "windows/tutorial_page_dots.h"

#include <QHBoxLayout>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

constexpr int kDotRoom = 18;
constexpr double kDotRadius = 5.0;

} // namespace

TutorialPageDot::TutorialPageDot(int page, QWidget* parent)
    : QAbstractButton(parent) {
    const QString name = u"Page %1"_s.arg(page + 1);
    setObjectName(u"dotPage%1"_s.arg(page + 1));
    setToolTip(name);
    setAccessibleName(name);
    setCheckable(true);
    setAutoExclusive(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize TutorialPageDot::sizeHint() const {
    return QSize(kDotRoom, kDotRoom);
}

void TutorialPageDot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::WindowText);
    const QPointF centre = QRectF(rect()).center();
    painter.setPen(QPen(ink, 1.5));
    painter.setBrush(isChecked() ? QBrush(ink) : QBrush(Qt::NoBrush));
    painter.drawEllipse(centre, kDotRadius, kDotRadius);
    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
        painter.drawEllipse(centre, kDotRadius + 3, kDotRadius + 3);
    }
}

TutorialPageDots::TutorialPageDots(QWidget* parent)
    : QWidget(parent) {
    setObjectName(u"pnlPageDots"_s);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
}

void TutorialPageDots::setPageCount(int count) {
    if (count == pageCount())
        return;
    qDeleteAll(m_dots);
    m_dots.clear();
    for (int page = 0; page < count; ++page) {
        auto* dot = new TutorialPageDot(page, this);
        layout()->addWidget(dot);
        connect(dot, &QAbstractButton::clicked, this, [this, page] { Q_EMIT pageChosen(page); });
        m_dots.append(dot);
    }
    setCurrentPage(0);
}

void TutorialPageDots::setCurrentPage(int page) {
    if (TutorialPageDot* current = dot(page))
        current->setChecked(true);
}

int TutorialPageDots::currentPage() const {
    for (int page = 0; page < pageCount(); ++page) {
        if (m_dots[page]->isChecked())
            return page;
    }
    return -1;
}

} // namespace tivora
