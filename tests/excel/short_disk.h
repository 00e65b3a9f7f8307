#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tivora::test {

// While it lives, no file the test process writes can grow past bytes: a write beyond fails as on
// a full disk (the signal the system would send instead is ignored), so that a test can fail a
// save part way through.
class ShortDisk {
public:
    explicit ShortDisk(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{bytes, m_before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~ShortDisk() {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }
    ShortDisk(const ShortDisk&) = delete;
    ShortDisk& operator=(const ShortDisk&) = delete;

private:
    rlimit m_before{};
    void (*m_signal)(int) = nullptr;
};

} // namespace tivora::test
