#pragma once

#include "controls/worker_thread.h"

#include <QObject>
#include <QString>

namespace tivora {

// Writes a movie's whole animation as a GIF, WebP, MP4 or WebM file, or a slide deck holding it as
// a video, on a thread of its own, so the window that started it keeps painting and answering
// while the frames are painted and encoded.
// Progress and the end arrive as signals on the starting thread; a cancel takes effect before the
// next frame and leaves no file behind (nor changes one that was there).
class AnimationExportJob : public QObject {
    Q_OBJECT

public:
    explicit AnimationExportJob(QObject* parent = nullptr);
    ~AnimationExportJob() override;

    // Whether outPath names one of the formats this job writes (by its extension).
    static bool writes(const QString& outPath);

    void start(const QString& moviePath, const QString& outPath);
    void cancel() { m_worker.cancel(); }
    bool isRunning() const { return m_worker.isRunning(); }
    // Blocks until a running job has ended (a window that closes waits for its job).
    void wait() { m_worker.wait(); }

Q_SIGNALS:
    void progressed(int framesDone, int frameCount);
    // error is empty when the file was written; cancelled when the user stopped it.
    void finished(const QString& error, bool cancelled);

private:
    WorkerThread m_worker;
};

} // namespace tivora
