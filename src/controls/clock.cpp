#include "controls/clock.h"

#include <QElapsedTimer>
#include <QTimer>

namespace tivora {

namespace {

class SystemTimer final : public ClockTimer {
public:
    explicit SystemTimer(QObject* parent)
        : ClockTimer(parent)
        , m_timer(new QTimer(this)) {
        // Animation frames and page turns are due at their moment, not up to 5% later.
        m_timer->setTimerType(Qt::PreciseTimer);
        connect(m_timer, &QTimer::timeout, this, &ClockTimer::timeout);
    }

    void setInterval(int milliseconds) override { m_timer->setInterval(milliseconds); }
    void setSingleShot(bool singleShot) override { m_timer->setSingleShot(singleShot); }
    void start() override { m_timer->start(); }
    void stop() override { m_timer->stop(); }
    bool isActive() const override { return m_timer->isActive(); }

private:
    QTimer* m_timer;
};

class SystemClock final : public Clock {
public:
    SystemClock() { m_elapsed.start(); }

    qint64 now() const override { return m_elapsed.elapsed(); }
    ClockTimer* createTimer(QObject* parent) override { return new SystemTimer(parent); }

private:
    QElapsedTimer m_elapsed;
};

Clock*& installed() {
    static Clock* clock = nullptr;
    return clock;
}

} // namespace

Clock& appClock() {
    static SystemClock systemClock;
    Clock* clock = installed();
    return clock ? *clock : systemClock;
}

void installClock(Clock* clock) {
    installed() = clock;
}

} // namespace tivora
