#include "editing/template_picture.h"

#include "controls/skins/skin.h"
#include "document/program_folder.h"
#include "engine/render/render.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

constexpr QSize kPictureSize(168, 114);
constexpr int kCaptionHeight = 22;
constexpr int kMargin = 4;
// Drawn larger and scaled down, so that lines and text come out smooth at the small size.
constexpr int kDrawWidth = 2 * kPictureSize.width();

} // namespace

TemplatePicture::TemplatePicture(const QString& name, const QString& caption,
                                 const QString& templateFile, QWidget* parent)
    : QWidget(parent)
    , m_caption(caption)
    , m_templateFile(templateFile) {
    setObjectName(name);
    setAccessibleName(caption);
    setToolTip(caption);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setFixedSize(sizeHint());
}

QSize TemplatePicture::sizeHint() const {
    return {kPictureSize.width() + 2 * kMargin,
            kPictureSize.height() + kCaptionHeight + 2 * kMargin};
}

void TemplatePicture::drawTemplate() {
    if (m_drawn)
        return;
    m_drawn = true;
    engine::RenderOptions options;
    options.width = kDrawWidth;
    const QImage full = engine::renderImage(programFolder() + m_templateFile, options);
    if (!full.isNull())
        m_picture = full.scaled(kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    update();
}

QRect TemplatePicture::pictureRect() const {
    return {QPoint(kMargin, kMargin), kPictureSize};
}

void TemplatePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A skin that draws this panel's picture has painted it as the panel's ground; only the
    // caption goes on it.
    if (!skinPaintsPicture(*this))
        paintOwnPicture(painter);
    painter.setPen(palette().color(QPalette::Text));
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QRect picture = pictureRect();
    const QRect captionRect(kMargin, picture.bottom() + 1, picture.width(), kCaptionHeight);
    painter.drawText(captionRect, Qt::AlignCenter, m_caption);
}

void TemplatePicture::paintOwnPicture(QPainter& painter) const {
    const QRect frame = rect().adjusted(1, 1, -1, -1);
    const QColor highlight = palette().color(QPalette::Highlight);
    painter.setPen(hasFocus() || m_hovered ? QPen(highlight, 2) : QPen(QColor(0xC8C8C8), 1));
    painter.setBrush(m_hovered ? highlight.lighter(190) : palette().color(QPalette::Base));
    painter.drawRoundedRect(frame, 4, 4);
    const QRect picture = pictureRect();
    painter.fillRect(picture, Qt::white);
    if (!m_picture.isNull()) {
        QRect placed(QPoint(), m_picture.size());
        placed.moveCenter(picture.center());
        painter.drawImage(placed, m_picture);
    }
}

void TemplatePicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT chosen();
}

void TemplatePicture::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Q_EMIT chosen();
        return;
    // The arrows move between the pictures as Tab and Shift+Tab do.
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextChild();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusPreviousChild();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TemplatePicture::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QWidget::enterEvent(event);
}

void TemplatePicture::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QWidget::leaveEvent(event);
}

} // namespace tivora
