#pragma once

#include <QImage>
#include <QRect>
#include <functional>

class QPainter;
class QTransform;

namespace tivora::engine {

// Whether the painter paints pixels with its axes kept upright (moved and scaled, not rotated or
// sheared), so a part may be drawn as a picture of whole device pixels and look the same.
bool paintsUprightPixels(const QPainter& painter);

// How many device pixels one unit spans under an upright transform (the larger of its scales).
double deviceScaleOf(const QTransform& toDevice);

// Draws a picture made at the device's own pixels with its top left corner on the device pixel
// at, whatever the painter's transform.
void drawDevicePixels(QPainter& painter, QImage picture, QPoint at);

// Makes the picture of area (device pixels) with pictureOf and draws it. When split, the area's
// left and right halves are made at once, the right one on a thread of Qt's pool: pictureOf must
// then be safe to call from two threads.
void drawInHalves(QPainter& painter, QRect area, bool split,
                  const std::function<QImage(QRect)>& pictureOf);

} // namespace tivora::engine
