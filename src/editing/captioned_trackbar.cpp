#include "editing/captioned_trackbar.h"

#include <QLabel>

namespace tivora {

CaptionedTrackbar::CaptionedTrackbar(const QString& name, const QString& captionName,
                                     Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent)
    , m_caption(new QLabel(QString::number(0))) {
    setObjectName(name);
    m_caption->setObjectName(captionName);
    m_caption->setMinimumWidth(m_caption->fontMetrics().horizontalAdvance(QStringLiteral("-000")));
    setPageStep(2);
    // Vertical bars run downwards from their minimum, as the positions they set do; the Up key
    // and the wheel then move the handle up, towards the minimum, as they look to.
    setInvertedAppearance(orientation == Qt::Vertical);
    setInvertedControls(orientation == Qt::Vertical);
    connect(this, &QSlider::valueChanged, m_caption,
            [this](int position) { m_caption->setNum(position); });
}

} // namespace tivora
