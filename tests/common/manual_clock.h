#pragma once

#include "controls/clock.h"

#include <QList>
#include <QPointer>
#include <algorithm>
#include <optional>

namespace tivora::test {

// A clock that stands still until the test moves it on. Made before the windows under test, it
// is the clock they take their time and timers from; it installs itself for its lifetime, so it
// must outlive them.
class ManualClock final : public Clock {
public:
    ManualClock() { installClock(this); }
    ~ManualClock() override { installClock(nullptr); }
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    qint64 now() const override { return m_now; }

    ClockTimer* createTimer(QObject* parent) override {
        auto* timer = new Timer(*this, parent);
        m_timers.append(timer);
        return timer;
    }

    // Moves the time on by milliseconds. Every timer falling due on the way fires at its own
    // moment, earliest first, so a handler that reads the time sees the moment it fired at.
    void advance(qint64 milliseconds) {
        const qint64 end = m_now + milliseconds;
        while (Timer* timer = nextDue(end)) {
            m_now = *timer->due;
            timer->fired();
        }
        m_now = end;
    }

private:
    class Timer final : public ClockTimer {
    public:
        Timer(ManualClock& clock, QObject* parent)
            : ClockTimer(parent)
            , m_clock(clock) {}

        void setInterval(int milliseconds) override { m_interval = milliseconds; }
        void setSingleShot(bool singleShot) override { m_singleShot = singleShot; }
        // A zero interval still takes a millisecond, so that advancing always ends.
        void start() override { due = m_clock.now() + std::max(m_interval, 1); }
        void stop() override { due.reset(); }
        bool isActive() const override { return due.has_value(); }

        void fired() {
            if (m_singleShot)
                due.reset();
            else
                due = *due + std::max(m_interval, 1);
            Q_EMIT timeout();
        }

        std::optional<qint64> due;

    private:
        ManualClock& m_clock;
        int m_interval = 0;
        bool m_singleShot = false;
    };

    Timer* nextDue(qint64 end) {
        m_timers.removeAll(nullptr);
        Timer* next = nullptr;
        for (const QPointer<Timer>& timer : std::as_const(m_timers)) {
            if (timer->due && *timer->due <= end && (!next || *timer->due < *next->due))
                next = timer;
        }
        return next;
    }

    qint64 m_now = 0;
    QList<QPointer<Timer>> m_timers;
};

} // namespace tivora::test
