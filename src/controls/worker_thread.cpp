#include "controls/worker_thread.h"

namespace tivora {

void WorkerThread::start(std::function<void()> work) {
    wait();
    m_cancel = false;
    m_thread.reset(QThread::create(std::move(work)));
    m_thread->start();
}

bool WorkerThread::isRunning() const {
    return m_thread && m_thread->isRunning();
}

void WorkerThread::wait() {
    if (m_thread) {
        m_thread->wait();
        m_thread.reset();
    }
}

} // namespace tivora
