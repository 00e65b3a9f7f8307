#pragma once

#include "engine/movies/movie.h"

#include <QImage>
#include <QWidget>
#include <memory>

namespace tivora {

class Clock;
class ClockTimer;

// The player a window hosts to show a movie of the Data folder. Setting the movie loads it afresh
// every time, even with the same path, so a reload shows what the files hold now. The movie is
// scaled to show all of its stage, aspect kept and centred. A timer runs only while the movie
// still changes, so a still movie costs no CPU. The time and the timer come from the clock the
// program had installed when the player was made.
class MoviePlayer : public QWidget {
    Q_OBJECT

public:
    explicit MoviePlayer(QWidget* parent = nullptr);

    // "put Movie": loads path and starts it.
    void setMovie(const QString& path);
    QString movie() const { return m_path; }

    void Play();
    void Stop();
    // A relative zoom in per cent; 100 keeps the scale.
    void Zoom(int percent);
    // Halts playback before a screen snapshot.
    void StopPlay();

    // Shows target afresh the way every window reloads its player: stop, the blank movie played
    // and stopped, then the target, zoomed to 100 and played. Passing through the blank movie
    // makes a movie that reads a variables file read it again even when its path is unchanged.
    void reload(const QString& target);

    bool isPlaying() const;
    // Goes to time in the movie; a playing movie plays on from there.
    void seek(engine::Millis time);
    engine::Millis currentTime() const;

    // The stage point shown at a widget point, for the current size and zoom.
    QPointF stagePoint(QPointF widgetPoint) const;

Q_SIGNALS:
    void movieLoaded(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QTransform stageToWidget() const;
    void followClock();

    QString m_path;
    std::unique_ptr<engine::Movie> m_movie;
    Clock& m_clock;
    ClockTimer* m_frameTimer;          // a child, named "frameTimer"
    qint64 m_clockAtPlay = 0;          // the clock's time at the last Play or seek
    QImage m_frame;                    // the frame as painted, before it is shown
    engine::Millis m_timeAtPlay = 0.0; // movie time when the clock was started
    bool m_playing = false;
    double m_zoom = 1.0;
};

} // namespace tivora
