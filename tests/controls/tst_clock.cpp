// The clock the windows take their time and timers from: the system's by default, a test's own
// once installed, and the manual clock tests move on by hand.
#include "common/manual_clock.h"
#include "controls/clock.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivora;

class ClockTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theSystemClockRunsItsTimers() {
        Clock& clock = appClock();
        const qint64 start = clock.now();
        QObject owner;
        ClockTimer* timer = clock.createTimer(&owner);
        QCOMPARE(timer->parent(), &owner);
        QVERIFY(!timer->isActive());
        timer->setSingleShot(true);
        timer->setInterval(5);
        QSignalSpy fired(timer, &ClockTimer::timeout);
        timer->start();
        QVERIFY(timer->isActive());
        QVERIFY(fired.wait(5000));
        QVERIFY(!timer->isActive());
        QVERIFY(clock.now() >= start + 5);
    }

    void anInstalledClockServesUntilItGoes() {
        Clock* system = &appClock();
        {
            test::ManualClock manual;
            QCOMPARE(&appClock(), &manual);
        }
        QCOMPARE(&appClock(), system);
    }

    void timersFireInTimeOrderAtTheirOwnMoment() {
        test::ManualClock clock;
        QObject owner;
        ClockTimer* often = clock.createTimer(&owner);
        ClockTimer* once = clock.createTimer(&owner);
        often->setInterval(100);
        once->setInterval(250);
        once->setSingleShot(true);
        QList<std::pair<char, qint64>> firings;
        connect(often, &ClockTimer::timeout, &owner, [&] { firings.append({'o', clock.now()}); });
        connect(once, &ClockTimer::timeout, &owner, [&] { firings.append({'1', clock.now()}); });
        often->start();
        once->start();
        clock.advance(99);
        QVERIFY(firings.isEmpty());
        clock.advance(301);
        const QList<std::pair<char, qint64>> expected{
            {'o', 100}, {'o', 200}, {'1', 250}, {'o', 300}, {'o', 400}};
        QCOMPARE(firings, expected);
        QCOMPARE(clock.now(), qint64(400));
        QVERIFY(!once->isActive());
        QVERIFY(often->isActive());
    }

    void stoppedRestartedAndDeletedTimers() {
        test::ManualClock clock;
        QObject owner;
        ClockTimer* pause = clock.createTimer(&owner);
        pause->setInterval(300);
        pause->setSingleShot(true);
        QSignalSpy fired(pause, &ClockTimer::timeout);
        pause->start();
        clock.advance(200);
        pause->start(); // started again: the interval counts from now
        clock.advance(299);
        QCOMPARE(fired.count(), 0);
        clock.advance(1);
        QCOMPARE(fired.count(), 1);
        pause->start();
        pause->stop();
        clock.advance(1000);
        QCOMPARE(fired.count(), 1);

        // A timer that deletes another when it fires: the other is passed over, not called.
        ClockTimer* first = clock.createTimer(&owner);
        auto* second = clock.createTimer(nullptr);
        first->setInterval(10);
        second->setInterval(10);
        connect(first, &ClockTimer::timeout, &owner, [&second] {
            delete second;
            second = nullptr;
        });
        first->start();
        second->start();
        clock.advance(10);
        QVERIFY(!second);
    }
};

QTEST_MAIN(ClockTest)
#include "tst_clock.moc"
