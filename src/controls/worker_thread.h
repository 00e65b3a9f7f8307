#pragma once

#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace tivora {

// One long job at a time on a thread of its own, so that the window that starts it keeps
// painting and answering. The job reads the cancel flag and stops at its next check; its owner
// stops it (cancel and wait) before it goes, since the job's signals name the owner.
class WorkerThread {
public:
    // Waits for the job before, clears the cancel flag and runs work on a new thread.
    void start(std::function<void()> work);
    void cancel() { m_cancel = true; }
    // What the job reads to learn that it was cancelled.
    std::atomic_bool* cancelFlag() { return &m_cancel; }
    bool isRunning() const;
    // Blocks until a running job has ended (a window that closes waits for its job).
    void wait();
    void stop() {
        cancel();
        wait();
    }

private:
    std::unique_ptr<QThread> m_thread;
    std::atomic_bool m_cancel = false;
};

} // namespace tivora
