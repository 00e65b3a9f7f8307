#include "controls/movie_player.h"

#include "controls/clock.h"
#include "document/program_folder.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tivora {
namespace {

// About sixty frames a second while something moves.
constexpr int kFrameInterval = 16;
constexpr double kSmallestZoom = 0.05;
constexpr double kLargestZoom = 20.0;

} // namespace

MoviePlayer::MoviePlayer(QWidget* parent)
    : QWidget(parent)
    , m_clock(appClock())
    , m_frameTimer(m_clock.createTimer(this)) {
    setMouseTracking(true);
    m_frameTimer->setObjectName(QStringLiteral("frameTimer"));
    m_frameTimer->setInterval(kFrameInterval);
    connect(m_frameTimer, &ClockTimer::timeout, this, [this] {
        update();
        followClock();
    });
}

void MoviePlayer::setMovie(const QString& path) {
    m_path = path;
    m_movie = engine::Movie::load(path);
    m_timeAtPlay = 0.0;
    m_playing = false;
    Play();
    update();
    Q_EMIT movieLoaded(path);
}

void MoviePlayer::reload(const QString& target) {
    Stop();
    setMovie(programDataPath(QStringLiteral("flGraph.swf")));
    Play();
    Stop();
    setMovie(target);
    Zoom(100);
    Play();
}

void MoviePlayer::Play() {
    if (m_playing)
        return;
    m_playing = true;
    m_clockAtPlay = m_clock.now();
    followClock();
}

void MoviePlayer::Stop() {
    m_timeAtPlay = currentTime();
    m_playing = false;
    m_frameTimer->stop();
    update();
}

void MoviePlayer::StopPlay() {
    Stop();
}

void MoviePlayer::Zoom(int percent) {
    // As with the player this stands in for: 0 shows the whole stage again, 50 doubles the size,
    // 200 halves it, and 100 keeps it.
    m_zoom = percent <= 0 ? 1.0 : std::clamp(m_zoom * 100.0 / percent, kSmallestZoom, kLargestZoom);
    update();
}

bool MoviePlayer::isPlaying() const {
    return m_playing;
}

void MoviePlayer::seek(engine::Millis time) {
    m_timeAtPlay = std::max(0.0, time);
    if (m_playing)
        m_clockAtPlay = m_clock.now();
    followClock();
    update();
}

engine::Millis MoviePlayer::currentTime() const {
    return m_playing ? m_timeAtPlay + double(m_clock.now() - m_clockAtPlay) : m_timeAtPlay;
}

// Runs the frame timer exactly while frames still change, so a still movie costs no CPU.
void MoviePlayer::followClock() {
    const bool moving = m_playing && m_movie && currentTime() < m_movie->endTime();
    if (moving && !m_frameTimer->isActive())
        m_frameTimer->start();
    else if (!moving)
        m_frameTimer->stop();
}

QTransform MoviePlayer::stageToWidget() const {
    const QSizeF stage = m_movie ? m_movie->stageSize() : engine::kStageSize;
    const double scale = std::min(width() / stage.width(), height() / stage.height()) * m_zoom;
    QTransform transform;
    transform.translate(width() / 2.0, height() / 2.0);
    transform.scale(scale, scale);
    transform.translate(-stage.width() / 2.0, -stage.height() / 2.0);
    return transform;
}

QPointF MoviePlayer::stagePoint(QPointF widgetPoint) const {
    return stageToWidget().inverted().map(widgetPoint);
}

void MoviePlayer::paintEvent(QPaintEvent* /*event*/) {
    if (!m_movie)
        return;
    // Painted on an image of its own first: the engine paints a frame on an image in one piece,
    // where on the window every large fill would be handed to Qt's thread pool and waited for.
    const qreal ratio = devicePixelRatio();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_frame.size() != pixels) {
        m_frame = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_frame.setDevicePixelRatio(ratio);
    }
    m_frame.fill(Qt::transparent);
    QPainter painter(&m_frame);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.setTransform(stageToWidget());
    painter.setClipRect(QRectF(QPointF(0, 0), m_movie->stageSize()));
    m_movie->paint(painter, currentTime());
    painter.end();
    QPainter(this).drawImage(0, 0, m_frame);
}

void MoviePlayer::mouseMoveEvent(QMouseEvent* event) {
    const bool onLink =
        m_movie && !m_movie->linkAt(stagePoint(event->position()), currentTime()).isEmpty();
    setCursor(onLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

void MoviePlayer::mouseReleaseEvent(QMouseEvent* event) {
    if (m_movie && event->button() == Qt::LeftButton) {
        const QUrl url = m_movie->linkAt(stagePoint(event->position()), currentTime());
        if (!url.isEmpty())
            QDesktopServices::openUrl(url);
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace tivora
