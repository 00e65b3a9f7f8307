#pragma once

#include "excel/range_import.h"

#include <QObject>
#include <functional>
#include <optional>
#include <thread>

namespace tivora::excel {

// Reads a link's range on a thread of its own, so that a slow or hostile workbook never holds up
// the window: the window keeps painting and answering, and the read can be cancelled. The values
// come back on the thread that owns the job, where they can go into the graph.
class RangeReadJob : public QObject {
    Q_OBJECT

public:
    using Result = std::variant<RangeImport, ImportFailure>;
    // What reads the range; RangeImport::read unless a test puts another in its place.
    using Reader = std::function<Result(const LinkOptions&, std::stop_token)>;

    explicit RangeReadJob(QObject* parent = nullptr);
    // Stops a read still running and waits for its thread.
    ~RangeReadJob() override;

    void setReader(Reader reader) { m_reader = std::move(reader); }
    bool running() const { return m_running; }
    // Starts reading the options' range; a read still running is cancelled first.
    void start(const LinkOptions& options);
    // Asks the read to stop; finished() is not emitted for it.
    void cancel();
    // The result of the read that emitted finished(); taken once.
    Result takeResult();

Q_SIGNALS:
    void finished();

private:
    void deliver(quint64 generation);

    Reader m_reader;
    std::jthread m_thread;
    std::optional<Result> m_result;
    // Counts the reads started, so that a cancelled read's delivery is told from the current one.
    quint64 m_generation = 0;
    bool m_running = false;
};

} // namespace tivora::excel
