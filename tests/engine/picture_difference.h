#pragma once

// How far two pictures of the same size lie apart, pixel by pixel: for the tests that compare a
// picture drawn one way with the same picture drawn another.
#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdlib>

namespace tivora::test {

// The largest difference of any channel between the two pictures within an area, where it
// lies, and the mean of those differences over the area.
struct PictureDifference {
    int largest = 0;
    QPoint where;
    double mean = 0;

    QByteArray describe() const {
        return QStringLiteral("%1 at %2,%3, mean %4")
            .arg(largest)
            .arg(where.x())
            .arg(where.y())
            .arg(mean)
            .toUtf8();
    }
};

inline PictureDifference differenceOf(const QImage& a, const QImage& b, QRect area = {}) {
    if (area.isNull())
        area = a.rect();
    PictureDifference difference;
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int channel =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            sum += channel;
            if (channel > difference.largest) {
                difference.largest = channel;
                difference.where = {x, y};
            }
        }
    }
    difference.mean = sum / (double(area.width()) * area.height());
    return difference;
}

} // namespace tivora::test
