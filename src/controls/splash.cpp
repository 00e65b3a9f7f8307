#include "controls/splash.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRadialGradient>
#include <QScreen>
#include <QSplashScreen>
#include <array>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

constexpr QSize kSplashSize(520, 300);
const QColor kInk(0x12, 0x24, 0x3D);
const QColor kNavy(0x1F, 0x3A, 0x5F);

struct Bar {
    qreal height;
    QColor light;
    QColor dark;
};

void paintGround(QPainter& painter) {
    QLinearGradient ground(0, 0, kSplashSize.width(), kSplashSize.height());
    ground.setColorAt(0, kNavy);
    ground.setColorAt(1, kInk);
    painter.fillRect(QRect(QPoint(), kSplashSize), ground);
    // A soft light behind the motif.
    QRadialGradient glow(QPointF(382, 128), 190);
    glow.setColorAt(0, QColor(0x4F, 0xC3, 0xF7, 60));
    glow.setColorAt(1, QColor(0x4F, 0xC3, 0xF7, 0));
    painter.fillRect(QRect(QPoint(), kSplashSize), glow);
}

// Four rising bars on a base line, a trend line over them, and a pie beside them.
void paintMotif(QPainter& painter) {
    const std::array<Bar, 4> bars{{
        {46, QColor(0x4F, 0xC3, 0xF7), QColor(0x02, 0x88, 0xD1)},
        {74, QColor(0x81, 0xE6, 0xB0), QColor(0x1E, 0xA8, 0x6A)},
        {62, QColor(0x4F, 0xC3, 0xF7), QColor(0x02, 0x88, 0xD1)},
        {108, QColor(0xFF, 0xC8, 0x5C), QColor(0xF0, 0x8A, 0x24)},
    }};
    constexpr qreal kBase = 190;
    constexpr qreal kLeft = 290;
    constexpr qreal kWidth = 22;
    constexpr qreal kStep = 32;
    painter.setPen(Qt::NoPen);
    QPainterPath trend;
    for (std::size_t index = 0; index < bars.size(); ++index) {
        const qreal left = kLeft + qreal(index) * kStep;
        QLinearGradient fill(left, 0, left + kWidth, 0);
        fill.setColorAt(0, bars[index].light);
        fill.setColorAt(1, bars[index].dark);
        painter.setBrush(fill);
        const QRectF bar(left, kBase - bars[index].height, kWidth, bars[index].height);
        painter.drawRoundedRect(bar, 3, 3);
        const QPointF top(bar.center().x(), bar.top() - 14);
        if (index == 0)
            trend.moveTo(top);
        else
            trend.lineTo(top);
    }
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1.5));
    painter.drawLine(QPointF(kLeft - 10, kBase + 0.5), QPointF(kLeft + 4 * kStep, kBase + 0.5));
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(trend);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(trend.currentPosition(), 4.5, 4.5);

    const QRectF pie(428, 92, 56, 56);
    const std::array<std::pair<int, QColor>, 3> slices{{
        {200, QColor(0xFF, 0xC8, 0x5C)},
        {100, QColor(0x4F, 0xC3, 0xF7)},
        {60, QColor(0x81, 0xE6, 0xB0)},
    }};
    int start = 90;
    painter.setPen(QPen(kInk, 2));
    for (const auto& [span, colour] : slices) {
        painter.setBrush(colour);
        painter.drawPie(pie, start * 16, span * 16);
        start += span;
    }
}

void paintText(QPainter& painter) {
    QFont name(u"DejaVu Sans"_s);
    name.setBold(true);
    name.setPixelSize(40);
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(34, 92, 260, 48), Qt::AlignLeft | Qt::AlignBottom, u"Tivora"_s);
    QFont product(u"DejaVu Sans"_s);
    product.setPixelSize(24);
    painter.setFont(product);
    painter.setPen(QColor(0xB8, 0xD4, 0xF0));
    painter.drawText(QRectF(36, 140, 260, 32), Qt::AlignLeft | Qt::AlignTop, u"Designer"_s);

    QFont line(u"DejaVu Sans"_s);
    line.setPixelSize(12);
    line.setLetterSpacing(QFont::PercentageSpacing, 120);
    painter.setFont(line);
    painter.setPen(QColor(0x9C, 0xB6, 0xD3));
    painter.drawText(QRectF(36, 184, 260, 20), Qt::AlignLeft | Qt::AlignTop,
                     u"ANIMATED BUSINESS GRAPHS"_s);
    line.setLetterSpacing(QFont::PercentageSpacing, 100);
    painter.setFont(line);
    painter.setPen(QColor(255, 255, 255, 40));
    painter.drawLine(QPointF(34, 246), QPointF(kSplashSize.width() - 34, 246));
    painter.setPen(QColor(0x9C, 0xB6, 0xD3));
    painter.drawText(QRectF(34, 256, kSplashSize.width() - 68, 20), Qt::AlignLeft,
                     u"Starting\u2026"_s);
    painter.drawText(QRectF(34, 256, kSplashSize.width() - 68, 20), Qt::AlignRight,
                     u"Version 2.1.1"_s);
}

QPointer<QSplashScreen>& shownSplash() {
    static QPointer<QSplashScreen> splash;
    return splash;
}

} // namespace

QPixmap paintSplashPicture(qreal devicePixelRatio) {
    QPixmap picture(kSplashSize * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintGround(painter);
    paintMotif(painter);
    paintText(painter);
    return picture;
}

void showSplash() {
    if (shownSplash())
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    auto* splash = new QSplashScreen(paintSplashPicture(screen ? screen->devicePixelRatio() : 1.0));
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    // Shown now: the program builds its windows before it next returns to the event loop.
    QCoreApplication::processEvents();
    shownSplash() = splash;
}

void endSplash() {
    if (QSplashScreen* splash = shownSplash())
        splash->close();
}

} // namespace tivora
