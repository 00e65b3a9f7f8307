#include "publish/wizard/publish_job.h"

namespace tivora::publish {

PublishJob::PublishJob(QObject* parent)
    : QObject(parent) {}

PublishJob::~PublishJob() {
    m_worker.stop();
}

void PublishJob::start(const PublishChoices& choices, const QString& dataFolder) {
    m_worker.start([this, choices, dataFolder] {
        PublishRun run(choices, dataFolder);
        // Signals emitted here are queued to the job's own thread.
        const PublishSummary summary = run.GeneratePublishFiles(
            [this](const QString& line) { Q_EMIT lineLogged(line); },
            [this](int done, int count) { Q_EMIT progressed(done, count); }, m_worker.cancelFlag());
        Q_EMIT finished(summary);
    });
}

} // namespace tivora::publish
