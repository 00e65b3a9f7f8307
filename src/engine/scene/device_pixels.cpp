#include "engine/scene/device_pixels.h"

#include <QPaintDevice>
#include <QPainter>
#include <QSemaphore>
#include <QThreadPool>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace tivora::engine {

bool paintsUprightPixels(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr || painter.deviceTransform().type() > QTransform::TxScale)
        return false;
    const int type = device->devType();
    return type == QInternal::Image || type == QInternal::Pixmap || type == QInternal::Widget;
}

double deviceScaleOf(const QTransform& toDevice) {
    return std::max(std::abs(toDevice.m11()), std::abs(toDevice.m22()));
}

void drawDevicePixels(QPainter& painter, QImage picture, QPoint at) {
    const double ratio = painter.device()->devicePixelRatio();
    picture.setDevicePixelRatio(ratio);
    painter.save();
    painter.resetTransform();
    painter.drawImage(QPointF(at) / ratio, picture);
    painter.restore();
}

void drawInHalves(QPainter& painter, QRect area, bool split,
                  const std::function<QImage(QRect)>& pictureOf) {
    if (!split || area.width() < 2) {
        drawDevicePixels(painter, pictureOf(area), area.topLeft());
        return;
    }
    const int middle = area.left() + area.width() / 2;
    const QRect left(area.topLeft(), QPoint(middle - 1, area.bottom()));
    const QRect right(QPoint(middle, area.top()), area.bottomRight());
    QImage rightPicture;
    QSemaphore rightDone;
    const auto makeRight = [&] {
        rightPicture = pictureOf(right);
        rightDone.release();
    };
    // With no thread free (an export may be using them all) the halves are made one by one.
    if (!QThreadPool::globalInstance()->tryStart(makeRight))
        makeRight();
    drawDevicePixels(painter, pictureOf(left), left.topLeft());
    rightDone.acquire();
    drawDevicePixels(painter, rightPicture, right.topLeft());
}

} // namespace tivora::engine
