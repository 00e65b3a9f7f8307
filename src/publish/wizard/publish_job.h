#pragma once

#include "controls/worker_thread.h"
#include "publish/publish_run.h"

#include <QObject>

namespace tivora::publish {

// Runs a publish on a thread of its own, so the window that started it keeps repainting and
// answering while the files are written. Log lines and progress arrive as signals on the
// starting thread; a cancel takes effect before the next graph.
class PublishJob : public QObject {
    Q_OBJECT

public:
    explicit PublishJob(QObject* parent = nullptr);
    ~PublishJob() override;

    void start(const PublishChoices& choices, const QString& dataFolder);
    void cancel() { m_worker.cancel(); }
    bool isRunning() const { return m_worker.isRunning(); }
    // Blocks until a running job has ended (a window that closes waits for its job).
    void wait() { m_worker.wait(); }

Q_SIGNALS:
    void lineLogged(const QString& line);
    void progressed(int graphsDone, int graphCount);
    void finished(const tivora::publish::PublishSummary& summary);

private:
    WorkerThread m_worker;
};

} // namespace tivora::publish
