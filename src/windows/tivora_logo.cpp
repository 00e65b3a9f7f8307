#include "windows/tivora_logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// The mark is drawn in a square of 100 units.
constexpr qreal kMarkUnits = 100.0;

struct Bar {
    qreal left;
    qreal top;
    QColor light;
    QColor dark;
};

void paintMark(QPainter& painter, const QRectF& square) {
    painter.save();
    painter.translate(square.topLeft());
    painter.scale(square.width() / kMarkUnits, square.height() / kMarkUnits);

    QLinearGradient back(0, 0, 0, kMarkUnits);
    back.setColorAt(0, QColor(0x1F, 0x3A, 0x5F));
    back.setColorAt(1, QColor(0x12, 0x24, 0x3D));
    painter.setPen(Qt::NoPen);
    painter.setBrush(back);
    painter.drawRoundedRect(QRectF(0, 0, kMarkUnits, kMarkUnits), 22, 22);

    const std::array<Bar, 3> bars{{
        {18, 56, QColor(0x4F, 0xC3, 0xF7), QColor(0x02, 0x88, 0xD1)},
        {42, 40, QColor(0x81, 0xE6, 0xB0), QColor(0x1E, 0xA8, 0x6A)},
        {66, 22, QColor(0xFF, 0xC8, 0x5C), QColor(0xF0, 0x8A, 0x24)},
    }};
    for (const Bar& bar : bars) {
        QLinearGradient fill(bar.left, 0, bar.left + 16, 0);
        fill.setColorAt(0, bar.light);
        fill.setColorAt(1, bar.dark);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(bar.left, bar.top, 16, 82 - bar.top), 3, 3);
    }

    QPainterPath trend(QPointF(14, 60));
    trend.cubicTo(QPointF(34, 50), QPointF(46, 36), QPointF(58, 32));
    trend.cubicTo(QPointF(70, 28), QPointF(78, 18), QPointF(88, 12));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(trend);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(88, 12), 5.5, 5.5);
    painter.restore();
}

void paintName(QPainter& painter, const QRectF& area) {
    QFont name(u"DejaVu Sans"_s);
    name.setBold(true);
    name.setPixelSize(int(area.height() * 0.52));
    painter.setFont(name);
    painter.setPen(QColor(0x1F, 0x3A, 0x5F));
    const QRectF nameArea(area.left(), area.top(), area.width(), area.height() * 0.64);
    painter.drawText(nameArea, Qt::AlignLeft | Qt::AlignBottom, u"Tivora"_s);

    QFont tagline(u"DejaVu Sans"_s);
    tagline.setPixelSize(int(area.height() * 0.17));
    tagline.setLetterSpacing(QFont::PercentageSpacing, 130);
    painter.setFont(tagline);
    painter.setPen(QColor(0x4A, 0x6F, 0x96));
    const QRectF taglineArea(area.left() + 2, nameArea.bottom() + area.height() * 0.04,
                             area.width(), area.height() * 0.3);
    painter.drawText(taglineArea, Qt::AlignLeft | Qt::AlignTop, u"ANIMATED GRAPHS"_s);
}

} // namespace

QPixmap TivoraLogo::paint(QSize size, qreal devicePixelRatio) {
    QPixmap logo(size * devicePixelRatio);
    logo.setDevicePixelRatio(devicePixelRatio);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const qreal side = size.height() * 0.86;
    const qreal margin = (size.height() - side) / 2.0;
    paintMark(painter, QRectF(margin, margin, side, side));
    const qreal nameLeft = margin + side + size.height() * 0.18;
    paintName(painter, QRectF(nameLeft, margin, size.width() - nameLeft, side));
    return logo;
}

} // namespace tivora
