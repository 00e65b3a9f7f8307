#include "publish/wizard/publish_job.h"

namespace tivora::publish {

PublishJob::PublishJob(QObject* parent)
    : QObject(parent) {}

PublishJob::~PublishJob() {
    cancel();
    wait();
}

void PublishJob::start(const PublishChoices& choices, const QString& dataFolder) {
    wait();
    m_cancel = false;
    m_thread.reset(QThread::create([this, choices, dataFolder] {
        PublishRun run(choices, dataFolder);
        // Signals emitted here are queued to the job's own thread.
        const PublishSummary summary = run.GeneratePublishFiles(
            [this](const QString& line) { Q_EMIT lineLogged(line); },
            [this](int done, int count) { Q_EMIT progressed(done, count); }, &m_cancel);
        Q_EMIT finished(summary);
    }));
    m_thread->start();
}

bool PublishJob::isRunning() const {
    return m_thread && m_thread->isRunning();
}

void PublishJob::wait() {
    if (m_thread) {
        m_thread->wait();
        m_thread.reset();
    }
}

} // namespace tivora::publish
