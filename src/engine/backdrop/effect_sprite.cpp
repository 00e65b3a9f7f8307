#include "engine/backdrop/effect_sprite.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace tivora::engine {
namespace {

QColor alpha(QColor color, int value) {
    color.setAlpha(value);
    return color;
}

void paintGlow(QPainter& painter, const QColor& color, const QPointF& centre, double radius,
               int core) {
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0.0, alpha(color, core));
    glow.setColorAt(0.35, alpha(color, core * 2 / 3));
    glow.setColorAt(1.0, alpha(color, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
}

void paintBubble(QPainter& painter, const QColor& color, const QPointF& c, double r) {
    QRadialGradient inside(c, r);
    inside.setColorAt(0.0, alpha(color, 10));
    inside.setColorAt(0.8, alpha(color, 45));
    inside.setColorAt(1.0, alpha(color, 150));
    painter.setBrush(inside);
    painter.setPen(QPen(alpha(color, 190), 2.5));
    painter.drawEllipse(c, r - 2, r - 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(c + QPointF(-r * 0.38, -r * 0.4), r * 0.2, r * 0.12);
}

void paintFlake(QPainter& painter, const QColor& color, const QPointF& c, double r) {
    paintGlow(painter, color, c, r * 0.5, 120);
    painter.setPen(QPen(alpha(color, 235), 3.0, Qt::SolidLine, Qt::RoundCap));
    for (int arm = 0; arm < 6; ++arm) {
        const double a = arm * std::numbers::pi / 3.0;
        const QPointF dir(std::cos(a), std::sin(a));
        const QPointF tip = c + dir * (r * 0.9);
        painter.drawLine(c, tip);
        const QPointF fork = c + dir * (r * 0.55);
        for (const double side : {-0.6, 0.6}) {
            const QPointF branch(std::cos(a + side), std::sin(a + side));
            painter.drawLine(fork, fork + branch * (r * 0.28));
        }
    }
}

void paintStar(QPainter& painter, const QColor& color, const QPointF& c, double r) {
    paintGlow(painter, color, c, r * 0.7, 140);
    QPainterPath star;
    star.moveTo(c + QPointF(0, -r));
    star.lineTo(c + QPointF(r * 0.12, -r * 0.12));
    star.lineTo(c + QPointF(r, 0));
    star.lineTo(c + QPointF(r * 0.12, r * 0.12));
    star.lineTo(c + QPointF(0, r));
    star.lineTo(c + QPointF(-r * 0.12, r * 0.12));
    star.lineTo(c + QPointF(-r, 0));
    star.lineTo(c + QPointF(-r * 0.12, -r * 0.12));
    star.closeSubpath();
    painter.fillPath(star, alpha(color.lighter(130), 250));
}

} // namespace

QImage makeEffectSprite(ParticleShape shape, const QColor& color) {
    QImage sprite(kEffectSpriteSize, kEffectSpriteSize, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = kEffectSpriteSize / 2.0;
    const QPointF c(r, r);
    switch (shape) {
    case ParticleShape::Dot:
        paintGlow(painter, color, c, r, 230);
        break;
    case ParticleShape::Spark:
        paintGlow(painter, color, c, r, 160);
        paintGlow(painter, color.lighter(160), c, r * 0.3, 255);
        break;
    case ParticleShape::Bubble:
        paintBubble(painter, color, c, r);
        break;
    case ParticleShape::Flake:
        paintFlake(painter, color, c, r);
        break;
    case ParticleShape::Star:
        paintStar(painter, color, c, r);
        break;
    case ParticleShape::Square:
        painter.fillRect(QRectF(r * 0.2, r * 0.55, r * 1.6, r * 0.9), alpha(color, 240));
        break;
    case ParticleShape::Ring:
        painter.setPen(QPen(alpha(color, 220), 4.0));
        painter.drawEllipse(c, r - 3, r - 3);
        break;
    }
    return sprite;
}

} // namespace tivora::engine
