#include "excel/isolated_call.h"

#include <QElapsedTimer>
#include <QTest>
#include <csignal>
#include <unistd.h>

using namespace std::chrono_literals;

namespace tivora::excel {

// The child process that untrusted readers run in: its answer comes back whole, and its crash,
// hang or failure comes back as no answer while the caller goes on.
class TstIsolatedCall : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answersComeBackWhole() {
        const QByteArray large(3 * 1024 * 1024 + 17, 'x');
        QCOMPARE(runIsolated([&] { return large; }, 10s), std::optional(large));
        QCOMPARE(runIsolated([] { return QByteArray(); }, 10s), std::optional(QByteArray()));
    }

    void faultsCostOnlyTheAnswer() {
        QCOMPARE(runIsolated(
                     [] {
                         std::raise(SIGSEGV);
                         return QByteArray("never");
                     },
                     10s),
                 std::nullopt);
        QCOMPARE(runIsolated(
                     [] {
                         _exit(3);
                         return QByteArray("never");
                     },
                     10s),
                 std::nullopt);
    }

    void aHangIsCutOff() {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(runIsolated(
                     [] {
                         for (;;)
                             ::pause();
                         return QByteArray();
                     },
                     300ms),
                 std::nullopt);
        QVERIFY(timer.elapsed() < 5000);
    }
};

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstIsolatedCall)
#include "tst_isolated_call.moc"
