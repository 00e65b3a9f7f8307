#include "excel/range_read_job.h"

#include "excel/workbook_file.h"

namespace tivora::excel {

RangeReadJob::RangeReadJob(QObject* parent)
    : QObject(parent)
    , m_reader([](const LinkOptions& options, std::stop_token stop) {
        return RangeImport::read(options, std::move(stop));
    }) {}

RangeReadJob::~RangeReadJob() {
    cancel();
}

void RangeReadJob::start(const LinkOptions& options) {
    cancel();
    // A cancelled read ends within moments: its child process is killed, its parsing stops.
    if (m_thread.joinable())
        m_thread.join();
    m_result.reset();
    m_running = true;
    const quint64 generation = ++m_generation;
    m_thread = std::jthread([this, options, generation, reader = m_reader](std::stop_token stop) {
        Result result = reader(options, stop);
        if (stop.stop_requested())
            return;
        m_result = std::move(result);
        QMetaObject::invokeMethod(
            this, [this, generation] { deliver(generation); }, Qt::QueuedConnection);
    });
}

void RangeReadJob::cancel() {
    m_running = false;
    m_thread.request_stop();
}

void RangeReadJob::deliver(quint64 generation) {
    // A cancelled read's delivery is dropped; its thread is joined by the next start.
    if (generation != m_generation || !m_running)
        return;
    // The thread has written its result and is ending; joining waits for no work.
    m_thread.join();
    m_running = false;
    Q_EMIT finished();
}

RangeReadJob::Result RangeReadJob::takeResult() {
    Result result =
        m_result
            ? std::move(*m_result)
            : Result(ImportFailure{QString::fromLatin1(workbook_error::kCancelled), QString()});
    m_result.reset();
    return result;
}

} // namespace tivora::excel
