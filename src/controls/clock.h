#pragma once

#include <QObject>

namespace tivora {

// A timer run by a Clock: at its interval after start() it sends timeout, once or again and again.
class ClockTimer : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setInterval(int milliseconds) = 0;
    virtual void setSingleShot(bool singleShot) = 0;
    // Starts the interval afresh, also when the timer runs already.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

Q_SIGNALS:
    void timeout();
};

// Where the windows take the time and their timers from: the player's animation time, the
// tutorial's page watch and the pause after typing. Tests install a clock they move on by hand,
// so that they neither wait nor depend on the machine's speed.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from a fixed moment; never goes back.
    virtual qint64 now() const = 0;
    // A new stopped timer, owned by parent.
    virtual ClockTimer* createTimer(QObject* parent) = 0;
};

// The Clock every window uses: the system's unless another was installed. A window keeps the
// clock it was made with.
Clock& appClock();
// Installs clock (owned by the caller) for the windows made from now on; nullptr goes back to the
// system's clock.
void installClock(Clock* clock);

} // namespace tivora
