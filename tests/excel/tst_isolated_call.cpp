#include "excel/isolated_call.h"
#include "excel/workbook_file.h"
#include "workbook_fixtures.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>
#include <thread>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace tivora::excel {

// The process that untrusted readers run in: its answer comes back whole, and its crash, hang or
// failure comes back as no answer while the caller goes on.
class TstIsolatedCall : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answersComeBackWhole() {
        const auto large = runIsolated(u"/bin/sh"_s, {"-c", "head -c 3145745 /dev/zero"}, 10s);
        QCOMPARE(large, std::optional(QByteArray(3145745, '\0')));
        QCOMPARE(runIsolated(u"/bin/sh"_s, {"-c", "true"}, 10s), std::optional(QByteArray()));
        // Arguments reach the child as they are, blanks and all.
        QCOMPARE(runIsolated(u"/bin/sh"_s, {"-c", "printf %s \"$0\"", "a b&c"}, 10s),
                 std::optional(QByteArray("a b&c")));
    }

    void faultsCostOnlyTheAnswer() {
        QCOMPARE(runIsolated(u"/bin/sh"_s, {"-c", "echo part; kill -SEGV $$"}, 10s), std::nullopt);
        QCOMPARE(runIsolated(u"/bin/sh"_s, {"-c", "echo part; exit 3"}, 10s), std::nullopt);
        QCOMPARE(runIsolated(u"/nonexistent/program"_s, {}, 10s), std::nullopt);
    }

    void aHangIsCutOff() {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(runIsolated(u"/bin/sh"_s, {"-c", "exec sleep 60"}, 300ms), std::nullopt);
        QVERIFY(timer.elapsed() < 5000);
    }

    // A cancelled read kills its child at once, long before the time limit, and a workbook read
    // through a stopped token gives up as cancelled.
    void aStopRequestKillsTheChild() {
        std::stop_source stop;
        std::jthread stopper([&stop] {
            std::this_thread::sleep_for(100ms);
            stop.request_stop();
        });
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(runIsolated(u"/bin/sh"_s, {"-c", "exec sleep 60"}, 60s, stop.get_token()),
                 std::nullopt);
        QVERIFY(timer.elapsed() < 30000);
        QCOMPARE(
            openWorkbook(test::fixture(u"phpspreadsheet_example1.xls"_s), stop.get_token()).error,
            QString::fromLatin1(workbook_error::kCancelled));
        const QByteArray zipped = test::xlsxWorkbook({u"<row><c><v>1</v></c></row>"_s});
        OpenedWorkbook opened = openZippedWorkbook(zipped, stop.get_token());
        RangeValues values;
        const auto error = opened.workbook
                               ? opened.workbook->readRange(1, CellRange{{1, 1}, {1, 1}}, values)
                               : std::optional(opened.error);
        QCOMPARE(error, std::optional(QString::fromLatin1(workbook_error::kCancelled)));
    }

    // The legacy workbook reader runs in `tivora`, started afresh for each step.
    void legacyWorkbooksAreReadInTheirOwnProgram() {
        QVERIFY(QFileInfo(isolatedJobProgram()).isExecutable());
        const QByteArray path = QFile::encodeName(test::fixture(u"phpspreadsheet_example1.xls"_s));
        const auto described = runIsolatedJob("describe", {path}, 10s);
        QVERIFY(described && !described->isEmpty());
        // A job it does not know, or one with arguments that are not numbers, fails cleanly.
        QCOMPARE(runIsolatedJob("format", {path}, 10s), std::nullopt);
        QCOMPARE(runIsolatedJob("read", {path, "1", "A", "1", "2", "2", "0"}, 10s), std::nullopt);
        const OpenedWorkbook opened = openWorkbook(test::fixture(u"phpspreadsheet_example1.xls"_s));
        QVERIFY2(opened.workbook, qPrintable(opened.error));
        QCOMPARE(opened.workbook->worksheetCount(), 3);
    }
};

} // namespace tivora::excel

QTEST_GUILESS_MAIN(tivora::excel::TstIsolatedCall)
#include "tst_isolated_call.moc"
